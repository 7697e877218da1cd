// Draws the four bitmaps of the application's own controls: the background panel's framed
// surface and the three strips of button frames. They are drawn antialiased in full colour,
// then three of them are brought down to 8 bits with a palette of the colours they use most, the
// colours the controls and forms rely on coming first so that they stay exact.

#include <QDir>
#include <QHash>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

// The forms paint this colour behind the panel, so its surface must be exactly this.
const QColor surface(0xbb, 0xcc, 0xcd);

const QColor buttonSurround(0xbd, 0xd1, 0xcd);
const QColor darkRoundSurround(0x7a, 0x87, 0x85);
const QColor lightRoundSurround(0xa7, 0xc9, 0xc2);

// The panel picture: its size is three cells and a few pixels that the panel never copies.
constexpr int panelWidth = 389;
constexpr int panelHeight = 235;

constexpr int frameCount = 5;
constexpr int stripHeight = 24;
constexpr int barFrameWidth = 80;
constexpr int roundFrameWidth = 20;

// ---- The panel ----

// One pixel wide ring of the frame: the top and left sides in one colour, the bottom and
// right sides in the other, so that stacked rings read as bevels.
void drawRing(QPainter &painter, const QRect &outer, const QColor &topLeft, const QColor &bottomRight)
{
    painter.fillRect(outer.left(), outer.top(), outer.width() - 1, 1, topLeft);
    painter.fillRect(outer.left(), outer.top(), 1, outer.height() - 1, topLeft);
    painter.fillRect(outer.left(), outer.bottom(), outer.width(), 1, bottomRight);
    painter.fillRect(outer.right(), outer.top(), 1, outer.height(), bottomRight);
}

struct Ring
{
    QColor topLeft;
    QColor bottomRight;
};

// From the outside in: a dark edge, a raised mauve moulding, a sunken groove into the surface,
// and a faint shade where the surface passes under the frame.
const Ring frameRings[] = {
    {QColor(0x4a, 0x34, 0x52), QColor(0x4a, 0x34, 0x52)},
    {QColor(0xe2, 0xcf, 0xe6), QColor(0x6c, 0x52, 0x75)},
    {QColor(0xcb, 0xb2, 0xd1), QColor(0x82, 0x67, 0x8b)},
    {QColor(0xac, 0x90, 0xb4), QColor(0x9a, 0x7e, 0xa2)},
    {QColor(0xa5, 0x89, 0xad), QColor(0xa5, 0x89, 0xad)},
    {QColor(0x6c, 0x52, 0x75), QColor(0xe2, 0xcf, 0xe6)},
    {QColor(0x9d, 0xb0, 0xb1), surface},
    {QColor(0xae, 0xc0, 0xc1), surface},
};

// The grip of the bottom-right corner: a small raised step inside the frame, carrying a
// triangle of dots. It stays well inside the corner cell, whose first row and column must
// match the edges it joins.
void drawGrip(QPainter &painter, const QRect &inside)
{
    const QColor stepFace(0xc8, 0xd8, 0xd8);
    const QColor stepShade(0x95, 0xa8, 0xa9);
    const QColor stepLight(0xf2, 0xf8, 0xf8);
    // Its bottom and right sides rest against the frame, so only the top and left are lit.
    const QRect step(inside.right() - 19, inside.bottom() - 17, 20, 18);
    painter.fillRect(step, stepFace);
    drawRing(painter, step.adjusted(-1, -1, 0, 0), stepShade, stepFace);
    drawRing(painter, step, stepLight, stepFace);

    const QColor dotShadow(0x7c, 0x62, 0x85);
    const QColor dotLight(0xff, 0xff, 0xff);
    constexpr int pitch = 4;
    const QPoint lastDot(step.right() - 4, step.bottom() - 4);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column <= row; ++column) {
            const QPoint dot = lastDot - QPoint(column * pitch, (2 - row) * pitch);
            painter.fillRect(dot.x() + 1, dot.y() + 1, 2, 2, dotShadow);
            painter.fillRect(dot.x(), dot.y(), 2, 2, dotLight);
            painter.fillRect(dot.x() + 1, dot.y() + 1, 1, 1, dotShadow.lighter(130));
        }
    }
}

QImage drawPanel()
{
    QImage image(panelWidth, panelHeight, QImage::Format_RGB32);
    image.fill(surface);
    QPainter painter(&image);
    QRect ring = image.rect();
    for (const auto &[topLeft, bottomRight] : frameRings) {
        drawRing(painter, ring, topLeft, bottomRight);
        ring.adjust(1, 1, -1, -1);
    }
    drawGrip(painter, ring);
    return image;
}

// ---- The button strips ----

using Shape = std::function<QPainterPath(const QRectF &)>;

struct Look
{
    QColor body;
    QColor topShade; // the body fades from it into its own colour above the middle rows
    QColor rim;
    QColor topLeft;
    QColor bottomRight;
    bool raised = true;
    bool dotted = false;
};

// The five frames, in the order the controls number their states. Raised frames are lit from
// the top left and cast a thin shadow below; the pressed one is sunk in a dark outline.
const QColor teal(0x54, 0x6b, 0x68);
const QColor grey(0x64, 0x64, 0x64);
const QColor aqua(0x93, 0xc9, 0xbf);
// The captions are drawn in it; the focus frame dots its outline with it too.
const QColor cream(0xff, 0xfb, 0xf0);
const Look normal{.body = teal, .topShade = QColor(0x6c, 0x85, 0x82), .rim = QColor(0x3a, 0x4c, 0x4a),
    .topLeft = QColor(0x93, 0xae, 0xaa), .bottomRight = QColor(0x33, 0x45, 0x42)};
const Look pressed{.body = teal, .topShade = QColor(0x45, 0x59, 0x56), .rim = QColor(0x14, 0x1d, 0x1c),
    .topLeft = QColor(0x30, 0x40, 0x3e), .bottomRight = QColor(0x78, 0x91, 0x8d), .raised = false};
const Look disabled{.body = grey, .topShade = QColor(0x74, 0x74, 0x74), .rim = QColor(0x4c, 0x4c, 0x4c),
    .topLeft = QColor(0x88, 0x88, 0x88), .bottomRight = QColor(0x4a, 0x4a, 0x4a)};
const Look focused{.body = teal, .topShade = normal.topShade, .rim = normal.rim, .topLeft = normal.topLeft,
    .bottomRight = normal.bottomRight, .dotted = true};
const Look hot{.body = aqua, .topShade = QColor(0xb4, 0xdf, 0xd7), .rim = QColor(0x5a, 0x93, 0x8a),
    .topLeft = QColor(0xd8, 0xf3, 0xee), .bottomRight = QColor(0x66, 0x9f, 0x96)};
const Look looks[frameCount] = {normal, pressed, disabled, focused, hot};

// A bevel that follows the shape, inside its rim: the shape in the bottom-right colour, then
// all of it but a sliver at the bottom right in the top-left colour, then the body inset by a
// pixel, which leaves a band of each colour on its side.
void drawBevelledShape(QPainter &painter, const Shape &shape, const QRectF &bounds, const Look &look,
    const QColor &surround)
{
    if (look.raised)
        painter.fillPath(shape(bounds.translated(0, 1)), surround.darker(118));
    painter.fillPath(shape(bounds), look.rim);

    const QRectF bevel = bounds.adjusted(1, 1, -1, -1);
    painter.fillPath(shape(bevel), look.bottomRight);
    painter.fillPath(shape(bevel).intersected(shape(bevel.translated(-1, -1))), look.topLeft);

    // The shade ends well above the middle rows, which keep the body's exact colour.
    const QRectF body = bevel.adjusted(1, 1, -1, -1);
    QLinearGradient shade(0, body.top(), 0, body.top() + body.height() * 0.4);
    shade.setColorAt(0, look.topShade);
    shade.setColorAt(1, look.body);
    painter.fillPath(shape(body), shade);

    if (look.dotted) {
        painter.setPen(QPen(cream, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(shape(body.adjusted(1.5, 1.5, -1.5, -1.5)));
    }
}

QImage drawStrip(int frameWidth, const QColor &surround, const QRectF &bounds, const Shape &shape)
{
    QImage image(frameWidth * frameCount, stripHeight, QImage::Format_RGB32);
    image.fill(surround);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int frame = 0; frame < frameCount; ++frame) {
        painter.save();
        painter.translate(frame * frameWidth, 0);
        drawBevelledShape(painter, shape, bounds, looks[frame], surround);
        painter.restore();
    }
    return image;
}

QPainterPath roundedBar(const QRectF &bounds)
{
    QPainterPath path;
    const qreal radius = bounds.height() * 0.35;
    path.addRoundedRect(bounds, radius, radius);
    return path;
}

QPainterPath oval(const QRectF &bounds)
{
    QPainterPath path;
    path.addEllipse(bounds);
    return path;
}

// The bar spans columns 1 to 78 and rows 2 to 20 (its shadow row 21), around the caption
// drawn from row 4.
QImage drawButtonStrip()
{
    return drawStrip(barFrameWidth, buttonSurround, QRectF(1, 2, 78, 19), roundedBar);
}

QImage drawRoundStrip(const QColor &surround)
{
    return drawStrip(roundFrameWidth, surround, QRectF(1, 2, 18, 19), oval);
}

// ---- Output ----

// The 256 colours of an 8-bit picture: the given ones first, then those the picture uses
// most; a rare antialiasing shade beyond them goes to its nearest neighbour.
QImage toPalette(const QImage &image, const QList<QColor> &exactColours)
{
    QHash<QRgb, int> uses;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++uses[image.pixel(x, y)];
    }
    QList<QRgb> table;
    for (const QColor &colour : exactColours)
        table.append(colour.rgb());

    QList<QRgb> others;
    for (auto it = uses.cbegin(); it != uses.cend(); ++it) {
        if (!table.contains(it.key()))
            others.append(it.key());
    }
    // Ties are broken by the colour itself, so that the same drawing always gives the same file.
    std::sort(others.begin(), others.end(), [&uses](QRgb a, QRgb b) {
        return uses.value(a) != uses.value(b) ? uses.value(a) > uses.value(b) : a < b;
    });
    for (const QRgb rgb : others) {
        if (table.size() == 256)
            break;
        table.append(rgb);
    }
    // A picture with few colours still gets the full 256-entry palette its depth calls for.
    while (table.size() < 256)
        table.append(qRgb(0, 0, 0));
    return image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
}

QList<QColor> bodyColours()
{
    QList<QColor> colours;
    for (const Look &look : looks) {
        if (!colours.contains(look.body))
            colours.append(look.body);
    }
    return colours;
}

} // namespace

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: draw_control_bitmaps <output folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        err << "cannot create " << folder.path() << '\n';
        return 1;
    }

    const std::pair<const char *, QImage> bitmaps[] = {
        {"BMP_FOND.bmp", toPalette(drawPanel(), {surface})},
        {"BMP_BUTTONS.bmp", toPalette(drawButtonStrip(), bodyColours() << buttonSurround)},
        {"BMP_PARCOURS.bmp", toPalette(drawRoundStrip(darkRoundSurround), bodyColours() << darkRoundSurround)},
        {"BMP_PARCOURS1.bmp", drawRoundStrip(lightRoundSurround).convertToFormat(QImage::Format_RGB888)},
    };
    for (const auto &[name, image] : bitmaps) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        if (!image.save(path, "BMP")) {
            err << "cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
