#include "Application.h"
#include "GuiTestMain.h"
#include "Main.h"
#include "ModalAnswer.h"
#include "Quitter.h"
#include "ScratchDatabase.h"

#include "controls/ModalForm.h"
#include "controls/MyControl.h"
#include "controls/MyLabel.h"

#include "data/DataModule.h"
#include "dbwidgets/DBLookupComboBox.h"
#include "manage/TableauRecettes.h"
#include "RecipeDatabase.h"
#include "firebird/Statement.h"
#include "firebird/Transaction.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <optional>

namespace {

const QString missingMessage = QStringLiteral("Impossible de trouver : %1/RECETTES.GDB.");
const QString engineMessage = QStringLiteral("le moteur de base de données FireBird n'est pas installé.");
const QString tableMessage = QStringLiteral("Erreur en ouverture d'une table de recettes.gdb.");

void run(fb::Attachment &attachment, const QStringList &statements)
{
    for (const QString &sql : statements) {
        auto transaction = fb::Transaction::start(attachment);
        fb::Statement::prepare(attachment, transaction, sql).execute(transaction);
        transaction.commit();
    }
}

/// Two families, each with one recipe; "Entrees" comes first by name. Their keys are far
/// above what the generators will draw.
class RecipeBook : public ScratchDatabase
{
public:
    RecipeBook()
    {
        auto attachment = attach();
        run(attachment, {
            QStringLiteral("insert into FAMILLE values (101, 'Tartes')"),
            QStringLiteral("insert into FAMILLE values (102, 'Entrees')"),
            QStringLiteral("insert into RECETTES (IDRECETTE, IDFAMILLE, DESCRIPTION) values (101, 101, 'Tarte aux pommes')"),
            QStringLiteral("insert into RECETTES (IDRECETTE, IDFAMILLE, DESCRIPTION) values (102, 102, 'Veloute')"),
        });
    }
};

/// The main window started on a recipe book, as the program does it.
struct StartedProgram
{
    StartedProgram()
    {
        startupFailure = startupMessage->text();
        startupMessage.reset();
    }

    RecipeBook database;
    TDM dm;
    // Answers a start-up message, should one come, so that a broken start fails the test
    // instead of waiting for a click; gone once the window stands, so that it takes no
    // later dialog.
    std::optional<MessageBoxAnswer> startupMessage{std::in_place};
    TFrmMain window{dm, database.folder()};
    QString startupFailure;
};

/// A family added and posted, not committed: the work a close must not lose or commit too soon.
const QString addedFamily = QStringLiteral("Soupes");
const QString addedFamilyRows = QStringLiteral("select * from FAMILLE where FAMILLE = 'Soupes'");

void addFamily(TDM &dm)
{
    dm.IBFAMILLE.append();
    dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).setValue(addedFamily);
    dm.IBFAMILLE.post();
}

/// Answers the quit confirmation with the button of that name, or with its close box.
DialogAnswer<TFrmQuitter> answerQuitConfirmation(const QString &button)
{
    return DialogAnswer<TFrmQuitter>([button](TFrmQuitter &dialog) {
        if (button.isEmpty())
            dialog.close();
        else
            QTest::mouseClick(dialog.findChild<TMyControl *>(button), Qt::LeftButton);
    });
}

void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void runCommand(TFrmMain &window, const QString &name)
{
    if (auto *button = window.findChild<QToolButton *>(name))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        window.findChild<QAction *>(name)->trigger();
}

QStringList captions(const QList<QAction *> &actions)
{
    QStringList result;
    for (const QAction *action : actions)
        result.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return result;
}

/// Takes the addresses the program asks the desktop to open, instead of the desktop.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    explicit UrlCatcher(const QStringList &schemes) : m_schemes(schemes)
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }

    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened.append(url); }

private:
    QStringList m_schemes;
};

} // namespace

class TestMain : public QObject
{
    Q_OBJECT

private slots:
    void startupFailuresEndTheProgramWithTheirMessage_data()
    {
        QTest::addColumn<QString>("fileInPlace");
        QTest::addColumn<QStringList>("alterations");
        QTest::addColumn<QString>("message");

        QTest::newRow("no file") << "none" << QStringList() << missingMessage;
        QTest::newRow("a folder in its place") << "folder" << QStringList() << missingMessage;
        QTest::newRow("not a database") << "garbage" << QStringList() << engineMessage;
        QTest::newRow("missing table") << "database" << QStringList{QStringLiteral("drop table DIFFICULTE")}
                                       << tableMessage;
        QTest::newRow("missing column") << "database" << QStringList{QStringLiteral("alter table QUALITE drop CRITERE")}
                                        << tableMessage;
        QTest::newRow("column of another kind")
            << "database"
            << QStringList{QStringLiteral("alter table RECETTES drop QUALITE"),
                   QStringLiteral("alter table RECETTES add QUALITE varchar(10)")}
            << tableMessage;
    }

    void startupFailuresEndTheProgramWithTheirMessage()
    {
        QFETCH(QString, fileInPlace);
        QFETCH(QStringList, alterations);
        QFETCH(QString, message);

        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("RECETTES.GDB"));
        if (fileInPlace == u"folder") {
            QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("RECETTES.GDB")));
        } else if (fileInPlace == u"garbage") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QRandomGenerator bytes(1);
            for (int i = 0; i < 4096; ++i)
                file.putChar(char(bytes.bounded(256)));
        } else if (fileInPlace == u"database") {
            auto attachment = RecipeDatabase::create(path);
            run(attachment, alterations);
        }

        TDM dm;
        MessageBoxAnswer answer;
        TFrmMain window(dm, folder.path());

        QVERIFY(answer.answered());
        QCOMPARE(answer.text(), message == missingMessage ? message.arg(folder.path()) : message);
        QCOMPARE(answer.title(), QStringLiteral("Cuisinotte"));
        QCOMPARE(answer.icon(), QMessageBox::NoIcon);
        QVERIFY(window.terminationRequested());
        QVERIFY(!window.isVisible());
        if (message == missingMessage)
            QVERIFY(!dm.IBDatabase.isConnected());
    }

    void startsOnAWorkingDatabase()
    {
        StartedProgram program;
        TDM &dm = program.dm;

        QVERIFY2(program.startupFailure.isEmpty(), qPrintable(program.startupFailure));
        QVERIFY(!program.window.terminationRequested());
        QVERIFY(dm.IBTransaction.isActive());
        const QList<const Dataset *> datasets{&dm.IBFAMILLE, &dm.IBRECETTES, &dm.IBQUALITE, &dm.IBDIFFICULTE};
        for (const Dataset *dataset : datasets)
            QCOMPARE(dataset->state(), DatasetState::Browse);
        QCOMPARE(dm.dxMemData.state(), DatasetState::Insert);
        QCOMPARE(dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).asString(), QStringLiteral("Entrees"));
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("DESCRIPTION")).asString(), QStringLiteral("Veloute"));
    }

    void theRecipeManagementCommandCommits_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("Gestion des Recettes menu") << "GestiondesRecettes1";
        QTest::newRow("Gestion button") << "SpeedButton2";
    }

    void theRecipeManagementCommandCommits()
    {
        QFETCH(QString, command);

        StartedProgram program;
        TDM &dm = program.dm;
        dm.dxMemData.fieldByName(QStringLiteral("IDFamille")).setValue(101.0);
        dm.IBFAMILLE.append();
        dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).setValue(QStringLiteral("Soupes"));
        dm.IBFAMILLE.post();
        dm.IBFAMILLE.last();
        QCOMPARE(dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).asString(), QStringLiteral("Soupes"));
        const double soupesKey = dm.IBFAMILLE.fieldByName(QStringLiteral("IDFAMILLE")).asFloat();

        // The recipe management window opens on the family that is current, and is closed.
        QString shownFamily;
        DialogAnswer<TFrmTableauRecettes> management([&shownFamily](TFrmTableauRecettes &window) {
            shownFamily = window.findChild<DBLookupComboBox *>()->text();
            QTest::mouseClick(window.findChild<TMyControl *>(QStringLiteral("BtnFermer")), Qt::LeftButton);
        });
        runCommand(program.window, command);
        QVERIFY(management.answered());
        QCOMPARE(shownFamily, QStringLiteral("Soupes"));

        const QString soupes = QStringLiteral("select IDFAMILLE from FAMILLE where FAMILLE = 'Soupes'");
        QCOMPARE(program.database.countRows(soupes), 1);
        // Re-read from the start: the first family by name and its first recipe.
        QCOMPARE(dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).asString(), QStringLiteral("Entrees"));
        QVERIFY(dm.IBFAMILLE.bof());
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("DESCRIPTION")).asString(), QStringLiteral("Veloute"));
        QVERIFY(dm.IBQUALITE.isActive());
        QVERIFY(dm.IBDIFFICULTE.isActive());
        QCOMPARE(dm.dxMemData.state(), DatasetState::Insert);
        QCOMPARE(dm.dxMemData.fieldByName(QStringLiteral("IDFamille")).asFloat(), soupesKey);
    }

    void windowHasItsSizeAndTheLineFollowsItsWidth()
    {
        StartedProgram program;
        TFrmMain &window = program.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.windowTitle(), QStringLiteral("Cuisinotte"));
        QCOMPARE(window.centralWidget()->objectName(), QStringLiteral("MyPanel1"));
        QCOMPARE(window.centralWidget()->size(), QSize(722, 463));
        QCOMPARE(window.font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(window.font().pixelSize(), 11);

        auto *line = window.findChild<QWidget *>(QStringLiteral("Shape1"));
        QCOMPARE(line->geometry(), QRect(8, 80, 705, 1));
        window.resize(window.width() + 100, window.height() + 50);
        QTRY_COMPARE(line->geometry(), QRect(8, 80, 805, 1));
    }

    void menuHoldsEveryCommandInOrder()
    {
        StartedProgram program;
        QMenuBar *bar = program.window.menuBar();

        QCOMPARE(captions(bar->actions()),
            (QStringList{QStringLiteral("&Fichier"), QStringLiteral("&Gestion des Recettes"), QStringLiteral("&Visualisation"),
                QStringLiteral("&Note"), QStringLiteral("&Info"), QStringLiteral("&?")}));
        QCOMPARE(captions(program.window.findChild<QMenu *>(QStringLiteral("Fichier1"))->actions()),
            (QStringList{QStringLiteral("&Configurer l'impression"), QStringLiteral("-"), QStringLiteral("&Quitter")}));
        QCOMPARE(captions(program.window.findChild<QMenu *>(QStringLiteral("N2"))->actions()),
            (QStringList{QStringLiteral("&Aide"), QStringLiteral("-"), QStringLiteral("Site Internet Quenelog"),
                QStringLiteral("Accès au Forum"), QStringLiteral("-"), QStringLiteral("A propos de Cuisinotte")}));
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QRect>("geometry");

        QTest::newRow("Quitter") << "SpeedButton1" << "&Quitter" << "Quitter l'application" << QRect(11, 7, 55, 65);
        QTest::newRow("Gestion") << "SpeedButton2" << "&Gestion" << "Gestion des recettes" << QRect(107, 7, 55, 65);
        QTest::newRow("Visualisation") << "SpeedButton3" << "&Visualisation" << "Visualisation des recettes"
                                       << QRect(179, 7, 70, 65);
        QTest::newRow("Aide") << "SpeedButton4" << "&Aide" << "Aide en ligne" << QRect(291, 7, 55, 65);
    }

    void buttons()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(QRect, geometry);

        StartedProgram program;
        auto *button = program.window.findChild<QToolButton *>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->geometry(), geometry);

        // The black background of the picture is see-through, its subject is not.
        const QImage picture = button->icon().pixmap(48, 48).toImage();
        QCOMPARE(picture.size(), QSize(48, 48));
        QCOMPARE(qAlpha(picture.pixel(0, 47)), 0);
        QCOMPARE(qAlpha(picture.pixel(24, 24)), 255);
    }

    void everyAltKeyHasOneOwner()
    {
        StartedProgram program;
        QList<QKeySequence> keys;
        const auto menus = program.window.menuBar()->actions();
        for (const QAction *action : menus)
            keys.append(QKeySequence::mnemonic(action->text()));
        const auto buttons = program.window.findChildren<QToolButton *>();
        for (const QToolButton *button : buttons) {
            if (!button->shortcut().isEmpty())
                keys.append(button->shortcut());
        }
        for (const QKeySequence &key : std::as_const(keys))
            QVERIFY2(keys.count(key) == 1, qPrintable(key.toString()));
        QVERIFY(keys.contains(QKeySequence(Qt::ALT | Qt::Key_Q)));
        QVERIFY(keys.contains(QKeySequence(Qt::ALT | Qt::Key_A)));
    }

    void titleLinesPaintTheirFrontOverTheirShadow()
    {
        StartedProgram program;
        const QColor shadow = program.window.palette().color(QPalette::ToolTipBase);
        const QColor navy(0x00, 0x00, 0x80);
        const struct {
            QRect geometry;
            QColor colour;
        } expected[] = {
            {QRect(-48, 119, 795, 135), shadow}, {QRect(-55, 291, 793, 94), shadow},
            {QRect(-42, 119, 769, 135), navy}, {QRect(-47, 291, 763, 94), navy},
            {QRect(-61, 209, 799, 135), shadow}, {QRect(-54, 210, 769, 135), navy},
        };

        // Children paint in the order of creation.
        const auto labels = program.window.centralWidget()->findChildren<TMyLabel *>(Qt::FindDirectChildrenOnly);
        QCOMPARE(labels.size(), 6);
        for (int i = 0; i < 6; ++i) {
            const TMyLabel *label = labels[i];
            QCOMPARE(label->objectName(), QStringLiteral("MyLabel%1").arg(i + 1));
            QCOMPARE(label->geometry(), expected[i].geometry);
            QCOMPARE(label->palette().color(QPalette::WindowText), expected[i].colour);
            QCOMPARE(label->font().family(), QStringLiteral("Comic Sans MS"));
            QCOMPARE(label->font().pixelSize(), 64);
            QVERIFY(label->font().bold() && label->font().italic());
            QVERIFY(label->transparent() && !label->autoSize());
            QCOMPARE(label->alignment(), Qt::AlignHCenter);
        }
        // Each front label carries the text of the shadow it stands on.
        QCOMPARE(labels[2]->caption(), labels[0]->caption());
        QCOMPARE(labels[3]->caption(), labels[1]->caption());
        QCOMPARE(labels[5]->caption(), labels[4]->caption());
        QVERIFY(labels[4]->caption().contains(QStringLiteral("Cuisinotte")));
    }

    // The close box and Alt+F4 come as a close event; the menu item and the door button ask
    // the window to close.
    void everyCloseAsksFirst_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("closes");

        QTest::newRow("close box, Ok") << "" << "BtnQuitter" << true;
        QTest::newRow("Quitter menu, Ok") << "Quitter1" << "BtnQuitter" << true;
        QTest::newRow("door button, Ok") << "SpeedButton1" << "BtnQuitter" << true;
        QTest::newRow("close box, Annuler") << "" << "BtnAnnuler" << false;
        QTest::newRow("Quitter menu, Annuler") << "Quitter1" << "BtnAnnuler" << false;
        QTest::newRow("door button, Annuler") << "SpeedButton1" << "BtnAnnuler" << false;
        QTest::newRow("close box of the confirmation") << "" << "" << false;
    }

    void everyCloseAsksFirst()
    {
        QFETCH(QString, command);
        QFETCH(QString, answer);
        QFETCH(bool, closes);

        StartedProgram program;
        program.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&program.window));
        auto confirmation = answerQuitConfirmation(answer);
        if (command.isEmpty())
            program.window.close();
        else
            runCommand(program.window, command);

        QVERIFY(confirmation.answered());
        QCOMPARE(program.window.isVisible(), !closes);
        runDeferredDeletes();
        QVERIFY(program.window.findChildren<TFrmQuitter *>().isEmpty());
    }

    void cancellingTheCloseKeepsEverythingAsItWas()
    {
        StartedProgram program;
        TDM &dm = program.dm;
        addFamily(dm);
        QVERIFY(dm.IBFAMILLE.locate(QStringLiteral("IDFAMILLE"), 101.0));
        dm.dxMemData.fieldByName(QStringLiteral("IDFamille")).setValue(101.0);
        program.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&program.window));

        auto confirmation = answerQuitConfirmation(QStringLiteral("BtnAnnuler"));
        program.window.close();
        QVERIFY(confirmation.answered());

        QVERIFY(program.window.isVisible());
        QCOMPARE(dm.IBFAMILLE.state(), DatasetState::Browse);
        QCOMPARE(dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).asString(), QStringLiteral("Tartes"));
        QCOMPARE(dm.IBRECETTES.state(), DatasetState::Browse);
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("DESCRIPTION")).asString(), QStringLiteral("Tarte aux pommes"));
        QCOMPARE(dm.dxMemData.state(), DatasetState::Insert);
        QCOMPARE(dm.dxMemData.fieldByName(QStringLiteral("IDFamille")).asFloat(), 101.0);
        QVERIFY(dm.IBTransaction.isActive());
        QCOMPARE(program.database.countRows(addedFamilyRows), 0);
    }

    void okEndsTheProgramAndItsWorkIsCommittedAtExit()
    {
        RecipeBook database;
        {
            TDM dm;
            std::optional<MessageBoxAnswer> startupMessage{std::in_place};
            TFrmMain window(dm, database.folder());
            startupMessage.reset();
            QVERIFY(!window.terminationRequested());
            addFamily(dm);
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));

            auto confirmation = answerQuitConfirmation(QStringLiteral("BtnQuitter"));
            window.close();
            QVERIFY(confirmation.answered());
            QVERIFY(!window.isVisible());
            QCOMPARE(database.countRows(addedFamilyRows), 0);
        } // the main window goes, then the data module, as at the program's end
        QCOMPARE(database.countRows(addedFamilyRows), 1);
    }

    void smallWindowsOpenAndCloseCommittingNothing_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("windowClass");

        QTest::newRow("Note") << "Note1" << "TFrmNote";
        QTest::newRow("Info") << "Info1" << "TFrmInformation";
        QTest::newRow("A propos de Cuisinotte") << "Apropos1" << "TfrmAProposDe";
        QTest::newRow("Visualisation menu") << "Visualisation1" << "TFrmFicheVisualisation";
        QTest::newRow("Visualisation button") << "SpeedButton3" << "TFrmFicheVisualisation";
    }

    void smallWindowsOpenAndCloseCommittingNothing()
    {
        QFETCH(QString, command);
        QFETCH(QString, windowClass);

        StartedProgram program;
        TDM &dm = program.dm;
        // The note is read from the program's folder, as the database is.
        QFile note(program.database.folder() + QStringLiteral("/note.rtf"));
        QVERIFY(note.open(QIODevice::WriteOnly));
        note.write("Une note");
        note.close();
        addFamily(dm);
        QVERIFY(dm.IBFAMILLE.locate(QStringLiteral("IDFAMILLE"), 101.0));

        QString noteShown;
        ModalAnswer answer([&](QWidget *dialog) {
            if (QString::fromLatin1(dialog->metaObject()->className()) != windowClass)
                return false;
            if (auto *text = dialog->findChild<QTextEdit *>(QStringLiteral("RichEdit1")))
                noteShown = text->toPlainText();
            // The viewer shows the family that was current.
            if (auto *family = dialog->findChild<DBLookupComboBox *>())
                noteShown = family->text();
            auto *close = dialog->findChild<TMyControl *>(QStringLiteral("MyButton1"));
            if (!close)
                close = dialog->findChild<TMyControl *>(QStringLiteral("BtnFermer"));
            QTest::mouseClick(close, Qt::LeftButton);
            return true;
        });
        runCommand(program.window, command);
        QVERIFY(answer.answered());
        if (command == u"Note1")
            QCOMPARE(noteShown, QStringLiteral("Une note"));
        if (windowClass == u"TFrmFicheVisualisation")
            QCOMPARE(noteShown, QStringLiteral("Tartes"));

        runDeferredDeletes();
        QVERIFY(program.window.findChildren<ModalForm *>().isEmpty());
        QVERIFY(dm.IBTransaction.isActive());
        QCOMPARE(dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).asString(), QStringLiteral("Tartes"));
        QCOMPARE(program.database.countRows(addedFamilyRows), 0);
    }

    void forumLiesUnderTheSite()
    {
        StartedProgram program;
        UrlCatcher catcher({QStringLiteral("http"), QStringLiteral("https")});

        runCommand(program.window, QStringLiteral("SiteQuenelog"));
        runCommand(program.window, QStringLiteral("AccesForum"));

        QCOMPARE(catcher.opened.size(), 2);
        QCOMPARE(catcher.opened[0].path(), QStringLiteral("/"));
        QCOMPARE(catcher.opened[1], catcher.opened[0].resolved(QUrl(QStringLiteral("Forum/"))));
    }

    // The help opens beside the program on its contents, or tells what is wrong with its file;
    // the main window goes on taking commands meanwhile.
    void helpOpensBesideTheProgramOnItsContents_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("fileDelivered");
        QTest::newRow("Aide menu") << "Aide1" << true;
        QTest::newRow("Aide button") << "SpeedButton4" << true;
        QTest::newRow("no help file") << "Aide1" << false;
    }
    void helpOpensBesideTheProgramOnItsContents()
    {
        QFETCH(QString, command);
        QFETCH(bool, fileDelivered);

        StartedProgram program;
        const QString helpFile = program.database.folder() + QStringLiteral("/Cuisinotte.hlp");
        if (fileDelivered)
            QVERIFY(QFile::copy(QStringLiteral(CUISINOTTE_SOURCE_DIR "/delivered/Cuisinotte.hlp"), helpFile));
        program.window.show();

        runCommand(program.window, command);
        QWidget *help = nullptr;
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget *window : windows) {
            if (window->objectName() == u"HelpWindow")
                help = window;
        }
        QVERIFY(help);
        const auto closeHelp = qScopeGuard([help] { delete help; });
        QVERIFY(help->isVisible());
        QVERIFY(!help->isModal() && !QApplication::activeModalWidget());
        auto *message = help->findChild<QLabel *>(QStringLiteral("Message"));
        if (fileDelivered) {
            QVERIFY(!message->isVisible());
            QCOMPARE(help->findChild<QListWidget *>(QStringLiteral("Contents"))->currentRow(), 0);
        } else {
            QVERIFY(message->text().contains(helpFile));
        }
    }

    void printerSetupWorksOnTheApplicationPrinter()
    {
        StartedProgram program;
        QPrinter *shown = nullptr;
        ModalAnswer answer([&shown](QWidget *dialog) {
            auto *printDialog = qobject_cast<QPrintDialog *>(dialog);
            if (!printDialog)
                return false;
            shown = printDialog->printer();
            printDialog->reject();
            return true;
        });

        runCommand(program.window, QStringLiteral("Configurerlimpression1"));

        QVERIFY(answer.answered());
        QCOMPARE(shown, &Application::printer());
    }
};

CUISINOTTE_GUI_TEST_MAIN(Application, TestMain)

#include "tst_main.moc"
