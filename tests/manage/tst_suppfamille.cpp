#include "Application.h"
#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "WindowDriver.h"

#include "controls/MyLabel.h"
#include "dbwidgets/DBEdit.h"
#include "manage/SuppFamille.h"

#include <QLabel>

using namespace Qt::StringLiterals;

namespace {

const QList<SampleFamily> families{
    {QStringLiteral("Desserts"), {QStringLiteral("Flan"), QStringLiteral("Clafoutis")}},
    {QStringLiteral("Entrées"), {}},
    {QStringLiteral("Soupes"), {QStringLiteral("Velouté"), QStringLiteral("Minestrone")}},
};

DialogAnswer<TFrmSuppFamille> pressInDialog(const QString &button)
{
    return DialogAnswer<TFrmSuppFamille>([button](TFrmSuppFamille &dialog) { clickButton(&dialog, button); });
}

} // namespace

class TestSuppFamille : public QObject
{
    Q_OBJECT

private slots:
    void dialogReadsAsOneSentenceAboutTheCurrentFamily()
    {
        OpenRecipeBook book(families);
        book.dm.IBFAMILLE.next();
        TFrmSuppFamille dialog(book.dm, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Supprimer une famille"));
        QCOMPARE(dialog.size(), QSize(390, 167));
        QCOMPARE(dialog.findChild<TMyLabel *>(QStringLiteral("MyLabel1"))->caption(),
            QStringLiteral("La supression de la famille :"));
        auto *name = dialog.findChild<DBEdit *>(QStringLiteral("DBEdit1"));
        QCOMPARE(name->text(), QStringLiteral("Entrées"));
        QVERIFY(!name->isEnabled());
        QVERIFY(name->isReadOnly());
        auto *warning = dialog.findChild<QLabel *>(QStringLiteral("Label1"));
        QCOMPARE(warning->text(), QStringLiteral("détruira tous les recettes référencées par cette famille."));
        QVERIFY(warning->wordWrap());
        QCOMPARE(warning->geometry(), QRect(16, 72, 353, 41));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(!focused || focused == &dialog || focused->objectName() == u"MyPanel1");
        // No button is a cancel button: Escape leaves the dialog open.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
    }

    void deletingStandsOnTheNextFamily_data()
    {
        QTest::addColumn<int>("steps"); // presses of ">" before deleting
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("recipes");

        QTest::newRow("first, with recipes") << 0 << "Entrées" << QStringList();
        QTest::newRow("middle, no recipes") << 1 << "Soupes" << QStringList{u"Minestrone"_s, u"Velouté"_s};
        QTest::newRow("last by name") << 2 << "Entrées" << QStringList();
    }
    void deletingStandsOnTheNextFamily()
    {
        QFETCH(int, steps);
        QFETCH(QString, shown);
        QFETCH(QStringList, recipes);

        ManagementWindow managed(families);
        for (int step = 0; step < steps; ++step)
            managed.click(QStringLiteral("BtnNextFamille"));
        const QString deleted = managed.book.currentFamily();
        auto answer = pressInDialog(QStringLiteral("MyButton1"));
        managed.click(QStringLiteral("BtnSupprimerTheme"));
        QVERIFY(answer.answered());
        runDeferredDeletes();

        QVERIFY(!managed.book.familyNames().contains(deleted));
        QCOMPARE(managed.book.currentFamily(), shown);
        QCOMPARE(managed.shownFamily(), shown);
        QCOMPARE(managed.book.recipeTitles(), recipes);
        // The database takes the family's recipes with it.
        QCOMPARE(managed.book.committedRows(QStringLiteral("select * from RECETTES")), steps == 1 ? 4 : 2);
    }

    void deletingTheOnlyFamilyEmptiesEverything()
    {
        ManagementWindow managed({{QStringLiteral("Desserts"), {QStringLiteral("Flan")}}});
        auto answer = pressInDialog(QStringLiteral("MyButton1"));
        managed.click(QStringLiteral("BtnSupprimerTheme"));
        QVERIFY(answer.answered());
        runDeferredDeletes();
        QVERIFY(managed.book.dm.IBFAMILLE.isEmpty());
        QVERIFY(managed.book.dm.IBRECETTES.isEmpty());
        QCOMPARE(managed.book.selectedFamilyKey(), 0.0);
        QCOMPARE(managed.shownFamily(), QString());
    }

    void cancelKeepsEverything_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Annuler") << "MyButton2";
        QTest::newRow("close box") << "";
    }
    void cancelKeepsEverything()
    {
        QFETCH(QString, button);
        ManagementWindow managed(families);
        DialogAnswer<TFrmSuppFamille> answer([button](TFrmSuppFamille &dialog) {
            if (button.isEmpty())
                dialog.close();
            else
                clickButton(&dialog, button);
        });
        managed.click(QStringLiteral("BtnSupprimerTheme"));
        QVERIFY(answer.answered());
        runDeferredDeletes();
        QCOMPARE(managed.book.familyNames().size(), 3);
        QCOMPARE(managed.shownFamily(), QStringLiteral("Desserts"));
        QCOMPARE(managed.book.committedRows(QStringLiteral("select * from RECETTES")), 4);
    }
};

CUISINOTTE_GUI_TEST_MAIN(Application, TestSuppFamille)

#include "tst_suppfamille.moc"
