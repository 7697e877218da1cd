#include "dbwidgets/DBEdit.h"

#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "guard/GuardedApplication.h"
#include "dataset/MemoryDataset.h"
#include "dbwidgets/Beep.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

/// Two families and an edit box bound to their name, shown and focused, with another control
/// to move the focus to.
struct BoundEdit
{
    BoundEdit()
    {
        dataset.addField(u"IDFAMILLE"_s, FieldKind::Float);
        dataset.addField(u"FAMILLE"_s, FieldKind::Text, 100);
        dataset.addField(u"PERSONNES"_s, FieldKind::SmallInt);
        source.setDataset(&dataset);
        dataset.open();
        for (const auto &[key, name] : {std::pair{1.0, u"Tartes"_s}, std::pair{2.0, u"Soupes"_s}}) {
            dataset.append();
            dataset.fieldByName(u"IDFAMILLE"_s).setValue(key);
            dataset.fieldByName(u"FAMILLE"_s).setValue(name);
            dataset.post();
        }
        dataset.first();

        window.resize(300, 100);
        edit = new DBEdit(&window);
        edit->setGeometry(10, 10, 200, 21);
        other = new QWidget(&window);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(10, 50, 50, 21);
        edit->setDataSource(&source);
        edit->setDataField(u"FAMILLE"_s);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
    }

    Field &name() { return dataset.fieldByName(u"FAMILLE"_s); }

    // As a keyboard sends it: QTest::keyClicks cannot send characters beyond ASCII.
    void type(const QString &text)
    {
        for (const QChar character : text)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }

    MemoryDataset dataset;
    DataSource source;
    QWidget window;
    DBEdit *edit = nullptr;
    QWidget *other = nullptr;
};

} // namespace

class TestDBEdit : public QObject
{
    Q_OBJECT

private slots:
    void showsTheFieldOfTheCurrentRow()
    {
        BoundEdit bound;
        QCOMPARE(bound.edit->text(), u"Tartes"_s);
        QCOMPARE(bound.edit->maxLength(), 100);
        QVERIFY(!bound.edit->isReadOnly());

        bound.dataset.next();
        QCOMPARE(bound.edit->text(), u"Soupes"_s);

        bound.dataset.close();
        QCOMPARE(bound.edit->text(), QString());
        QVERIFY(bound.edit->isReadOnly());
        bound.type(u"x"_s);
        QCOMPARE(bound.edit->text(), QString());

        bound.dataset.open();
        bound.edit->setDataField(u"NOPE"_s);
        QCOMPARE(bound.edit->text(), QString());
        QVERIFY(bound.edit->isReadOnly());
    }

    void typingEditsTheRowWhereTheCaretIs()
    {
        BoundEdit bound;
        bound.edit->setCursorPosition(0);
        bound.type(u"Les "_s);
        QCOMPARE(bound.dataset.state(), DatasetState::Edit);
        QCOMPARE(bound.edit->text(), u"Les Tartes"_s);
        QCOMPARE(bound.name().asString(), u"Tartes"_s);

        bound.dataset.post();
        QCOMPARE(bound.dataset.state(), DatasetState::Browse);
        QCOMPARE(bound.name().asString(), u"Les Tartes"_s);
    }

    void leavingTheBoxHandsTheTextToTheField()
    {
        BoundEdit bound;
        QTest::keyClick(bound.edit, Qt::Key_End);
        QTest::keyClick(bound.edit, Qt::Key_Backspace);
        bound.other->setFocus();
        QTRY_VERIFY(bound.other->hasFocus());
        QCOMPARE(bound.dataset.state(), DatasetState::Edit);
        QCOMPARE(bound.name().asString(), u"Tarte"_s);
    }

    // A text the row refuses keeps the focus in the box; its error is shown once, when the focus
    // change is over.
    void aRefusedTextKeepsTheFocus()
    {
        BoundEdit bound;
        bound.edit->setDataField(u"PERSONNES"_s);
        bound.type(u"99999"_s);

        MessageBoxWatcher boxes;
        bound.other->setFocus();
        QTRY_COMPARE(boxes.texts().size(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(boxes.texts(), QStringList{u"99999 n'est pas une valeur valide pour le champ 'PERSONNES'."_s});
        QTRY_COMPARE(bound.window.focusWidget(), bound.edit);
        QCOMPARE(bound.edit->text(), u"99999"_s);
        QVERIFY(bound.dataset.fieldByName(u"PERSONNES"_s).isNull());
    }

    void typingWorksInABoxBoundWhileTheRowIsInserted()
    {
        BoundEdit bound;
        bound.dataset.append();
        DBEdit late(&bound.window);
        late.setDataSource(&bound.source);
        late.setDataField(u"FAMILLE"_s);
        late.show();
        QTest::keyClicks(&late, u"Pizzas"_s);
        QCOMPARE(late.text(), u"Pizzas"_s);
        late.clearFocus();
        bound.dataset.post();
        QCOMPARE(bound.name().asString(), u"Pizzas"_s);
    }

    void takesNoMoreCharactersThanTheFieldHolds()
    {
        BoundEdit bound;
        bound.dataset.append();
        const QString hundred(100, u'a');
        bound.type(hundred);
        bound.type(u"b"_s);
        QCOMPARE(bound.edit->text(), hundred);

        QApplication::clipboard()->setText(u"ccc"_s);
        QTest::keyClick(bound.edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(bound.edit->text(), hundred);

        bound.dataset.post();
        QCOMPARE(bound.name().asString(), hundred);
    }

    void refusesCharactersTheDatabaseCannotHold_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("beeps");

        QTest::newRow("typed o double acute") << u"ő"_s << QString() << u"Tartes"_s << 1;
        QTest::newRow("typed arrow") << u"→"_s << QString() << u"Tartes"_s << 1;
        QTest::newRow("pasted with an arrow") << QString() << u"a→b"_s << u"Tartes"_s << 1;
        QTest::newRow("typed euro and accent") << u"€é"_s << QString() << u"Tartes€é"_s << 0;
        QTest::newRow("pasted euro and accent") << QString() << u"€é"_s << u"Tartes€é"_s << 0;
    }

    void refusesCharactersTheDatabaseCannotHold()
    {
        QFETCH(QString, typed);
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        QFETCH(int, beeps);

        BoundEdit bound;
        QTest::keyClick(bound.edit, Qt::Key_End);
        const int beepsBefore = Beep::count();
        bound.type(typed);
        if (!pasted.isEmpty()) {
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(bound.edit, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(bound.edit->text(), expected);
        QCOMPARE(Beep::count() - beepsBefore, beeps);
        // A refused character starts no editing.
        QCOMPARE(bound.dataset.state(), beeps ? DatasetState::Browse : DatasetState::Edit);
    }

    void escapeBringsBackWhatTheRowHolds()
    {
        BoundEdit bound;
        QTest::keyClick(bound.edit, Qt::Key_End);
        bound.type(u"xyz"_s);
        QTest::keyClick(bound.edit, Qt::Key_Escape);
        QCOMPARE(bound.edit->text(), u"Tartes"_s);
        QCOMPARE(bound.edit->selectedText(), u"Tartes"_s);

        // Nothing typed before Escape is written afterwards.
        bound.other->setFocus();
        QTRY_VERIFY(bound.other->hasFocus());
        bound.dataset.post();
        QCOMPARE(bound.name().asString(), u"Tartes"_s);
    }

    void neverEditsWhenTheFieldCannotBeChanged_data()
    {
        QTest::addColumn<bool>("fieldReadOnly");
        QTest::addColumn<bool>("disabled");
        QTest::addColumn<bool>("autoEdit");

        QTest::newRow("read-only and disabled") << true << true << true;
        QTest::newRow("read-only") << true << false << true;
        QTest::newRow("source without automatic editing") << false << false << false;
    }

    void neverEditsWhenTheFieldCannotBeChanged()
    {
        QFETCH(bool, fieldReadOnly);
        QFETCH(bool, disabled);
        QFETCH(bool, autoEdit);

        BoundEdit bound;
        bound.edit->setFieldReadOnly(fieldReadOnly);
        bound.edit->setEnabled(!disabled);
        bound.source.setAutoEdit(autoEdit);
        QCOMPARE(bound.edit->text(), u"Tartes"_s);
        QCOMPARE(bound.edit->isReadOnly(), fieldReadOnly);

        const int beepsBefore = Beep::count();
        QTest::keyClick(bound.edit, Qt::Key_End);
        bound.type(u"x"_s);
        QTest::keyClick(bound.edit, Qt::Key_Backspace);
        QApplication::clipboard()->setText(u"y"_s);
        QTest::keyClick(bound.edit, Qt::Key_V, Qt::ControlModifier);

        QCOMPARE(bound.edit->text(), u"Tartes"_s);
        QCOMPARE(bound.dataset.state(), DatasetState::Browse);
        QCOMPARE(Beep::count(), beepsBefore);
    }
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestDBEdit)
#include "tst_dbedit.moc"
