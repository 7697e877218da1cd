#include "help/HelpWindow.h"

#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "guard/GuardedApplication.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

using namespace Qt::Literals::StringLiterals;
using help::HelpWindow;

namespace {

// Long enough topics that each must be scrolled to.
QByteArray helpWith(const QByteArray &secondTitle)
{
    QByteArray filler;
    for (int paragraph = 0; paragraph < 40; ++paragraph)
        filler += "<p>Une ligne de texte pour remplir la rubrique.</p>\n";
    return "<html><body>\n"
           R"(<h1><a name="SOMMAIRE">Sommaire</a></h1><p><a href="#DEUX">Deux</a> <a href="#TROIS">Trois</a>)"
           R"( <a href="#ABSENTE">Absente</a> <a href="https://example.org/recettes">Le site</a>)"
           R"( <a href="notes.txt">Un fichier</a></p><p>Une p&acirc;te bris&eacute;e.</p>)"
        + filler + R"(<h1><a name="DEUX">)" + secondTitle + "</a></h1><p>La p\xC3\xA2te bris\xC3\xA9" "e, encore.</p>"
        + filler + R"(<h1><a name="TROIS">Trois</a></h1>)" + filler + "</body></html>";
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), qPrintable(path));
}

QList<HelpWindow *> helpWindows()
{
    QList<HelpWindow *> windows;
    const auto topLevels = QApplication::topLevelWidgets();
    for (QWidget *widget : topLevels) {
        if (auto *window = qobject_cast<HelpWindow *>(widget))
            windows.append(window);
    }
    return windows;
}

template <class Widget>
Widget *part(HelpWindow *window, const QString &name)
{
    auto *found = window->findChild<Widget *>(name);
    if (!found)
        qFatal("The help window has no %s.", qPrintable(name));
    return found;
}

QTextBrowser *browser(HelpWindow *window)
{
    return part<QTextBrowser>(window, u"Browser"_s);
}

QString currentTopic(HelpWindow *window)
{
    const QListWidgetItem *item = part<QListWidget>(window, u"Contents"_s)->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

// Where the browser must stand for the topic's heading to be at its top: the heading's place,
// or the end when the heading is in the last screenful.
int scrollPositionOf(QTextBrowser *browser, const QString &topic)
{
    const QTextDocument *document = browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().charFormat().anchorNames().contains(topic)) {
                const int top = qRound(document->documentLayout()->blockBoundingRect(block).top());
                return qMin(top, browser->verticalScrollBar()->maximum());
            }
        }
    }
    qFatal("No anchor %s in the help.", qPrintable(topic));
}

/// Records the web pages the help asks the desktop to open, in place of the web browser.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }
};

} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_folder.isValid());
        m_path = m_folder.filePath(u"Cuisinotte.hlp"_s);
        write(m_path, helpWith("Deux"));
    }

    void cleanup() { qDeleteAll(helpWindows()); }

    void theProgramHasOneHelpWindowBesideIt()
    {
        HelpWindow *first = HelpWindow::showTopic(m_path, u"SOMMAIRE"_s);
        HelpWindow *second = HelpWindow::showTopic(m_path, u"DEUX"_s);

        QCOMPARE(second, first);
        QCOMPARE(helpWindows().size(), 1);
        QVERIFY(QTest::qWaitForWindowExposed(first));
        QCOMPARE(first->windowTitle(), u"Aide de Cuisinotte"_s);
        QVERIFY(first->isWindow());
        QCOMPARE(first->windowModality(), Qt::NonModal);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(currentTopic(first), u"DEUX"_s);
    }

    void closingTheWindowDeletesItAndTheNextCommandMakesAnother()
    {
        QPointer<HelpWindow> window = HelpWindow::showTopic(m_path, u"SOMMAIRE"_s);
        window->close();
        QTRY_VERIFY(window.isNull());

        HelpWindow *again = HelpWindow::showTopic(m_path, u"TROIS"_s);
        QVERIFY(again->isVisible());
        QCOMPARE(currentTopic(again), u"TROIS"_s);
    }

    void theTopicIsShownAtTheTop_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::newRow("contents") << u"SOMMAIRE"_s;
        QTest::newRow("in the middle") << u"DEUX"_s;
        QTest::newRow("the last") << u"TROIS"_s;
    }

    void theTopicIsShownAtTheTop()
    {
        QFETCH(QString, topic);
        // Another topic first: the window must move, not stay where it opened.
        HelpWindow::showTopic(m_path, topic == u"DEUX"_s ? u"TROIS"_s : u"DEUX"_s);
        HelpWindow *window = HelpWindow::showTopic(m_path, topic);
        QVERIFY(QTest::qWaitForWindowExposed(window));

        QTextBrowser *text = browser(window);
        QTRY_COMPARE(text->verticalScrollBar()->value(), scrollPositionOf(text, topic));
        QVERIFY(topic == u"SOMMAIRE"_s || text->verticalScrollBar()->value() > 0);
        QCOMPARE(currentTopic(window), topic);
        QVERIFY(!part<QLabel>(window, u"Message"_s)->isVisible());
    }

    void theFileIsReadAgainEachTime()
    {
        write(m_path, QByteArray());
        HelpWindow *window = HelpWindow::showTopic(m_path, u"SOMMAIRE"_s);
        QVERIFY(part<QLabel>(window, u"Message"_s)->isVisible());

        write(m_path, helpWith("Deux, revue et corrigée"));
        QCOMPARE(HelpWindow::showTopic(m_path, u"DEUX"_s), window);
        QVERIFY(!part<QLabel>(window, u"Message"_s)->isVisible());
        QCOMPARE(part<QListWidget>(window, u"Contents"_s)->currentItem()->text(), u"Deux, revue et corrigée"_s);
        QVERIFY(browser(window)->toPlainText().contains(u"Deux, revue et corrigée"_s));

        QVERIFY(QFile::remove(m_path));
        HelpWindow::showTopic(m_path, u"DEUX"_s);
        QVERIFY(part<QLabel>(window, u"Message"_s)->text().contains(m_path));
        QVERIFY(browser(window)->toPlainText().isEmpty());
        QCOMPARE(part<QListWidget>(window, u"Contents"_s)->count(), 0);
    }

    void aFileThatCannotServeAsHelpIsToldInTheWindow_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QByteArray() << u"Le fichier d'aide « %1 » est vide."_s;
        QTest::newRow("random bytes") << QByteArray("\x89PNG\r\n\x1A\n\xFF\xFE\x00\x01", 12)
                                      << u"Le fichier d'aide « %1 » n'est pas un texte en UTF-8 : ce n'est pas l'aide de Cuisinotte."_s;
        QTest::newRow("no contents") << QByteArray(R"(<h1><a name="DEUX">Deux</a></h1>)")
                                     << u"La rubrique « SOMMAIRE » est introuvable dans le fichier d'aide « %1 »."_s;
        QTest::newRow("too large") << QByteArray(help::HelpFile::maximumSize + 1, 'x')
                                   << u"Le fichier d'aide « %1 » est trop grand (plus de 4 Mo) : ce n'est pas l'aide de Cuisinotte."_s;
    }

    void aFileThatCannotServeAsHelpIsToldInTheWindow()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        write(m_path, bytes);

        HelpWindow *window = HelpWindow::showTopic(m_path, u"SOMMAIRE"_s);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto *message = part<QLabel>(window, u"Message"_s);
        QVERIFY(message->isVisible());
        QCOMPARE(message->text(), expected.arg(m_path));
        QVERIFY(browser(window)->toPlainText().isEmpty());
        QVERIFY(!part<QPushButton>(window, u"ContentsButton"_s)->isEnabled());
        QVERIFY(!part<QLineEdit>(window, u"Find"_s)->isEnabled());
    }

    void aMissingFileIsToldInTheWindow()
    {
        const QString missing = m_folder.filePath(u"ailleurs/Cuisinotte.hlp"_s);
        HelpWindow *window = HelpWindow::showTopic(missing, u"SOMMAIRE"_s);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(part<QLabel>(window, u"Message"_s)->text(),
            u"Impossible d'ouvrir le fichier d'aide « %1 » : ce fichier n'existe pas."_s.arg(missing));
    }

    void aMissingTopicIsToldOverTheContents()
    {
        HelpWindow *window = HelpWindow::showTopic(m_path, u"GLACES"_s);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(part<QLabel>(window, u"Message"_s)->text(),
            u"La rubrique « GLACES » est introuvable dans le fichier d'aide « %1 »."_s.arg(m_path));
        QVERIFY(part<QLabel>(window, u"Message"_s)->isVisible());
        QCOMPARE(currentTopic(window), u"SOMMAIRE"_s);
        QCOMPARE(browser(window)->verticalScrollBar()->value(), scrollPositionOf(browser(window), u"SOMMAIRE"_s));

        // Going on to a topic that is there puts the message away.
        part<QListWidget>(window, u"Contents"_s)->setCurrentRow(1);
        QCOMPARE(currentTopic(window), u"DEUX"_s);
        QVERIFY(!part<QLabel>(window, u"Message"_s)->isVisible());
    }

    void previousNextAndContentsFollowTheTopicsShown()
    {
        HelpWindow *window = HelpWindow::showTopic(m_path, u"SOMMAIRE"_s);
        auto *back = part<QPushButton>(window, u"Back"_s);
        auto *forward = part<QPushButton>(window, u"Forward"_s);
        auto *contents = part<QPushButton>(window, u"ContentsButton"_s);
        QTextBrowser *text = browser(window);
        QVERIFY(!back->isEnabled());
        QVERIFY(!forward->isEnabled());

        emit text->anchorClicked(QUrl(u"#DEUX"_s));
        part<QListWidget>(window, u"Contents"_s)->setCurrentRow(2);
        QCOMPARE(currentTopic(window), u"TROIS"_s);

        back->click();
        QCOMPARE(currentTopic(window), u"DEUX"_s);
        back->click();
        QCOMPARE(currentTopic(window), u"SOMMAIRE"_s);
        QVERIFY(!back->isEnabled());
        forward->click();
        QCOMPARE(currentTopic(window), u"DEUX"_s);
        QVERIFY(forward->isEnabled());

        // A new way from the middle forgets the topics ahead.
        contents->click();
        QCOMPARE(currentTopic(window), u"SOMMAIRE"_s);
        QVERIFY(!forward->isEnabled());
        back->click();
        QCOMPARE(currentTopic(window), u"DEUX"_s);

        // Each command reads the file again and starts a new history.
        HelpWindow::showTopic(m_path, u"TROIS"_s);
        QVERIFY(!back->isEnabled());
        QVERIFY(!forward->isEnabled());
    }

    void linksLeadToTopicsAndWebPagesOnly()
    {
        UrlRecorder recorder;
        QDesktopServices::setUrlHandler(u"https"_s, &recorder, "open");
        HelpWindow *window = HelpWindow::showTopic(m_path, u"SOMMAIRE"_s);
        QTextBrowser *text = browser(window);

        emit text->anchorClicked(QUrl(u"https://example.org/recettes"_s));
        QCOMPARE(recorder.opened, QList<QUrl>{QUrl(u"https://example.org/recettes"_s)});

        emit text->anchorClicked(QUrl(u"#ABSENTE"_s));
        QCOMPARE(currentTopic(window), u"SOMMAIRE"_s);
        QCOMPARE(part<QLabel>(window, u"Message"_s)->text(),
            u"La rubrique « ABSENTE » est introuvable dans le fichier d'aide « %1 »."_s.arg(m_path));

        MessageBoxAnswer refusal;
        emit text->anchorClicked(QUrl(u"notes.txt"_s));
        QVERIFY(refusal.answered());
        QCOMPARE(refusal.text(), u"Le lien « notes.txt » ne mène à aucune rubrique de l'aide."_s);
        QCOMPARE(recorder.opened.size(), 1);
        QDesktopServices::unsetUrlHandler(u"https"_s);
    }

    void findGoesFromOneOccurrenceToTheNext()
    {
        HelpWindow *window = HelpWindow::showTopic(m_path, u"SOMMAIRE"_s);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTextBrowser *text = browser(window);
        auto *find = part<QLineEdit>(window, u"Find"_s);
        auto *result = part<QLabel>(window, u"FindResult"_s);

        find->setFocus();
        find->setText(u"PÂTE"_s);
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(text->textCursor().selectedText(), u"pâte"_s);
        const int first = text->textCursor().position();

        QTest::keyClick(window, Qt::Key_F3);
        QCOMPARE(text->textCursor().selectedText(), u"pâte"_s);
        QVERIFY(text->textCursor().position() > first);
        QCOMPARE(currentTopic(window), u"SOMMAIRE"_s);
        QVERIFY(result->text().isEmpty());

        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(text->textCursor().position(), first);
        QCOMPARE(result->text(), u"Reprise au début"_s);

        find->setText(u"soufflé"_s);
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(result->text(), u"Introuvable"_s);
        QCOMPARE(text->textCursor().position(), first);
    }

private:
    QTemporaryDir m_folder;
    QString m_path;
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestHelpWindow)
#include "tst_helpwindow.moc"
