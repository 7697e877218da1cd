#pragma once

#include <QFont>

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

} // namespace report::ReferenceLayout
