// Draws the four pictures of the main window's large buttons: 48 x 48 pixels, 24 bits, on a
// black background that the buttons make transparent. Black is kept for the background only:
// outlines are dark but never black, or they would vanish with it.

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <functional>

namespace {

constexpr int side = 48;

QPen outline(const QColor &colour, qreal width = 1.0)
{
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

void drawOpenDoor(QPainter &painter)
{
    const QColor darkWood(0x3b, 0x24, 0x10);

    // The doorway, bright with the daylight outside.
    QLinearGradient daylight(0, 6, 0, 44);
    daylight.setColorAt(0.0, QColor(0x9f, 0xd8, 0xff));
    daylight.setColorAt(0.65, QColor(0xe8, 0xf6, 0xff));
    daylight.setColorAt(0.66, QColor(0xa8, 0xdc, 0x78));
    daylight.setColorAt(1.0, QColor(0x5e, 0xa8, 0x3c));
    painter.setPen(Qt::NoPen);
    painter.setBrush(daylight);
    painter.drawRect(QRectF(18, 6, 21, 38));

    // The frame around it.
    QLinearGradient frameWood(15, 0, 42, 0);
    frameWood.setColorAt(0.0, QColor(0x9c, 0x64, 0x30));
    frameWood.setColorAt(1.0, QColor(0x6a, 0x40, 0x1c));
    QPainterPath frame;
    frame.addRect(QRectF(15, 3, 27, 42));
    frame.addRect(QRectF(18, 6, 21, 39));
    painter.setBrush(frameWood);
    painter.setPen(outline(darkWood));
    painter.drawPath(frame);

    // The threshold stone.
    QLinearGradient stone(0, 43, 0, 47);
    stone.setColorAt(0.0, QColor(0xd0, 0xd0, 0xc8));
    stone.setColorAt(1.0, QColor(0x80, 0x80, 0x78));
    painter.setBrush(stone);
    painter.setPen(outline(QColor(0x40, 0x40, 0x3c)));
    painter.drawRoundedRect(QRectF(13, 43.5, 31, 3.5), 1, 1);

    // The leaf, swung open towards the viewer on its left hinges, so seen in perspective.
    const QPolygonF leaf{QPointF(18, 6), QPointF(5, 2), QPointF(5, 46), QPointF(18, 44)};
    QLinearGradient leafWood(5, 0, 18, 0);
    leafWood.setColorAt(0.0, QColor(0xd8, 0x9a, 0x58));
    leafWood.setColorAt(1.0, QColor(0x8e, 0x56, 0x26));
    painter.setBrush(leafWood);
    painter.setPen(outline(darkWood));
    painter.drawPolygon(leaf);

    // Two sunken panels on the leaf, narrowing with the perspective like the leaf itself.
    painter.setBrush(QColor(0xa8, 0x6c, 0x36));
    painter.setPen(outline(QColor(0x5e, 0x38, 0x16), 0.8));
    painter.drawPolygon(QPolygonF{QPointF(8, 7), QPointF(15, 9.5), QPointF(15, 22), QPointF(8, 21)});
    painter.drawPolygon(QPolygonF{QPointF(8, 26), QPointF(15, 26.5), QPointF(15, 40), QPointF(8, 41)});

    // The knob.
    QRadialGradient brass(QPointF(7.4, 23.4), 2.2);
    brass.setColorAt(0.0, QColor(0xff, 0xf3, 0xa0));
    brass.setColorAt(1.0, QColor(0xb8, 0x86, 0x10));
    painter.setBrush(brass);
    painter.setPen(outline(QColor(0x5a, 0x3a, 0x00), 0.6));
    painter.drawEllipse(QPointF(8, 24), 1.8, 1.8);
}

void drawCake(QPainter &painter, const QColor &trim)
{
    // The plate.
    QLinearGradient porcelain(0, 38, 0, 43);
    porcelain.setColorAt(0.0, QColor(0xf4, 0xf8, 0xff));
    porcelain.setColorAt(1.0, QColor(0x9c, 0xaa, 0xc4));
    painter.setBrush(porcelain);
    painter.setPen(outline(QColor(0x4a, 0x56, 0x70), 0.7));
    painter.drawEllipse(QRectF(11, 37.5, 26, 5));

    // The sponge, with a layer of cream through its middle.
    QLinearGradient sponge(15, 0, 33, 0);
    sponge.setColorAt(0.0, QColor(0xf6, 0xcc, 0x84));
    sponge.setColorAt(1.0, QColor(0xc8, 0x88, 0x40));
    QPainterPath body;
    body.moveTo(15, 29);
    body.lineTo(15, 38);
    body.arcTo(QRectF(15, 36, 18, 4), 180, 180);
    body.lineTo(33, 29);
    body.closeSubpath();
    painter.setBrush(sponge);
    painter.setPen(outline(QColor(0x6b, 0x3a, 0x1a), 0.8));
    painter.drawPath(body);
    painter.setPen(outline(trim, 1.6));
    painter.drawLine(QPointF(15.8, 33.5), QPointF(32.2, 33.5));

    // The icing dripping over the edge.
    QPainterPath icing;
    icing.moveTo(15, 29.5);
    icing.arcTo(QRectF(15, 26, 18, 6), 180, -180);
    icing.lineTo(33, 31);
    icing.quadTo(31.5, 33, 30, 31);
    icing.quadTo(27, 32.5, 24.5, 31);
    icing.quadTo(22, 33.5, 19.5, 31);
    icing.quadTo(17, 32.5, 15, 31);
    icing.closeSubpath();
    QLinearGradient sugar(0, 26, 0, 33);
    sugar.setColorAt(0.0, QColor(0xff, 0xff, 0xff));
    sugar.setColorAt(1.0, QColor(0xff, 0xd6, 0xe8));
    painter.setBrush(sugar);
    painter.setPen(outline(QColor(0x9a, 0x50, 0x6a), 0.7));
    painter.drawPath(icing);

    // The cherry on top.
    QRadialGradient cherry(QPointF(23.2, 23.4), 3);
    cherry.setColorAt(0.0, QColor(0xff, 0x90, 0x90));
    cherry.setColorAt(0.5, QColor(0xe0, 0x10, 0x20));
    cherry.setColorAt(1.0, QColor(0x80, 0x00, 0x10));
    painter.setBrush(cherry);
    painter.setPen(outline(QColor(0x50, 0x00, 0x08), 0.6));
    painter.drawEllipse(QPointF(24, 25), 2.4, 2.4);
    painter.setPen(outline(QColor(0x3a, 0x6a, 0x1a), 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(24, 19, 6, 8), 100 * 16, 70 * 16);
}

// A recipe card: a page of text with a folded corner and a cake at its foot.
void drawRecipeCard(QPainter &painter)
{
    const QColor ink(0x5a, 0x4a, 0x30);

    QPainterPath page;
    page.moveTo(8, 3);
    page.lineTo(33, 3);
    page.lineTo(40, 10);
    page.lineTo(40, 45);
    page.lineTo(8, 45);
    page.closeSubpath();
    QLinearGradient paper(8, 3, 40, 45);
    paper.setColorAt(0.0, QColor(0xff, 0xfe, 0xf6));
    paper.setColorAt(1.0, QColor(0xec, 0xe2, 0xc8));
    painter.setBrush(paper);
    painter.setPen(outline(ink));
    painter.drawPath(page);

    // The dog-ear.
    painter.setBrush(QColor(0xd8, 0xcc, 0xa8));
    painter.drawPolygon(QPolygonF{QPointF(33, 3), QPointF(33, 10), QPointF(40, 10)});

    // The title in red, then the lines of the ingredients.
    painter.setPen(outline(QColor(0xc0, 0x28, 0x28), 1.8));
    painter.drawLine(QPointF(12, 8), QPointF(28, 8));
    painter.setPen(outline(QColor(0x70, 0x78, 0x90), 1.1));
    painter.drawLine(QPointF(12, 13), QPointF(35, 13));
    painter.drawLine(QPointF(12, 16.5), QPointF(31, 16.5));
    painter.drawLine(QPointF(12, 20), QPointF(34, 20));

    drawCake(painter, QColor(0xf0, 0x7c, 0xb0));
}

void drawArrow(QPainter &painter, bool pointingRight)
{
    // Drawn pointing left, mirrored for the other side.
    painter.save();
    if (pointingRight) {
        painter.translate(side, 0);
        painter.scale(-1, 1);
    }
    const QPolygonF arrow{QPointF(1, 26), QPointF(10, 17), QPointF(10, 22), QPointF(15, 22),
        QPointF(15, 30), QPointF(10, 30), QPointF(10, 35)};
    QLinearGradient leaf(0, 17, 0, 35);
    leaf.setColorAt(0.0, QColor(0xa8, 0xf0, 0x70));
    leaf.setColorAt(1.0, QColor(0x2a, 0x8a, 0x24));
    painter.setBrush(leaf);
    painter.setPen(outline(QColor(0x14, 0x44, 0x10)));
    painter.drawPolygon(arrow);
    painter.restore();
}

void drawCardBetweenArrows(QPainter &painter)
{
    painter.save();
    // The card a little smaller, so that the arrows fit on either side.
    painter.translate(side / 2.0, side / 2.0);
    painter.scale(0.72, 0.9);
    painter.translate(-side / 2.0, -side / 2.0);
    drawRecipeCard(painter);
    painter.restore();
    drawArrow(painter, false);
    drawArrow(painter, true);
}

void drawGoldenBall(QPainter &painter)
{
    const QPointF centre(24, 24);

    QRadialGradient gold(centre, 21, QPointF(17, 15));
    gold.setColorAt(0.0, QColor(0xff, 0xf8, 0xc8));
    gold.setColorAt(0.3, QColor(0xff, 0xd8, 0x50));
    gold.setColorAt(0.75, QColor(0xe0, 0xa0, 0x08));
    gold.setColorAt(1.0, QColor(0x8a, 0x5a, 0x00));
    painter.setBrush(gold);
    painter.setPen(outline(QColor(0x5a, 0x3a, 0x00)));
    painter.drawEllipse(centre, 21, 21);

    // The question mark, with a soft shadow to lift it off the metal.
    QPainterPath hook;
    hook.moveTo(18.5, 18.5);
    hook.arcTo(QRectF(18.5, 12, 12, 12), 180, -235);
    hook.lineTo(24.5, 26.5);
    hook.lineTo(24.5, 29);
    for (const auto &[offset, colour] : {std::pair{QPointF(1, 1), QColor(0x9a, 0x64, 0x00)},
                                         std::pair{QPointF(0, 0), QColor(0x14, 0x24, 0x80)}}) {
        painter.save();
        painter.translate(offset);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(outline(colour, 4.2));
        painter.drawPath(hook);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawEllipse(QPointF(24.5, 35), 2.6, 2.6);
        painter.restore();
    }

    // A gleam on the top left.
    QRadialGradient gleam(QPointF(15, 12), 8);
    gleam.setColorAt(0.0, QColor(255, 255, 255, 220));
    gleam.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(gleam);
    painter.drawEllipse(QPointF(15, 12), 8, 5.5);
}

QImage draw(const std::function<void(QPainter &)> &drawing)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawing(painter);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace

int main(int argc, char *argv[])
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: draw_button_pictures <output folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        err << "cannot create " << folder.path() << '\n';
        return 1;
    }

    const std::pair<const char *, std::function<void(QPainter &)>> pictures[] = {
        {"quitter.bmp", drawOpenDoor},
        {"gestion.bmp", drawRecipeCard},
        {"visualisation.bmp", drawCardBetweenArrows},
        {"aide.bmp", drawGoldenBall},
    };
    for (const auto &[name, drawing] : pictures) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        if (!draw(drawing).save(path, "BMP")) {
            err << "cannot write " << path << '\n';
            return 1;
        }
    }
    return 0;
}
