#pragma once

#include <QByteArray>

class QTextDocument;

namespace richtext {

// The whole document as one RTF document, which readRtf reads back with the same text,
// character formats, paragraph formats and bullets. Bullets are written for both kinds of
// reader: list tables for word processors, \pn paragraph numbering for rich edit controls.
[[nodiscard]] QByteArray writeRtf(const QTextDocument &document);

} // namespace richtext
