#include "Application.h"
#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "Note.h"

#include "controls/MyControl.h"
#include "richedit/RichEdit.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray firstNote = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Premi\\'e8re note\\par}";
const QByteArray secondNote = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Seconde note\\par}";

QString notePath(const QTemporaryDir &folder)
{
    return folder.filePath(QStringLiteral("note.rtf"));
}

void writeNote(const QTemporaryDir &folder, const QByteArray &content)
{
    QFile file(notePath(folder));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

QByteArray noteBytes(const QTemporaryDir &folder)
{
    QFile file(notePath(folder));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

richedit::RichEdit *textOf(const TFrmNote &window)
{
    return window.findChild<richedit::RichEdit *>(QStringLiteral("RichEdit1"));
}

QString shownText(const TFrmNote &window)
{
    return textOf(window)->toPlainText().trimmed();
}

void showActive(TFrmNote &window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

class TestNote : public QObject
{
    Q_OBJECT

private slots:
    void eachOpeningShowsTheFileAsItIsNow()
    {
        QTemporaryDir folder;
        writeNote(folder, firstNote);
        {
            MessageBoxWatcher boxes;
            TFrmNote window(nullptr, folder.path());
            QCOMPARE(window.windowTitle(), u"Note"_s);
            QCOMPARE(shownText(window), u"Première note"_s);
            showActive(window);
            QTest::keyClicks(textOf(window), u"Beurre"_s);
            QVERIFY(shownText(window).contains(u"Beurre"_s));
            QTest::mouseClick(window.findChild<TMyControl *>(QStringLiteral("MyButton1")), Qt::LeftButton);
            QVERIFY(!window.isVisible());
            QCOMPARE(boxes.texts(), QStringList());
        }
        QCOMPARE(noteBytes(folder), firstNote);
        QCOMPARE(shownText(TFrmNote(nullptr, folder.path())), u"Première note"_s);

        writeNote(folder, secondNote);
        QCOMPARE(shownText(TFrmNote(nullptr, folder.path())), u"Seconde note"_s);
    }

    void aPlainTextNoteTakesTheDefaultFormat()
    {
        QTemporaryDir folder;
        writeNote(folder, "Acheter du beurre\r\nSortir les oeufs du frigo");
        TFrmNote window(nullptr, folder.path());
        richedit::RichEdit *text = textOf(window);
        QCOMPARE(text->toPlainText(), u"Acheter du beurre\nSortir les oeufs du frigo"_s);

        text->selectAll();
        const richedit::CharacterFormat format = text->characterFormat();
        QCOMPARE(format.typeface, u"Arial"_s);
        QCOMPARE(format.pointSize, 12); // 16 pixels on a 96-dpi screen
        QCOMPARE(format.bold, true);
        QCOMPARE(format.italic, false);
        QCOMPARE(format.colour, QColor(0x00, 0x00, 0x80));
    }

    void aNoteThatCannotBeReadIsReportedAndTheWindowStillOpens_data()
    {
        QTest::addColumn<QString>("inPlace");
        QTest::newRow("no file") << "none";
        QTest::newRow("a folder in its place") << "folder";
        QTest::newRow("too large") << "large";
    }

    void aNoteThatCannotBeReadIsReportedAndTheWindowStillOpens()
    {
        QFETCH(QString, inPlace);

        QTemporaryDir folder;
        const QString path = notePath(folder);
        QString expected;
        if (inPlace == u"large") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(TFrmNote::maxSize + 1));
            expected = u"Le fichier « %1 » est trop grand pour être une note : 32 Mo au plus."_s.arg(path);
        } else {
            if (inPlace == u"folder")
                QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("note.rtf")));
            QFile file(path);
            QVERIFY(!file.open(QIODevice::ReadOnly));
            expected = u"Cannot open file \"%1\". %2"_s.arg(path, file.errorString());
        }

        MessageBoxWatcher boxes;
        TFrmNote window(nullptr, folder.path());
        QCOMPARE(boxes.texts(), QStringList{expected});
        QCOMPARE(textOf(window)->textLength(), 0);
        DialogAnswer<TFrmNote> close([](TFrmNote &shown) { shown.close(); });
        window.exec();
        QVERIFY(close.answered());
    }

    void aDamagedNoteIsShownAsText_data()
    {
        QTest::addColumn<QByteArray>("content");
        QByteArray noise(64 * 1024, '\0');
        QRandomGenerator bytes(7);
        for (char &byte : noise)
            byte = char(bytes.bounded(256));
        QTest::newRow("random bytes") << noise;
        QTest::newRow("RTF cut short") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Une no");
    }

    void aDamagedNoteIsShownAsText()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir folder;
        writeNote(folder, content);
        MessageBoxWatcher boxes;
        TFrmNote window(nullptr, folder.path());
        QCOMPARE(boxes.texts(), QStringList());
        QVERIFY(textOf(window)->textLength() > 0);
    }

    // The text box has the focus and takes the letters typed: only Alt with "O" is the button's.
    void theTextTakesLettersAndAltOCloses()
    {
        QTemporaryDir folder;
        writeNote(folder, secondNote);
        TFrmNote window(nullptr, folder.path());
        showActive(window);
        richedit::RichEdit *text = textOf(window);
        QCOMPARE(QApplication::focusWidget(), text);

        QTest::keyClick(text, Qt::Key_O);
        QVERIFY(window.isVisible());
        QCOMPARE(shownText(window), u"oSeconde note"_s);
        QTest::keyClick(text, Qt::Key_O, Qt::AltModifier);
        QVERIFY(!window.isVisible());
    }
};

CUISINOTTE_GUI_TEST_MAIN(Application, TestNote)

#include "tst_note.moc"
