#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace richtext {

// Plain text files as the control reads and writes them. Reading takes whatever a user may
// have: a byte order mark names the encoding; otherwise bytes that are valid UTF-8 are UTF-8,
// and anything else is code page 1252, in which every byte is a character, so reading never
// fails. Line ends of any system become paragraph ends.
QString decodePlainText(QByteArrayView bytes);

// UTF-8, a paragraph a line.
QByteArray encodePlainText(const QString &rawText);

// Windows and old Mac line ends as the one line end a text cursor makes a paragraph of.
QString withUnixLineEnds(QString text);

} // namespace richtext
