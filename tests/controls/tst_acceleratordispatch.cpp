#include "controls/AcceleratorDispatch.h"

#include "GuiTestMain.h"
#include "guard/GuardedApplication.h"
#include "controls/MyButtons.h"

#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// A window holding, in this order: "&Ok", "&Annuler", "&ouvrir", "<<" and ">", each button
// logging its name when clicked, and a line edit and a push button to hold the focus.
struct ButtonWindow
{
    ButtonWindow()
    {
        window.setCentralWidget(new QWidget(&window));
        QWidget *panel = window.centralWidget();
        window.menuBar()->addAction(QStringLiteral("&Outils"), [this] { clicked << QStringLiteral("menu"); });
        int x = 0;
        for (const QString &caption : {QStringLiteral("&Ok"), QStringLiteral("&Annuler"), QStringLiteral("&ouvrir"),
                 QStringLiteral("<<"), QStringLiteral(">")}) {
            auto *button = new TMyButton(panel);
            button->setObjectName(caption);
            button->setCaption(caption);
            button->move(x, 0);
            x += 85;
            QObject::connect(button, &TMyControl::clicked, button, [this, caption] { clicked << caption; });
            buttons << button;
        }
        edit = new QLineEdit(panel);
        edit->move(0, 40);
        pushButton = new QPushButton(QStringLiteral("Rien"), panel);
        pushButton->move(0, 80);
        new AcceleratorDispatch(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
    }

    TMyButton *button(const QString &caption) const
    {
        return window.findChild<TMyButton *>(caption);
    }

    QMainWindow window;
    QList<TMyButton *> buttons;
    QLineEdit *edit = nullptr;
    QPushButton *pushButton = nullptr;
    QStringList clicked;
};

} // namespace

class TestAcceleratorDispatch : public QObject
{
    Q_OBJECT

private slots:
    void dialogCharacters_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("disabled");
        QTest::addColumn<QString>("hidden");
        QTest::addColumn<QStringList>("clicked");

        const int alt = Qt::AltModifier;
        const QString none;
        QTest::newRow("Alt+A") << "edit" << int(Qt::Key_A) << alt << none << none << QStringList{u"&Annuler"_s};
        QTest::newRow("the first carrying button wins")
            << "edit" << int(Qt::Key_O) << alt << none << none << QStringList{u"&Ok"_s};
        QTest::newRow("without regard to case")
            << "edit" << int(Qt::Key_O) << int(Qt::AltModifier | Qt::ShiftModifier) << none << none
            << QStringList{u"&Ok"_s};
        QTest::newRow("a disabled button is skipped")
            << "edit" << int(Qt::Key_O) << alt << "&Ok" << none << QStringList{u"&ouvrir"_s};
        QTest::newRow("a hidden button is skipped")
            << "edit" << int(Qt::Key_O) << alt << none << "&Ok" << QStringList{u"&ouvrir"_s};
        QTest::newRow("nobody carries it: the menu bar has it")
            << "edit" << int(Qt::Key_O) << alt << "&Ok" << "&ouvrir" << QStringList{u"menu"_s};
        QTest::newRow("a letter the buttons do not carry") << "edit" << int(Qt::Key_Z) << alt << none << none
                                                           << QStringList{};
        QTest::newRow("a letter alone to a control that takes no characters")
            << "pushButton" << int(Qt::Key_A) << 0 << none << none << QStringList{u"&Annuler"_s};
        QTest::newRow("a letter alone to an edit box is typed") << "edit" << int(Qt::Key_A) << 0 << none << none
                                                                << QStringList{};
        QTest::newRow("Ctrl is no dialog key") << "pushButton" << int(Qt::Key_A) << int(Qt::ControlModifier) << none
                                               << none << QStringList{};
        QTest::newRow("<< carries no accelerator") << "pushButton" << int(Qt::Key_Less) << alt << none << none
                                                   << QStringList{};
    }

    void dialogCharacters()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, disabled);
        QFETCH(QString, hidden);
        QFETCH(QStringList, clicked);

        ButtonWindow fixture;
        if (!disabled.isEmpty())
            fixture.button(disabled)->setEnabled(false);
        if (!hidden.isEmpty())
            fixture.button(hidden)->hide();
        QWidget *focused = focus == QStringLiteral("edit") ? static_cast<QWidget *>(fixture.edit) : fixture.pushButton;
        focused->setFocus();
        QTRY_VERIFY(focused->hasFocus());

        QTest::keyClick(focused, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(fixture.clicked, clicked);
        // A letter a button took is not typed as well.
        if (focused == fixture.edit && !clicked.isEmpty())
            QCOMPARE(fixture.edit->text(), QString());
        if (focused == fixture.edit && modifiers == 0)
            QCOMPARE(fixture.edit->text(), QStringLiteral("a"));
    }

    // A dialog the window owns is a window of its own: its buttons are not the owner's.
    void aDialogsButtonsAreNotTheWindows()
    {
        ButtonWindow fixture;
        QDialog dialog(&fixture.window);
        auto *dialogButton = new TMyButton(&dialog);
        dialogButton->setCaption(u"&Oui"_s);
        QStringList dialogClicked;
        connect(dialogButton, &TMyControl::clicked, this, [&] { dialogClicked << u"&Oui"_s; });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        fixture.button(u"&Ok"_s)->setEnabled(false);
        fixture.button(u"&ouvrir"_s)->setEnabled(false);
        QApplication::setActiveWindow(&fixture.window);
        fixture.edit->setFocus();
        QTRY_VERIFY(fixture.edit->hasFocus());

        QTest::keyClick(fixture.edit, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(dialogClicked, QStringList());
        QCOMPARE(fixture.clicked, QStringList{u"menu"_s});
    }
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestAcceleratorDispatch)
#include "tst_acceleratordispatch.moc"
