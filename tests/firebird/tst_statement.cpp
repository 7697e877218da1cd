#include "ScratchDatabase.h"

#include "firebird/Blob.h"
#include "codepage/Cp1252.h"
#include "firebird/Error.h"
#include "firebird/Generator.h"
#include "firebird/Statement.h"
#include "firebird/Transaction.h"

#include <QTest>

namespace {

void insertFamily(fb::Attachment &attachment, fb::Transaction &transaction, double key, const QByteArray &name)
{
    auto insert = fb::Statement::prepare(attachment, transaction,
        QStringLiteral("insert into FAMILLE (FAMILLE, IDFAMILLE) values (:FAMILLE, :IDFAMILLE)"));
    insert.parameters().setText(insert.parameterPositions(QStringLiteral("famille")).first(), name);
    insert.parameters().setDouble(insert.parameterPositions(QStringLiteral("IDFAMILLE")).first(), key);
    QCOMPARE(insert.execute(transaction), quint64(1));
}

} // namespace

class TestStatement : public QObject
{
    Q_OBJECT

private slots:
    void roundTripsEveryColumnKind()
    {
        ScratchDatabase database;
        auto attachment = database.attach();
        auto transaction = fb::Transaction::start(attachment);
        insertFamily(attachment, transaction, 1, "Entrées");

        const QByteArray longTitle = Cp1252::encode(QString(99, u'é') + u'ç').value();
        const QByteArray picture = [] {
            QByteArray bytes;
            for (int i = 0; i < 100000; ++i) // several segments, every byte value
                bytes.append(char(i * 7));
            return bytes;
        }();

        auto insert = fb::Statement::prepare(attachment, transaction, QStringLiteral(
            "insert into RECETTES (IDRECETTE, IDFAMILLE, DESCRIPTION, DATE_CREATION, QUALITE, IMAGE, INGREDIENTS, CALORIES) "
            "values (:IDRECETTE, :IDFAMILLE, :DESCRIPTION, :DATE_CREATION, :QUALITE, :IMAGE, :INGREDIENTS, :CALORIES)"));
        auto &p = insert.parameters();
        p.setDouble(0, 2147483647.0);
        p.setDouble(1, 1);
        p.setText(2, longTitle);
        p.setDate(3, QDate(2004, 3, 1));
        p.setInt64(4, -3);
        p.setBlobId(5, fb::Blob::write(attachment, transaction, picture));
        p.setBlobId(6, fb::Blob::write(attachment, transaction, QByteArray("{\\rtf1 cr\xe8me}")));
        p.setNull(7);
        QCOMPARE(insert.execute(transaction), quint64(1));

        auto select = fb::Statement::prepare(attachment, transaction, QStringLiteral(
            "select IDRECETTE, DESCRIPTION, DATE_CREATION, QUALITE, IMAGE, INGREDIENTS, CALORIES, DIFFICULTE from RECETTES"));
        QCOMPARE(select.columns().column(1).kind(), fb::ColumnKind::Text);
        QCOMPARE(select.columns().column(2).kind(), fb::ColumnKind::Date);
        QCOMPARE(select.columns().column(4).kind(), fb::ColumnKind::Blob);
        QCOMPARE(select.columns().column(5).subType, 1);
        auto cursor = select.openCursor(transaction);
        QVERIFY(cursor.fetchNext());
        const fb::Message &row = cursor.row();
        QCOMPARE(row.toDouble(0), 2147483647.0);
        QCOMPARE(row.text(1).toByteArray(), longTitle);
        QCOMPARE(row.toDate(2), QDate(2004, 3, 1));
        QCOMPARE(row.toInt64(3), qint64(-3));
        QCOMPARE(fb::Blob::read(attachment, transaction, row.blobId(4)), picture);
        QCOMPARE(fb::Blob::read(attachment, transaction, row.blobId(5)), QByteArray("{\\rtf1 cr\xe8me}"));
        QVERIFY(row.isNull(6));
        QVERIFY(row.isNull(7));
        QCOMPARE(row.toInt64(7), qint64(0)); // a null number reads as 0
        QVERIFY(!cursor.fetchNext());
    }

    void countsAffectedRows()
    {
        ScratchDatabase database;
        auto attachment = database.attach();
        auto transaction = fb::Transaction::start(attachment);
        insertFamily(attachment, transaction, 1, "Desserts");
        auto update = fb::Statement::prepare(attachment, transaction,
            QStringLiteral("update FAMILLE set FAMILLE = 'Gâteaux' where IDFAMILLE = :OLD_IDFAMILLE"));
        update.parameters().setDouble(0, 1);
        QCOMPARE(update.execute(transaction), quint64(1));
        update.parameters().setDouble(0, 42);
        QCOMPARE(update.execute(transaction), quint64(0));
    }

    void refusesTextLongerThanTheColumn()
    {
        ScratchDatabase database;
        auto attachment = database.attach();
        auto transaction = fb::Transaction::start(attachment);
        auto insert = fb::Statement::prepare(attachment, transaction,
            QStringLiteral("insert into FAMILLE (FAMILLE, IDFAMILLE) values (:FAMILLE, 1)"));
        QVERIFY_THROWS_EXCEPTION(fb::Error, insert.parameters().setText(0, QByteArray(101, 'x')));
    }

    void drawsGeneratorValuesAsSigned32Bit()
    {
        ScratchDatabase database;
        auto attachment = database.attach();
        auto transaction = fb::Transaction::start(attachment);
        QCOMPARE(fb::Generator::next(attachment, transaction, QStringLiteral("GEN_FAMILLE")), 1);
        QCOMPARE(fb::Generator::next(attachment, transaction, QStringLiteral("GEN_FAMILLE")), 2);
        transaction.rollback(); // a drawn value is not given back

        transaction = fb::Transaction::start(attachment);
        QCOMPARE(fb::Generator::next(attachment, transaction, QStringLiteral("GEN_FAMILLE")), 3);
        auto jump = fb::Statement::prepare(attachment, transaction,
            QStringLiteral("SET GENERATOR GEN_RECETTES TO 2147483647"));
        jump.execute(transaction);
        QCOMPARE(fb::Generator::next(attachment, transaction, QStringLiteral("GEN_RECETTES")),
            std::numeric_limits<qint32>::min());
        QVERIFY_THROWS_EXCEPTION(fb::Error,
            fb::Generator::next(attachment, transaction, QStringLiteral("gen_recettes")));
    }

    void carriesTheEnginesMessages()
    {
        ScratchDatabase database;
        auto attachment = database.attach();
        auto transaction = fb::Transaction::start(attachment);
        try {
            fb::Statement::prepare(attachment, transaction, QStringLiteral("select X from NOWHERE"));
            QFAIL("a statement on a missing table was prepared");
        } catch (const fb::Error &error) {
            QVERIFY2(error.message().contains(QStringLiteral("Table unknown")), qPrintable(error.message()));
            QVERIFY(error.message().contains(QStringLiteral("NOWHERE")));
        }
        insertFamily(attachment, transaction, 7, "Soupes");
        auto duplicate = fb::Statement::prepare(attachment, transaction,
            QStringLiteral("insert into FAMILLE (FAMILLE, IDFAMILLE) values ('Bis', 7)"));
        try {
            duplicate.execute(transaction);
            QFAIL("a duplicate key was inserted");
        } catch (const fb::Error &error) {
            QVERIFY2(error.message().contains(QStringLiteral("PRIMARY or UNIQUE KEY")), qPrintable(error.message()));
            QVERIFY(!error.isLockConflict());
        }
    }

    void meetsAnotherConnectionsLockAtOnce()
    {
        ScratchDatabase database;
        auto first = database.attach();
        auto setup = fb::Transaction::start(first);
        insertFamily(first, setup, 1, "Plats");
        setup.commit();

        auto firstWork = fb::Transaction::start(first);
        auto second = database.attach();
        auto secondWork = fb::Transaction::start(second);
        const QString rename = QStringLiteral("update FAMILLE set FAMILLE = :F where IDFAMILLE = 1");
        auto firstUpdate = fb::Statement::prepare(first, firstWork, rename);
        firstUpdate.parameters().setText(0, "Plats du jour");
        QCOMPARE(firstUpdate.execute(firstWork), quint64(1));

        auto secondUpdate = fb::Statement::prepare(second, secondWork, rename);
        secondUpdate.parameters().setText(0, "Plats uniques");
        try {
            secondUpdate.execute(secondWork);
            QFAIL("the second connection changed a row the first one holds");
        } catch (const fb::Error &error) {
            QVERIFY(error.isLockConflict());
            QVERIFY2(error.message().contains(QStringLiteral("update conflicts with concurrent update")),
                qPrintable(error.message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestStatement)
#include "tst_statement.moc"
