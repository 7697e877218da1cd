#include "dataset/DatasetError.h"
#include "dataset/FieldLink.h"
#include "dataset/MemoryDataset.h"

#include <QTest>

namespace {

/// Counts what a bound control hears.
struct RecordingLink
{
    FieldLink link;
    int dataChanges = 0;
    int editingChanges = 0;
    int updates = 0;

    RecordingLink(DataSource &source, const QString &field)
    {
        link.onDataChange = [this] { ++dataChanges; };
        link.onEditingChange = [this] { ++editingChanges; };
        link.onUpdateData = [this] { ++updates; };
        link.setFieldName(field);
        link.setDataSource(&source);
    }
};

/// A dataset of dishes, open, holding the given names in that order.
struct Dishes
{
    MemoryDataset dataset;
    DataSource source;

    explicit Dishes(const QStringList &names)
    {
        dataset.setObjectName(QStringLiteral("dishes"));
        dataset.addField(QStringLiteral("NAME"), FieldKind::Text, 10).setRequired(true);
        dataset.addField(QStringLiteral("PEOPLE"), FieldKind::SmallInt);
        source.setDataset(&dataset);
        dataset.open();
        for (const QString &name : names) {
            dataset.append();
            dataset.fieldByName(QStringLiteral("name")).setValue(name);
            dataset.post();
        }
        dataset.first();
    }
    QString current() { return dataset.fieldByName(QStringLiteral("NAME")).asString(); }
};

/// f first, p prior, n next, l last; anything else stays.
void moveOnce(Dataset &dataset, QChar move)
{
    switch (move.unicode()) {
    case u'f': dataset.first(); break;
    case u'p': dataset.prior(); break;
    case u'n': dataset.next(); break;
    case u'l': dataset.last(); break;
    default: break;
    }
}

} // namespace

class TestDataset : public QObject
{
    Q_OBJECT

private slots:
    void beginningAndEndFlagsFollowEveryMove_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("current");
        QTest::addColumn<bool>("bof");
        QTest::addColumn<bool>("eof");
        // f first, p prior, n next, l last
        QTest::newRow("after open") << 3 << "" << "a" << true << false;
        QTest::newRow("next clears bof") << 3 << "n" << "b" << false << false;
        QTest::newRow("next on the last row") << 3 << "nnn" << "c" << false << true;
        QTest::newRow("prior back from the end") << 3 << "nnnp" << "b" << false << false;
        QTest::newRow("prior on the first row") << 3 << "np p" << "a" << true << false;
        QTest::newRow("last") << 3 << "l" << "c" << false << true;
        QTest::newRow("first after last") << 3 << "lf" << "a" << true << false;
        QTest::newRow("single row, next") << 1 << "n" << "a" << false << true;
        QTest::newRow("empty") << 0 << "" << "" << true << true;
        QTest::newRow("empty, moves") << 0 << "nplf" << "" << true << true;
    }
    void beginningAndEndFlagsFollowEveryMove()
    {
        QFETCH(int, rows);
        QFETCH(QString, moves);
        QFETCH(QString, current);
        QFETCH(bool, bof);
        QFETCH(bool, eof);
        Dishes dishes(QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}.mid(0, rows));
        for (const QChar move : moves)
            moveOnce(dishes.dataset, move);
        QCOMPARE(dishes.current(), current);
        QCOMPARE(dishes.dataset.bof(), bof);
        QCOMPARE(dishes.dataset.eof(), eof);
        QCOMPARE(dishes.dataset.isEmpty(), rows == 0);
    }

    // A move that runs tells the controls and the details, even one that stays on its row:
    // details read their rows again. Only a move the flags already rule out tells nobody.
    void everyMoveThatRunsIsTold_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QChar>("move");
        QTest::addColumn<int>("told");
        QTest::newRow("next") << "" << QChar(u'n') << 1;
        QTest::newRow("prior from the first row, reached by a move") << "np" << QChar(u'p') << 1;
        QTest::newRow("prior with the beginning flag set") << "npp" << QChar(u'p') << 0;
        QTest::newRow("next from the last row") << "nn" << QChar(u'n') << 1;
        QTest::newRow("next with the end flag set") << "l" << QChar(u'n') << 0;
        QTest::newRow("first on the first row") << "" << QChar(u'f') << 1;
        QTest::newRow("last on the last row") << "l" << QChar(u'l') << 1;
    }
    void everyMoveThatRunsIsTold()
    {
        QFETCH(QString, before);
        QFETCH(QChar, move);
        QFETCH(int, told);
        Dishes dishes({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        for (const QChar step : before)
            moveOnce(dishes.dataset, step);
        RecordingLink name(dishes.source, QStringLiteral("NAME"));
        name.dataChanges = 0;
        moveOnce(dishes.dataset, move);
        QCOMPARE(name.dataChanges, told);
    }

    void editingLeavesTheFlagsAsTheyWere_data()
    {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("ending");
        QTest::addColumn<bool>("bof");
        QTest::addColumn<bool>("eof");
        // e edit + assign; c cancel; s post; a append + assign
        QTest::newRow("edit, cancel on the first row") << "" << "ec" << true << false;
        QTest::newRow("edit, post on the first row") << "" << "es" << true << false;
        QTest::newRow("edit, post after next at the end") << "nnn" << "es" << false << true;
        QTest::newRow("append, cancel at the start") << "" << "ac" << true << false;
        QTest::newRow("append, post") << "" << "as" << false << false;
    }
    void editingLeavesTheFlagsAsTheyWere()
    {
        QFETCH(QString, moves);
        QFETCH(QString, ending);
        QFETCH(bool, bof);
        QFETCH(bool, eof);
        Dishes dishes({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        for (qsizetype i = 0; i < moves.size(); ++i)
            dishes.dataset.next();
        Field &people = dishes.dataset.fieldByName(QStringLiteral("PEOPLE"));
        for (const QChar step : ending) {
            switch (step.unicode()) {
            case u'e': dishes.dataset.edit(); people.setValue(2); break;
            case u'a':
                dishes.dataset.append();
                dishes.dataset.fieldByName(QStringLiteral("NAME")).setValue(QStringLiteral("d"));
                break;
            case u'c': dishes.dataset.cancel(); break;
            case u's': dishes.dataset.post(); break;
            default: break;
            }
        }
        QCOMPARE(dishes.dataset.bof(), bof);
        QCOMPARE(dishes.dataset.eof(), eof);
    }

    void aMovePostsAChangedRowAndCancelsAnUntouchedOne()
    {
        Dishes dishes({QStringLiteral("a"), QStringLiteral("b")});
        dishes.dataset.edit();
        dishes.dataset.fieldByName(QStringLiteral("NAME")).setValue(QStringLiteral("tarte"));
        dishes.dataset.next();
        QCOMPARE(dishes.dataset.state(), DatasetState::Browse);
        dishes.dataset.first();
        QCOMPARE(dishes.current(), QStringLiteral("tarte"));

        dishes.dataset.append(); // nothing assigned: the move drops the new row
        dishes.dataset.first();
        QCOMPARE(dishes.dataset.loadedRowCount(), 2);

        dishes.dataset.edit();
        dishes.dataset.fieldByName(QStringLiteral("NAME")).setValue(QStringLiteral("flan"));
        dishes.dataset.close(); // close discards
        dishes.dataset.open();
        QVERIFY(dishes.dataset.isEmpty()); // a memory dataset keeps nothing once closed
    }

    void cancelReturnsToTheRowItStoodOn()
    {
        Dishes dishes({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        dishes.dataset.next();
        dishes.dataset.append();
        dishes.dataset.fieldByName(QStringLiteral("NAME")).setValue(QStringLiteral("zzz"));
        dishes.dataset.cancel();
        QCOMPARE(dishes.current(), QStringLiteral("b"));
        QCOMPARE(dishes.dataset.loadedRowCount(), 3);

        dishes.dataset.edit();
        dishes.dataset.fieldByName(QStringLiteral("NAME")).setValue(QStringLiteral("bis"));
        QCOMPARE(dishes.dataset.fieldByName(QStringLiteral("NAME")).oldValue().toString(), QStringLiteral("b"));
        dishes.dataset.cancel();
        QCOMPARE(dishes.current(), QStringLiteral("b"));
    }

    void deleteStandsOnTheNextRowOrThePreviousAtTheEnd()
    {
        Dishes dishes({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        dishes.dataset.next();
        dishes.dataset.deleteRow();
        QCOMPARE(dishes.current(), QStringLiteral("c"));
        dishes.dataset.deleteRow();
        QCOMPARE(dishes.current(), QStringLiteral("a"));
        dishes.dataset.deleteRow();
        QVERIFY(dishes.dataset.isEmpty());
        QVERIFY(dishes.dataset.bof() && dishes.dataset.eof());
        QVERIFY_THROWS_EXCEPTION(DatasetError, dishes.dataset.deleteRow());
    }

    void refusesValuesThatDoNotFit_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("text over its size") << "NAME" << QVariant(QStringLiteral("12345678901"));
        QTest::newRow("character outside code page 1252") << "NAME" << QVariant(QStringLiteral("борщ"));
        QTest::newRow("emoji") << "NAME" << QVariant(QStringLiteral("gâteau🎂"));
        QTest::newRow("small integer overflow") << "PEOPLE" << QVariant(40000);
    }
    void refusesValuesThatDoNotFit()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        Dishes dishes({QStringLiteral("a")});
        dishes.dataset.edit();
        QVERIFY_THROWS_EXCEPTION(DatasetError, dishes.dataset.fieldByName(field).setValue(value));
        QVERIFY(!dishes.dataset.isModified());
        dishes.dataset.fieldByName(QStringLiteral("NAME")).setValue(QStringLiteral("œuf à €5"));
        QCOMPARE(dishes.current(), QStringLiteral("œuf à €5"));
    }

    void requiredFieldsStopThePostAndKeepTheRow()
    {
        Dishes dishes({});
        dishes.dataset.append();
        dishes.dataset.fieldByName(QStringLiteral("PEOPLE")).setValue(4);
        try {
            dishes.dataset.post();
            QFAIL("posted without a name");
        } catch (const DatasetError &error) {
            QCOMPARE(error.message(), QStringLiteral("Field 'NAME' must have a value"));
        }
        QCOMPARE(dishes.dataset.state(), DatasetState::Insert);
        QCOMPARE(dishes.dataset.fieldByName(QStringLiteral("PEOPLE")).asInteger(), 4);
    }

    void assigningOutsideEditIsAnError()
    {
        Dishes dishes({QStringLiteral("a")});
        QVERIFY_THROWS_EXCEPTION(DatasetError, dishes.dataset.fieldByName(QStringLiteral("NAME")).setValue(QStringLiteral("b")));
        QVERIFY_THROWS_EXCEPTION(DatasetError, dishes.dataset.fieldByName(QStringLiteral("nope")));
        QCOMPARE(dishes.dataset.fieldByName(QStringLiteral("PEOPLE")).asInteger(), 0); // null reads as 0
    }

    void editOnAnEmptyDatasetAppends()
    {
        Dishes dishes({});
        dishes.dataset.edit();
        QCOMPARE(dishes.dataset.state(), DatasetState::Insert);
    }

    void locateFindsWithoutRegardToCaseAndKeepsTheRowOnAMiss()
    {
        Dishes dishes({QStringLiteral("Flan"), QStringLiteral("Éclair"), QStringLiteral("Tarte")});
        dishes.dataset.next();
        RecordingLink link(dishes.source, QStringLiteral("NAME"));
        link.dataChanges = 0;
        QVERIFY(!dishes.dataset.locate(QStringLiteral("NAME"), QStringLiteral("gratin"), LocateOption::CaseInsensitive));
        QCOMPARE(dishes.current(), QStringLiteral("Éclair"));
        QCOMPARE(link.dataChanges, 0);
        QVERIFY(!dishes.dataset.locate(QStringLiteral("NAME"), QStringLiteral("tarte")));
        QVERIFY(dishes.dataset.locate(QStringLiteral("NAME"), QStringLiteral("tarte"), LocateOption::CaseInsensitive));
        QCOMPARE(dishes.current(), QStringLiteral("Tarte"));
        QCOMPARE(link.dataChanges, 1);
    }

    void locateSearchesFromTheFirstRow_data()
    {
        QTest::addColumn<QString>("found");
        QTest::addColumn<bool>("bof");
        QTest::newRow("first row: still at the beginning") << "a" << true;
        QTest::newRow("later row: moved away from it") << "b" << false;
        QTest::newRow("last row: not past the end") << "c" << false;
    }
    void locateSearchesFromTheFirstRow()
    {
        QFETCH(QString, found);
        QFETCH(bool, bof);
        Dishes dishes({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        dishes.dataset.last();
        QVERIFY(dishes.dataset.locate(QStringLiteral("NAME"), found));
        QCOMPARE(dishes.dataset.bof(), bof);
        QVERIFY(!dishes.dataset.eof());
    }

    void listsReadRowsWithoutMovingAndMoveByPlace()
    {
        Dishes dishes({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        RecordingLink link(dishes.source, QStringLiteral("NAME"));
        link.dataChanges = 0;
        QCOMPARE(dishes.dataset.valueAt(2, 0).toString(), QStringLiteral("c"));
        QVERIFY(!dishes.dataset.valueAt(3, 0).isValid());
        QVERIFY(!dishes.dataset.fetchUpTo(3));
        QCOMPARE(dishes.dataset.recordIndex(), 0);
        QCOMPARE(link.dataChanges, 0);

        dishes.dataset.moveToRecord(2);
        QCOMPARE(dishes.current(), QStringLiteral("c"));
        QVERIFY(!dishes.dataset.bof() && !dishes.dataset.eof());
        dishes.dataset.moveToRecord(7);
        QCOMPARE(dishes.dataset.recordIndex(), 2);
        QCOMPARE(link.dataChanges, 1);

        // The row being edited shows what was typed, in its place.
        dishes.dataset.edit();
        dishes.dataset.fieldByName(QStringLiteral("NAME")).setValue(QStringLiteral("z"));
        QCOMPARE(dishes.dataset.valueAt(2, 0).toString(), QStringLiteral("z"));
        dishes.dataset.moveToRecord(0);
        QCOMPARE(dishes.dataset.valueAt(2, 0).toString(), QStringLiteral("z")); // posted on the way
        QCOMPARE(dishes.current(), QStringLiteral("a"));
    }

    void aLinkBoundByNameToARowBeingInsertedIsEditing()
    {
        Dishes dishes({});
        dishes.dataset.append();
        FieldLink link;
        link.setDataSource(&dishes.source);
        QVERIFY(!link.isEditing());
        link.setFieldName(QStringLiteral("NAME"));
        QVERIFY(link.isEditing());
        QVERIFY(link.edit());
    }

    void fieldLinksFollowTheDataset()
    {
        Dishes dishes({QStringLiteral("a"), QStringLiteral("b")});
        RecordingLink name(dishes.source, QStringLiteral("NAME"));
        RecordingLink people(dishes.source, QStringLiteral("PEOPLE"));
        QVERIFY(name.link.field());
        name.dataChanges = people.dataChanges = 0;

        dishes.dataset.next();
        QCOMPARE(name.dataChanges, 1);

        QVERIFY(name.link.edit()); // automatic editing
        QCOMPARE(dishes.dataset.state(), DatasetState::Edit);
        QCOMPARE(name.editingChanges, 1);
        name.dataChanges = people.dataChanges = 0;
        dishes.dataset.fieldByName(QStringLiteral("PEOPLE")).setValue(2);
        QCOMPARE(people.dataChanges, 1);
        QCOMPARE(name.dataChanges, 0); // another field's change is not this control's

        name.link.modified();
        dishes.dataset.post();
        QCOMPARE(name.updates, 1);
        QCOMPARE(people.updates, 0); // never marked modified
        QCOMPARE(name.editingChanges, 2);

        name.link.setReadOnly(true);
        QVERIFY(!name.link.edit());
        QCOMPARE(dishes.dataset.state(), DatasetState::Browse);

        // A control shown anew has nothing left to write: not after the field is bound again,
        // nor after the dataset is reopened.
        name.link.setReadOnly(false);
        name.link.modified();
        name.link.setFieldName(QStringLiteral("PEOPLE"));
        name.link.setFieldName(QStringLiteral("NAME"));
        QVERIFY(!name.link.isModified());
        name.link.modified();
        dishes.dataset.close();
        dishes.dataset.open();
        QVERIFY(!name.link.isModified());

        dishes.dataset.close();
        QVERIFY(!name.link.field());
    }

    // A run over every row with the controls disabled tells them once, at the end.
    void disabledControlsHearOfTheRunOnceAtItsEnd()
    {
        Dishes dishes({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        RecordingLink name(dishes.source, QStringLiteral("NAME"));
        name.dataChanges = 0;

        dishes.dataset.disableControls();
        dishes.dataset.disableControls();
        for (dishes.dataset.first(); !dishes.dataset.eof(); dishes.dataset.next())
            QCOMPARE(name.dataChanges, 0);
        dishes.dataset.enableControls();
        QCOMPARE(name.dataChanges, 0); // still disabled once
        dishes.dataset.enableControls();
        QCOMPARE(name.dataChanges, 1);
        QCOMPARE(name.link.field()->asString(), QStringLiteral("c"));

        dishes.dataset.disableControls();
        dishes.dataset.enableControls();
        QCOMPARE(name.dataChanges, 1); // nothing moved, nothing to tell
        dishes.dataset.enableControls();
        QVERIFY(!dishes.dataset.controlsDisabled()); // one call too many is harmless
    }

    void aSourceOutlivingItsDatasetIsSafe()
    {
        DataSource source;
        RecordingLink link(source, QStringLiteral("NAME"));
        {
            MemoryDataset dataset;
            dataset.addField(QStringLiteral("NAME"), FieldKind::Text, 5);
            source.setDataset(&dataset);
            dataset.open();
            QVERIFY(link.link.field());
        }
        QVERIFY(!source.dataset());
        QVERIFY(!link.link.field());
        QVERIFY(!source.edit());
    }
};

QTEST_GUILESS_MAIN(TestDataset)
#include "tst_dataset.moc"
