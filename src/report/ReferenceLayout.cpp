#include "report/ReferenceLayout.h"

#include <QImage>

namespace report::ReferenceLayout {

QPaintDevice &device()
{
    static QImage reference = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dotsPerMetre = qRound(DotsPerInch * 1000 / MillimetresPerInch);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return reference;
}

QFont font(const QFont &font)
{
    QFont laidOut(font, &device());
    // Hinted glyphs are as wide as one resolution's pixels make them: without hinting a text
    // is as wide on paper as on the screen.
    laidOut.setHintingPreference(QFont::PreferNoHinting);
    return laidOut;
}

} // namespace report::ReferenceLayout
