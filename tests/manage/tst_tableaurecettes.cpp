#include "Application.h"
#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "PreviewAnswer.h"
#include "WindowDriver.h"

#include "controls/MyButtons.h"
#include "controls/MyLabel.h"
#include "dbwidgets/DBEdit.h"
#include "dbwidgets/DBGrid.h"
#include "editor/FicheRecettes.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QListView>
#include <QScreen>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

enum class Book { Empty, FirstFamilyWithoutRecipes, OneFamily, Several };

QList<SampleFamily> familiesOf(Book book)
{
    switch (book) {
    case Book::Empty:
        return {};
    case Book::FirstFamilyWithoutRecipes:
        return {{QStringLiteral("Entrées"), {}}, {QStringLiteral("Soupes"), {QStringLiteral("Velouté")}}};
    case Book::OneFamily:
        return {{QStringLiteral("Desserts"), {QStringLiteral("Tarte"), QStringLiteral("Clafoutis")}}};
    case Book::Several:
        break;
    }
    return {
        {QStringLiteral("Tartes"), {QStringLiteral("Tarte aux pommes"), QStringLiteral("Tarte au citron")}},
        {QStringLiteral("Desserts"), {QStringLiteral("Flan"), QStringLiteral("Clafoutis"), QStringLiteral("Éclair")}},
        {QStringLiteral("tarama et dips"), {QStringLiteral("Tarama")}},
        {QStringLiteral("Apéritifs"), {QStringLiteral("Olives")}},
        {QStringLiteral("Soupes"), {QStringLiteral("Velouté"), QStringLiteral("Minestrone")}},
        {QStringLiteral("Tajines"), {}},
    };
}

// In name order: Apéritifs, Desserts, Soupes, Tajines, tarama et dips, Tartes.

/// What a command opened: the class of the modal dialog it showed, which is then closed with
/// Cancel, or nothing.
class OpenedDialog : public ModalAnswer
{
public:
    OpenedDialog()
        : ModalAnswer([this](QWidget *dialog) {
            m_className = QString::fromLatin1(dialog->metaObject()->className());
            dialog->close();
            return true;
        })
    {
    }

    QString className() const { return m_className; }

private:
    QString m_className;
};

} // namespace

class TestTableauRecettes : public QObject
{
    Q_OBJECT

private slots:
    void everyControlIsWhereItWasDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QRect>("geometry");

        QTest::newRow("<< families") << "BtnFirstFamille" << "<<" << "Premier enregistrement de la table des familles" << QRect(503, 47, 20, 24);
        QTest::newRow("< families") << "BtnPriorFamille" << "<" << "Enregistrement précédent de la  table des familles" << QRect(526, 47, 20, 24);
        QTest::newRow("> families") << "BtnNextFamille" << ">" << "Enregistrement suivant de la table des familles" << QRect(549, 47, 20, 24);
        QTest::newRow(">> families") << "BtnLastFamille" << ">>" << "Dernier enregistrement de la table des familles" << QRect(571, 47, 20, 24);
        QTest::newRow("+") << "MyParcours11" << "+" << "Ajout d'une nouvelle famille de recettes" << QRect(594, 47, 20, 24);
        QTest::newRow("modify family") << "BtnModiiferTheme" << "&Modifier" << "Modification de la famille affichée" << QRect(18, 18, 80, 26);
        QTest::newRow("delete family") << "BtnSupprimerTheme" << "&Supprimer" << "Suppression de la famille affichée" << QRect(18, 45, 80, 26);
        QTest::newRow("list families") << "BtnImprimerTheme" << "&Liste" << "Visulisation et Impression de toutes les familles enregistrées" << QRect(18, 72, 80, 26);
        QTest::newRow("new recipe") << "BtnNouvelleRecette" << "N&ouvelle" << "Ajout d'une nouvelle recette dans la famille sélectionnée" << QRect(18, 25, 80, 24);
        QTest::newRow("modify recipe") << "BtnModifierRecette" << "Mo&difier" << "Modification de la recette sélectionnée" << QRect(18, 59, 80, 24);
        QTest::newRow("delete recipe") << "BtnSupprimerRecette" << "Su&pprimer" << "Suppression de la recette sélectionnée" << QRect(18, 93, 80, 24);
        QTest::newRow("list recipes") << "BtnImprimerRecette" << "L&iste" << "Visulisation et Impression de la liste des recettes pour la famille affichée" << QRect(18, 161, 80, 24);
        QTest::newRow("print recipe") << "MyButton1" << "&Imprimer" << "Visulisation et Impression de la recette sélectionnée" << QRect(18, 196, 80, 24);
        QTest::newRow("move recipe") << "MyButton2" << "&Déplacer" << "Déplacement de la recette sélectionnée " << QRect(18, 127, 80, 24);
        QTest::newRow("close") << "BtnFermer" << "&Fermer" << "Fermer la fenêtre" << QRect(668, 411, 80, 24);
        QTest::newRow("<< recipes") << "BtnFirstRecette" << "<<" << "Première recette de la famille sélectionnée" << QRect(664, 462, 20, 24);
        QTest::newRow("< recipes") << "BtnPriorRecette" << "<" << "Recette précédente de la famille sélectionnée" << QRect(687, 462, 20, 24);
        QTest::newRow("> recipes") << "BtnNextRecette" << ">" << "Recette suivante de la famille sélectionnée" << QRect(710, 462, 20, 24);
        QTest::newRow(">> recipes") << "BtnLastRecette" << ">>" << "Dernière recette de la famille sélectionnée" << QRect(733, 462, 20, 24);
    }
    void everyControlIsWhereItWasDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(QRect, geometry);

        // Before it is shown maximised, the window stands at its design size.
        OpenRecipeBook book(familiesOf(Book::OneFamily));
        TFrmTableauRecettes window(book.dm, nullptr);
        auto *button = window.findChild<TMyControl *>(name);
        QVERIFY(button);
        QCOMPARE(button->caption(), caption);
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->geometry(), geometry);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }

    void windowOpensMaximisedAndKeepsItsControlsAtTheirEdges()
    {
        ManagementWindow managed(familiesOf(Book::OneFamily));
        TFrmTableauRecettes &window = managed.window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Gestion des Recettes"));
        QVERIFY(window.windowState().testFlag(Qt::WindowMaximized));
        QTRY_VERIFY(window.width() > 770);

        const QWidget *panel = window.findChild<QWidget *>(QStringLiteral("MyPanel1"));
        QCOMPARE(panel->size(), window.size());
        const int grownWidth = panel->width() - 770;
        const int grownHeight = panel->height() - 495;
        QVERIFY(grownHeight > 0);

        auto geometryOf = [&](const QString &name) { return window.findChild<QWidget *>(name)->geometry(); };
        QCOMPARE(geometryOf(QStringLiteral("wwDBGrid1")), QRect(16, 77, 626 + grownWidth, 394 + grownHeight));
        QCOMPARE(geometryOf(QStringLiteral("GroupBox2")), QRect(648 + grownWidth, 8, 113, 105));
        QCOMPARE(geometryOf(QStringLiteral("GroupBox1")), QRect(648 + grownWidth, 112, 113, 241));
        QCOMPARE(geometryOf(QStringLiteral("BtnFermer")), QRect(668 + grownWidth, 411 + grownHeight, 80, 24));
        QCOMPARE(geometryOf(QStringLiteral("BtnLastRecette")), QRect(733 + grownWidth, 462 + grownHeight, 20, 24));
        QCOMPARE(geometryOf(QStringLiteral("DBLookupComboBox2")), QRect(24, 49, 468, 21));
        QCOMPARE(geometryOf(QStringLiteral("BtnFirstFamille")), QRect(503, 47, 20, 24));

        QCOMPARE(window.findChild<QGroupBox *>(QStringLiteral("GroupBox1"))->title(), QStringLiteral("  Recettes "));
        QCOMPARE(window.findChild<QGroupBox *>(QStringLiteral("GroupBox2"))->title(), QStringLiteral("Famille"));
        QCOMPARE(window.findChild<TMyLabel *>(QStringLiteral("MyLabel3"))->caption(), QStringLiteral("Famille de recettes :"));
    }

    void onlyTheDropDownAndTheListTakeTheFocus()
    {
        ManagementWindow managed(familiesOf(Book::OneFamily));
        QWidget *box = managed.familyBox();
        QWidget *list = managed.window.findChild<DBGrid *>(QStringLiteral("wwDBGrid1"));
        QList<QWidget *> takers;
        const auto children = managed.window.findChildren<QWidget *>();
        for (QWidget *child : children) {
            // The drop-down's list is a window of its own.
            if (child->focusPolicy() & Qt::TabFocus && child->window() == &managed.window)
                takers.append(child);
        }
        QCOMPARE(takers.size(), 2);
        QVERIFY(takers.contains(box) && takers.contains(list));
        managed.window.activateWindow();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), list);
    }

    void opensOnTheCurrentFamily()
    {
        OpenRecipeBook book(familiesOf(Book::Several));
        book.dm.IBFAMILLE.next();
        // A family chosen during an earlier opening is forgotten.
        book.dm.dxMemData.fieldByName(QStringLiteral("IDFamille")).setValue(book.familyKey(QStringLiteral("Tartes")));
        book.dm.IBFAMILLE.locate(QStringLiteral("FAMILLE"), QStringLiteral("Desserts"));
        TFrmTableauRecettes window(book.dm, nullptr);
        QCOMPARE(book.currentFamily(), QStringLiteral("Desserts"));
        QCOMPARE(book.selectedFamilyKey(), book.familyKey(QStringLiteral("Desserts")));
        QCOMPARE(window.findChild<DBLookupComboBox *>()->text(), QStringLiteral("Desserts"));
    }

    void noFamilyOpensOnAnEmptyDropDownAndList()
    {
        ManagementWindow managed(familiesOf(Book::Empty));
        QCOMPARE(managed.shownFamily(), QString());
        QCOMPARE(managed.book.selectedFamilyKey(), 0.0);
        QCOMPARE(managed.window.findChild<DBGrid *>()->model()->rowCount(), 0);
    }

    // Without a recipe, modifying one beeps: the beep shows that the double click reached it.
    void doubleClickInTheListModifiesTheRecipe()
    {
        ManagementWindow managed(familiesOf(Book::OneFamily));
        auto *list = managed.window.findChild<DBGrid *>();
        DatasetState state = DatasetState::Inactive;
        QString title;
        DialogAnswer<TFrmFicheRecettes> card([&](TFrmFicheRecettes &window) {
            state = managed.book.dm.IBRECETTES.state();
            title = window.findChild<DBEdit *>(u"DBDescription"_s)->text();
            window.reject();
        });
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, {20, 10});
        QVERIFY(card.answered());
        QCOMPARE(state, DatasetState::Edit);
        QCOMPARE(title, managed.book.currentRecipe());
        runDeferredDeletes();
        QCOMPARE(managed.book.dm.IBRECETTES.state(), DatasetState::Browse);
    }

    // The card gets a new recipe of the family shown: today in both dates, the first ratings,
    // nothing else; cancelled, it leaves no row.
    void aNewRecipeIsHandedToTheCardWithItsDefaults()
    {
        ManagementWindow managed(familiesOf(Book::OneFamily));
        QueryDataset &recipes = managed.book.dm.IBRECETTES;
        const QStringList before = managed.book.recipeTitles();
        QVariantList values;
        DialogAnswer<TFrmFicheRecettes> card([&](TFrmFicheRecettes &window) {
            for (const char16_t *field : {u"DATE_CREATION", u"DATE_DERN_MODIF", u"IDFAMILLE", u"QUALITE", u"DIFFICULTE",
                     u"DESCRIPTION"})
                values.append(recipes.fieldByName(QString::fromUtf16(field)).value());
            clickButton(&window, u"Btnannuler"_s);
        });
        managed.click(u"BtnNouvelleRecette"_s);
        QVERIFY(card.answered());
        const QVariant today = QDate::currentDate();
        QCOMPARE(values, (QVariantList{today, today, managed.book.familyKey(u"Desserts"_s), 1, 1, QVariant()}));
        runDeferredDeletes();
        QCOMPARE(managed.book.recipeTitles(), before);
    }

    void commandsThatCannotRunBeep_data()
    {
        QTest::addColumn<Book>("book");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("outcome"); // "beep", a dialog's class, or "" for nothing seen

        const QStringList navigation{QStringLiteral("BtnFirstFamille"), QStringLiteral("BtnPriorFamille"),
            QStringLiteral("BtnNextFamille"), QStringLiteral("BtnLastFamille"), QStringLiteral("BtnFirstRecette"),
            QStringLiteral("BtnPriorRecette"), QStringLiteral("BtnNextRecette"), QStringLiteral("BtnLastRecette")};
        const QStringList needFamily{QStringLiteral("BtnModiiferTheme"), QStringLiteral("BtnSupprimerTheme"),
            QStringLiteral("BtnImprimerTheme"), QStringLiteral("BtnNouvelleRecette")};
        const QStringList needRecipe{QStringLiteral("BtnModifierRecette"), QStringLiteral("BtnSupprimerRecette"),
            QStringLiteral("BtnImprimerRecette"), QStringLiteral("MyButton1")};
        const QString beep = QStringLiteral("beep");

        for (const QString &button : navigation + needFamily + needRecipe)
            QTest::addRow("no family: %s", qPrintable(button)) << Book::Empty << button << beep;
        QTest::newRow("no family: +") << Book::Empty << "MyParcours11" << "TFrmFicheFamille";
        QTest::newRow("no family: move") << Book::Empty << "MyButton2" << "TFrmDepacer";

        for (const QString &button : navigation.mid(4) + needRecipe)
            QTest::addRow("no recipe: %s", qPrintable(button)) << Book::FirstFamilyWithoutRecipes << button << beep;
        QTest::newRow("no recipe: modify family") << Book::FirstFamilyWithoutRecipes << "BtnModiiferTheme" << "TFrmFicheFamille";
        QTest::newRow("no recipe: delete family") << Book::FirstFamilyWithoutRecipes << "BtnSupprimerTheme" << "TFrmSuppFamille";
        QTest::newRow("no recipe: move") << Book::FirstFamilyWithoutRecipes << "MyButton2" << "TFrmDepacer";
        QTest::newRow("no recipe: new recipe") << Book::FirstFamilyWithoutRecipes << "BtnNouvelleRecette" << "TFrmFicheRecettes";

        QTest::newRow("recipes: delete recipe") << Book::OneFamily << "BtnSupprimerRecette" << "TFrmSuppRecette";
        QTest::newRow("recipes: list families") << Book::OneFamily << "BtnImprimerTheme" << "report::PreviewWindow";
        QTest::newRow("recipes: list recipes") << Book::OneFamily << "BtnImprimerRecette" << "report::PreviewWindow";
        QTest::newRow("recipes: print recipe") << Book::OneFamily << "MyButton1" << "report::PreviewWindow";
        QTest::newRow("recipes: modify recipe") << Book::OneFamily << "BtnModifierRecette" << "TFrmFicheRecettes";
    }
    void commandsThatCannotRunBeep()
    {
        QFETCH(Book, book);
        QFETCH(QString, button);
        QFETCH(QString, outcome);

        ManagementWindow managed(familiesOf(book));
        OpenedDialog opened;
        const int beeps = beepsDuring([&] { managed.click(button); });
        runDeferredDeletes();
        QCOMPARE(beeps, outcome == u"beep" ? 1 : 0);
        QCOMPARE(opened.className(), outcome == u"beep" ? QString() : outcome);
    }

    void oneFamilyBeepsAtBothEnds()
    {
        ManagementWindow managed(familiesOf(Book::OneFamily));
        QCOMPARE(beepsDuring([&] { managed.click(QStringLiteral("BtnFirstFamille")); }), 1);
        QCOMPARE(beepsDuring([&] { managed.click(QStringLiteral("BtnPriorFamille")); }), 1);
        QCOMPARE(beepsDuring([&] { managed.click(QStringLiteral("BtnNextFamille")); }), 0);
        QVERIFY(managed.book.dm.IBFAMILLE.eof());
        QCOMPARE(managed.shownFamily(), QStringLiteral("Desserts"));
        QCOMPARE(beepsDuring([&] { managed.click(QStringLiteral("BtnNextFamille")); }), 1);
        QCOMPARE(beepsDuring([&] { managed.click(QStringLiteral("BtnLastFamille")); }), 1);
    }

    void familyButtonsStepAndTheDropDownFollows_data()
    {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("recipe");

        QTest::newRow(">") << QStringList{u">"_s} << "Desserts" << "Clafoutis";
        QTest::newRow("> >") << QStringList{u">"_s, u">"_s} << "Soupes" << "Minestrone";
        QTest::newRow(">>") << QStringList{u">>"_s} << "Tartes" << "Tarte au citron";
        QTest::newRow(">> <") << QStringList{u">>"_s, u"<"_s} << "tarama et dips" << "Tarama";
        QTest::newRow("> > <<") << QStringList{u">"_s, u">"_s, u"<<"_s} << "Apéritifs" << "Olives";
    }
    void familyButtonsStepAndTheDropDownFollows()
    {
        QFETCH(QStringList, buttons);
        QFETCH(QString, family);
        QFETCH(QString, recipe);

        const QHash<QString, QString> names{{QStringLiteral("<<"), QStringLiteral("BtnFirstFamille")},
            {QStringLiteral("<"), QStringLiteral("BtnPriorFamille")}, {QStringLiteral(">"), QStringLiteral("BtnNextFamille")},
            {QStringLiteral(">>"), QStringLiteral("BtnLastFamille")}};
        ManagementWindow managed(familiesOf(Book::Several));
        for (const QString &button : buttons)
            managed.click(names.value(button));
        QCOMPARE(managed.book.currentFamily(), family);
        QCOMPARE(managed.shownFamily(), family);
        QCOMPARE(managed.book.selectedFamilyKey(), managed.book.familyKey(family));
        QCOMPARE(managed.book.currentRecipe(), recipe);
    }

    void recipeButtonsStepThroughTheList()
    {
        ManagementWindow managed(familiesOf(Book::Several));
        managed.click(QStringLiteral("BtnNextFamille")); // Desserts: Clafoutis, Éclair, Flan
        QCOMPARE(beepsDuring([&] { managed.click(QStringLiteral("BtnPriorRecette")); }), 1);
        managed.click(QStringLiteral("BtnNextRecette"));
        QCOMPARE(managed.book.currentRecipe(), QStringLiteral("Éclair"));
        managed.click(QStringLiteral("BtnLastRecette"));
        QCOMPARE(managed.book.currentRecipe(), QStringLiteral("Flan"));
        QCOMPARE(beepsDuring([&] { managed.click(QStringLiteral("BtnNextRecette")); }), 1);
        managed.click(QStringLiteral("BtnFirstRecette"));
        QCOMPARE(managed.book.currentRecipe(), QStringLiteral("Clafoutis"));
        QCOMPARE(managed.shownFamily(), QStringLiteral("Desserts"));
    }

    void choosingInTheDropDownShowsThatFamily()
    {
        ManagementWindow managed(familiesOf(Book::Several));
        DBLookupComboBox *box = managed.familyBox();
        box->setFocus();
        typeKey(box, Qt::Key_Down, QString(), Qt::AltModifier);
        QVERIFY(box->isListVisible());
        QListView *list = box->listView();
        list->setCurrentIndex(list->model()->index(2, 0)); // Soupes
        typeKey(list, Qt::Key_Return, QStringLiteral("\r"));
        QVERIFY(!box->isListVisible());
        QCOMPARE(managed.book.currentFamily(), QStringLiteral("Soupes"));
        QCOMPARE(managed.book.recipeTitles(), (QStringList{u"Minestrone"_s, u"Velouté"_s}));

        managed.click(QStringLiteral("BtnNextFamille"));
        QCOMPARE(managed.shownFamily(), QStringLiteral("Tajines"));
        QVERIFY(managed.book.dm.IBRECETTES.isEmpty());
    }

    void choosingTheFamilyShownChangesNothing()
    {
        ManagementWindow managed(familiesOf(Book::Several));
        managed.click(QStringLiteral("BtnNextFamille"));
        managed.click(QStringLiteral("BtnNextRecette"));
        QCOMPARE(managed.book.currentRecipe(), QStringLiteral("Éclair"));

        DBLookupComboBox *box = managed.familyBox();
        box->dropDown();
        QListView *list = box->listView();
        QCOMPARE(list->currentIndex().row(), 1);
        typeKey(list, Qt::Key_Return, QStringLiteral("\r"));
        // The recipes were not read again: the list still stands on the second one.
        QCOMPARE(managed.book.currentRecipe(), QStringLiteral("Éclair"));
        QCOMPARE(managed.shownFamily(), QStringLiteral("Desserts"));
    }

    void typingInTheDropDownChoosesByTheBeginningOfTheName()
    {
        ManagementWindow managed(familiesOf(Book::Several));
        DBLookupComboBox *box = managed.familyBox();
        qint64 now = 100000;
        box->setClock([&now] { return now; });
        box->setFocus();

        typeKey(box, Qt::Key_T, QStringLiteral("T"));
        now += 300;
        typeKey(box, Qt::Key_A, QStringLiteral("a"));
        now += 300;
        typeKey(box, Qt::Key_R, QStringLiteral("R"));
        QCOMPARE(managed.shownFamily(), QStringLiteral("tarama et dips"));
        QCOMPARE(managed.book.currentRecipe(), QStringLiteral("Tarama"));

        typeKey(box, Qt::Key_T, QStringLiteral("t"));
        now += 2001;
        typeKey(box, Qt::Key_A, QStringLiteral("a"));
        QCOMPARE(managed.shownFamily(), QStringLiteral("Apéritifs"));
        QCOMPARE(managed.book.currentFamily(), QStringLiteral("Apéritifs"));
    }

    // Each report is shown in the preview. A list runs its dataset through every row; once the
    // preview is closed the family, or the recipe, that was current is current again. The card
    // moves neither.
    void reportsShowTheirPreviewAndPutTheListsBack_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("printed");
        QTest::addColumn<QString>("recipe"); // current once the preview is closed

        QTest::newRow("families") << "BtnImprimerTheme"
                                  << QStringList{u"Liste des familles"_s, u"Apéritifs"_s, u"Soupes"_s, u"Tartes"_s}
                                  << "Minestrone";
        QTest::newRow("recipes") << "BtnImprimerRecette"
                                 << QStringList{u"Liste des recettes"_s, u"Soupes"_s, u"Minestrone"_s, u"Velouté"_s}
                                 << "Velouté";
        QTest::newRow("card") << "MyButton1" << QStringList{u"Fiche Recette"_s, u"Soupes"_s, u"Velouté"_s} << "Velouté";
    }
    void reportsShowTheirPreviewAndPutTheListsBack()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, printed);
        QFETCH(QString, recipe);

        ManagementWindow managed(familiesOf(Book::Several));
        managed.click(QStringLiteral("BtnNextFamille"));
        managed.click(QStringLiteral("BtnNextFamille"));
        managed.click(QStringLiteral("BtnNextRecette"));
        QCOMPARE(managed.book.currentRecipe(), QStringLiteral("Velouté"));

        PreviewAnswer preview;
        managed.click(button);
        QVERIFY(preview.answered());
        QCOMPARE(preview.caption(), u"Aperçu avant l'impression"_s);
        for (const QString &text : printed)
            QVERIFY2(preview.texts().contains(text), qPrintable(text));
        QCOMPARE(managed.book.currentFamily(), QStringLiteral("Soupes"));
        QCOMPARE(managed.shownFamily(), QStringLiteral("Soupes"));
        QCOMPARE(managed.book.currentRecipe(), recipe);
        QCOMPARE(managed.book.dm.IBRECETTES.state(), DatasetState::Browse);
    }

    void altLettersGoToTheFirstButtonThatCarriesThem_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("Alt+D") << int(Qt::Key_D) << "BtnModifierRecette" << "MyButton2";
        QTest::newRow("Alt+I") << int(Qt::Key_I) << "BtnImprimerRecette" << "MyButton1";
    }
    void altLettersGoToTheFirstButtonThatCarriesThem()
    {
        QFETCH(int, key);
        QFETCH(QString, first);
        QFETCH(QString, second);

        ManagementWindow managed(familiesOf(Book::OneFamily));
        QSignalSpy firstClicks(managed.window.findChild<TMyControl *>(first), &TMyControl::clicked);
        QSignalSpy secondClicks(managed.window.findChild<TMyControl *>(second), &TMyControl::clicked);
        managed.window.activateWindow();
        OpenedDialog opened;
        QTest::keyClick(managed.familyBox(), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(firstClicks.size(), 1);
        QCOMPARE(secondClicks.size(), 0);
    }

    void closeEndsWithCancel()
    {
        ManagementWindow managed(familiesOf(Book::OneFamily));
        QSignalSpy finished(&managed.window, &QDialog::finished);
        managed.click(QStringLiteral("BtnFermer"));
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), int(QDialog::Rejected));
        QVERIFY(!managed.window.isVisible());
    }
};

CUISINOTTE_GUI_TEST_MAIN(Application, TestTableauRecettes)

#include "tst_tableaurecettes.moc"
