#include "richtext/RtfReaderOutput.h"

#include <QTextList>

namespace richtext {

namespace {

constexpr int MaxListLength = 100;

} // namespace

RtfReaderOutput::RtfReaderOutput(const QTextCursor& cursor)
    : m_cursor(cursor)
{
}

void RtfReaderOutput::addText(const QString& text, const QTextCharFormat& format)
{
    m_text.push_back({text, format});
}

void RtfReaderOutput::addMarkerText(const QString& text, const QTextCharFormat& format)
{
    m_marker.push_back({text, format});
}

void RtfReaderOutput::endParagraph(const QTextBlockFormat& format, bool bulleted, const QTextCharFormat& emptyFormat)
{
    const QTextCharFormat& blockCharFormat = m_text.empty() ? emptyFormat : m_text.front().format;
    if (m_firstParagraph) {
        m_cursor.setBlockFormat(format);
        m_cursor.setBlockCharFormat(blockCharFormat);
        m_firstParagraph = false;
    } else {
        m_cursor.insertBlock(format, blockCharFormat);
    }
    if (!bulleted)
        insert(m_marker);
    insert(m_text);
    m_marker.clear();
    m_text.clear();

    if (!bulleted) {
        m_list = nullptr;
    } else if (m_list && m_listLength < MaxListLength) {
        m_list->add(m_cursor.block());
        ++m_listLength;
    } else {
        QTextListFormat listFormat;
        listFormat.setStyle(QTextListFormat::ListDisc);
        listFormat.setIndent(0); // the block's own indents place it
        m_list = m_cursor.createList(listFormat);
        m_listLength = 1;
    }
}

void RtfReaderOutput::endDocument(const QTextBlockFormat& format, bool bulleted, const QTextCharFormat& emptyFormat)
{
    if (m_firstParagraph || !m_text.empty() || !m_marker.empty())
        endParagraph(format, bulleted, emptyFormat);
}

void RtfReaderOutput::insert(const std::vector<Run>& runs)
{
    for (const Run& run : runs)
        m_cursor.insertText(run.text, run.format);
}

} // namespace richtext
