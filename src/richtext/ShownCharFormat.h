#pragma once

#include <QColor>
#include <QString>

#include <optional>

class QFont;
class QTextCharFormat;

namespace richtext {

// The character format a run shows: what its own format says, and for everything it leaves
// unset, the document's default font. Two runs look alike exactly when these are equal.
struct ShownCharFormat
{
    QString family;
    int halfPoints = 24;
    std::optional<QRgb> colour; // none: the automatic colour
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int charset = 0; // \fcharset
    int pitch = 0;   // \fprq

    friend bool operator==(const ShownCharFormat &, const ShownCharFormat &) = default;
};

ShownCharFormat shownCharFormat(const QTextCharFormat &format, const QFont &defaultFont);

} // namespace richtext
