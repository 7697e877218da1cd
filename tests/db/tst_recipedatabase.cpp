#include "ScratchDatabase.h"

#include "codepage/Cp1252.h"
#include "firebird/Statement.h"
#include "firebird/Transaction.h"

#include <QTest>

namespace {

void run(fb::Attachment &attachment, fb::Transaction &transaction, const QString &sql)
{
    fb::Statement::prepare(attachment, transaction, sql).execute(transaction);
}

QStringList firstColumn(fb::Attachment &attachment, fb::Transaction &transaction, const QString &sql)
{
    auto statement = fb::Statement::prepare(attachment, transaction, sql);
    auto cursor = statement.openCursor(transaction);
    QStringList values;
    while (cursor.fetchNext())
        values.append(Cp1252::decode(cursor.row().text(0)));
    return values;
}

} // namespace

class TestRecipeDatabase : public QObject
{
    Q_OBJECT

private slots:
    void sortsFrenchNamesAsAReaderExpects()
    {
        ScratchDatabase database;
        auto attachment = database.attach();
        auto transaction = fb::Transaction::start(attachment);
        const QStringList shuffled = {QStringLiteral("Entrées"), QStringLiteral("école"),
            QStringLiteral("Banane"), QStringLiteral("Éclair"), QStringLiteral("eau"), QStringLiteral("abricot")};
        auto insert = fb::Statement::prepare(attachment, transaction,
            QStringLiteral("insert into FAMILLE (FAMILLE, IDFAMILLE) values (:FAMILLE, :IDFAMILLE)"));
        for (int i = 0; i < shuffled.size(); ++i) {
            insert.parameters().setText(0, Cp1252::encode(shuffled[i]).value());
            insert.parameters().setDouble(1, i + 1);
            insert.execute(transaction);
        }
        QCOMPARE(firstColumn(attachment, transaction, QStringLiteral("select FAMILLE from FAMILLE order by FAMILLE")),
            (QStringList{QStringLiteral("abricot"), QStringLiteral("Banane"), QStringLiteral("eau"),
                QStringLiteral("Éclair"), QStringLiteral("école"), QStringLiteral("Entrées")}));
    }

    void deletingAFamilyDeletesItsRecipes()
    {
        ScratchDatabase database;
        auto attachment = database.attach();
        auto transaction = fb::Transaction::start(attachment);
        run(attachment, transaction, QStringLiteral("insert into FAMILLE values (1, 'Soupes')"));
        run(attachment, transaction, QStringLiteral("insert into FAMILLE values (2, 'Tartes')"));
        for (int key = 1; key <= 3; ++key) {
            run(attachment, transaction, QStringLiteral(
                "insert into RECETTES (IDRECETTE, IDFAMILLE, DESCRIPTION) values (%1, %2, 'R%1')")
                .arg(key).arg(key == 3 ? 2 : 1));
        }
        run(attachment, transaction, QStringLiteral("delete from FAMILLE where IDFAMILLE = 1"));
        QCOMPARE(firstColumn(attachment, transaction, QStringLiteral("select DESCRIPTION from RECETTES")),
            QStringList{QStringLiteral("R3")});
    }

    void holdsTheRatingsEveryNewRecipeStartsWith()
    {
        ScratchDatabase database;
        auto attachment = database.attach();
        auto transaction = fb::Transaction::start(attachment);
        QCOMPARE(firstColumn(attachment, transaction, QStringLiteral("select CRITERE from QUALITE where NUMERO = 1")).size(), 1);
        QCOMPARE(firstColumn(attachment, transaction, QStringLiteral("select VALEUR from DIFFICULTE where NUMERO = 1")).size(), 1);
    }

    void keepsFullLengthTextWhole()
    {
        ScratchDatabase database;
        auto attachment = database.attach();
        auto transaction = fb::Transaction::start(attachment);
        const QString name = QStringLiteral("Crème brûlée à l'ancienne, façon grand-mère ") .leftJustified(100, u'ê');
        auto insert = fb::Statement::prepare(attachment, transaction,
            QStringLiteral("insert into FAMILLE (FAMILLE, IDFAMILLE) values (:FAMILLE, 1)"));
        insert.parameters().setText(0, Cp1252::encode(name).value());
        insert.execute(transaction);
        QCOMPARE(firstColumn(attachment, transaction, QStringLiteral("select FAMILLE from FAMILLE")),
            QStringList{name});
    }
};

QTEST_GUILESS_MAIN(TestRecipeDatabase)
#include "tst_recipedatabase.moc"
