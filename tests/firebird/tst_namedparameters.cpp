#include "firebird/NamedParameters.h"
#include "firebird/Script.h"

#include <QTest>

class TestNamedParameters : public QObject
{
    Q_OBJECT

private slots:
    void translatesEveryForm_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("positional");
        QTest::addColumn<QStringList>("names");

        QTest::newRow("plain and old")
            << QStringLiteral("update F set A = :a where A = :OLD_A")
            << QStringLiteral("update F set A = ? where A = ?")
            << QStringList{QStringLiteral("A"), QStringLiteral("OLD_A")};
        QTest::newRow("quoted name keeps its case")
            << QStringLiteral("where IDFAMILLE  =:\"IDFAMILLE\"")
            << QStringLiteral("where IDFAMILLE  =?")
            << QStringList{QStringLiteral("IDFAMILLE")};
        QTest::newRow("no space before colon")
            << QStringLiteral("CALORIES =:CALORIES,")
            << QStringLiteral("CALORIES =?,")
            << QStringList{QStringLiteral("CALORIES")};
        QTest::newRow("colons inside literals and identifiers are text")
            << QStringLiteral("select ':x', \"a:b\" from T where C = :c -- :no\n/* :nor */")
            << QStringLiteral("select ':x', \"a:b\" from T where C = ? -- :no\n/* :nor */")
            << QStringList{QStringLiteral("C")};
        QTest::newRow("doubled quote inside a literal")
            << QStringLiteral("where N = 'l''a:b' and M = :m")
            << QStringLiteral("where N = 'l''a:b' and M = ?")
            << QStringList{QStringLiteral("M")};
    }
    void translatesEveryForm()
    {
        QFETCH(QString, sql);
        QFETCH(QString, positional);
        QFETCH(QStringList, names);
        const auto translated = fb::NamedParameters::translate(sql);
        QCOMPARE(translated.positionalSql, positional);
        QCOMPARE(translated.names, names);
    }

    void findsNamesWithoutRegardToCase()
    {
        const auto translated = fb::NamedParameters::translate(
            QStringLiteral("set Txt_CUISSON = :Txt_CUISSON where K = :k or K2 = :K"));
        QCOMPARE(translated.positionsOf(QStringLiteral("TXT_CUISSON")), QList<int>{0});
        QCOMPARE(translated.positionsOf(QStringLiteral("k")), (QList<int>{1, 2}));
        QVERIFY(translated.positionsOf(QStringLiteral("missing")).isEmpty());
    }

    void splitsScriptsAtSemicolonsOutsideQuotesAndComments()
    {
        const QString script = QStringLiteral(
            "/* header; with a semicolon */\n"
            "CREATE TABLE T (A VARCHAR(5)); -- trailing; comment\n"
            "INSERT INTO T VALUES ('a;b');\n"
            "\n;  ;\n"
            "INSERT INTO T VALUES ('it''s')");
        const QStringList statements = fb::Script::split(script);
        QCOMPARE(statements.size(), 3);
        QCOMPARE(statements[0], QStringLiteral("CREATE TABLE T (A VARCHAR(5))"));
        QCOMPARE(statements[1], QStringLiteral("INSERT INTO T VALUES ('a;b')"));
        QCOMPARE(statements[2], QStringLiteral("INSERT INTO T VALUES ('it''s')"));
    }
};

QTEST_GUILESS_MAIN(TestNamedParameters)
#include "tst_namedparameters.moc"
