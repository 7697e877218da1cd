#include "ReportLook.h"

namespace ReportLook {
namespace {

QFont font(const QString &family, qreal points, int style)
{
    QFont font(family);
    font.setPointSizeF(points);
    font.setBold(style & Bold);
    font.setItalic(style & Italic);
    return font;
}

report::TextStyle textStyle(const QFont &font, const QColor &colour, Qt::Alignment alignment, bool autoSize)
{
    report::TextStyle style;
    style.font = font;
    style.colour = colour;
    style.background = Qt::white;
    style.alignment = alignment;
    style.autoSize = autoSize;
    return style;
}

} // namespace

QFont arial(qreal points, int style)
{
    return font(QStringLiteral("Arial"), points, style);
}

QFont comicSans(qreal points, int style)
{
    return font(QStringLiteral("Comic Sans MS"), points, style);
}

report::TextStyle oneLine(const QFont &font, const QColor &colour)
{
    return textStyle(font, colour, Qt::AlignLeft, true);
}

report::TextStyle rightJustified(const QFont &font, const QColor &colour)
{
    return textStyle(font, colour, Qt::AlignRight, true);
}

report::TextStyle fixedBox(const QFont &font, const QColor &colour)
{
    return textStyle(font, colour, Qt::AlignLeft, false);
}

void addPrintingDay(report::Band &band)
{
    band.add<report::Label>(QRectF(171.4, 2.1, 7.7, 5.0), QStringLiteral("Date :"), oneLine(arial(8), text));
    band.add<report::SystemDate>(QRectF(179.9, 2.1, 8.2, 5.0), oneLine(arial(8), text));
}

void addPageNumber(report::Band &band)
{
    band.add<report::Expression>(QRectF(162.2, 0.0, 27.8, 4.0), QStringLiteral("'Page ' + PageNumber"),
        rightJustified(arial(8), text));
}

} // namespace ReportLook
