#include "richtext/RtfReader.h"

#include "richtext/RtfDocumentReader.h"
#include "richtext/RtfTokenizer.h"

#include <QTextCursor>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace richtext {

namespace {

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where the document's opening brace is: after a UTF-8 byte-order mark and white space that
// editors put before it.
std::optional<qsizetype> startOfRtf(QByteArrayView bytes)
{
    qsizetype position = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (position < bytes.size() && isWhiteSpace(bytes[position]))
        ++position;
    const QByteArrayView header = bytes.sliced(position);
    constexpr QByteArrayView opening = "{\\rtf";
    if (!header.startsWith(opening))
        return std::nullopt;
    if (header.size() > opening.size() && RtfTokenizer::isLetter(header[opening.size()])) // "{\rtfx" is another word
        return std::nullopt;
    return position;
}

} // namespace

std::optional<RtfReadError> readRtf(QByteArrayView rtf, QTextDocument& document)
{
    const std::optional<qsizetype> start = startOfRtf(rtf);
    if (!start)
        return RtfReadError{u"Le texte n'est pas un document RTF."_s};

    // As QTextDocument::setHtml does: a load is no step the user can undo.
    const bool undoRedo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();

    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    RtfDocumentReader reader(cursor);
    RtfTokenizer(rtf.sliced(*start)).run(reader);
    reader.finish();
    cursor.endEditBlock();

    document.setUndoRedoEnabled(undoRedo);
    return std::nullopt;
}

} // namespace richtext
