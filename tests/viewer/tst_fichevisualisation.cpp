#include "Application.h"
#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "OpenRecipeBook.h"
#include "PreviewAnswer.h"
#include "SamplePictures.h"
#include "UserInput.h"

#include "controls/MyDBImage.h"
#include "controls/MyLabel.h"
#include "controls/MyRichEdit.h"
#include "dbwidgets/DBEdit.h"
#include "dbwidgets/DBLookupComboBox.h"
#include "viewer/FicheVisualisation.h"

#include <QClipboard>
#include <QListView>
#include <QMimeData>
#include <QSignalSpy>
#include <QTabWidget>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// In name order: Desserts, Entrées (no recipe), Soupes, Tartes (one recipe).
QList<SampleFamily> sampleBook()
{
    return {
        {u"Soupes"_s, {u"Velouté"_s, u"Minestrone"_s}},
        {u"Desserts"_s, {u"Flan"_s, u"Clafoutis"_s, u"Éclair"_s}},
        {u"Tartes"_s, {u"Tarte fine"_s}},
        {u"Entrées"_s, {}},
    };
}

const QHash<QString, QString> buttonNames{
    {u"<<"_s, u"BtnFirstFamille"_s}, {u"<"_s, u"BtnPriorFamille"_s}, {u">"_s, u"BtnNextFamille"_s},
    {u">>"_s, u"BtnLastFamille"_s}, {u"r<<"_s, u"MyParcours11"_s}, {u"r<"_s, u"MyParcours12"_s},
    {u"r>"_s, u"MyParcours13"_s}, {u"r>>"_s, u"MyParcours14"_s}};

/// Makes the recipe current, whatever family it is in.
void findRecipe(OpenRecipeBook &book, const QString &recipe)
{
    book.dm.IBFAMILLE.first();
    while (!book.dm.IBRECETTES.locate(u"DESCRIPTION"_s, recipe))
        book.dm.IBFAMILLE.next();
}

/// Gives the recipe these values and commits them; the book is then read again from its first
/// family, as at start-up.
void store(OpenRecipeBook &book, const QString &recipe, const QHash<QString, QVariant> &values)
{
    findRecipe(book, recipe);
    QueryDataset &recipes = book.dm.IBRECETTES;
    recipes.edit();
    for (auto value = values.cbegin(); value != values.cend(); ++value)
        recipes.fieldByName(value.key()).setValue(value.value());
    recipes.post();
    book.committedRows(u"select 1 from RDB$DATABASE"_s);
}

/// Every column of the recipe as the database holds it once the work is committed.
QVariantList committedRecipe(OpenRecipeBook &book, const QString &recipe)
{
    book.committedRows(u"select 1 from RDB$DATABASE"_s);
    findRecipe(book, recipe);
    QVariantList columns;
    const Dataset &recipes = book.dm.IBRECETTES;
    for (int field = 0; field < recipes.fieldCount(); ++field)
        columns.append(recipes.field(field).value());
    return columns;
}

/// The viewer shown on the sample book, as the main window opens it (though not modally, so
/// that the test can drive it).
struct Viewer
{
    explicit Viewer(const QList<SampleFamily> &families = sampleBook())
        : book(families)
    {
    }

    TFrmFicheVisualisation &open()
    {
        window.emplace(book.dm, nullptr);
        window->show();
        return *window;
    }

    void click(const QString &button) { clickButton(&*window, buttonNames.value(button, button)); }
    template <class Control>
    Control *control(const QString &name) const
    {
        return window->findChild<Control *>(name);
    }
    QString shownFamily() const { return control<DBLookupComboBox>(u"DBLookupComboBox2"_s)->text(); }
    QString shownRecipe() const { return control<DBEdit>(u"DBEdit2"_s)->text(); }
    QString shownPage() const { return control<QTabWidget>(u"PgeControl"_s)->currentWidget()->objectName(); }
    QString shownText(const QString &view) const { return control<TMyRichEdit>(view)->toPlainText(); }

    OpenRecipeBook book;
    std::optional<TFrmFicheVisualisation> window;
};

} // namespace

class TestFicheVisualisation : public QObject
{
    Q_OBJECT

private slots:
    void windowIsLaidOutAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QRect>("geometry");

        QTest::newRow("<< families") << "BtnFirstFamille" << "<<" << "Premier enregistrement de la table des familles"
                                     << QRect(685, 29, 20, 24);
        QTest::newRow("< families") << "BtnPriorFamille" << "<" << "Enregistrement précédent de la  table des familles"
                                    << QRect(708, 29, 20, 24);
        QTest::newRow("> families") << "BtnNextFamille" << ">" << "Enregistrement suivant de la table des familles"
                                    << QRect(731, 29, 20, 24);
        QTest::newRow(">> families") << "BtnLastFamille" << ">>" << "Dernier enregistrement de la table des familles"
                                     << QRect(754, 29, 20, 24);
        QTest::newRow("<< recipes") << "MyParcours11" << "<<" << "Première recette de la famille sélectionnée"
                                    << QRect(685, 55, 20, 24);
        QTest::newRow("< recipes") << "MyParcours12" << "<" << "Recette précédente de la famille sélectionnée"
                                   << QRect(708, 55, 20, 24);
        QTest::newRow("> recipes") << "MyParcours13" << ">" << "Recette suivante de la famille sélectionnée"
                                   << QRect(731, 55, 20, 24);
        QTest::newRow(">> recipes") << "MyParcours14" << ">>" << "Dernière recette de la famille sélectionnée"
                                    << QRect(755, 55, 20, 24);
        QTest::newRow("ingredients") << "BtnIngredients" << "I&ngrédients" << "Voir la page Ingrédients"
                                     << QRect(111, 510, 80, 24);
        QTest::newRow("preparation") << "BtnPreparation" << "&Préparation" << "Voir la page Préparation"
                                     << QRect(216, 510, 80, 24);
        QTest::newRow("illustration") << "BtnIllustration" << "I&llustration" << "Voir la page Illustration"
                                      << QRect(322, 510, 80, 24);
        QTest::newRow("print") << "BtnImprimer" << "&Imprimer" << "Visulisation et Impression de cette recette"
                               << QRect(422, 510, 80, 24);
        QTest::newRow("close") << "BtnFermer" << "&Fermer" << "Fermer la fenêtre" << QRect(522, 511, 80, 24);
    }
    void windowIsLaidOutAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(QRect, geometry);

        Viewer viewer;
        TFrmFicheVisualisation &window = viewer.open();
        QCOMPARE(window.windowTitle(), u"Visualisation"_s);
        QCOMPARE(window.size(), QSize(800, 558));
        auto *button = viewer.control<TMyControl>(name);
        QVERIFY(button);
        QCOMPARE(button->caption(), caption);
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->geometry(), geometry);

        QCOMPARE(viewer.control<TMyLabel>(u"MyLabel1"_s)->caption(), u"Famille  :"_s);
        QCOMPARE(viewer.control<TMyLabel>(u"MyLabel2"_s)->caption(), u"Recettes :"_s);
        auto *box = viewer.control<DBLookupComboBox>(u"DBLookupComboBox2"_s);
        QCOMPARE(box->geometry(), QRect(145, 29, 520, 21));
        QCOMPARE(box->dropDownRows(), 20);
        QCOMPARE(viewer.control<DBEdit>(u"DBEdit2"_s)->geometry(), QRect(144, 56, 521, 21));
        auto *pages = viewer.control<QTabWidget>(u"PgeControl"_s);
        QCOMPARE(pages->geometry(), QRect(20, 104, 768, 401));
        QCOMPARE(pages->tabText(0), u"&Ingredients"_s);
        QCOMPARE(pages->tabText(1), u"&Préparation"_s);
        QCOMPARE(pages->tabText(2), u"&Illustration"_s);
    }

    // The window opens on what was current, whether it came from start-up or from an earlier
    // window, and on the ingredients whatever page it was closed on.
    void opensOnTheCurrentFamilyAndRecipe()
    {
        Viewer viewer;
        viewer.open();
        QCOMPARE(viewer.shownFamily(), u"Desserts"_s);
        QCOMPARE(viewer.shownRecipe(), u"Clafoutis"_s);
        QCOMPARE(viewer.shownPage(), u"PgeIngredients"_s);
        viewer.click(u"BtnIllustration"_s);
        viewer.click(u">>"_s);
        viewer.click(u"r>"_s);
        viewer.click(u"BtnFermer"_s);

        QCOMPARE(viewer.book.currentFamily(), u"Tartes"_s);
        viewer.book.dm.IBFAMILLE.locate(u"FAMILLE"_s, u"Soupes"_s);
        viewer.book.dm.IBRECETTES.next();
        viewer.open();
        QCOMPARE(viewer.shownFamily(), u"Soupes"_s);
        QCOMPARE(viewer.book.selectedFamilyKey(), viewer.book.familyKey(u"Soupes"_s));
        QCOMPARE(viewer.shownRecipe(), u"Velouté"_s);
        QCOMPARE(viewer.shownPage(), u"PgeIngredients"_s);
    }

    // Each step is a button and whether it beeps. A family button that finds no row beyond the
    // end still reads the family's recipes again; a recipe button never does.
    void navigationBeepsOnlyPastTheEnds_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("recipe");

        QTest::newRow("<< on the first family") << QStringList{u"<< beep"_s, u"< beep"_s} << "Desserts" << "Clafoutis";
        QTest::newRow("< to the first family, < again, then a beep")
            << QStringList{u">"_s, u"<"_s, u"r>"_s, u"<"_s, u"< beep"_s, u"<< beep"_s} << "Desserts" << "Clafoutis";
        QTest::newRow("<< on the first family reached with <")
            << QStringList{u">"_s, u"<"_s, u"r>>"_s, u"<<"_s, u"<< beep"_s} << "Desserts" << "Clafoutis";
        QTest::newRow("> to the last family, > again, then a beep")
            << QStringList{u">"_s, u">"_s, u">"_s, u">"_s, u"> beep"_s, u">> beep"_s} << "Tartes" << "Tarte fine";
        QTest::newRow(">> on the last family beeps") << QStringList{u">>"_s, u"> beep"_s} << "Tartes" << "Tarte fine";
        QTest::newRow("> onto a family without recipes") << QStringList{u">"_s} << "Entrées" << "";
        QTest::newRow("> > to the third family") << QStringList{u">"_s, u">"_s} << "Soupes" << "Minestrone";
        QTest::newRow(">> <") << QStringList{u">>"_s, u"<"_s} << "Soupes" << "Minestrone";
        QTest::newRow("recipes: << < at the first beep")
            << QStringList{u"r<< beep"_s, u"r< beep"_s} << "Desserts" << "Clafoutis";
        QTest::newRow("recipes: > to the last, > sets the end, then beeps")
            << QStringList{u"r>"_s, u"r>"_s, u"r>"_s, u"r> beep"_s, u"r>> beep"_s} << "Desserts" << "Flan";
        QTest::newRow("recipes: >> then <") << QStringList{u"r>>"_s, u"r<"_s} << "Desserts" << "Éclair";
        QTest::newRow("recipes: < from the first reached with < beeps only the second time")
            << QStringList{u"r>"_s, u"r<"_s, u"r<"_s, u"r< beep"_s} << "Desserts" << "Clafoutis";
        QTest::newRow("one recipe: > once, then a beep")
            << QStringList{u">>"_s, u"r>"_s, u"r> beep"_s} << "Tartes" << "Tarte fine";
        QTest::newRow("no recipe: every recipe button beeps")
            << QStringList{u">"_s, u"r<< beep"_s, u"r< beep"_s, u"r> beep"_s, u"r>> beep"_s} << "Entrées" << "";
    }
    void navigationBeepsOnlyPastTheEnds()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, family);
        QFETCH(QString, recipe);

        Viewer viewer;
        viewer.open();
        for (int index = 0; index < steps.size(); ++index) {
            const QString &step = steps[index];
            const int beeps = beepsDuring([&] { viewer.click(step.section(u' ', 0, 0)); });
            QVERIFY2(beeps == (step.endsWith(u"beep"_s) ? 1 : 0), qPrintable(u"step %1: "_s.arg(index + 1) + step));
        }
        QCOMPARE(viewer.book.currentFamily(), family);
        QCOMPARE(viewer.shownFamily(), family);
        QCOMPARE(viewer.book.selectedFamilyKey(), viewer.book.familyKey(family));
        QCOMPARE(viewer.book.currentRecipe(), recipe);
        QCOMPARE(viewer.shownRecipe(), recipe);
    }

    void anEmptyBookBeepsEverywhereAndStillPrintsTheCard()
    {
        Viewer viewer(QList<SampleFamily>{});
        viewer.open();
        QCOMPARE(viewer.shownFamily(), QString());
        QCOMPARE(viewer.book.selectedFamilyKey(), 0.0);
        QCOMPARE(viewer.shownRecipe(), QString());
        for (const QString &button : buttonNames.keys())
            QVERIFY2(beepsDuring([&] { viewer.click(button); }) == 1, qPrintable(button));

        PreviewAnswer preview;
        QCOMPARE(beepsDuring([&] { viewer.click(u"BtnImprimer"_s); }), 0);
        QVERIFY(preview.answered());
        QVERIFY(preview.texts().contains(u"Fiche Recette"_s));
    }

    void theDropDownChoosesTheFamilyAndEscapeKeepsIt()
    {
        Viewer viewer;
        viewer.open();
        viewer.click(u"r>"_s);
        auto *box = viewer.control<DBLookupComboBox>(u"DBLookupComboBox2"_s);
        box->setFocus();

        typeKey(box, Qt::Key_Down, QString(), Qt::AltModifier);
        QVERIFY(box->isListVisible());
        box->listView()->setCurrentIndex(box->listView()->model()->index(2, 0)); // Soupes
        typeKey(box->listView(), Qt::Key_Escape, QString());
        QVERIFY(!box->isListVisible());
        QCOMPARE(viewer.shownFamily(), u"Desserts"_s);
        QCOMPARE(viewer.shownRecipe(), u"Éclair"_s);

        typeKey(box, Qt::Key_Down, QString(), Qt::AltModifier);
        box->listView()->setCurrentIndex(box->listView()->model()->index(2, 0));
        typeKey(box->listView(), Qt::Key_Return, u"\r"_s);
        QCOMPARE(viewer.book.currentFamily(), u"Soupes"_s);
        QCOMPARE(viewer.shownRecipe(), u"Minestrone"_s);

        typeKey(box, Qt::Key_Down, QString());
        QCOMPARE(viewer.shownFamily(), u"Tartes"_s);
        QCOMPARE(viewer.shownRecipe(), u"Tarte fine"_s);
    }

    void theRecipeIsShownWhereverItComesFrom()
    {
        Viewer viewer;
        const QByteArray rtf = R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}\f0 200 g de {\b farine}\par})"_ba;
        store(viewer.book, u"Flan"_s,
            {{u"INGREDIENTS"_s, rtf}, {u"PREPARATION"_s, "Cuire 20 minutes."_ba}, {u"IMAGE"_s, jpegOf(640, 480)}});
        viewer.open();
        viewer.click(u"r>>"_s);

        QCOMPARE(viewer.shownText(u"EditIngredients"_s), u"200 g de farine"_s);
        QCOMPARE(viewer.shownText(u"EditPreparation"_s), u"Cuire 20 minutes."_s);
        auto *picture = viewer.control<TMyDBImage>(u"MyDBImage"_s);
        QCOMPARE(picture->picture().size(), QSize(640, 480));
        QVERIFY(picture->isReadOnly());
        // Formatted where the text says so, bold navy where it does not.
        auto *ingredients = viewer.control<TMyRichEdit>(u"EditIngredients"_s);
        ingredients->setSelection(9, 1);
        QVERIFY(ingredients->characterFormat().bold);
        QCOMPARE(ingredients->font().pixelSize(), 11);
        QCOMPARE(ingredients->palette().color(QPalette::Text), QColor(0x00, 0x00, 0x80));

        viewer.click(u"r<<"_s);
        QCOMPARE(viewer.shownText(u"EditIngredients"_s), QString());
        QVERIFY(picture->picture().isEmpty());
    }

    // The damaged picture is reported once, when its recipe becomes current; the viewer goes on.
    void aDamagedIllustrationIsReportedAndTheViewerGoesOn()
    {
        Viewer viewer;
        const QByteArray withoutTables = "\xff\xd8\xff\xda\x00\x08\x01\x01\x00\x00\x3f\x00"_ba;
        store(viewer.book, u"Éclair"_s, {{u"IMAGE"_s, withoutTables}});
        viewer.open();

        MessageBoxWatcher boxes;
        viewer.click(u"r>"_s);
        QTRY_COMPARE(boxes.texts().size(), 1);
        QCOMPARE(viewer.shownRecipe(), u"Éclair"_s);
        viewer.click(u"r>"_s);
        QCOMPARE(viewer.shownRecipe(), u"Flan"_s);
        QCOMPARE(boxes.texts().size(), 1);
    }

    // The buttons take their letters before the page control: Alt+I prints and never picks the
    // tab "&Ingredients" or "&Illustration". A letter alone works while the panel or the tabs
    // have the focus, not in a text, which takes it.
    void lettersGoToTheButtons_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("alt");
        QTest::addColumn<QString>("page"); // the page shown afterwards, or "preview"

        QTest::newRow("Alt+I prints") << "MyPanel1" << int(Qt::Key_I) << true << "preview";
        QTest::newRow("Alt+P preparation") << "MyPanel1" << int(Qt::Key_P) << true << "PgePreparation";
        QTest::newRow("Alt+L illustration") << "MyPanel1" << int(Qt::Key_L) << true << "PgeIllustration";
        QTest::newRow("l on the panel") << "MyPanel1" << int(Qt::Key_L) << false << "PgeIllustration";
        QTest::newRow("i on the tabs") << "PgeControl" << int(Qt::Key_I) << false << "preview";
        QTest::newRow("Alt+I in the text") << "EditIngredients" << int(Qt::Key_I) << true << "preview";
        QTest::newRow("l in the text") << "EditIngredients" << int(Qt::Key_L) << false << "PgeIngredients";
    }
    void lettersGoToTheButtons()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, alt);
        QFETCH(QString, page);

        Viewer viewer;
        TFrmFicheVisualisation &window = viewer.open();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), u"MyPanel1"_s);
        QWidget *focused = window.findChild<QWidget *>(focus);
        if (focus == u"PgeControl")
            focused = viewer.control<QTabWidget>(focus)->tabBar();
        focused->setFocus();

        PreviewAnswer preview;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), alt ? Qt::AltModifier : Qt::NoModifier);
        if (page == u"preview") {
            QVERIFY(preview.answered());
            QCOMPARE(viewer.shownPage(), u"PgeIngredients"_s);
        } else {
            QCOMPARE(viewer.shownPage(), page);
        }
        QVERIFY(window.isVisible());
        QCOMPARE(viewer.book.dm.IBRECETTES.state(), DatasetState::Browse);
    }

    void nothingInTheViewerChangesARecipe()
    {
        Viewer viewer;
        store(viewer.book, u"Clafoutis"_s, {{u"INGREDIENTS"_s, "Cerises"_ba}, {u"IMAGE"_s, jpegOf(32, 32)}});
        const QVariantList before = committedRecipe(viewer.book, u"Clafoutis"_s);
        viewer.book.dm.IBFAMILLE.first();
        viewer.open();
        QGuiApplication::clipboard()->setText(u"collé"_s);

        auto *description = viewer.control<DBEdit>(u"DBEdit2"_s);
        description->setFocus();
        typeText(description, u"xyz"_s);
        QTest::keyClick(description, Qt::Key_V, Qt::ControlModifier);
        auto *ingredients = viewer.control<TMyRichEdit>(u"EditIngredients"_s);
        ingredients->setFocus();
        typeText(ingredients, u"abc"_s);
        QTest::keyClick(ingredients, Qt::Key_Delete);
        QTest::keyClick(ingredients, Qt::Key_V, Qt::ControlModifier);
        auto *picture = viewer.control<TMyDBImage>(u"MyDBImage"_s);
        picture->CutToClipboard();
        picture->PasteFromClipboard();

        QCOMPARE(viewer.book.dm.IBRECETTES.state(), DatasetState::Browse);
        QCOMPARE(viewer.shownRecipe(), u"Clafoutis"_s);
        QCOMPARE(viewer.shownText(u"EditIngredients"_s), u"Cerises"_s);
        QCOMPARE(picture->picture().size(), QSize(32, 32));
        viewer.click(u"BtnFermer"_s);
        QCOMPARE(committedRecipe(viewer.book, u"Clafoutis"_s), before);
    }

    // The viewer commits nothing: work posted before it was opened is still uncommitted after.
    void openingAndClosingCommitsNothing()
    {
        Viewer viewer;
        viewer.book.dm.IBFAMILLE.append();
        viewer.book.dm.IBFAMILLE.fieldByName(u"FAMILLE"_s).setValue(u"Gratins"_s);
        viewer.book.dm.IBFAMILLE.post();
        viewer.open();
        viewer.click(u">>"_s);
        viewer.click(u"BtnFermer"_s);
        QCOMPARE(viewer.book.database.countRows(u"select * from FAMILLE where FAMILLE = 'Gratins'"_s), 0);
        QVERIFY(viewer.book.dm.IBTransaction.isActive());
    }

    void printingShowsTheRecipeAndKeepsThePlace()
    {
        Viewer viewer;
        viewer.open();
        viewer.click(u">"_s);
        viewer.click(u">"_s);
        viewer.click(u"r>"_s);
        viewer.click(u"BtnPreparation"_s);

        PreviewAnswer preview;
        viewer.click(u"BtnImprimer"_s);
        QVERIFY(preview.answered());
        QCOMPARE(preview.caption(), u"Aperçu avant l'impression"_s);
        QVERIFY(preview.texts().contains(u"Velouté"_s));
        QVERIFY(preview.texts().contains(u"Soupes"_s));
        QCOMPARE(viewer.shownFamily(), u"Soupes"_s);
        QCOMPARE(viewer.book.currentRecipe(), u"Velouté"_s);
        QCOMPARE(viewer.shownPage(), u"PgePreparation"_s);
        QCOMPARE(viewer.book.dm.IBRECETTES.state(), DatasetState::Browse);
    }

    void pagesByTabAndByButton()
    {
        Viewer viewer;
        viewer.open();
        auto *pages = viewer.control<QTabWidget>(u"PgeControl"_s);
        viewer.click(u"BtnIllustration"_s);
        QCOMPARE(viewer.shownPage(), u"PgeIllustration"_s);
        viewer.click(u"BtnPreparation"_s);
        QCOMPARE(viewer.shownPage(), u"PgePreparation"_s);
        QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(0).center());
        QCOMPARE(viewer.shownPage(), u"PgeIngredients"_s);
        viewer.click(u"BtnIllustration"_s);
        viewer.click(u"BtnIngredients"_s);
        QCOMPARE(viewer.shownPage(), u"PgeIngredients"_s);
    }

    void closeEndsWithCancel()
    {
        Viewer viewer;
        TFrmFicheVisualisation &window = viewer.open();
        QSignalSpy finished(&window, &QDialog::finished);
        viewer.click(u"BtnFermer"_s);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.first().first().toInt(), int(QDialog::Rejected));
    }
};

CUISINOTTE_GUI_TEST_MAIN(Application, TestFicheVisualisation)

#include "tst_fichevisualisation.moc"
