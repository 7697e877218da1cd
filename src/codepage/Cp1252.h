#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>

#include <optional>

/// Windows code page 1252, the single-byte Western European code page in which the recipe
/// database keeps its text and RTF documents write theirs. Written out here because Qt converts
/// only Unicode encodings and Latin-1, and Latin-1 puts control characters where 1252 has € , œ,
/// the bullet and the typographic quotes.
namespace Cp1252 {

/// Every byte has a character: the five bytes the code page leaves unassigned keep their C1
/// control twins, so that nothing read is lost.
QString decode(QByteArrayView bytes);

/// The byte of a character, or nothing when the code page has no place for it.
std::optional<char> byteFor(QChar character);

/// The bytes for text, or nothing when one of its characters has no place in the code page.
/// A character is never replaced by "?": refusing it is the caller's decision to make.
std::optional<QByteArray> encode(const QString &text);

/// True when every character of text has a byte in the code page.
bool canEncode(const QString &text);
bool canEncode(QChar character);

} // namespace Cp1252
