#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QRawFont>
#include <QVarLengthArray>

class QPaintDevice;

/// Text in a report is laid out once, against one reference resolution, and then only scaled
/// to the screen, the printer or a PDF: what the preview shows is what the printer prints, line
/// for line.
namespace report::ReferenceLayout {

/// The resolution every report is laid out at, that of the screen the layouts were drawn on.
inline constexpr qreal DotsPerInch = 96;
inline constexpr qreal MillimetresPerInch = 25.4;

inline constexpr qreal toMillimetres(qreal referencePixels)
{
    return referencePixels * MillimetresPerInch / DotsPerInch;
}

inline constexpr qreal toPixels(qreal millimetres)
{
    return millimetres * DotsPerInch / MillimetresPerInch;
}

/// A device at the reference resolution that text is measured against.
QPaintDevice &device();

/// The font as the reports use it: unhinted, so that its widths do not depend on the
/// resolution, and sized for the reference device.
QFont font(const QFont &font);

/// The size of texts of one font on one line, in millimetres. A list measures a text a row:
/// its widths come from the font's own advance and kerning tables, without shaping every text
/// anew, and from the full text layout only for a character the font lacks (another font then
/// stands in for it).
class TextMetrics
{
public:
    explicit TextMetrics(const QFont &font);

    qreal width(const QString &text) const;
    qreal ascent() const;
    qreal height() const;

private:
    QFontMetricsF m_metrics;
    QRawFont m_rawFont;
    mutable QVarLengthArray<quint32, 128> m_glyphs;
    mutable QVarLengthArray<QPointF, 128> m_advances;
};

} // namespace report::ReferenceLayout
