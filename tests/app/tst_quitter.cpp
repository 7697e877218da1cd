#include "Application.h"
#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "Quitter.h"

#include "controls/MyControl.h"
#include "controls/MyLabel.h"

#include <QTest>

#include <functional>

namespace {

// The answer of a confirmation that is still open when the test has done its part.
constexpr int stillAsking = -1;

using Action = std::function<void(TFrmQuitter &)>;

Action click(const QString &button)
{
    return [button](TFrmQuitter &dialog) {
        QTest::mouseClick(dialog.findChild<TMyControl *>(button), Qt::LeftButton);
    };
}

Action press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    return [key, modifiers](TFrmQuitter &dialog) { QTest::keyClick(&dialog, key, modifiers); };
}

} // namespace

Q_DECLARE_METATYPE(Action)

class TestQuitter : public QObject
{
    Q_OBJECT

private slots:
    void asksWhetherToQuit()
    {
        TFrmQuitter dialog(nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Quitter l'application"));
        QCOMPARE(dialog.size(), QSize(382, 127));
        QCOMPARE(dialog.findChild<TMyLabel *>(QStringLiteral("MyLabel1"))->caption(),
            QStringLiteral("Voulez-vous quitter l'application ?"));
        QCOMPARE(dialog.findChild<TMyControl *>(QStringLiteral("BtnQuitter"))->caption(), QStringLiteral("&Ok"));
        QCOMPARE(dialog.findChild<TMyControl *>(QStringLiteral("BtnAnnuler"))->caption(), QStringLiteral("&Annuler"));
    }

    void answers_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("result");

        QTest::newRow("Ok") << click(QStringLiteral("BtnQuitter")) << int(QDialog::Accepted);
        QTest::newRow("Annuler") << click(QStringLiteral("BtnAnnuler")) << int(QDialog::Rejected);
        QTest::newRow("close box") << Action([](TFrmQuitter &dialog) { dialog.close(); }) << int(QDialog::Rejected);
        QTest::newRow("o") << press(Qt::Key_O) << int(QDialog::Accepted);
        QTest::newRow("Alt+O") << press(Qt::Key_O, Qt::AltModifier) << int(QDialog::Accepted);
        QTest::newRow("a") << press(Qt::Key_A) << int(QDialog::Rejected);
        QTest::newRow("Alt+A") << press(Qt::Key_A, Qt::AltModifier) << int(QDialog::Rejected);
        QTest::newRow("Enter") << press(Qt::Key_Enter, Qt::KeypadModifier) << stillAsking;
        QTest::newRow("Return") << press(Qt::Key_Return) << stillAsking;
        QTest::newRow("Escape") << press(Qt::Key_Escape) << stillAsking;
        QTest::newRow("another letter") << press(Qt::Key_Q) << stillAsking;
    }

    void answers()
    {
        QFETCH(Action, action);
        QFETCH(int, result);

        TFrmQuitter dialog(nullptr);
        DialogAnswer<TFrmQuitter> answer([&action](TFrmQuitter &shown) {
            action(shown);
            if (shown.isVisible())
                shown.done(stillAsking);
        });
        QCOMPARE(dialog.exec(), result);
        QVERIFY(answer.answered());
    }
};

CUISINOTTE_GUI_TEST_MAIN(Application, TestQuitter)

#include "tst_quitter.moc"
