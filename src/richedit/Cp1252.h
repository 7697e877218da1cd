#pragma once

#include <QByteArrayView>
#include <QChar>
#include <QString>

#include <optional>

// Windows code page 1252, in which RTF documents and plain text files of Western Europe are
// written. Qt converts only Unicode encodings and Latin-1, and Latin-1 puts control characters
// where 1252 has the euro sign, the typographic quotes and the bullet.
namespace richedit::cp1252 {

// The byte of a character, or nothing when the code page has no place for it.
std::optional<char> byteFor(QChar character);

// Every byte has a character: the five bytes the code page leaves unassigned keep their C1
// control twins, so that nothing read is lost.
QString decode(QByteArrayView bytes);

} // namespace richedit::cp1252
