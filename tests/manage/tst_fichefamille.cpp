#include "Application.h"
#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "WindowDriver.h"

#include "dbwidgets/DBEdit.h"
#include "manage/FicheFamille.h"

#include <optional>

namespace {

const QList<SampleFamily> families{
    {QStringLiteral("Desserts"), {QStringLiteral("Flan"), QStringLiteral("Clafoutis")}},
    {QStringLiteral("Soupes"), {QStringLiteral("Velouté")}},
};

DBEdit *nameBox(TFrmFicheFamille &card)
{
    return card.findChild<DBEdit *>(QStringLiteral("DBEdit1"));
}

/// Types the name into the card, then presses the given button, or the close box.
DialogAnswer<TFrmFicheFamille> fillCard(const QString &name, const QString &button)
{
    return DialogAnswer<TFrmFicheFamille>([name, button](TFrmFicheFamille &card) {
        typeText(nameBox(card), name);
        if (button.isEmpty())
            card.close();
        else
            clickButton(&card, button);
    });
}

} // namespace

class TestFicheFamille : public QObject
{
    Q_OBJECT

private slots:
    void cardIsAFixedDialogWithItsControls()
    {
        OpenRecipeBook book(families);
        book.dm.IBFAMILLE.edit();
        TFrmFicheFamille card(book.dm, nullptr);
        QCOMPARE(card.windowTitle(), QStringLiteral("Fiche Famille"));
        QCOMPARE(card.size(), QSize(632, 150));
        QCOMPARE(card.minimumSize(), card.maximumSize());
        QCOMPARE(nameBox(card)->geometry(), QRect(72, 50, 441, 21));
        QCOMPARE(nameBox(card)->text(), QStringLiteral("Desserts"));
        QCOMPARE(nameBox(card)->maxLength(), 100);
        QCOMPARE(card.findChild<TMyControl *>(QStringLiteral("BtnOk"))->caption(), QStringLiteral("&Ok"));
        QCOMPARE(card.findChild<TMyControl *>(QStringLiteral("BtnAnnuler"))->caption(), QStringLiteral("&Annuler"));
        card.show();
        QTRY_COMPARE(QApplication::focusWidget(), nameBox(card));
    }

    void newFamilyConfirmedIsNamedAtOnceWithNoRecipes()
    {
        ManagementWindow managed(families);
        managed.click(QStringLiteral("BtnNextFamille"));
        auto answer = fillCard(QStringLiteral("Entrées"), QStringLiteral("BtnOk"));
        managed.click(QStringLiteral("MyParcours11"));
        QVERIFY(answer.answered());
        runDeferredDeletes();

        QCOMPARE(managed.book.familyNames(),
            (QStringList{QStringLiteral("Desserts"), QStringLiteral("Entrées"), QStringLiteral("Soupes")}));
        QCOMPARE(managed.book.currentFamily(), QStringLiteral("Entrées"));
        QCOMPARE(managed.shownFamily(), QStringLiteral("Entrées"));
        QCOMPARE(managed.book.selectedFamilyKey(), 3.0); // drawn from the generator
        QVERIFY(managed.book.dm.IBRECETTES.isEmpty());
        QCOMPARE(managed.book.dm.IBFAMILLE.state(), DatasetState::Browse);
        QCOMPARE(managed.book.committedRows(QStringLiteral("select * from FAMILLE where FAMILLE = 'Entrées'")), 1);
    }

    void newFamilyCancelledLeavesNoRow_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Annuler") << "BtnAnnuler";
        QTest::newRow("close box") << "";
    }
    void newFamilyCancelledLeavesNoRow()
    {
        QFETCH(QString, button);
        ManagementWindow managed(families);
        managed.click(QStringLiteral("BtnNextFamille"));
        auto answer = fillCard(QStringLiteral("Entrées"), button);
        managed.click(QStringLiteral("MyParcours11"));
        QVERIFY(answer.answered());
        runDeferredDeletes();

        QCOMPARE(managed.book.dm.IBFAMILLE.state(), DatasetState::Browse);
        QCOMPARE(managed.book.familyNames(), (QStringList{QStringLiteral("Desserts"), QStringLiteral("Soupes")}));
        QCOMPARE(managed.book.currentFamily(), QStringLiteral("Soupes"));
        QCOMPARE(managed.shownFamily(), QStringLiteral("Soupes"));
        QCOMPARE(managed.book.currentRecipe(), QStringLiteral("Velouté"));
        QCOMPARE(managed.book.committedRows(QStringLiteral("select * from FAMILLE")), 2);
    }

    void emptyNameIsRefusedAndTheCardStaysOpen()
    {
        ManagementWindow managed(families);
        std::optional<MessageBoxAnswer> error;
        bool openAfterError = false;
        DialogAnswer<TFrmFicheFamille> answer([&](TFrmFicheFamille &card) {
            error.emplace();
            clickButton(&card, QStringLiteral("BtnOk"));
            openAfterError = card.isVisible();
            typeText(nameBox(card), QStringLiteral("Entrées"));
            clickButton(&card, QStringLiteral("BtnOk"));
        });
        managed.click(QStringLiteral("MyParcours11"));
        QVERIFY(answer.answered());
        QVERIFY(error->answered());
        QCOMPARE(error->text(), QStringLiteral("Field 'FAMILLE' must have a value"));
        QVERIFY(openAfterError);
        runDeferredDeletes();
        QCOMPARE(managed.shownFamily(), QStringLiteral("Entrées"));
    }

    void renamedFamilyTakesItsPlaceByName()
    {
        ManagementWindow managed(families);
        QCOMPARE(managed.book.currentFamily(), QStringLiteral("Desserts"));
        DialogAnswer<TFrmFicheFamille> answer([](TFrmFicheFamille &card) {
            nameBox(card)->selectAll();
            typeText(nameBox(card), QStringLiteral("Tartes"));
            clickButton(&card, QStringLiteral("BtnOk"));
        });
        managed.click(QStringLiteral("BtnModiiferTheme"));
        QVERIFY(answer.answered());
        runDeferredDeletes();

        QCOMPARE(managed.book.familyNames(), (QStringList{QStringLiteral("Soupes"), QStringLiteral("Tartes")}));
        QCOMPARE(managed.book.currentFamily(), QStringLiteral("Tartes"));
        QCOMPARE(managed.shownFamily(), QStringLiteral("Tartes"));
        QCOMPARE(managed.book.recipeTitles(), (QStringList{QStringLiteral("Clafoutis"), QStringLiteral("Flan")}));
        // The family dataset stands on the last row now, and the buttons know it.
        QCOMPARE(beepsDuring([&] { managed.click(QStringLiteral("BtnNextFamille")); }), 0);
        QCOMPARE(beepsDuring([&] { managed.click(QStringLiteral("BtnNextFamille")); }), 1);
    }

    void renameCancelledKeepsTheOldName()
    {
        ManagementWindow managed(families);
        DialogAnswer<TFrmFicheFamille> answer([](TFrmFicheFamille &card) {
            nameBox(card)->selectAll();
            typeText(nameBox(card), QStringLiteral("Tartes"));
            clickButton(&card, QStringLiteral("BtnAnnuler"));
        });
        managed.click(QStringLiteral("BtnModiiferTheme"));
        QVERIFY(answer.answered());
        runDeferredDeletes();
        QCOMPARE(managed.book.familyNames(), (QStringList{QStringLiteral("Desserts"), QStringLiteral("Soupes")}));
        QCOMPARE(managed.shownFamily(), QStringLiteral("Desserts"));
        QCOMPARE(managed.book.dm.IBFAMILLE.state(), DatasetState::Browse);
    }

    void nameTakesAHundredCharacters()
    {
        ManagementWindow managed(families);
        const QString longest(100, u'x');
        auto answer = fillCard(longest + u'y', QStringLiteral("BtnOk"));
        managed.click(QStringLiteral("MyParcours11"));
        QVERIFY(answer.answered());
        runDeferredDeletes();
        QCOMPARE(managed.shownFamily(), longest);
    }
};

CUISINOTTE_GUI_TEST_MAIN(Application, TestFicheFamille)

#include "tst_fichefamille.moc"
