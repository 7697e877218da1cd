#pragma once

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include <vector>

class QTextList;

namespace richtext {

// Puts the paragraphs the reader finishes into a document through one cursor: a paragraph's
// runs wait until its end, when its format and its list are known.
class RtfReaderOutput {
public:
    explicit RtfReaderOutput(const QTextCursor& cursor);

    void addText(const QString& text, const QTextCharFormat& format);
    // The marker a producer wrote before a list paragraph ("1.", a bullet and a tab).
    void addMarkerText(const QString& text, const QTextCharFormat& format);

    // A bulleted paragraph joins the list of the bulleted paragraph before it and drops its
    // marker, which the list draws; any other paragraph keeps its marker as text. Qt marks every
    // paragraph of a list changed whenever one joins it, which makes a list cost the square of
    // its length, so a long run of bullets is spread over several lists, which look the same.
    // emptyFormat is the character format of a paragraph without text.
    void endParagraph(const QTextBlockFormat& format, bool bulleted, const QTextCharFormat& emptyFormat);

    // The text after the last paragraph end. Producers end their last paragraph with \par too,
    // so an empty one there adds no paragraph.
    void endDocument(const QTextBlockFormat& format, bool bulleted, const QTextCharFormat& emptyFormat);

private:
    struct Run {
        QString text;
        QTextCharFormat format;
    };

    void insert(const std::vector<Run>& runs);

    QTextCursor m_cursor;
    std::vector<Run> m_marker;
    std::vector<Run> m_text;
    bool m_firstParagraph = true;
    QTextList* m_list = nullptr;
    int m_listLength = 0;
};

} // namespace richtext
