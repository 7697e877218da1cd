#include "richedit/RichEdit.h"

#include "GuiTestMain.h"
#include "guard/GuardedApplication.h"
#include "richtext/RichTextFormat.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QSignalSpy>
#include <QStringDecoder>
#include <QTest>
#include <QTextBlock>
#include <QTextList>

#include <memory>

using namespace richedit;
using namespace richtext;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(richedit::ParagraphFormat)
Q_DECLARE_METATYPE(richtext::ParagraphIndents)

namespace {

// Counts the entry points a data binding overrides to run its own work first.
class InterceptingRichEdit : public RichEdit
{
public:
    void cutToClipboard() override
    {
        ++cuts;
        RichEdit::cutToClipboard();
    }
    void pasteFromClipboard() override
    {
        ++pastes;
        RichEdit::pasteFromClipboard();
    }

    int cuts = 0;
    int pastes = 0;
};

QAction *actionNamed(QMenu &menu, const QString &text)
{
    for (QAction *action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

void putOnClipboard(const QString &text, const QByteArray &rtf = {})
{
    auto *data = new QMimeData;
    data->setText(text);
    if (!rtf.isEmpty())
        data->setData(u"text/rtf"_s, rtf);
    QGuiApplication::clipboard()->setMimeData(data);
}

QImage blankPage(int dotsPerInch, const QSize &size)
{
    QImage page(size, QImage::Format_ARGB32);
    page.fill(Qt::white);
    page.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    page.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    return page;
}

bool hasInk(const QImage &page, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (page.pixel(x, y) != qRgb(255, 255, 255))
                return true;
        }
    }
    return false;
}

const QByteArray SampleRtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"
                             "{\\colortbl;\\red255\\green0\\blue0;}"
                             "\\pard\\qc\\f0\\fs24\\cf1\\b Tarte\\b0  aux pommes\\par\\pard\\li720 Pommes\\par}";

} // namespace

class TestRichEdit : public QObject

{
    Q_OBJECT

private slots:
    void init();

    void selection_data();
    void selection();
    void selectionKeepsCharactersWhole_data();
    void selectionKeepsCharactersWhole();
    void linesAsLaidOut();

    void characterFormatOfSelection();
    void characterFormatOfMixedSelection();
    void typingAttributes();
    void paragraphIndentsInTwips_data();
    void paragraphIndentsInTwips();
    void paragraphFormatOfSeveralParagraphs();
    void bulletsMakeAndLeaveAList();

    void streamInReplacesAndCountsAsOneChange();
    void streamInOfBadRtfChangesNothing();
    void plainTextDecoding_data();
    void plainTextDecoding();
    void plainTextTakesTypingAttributes();
    void streamOutAsPlainText();
    void undoAfterEdits();

    void copyOffersRtfAndPlainText();
    void pasteOfRtfKeepsFormats();
    void copyAndPasteMoveParagraphEndsOnly_data();
    void copyAndPasteMoveParagraphEndsOnly();
    void pasteOfPlainTextTakesTypingAttributes();
    void cutAndPasteGoThroughTheEntryPoints();
    void readOnlyAllowsOnlySelectingAndCopying();
    void filesAreNotPasted();
    void plainTextModeDropsFormatting();

    void formattingRectanglePlacesTheText();
    void renderRangeSplitsAcrossPages();
    void renderRangeScalesToTheDevice();
    void renderRangeMovesPastALineTallerThanThePage();
};

void TestRichEdit::init()
{
    QGuiApplication::clipboard()->clear();
}

void TestRichEdit::selection_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");

    // "abc\ndef": the paragraph end counts as one character, as in a rich edit control.
    QTest::newRow("caret") << 2 << 0 << 2 << 0;
    QTest::newRow("across the paragraph end") << 2 << 3 << 2 << 3;
    QTest::newRow("backwards") << 5 << -3 << 2 << 3;
    QTest::newRow("past the end") << 5 << 100 << 5 << 2;
    QTest::newRow("before the start") << -4 << 2 << 0 << 2;
}

void TestRichEdit::selection()
{
    QFETCH(int, start);
    QFETCH(int, length);
    RichEdit edit;
    edit.setPlainText(u"abc\ndef"_s);
    QSignalSpy moved(&edit, &QTextEdit::cursorPositionChanged);
    edit.setSelection(start, length);
    QTEST(edit.selStart(), "selStart");
    QTEST(edit.selLength(), "selLength");
    QCOMPARE(edit.textLength(), 7);
    QVERIFY(!moved.isEmpty() || start == 0);
}

void TestRichEdit::selectionKeepsCharactersWhole_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("selected");

    // "a😀b": the emoji is two UTF-16 units, positions 1 and 2.
    QTest::newRow("caret inside the emoji") << 2 << 0 << QString();
    QTest::newRow("ending inside the emoji") << 0 << 2 << u"a"_s;
    QTest::newRow("starting inside the emoji") << 2 << 2 << u"😀b"_s;
    QTest::newRow("backwards from inside the emoji") << 2 << -2 << u"a"_s;
    QTest::newRow("the emoji whole") << 1 << 2 << u"😀"_s;
}

// Whatever positions a caller gives, what is selected, cut or deleted is whole characters.
void TestRichEdit::selectionKeepsCharactersWhole()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, selected);
    RichEdit edit;
    edit.setPlainText(u"a😀b"_s);
    edit.setSelection(start, length);
    QCOMPARE(edit.textCursor().selectedText(), selected);

    edit.cutToClipboard();
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QVERIFY(edit.toPlainText().isValidUtf16());
    QVERIFY(QGuiApplication::clipboard()->text().isValidUtf16());
}

void TestRichEdit::linesAsLaidOut()
{
    RichEdit edit;
    edit.resize(120, 300);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    const QString longParagraph = u"une ligne qui se replie sur plusieurs lignes du controle"_s;
    edit.setPlainText(longParagraph + u"\ncourt\n\nfin"_s);

    const int secondParagraph = int(longParagraph.size()) + 1;
    const int secondLine = edit.lineFromChar(secondParagraph);
    QVERIFY2(secondLine >= 2, "the first paragraph wraps");
    QCOMPARE(edit.lineIndex(0), 0);
    QCOMPARE(edit.lineIndex(secondLine), secondParagraph);
    QCOMPARE(edit.lineFromChar(secondParagraph - 1), secondLine - 1); // its paragraph end
    QCOMPARE(edit.lineFromChar(secondParagraph + 6), secondLine + 1); // the empty paragraph
    QCOMPARE(edit.lineFromChar(edit.textLength()), secondLine + 2);
    QCOMPARE(edit.lineFromChar(edit.textLength() + 10), secondLine + 2);
    QCOMPARE(edit.lineIndex(secondLine + 3), -1);
    QCOMPARE(edit.lineIndex(-1), -1);
    // Every wrapped line starts where the one before stopped.
    for (int line = 1; line < secondLine; ++line) {
        const int first = edit.lineIndex(line);
        QVERIFY(first > edit.lineIndex(line - 1));
        QCOMPARE(edit.lineFromChar(first), line);
        QCOMPARE(edit.lineFromChar(first - 1), line - 1);
    }
}

void TestRichEdit::characterFormatOfSelection()
{
    RichEdit edit;
    edit.setPlainText(u"salade de fruits"_s);
    edit.setSelection(0, 6);
    const CharacterFormat everything{u"Arial"_s, 14, QColor(Qt::red), true, true, true, 238, 2};
    edit.setCharacterFormat(everything);
    QCOMPARE(edit.characterFormat(), everything);

    // Only what is given changes.
    edit.setCharacterFormat({.bold = false, .charset = 0});
    CharacterFormat expected = everything;
    expected.bold = false;
    expected.charset = 0;
    QCOMPARE(edit.characterFormat(), expected);

    edit.setCharacterFormat({.colour = QColor()});
    QVERIFY(edit.characterFormat().colour.has_value());
    QVERIFY(!edit.characterFormat().colour->isValid()); // back to the automatic colour

    // The rest of the text did not move.
    edit.setSelection(7, 9);
    QCOMPARE(edit.characterFormat().bold, false);
    QCOMPARE(edit.characterFormat().typeface, edit.document()->defaultFont().family());
}

void TestRichEdit::characterFormatOfMixedSelection()
{
    RichEdit edit;
    edit.setPlainText(u"un deux"_s);
    edit.setSelection(0, 7);
    edit.setCharacterFormat({.typeface = u"Arial"_s, .pointSize = 12});
    edit.setSelection(0, 2);
    edit.setCharacterFormat({.bold = true});
    edit.setSelection(3, 4);
    edit.setCharacterFormat({.pointSize = 14, .italic = false});

    edit.setSelection(0, 7);
    const CharacterFormat mixed = edit.characterFormat();
    QCOMPARE(mixed.typeface, u"Arial"_s);
    QCOMPARE(mixed.pointSize, std::nullopt);
    QCOMPARE(mixed.bold, std::nullopt);
    QCOMPARE(mixed.italic, false);
    QVERIFY(mixed.colour.has_value());

    // A selection that stops at the end of the bold word sees only bold.
    edit.setSelection(0, 2);
    QCOMPARE(edit.characterFormat().bold, true);
}

void TestRichEdit::typingAttributes()
{
    RichEdit edit;
    edit.setPlainText(u"ab"_s);
    edit.setSelection(1, 0);
    edit.setCharacterFormat({.typeface = u"Comic Sans MS"_s, .colour = QColor(0, 0, 0x80), .bold = true});
    QCOMPARE(edit.characterFormat().bold, true); // at the caret, before typing
    QTest::keyClicks(&edit, u"X"_s);
    QCOMPARE(edit.toPlainText(), u"aXb"_s);

    edit.setSelection(1, 1);
    QCOMPARE(edit.characterFormat().typeface, u"Comic Sans MS"_s);
    QCOMPARE(edit.characterFormat().colour, QColor(0, 0, 0x80));
    edit.setSelection(0, 1);
    QCOMPARE(edit.characterFormat().bold, false);
    edit.setSelection(2, 1);
    QCOMPARE(edit.characterFormat().bold, false);
}

void TestRichEdit::paragraphIndentsInTwips_data()
{
    QTest::addColumn<ParagraphFormat>("change");
    QTest::addColumn<ParagraphIndents>("stored");
    QTest::addColumn<ParagraphFormat>("read");

    // The paragraph starts with first line 200, following lines 100 further, right 50:
    // \li 300 \fi -100 \ri 50.
    QTest::newRow("first line and left") << ParagraphFormat{.firstLineIndent = 720, .leftIndent = 360}
                                         << ParagraphIndents{1080, 50, -360}
                                         << ParagraphFormat{.firstLineIndent = 720, .leftIndent = 360, .rightIndent = 50};
    QTest::newRow("first line alone moves every line") << ParagraphFormat{.firstLineIndent = 500}
                                                       << ParagraphIndents{600, 50, -100}
                                                       << ParagraphFormat{.firstLineIndent = 500, .leftIndent = 100, .rightIndent = 50};
    QTest::newRow("left alone moves the following lines") << ParagraphFormat{.leftIndent = -200}
                                                          << ParagraphIndents{0, 50, 200}
                                                          << ParagraphFormat{.firstLineIndent = 200, .leftIndent = -200, .rightIndent = 50};
    QTest::newRow("right alone") << ParagraphFormat{.rightIndent = 1440} << ParagraphIndents{300, 1440, -100}
                                 << ParagraphFormat{.firstLineIndent = 200, .leftIndent = 100, .rightIndent = 1440};
    QTest::newRow("alignment leaves the indents") << ParagraphFormat{.alignment = ParagraphAlignment::Justify}
                                                  << ParagraphIndents{300, 50, -100}
                                                  << ParagraphFormat{.firstLineIndent = 200, .leftIndent = 100, .rightIndent = 50};
}

void TestRichEdit::paragraphIndentsInTwips()
{
    QFETCH(ParagraphFormat, change);
    QFETCH(ParagraphIndents, stored);
    QFETCH(ParagraphFormat, read);
    RichEdit edit;
    edit.setPlainText(u"ingrédients"_s);
    edit.setParagraphFormat({.firstLineIndent = 200, .leftIndent = 100, .rightIndent = 50});
    edit.setParagraphFormat(change);

    QCOMPARE(indents(edit.document()->begin().blockFormat()), stored);
    const ParagraphFormat now = edit.paragraphFormat();
    QCOMPARE(now.firstLineIndent, read.firstLineIndent);
    QCOMPARE(now.leftIndent, read.leftIndent);
    QCOMPARE(now.rightIndent, read.rightIndent);
    QCOMPARE(now.alignment, change.alignment.value_or(ParagraphAlignment::Left));
    QCOMPARE(now.numbering, Numbering::None);
}

void TestRichEdit::paragraphFormatOfSeveralParagraphs()
{
    RichEdit edit;
    edit.setPlainText(u"un\ndeux\ntrois"_s);
    edit.setSelection(0, 0);
    edit.setParagraphFormat({.alignment = ParagraphAlignment::Center, .firstLineIndent = 360});
    edit.setSelection(4, 0);
    edit.setParagraphFormat({.alignment = ParagraphAlignment::Center, .rightIndent = 100});

    edit.setSelection(1, 4); // from the first paragraph into the second
    const ParagraphFormat mixed = edit.paragraphFormat();
    QCOMPARE(mixed.alignment, ParagraphAlignment::Center);
    QCOMPARE(mixed.firstLineIndent, std::nullopt);
    QCOMPARE(mixed.rightIndent, std::nullopt);
    QCOMPARE(mixed.leftIndent, 0);

    // Setting applies to every paragraph touched, and to them only.
    edit.setParagraphFormat({.alignment = ParagraphAlignment::Right});
    QCOMPARE(edit.paragraphFormat().alignment, ParagraphAlignment::Right);
    QCOMPARE(edit.document()->findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(indents(edit.document()->findBlockByNumber(0).blockFormat()).left, 360);
}

void TestRichEdit::bulletsMakeAndLeaveAList()
{
    RichEdit edit;
    edit.setPlainText(u"un\ndeux\ntrois"_s);
    edit.setSelection(0, 0);
    edit.setParagraphFormat({.leftIndent = -200});
    edit.setSelection(1, 5); // the first two paragraphs
    edit.setParagraphFormat({.numbering = Numbering::Bullets});

    const QTextBlock first = edit.document()->begin();
    QVERIFY(first.textList());
    QCOMPARE(first.textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(first.textList()->format().indent(), 0);
    QCOMPARE(first.next().textList(), first.textList());
    QVERIFY(!first.next().next().textList());
    QCOMPARE(edit.paragraphFormat().numbering, Numbering::Bullets);
    QCOMPARE(indents(first.blockFormat()).firstLine, 200); // the indents stay

    edit.setSelection(edit.textLength(), 0);
    QCOMPARE(edit.paragraphFormat().numbering, Numbering::None);
    edit.setSelection(0, 8);
    QCOMPARE(edit.paragraphFormat().numbering, std::nullopt);

    edit.setSelection(0, 0);
    edit.setParagraphFormat({.numbering = Numbering::None});
    QVERIFY(!edit.document()->begin().textList());
    QVERIFY(edit.document()->begin().next().textList());
    QCOMPARE(indents(edit.document()->begin().blockFormat()).firstLine, 200);
}

void TestRichEdit::streamInReplacesAndCountsAsOneChange()
{
    RichEdit edit;
    QTest::keyClicks(&edit, u"ancien texte"_s);
    edit.setSelection(3, 2);
    QVERIFY(edit.document()->isUndoAvailable());
    QSignalSpy changed(&edit, &QTextEdit::textChanged);

    QCOMPARE(edit.streamIn(SampleRtf, StreamFormat::Rtf), std::nullopt);
    QCOMPARE(edit.toPlainText(), u"Tarte aux pommes\nPommes"_s);
    QCOMPARE(changed.count(), 1);
    QVERIFY(!edit.canUndo());
    QCOMPARE(edit.selStart(), 0);
    QCOMPARE(edit.selLength(), 0);
    QCOMPARE(edit.characterFormat().bold, true); // typing at the start continues the first run
    QCOMPARE(edit.paragraphFormat().alignment, ParagraphAlignment::Center);
    edit.setSelection(edit.textLength(), 0);
    QCOMPARE(edit.paragraphFormat().firstLineIndent, 720);
}

void TestRichEdit::streamInOfBadRtfChangesNothing()
{
    RichEdit edit;
    QTest::keyClicks(&edit, u"mon texte"_s);
    QSignalSpy changed(&edit, &QTextEdit::textChanged);

    const std::optional<QString> error = edit.streamIn("Ceci n'est pas du RTF", StreamFormat::Rtf);
    QVERIFY(error.has_value());
    QVERIFY(!error->isEmpty());
    QCOMPARE(edit.toPlainText(), u"mon texte"_s);
    QCOMPARE(changed.count(), 0);
    QVERIFY(edit.canUndo());

    // As the data binding does: the same bytes again, as plain text.
    QCOMPARE(edit.streamIn("Ceci n'est pas du RTF", StreamFormat::PlainText), std::nullopt);
    QCOMPARE(edit.toPlainText(), u"Ceci n'est pas du RTF"_s);
    QCOMPARE(changed.count(), 1);
}

void TestRichEdit::plainTextDecoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("UTF-8") << QByteArray("cr\xc3\xa8me \xe2\x82\xac") << u"crème €"_s;
    QTest::newRow("code page 1252") << QByteArray("cr\xe8me \x80 \x9c\x95") << u"crème € œ•"_s;
    QTest::newRow("UTF-8 cut in the middle of a character") << QByteArray("caf\xc3") << u"cafÃ"_s;
    QTest::newRow("UTF-8 with a byte order mark") << QByteArray("\xef\xbb\xbf\xc3\xa9t\xc3\xa9") << u"été"_s;
    QTest::newRow("UTF-16 with a byte order mark") << QByteArray("\xff\xfe\xe9\x00t\x00\xe9\x00", 8) << u"été"_s;
    QTest::newRow("Windows line ends") << QByteArray("un\r\ndeux\r\n\r\ntrois") << u"un\ndeux\n\ntrois"_s;
    QTest::newRow("old Mac line ends and tabs") << QByteArray("un\rdeux\ttrois") << u"un\ndeux\ttrois"_s;
    QTest::newRow("nothing") << QByteArray() << QString();
}

void TestRichEdit::plainTextDecoding()
{
    QFETCH(QByteArray, bytes);
    RichEdit edit;
    QCOMPARE(edit.streamIn(bytes, StreamFormat::PlainText), std::nullopt);
    QTEST(edit.toPlainText(), "text");
}

void TestRichEdit::plainTextTakesTypingAttributes()
{
    RichEdit edit;
    edit.streamIn(SampleRtf, StreamFormat::Rtf);
    edit.setSelection(0, edit.textLength());
    edit.textCursor().removeSelectedText();
    const CharacterFormat typing{u"MS Sans Serif"_s, 8, QColor(0, 0, 0x80), true, false, false, 0, 0};
    edit.setCharacterFormat(typing);

    QCOMPARE(edit.streamIn("ligne 1\nligne 2\n\n", StreamFormat::PlainText), std::nullopt);
    edit.setSelection(0, edit.textLength());
    QCOMPARE(edit.characterFormat(), typing);
    QCOMPARE(edit.paragraphFormat(), (ParagraphFormat{ParagraphAlignment::Left, Numbering::None, 0, 0, 0}));
    // The empty last paragraph would show its height in that format too.
    QCOMPARE(edit.document()->lastBlock().charFormat().fontPointSize(), 8.0);
}

void TestRichEdit::streamOutAsPlainText()
{
    RichEdit edit;
    edit.streamIn(SampleRtf, StreamFormat::Rtf);
    edit.insertPlainText(QString(QChar::LineSeparator) + QChar::Nbsp + u"é😀"_s);
    QCOMPARE(edit.streamOut(StreamFormat::PlainText), u"\n\u00a0é😀Tarte aux pommes\nPommes"_s.toUtf8());
}

void TestRichEdit::undoAfterEdits()
{
    RichEdit edit;
    edit.streamIn("tarte", StreamFormat::PlainText);
    QVERIFY(!edit.canUndo());
    edit.setSelection(0, 5);
    edit.setCharacterFormat({.bold = true});
    QVERIFY(edit.canUndo());
    QSignalSpy changed(&edit, &QTextEdit::textChanged);
    edit.undo();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(edit.characterFormat().bold, false);
    QVERIFY(!edit.canUndo()); // the load before it stays

    // The undo history belongs to each control.
    RichEdit other;
    QTest::keyClicks(&other, u"x"_s);
    QVERIFY(other.canUndo());
    QVERIFY(!edit.canUndo());
}

void TestRichEdit::copyOffersRtfAndPlainText()
{
    RichEdit edit;
    edit.streamIn(SampleRtf, StreamFormat::Rtf);
    edit.setSelection(6, 12); // "aux pommes" and the paragraph end, then "P"
    edit.copy();

    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    QCOMPARE(data->text(), u"aux pommes\nP"_s);
    QVERIFY(data->data(u"text/rtf"_s).startsWith("{\\rtf1"));
    QVERIFY(!data->hasHtml());

    RichEdit target;
    QCOMPARE(target.streamIn(data->data(u"text/rtf"_s), StreamFormat::Rtf), std::nullopt);
    QCOMPARE(target.toPlainText(), u"aux pommes\nP"_s);
    target.setSelection(0, 3);
    QCOMPARE(target.characterFormat().colour, QColor(Qt::red));
    QCOMPARE(target.characterFormat().bold, false);
}

void TestRichEdit::pasteOfRtfKeepsFormats()
{
    RichEdit source;
    source.streamIn(SampleRtf, StreamFormat::Rtf);
    source.setSelection(0, 5);
    source.copy();

    RichEdit target;
    target.setPlainText(u"[]"_s);
    target.setSelection(1, 0);
    QVERIFY(target.canPaste());
    target.pasteFromClipboard();
    QCOMPARE(target.toPlainText(), u"[Tarte]"_s);
    target.setSelection(1, 5);
    const CharacterFormat pasted = target.characterFormat();
    QCOMPARE(pasted.bold, true);
    QCOMPARE(pasted.typeface, u"Arial"_s);
    QCOMPARE(pasted.colour, QColor(Qt::red));

    target.undo();
    QCOMPARE(target.toPlainText(), u"[]"_s);
}

// The paragraphs of a document, each with a "*" when it is bulleted.
QStringList paragraphsOf(const QTextDocument &document)
{
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        paragraphs << block.text() + (block.textList() ? u"*"_s : QString());
    return paragraphs;
}

void TestRichEdit::copyAndPasteMoveParagraphEndsOnly_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("bulletedTarget");
    QTest::addColumn<QString>("copiedText");
    QTest::addColumn<QStringList>("pasted");

    // From "farine*", "beurre*", "sucre*", "mélanger" into "AB" between A and B.
    QTest::newRow("a word of a bulleted line") << 7 << 6 << false << u"beurre"_s << QStringList{u"AbeurreB"_s};
    QTest::newRow("a word of a bulleted line, into one")
        << 7 << 6 << true << u"beurre"_s << QStringList{u"AbeurreB*"_s};
    QTest::newRow("a bulleted line with its end")
        << 7 << 7 << false << u"beurre\n"_s << QStringList{u"Abeurre*"_s, u"B"_s};
    QTest::newRow("across two bulleted lines")
        << 9 << 8 << false << u"urre\nsuc"_s << QStringList{u"Aurre*"_s, u"sucB"_s};
    QTest::newRow("from the list into the plain line")
        << 14 << 13 << true << u"sucre\nmélange"_s << QStringList{u"Asucre*"_s, u"mélangeB*"_s};
    QTest::newRow("from the list into the plain line, into a plain one")
        << 14 << 13 << false << u"sucre\nmélange"_s << QStringList{u"Asucre*"_s, u"mélangeB"_s};
    QTest::newRow("the first line of the list") << 0 << 3 << false << u"far"_s << QStringList{u"AfarB"_s};
}

// As rich edit controls do: text goes into the paragraph where it lands, and only a paragraph
// end that was copied makes a new paragraph, with the format and bullet of the one it ended.
void TestRichEdit::copyAndPasteMoveParagraphEndsOnly()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(bool, bulletedTarget);
    RichEdit source;
    source.setPlainText(u"farine\nbeurre\nsucre\nmélanger"_s);
    source.setSelection(0, 19);
    source.setParagraphFormat({.numbering = Numbering::Bullets});
    source.setSelection(start, length);
    source.copy();
    QTEST(QGuiApplication::clipboard()->text(), "copiedText");

    RichEdit target;
    target.setPlainText(u"AB"_s);
    if (bulletedTarget)
        target.setParagraphFormat({.numbering = Numbering::Bullets});
    target.setSelection(1, 0);
    target.pasteFromClipboard();
    QTEST(paragraphsOf(*target.document()), "pasted");

    target.undo();
    QCOMPARE(paragraphsOf(*target.document()), QStringList{bulletedTarget ? u"AB*"_s : u"AB"_s});
}

void TestRichEdit::pasteOfPlainTextTakesTypingAttributes()
{
    putOnClipboard(u"ligne\r\nsuivante"_s);
    RichEdit edit;
    edit.setCharacterFormat({.typeface = u"Arial"_s, .pointSize = 15, .italic = true});
    QSignalSpy changed(&edit, &QTextEdit::textChanged);
    edit.pasteFromClipboard();
    QCOMPARE(edit.toPlainText(), u"ligne\nsuivante"_s);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(edit.selStart(), edit.textLength()); // the caret after what came in
    edit.setSelection(0, edit.textLength());
    QCOMPARE(edit.characterFormat().pointSize, 15);
    QCOMPARE(edit.characterFormat().italic, true);

    // Text that says it is RTF and is not comes in as its plain text.
    putOnClipboard(u"brut"_s, "pas du RTF");
    edit.pasteFromClipboard();
    QCOMPARE(edit.toPlainText(), u"brut"_s);
}

void TestRichEdit::cutAndPasteGoThroughTheEntryPoints()
{
    InterceptingRichEdit edit;
    edit.setPlainText(u"couper coller"_s);
    edit.setSelection(0, 7);
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(edit.cuts, 1);
    QCOMPARE(edit.toPlainText(), u"coller"_s);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"couper "_s);

    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(edit.pastes, 2);
    QCOMPARE(edit.toPlainText(), u"couper couper coller"_s);

    edit.setSelection(0, 6);
    std::unique_ptr<QMenu> menu(edit.createEditMenu(nullptr));
    QAction *cut = actionNamed(*menu, u"&Couper"_s);
    QAction *paste = actionNamed(*menu, u"C&oller"_s);
    QVERIFY(cut && paste && cut->isEnabled() && paste->isEnabled());
    cut->trigger();
    paste->trigger();
    QCOMPARE(edit.cuts, 2);
    QCOMPARE(edit.pastes, 3);
    QCOMPARE(edit.toPlainText(), u"couper couper coller"_s);
}

void TestRichEdit::readOnlyAllowsOnlySelectingAndCopying()
{
    putOnClipboard(u"intrus"_s);
    InterceptingRichEdit edit;
    edit.setPlainText(u"lecture seule"_s);
    QTest::keyClicks(&edit, u"x"_s);
    edit.setReadOnly(true);
    QSignalSpy changed(&edit, &QTextEdit::textChanged);

    QTest::keyClicks(&edit, u"abc"_s);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
    edit.pasteFromClipboard();
    edit.paste();
    QVERIFY(!edit.canPaste());
    QVERIFY(!edit.canUndo());
    QCOMPARE(changed.count(), 0);

    // Selecting by keyboard and copying still work; cutting does not.
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&edit, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(edit.selLength(), 2);
    QTest::keyClick(&edit, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"xl"_s);
    QTest::keyClick(&edit, Qt::Key_X, Qt::ControlModifier);
    edit.cutToClipboard();
    QCOMPARE(edit.toPlainText(), u"xlecture seule"_s);
    QCOMPARE(changed.count(), 0);

    std::unique_ptr<QMenu> menu(edit.createEditMenu(nullptr));
    QVERIFY(actionNamed(*menu, u"Copi&er"_s)->isEnabled());
    QVERIFY(!actionNamed(*menu, u"&Couper"_s)->isEnabled());
    QVERIFY(!actionNamed(*menu, u"C&oller"_s)->isEnabled());
    QVERIFY(!actionNamed(*menu, u"&Défaire"_s)->isEnabled());

    edit.setReadOnly(false);
    QTest::keyClick(&edit, Qt::Key_End);
    QTest::keyClicks(&edit, u"!"_s);
    QCOMPARE(edit.toPlainText(), u"xlecture seule!"_s);
}

void TestRichEdit::filesAreNotPasted()
{
    auto *data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(u"/tmp/recette.txt"_s)});
    data->setText(u"/tmp/recette.txt"_s);
    QGuiApplication::clipboard()->setMimeData(data);
    RichEdit edit;
    QVERIFY(!edit.canPaste());
    edit.pasteFromClipboard();
    QCOMPARE(edit.toPlainText(), QString());
}

void TestRichEdit::plainTextModeDropsFormatting()
{
    RichEdit edit;
    edit.streamIn(SampleRtf, StreamFormat::Rtf);
    edit.setPlainTextMode(true);
    QCOMPARE(edit.toPlainText(), u"Tarte aux pommes\nPommes"_s);
    edit.setSelection(0, edit.textLength());
    QCOMPARE(edit.characterFormat().bold.has_value(), true);
    QCOMPARE(edit.paragraphFormat(), (ParagraphFormat{ParagraphAlignment::Left, Numbering::None, 0, 0, 0}));

    edit.copy();
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasFormat(u"text/rtf"_s));

    putOnClipboard(u"brut"_s, SampleRtf);
    edit.setSelection(0, 0);
    edit.pasteFromClipboard();
    QVERIFY(edit.toPlainText().startsWith(u"brut"_s));

    QCOMPARE(edit.streamIn(SampleRtf, StreamFormat::Rtf), std::nullopt);
    edit.setSelection(0, edit.textLength());
    QVERIFY(edit.characterFormat().bold.has_value());
    QCOMPARE(edit.paragraphFormat().alignment, ParagraphAlignment::Left);
}

void TestRichEdit::formattingRectanglePlacesTheText()
{
    RichEdit edit;
    edit.resize(300, 200);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&edit));
    edit.setPlainText(u"texte"_s);
    QSignalSpy changed(&edit, &QTextEdit::textChanged);
    const QRect client = edit.clientRectangle();
    const QRect text(6, 0, client.width() - 12, client.height());

    edit.setFormattingRectangle(text);
    QCOMPARE(edit.formattingRectangle(), text);
    QCOMPARE(edit.clientRectangle(), client);
    QCOMPARE(edit.cursorRect(edit.textCursor()).left(), 0); // the text starts at the rectangle's edge
    QCOMPARE(edit.document()->textWidth(), qreal(text.width()));
    QCOMPARE(changed.count(), 0); // no change of the text, for a data binding
    QVERIFY(!edit.canUndo());
}

void TestRichEdit::renderRangeSplitsAcrossPages()
{
    RichEdit edit;
    QString text;
    for (int paragraph = 0; paragraph < 40; ++paragraph)
        text += u"Paragraphe %1 : battre les oeufs et le sucre, puis ajouter la farine.\n"_s.arg(paragraph);
    edit.setPlainText(text);
    edit.setSelection(0, 200);
    edit.setParagraphFormat({.numbering = Numbering::Bullets, .firstLineIndent = 200, .leftIndent = 200});

    QImage page = blankPage(96, QSize(300, 400));
    const QRectF pageRect(20, 30, 260, 340);
    QPainter painter(&page);
    const int firstPageEnd = edit.renderRange(painter, pageRect, 0);
    QVERIFY(firstPageEnd > 0 && firstPageEnd < edit.textLength());
    const int secondPageEnd = edit.renderRange(painter, pageRect, firstPageEnd);
    QVERIFY(secondPageEnd > firstPageEnd);
    painter.end();
    QVERIFY(hasInk(page, pageRect.toRect()));
    QVERIFY(!hasInk(page, QRect(0, 0, 300, 29))); // nothing above the rectangle

    // The pages follow each other without losing or repeating a character, each ending on a
    // line's end, until the text is all placed.
    int start = 0;
    int pages = 0;
    while (start < edit.textLength()) {
        const PageRange range = edit.measureRange(page, pageRect, start);
        QVERIFY(range.end > start);
        QVERIFY(range.height > 0 && range.height <= pageRect.height());
        start = range.end;
        ++pages;
    }
    QCOMPARE(start, edit.textLength());
    QVERIFY(pages >= 3);
    QCOMPARE(edit.measureRange(page, pageRect, firstPageEnd).end, secondPageEnd);

    // A page smaller than one line holds nothing, and says so.
    QCOMPARE(edit.measureRange(page, QRectF(0, 0, 260, 2), 0).end, 0);
    QCOMPARE(edit.measureRange(page, pageRect, edit.textLength()).end, edit.textLength());
}

void TestRichEdit::renderRangeScalesToTheDevice()
{
    RichEdit edit;
    edit.streamIn(SampleRtf, StreamFormat::Rtf);
    QTextCursor cursor = edit.textCursor();
    cursor.movePosition(QTextCursor::End);
    for (int line = 0; line < 30; ++line)
        cursor.insertText(u"\nCuire vingt minutes à four chaud, puis laisser refroidir."_s);

    // The same page at 96 and at 600 dots per inch breaks at the same character.
    const QImage screen = blankPage(96, QSize(1, 1));
    const QImage printer = blankPage(600, QSize(1, 1));
    const QRectF inches(0, 0, 3, 2);
    const auto at = [&](int dotsPerInch) {
        return QRectF(inches.topLeft() * dotsPerInch, inches.size() * dotsPerInch);
    };
    const PageRange onScreen = edit.measureRange(screen, at(96), 0);
    const PageRange onPrinter = edit.measureRange(printer, at(600), 0);
    QCOMPARE(onPrinter.end, onScreen.end);
    QVERIFY(qAbs(onPrinter.height - onScreen.height * 600 / 96) < 1);

    QImage page = blankPage(600, QSize(1800, 1200));
    QPainter painter(&page);
    QCOMPARE(edit.renderRange(painter, at(600), 0), onScreen.end);
    painter.end();
    QVERIFY(hasInk(page, QRect(0, 0, 1800, int(onPrinter.height))));
    QVERIFY(!hasInk(page, QRect(0, int(onPrinter.height) + 2, 1800, 1200 - int(onPrinter.height) - 2)));
}

// Measuring says that the tall line does not fit, so that a caller can look for more room;
// drawing gives it the page, cut at the bottom, and goes on with the next line.
void TestRichEdit::renderRangeMovesPastALineTallerThanThePage()
{
    RichEdit edit;
    edit.setPlainText(u"avant\nX\naprès"_s);
    edit.setSelection(6, 1);
    edit.setCharacterFormat({.pointSize = 300});
    const QRectF pageRect(10, 10, 280, 100);
    QImage page = blankPage(96, QSize(300, 200));
    QCOMPARE(edit.measureRange(page, pageRect, 6).end, 6);

    QPainter painter(&page);
    QList<int> starts;
    for (int start = 0; start < edit.textLength() && starts.size() < 10; start = edit.renderRange(painter, pageRect, start))
        starts << start;
    painter.end();
    QCOMPARE(starts, (QList<int>{0, 6, 8}));
    QVERIFY(hasInk(page, pageRect.toRect()));
    QVERIFY(!hasInk(page, QRect(0, 111, 300, 89))); // the cut line stays inside the rectangle
}

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestRichEdit)
#include "tst_richedit.moc"
