#include "dbwidgets/DBLookupComboBox.h"

#include "GuiTestMain.h"
#include "guard/GuardedApplication.h"
#include "dataset/MemoryDataset.h"

#include <QApplication>
#include <QListView>
#include <QScreen>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString longName(40, u'z');

// The families in name order, with their keys.
const QList<std::pair<double, QString>> families = {
    {10, u"Desserts"_s},
    {20, u"Entrées"_s},
    {30, u"Potages"_s},
    {40, u"Tajines"_s},
    {50, u"Tartes"_s},
    {60, u"Terrines"_s},
    {70, longName},
};

/// Counts the moves asked of a dataset: every Locate announces one, whether it moves or not.
class MoveCounter : public DataLink
{
public:
    int moves = 0;

protected:
    void dataEvent(DataEvent event, Field *) override
    {
        if (event == DataEvent::CheckBrowseMode)
            ++moves;
    }
};

/// The list of families standing on its first row, the selection record in insert state with a
/// floating-point and an integer family key, and a drop-down over them, shown and focused.
struct Fixture
{
    explicit Fixture(const QVariant &value = 30.0, int familyCount = int(families.size()),
                     const QString &valueField = u"IDFamille"_s)
    {
        list.addField(u"FAMILLE"_s, FieldKind::Text, 100);
        list.addField(u"IDFAMILLE"_s, FieldKind::Float);
        listSource.setDataset(&list);
        list.open();
        for (int row = 0; row < familyCount; ++row)
            addFamily(row < families.size() ? families[row].first : 100.0 + row,
                      row < families.size() ? families[row].second : u"Zone %1"_s.arg(row, 3, 10, QChar(u'0')));
        list.first();

        selection.addField(u"IDFamille"_s, FieldKind::Float);
        selection.addField(u"IDModifFamille"_s, FieldKind::Integer);
        selectionSource.setDataset(&selection);
        selection.open();
        selection.append();
        selection.fieldByName(valueField).setValue(value);

        window.resize(400, 300);
        box = new DBLookupComboBox(&window);
        box->setGeometry(10, 10, 300, 21);
        box->setDataSource(&selectionSource);
        box->setDataField(valueField);
        box->setListSource(&listSource);
        box->setKeyField(u"IDFAMILLE"_s);
        box->setListField(u"FAMILLE"_s);
        box->setClock([this] { return now; });
        counter.setDataSource(&listSource);

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        box->setFocus();
        QTRY_VERIFY(box->hasFocus());
    }

    void addFamily(double key, const QString &name)
    {
        list.append();
        list.fieldByName(u"IDFAMILLE"_s).setValue(key);
        list.fieldByName(u"FAMILLE"_s).setValue(name);
        list.post();
    }

    QVariant value(const QString &name = u"IDFamille"_s) const { return selection.fieldByName(name).value(); }
    void assign(const QVariant &value) { selection.fieldByName(u"IDFamille"_s).setValue(value); }
    QWidget *popup() const { return box->listView()->window(); }
    int highlighted() const { return box->listView()->currentIndex().row(); }

    MemoryDataset list;
    DataSource listSource;
    MemoryDataset selection;
    DataSource selectionSource;
    MoveCounter counter;
    QWidget window;
    DBLookupComboBox *box = nullptr;
    qint64 now = 100000;
};

} // namespace

class TestDBLookupComboBox : public QObject
{
    Q_OBJECT

private slots:
    void showsTheNameOfTheRowWithTheValue_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("familyCount");
        QTest::addColumn<QString>("valueField");
        QTest::addColumn<QString>("expected");

        QTest::newRow("a family") << QVariant(30.0) << 7 << u"IDFamille"_s << u"Potages"_s;
        QTest::newRow("key 0") << QVariant(0.0) << 7 << u"IDFamille"_s << QString();
        QTest::newRow("null") << QVariant() << 7 << u"IDFamille"_s << QString();
        QTest::newRow("no family") << QVariant(30.0) << 0 << u"IDFamille"_s << QString();
        QTest::newRow("integer value, float keys") << QVariant(20) << 7 << u"IDModifFamille"_s << u"Entrées"_s;
    }

    void showsTheNameOfTheRowWithTheValue()
    {
        QFETCH(QVariant, value);
        QFETCH(int, familyCount);
        QFETCH(QString, valueField);
        QFETCH(QString, expected);

        Fixture fixture(value, familyCount, valueField);
        QCOMPARE(fixture.box->text(), expected);
    }

    void bindingMovesNothing()
    {
        Fixture fixture(50.0);
        QCOMPARE(fixture.box->text(), u"Tartes"_s);
        QCOMPARE(fixture.list.recordIndex(), 0);
        QVERIFY(fixture.list.bof());
        QCOMPARE(fixture.counter.moves, 0);
    }

    void followsTheListDataset()
    {
        Fixture fixture(30.0);
        fixture.list.locate(u"IDFAMILLE"_s, 30.0);
        fixture.list.edit();
        fixture.list.fieldByName(u"FAMILLE"_s).setValue(u"Soupes"_s);
        QCOMPARE(fixture.box->text(), u"Soupes"_s);
        fixture.list.post();
        QCOMPARE(fixture.box->text(), u"Soupes"_s);

        fixture.list.deleteRow();
        QCOMPARE(fixture.box->text(), QString());
        fixture.addFamily(30.0, u"Potées"_s);
        QCOMPARE(fixture.box->text(), u"Potées"_s);

        fixture.list.close();
        QCOMPARE(fixture.box->text(), QString());
        fixture.list.open();
        fixture.addFamily(30.0, u"Potages"_s);
        QCOMPARE(fixture.box->text(), u"Potages"_s);
    }

    void aChangedValueLocatesTheListOnce()
    {
        Fixture fixture(30.0);
        fixture.assign(50.0);
        QCOMPARE(fixture.counter.moves, 1);
        QCOMPARE(fixture.list.recordIndex(), 4);
        QCOMPARE(fixture.box->text(), u"Tartes"_s);

        fixture.assign(50.0);
        QCOMPARE(fixture.counter.moves, 1);

        // A key that names no family leaves the list where it stands.
        fixture.assign(0.0);
        QCOMPARE(fixture.counter.moves, 2);
        QCOMPARE(fixture.list.recordIndex(), 4);
        QCOMPARE(fixture.box->text(), QString());
    }

    void choosingInTheListWritesTheKey_data()
    {
        QTest::addColumn<bool>("byClick");
        QTest::newRow("click") << true;
        QTest::newRow("Enter") << false;
    }

    void choosingInTheListWritesTheKey()
    {
        QFETCH(bool, byClick);

        Fixture fixture(30.0);
        QTest::keyClick(fixture.box, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(fixture.box->isListVisible());
        QListView *view = fixture.box->listView();
        QCOMPARE(view->model()->rowCount(), int(families.size()));
        QCOMPARE(fixture.highlighted(), 2);

        if (byClick) {
            const QRect row = view->visualRect(view->model()->index(4, 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
        } else {
            QTest::keyClick(view, Qt::Key_Down);
            QTest::keyClick(view, Qt::Key_Down);
            QCOMPARE(fixture.highlighted(), 4);
            QCOMPARE(fixture.value(), QVariant(30.0));
            QTest::keyClick(view, Qt::Key_Return);
        }
        QVERIFY(!fixture.box->isListVisible());
        QCOMPARE(fixture.value(), QVariant(50.0));
        QCOMPARE(fixture.box->text(), u"Tartes"_s);
        QCOMPARE(fixture.list.recordIndex(), 4);
        QCOMPARE(fixture.counter.moves, 1);
        QCOMPARE(fixture.selection.state(), DatasetState::Insert);
    }

    void choosingTheFamilyShownChangesNothing()
    {
        Fixture fixture(30.0);
        fixture.box->dropDown();
        QTest::keyClick(fixture.box->listView(), Qt::Key_Enter);
        QVERIFY(!fixture.box->isListVisible());
        QCOMPARE(fixture.counter.moves, 0);
        QCOMPARE(fixture.value(), QVariant(30.0));
    }

    void closingWithoutAChoiceChangesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Escape") << u"escape"_s;
        QTest::newRow("Alt+Up") << u"alt-up"_s;
        QTest::newRow("click outside") << u"outside"_s;
        QTest::newRow("click on the box") << u"box"_s;
    }

    void closingWithoutAChoiceChangesNothing()
    {
        QFETCH(QString, how);

        Fixture fixture(30.0);
        fixture.box->dropDown();
        QListView *view = fixture.box->listView();
        QTest::keyClick(view, Qt::Key_Down);
        QCOMPARE(fixture.highlighted(), 3);

        if (how == u"escape")
            QTest::keyClick(view, Qt::Key_Escape);
        else if (how == u"alt-up")
            QTest::keyClick(view, Qt::Key_Up, Qt::AltModifier);
        else if (how == u"outside")
            QTest::mouseClick(fixture.popup(), Qt::LeftButton, {}, QPoint(-20, -20));
        else
            QTest::mouseClick(fixture.popup(), Qt::LeftButton, {},
                              fixture.popup()->mapFromGlobal(fixture.box->mapToGlobal(QPoint(5, 5))));
        QTRY_VERIFY(!fixture.box->isListVisible());
        QCOMPARE(fixture.value(), QVariant(30.0));
        QCOMPARE(fixture.box->text(), u"Potages"_s);
        QCOMPARE(fixture.list.recordIndex(), 0);
        QCOMPARE(fixture.counter.moves, 0);
    }

    // The list stands on its first row: choosing that row moves nothing.
    void upAndDownChooseTheNeighbour_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("key");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<int>("moves");

        QTest::newRow("down") << QVariant(30.0) << int(Qt::Key_Down) << QVariant(40.0) << 1;
        QTest::newRow("up") << QVariant(30.0) << int(Qt::Key_Up) << QVariant(20.0) << 1;
        QTest::newRow("up on the first") << QVariant(10.0) << int(Qt::Key_Up) << QVariant(10.0) << 0;
        QTest::newRow("down on the last") << QVariant(70.0) << int(Qt::Key_Down) << QVariant(70.0) << 0;
        QTest::newRow("down from no family") << QVariant(0.0) << int(Qt::Key_Down) << QVariant(10.0) << 0;
        QTest::newRow("up from null") << QVariant() << int(Qt::Key_Up) << QVariant(10.0) << 0;
    }

    void upAndDownChooseTheNeighbour()
    {
        QFETCH(QVariant, value);
        QFETCH(int, key);
        QFETCH(QVariant, expected);
        QFETCH(int, moves);

        Fixture fixture(value);
        QCOMPARE(fixture.list.recordIndex(), 0);
        QTest::keyClick(fixture.box, Qt::Key(key));
        QCOMPARE(fixture.value(), expected);
        QCOMPARE(fixture.counter.moves, moves);
        QVERIFY(!fixture.box->isListVisible());
    }

    void altDownOpensAndAltUpCloses()
    {
        Fixture fixture(30.0);
        QTest::keyClick(fixture.box, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(fixture.box->isListVisible());
        QTest::keyClick(fixture.box->listView(), Qt::Key_Down, Qt::AltModifier);
        QVERIFY(!fixture.box->isListVisible());
        QTest::keyClick(fixture.box, Qt::Key_Up, Qt::AltModifier);
        QVERIFY(fixture.box->isListVisible());
        QTest::keyClick(fixture.box->listView(), Qt::Key_Up, Qt::AltModifier);
        QVERIFY(!fixture.box->isListVisible());
        QCOMPARE(fixture.value(), QVariant(30.0));
    }

    void typingChoosesTheFirstNameStartingWithIt_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QList<qint64>>("times");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<QString>("search");

        QTest::newRow("t") << QStringList{u"t"_s} << QList<qint64>{0} << QVariant(40.0) << u"t"_s;
        QTest::newRow("t, a, r in mixed case") << QStringList{u"T"_s, u"a"_s, u"R"_s} << QList<qint64>{0, 500, 1000}
                                              << QVariant(50.0) << u"TaR"_s;
        QTest::newRow("a pause of 2000 ms goes on") << QStringList{u"t"_s, u"e"_s} << QList<qint64>{0, 2000}
                                                   << QVariant(60.0) << u"te"_s;
        QTest::newRow("a longer pause starts anew") << QStringList{u"t"_s, u"e"_s} << QList<qint64>{0, 2001}
                                                   << QVariant(20.0) << u"e"_s;
        QTest::newRow("a letter matching nothing is dropped")
            << QStringList{u"t"_s, u"x"_s, u"e"_s} << QList<qint64>{0, 10, 20} << QVariant(60.0) << u"te"_s;
        QTest::newRow("Backspace clears") << QStringList{u"t"_s, u"<bs>"_s, u"p"_s} << QList<qint64>{0, 10, 20}
                                         << QVariant(30.0) << u"p"_s;
        QTest::newRow("Escape clears") << QStringList{u"t"_s, u"<esc>"_s} << QList<qint64>{0, 10} << QVariant(40.0)
                                      << QString();
        QTest::newRow("a space belongs to the name") << QStringList{u"t"_s, u" "_s} << QList<qint64>{0, 10}
                                                    << QVariant(40.0) << u"t"_s;
    }

    void typingChoosesTheFirstNameStartingWithIt()
    {
        QFETCH(QStringList, keys);
        QFETCH(QList<qint64>, times);
        QFETCH(QVariant, expected);
        QFETCH(QString, search);

        Fixture fixture(10.0);
        for (int index = 0; index < keys.size(); ++index) {
            fixture.now = 100000 + times[index];
            if (keys[index] == u"<bs>")
                QTest::keyClick(fixture.box, Qt::Key_Backspace);
            else if (keys[index] == u"<esc>")
                QTest::keyClick(fixture.box, Qt::Key_Escape);
            else
                QTest::sendKeyEvent(QTest::Click, fixture.box, Qt::Key_unknown, keys[index], Qt::NoModifier);
        }
        QCOMPARE(fixture.value(), expected);
        QCOMPARE(fixture.box->searchText(), search);
    }

    void theTypedSearchStopsAt32Characters()
    {
        Fixture fixture(10.0);
        for (int count = 0; count < 33; ++count)
            QTest::keyClick(fixture.box, Qt::Key_Z);
        QCOMPARE(fixture.box->searchText(), QString(32, u'z'));
        QCOMPARE(fixture.value(), QVariant(70.0));
    }

    void theListShowsAsManyRowsAsAsked_data()
    {
        QTest::addColumn<int>("dropDownRows");
        QTest::addColumn<int>("familyCount");
        QTest::addColumn<int>("shownRows");

        QTest::newRow("25 rows, fewer families") << 25 << 7 << 7;
        QTest::newRow("25 rows, more families") << 25 << 40 << 25;
        QTest::newRow("7 rows, more families") << 7 << 40 << 7;
        QTest::newRow("7 rows, 3 families") << 7 << 3 << 3;
        QTest::newRow("no family") << 7 << 0 << 1;
    }

    void theListShowsAsManyRowsAsAsked()
    {
        QFETCH(int, dropDownRows);
        QFETCH(int, familyCount);
        QFETCH(int, shownRows);

        Fixture fixture(30.0, familyCount);
        fixture.box->setDropDownRows(dropDownRows);
        fixture.box->dropDown();
        QListView *view = fixture.box->listView();
        QCOMPARE(view->model()->rowCount(), familyCount);
        const int rowHeight = familyCount ? view->sizeHintForRow(0) : view->fontMetrics().height();
        QCOMPARE(view->viewport()->height(), shownRows * rowHeight);
        QCOMPARE(fixture.popup()->width(), fixture.box->width());
        QCOMPARE(fixture.popup()->geometry().left(), fixture.box->mapToGlobal(QPoint(0, 0)).x());
    }

    void theListOpensAboveNearTheBottomOfTheScreen_data()
    {
        QTest::addColumn<bool>("nearBottom");
        QTest::newRow("room below") << false;
        QTest::newRow("near the bottom") << true;
    }

    void theListOpensAboveNearTheBottomOfTheScreen()
    {
        QFETCH(bool, nearBottom);

        Fixture fixture(30.0, 40);
        fixture.box->setDropDownRows(25);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        fixture.window.move(0, nearBottom ? screen.bottom() - 60 : screen.top());
        fixture.box->dropDown();
        const QRect popup = fixture.popup()->geometry();
        const QRect box(fixture.box->mapToGlobal(QPoint(0, 0)), fixture.box->size());
        if (nearBottom)
            QCOMPARE(popup.bottom() + 1, box.top());
        else
            QCOMPARE(popup.top(), box.bottom() + 1);
        QVERIFY(screen.contains(popup));
    }

    void anIntegerValueTakesAFloatKey()
    {
        Fixture fixture(30, 7, u"IDModifFamille"_s);
        QTest::keyClick(fixture.box, Qt::Key_Down);
        QCOMPARE(fixture.value(u"IDModifFamille"_s), QVariant(40));
        QCOMPARE(fixture.value(u"IDFamille"_s), QVariant());
        QCOMPARE(fixture.box->text(), u"Tajines"_s);
        QCOMPARE(fixture.list.recordIndex(), 3);
    }

    void anUnboundBoxIsSafe_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::newRow("nothing bound") << u"all"_s;
        QTest::newRow("value field unknown") << u"value field"_s;
        QTest::newRow("key field unknown") << u"key field"_s;
        QTest::newRow("list field unknown") << u"list field"_s;
        QTest::newRow("list closed") << u"list"_s;
        QTest::newRow("selection closed") << u"selection"_s;
    }

    void anUnboundBoxIsSafe()
    {
        QFETCH(QString, missing);

        Fixture fixture(30.0);
        DBLookupComboBox *box = fixture.box;
        if (missing == u"all") {
            box = new DBLookupComboBox(&fixture.window);
            box->show();
        } else if (missing == u"value field") {
            box->setDataField(u"NOPE"_s);
        } else if (missing == u"key field") {
            box->setKeyField(u"NOPE"_s);
        } else if (missing == u"list field") {
            box->setListField(u"NOPE"_s);
        } else if (missing == u"list") {
            fixture.list.close();
        } else {
            fixture.selection.close();
        }
        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_T, Qt::Key_Backspace})
            QTest::keyClick(box, key);
        box->dropDown();
        QVERIFY(box->isListVisible());
        QTest::keyClick(box->listView(), Qt::Key_Down);
        QTest::keyClick(box->listView(), Qt::Key_Return);
        QVERIFY(!box->isListVisible());
        if (missing == u"list field")
            QCOMPARE(box->text(), QString());
        // Without a key, a list or a value field, nothing can be chosen.
        if (missing == u"key field" || missing == u"list" || missing == u"value field")
            QCOMPARE(fixture.value(), QVariant(30.0));
        box->grab();
    }
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestDBLookupComboBox)
#include "tst_dblookupcombobox.moc"
