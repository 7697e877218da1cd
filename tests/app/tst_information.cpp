#include "Application.h"
#include "GuiTestMain.h"
#include "Information.h"

#include "richedit/RichEdit.h"

#include <QClipboard>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

using namespace Qt::StringLiterals;

namespace {

struct ShownInformation
{
    ShownInformation()
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

    TFrmInformation window{nullptr};
    richedit::RichEdit *text = window.findChild<richedit::RichEdit *>(QStringLiteral("RichEdit1"));
};

} // namespace

class TestInformation : public QObject
{
    Q_OBJECT

private slots:
    // Each line of the text is one line on the screen: none is too long for the box.
    void theTextIsFourteenLinesInTheBox()
    {
        ShownInformation shown;
        QCOMPARE(shown.window.windowTitle(), u"Informations"_s);
        const QTextDocument *document = shown.text->document();
        QCOMPARE(document->blockCount(), 14);
        for (QTextBlock line = document->begin(); line.isValid(); line = line.next())
            QVERIFY2(line.layout()->lineCount() == 1, qPrintable(line.text()));
        QVERIFY(document->size().height() <= shown.text->viewport()->height());
    }

    void theTextCannotBeChanged()
    {
        ShownInformation shown;
        QCOMPARE(QApplication::focusWidget(), shown.text);
        const QString before = shown.text->toPlainText();
        QGuiApplication::clipboard()->setText(u"Collé"_s);

        QTest::keyClicks(shown.text, u"Du sel"_s);
        QTest::keyClick(shown.text, Qt::Key_Return);
        QTest::keyClick(shown.text, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(shown.text, Qt::Key_Delete);
        QTest::keyClick(shown.text, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(shown.text, Qt::Key_X, Qt::ControlModifier);
        shown.text->pasteFromClipboard();
        shown.text->cutToClipboard();

        QCOMPARE(shown.text->toPlainText(), before);
    }

    // The text box takes the letters typed, so "f" alone stays there; Alt+F is the button's.
    void onlyAltFCloses()
    {
        ShownInformation shown;
        QTest::keyClick(shown.text, Qt::Key_F);
        QVERIFY(shown.window.isVisible());
        QTest::keyClick(shown.text, Qt::Key_F, Qt::AltModifier);
        QVERIFY(!shown.window.isVisible());
    }
};

CUISINOTTE_GUI_TEST_MAIN(Application, TestInformation)

#include "tst_information.moc"
