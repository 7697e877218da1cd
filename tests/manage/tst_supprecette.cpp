#include "Application.h"
#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "WindowDriver.h"

#include "controls/MyLabel.h"
#include "dbwidgets/DBEdit.h"
#include "manage/SuppRecette.h"

using namespace Qt::StringLiterals;

namespace {

const QList<SampleFamily> families{
    {QStringLiteral("Desserts"), {QStringLiteral("Flan"), QStringLiteral("Clafoutis"), QStringLiteral("Éclair")}},
    {QStringLiteral("Soupes"), {QStringLiteral("Velouté")}},
};

DialogAnswer<TFrmSuppRecette> pressInDialog(const QString &button)
{
    return DialogAnswer<TFrmSuppRecette>([button](TFrmSuppRecette &dialog) {
        if (button.isEmpty())
            dialog.close();
        else
            clickButton(&dialog, button);
    });
}

} // namespace

class TestSuppRecette : public QObject
{
    Q_OBJECT

private slots:
    void dialogShowsTheRecipeGreyed()
    {
        OpenRecipeBook book(families);
        book.dm.IBRECETTES.next();
        TFrmSuppRecette dialog(book.dm, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Supprimer une Recette "));
        QCOMPARE(dialog.size(), QSize(596, 128));
        QCOMPARE(dialog.findChild<TMyLabel *>(QStringLiteral("MyLabel1"))->caption(), QStringLiteral("Supression de la Recette :"));
        auto *description = dialog.findChild<DBEdit *>(QStringLiteral("DBEdit1"));
        QCOMPARE(description->text(), QStringLiteral("Éclair"));
        QVERIFY(!description->isEnabled());
        QCOMPARE(dialog.findChild<TMyControl *>(QStringLiteral("MyButton1"))->geometry(), QRect(144, 80, 80, 24));
        QCOMPARE(dialog.findChild<TMyControl *>(QStringLiteral("MyButton2"))->geometry(), QRect(275, 80, 80, 24));
    }

    void deletingStandsOnTheNextRecipe_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("steps"); // presses of the recipes' ">" before deleting
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("stored"); // recipes in the database afterwards

        // Desserts by title: Clafoutis, Éclair, Flan.
        QTest::newRow("first") << "Desserts" << 0 << "MyButton1" << QStringList{u"Éclair"_s, u"Flan"_s} << "Éclair" << 3;
        QTest::newRow("last goes back one") << "Desserts" << 2 << "MyButton1" << QStringList{u"Clafoutis"_s, u"Éclair"_s} << "Éclair" << 3;
        QTest::newRow("only one") << "Soupes" << 0 << "MyButton1" << QStringList() << "" << 3;
        QTest::newRow("Annuler") << "Desserts" << 1 << "MyButton2" << QStringList{u"Clafoutis"_s, u"Éclair"_s, u"Flan"_s} << "Éclair" << 4;
        QTest::newRow("close box") << "Desserts" << 1 << "" << QStringList{u"Clafoutis"_s, u"Éclair"_s, u"Flan"_s} << "Éclair" << 4;
    }
    void deletingStandsOnTheNextRecipe()
    {
        QFETCH(QString, family);
        QFETCH(int, steps);
        QFETCH(QString, button);
        QFETCH(QStringList, left);
        QFETCH(QString, current);
        QFETCH(int, stored);

        ManagementWindow managed(families);
        if (family != managed.book.currentFamily())
            managed.click(QStringLiteral("BtnNextFamille"));
        for (int step = 0; step < steps; ++step)
            managed.click(QStringLiteral("BtnNextRecette"));
        auto answer = pressInDialog(button);
        managed.click(QStringLiteral("BtnSupprimerRecette"));
        QVERIFY(answer.answered());
        runDeferredDeletes();

        QCOMPARE(managed.book.recipeTitles(), left);
        QCOMPARE(managed.book.currentRecipe(), current);
        QCOMPARE(managed.book.dm.IBRECETTES.state(), DatasetState::Browse);
        QCOMPARE(managed.shownFamily(), family);
        QCOMPARE(managed.book.committedRows(QStringLiteral("select * from RECETTES")), stored);
    }
};

CUISINOTTE_GUI_TEST_MAIN(Application, TestSuppRecette)

#include "tst_supprecette.moc"
