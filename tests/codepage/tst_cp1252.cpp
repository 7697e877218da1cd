#include "codepage/Cp1252.h"

#include <QTest>

class TestCp1252 : public QObject
{
    Q_OBJECT

private slots:
    void roundTripsEveryByte()
    {
        QByteArray all;
        for (int byte = 0; byte < 256; ++byte)
            all.append(char(byte));
        const auto back = Cp1252::encode(Cp1252::decode(all));
        QVERIFY(back.has_value());
        QCOMPARE(*back, all);
    }

    void mapsTheWindowsRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("euro") << QStringLiteral("€") << QByteArray("\x80");
        QTest::newRow("oe ligature") << QStringLiteral("œuf") << QByteArray("\x9c" "uf");
        QTest::newRow("typographic apostrophe") << QStringLiteral("l’été") << QByteArray("l\x92\xe9t\xe9");
        QTest::newRow("accents") << QStringLiteral("çàêèé") << QByteArray("\xe7\xe0\xea\xe8\xe9");
    }
    void mapsTheWindowsRange()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Cp1252::encode(text).value_or(QByteArray("<refused>")), bytes);
        QCOMPARE(Cp1252::decode(bytes), text);
    }

    void refusesWhatTheCodePageCannotHold_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("cyrillic") << QStringLiteral("борщ");
        QTest::newRow("emoji") << QStringLiteral("tarte 🍰");
        QTest::newRow("CJK") << QStringLiteral("寿司");
        QTest::newRow("polish l") << QStringLiteral("łódź");
    }
    void refusesWhatTheCodePageCannotHold()
    {
        QFETCH(QString, text);
        QVERIFY(!Cp1252::encode(text).has_value());
        QVERIFY(!Cp1252::canEncode(text));
    }
};

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
