#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;
class Scoreboard;

/// Times the rich text layer on one large document of about 1 MB of RTF, 5,000 paragraphs of
/// mixed fonts, colours, alignments, indents, bullets and accents: reading it into a new
/// document against Qt's own HTML import of the same content, and writing it. Needs no database.
class RichTextBench
{
public:
    explicit RichTextBench(Scoreboard &scoreboard);

    /// An RTF document of recipe-like paragraphs, the same on every run, in several typefaces,
    /// colours and alignments, about one paragraph in five bulleted: about 220 bytes a paragraph.
    static QByteArray recipeLikeRtf(int paragraphs);

    void run();

private:
    static void fill(QTextDocument &document, int paragraphs);

    Scoreboard &m_scoreboard;
};
