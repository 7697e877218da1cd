#include "Application.h"
#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "WindowDriver.h"

#include "controls/MyLabel.h"
#include "dbwidgets/DBEdit.h"
#include "manage/Deplacement.h"

#include <optional>

namespace {

const QList<SampleFamily> families{
    {QStringLiteral("Desserts"), {QStringLiteral("Flan"), QStringLiteral("Clafoutis"), QStringLiteral("Éclair")}},
    {QStringLiteral("Entrées"), {}},
    {QStringLiteral("Soupes"), {QStringLiteral("Velouté")}},
};

DBLookupComboBox *targetBox(TFrmDepacer &dialog)
{
    return dialog.findChild<DBLookupComboBox *>(QStringLiteral("DBLookupComboBox2"));
}

/// Chooses the target family in the move dialog by typing its first letter, then presses the
/// button, or the close box.
DialogAnswer<TFrmDepacer> moveTo(const QString &target, const QString &button)
{
    return DialogAnswer<TFrmDepacer>([target, button](TFrmDepacer &dialog) {
        if (!target.isEmpty()) {
            targetBox(dialog)->setFocus();
            typeText(targetBox(dialog), target);
        }
        if (button.isEmpty())
            dialog.close();
        else
            clickButton(&dialog, button);
    });
}

} // namespace

class TestDeplacement : public QObject
{
    Q_OBJECT

private slots:
    void dialogOpensOnTheRecipesOwnFamily()
    {
        OpenRecipeBook book(families);
        book.dm.IBFAMILLE.last();
        TFrmDepacer dialog(book.dm, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Déplacement de la recette"));
        QCOMPARE(dialog.size(), QSize(583, 265));
        QCOMPARE(dialog.findChild<DBEdit *>(QStringLiteral("DBEdit1"))->text(), QStringLiteral("Velouté"));
        QCOMPARE(dialog.findChild<TMyLabel *>(QStringLiteral("MyLabel2"))->caption(), QStringLiteral("Dans la Famille de Recettes :"));
        QCOMPARE(targetBox(dialog)->text(), QStringLiteral("Soupes"));
        QCOMPARE(targetBox(dialog)->dropDownRows(), 7);
        QCOMPARE(book.dm.dxMemData.fieldByName(QStringLiteral("IDModifFamille")).asInteger(), 3);

        // Choosing a target moves neither the family dataset nor the recipes.
        targetBox(dialog)->setFocus();
        typeText(targetBox(dialog), QStringLiteral("d"));
        QCOMPARE(targetBox(dialog)->text(), QStringLiteral("Desserts"));
        QCOMPARE(book.dm.dxMemData.fieldByName(QStringLiteral("IDModifFamille")).asInteger(), 1);
        QCOMPARE(book.currentFamily(), QStringLiteral("Soupes"));
        QCOMPARE(book.currentRecipe(), QStringLiteral("Velouté"));
    }

    void movedRecipeLeavesTheList()
    {
        ManagementWindow managed(families);
        managed.click(QStringLiteral("BtnNextRecette")); // Éclair
        auto answer = moveTo(QStringLiteral("s"), QStringLiteral("BtnDeplacer"));
        managed.click(QStringLiteral("MyButton2"));
        QVERIFY(answer.answered());
        runDeferredDeletes();

        QCOMPARE(managed.book.recipeTitles(), (QStringList{QStringLiteral("Clafoutis"), QStringLiteral("Flan")}));
        QCOMPARE(managed.book.currentRecipe(), QStringLiteral("Clafoutis"));
        QCOMPARE(managed.shownFamily(), QStringLiteral("Desserts"));

        managed.click(QStringLiteral("BtnLastFamille"));
        QCOMPARE(managed.book.recipeTitles(), (QStringList{QStringLiteral("Éclair"), QStringLiteral("Velouté")}));
    }

    void recipeMovedToItsOwnFamilyStays()
    {
        ManagementWindow managed(families);
        managed.click(QStringLiteral("BtnLastRecette")); // Flan
        auto answer = moveTo(QString(), QStringLiteral("BtnDeplacer"));
        managed.click(QStringLiteral("MyButton2"));
        QVERIFY(answer.answered());
        runDeferredDeletes();
        QCOMPARE(managed.book.recipeTitles().size(), 3);
        QCOMPARE(managed.book.currentRecipe(), QStringLiteral("Clafoutis"));
    }

    void cancelledMoveChangesNothing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Annuler") << "MyButton2";
        QTest::newRow("close box") << "";
    }
    void cancelledMoveChangesNothing()
    {
        QFETCH(QString, button);
        ManagementWindow managed(families);
        managed.click(QStringLiteral("BtnNextRecette"));
        auto answer = moveTo(QStringLiteral("s"), button);
        managed.click(QStringLiteral("MyButton2"));
        QVERIFY(answer.answered());
        runDeferredDeletes();
        QCOMPARE(managed.book.currentRecipe(), QStringLiteral("Éclair"));
        QCOMPARE(managed.book.recipeTitles().size(), 3);
        QCOMPARE(managed.book.committedRows(QStringLiteral("select * from RECETTES where IDFAMILLE = 1")), 3);
    }

    // The dialog edits the current recipe without looking: on an empty list that starts a new,
    // empty one, which the required description stops. The dialog still ends with OK, and the
    // re-read drops the row.
    void moveWithoutARecipeWritesNothing_data()
    {
        QTest::addColumn<QList<SampleFamily>>("book");
        QTest::newRow("family without recipes") << QList<SampleFamily>{{QStringLiteral("Entrées"), {}}};
        QTest::newRow("no family") << QList<SampleFamily>();
    }
    void moveWithoutARecipeWritesNothing()
    {
        QFETCH(QList<SampleFamily>, book);
        ManagementWindow managed(book);
        std::optional<MessageBoxAnswer> error;
        bool accepted = false;
        DialogAnswer<TFrmDepacer> answer([&](TFrmDepacer &dialog) {
            QCOMPARE(dialog.findChild<DBEdit *>(QStringLiteral("DBEdit1"))->text(), QString());
            connect(&dialog, &QDialog::accepted, [&accepted] { accepted = true; });
            error.emplace();
            clickButton(&dialog, QStringLiteral("BtnDeplacer"));
        });
        managed.click(QStringLiteral("MyButton2"));
        QVERIFY(answer.answered());
        runDeferredDeletes();
        QVERIFY(error->answered());
        QCOMPARE(error->text(), QStringLiteral("Field 'Description' must have a value"));
        QVERIFY(accepted);
        QVERIFY(managed.book.dm.IBRECETTES.isEmpty());
        QCOMPARE(managed.book.dm.IBRECETTES.state(), DatasetState::Browse);
        QCOMPARE(managed.book.committedRows(QStringLiteral("select * from RECETTES")), 0);
    }
};

CUISINOTTE_GUI_TEST_MAIN(Application, TestDeplacement)

#include "tst_deplacement.moc"
