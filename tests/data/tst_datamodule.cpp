#include "ScratchDatabase.h"

#include "data/DataModule.h"
#include "dataset/DatasetError.h"

#include "codepage/Cp1252.h"
#include "firebird/Error.h"
#include "firebird/Statement.h"
#include "firebird/Transaction.h"

#include <QProcess>
#include <QTest>

#include <iostream>
#include <thread>

namespace {

/// Runs statements on the database file through its own connection, as another program would.
void runOnFile(const ScratchDatabase &database, const QStringList &statements)
{
    auto attachment = database.attach();
    auto transaction = fb::Transaction::start(attachment);
    for (const QString &sql : statements)
        fb::Statement::prepare(attachment, transaction, sql).execute(transaction);
    transaction.commit();
}

QStringList familiesOnFile(const QString &path)
{
    auto attachment = fb::Attachment::open(path, {QStringLiteral("sysdba"), QStringLiteral("saucepans")});
    auto transaction = fb::Transaction::start(attachment);
    auto select = fb::Statement::prepare(attachment, transaction, QStringLiteral("select FAMILLE from FAMILLE order by FAMILLE"));
    auto cursor = select.openCursor(transaction);
    QStringList names;
    while (cursor.fetchNext())
        names.append(Cp1252::decode(cursor.row().text(0)));
    return names;
}

/// Two families (Desserts: Tarte, Clafoutis, Éclair; Entrées: none) and a third, Soupes, with one.
void fillSample(const ScratchDatabase &database)
{
    runOnFile(database, {
        QStringLiteral("insert into FAMILLE values (1, 'Desserts')"),
        QStringLiteral("insert into FAMILLE values (2, 'Entrées')"),
        QStringLiteral("insert into FAMILLE values (3, 'Soupes')"),
        QStringLiteral("insert into RECETTES (IDRECETTE, IDFAMILLE, DESCRIPTION, CALORIES, PERSONNES, QUALITE) values (1, 1, 'Tarte', '300', '6', 2)"),
        QStringLiteral("insert into RECETTES (IDRECETTE, IDFAMILLE, DESCRIPTION) values (2, 1, 'Clafoutis')"),
        QStringLiteral("insert into RECETTES (IDRECETTE, IDFAMILLE, DESCRIPTION) values (3, 1, 'Éclair')"),
        QStringLiteral("insert into RECETTES (IDRECETTE, IDFAMILLE, DESCRIPTION, QUALITE) values (4, 3, 'Velouté', 99)"),
        QStringLiteral("set generator GEN_FAMILLE to 3"),
        QStringLiteral("set generator GEN_RECETTES to 4"),
    });
}

/// The sample families in a fresh database, opened as the program opens it.
struct SampleBook
{
    ScratchDatabase database;
    TDM dm;

    SampleBook()
    {
        fillSample(database);
        dm.openRecipeBook(database.path());
    }
};

QStringList titles(TDM &dm)
{
    QStringList result;
    dm.IBRECETTES.first();
    while (!dm.IBRECETTES.eof()) {
        result.append(dm.IBRECETTES.fieldByName(QStringLiteral("DESCRIPTION")).asString());
        dm.IBRECETTES.next();
    }
    dm.IBRECETTES.first();
    return result;
}

QString family(TDM &dm)
{
    return dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).asString();
}

QString errorOf(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const std::exception &error) {
        return QString::fromStdString(error.what());
    }
    return {};
}

/// A second copy of the program, played by this test executable: it opens the database,
/// makes a change and says so on its output, then waits to be killed.
int runChild(const QString &path, const QString &mode)
{
    TDM dm;
    dm.openRecipeBook(path);
    if (mode == u"rename-desserts") {
        dm.IBFAMILLE.edit();
        dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).setValue(QStringLiteral("Douceurs"));
        dm.IBFAMILLE.post();
    } else {
        dm.IBFAMILLE.append();
        dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).setValue(QStringLiteral("Abandonnée"));
        dm.IBFAMILLE.post();
        if (mode == u"add-and-commit") {
            dm.IBTransaction.commit();
            dm.IBFAMILLE.open();
        }
    }
    std::cout << "ready" << std::endl;
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

/// Starts the child and waits until it has made its change.
void startChild(QProcess &child, const ScratchDatabase &database, const QString &mode)
{
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), database.path(), mode});
    QVERIFY(child.waitForStarted());
    QVERIFY(child.waitForReadyRead(30000));
    QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("ready"));
}

} // namespace

class TestDataModule : public QObject
{
    Q_OBJECT

private slots:
    void opensOnAnEmptyDatabase()
    {
        ScratchDatabase database;
        TDM dm;
        dm.openRecipeBook(database.path());
        QVERIFY(dm.IBFAMILLE.isEmpty());
        QVERIFY(dm.IBRECETTES.isEmpty());
        QVERIFY(dm.IBRECETTES.bof() && dm.IBRECETTES.eof());
        QVERIFY(!dm.IBQUALITE.isEmpty());
        QCOMPARE(dm.dxMemData.state(), DatasetState::Insert);
        QCOMPARE(dm.dxMemData.fieldByName(QStringLiteral("IDFamille")).asFloat(), 0.0);
    }

    void recipesFollowTheCurrentFamily()
    {
        SampleBook sample;
        auto &[database, dm] = sample;
        QCOMPARE(family(dm), QStringLiteral("Desserts"));
        QCOMPARE(titles(dm), (QStringList{QStringLiteral("Clafoutis"), QStringLiteral("Éclair"), QStringLiteral("Tarte")}));

        dm.IBFAMILLE.next();
        QCOMPARE(family(dm), QStringLiteral("Entrées"));
        QVERIFY(dm.IBRECETTES.isEmpty());
        QVERIFY(dm.IBRECETTES.bof() && dm.IBRECETTES.eof());

        QVERIFY(dm.IBFAMILLE.locate(QStringLiteral("IDFAMILLE"), 3.0));
        QCOMPARE(titles(dm), QStringList{QStringLiteral("Velouté")});
        // A rating that names no row is read as it is.
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("QUALITE")).asInteger(), 99);

        QVERIFY(!dm.IBFAMILLE.locate(QStringLiteral("IDFAMILLE"), 42.0));
        QCOMPARE(family(dm), QStringLiteral("Soupes"));
    }

    void aPendingRecipeIsSettledBeforeTheFamilyMoves()
    {
        SampleBook sample;
        auto &[database, dm] = sample;
        dm.IBRECETTES.edit();
        dm.IBRECETTES.fieldByName(QStringLiteral("TXT_CUISSON")).setValue(QStringLiteral("35 min"));
        dm.IBFAMILLE.next();
        dm.IBFAMILLE.first();
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("TXT_CUISSON")).asString(), QStringLiteral("35 min"));

        dm.IBRECETTES.append(); // nothing typed: cancelled, no recipe added
        dm.IBFAMILLE.next();
        dm.IBFAMILLE.first();
        QCOMPARE(titles(dm).size(), 3);
    }

    void appendDrawsKeysAndCancelLeavesAGap()
    {
        SampleBook sample;
        auto &[database, dm] = sample;
        dm.IBFAMILLE.next();
        dm.IBFAMILLE.append();
        QCOMPARE(dm.IBFAMILLE.fieldByName(QStringLiteral("IDFAMILLE")).asFloat(), 4.0);
        QVERIFY(!dm.IBFAMILLE.isModified()); // the drawn key is not a change
        QVERIFY(dm.IBRECETTES.isEmpty());
        dm.IBFAMILLE.cancel();
        QCOMPARE(family(dm), QStringLiteral("Entrées"));
        QCOMPARE(dm.IBFAMILLE.loadedRowCount(), 3);

        dm.IBFAMILLE.append();
        QCOMPARE(dm.IBFAMILLE.fieldByName(QStringLiteral("IDFAMILLE")).asFloat(), 5.0);
        dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).setValue(QStringLiteral("Apéritifs"));
        dm.IBFAMILLE.post();
        // A new or renamed family keeps its place until the families are read again.
        QCOMPARE(family(dm), QStringLiteral("Apéritifs"));
        dm.IBFAMILLE.last();
        QCOMPARE(family(dm), QStringLiteral("Apéritifs"));
        dm.IBFAMILLE.close();
        dm.IBFAMILLE.open();
        QCOMPARE(family(dm), QStringLiteral("Apéritifs"));
    }

    void aRenamedFamilyKeepsItsPlaceUntilReadAgain()
    {
        SampleBook sample;
        auto &[database, dm] = sample;
        dm.IBFAMILLE.edit();
        dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).setValue(QStringLiteral("Zestes"));
        dm.IBFAMILLE.post();
        dm.IBFAMILLE.first();
        QCOMPARE(family(dm), QStringLiteral("Zestes"));
        QCOMPARE(titles(dm).size(), 3);
        dm.IBFAMILLE.close();
        dm.IBFAMILLE.open();
        QCOMPARE(family(dm), QStringLiteral("Entrées"));
        dm.IBFAMILLE.last();
        QCOMPARE(family(dm), QStringLiteral("Zestes"));
    }

    void recipesAreReadAgainWhenANewFamilyIsDropped()
    {
        SampleBook sample;
        auto &[database, dm] = sample;
        dm.IBFAMILLE.append();
        QVERIFY(dm.IBRECETTES.isEmpty());
        dm.IBFAMILLE.cancel();
        QCOMPARE(family(dm), QStringLiteral("Desserts"));
        QCOMPARE(titles(dm).size(), 3);
    }

    void requiredFieldsNameTheirLabels()
    {
        SampleBook sample;
        auto &[database, dm] = sample;
        dm.IBFAMILLE.append();
        QCOMPARE(errorOf([&] { dm.IBFAMILLE.post(); }), QStringLiteral("Field 'FAMILLE' must have a value"));
        QCOMPARE(dm.IBFAMILLE.state(), DatasetState::Insert);
        dm.IBFAMILLE.cancel();
        dm.IBFAMILLE.edit(); // a name emptied in an edit box is no name
        dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).setValue(QString());
        QCOMPARE(errorOf([&] { dm.IBFAMILLE.post(); }), QStringLiteral("Field 'FAMILLE' must have a value"));
        dm.IBFAMILLE.cancel();

        dm.IBRECETTES.append();
        dm.IBRECETTES.fieldByName(QStringLiteral("IDFAMILLE")).setValue(1.0);
        dm.IBRECETTES.fieldByName(QStringLiteral("DESCRIPTION")).setValue(QStringLiteral(""));
        QCOMPARE(errorOf([&] { dm.IBRECETTES.post(); }), QStringLiteral("Field 'Description' must have a value"));
        QCOMPARE(dm.IBRECETTES.state(), DatasetState::Insert);
    }

    void writesAndReadsBackEveryRecipeField()
    {
        ScratchDatabase database;
        fillSample(database);
        const QString title = QStringLiteral("Crème brûlée à la pêche, façon Œ ") + QString(67, u'ç');
        const QByteArray rtf = "{\\rtf1\\ansi {\\b Cr\\'e8me} p\xe2tissi\xe8re}";
        const QByteArray picture("\xff\xd8\xff\xe0 not really a JPEG, but bytes all the same", 46);
        {
            TDM dm;
            dm.openRecipeBook(database.path());
            dm.IBRECETTES.append();
            const double key = dm.IBRECETTES.fieldByName(QStringLiteral("IDRECETTE")).asFloat();
            QCOMPARE(key, 5.0);
            auto set = [&](const char16_t *name, const QVariant &value) {
                dm.IBRECETTES.fieldByName(QString::fromUtf16(name)).setValue(value);
            };
            set(u"IDFAMILLE", 1.0);
            set(u"DESCRIPTION", title);
            set(u"DATE_CREATION", QDateTime(QDate(2026, 12, 9), QTime(18, 30))); // the day is kept
            set(u"CALORIES", QStringLiteral("450 kcal"));
            set(u"PERSONNES", QStringLiteral("4 à 6 personnes"));
            set(u"INGREDIENTS", rtf);
            set(u"IMAGE", picture);
            set(u"QUALITE", 1);
            set(u"DIFFICULTE", 1);
            dm.IBRECETTES.post();
            QCOMPARE(dm.IBRECETTES.state(), DatasetState::Browse);

            // A character the database cannot hold is refused, never turned into "?".
            dm.IBRECETTES.edit();
            QVERIFY(!errorOf([&] { set(u"TXT_CUISSON", QStringLiteral("20 мин")); }).isEmpty());
            QVERIFY(!errorOf([&] { set(u"DESCRIPTION", title + u'x'); }).isEmpty());
            dm.IBRECETTES.cancel();
        } // normal end: the final commit

        TDM dm;
        dm.openRecipeBook(database.path());
        QVERIFY(dm.IBRECETTES.locate(QStringLiteral("IDRECETTE"), 5.0));
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("DESCRIPTION")).asString(), title);
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("DATE_CREATION")).asDate(), QDate(2026, 12, 9));
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("PERSONNES")).asString(), QStringLiteral("4 à 6 personnes"));
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("INGREDIENTS")).asBytes(), rtf);
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("IMAGE")).asBytes(), picture);
        QVERIFY(dm.IBRECETTES.fieldByName(QStringLiteral("PREPARATION")).isNull());

        // Unchanged blobs survive an edit of another field; an emptied one becomes null.
        dm.IBRECETTES.edit();
        dm.IBRECETTES.fieldByName(QStringLiteral("IMAGE")).setValue(QByteArray());
        dm.IBRECETTES.fieldByName(QStringLiteral("TXT_CUISSON")).setValue(QStringLiteral("1 h"));
        dm.IBRECETTES.post();
        dm.IBRECETTES.close();
        dm.IBRECETTES.open();
        QVERIFY(dm.IBRECETTES.locate(QStringLiteral("IDRECETTE"), 5.0));
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("INGREDIENTS")).asBytes(), rtf);
        QVERIFY(dm.IBRECETTES.fieldByName(QStringLiteral("IMAGE")).isNull());
    }

    void blobsSurviveEverySuccessivePost_data()
    {
        QTest::addColumn<QString>("history");
        // a: appended with texts; c: texts changed; r: texts first read while editing
        QTest::newRow("appended this session") << "a";
        QTest::newRow("text changed") << "c";
        QTest::newRow("text first read while editing") << "r";
    }
    void blobsSurviveEverySuccessivePost()
    {
        QFETCH(QString, history);
        ScratchDatabase database;
        fillSample(database);
        const QByteArray ingredients = "{\\rtf1 {\\b Farine}}";
        const QByteArray preparation = "{\\rtf1 M\\'e9langer.}";
        TDM dm;
        dm.openRecipeBook(database.path());
        if (history == u"a") {
            dm.IBRECETTES.append();
            dm.IBRECETTES.fieldByName(QStringLiteral("IDFAMILLE")).setValue(1.0);
            dm.IBRECETTES.fieldByName(QStringLiteral("DESCRIPTION")).setValue(QStringLiteral("Brioche"));
        } else {
            QVERIFY(dm.IBRECETTES.locate(QStringLiteral("IDRECETTE"), 1.0));
            dm.IBRECETTES.edit();
        }
        if (history == u"r") {
            dm.IBRECETTES.fieldByName(QStringLiteral("INGREDIENTS")).setValue(ingredients);
            dm.IBRECETTES.fieldByName(QStringLiteral("PREPARATION")).setValue(preparation);
            dm.IBRECETTES.post();
            dm.IBTransaction.commit();
            dm.openDatabaseDatasets();
            QVERIFY(dm.IBRECETTES.locate(QStringLiteral("IDRECETTE"), 1.0));
            dm.IBRECETTES.edit();
            QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("INGREDIENTS")).asBytes(), ingredients);
        } else {
            dm.IBRECETTES.fieldByName(QStringLiteral("INGREDIENTS")).setValue(ingredients);
            dm.IBRECETTES.fieldByName(QStringLiteral("PREPARATION")).setValue(preparation);
        }
        const double key = dm.IBRECETTES.fieldByName(QStringLiteral("IDRECETTE")).asFloat();
        for (int round = 1; round <= 3; ++round) {
            if (round > 1)
                dm.IBRECETTES.edit();
            dm.IBRECETTES.fieldByName(QStringLiteral("TXT_CUISSON")).setValue(QString::number(round));
            dm.IBRECETTES.post();
        }
        dm.IBRECETTES.close();
        dm.IBRECETTES.open();
        QVERIFY(dm.IBRECETTES.locate(QStringLiteral("IDRECETTE"), key));
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("TXT_CUISSON")).asString(), QStringLiteral("3"));
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("INGREDIENTS")).asBytes(), ingredients);
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("PREPARATION")).asBytes(), preparation);
    }

    void recipeRefreshLeavesTheFourShortTextsItDoesNotRead()
    {
        SampleBook sample;
        auto &[database, dm] = sample;
        QVERIFY(dm.IBRECETTES.locate(QStringLiteral("DESCRIPTION"), QStringLiteral("tarte"), LocateOption::CaseInsensitive));
        auto change = fb::Statement::prepare(dm.IBDatabase.attachment(), dm.IBTransaction.transaction(),
            QStringLiteral("update RECETTES set CALORIES = '999', PERSONNES = '8' where IDRECETTE = 1"));
        change.execute(dm.IBTransaction.transaction());
        dm.IBRECETTES.refresh();
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("PERSONNES")).asString(), QStringLiteral("8"));
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("CALORIES")).asString(), QStringLiteral("300"));
    }

    void aRowGoneUnderneathFailsWithUpdateFailed()
    {
        SampleBook sample;
        auto &[database, dm] = sample;
        dm.IBRECETTES.last(); // the rows in memory are the ones to be written back
        dm.IBRECETTES.first();
        auto remove = fb::Statement::prepare(dm.IBDatabase.attachment(), dm.IBTransaction.transaction(),
            QStringLiteral("delete from RECETTES where IDFAMILLE = 1"));
        remove.execute(dm.IBTransaction.transaction());
        dm.IBRECETTES.edit();
        dm.IBRECETTES.fieldByName(QStringLiteral("CALORIES")).setValue(QStringLiteral("1"));
        QCOMPARE(errorOf([&] { dm.IBRECETTES.post(); }), QStringLiteral("Update Failed"));
        QCOMPARE(dm.IBRECETTES.state(), DatasetState::Edit);
        QCOMPARE(dm.IBRECETTES.fieldByName(QStringLiteral("CALORIES")).asString(), QStringLiteral("1"));
        dm.IBRECETTES.cancel();
        QCOMPARE(errorOf([&] { dm.IBRECETTES.deleteRow(); }), QStringLiteral("Update Failed"));
        QCOMPARE(titles(dm).size(), 3);
    }

    void deletingFamilies()
    {
        SampleBook sample;
        auto &[database, dm] = sample;
        dm.IBFAMILLE.deleteRow(); // Desserts, with its three recipes
        QCOMPARE(family(dm), QStringLiteral("Entrées"));
        dm.IBFAMILLE.last();
        dm.IBFAMILLE.deleteRow(); // the last by name
        QCOMPARE(family(dm), QStringLiteral("Entrées"));
        QVERIFY(dm.IBRECETTES.isEmpty());
        dm.IBFAMILLE.deleteRow(); // the only one
        QVERIFY(dm.IBFAMILLE.isEmpty());
        QVERIFY(dm.IBRECETTES.isEmpty());

        auto count = fb::Statement::prepare(dm.IBDatabase.attachment(), dm.IBTransaction.transaction(),
            QStringLiteral("select count(*) from RECETTES"));
        auto cursor = count.openCursor(dm.IBTransaction.transaction());
        QVERIFY(cursor.fetchNext());
        QCOMPARE(cursor.row().toInt64(0), qint64(0));
    }

    void commitClosesTheDatasetsAndLeavesTheSelectionRecord()
    {
        SampleBook sample;
        auto &[database, dm] = sample;
        dm.dxMemData.fieldByName(QStringLiteral("IDFamille")).setValue(3.0);
        dm.IBFAMILLE.last();
        dm.IBTransaction.commit();
        QVERIFY(!dm.IBFAMILLE.isActive() && !dm.IBRECETTES.isActive() && !dm.IBQUALITE.isActive());
        QCOMPARE(dm.dxMemData.fieldByName(QStringLiteral("IDFamille")).asFloat(), 3.0);
        dm.IBFAMILLE.open(); // starts the next transaction
        dm.IBRECETTES.open();
        QVERIFY(dm.IBTransaction.isActive());
        QCOMPARE(family(dm), QStringLiteral("Desserts"));
        QCOMPARE(titles(dm).size(), 3);
    }

    void startUpFailuresOfTheDataLayer()
    {
        ScratchDatabase database;
        runOnFile(database, {QStringLiteral("alter table RECETTES drop TXT_CUISSON"),
            QStringLiteral("alter table FAMILLE add SURNOM varchar(10)")});
        TDM dm;
        dm.IBDatabase.setDatabaseName(database.path());
        dm.IBDatabase.connect();
        dm.IBTransaction.start();
        dm.IBFAMILLE.open(); // an extra column is no concern
        QVERIFY(!errorOf([&] { dm.IBRECETTES.open(); }).isEmpty());
        QVERIFY(!dm.IBRECETTES.isActive());

        TDM other;
        other.IBDatabase.setDatabaseName(database.folder() + QStringLiteral("/absent.gdb"));
        QVERIFY_THROWS_EXCEPTION(fb::Error, other.IBDatabase.connect());
    }

    void aColumnOfAnotherKindIsRefused()
    {
        ScratchDatabase database;
        runOnFile(database, {QStringLiteral("alter table QUALITE drop CRITERE"),
            QStringLiteral("alter table QUALITE add CRITERE integer")});
        TDM dm;
        dm.IBDatabase.setDatabaseName(database.path());
        QCOMPARE(errorOf([&] { dm.IBQUALITE.open(); }), QStringLiteral("IBQUALITE: Type mismatch for field 'CRITERE'"));
    }

    void changesLastOnlyOnceCommitted_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("kept");
        QTest::newRow("killed before any commit") << "add" << false;
        QTest::newRow("killed after the commit") << "add-and-commit" << true;
    }
    void changesLastOnlyOnceCommitted()
    {
        QFETCH(QString, mode);
        QFETCH(bool, kept);
        ScratchDatabase database;
        fillSample(database);
        QProcess child;
        startChild(child, database, mode);
        child.kill();
        QVERIFY(child.waitForFinished());
        QCOMPARE(familiesOnFile(database.path()).contains(QStringLiteral("Abandonnée")), kept);
    }

    void anotherProgramsPendingChangeIsAnImmediateLockConflict()
    {
        ScratchDatabase database;
        fillSample(database);
        TDM dm;
        dm.openRecipeBook(database.path()); // both copies have the file open at once
        QProcess child;
        startChild(child, database, QStringLiteral("rename-desserts"));

        dm.IBFAMILLE.edit();
        dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).setValue(QStringLiteral("Sucré"));
        const QString message = errorOf([&] { dm.IBFAMILLE.post(); });
        child.kill();
        child.waitForFinished();
        QVERIFY2(message.contains(QStringLiteral("update conflicts with concurrent update")), qPrintable(message));
        QCOMPARE(dm.IBFAMILLE.state(), DatasetState::Edit);
        QCOMPARE(family(dm), QStringLiteral("Sucré"));
    }
};

int main(int argc, char **argv)
{
    const bool child = argc == 4 && qstrcmp(argv[1], "--child") == 0;
    QCoreApplication application(argc, argv);
    if (child)
        return runChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    TestDataModule test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_datamodule.moc"
