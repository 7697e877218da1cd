#pragma once

#include "report/Elements.h"
#include "report/Report.h"

#include <QColor>
#include <QFont>

/// The fonts and colours the printed reports were designed with, by the names they were
/// designed with ("Arial", "Comic Sans MS"), which stand for installed fonts; and the parts
/// that every report prints alike.
namespace ReportLook {

inline const QColor navy{0x00, 0x00, 0x80};
/// The text colour of the design. Printed black: a page is white whatever the desktop's theme.
inline const QColor text{Qt::black};

enum FontStyle { Regular = 0, Bold = 0x1, Italic = 0x2 };

QFont arial(qreal points, int style = Regular);
QFont comicSans(qreal points, int style = Regular);

/// Text on one line as wide as itself, left-justified on white.
report::TextStyle oneLine(const QFont &font, const QColor &colour);
/// The page number at the foot: one line against the band's right edge.
report::TextStyle rightJustified(const QFont &font, const QColor &colour);
/// A title wrapping inside its fixed box.
report::TextStyle fixedBox(const QFont &font, const QColor &colour);

/// "Date :" and the day of printing at the top right of a column header.
void addPrintingDay(report::Band &band);
/// "Page " and the page's number against the right edge of a page footer.
void addPageNumber(report::Band &band);

} // namespace ReportLook
