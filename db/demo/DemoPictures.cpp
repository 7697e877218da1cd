#include "DemoPictures.h"

#include "firebird/Error.h"

#include <QBuffer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace DemoPictures {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kJpegQuality = 85;

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

QPointF onEllipse(QPointF centre, double rx, double ry, double degrees)
{
    return centre + QPointF(rx * std::cos(radians(degrees)), ry * std::sin(radians(degrees)));
}

void paintWoodenTable(QPainter &p)
{
    QLinearGradient wood(0, 0, kWidth, kHeight);
    wood.setColorAt(0, QColor(164, 112, 66));
    wood.setColorAt(1, QColor(120, 76, 40));
    p.fillRect(0, 0, kWidth, kHeight, wood);
    // Planks, then a gently waving grain on each.
    p.setPen(QPen(QColor(92, 58, 30), 2));
    for (int y = 60; y < kHeight; y += 60)
        p.drawLine(0, y, kWidth, y);
    p.setPen(QPen(QColor(140, 94, 52, 140), 1));
    for (int line = 0; line < 24; ++line) {
        QPainterPath grain;
        const double y0 = 6 + line * 10;
        grain.moveTo(0, y0);
        for (int x = 0; x <= kWidth; x += 16)
            grain.lineTo(x, y0 + 2.5 * std::sin(x / 37.0 + line));
        p.drawPath(grain);
    }
}

void paintCheckedCloth(QPainter &p, QColor colour)
{
    p.fillRect(0, 0, kWidth, kHeight, QColor(250, 248, 240));
    QColor band = colour;
    band.setAlpha(110);
    for (int i = 0; i < kWidth; i += 40) {
        p.fillRect(i, 0, 20, kHeight, band);
        p.fillRect(0, i, kWidth, 20, band);
    }
}

void paintPlate(QPainter &p, QRectF rim)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawEllipse(rim.translated(6, 8));
    QRadialGradient china(rim.center() - QPointF(rim.width() / 6, rim.height() / 6), rim.width() / 1.6);
    china.setColorAt(0, Qt::white);
    china.setColorAt(1, QColor(214, 218, 226));
    p.setBrush(china);
    p.setPen(QPen(QColor(180, 186, 196), 1.5));
    p.drawEllipse(rim);
    p.setPen(QPen(QColor(196, 202, 212), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(rim.adjusted(rim.width() * 0.12, rim.height() * 0.12, -rim.width() * 0.12, -rim.height() * 0.12));
}

void paintSteam(QPainter &p, QPointF base, int plumes)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < plumes; ++i) {
        QPainterPath plume;
        const QPointF start = base + QPointF((i - (plumes - 1) / 2.0) * 26, 0);
        plume.moveTo(start);
        plume.cubicTo(start + QPointF(-14, -18), start + QPointF(14, -34), start + QPointF(0, -52));
        p.setPen(QPen(QColor(255, 255, 255, 150), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(plume);
    }
}

void paintTart(QPainter &p)
{
    paintWoodenTable(p);
    const QPointF centre(160, 122);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawEllipse(centre + QPointF(6, 8), 104, 100);

    // Crust with a fluted edge: 24 flutes, traced finely enough to stay round.
    QPainterPath crust;
    for (int degrees = 0; degrees <= 360; degrees += 2) {
        const double radius = 103 + 3 * std::cos(radians(degrees * 24.0));
        const QPointF point = onEllipse(centre, radius, radius, degrees);
        degrees == 0 ? crust.moveTo(point) : crust.lineTo(point);
    }
    QRadialGradient baked(centre, 108);
    baked.setColorAt(0.80, QColor(226, 168, 92));
    baked.setColorAt(1.00, QColor(176, 110, 46));
    p.setBrush(baked);
    p.drawPath(crust);

    QRadialGradient compote(centre, 88);
    compote.setColorAt(0, QColor(250, 214, 130));
    compote.setColorAt(1, QColor(220, 160, 70));
    p.setBrush(compote);
    p.drawEllipse(centre, 88, 88);

    // Apple slices laid as a rosette, outer ring first so the inner rings overlap it.
    const struct { double radius; int count; double length; } rings[] = {{66, 18, 30}, {40, 12, 24}, {16, 6, 16}};
    for (const auto &ring : rings) {
        for (int i = 0; i < ring.count; ++i) {
            const double angle = 360.0 * i / ring.count;
            p.save();
            p.translate(centre + QPointF(ring.radius * std::cos(radians(angle)), ring.radius * std::sin(radians(angle))));
            p.rotate(angle + 90);
            QLinearGradient slice(0, -6, 0, 8);
            slice.setColorAt(0, QColor(196, 60, 40));
            slice.setColorAt(0.25, QColor(240, 196, 110));
            slice.setColorAt(1, QColor(252, 228, 160));
            p.setBrush(slice);
            p.setPen(QPen(QColor(170, 104, 40), 0.8));
            p.drawEllipse(QPointF(0, 0), ring.length / 2, 8);
            p.restore();
        }
    }
    // Apricot glaze shine.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawEllipse(centre + QPointF(-30, -34), 34, 14);
}

void paintSoup(QPainter &p)
{
    paintCheckedCloth(p, QColor(40, 90, 170));
    paintPlate(p, QRectF(40, 120, 240, 100));

    // The bowl: a rounded body under an elliptical rim.
    QPainterPath body;
    body.moveTo(70, 130);
    body.cubicTo(76, 200, 244, 200, 250, 130);
    body.closeSubpath();
    QLinearGradient glaze(70, 0, 250, 0);
    glaze.setColorAt(0, QColor(190, 60, 40));
    glaze.setColorAt(0.4, QColor(236, 110, 80));
    glaze.setColorAt(1, QColor(150, 40, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(glaze);
    p.drawPath(body);
    p.setBrush(QColor(245, 240, 232));
    p.drawEllipse(QRectF(66, 108, 188, 46));

    QRadialGradient pumpkin(QPointF(150, 126), 90);
    pumpkin.setColorAt(0, QColor(252, 170, 60));
    pumpkin.setColorAt(1, QColor(222, 116, 24));
    p.setBrush(pumpkin);
    p.drawEllipse(QRectF(76, 113, 168, 36));

    // A swirl of cream and a few herbs.
    p.setPen(QPen(QColor(255, 250, 236), 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(126, 120, 52, 18), 20 * 16, 280 * 16);
    p.drawArc(QRectF(140, 125, 26, 9), 200 * 16, 250 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 130, 50));
    for (const QPointF herb : {QPointF(108, 128), QPointF(196, 124), QPointF(186, 138), QPointF(118, 138), QPointF(214, 132)})
        p.drawEllipse(herb, 3, 2);
    paintSteam(p, QPointF(160, 104), 3);
}

void paintSalad(QPainter &p)
{
    QLinearGradient linen(0, 0, 0, kHeight);
    linen.setColorAt(0, QColor(232, 244, 222));
    linen.setColorAt(1, QColor(196, 222, 180));
    p.fillRect(0, 0, kWidth, kHeight, linen);
    const QPointF centre(160, 124);
    paintPlate(p, QRectF(centre.x() - 130, centre.y() - 100, 260, 200));

    // Leaves fanned around the plate, darker ones underneath.
    for (int i = 0; i < 14; ++i) {
        const double angle = i * 360.0 / 14;
        p.save();
        p.translate(onEllipse(centre, 62, 46, angle));
        p.rotate(angle);
        QLinearGradient leaf(-40, 0, 40, 0);
        leaf.setColorAt(0, QColor(70, 140, 40));
        leaf.setColorAt(1, (i % 2) ? QColor(170, 214, 90) : QColor(130, 190, 70));
        p.setBrush(leaf);
        p.setPen(QPen(QColor(60, 120, 40), 1));
        p.drawEllipse(QPointF(0, 0), 44, 22);
        p.drawLine(QPointF(-36, 0), QPointF(36, 0));
        p.restore();
    }
    // Tomato quarters.
    p.setPen(Qt::NoPen);
    for (const double angle : {20.0, 140.0, 260.0}) {
        const QPointF at = onEllipse(centre, 52, 38, angle);
        QRadialGradient tomato(at - QPointF(5, 5), 20);
        tomato.setColorAt(0, QColor(255, 110, 90));
        tomato.setColorAt(1, QColor(200, 30, 20));
        p.setBrush(tomato);
        p.drawPie(QRectF(at - QPointF(24, 24), QSizeF(48, 48)), int(-angle - 50) * 16, 100 * 16);
        p.setBrush(QColor(250, 200, 120));
        p.drawEllipse(onEllipse(at, 12, 12, angle), 3, 2);
    }
    // Egg halves and olives.
    for (const double angle : {80.0, 200.0, 320.0}) {
        const QPointF at = onEllipse(centre, 48, 34, angle);
        p.setBrush(QColor(252, 252, 246));
        p.drawEllipse(at, 16, 12);
        p.setBrush(QColor(250, 190, 30));
        p.drawEllipse(at, 7, 6);
    }
    p.setBrush(QColor(40, 30, 40));
    for (const double angle : {50.0, 110.0, 170.0, 230.0, 290.0, 350.0})
        p.drawEllipse(onEllipse(centre, 24, 18, angle), 6, 5);
}

void paintChocolateCake(QPainter &p)
{
    QLinearGradient wall(0, 0, 0, kHeight);
    wall.setColorAt(0, QColor(252, 226, 232));
    wall.setColorAt(1, QColor(236, 184, 196));
    p.fillRect(0, 0, kWidth, kHeight, wall);

    // Cake stand.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 240, 244));
    p.drawEllipse(QRectF(40, 178, 240, 36));
    p.drawRect(QRectF(140, 196, 40, 30));
    p.drawEllipse(QRectF(110, 216, 100, 16));

    // The cake: side, then top, then ganache running down the side.
    const QRectF top(70, 78, 180, 50);
    QLinearGradient side(70, 0, 250, 0);
    side.setColorAt(0, QColor(70, 36, 20));
    side.setColorAt(0.45, QColor(120, 66, 38));
    side.setColorAt(1, QColor(56, 28, 16));
    p.setBrush(side);
    QPainterPath cylinder;
    cylinder.moveTo(top.left(), top.center().y());
    cylinder.lineTo(top.left(), top.center().y() + 86);
    cylinder.arcTo(QRectF(top.left(), top.top() + 86, top.width(), top.height()), 180, 180);
    cylinder.lineTo(top.right(), top.center().y());
    cylinder.closeSubpath();
    p.drawPath(cylinder);

    QPainterPath ganache;
    ganache.moveTo(top.left(), top.center().y());
    for (int i = 0; i <= 12; ++i) {
        const double x = top.left() + top.width() * i / 12.0;
        const double rim = top.center().y() + (top.height() / 2) * std::sin(std::numbers::pi * i / 12.0);
        const double drip = (i % 3 == 1) ? 30 : (i % 2 ? 12 : 18);
        ganache.lineTo(x, rim + drip);
    }
    ganache.lineTo(top.right(), top.center().y());
    ganache.closeSubpath();
    p.setBrush(QColor(46, 22, 12));
    p.drawPath(ganache);
    QRadialGradient gloss(top.center() - QPointF(30, 10), 110);
    gloss.setColorAt(0, QColor(110, 60, 36));
    gloss.setColorAt(1, QColor(44, 20, 10));
    p.setBrush(gloss);
    p.drawEllipse(top);

    // Raspberries in a ring, and a little mint.
    for (int i = 0; i < 9; ++i) {
        const QPointF at = onEllipse(top.center(), 66, 16, i * 40.0);
        QRadialGradient berry(at - QPointF(2, 2), 9);
        berry.setColorAt(0, QColor(250, 80, 110));
        berry.setColorAt(1, QColor(170, 10, 50));
        p.setBrush(berry);
        p.drawEllipse(at, 8, 7);
        p.setBrush(QColor(255, 170, 190));
        p.drawEllipse(at + QPointF(-2, -2), 1.5, 1.5);
    }
    p.setBrush(QColor(60, 150, 70));
    p.drawEllipse(QPointF(152, 100), 10, 5);
    p.drawEllipse(QPointF(168, 100), 10, 5);
}

void paintPancakes(QPainter &p)
{
    QRadialGradient sun(QPointF(160, 60), 260);
    sun.setColorAt(0, QColor(255, 240, 180));
    sun.setColorAt(1, QColor(240, 196, 90));
    p.fillRect(0, 0, kWidth, kHeight, sun);
    paintPlate(p, QRectF(30, 130, 260, 96));

    // A stack of thin crêpes, each a slightly wavy disc with a browned rim.
    for (int layer = 0; layer < 9; ++layer) {
        const double y = 176 - layer * 7;
        QPainterPath crepe;
        for (int step = 0; step <= 72; ++step) {
            const double angle = step * 5;
            const double wave = 3 * std::sin(radians(angle * 6 + layer * 40));
            const QPointF point = onEllipse(QPointF(160, y), 108 + wave, 30 + wave / 2, angle);
            step == 0 ? crepe.moveTo(point) : crepe.lineTo(point);
        }
        QRadialGradient golden(QPointF(150, y - 6), 120);
        golden.setColorAt(0, QColor(250, 214, 130));
        golden.setColorAt(0.85, QColor(230, 170, 80));
        golden.setColorAt(1, QColor(180, 110, 40));
        p.setBrush(golden);
        p.setPen(QPen(QColor(170, 104, 40), 1));
        p.drawPath(crepe);
    }
    // Browned spots on the top crêpe, then butter and sugar.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 120, 50, 150));
    for (const QPointF spot : {QPointF(110, 118), QPointF(200, 112), QPointF(170, 126), QPointF(132, 104), QPointF(224, 122)})
        p.drawEllipse(spot, 7, 3);
    p.setBrush(QColor(255, 236, 140));
    p.drawRoundedRect(QRectF(146, 104, 26, 14), 3, 3);
    // Sugar scattered on a sunflower spiral, which spreads evenly without any randomness.
    p.setBrush(QColor(255, 255, 255, 220));
    for (int i = 1; i <= 60; ++i) {
        const double spread = std::sqrt(i / 60.0);
        p.drawEllipse(onEllipse(QPointF(160, 114), 70 * spread, 18 * spread, i * 137.5), 1.2, 1.2);
    }

    // Half a lemon beside the plate.
    p.setBrush(QColor(250, 220, 40));
    p.drawEllipse(QPointF(272, 96), 30, 24);
    p.setBrush(QColor(255, 246, 170));
    p.drawEllipse(QPointF(272, 96), 24, 19);
    p.setPen(QPen(QColor(250, 220, 40), 1.5));
    for (int i = 0; i < 8; ++i)
        p.drawLine(QPointF(272, 96), onEllipse(QPointF(272, 96), 23, 18, i * 45.0));
}

void paintStewPot(QPainter &p)
{
    QLinearGradient slate(0, 0, 0, kHeight);
    slate.setColorAt(0, QColor(70, 76, 88));
    slate.setColorAt(1, QColor(36, 40, 48));
    p.fillRect(0, 0, kWidth, kHeight, slate);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(QRectF(50, 190, 220, 34));

    // Cast-iron pot: handles, body, lid and knob.
    QLinearGradient enamel(60, 0, 260, 0);
    enamel.setColorAt(0, QColor(120, 16, 12));
    enamel.setColorAt(0.35, QColor(220, 60, 36));
    enamel.setColorAt(1, QColor(100, 12, 10));
    p.setBrush(enamel);
    p.drawRoundedRect(QRectF(36, 118, 40, 20), 8, 8);
    p.drawRoundedRect(QRectF(244, 118, 40, 20), 8, 8);
    QPainterPath body;
    body.moveTo(64, 110);
    body.lineTo(64, 180);
    body.quadTo(64, 206, 100, 206);
    body.lineTo(220, 206);
    body.quadTo(256, 206, 256, 180);
    body.lineTo(256, 110);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawRoundedRect(QRectF(84, 126, 18, 64), 8, 8);

    QLinearGradient lid(0, 80, 0, 118);
    lid.setColorAt(0, QColor(236, 90, 60));
    lid.setColorAt(1, QColor(150, 24, 16));
    p.setBrush(lid);
    p.drawEllipse(QRectF(58, 86, 204, 36));
    p.setBrush(QColor(60, 60, 64));
    p.drawRoundedRect(QRectF(144, 76, 32, 18), 6, 6);
    p.setBrush(QColor(150, 150, 156));
    p.drawEllipse(QRectF(150, 78, 20, 6));
    paintSteam(p, QPointF(160, 70), 3);
}

void paintTrout(QPainter &p)
{
    QLinearGradient water(0, 0, kWidth, kHeight);
    water.setColorAt(0, QColor(210, 232, 246));
    water.setColorAt(1, QColor(150, 196, 226));
    p.fillRect(0, 0, kWidth, kHeight, water);
    paintPlate(p, QRectF(16, 40, 288, 170));

    // The fish: tail, body, fin, eye, then its speckles.
    p.setPen(QPen(QColor(110, 100, 90), 1));
    QLinearGradient skin(0, 90, 0, 160);
    skin.setColorAt(0, QColor(120, 130, 110));
    skin.setColorAt(0.45, QColor(230, 170, 150));
    skin.setColorAt(1, QColor(236, 236, 230));
    p.setBrush(skin);
    QPainterPath tail;
    tail.moveTo(230, 125);
    tail.lineTo(276, 96);
    tail.quadTo(266, 125, 276, 154);
    tail.closeSubpath();
    p.drawPath(tail);
    QPainterPath body;
    body.moveTo(50, 126);
    body.cubicTo(90, 80, 200, 84, 240, 125);
    body.cubicTo(200, 164, 90, 168, 50, 126);
    p.drawPath(body);
    QPainterPath fin;
    fin.moveTo(130, 96);
    fin.quadTo(150, 78, 176, 94);
    p.drawPath(fin);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(78, 118), 6, 6);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(79, 118), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 60, 60, 150));
    for (int i = 0; i < 16; ++i)
        p.drawEllipse(QPointF(110 + (i * 29) % 110, 104 + (i * 7) % 16), 2, 2);

    // Golden flaked almonds along the back, a lemon slice and parsley.
    p.setBrush(QColor(236, 206, 150));
    p.setPen(QPen(QColor(190, 150, 90), 1));
    for (int i = 0; i < 9; ++i) {
        p.save();
        p.translate(100 + i * 14, 118 + (i % 3) * 6);
        p.rotate(i * 35);
        p.drawEllipse(QPointF(0, 0), 7, 4);
        p.restore();
    }
    p.setPen(QPen(QColor(240, 210, 40), 2));
    p.setBrush(QColor(255, 244, 160));
    p.drawEllipse(QPointF(96, 176), 18, 12);
    for (int i = 0; i < 6; ++i)
        p.drawLine(QPointF(96, 176), onEllipse(QPointF(96, 176), 16, 10, i * 60.0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(50, 130, 50));
    for (const QPointF leaf : {QPointF(212, 172), QPointF(224, 168), QPointF(218, 180), QPointF(230, 178)})
        p.drawEllipse(leaf, 7, 5);
}

struct Painting
{
    const char16_t *name;
    void (*paint)(QPainter &);
};

constexpr Painting kPaintings[] = {
    {u"tarte", paintTart},
    {u"soupe", paintSoup},
    {u"salade", paintSalad},
    {u"gateau", paintChocolateCake},
    {u"crepes", paintPancakes},
    {u"cocotte", paintStewPot},
    {u"truite", paintTrout},
};

QImage paint(const QString &name)
{
    for (const Painting &painting : kPaintings) {
        if (name != QStringView(painting.name))
            continue;
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painting.paint(painter);
        return image;
    }
    throw fb::Error(QStringLiteral("Aucune illustration ne s'appelle « %1 »").arg(name));
}

} // namespace

QByteArray jpeg(const QString &name)
{
    const QImage image = paint(name);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPG", kJpegQuality))
        throw fb::Error(QStringLiteral("L'illustration « %1 » n'a pas pu être codée en JPEG").arg(name));
    return bytes;
}

} // namespace DemoPictures
