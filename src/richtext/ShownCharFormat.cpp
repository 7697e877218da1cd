#include "richtext/ShownCharFormat.h"

#include "richtext/RichTextFormat.h"

#include <QFont>
#include <QTextCharFormat>

namespace richtext {
namespace {

// Layout pixels are 1/96 inch.
constexpr qreal PointsPerPixel = 72.0 / 96.0;

qreal pointSizeOf(const QTextCharFormat &format, const QFont &defaultFont)
{
    if (format.hasProperty(QTextFormat::FontPointSize))
        return format.fontPointSize();
    if (format.hasProperty(QTextFormat::FontPixelSize))
        return format.intProperty(QTextFormat::FontPixelSize) * PointsPerPixel;
    if (defaultFont.pointSizeF() > 0)
        return defaultFont.pointSizeF();
    return defaultFont.pixelSize() * PointsPerPixel;
}

} // namespace

ShownCharFormat shownCharFormat(const QTextCharFormat &format, const QFont &defaultFont)
{
    ShownCharFormat shown;
    shown.family = format.property(QTextFormat::FontFamilies).toStringList().value(0);
    if (shown.family.isEmpty())
        shown.family = defaultFont.families().value(0, defaultFont.family());
    shown.halfPoints = qMax(1, qRound(pointSizeOf(format, defaultFont) * 2));
    const QBrush foreground = format.foreground();
    if (foreground.style() != Qt::NoBrush)
        shown.colour = foreground.color().rgb();
    shown.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() > QFont::Medium : defaultFont.bold();
    shown.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
    const bool underlineSet = format.hasProperty(QTextFormat::TextUnderlineStyle) || format.hasProperty(QTextFormat::FontUnderline);
    shown.underline = underlineSet ? format.fontUnderline() : defaultFont.underline();
    shown.charset = format.intProperty(FontCharset);
    shown.pitch = format.intProperty(FontPitch);
    return shown;
}

} // namespace richtext
