#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

class QTextDocument;

namespace richtext {

struct RtfReadError {
    QString message;
};

// Replaces the document's whole content with the RTF read from the bytes. Bytes that are not an
// RTF document (not starting, after optional white space / BOM, with "{\rtf") give an error and
// leave the document unchanged, so that the caller can read them again as plain text. Anything
// else loads: a document cut short shows what it holds, and what cannot be understood is left out.
[[nodiscard]] std::optional<RtfReadError> readRtf(QByteArrayView rtf, QTextDocument& document);

} // namespace richtext
