// Draws the application's icon: a chef's toque standing on an open recipe book, 32 x 32 pixels in
// the sixteen colours of Windows icons, written as an icon file of 4 bits a pixel with its
// transparency mask. Qt writes no 4-bit images, so the file is put together here.
//
// Pixel art this small reads best without blending: every shape is painted without
// antialiasing in one of the sixteen colours, and the outer edge of the whole picture is
// outlined in black afterwards, so that the icon stands out on any background.

#include <QByteArray>
#include <QDataStream>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QSaveFile>
#include <QTextStream>

#include <array>
#include <optional>

namespace {

constexpr int side = 32;

// The VGA colours in the order Windows gives them to 16-colour bitmaps and icons.
constexpr std::array<QRgb, 16> palette = {
    0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
    0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff,
};

const QColor black = QColor::fromRgb(palette[0]);
const QColor maroon = QColor::fromRgb(palette[1]);
const QColor silver = QColor::fromRgb(palette[7]);
const QColor grey = QColor::fromRgb(palette[8]);
const QColor red = QColor::fromRgb(palette[9]);
const QColor navy = QColor::fromRgb(palette[4]);
const QColor white = QColor::fromRgb(palette[15]);

// The right page is the left one seen in a mirror standing on the spine.
QPolygonF mirrored(const QPolygonF &polygon)
{
    QPolygonF result;
    for (const QPointF &point : polygon)
        result.append(QPointF(side - point.x(), point.y()));
    return result;
}

void drawBook(QPainter &painter)
{
    // The left page's top rises from the spine to a rounded outer corner, as an open book's
    // pages curl up.
    const QPolygonF leftPage{QPointF(1.5, 17.5), QPointF(4, 16), QPointF(9, 16), QPointF(13, 17),
        QPointF(16, 18.5), QPointF(16, 27), QPointF(12, 25.5), QPointF(6, 25.5), QPointF(1.5, 26.5)};
    const QPolygonF rightPage = mirrored(leftPage);

    // The cover shows under the pages and beyond their outer edges; between them, the edges of
    // the other leaves.
    painter.setPen(Qt::NoPen);
    painter.setBrush(maroon);
    for (const QPointF &offset : {QPointF(2, 2), QPointF(2, 4)}) {
        painter.drawPolygon(leftPage.translated(-offset.x(), offset.y()));
        painter.drawPolygon(rightPage.translated(offset));
    }
    painter.setBrush(silver);
    painter.drawPolygon(leftPage.translated(0, 2));
    painter.drawPolygon(rightPage.translated(0, 2));
    painter.setBrush(white);
    painter.drawPolygon(leftPage.translated(0, 1));
    painter.drawPolygon(rightPage.translated(0, 1));
    painter.drawPolygon(leftPage);
    painter.drawPolygon(rightPage);

    // Lines of a recipe: a title, then the text in words of a few letters.
    painter.setPen(maroon);
    painter.drawLine(QPoint(5, 19), QPoint(11, 19));
    painter.drawLine(QPoint(side - 6, 19), QPoint(side - 12, 19));
    painter.setPen(navy);
    for (const int y : {21, 23}) {
        painter.drawLine(QPoint(3, y), QPoint(7, y));
        painter.drawLine(QPoint(9, y), QPoint(13, y));
        painter.drawLine(QPoint(side - 4, y), QPoint(side - 8, y));
        painter.drawLine(QPoint(side - 10, y), QPoint(side - 14, y));
    }

    // The fold between the pages, and the ribbon that marks the page.
    painter.setPen(grey);
    painter.drawLine(QPoint(15, 19), QPoint(15, 27));
    painter.setPen(Qt::NoPen);
    painter.setBrush(red);
    painter.drawPolygon(QPolygonF{QPointF(18, 27), QPointF(21, 27.5), QPointF(21, 32), QPointF(19.5, 30.5),
        QPointF(18, 32)});
}

void drawToque(QPainter &painter)
{
    // Three puffs of starched cloth, the middle one in front; each one's rim shows as a fold
    // where it lies over the others.
    painter.setPen(silver);
    painter.setBrush(white);
    painter.drawEllipse(QRectF(5.5, 4.5, 10, 10));
    painter.drawEllipse(QRectF(16.5, 4.5, 10, 10));
    painter.drawEllipse(QRectF(10.5, 1.5, 11, 11));

    // The shade under each puff, where the cloth turns away from the light.
    painter.setPen(Qt::NoPen);
    painter.setBrush(silver);
    painter.drawRect(QRect(7, 12, 4, 1));
    painter.drawRect(QRect(21, 12, 4, 1));

    // The band, with its pleats, sits on the book and casts a small shadow on the pages.
    painter.setPen(black);
    painter.setBrush(white);
    painter.drawRect(QRect(10, 12, 12, 8));
    painter.setPen(silver);
    for (const int x : {13, 16, 19})
        painter.drawLine(QPoint(x, 14), QPoint(x, 18));
    painter.drawLine(QPoint(21, 13), QPoint(21, 19));
    painter.setPen(grey);
    painter.drawLine(QPoint(9, 21), QPoint(22, 21));
}

// Every painted pixel that touches the transparent surround, or the edge of the picture,
// becomes black.
QImage outlined(const QImage &image)
{
    const auto transparent = [&image](int x, int y) {
        return x < 0 || y < 0 || x >= side || y >= side || qAlpha(image.pixel(x, y)) == 0;
    };
    QImage result = image;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (transparent(x, y))
                continue;
            if (transparent(x - 1, y) || transparent(x + 1, y) || transparent(x, y - 1) || transparent(x, y + 1))
                result.setPixel(x, y, black.rgba());
        }
    }
    return result;
}

QImage draw()
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawBook(painter);
    drawToque(painter);
    painter.end();
    return outlined(image);
}

std::optional<quint8> paletteIndex(QRgb colour)
{
    for (std::size_t i = 0; i < palette.size(); ++i) {
        if (palette[i] == colour)
            return quint8(i);
    }
    return std::nullopt;
}

// An icon file holding one image: the directory, then a bitmap header whose height counts the
// colour rows and the mask rows, the palette, the colour rows two pixels a byte and the mask
// rows one bit a pixel, 1 for transparent. Rows run from the bottom up, each padded to four bytes.
std::optional<QByteArray> iconFile(const QImage &image)
{
    constexpr int colourRowBytes = side / 2;
    constexpr int maskRowBytes = (side / 8 + 3) / 4 * 4;
    constexpr int bitmapHeaderSize = 40;
    constexpr int imageSize = bitmapHeaderSize + int(palette.size()) * 4 + side * (colourRowBytes + maskRowBytes);
    constexpr int directorySize = 6 + 16;

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(1);
    out << quint8(side) << quint8(side) << quint8(palette.size()) << quint8(0) << quint16(1) << quint16(4)
        << quint32(imageSize) << quint32(directorySize);

    out << quint32(bitmapHeaderSize) << qint32(side) << qint32(2 * side) << quint16(1) << quint16(4) << quint32(0)
        << quint32(side * (colourRowBytes + maskRowBytes)) << qint32(0) << qint32(0) << quint32(palette.size())
        << quint32(0);
    for (const QRgb colour : palette)
        out << quint8(qBlue(colour)) << quint8(qGreen(colour)) << quint8(qRed(colour)) << quint8(0);

    for (int y = side - 1; y >= 0; --y) {
        for (int x = 0; x < side; x += 2) {
            quint8 pair = 0;
            for (int half = 0; half < 2; ++half) {
                const QRgb pixel = image.pixel(x + half, y);
                const std::optional<quint8> index = qAlpha(pixel) == 0 ? quint8(0) : paletteIndex(pixel);
                if (!index)
                    return std::nullopt;
                pair |= quint8(*index << (half == 0 ? 4 : 0));
            }
            out << pair;
        }
    }
    for (int y = side - 1; y >= 0; --y) {
        QByteArray row(maskRowBytes, '\0');
        for (int x = 0; x < side; ++x) {
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = char(quint8(row[x / 8]) | (0x80 >> (x % 8)));
        }
        out.writeRawData(row.constData(), int(row.size()));
    }
    return bytes;
}

} // namespace

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: draw_application_icon <output folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        err << "cannot create " << folder.path() << '\n';
        return 1;
    }

    const std::optional<QByteArray> icon = iconFile(draw());
    if (!icon) {
        err << "the drawing uses a colour outside the sixteen\n";
        return 1;
    }
    const QString path = folder.filePath(QStringLiteral("cuisinotte.ico"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*icon) != icon->size() || !file.commit()) {
        err << "cannot write " << path << ": " << file.errorString() << '\n';
        return 1;
    }
    return 0;
}
