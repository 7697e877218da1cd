#include "ColourBox.h"

#include <QPainter>
#include <QPixmap>

namespace {

const struct
{
    const char16_t *name;
    QRgb rgb;
} standardColours[] = {
    {u"Black", 0x000000},
    {u"Maroon", 0x800000},
    {u"Green", 0x008000},
    {u"Olive", 0x808000},
    {u"Navy", 0x000080},
    {u"Purple", 0x800080},
    {u"Teal", 0x008080},
    {u"Gray", 0x808080},
    {u"Silver", 0xc0c0c0},
    {u"Red", 0xff0000},
    {u"Lime", 0x00ff00},
    {u"Yellow", 0xffff00},
    {u"Blue", 0x0000ff},
    {u"Fuchsia", 0xff00ff},
    {u"Aqua", 0x00ffff},
    {u"White", 0xffffff},
};

QIcon swatch(const QColor &colour)
{
    QPixmap picture(14, 12);
    picture.fill(Qt::black);
    QPixmap inside(12, 10);
    inside.fill(colour);
    {
        QPainter painter(&picture);
        painter.drawPixmap(1, 1, inside);
    }
    return QIcon(picture);
}

} // namespace

ColourBox::ColourBox(QWidget *parent)
    : QComboBox(parent)
{
    setIconSize(QSize(14, 12));
    for (const auto &standard : standardColours) {
        const QColor colour = QColor::fromRgb(standard.rgb);
        addItem(swatch(colour), QString::fromUtf16(standard.name), colour);
    }
    setCurrentIndex(-1);
}

QColor ColourBox::colour() const
{
    return currentIndex() < 0 ? QColor() : currentData().value<QColor>();
}

void ColourBox::setColour(const QColor &colour)
{
    setCurrentIndex(colour.isValid() ? findData(QColor(colour.rgb())) : -1);
}
