#include "richedit/RichEdit.h"

#include "GuiTestMain.h"
#include "guard/GuardedApplication.h"
#include "richtext/RichTextFormat.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"
#include "richtext/ShownCharFormat.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <functional>

using namespace richedit;
using namespace richtext;
using namespace Qt::StringLiterals;

using Building = std::function<void(RichEdit &)>;
Q_DECLARE_METATYPE(Building)

namespace {

void type(RichEdit &edit, const QString &text, const CharacterFormat &format = {})
{
    edit.setCharacterFormat(format);
    edit.insertPlainText(text);
}

void newParagraph(RichEdit &edit, const ParagraphFormat &format = {})
{
    edit.insertPlainText(u"\n"_s);
    edit.setParagraphFormat(format);
}

QString describe(const ShownCharFormat &format)
{
    return u"%1 %2hp colour %3 b%4 i%5 u%6 charset %7 pitch %8"_s.arg(format.family)
        .arg(format.halfPoints)
        .arg(format.colour ? QColor(*format.colour).name() : u"auto"_s)
        .arg(format.bold)
        .arg(format.italic)
        .arg(format.underline)
        .arg(format.charset)
        .arg(format.pitch);
}

// A line per paragraph and per run of text that looks alike, whichever fragments hold it.
QStringList describe(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const ParagraphIndents stored = indents(block.blockFormat());
        QString paragraph = u"paragraph align %1 li %2 ri %3 fi %4"_s.arg(int(block.blockFormat().alignment()))
                                .arg(stored.left)
                                .arg(stored.right)
                                .arg(stored.firstLine);
        if (QTextList *list = block.textList())
            paragraph += u" list style %1 indent %2"_s.arg(list->format().style()).arg(list->format().indent());
        if (block.length() == 1)
            paragraph += u" empty, "_s + describe(shownCharFormat(block.charFormat(), document.defaultFont()));
        lines << paragraph;
        QString runText;
        QString runFormat;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString format = describe(shownCharFormat(it.fragment().charFormat(), document.defaultFont()));
            if (format != runFormat && !runText.isEmpty()) {
                lines << u"  \"%1\" %2"_s.arg(runText, runFormat);
                runText.clear();
            }
            runText += it.fragment().text();
            runFormat = format;
        }
        if (!runText.isEmpty())
            lines << u"  \"%1\" %2"_s.arg(runText, runFormat);
    }
    return lines;
}

QByteArray rtfOf(const Building &build)
{
    RichEdit edit;
    build(edit);
    return edit.streamOut();
}

} // namespace

class TestRtfWriter : public QObject

{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void bulletReadsBackOnce();
    void linesEndOnlyBetweenTokens();
    void libreOfficeReadsTheSameText();
};

void TestRtfWriter::roundTrip_data()
{
    QTest::addColumn<Building>("build");

    QTest::newRow("empty document") << Building([](RichEdit &) {});
    QTest::newRow("each character format") << Building([](RichEdit &edit) {
        type(edit, u"Arial "_s, {.typeface = u"Arial"_s});
        type(edit, u"fourteen "_s, {.pointSize = 14});
        type(edit, u"red "_s, {.colour = QColor(Qt::red)});
        type(edit, u"navy "_s, {.colour = QColor(0, 0, 0x80)});
        type(edit, u"automatic "_s, {.colour = QColor()});
        type(edit, u"bold "_s, {.bold = true});
        type(edit, u"italic "_s, {.italic = true});
        type(edit, u"underlined "_s, {.underline = true});
        type(edit, u"plain "_s, {.bold = false, .italic = false, .underline = false});
        type(edit, u"fixed pitch"_s, {.typeface = u"Courier New"_s, .pitch = 1});
    });
    QTest::newRow("half points") << Building([](RichEdit &edit) {
        QTextCharFormat size;
        size.setFontPointSize(10.5);
        edit.mergeCurrentCharFormat(size);
        edit.insertPlainText(u"ten and a half"_s);
    });
    QTest::newRow("every alignment") << Building([](RichEdit &edit) {
        type(edit, u"left"_s);
        newParagraph(edit, {.alignment = ParagraphAlignment::Right});
        type(edit, u"right"_s);
        newParagraph(edit, {.alignment = ParagraphAlignment::Center});
        type(edit, u"centre"_s);
        newParagraph(edit, {.alignment = ParagraphAlignment::Justify});
        type(edit, u"justified"_s);
    });
    QTest::newRow("indents") << Building([](RichEdit &edit) {
        edit.setParagraphFormat({.firstLineIndent = 720, .leftIndent = 360, .rightIndent = 283});
        type(edit, u"hanging"_s);
        newParagraph(edit, {.firstLineIndent = 1440, .leftIndent = -1000, .rightIndent = 0});
        type(edit, u"negative first-line indent"_s);
        newParagraph(edit, {.firstLineIndent = -200, .leftIndent = 0});
        type(edit, u"into the left margin"_s);
    });
    QTest::newRow("bullets") << Building([](RichEdit &edit) {
        type(edit, u"before"_s);
        newParagraph(edit, {.numbering = Numbering::Bullets, .firstLineIndent = 0, .leftIndent = 200});
        type(edit, u"first item"_s, {.bold = true});
        newParagraph(edit);
        type(edit, u"second item"_s);
        newParagraph(edit, {.numbering = Numbering::None});
        type(edit, u"after"_s);
    });
    QTest::newRow("accents") << Building([](RichEdit &edit) {
        type(edit, u"àâäéèêëîïôöùûüÿç ÀÂÉÈÊÇ œŒæ € « » “ ” … – — ‘ ’ ° ² ß ñ"_s);
    });
    QTest::newRow("outside code page 1252") << Building([](RichEdit &edit) {
        type(edit, u"ω Жар 中文 ﬁ 😀 🍰 end"_s);
    });
    QTest::newRow("line breaks and tabs") << Building([](RichEdit &edit) {
        type(edit, u"name\tquantity"_s);
        type(edit, QString(QChar::LineSeparator) + u"second line\t\tafter two tabs"_s);
        type(edit, QString(QChar::Nbsp) + u"no-break"_s + QChar(0x00AD) + u"soft"_s);
    });
    QTest::newRow("braces and backslashes") << Building([](RichEdit &edit) {
        type(edit, u"{\\rtf1 not a group} \\par \\'e9 \\u233? \\\\ {{ }}"_s);
    });
    QTest::newRow("empty paragraphs keep their format") << Building([](RichEdit &edit) {
        type(edit, u"title"_s, {.pointSize = 20});
        newParagraph(edit);
        newParagraph(edit);
        type(edit, u"body"_s, {.pointSize = 9});
        newParagraph(edit);
    });
    QTest::newRow("fonts of other character sets") << Building([](RichEdit &edit) {
        type(edit, u"Привет "_s, {.typeface = u"Arial"_s, .charset = 204});
        type(edit, u"Łódź ěščř "_s, {.typeface = u"Arial"_s, .charset = 238});
        type(edit, u"abc é"_s, {.typeface = u"Symbol"_s, .charset = 2});
        type(edit, u" Ωmega"_s, {.typeface = u"Times New Roman"_s, .charset = 0});
    });
    QTest::newRow("accented typeface name") << Building([](RichEdit &edit) {
        type(edit, u"accent"_s, {.typeface = u"Médiévale Pro"_s});
    });
    QTest::newRow("long paragraphs") << Building([](RichEdit &edit) {
        type(edit, u"word "_s.repeated(300));
        newParagraph(edit);
        type(edit, u"x"_s.repeated(1000));
        newParagraph(edit);
        for (int i = 0; i < 100; ++i)
            type(edit, u"ab "_s, {.bold = i % 2 == 0});
    });
}

void TestRtfWriter::roundTrip()
{
    QFETCH(Building, build);
    RichEdit original;
    build(original);

    RichEdit copy;
    QCOMPARE(copy.streamIn(original.streamOut(), StreamFormat::Rtf), std::nullopt);
    QCOMPARE(copy.toPlainText(), original.toPlainText());
    QCOMPARE(describe(*copy.document()), describe(*original.document()));

    // Written again, nothing drifts.
    QCOMPARE(copy.streamOut(), original.streamOut());
}

void TestRtfWriter::bulletReadsBackOnce()
{
    const QByteArray rtf = rtfOf([](RichEdit &edit) {
        edit.setParagraphFormat({.numbering = Numbering::Bullets});
        type(edit, u"item"_s);
    });
    // Both ways of saying it are there, for both kinds of reader.
    QVERIFY(rtf.contains("\\listtable"));
    QVERIFY(rtf.contains("\\ls1"));
    QVERIFY(rtf.contains("{\\*\\pn\\pnlvlblt"));

    QTextDocument document;
    QCOMPARE(readRtf(rtf, document), std::nullopt);
    QCOMPARE(document.blockCount(), 1);
    const QTextBlock block = document.begin();
    QVERIFY(block.textList());
    QCOMPARE(block.textList()->format().style(), QTextListFormat::ListDisc);
    QCOMPARE(block.textList()->count(), 1);
    QCOMPARE(block.text(), u"item"_s); // the markers for other readers are not text
}

void TestRtfWriter::linesEndOnlyBetweenTokens()
{
    const QByteArray rtf = rtfOf([](RichEdit &edit) {
        type(edit, u"word "_s.repeated(200), {.bold = true});
        type(edit, u"é"_s.repeated(200));
        type(edit, u"y"_s.repeated(600));
        for (int i = 0; i < 200; ++i)
            type(edit, u"z"_s, {.italic = i % 2 == 0});
    });
    const QRegularExpression endsWithControlWord(u"\\\\[a-z]+-?\\d*\r$"_s);
    QByteArray previous;
    for (const QByteArray &line : rtf.split('\n')) {
        QVERIFY2(line.size() <= 256, line.constData()); // 255 and the carriage return
        // A backslash ending a line would be read as \par.
        QVERIFY2(!line.endsWith("\\\r") && !line.endsWith('\\'), line.constData());
        // A space after a control word and a line end is text to some readers and not to others.
        QVERIFY2(!line.startsWith(' ') || !endsWithControlWord.match(QString::fromLatin1(previous)).hasMatch(),
                 line.constData());
        previous = line;
    }
    QTextDocument document;
    QCOMPARE(readRtf(rtf, document), std::nullopt);
    QCOMPARE(document.toPlainText(), u"word "_s.repeated(200) + u"é"_s.repeated(200) + u"y"_s.repeated(600) + u"z"_s.repeated(200));
}

// Another program's reader: LibreOffice converts what we write to text. It is not installed
// everywhere, so the test skips where it is missing.
void TestRtfWriter::libreOfficeReadsTheSameText()
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
    if (soffice.isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QFile rtfFile(folder.filePath(u"recipe.rtf"_s));
    QVERIFY(rtfFile.open(QIODevice::WriteOnly));
    rtfFile.write(rtfOf([](RichEdit &edit) {
        type(edit, u"Crème brûlée {pour 4}"_s, {.bold = true});
        newParagraph(edit, {.numbering = Numbering::Bullets, .firstLineIndent = 0, .leftIndent = 200});
        type(edit, u"4 jaunes d'œufs\t50 g"_s);
        newParagraph(edit, {.numbering = Numbering::None});
        type(edit, u"Ω 😀 \\ fin"_s);
    }));
    rtfFile.close();

    QProcess convert;
    convert.setWorkingDirectory(folder.path());
    convert.start(soffice, {u"-env:UserInstallation=file://"_s + folder.filePath(u"profile"_s), u"--headless"_s,
                            u"--convert-to"_s, u"txt:Text (encoded):UTF8"_s, u"--outdir"_s, folder.path(),
                            rtfFile.fileName()});
    QVERIFY(convert.waitForFinished(120000));
    QFile text(folder.filePath(u"recipe.txt"_s));
    QVERIFY2(text.open(QIODevice::ReadOnly), convert.readAllStandardError().constData());
    // Line ends, tabs and the room after a bullet are LibreOffice's to choose.
    const QString shown = QString::fromUtf8(text.readAll()).remove(QChar::ByteOrderMark).simplified();
    QCOMPARE(shown, u"Crème brûlée {pour 4} • 4 jaunes d'œufs 50 g Ω 😀 \\ fin"_s);
}

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestRtfWriter)
#include "tst_rtfwriter.moc"
