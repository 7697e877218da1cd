#include "report/ReferenceLayout.h"

#include <QImage>

#include <algorithm>

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

TextMetrics::TextMetrics(const QFont &font)
    : m_metrics(ReferenceLayout::font(font), &device())
    , m_rawFont(QRawFont::fromFont(ReferenceLayout::font(font)))
{
}

qreal TextMetrics::width(const QString &text) const
{
    int count = int(text.size());
    m_glyphs.resize(count);
    if (!m_rawFont.isValid() || !m_rawFont.glyphIndexesForChars(text.constData(), count, m_glyphs.data(), &count)
        || std::find(m_glyphs.cbegin(), m_glyphs.cbegin() + count, 0u) != m_glyphs.cbegin() + count)
        return toMillimetres(m_metrics.horizontalAdvance(text));
    m_advances.resize(count);
    m_rawFont.advancesForGlyphIndexes(m_glyphs.constData(), m_advances.data(), count, QRawFont::KernedAdvances);
    qreal width = 0;
    for (int i = 0; i < count; ++i)
        width += m_advances[i].x();
    return toMillimetres(width);
}

qreal TextMetrics::ascent() const
{
    return toMillimetres(m_metrics.ascent());
}

qreal TextMetrics::height() const
{
    return toMillimetres(m_metrics.height());
}

} // namespace report::ReferenceLayout
