#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace fb {

/// Windows code page 1252, the single-byte Western European code page in which the recipe
/// database keeps its text. Written out here because Qt converts only Unicode encodings and
/// Latin-1, and Latin-1 puts control characters where 1252 has € , œ and the typographic quotes.
namespace Cp1252 {

QString decode(QByteArrayView bytes);

/// The bytes for text, or nothing when one of its characters has no place in the code page.
/// A character is never replaced by "?": refusing it is the caller's decision to make.
std::optional<QByteArray> encode(const QString &text);

/// True when every character of text has a byte in the code page.
bool canEncode(const QString &text);
bool canEncode(QChar character);

} // namespace Cp1252
} // namespace fb
