#include "DemoRecipeBook.h"
#include "RecipeDatabase.h"
#include "ScratchDatabase.h"

#include "firebird/Blob.h"
#include "codepage/Cp1252.h"
#include "firebird/Error.h"
#include "firebird/Generator.h"
#include "firebird/Statement.h"
#include "firebird/Transaction.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <optional>

namespace {

qint64 number(fb::Attachment &attachment, fb::Transaction &transaction, const QString &sql)
{
    auto statement = fb::Statement::prepare(attachment, transaction, sql);
    auto cursor = statement.openCursor(transaction);
    if (!cursor.fetchNext())
        throw fb::Error(QStringLiteral("No row for ") + sql);
    return cursor.row().toInt64(0);
}

QList<QByteArray> blobs(fb::Attachment &attachment, fb::Transaction &transaction, const QString &column)
{
    auto statement = fb::Statement::prepare(attachment, transaction,
        QStringLiteral("select %1 from RECETTES where %1 is not null").arg(column));
    auto cursor = statement.openCursor(transaction);
    QList<QByteArray> all;
    while (cursor.fetchNext())
        all.append(fb::Blob::read(attachment, transaction, cursor.row().blobId(0)));
    return all;
}

/// True when every group opened is closed, none closes before it opens, and the document
/// ends with its outermost group. Escaped braces and backslashes are text, not structure.
bool isOneBalancedGroup(const QByteArray &rtf)
{
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
        } else if (rtf[i] == '{') {
            ++depth;
        } else if (rtf[i] == '}') {
            if (--depth < 0 || (depth == 0 && i != rtf.size() - 1))
                return false;
        }
    }
    return depth == 0;
}

QString mkdb()
{
    return QStringLiteral(CUISINOTTE_BINARY_DIR "/bin/cuisinotte-mkdb");
}

int runMkdb(const QStringList &arguments)
{
    QProcess process;
    process.start(mkdb(), arguments);
    if (!process.waitForFinished(-1))
        return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

class TestDemoRecipeBook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_database.emplace();
        auto attachment = m_database->attach();
        DemoRecipeBook::fill(attachment);
    }

    void holdsFamiliesAndCompleteRecipes()
    {
        auto attachment = m_database->attach();
        auto transaction = fb::Transaction::start(attachment);
        QVERIFY(number(attachment, transaction, QStringLiteral("select count(*) from FAMILLE")) >= 6);
        QVERIFY(number(attachment, transaction, QStringLiteral("select count(*) from RECETTES")) >= 30);
        QCOMPARE(number(attachment, transaction, QStringLiteral(
                     "select count(*) from FAMILLE f where not exists (select 1 from RECETTES r where r.IDFAMILLE = f.IDFAMILLE)")),
            0);
        // Every short field is filled in, the days are in order and both ratings name a row.
        QCOMPARE(number(attachment, transaction, QStringLiteral(
                     "select count(*) from RECETTES r where PERSONNES is null or TXT_PREPARATION is null"
                     " or TXT_CUISSON is null or TXT_ACCOMPAGNEMENT is null or CALORIES is null"
                     " or DATE_CREATION is null or DATE_DERN_MODIF < DATE_CREATION"
                     " or not exists (select 1 from QUALITE q where q.NUMERO = r.QUALITE)"
                     " or not exists (select 1 from DIFFICULTE d where d.NUMERO = r.DIFFICULTE)")),
            0);
    }

    void keepsAccentedTitlesWhole()
    {
        auto attachment = m_database->attach();
        auto transaction = fb::Transaction::start(attachment);
        const QString title = QStringLiteral("Œufs cocotte à la crème et aux herbes");
        auto select = fb::Statement::prepare(attachment, transaction,
            QStringLiteral("select DESCRIPTION from RECETTES where DESCRIPTION starting with :PREFIX"));
        select.parameters().setText(0, Cp1252::encode(title.left(4)).value());
        auto cursor = select.openCursor(transaction);
        QVERIFY(cursor.fetchNext());
        QCOMPARE(Cp1252::decode(cursor.row().text(0)), title);
    }

    void richTextsAreWholeRtfDocuments_data()
    {
        QTest::addColumn<QString>("column");
        QTest::newRow("ingredients") << QStringLiteral("INGREDIENTS");
        QTest::newRow("preparation") << QStringLiteral("PREPARATION");
    }

    void richTextsAreWholeRtfDocuments()
    {
        QFETCH(QString, column);
        auto attachment = m_database->attach();
        auto transaction = fb::Transaction::start(attachment);
        const QList<QByteArray> documents = blobs(attachment, transaction, column);
        QCOMPARE(documents.size(), number(attachment, transaction, QStringLiteral("select count(*) from RECETTES")));
        for (const QByteArray &rtf : documents) {
            QVERIFY2(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"), rtf.left(40).constData());
            QVERIFY2(isOneBalancedGroup(rtf), rtf.constData());
            // Accents travel as \'xx escapes, so the document itself is plain ASCII.
            QVERIFY2(std::all_of(rtf.begin(), rtf.end(), [](char c) { return c > 0; }), rtf.constData());
        }
        const QByteArray all = documents.join();
        QVERIFY(all.contains("\\'e9"));
        QVERIFY(all.contains("\\b "));
        if (column == u"INGREDIENTS")
            QVERIFY(all.contains("{\\pntext\\'b7\\tab}"));
    }

    void picturesAreJpegFiles()
    {
        auto attachment = m_database->attach();
        auto transaction = fb::Transaction::start(attachment);
        const QList<QByteArray> pictures = blobs(attachment, transaction, QStringLiteral("IMAGE"));
        QVERIFY(pictures.size() >= 5);
        for (const QByteArray &jpeg : pictures) {
            QVERIFY(jpeg.startsWith("\xFF\xD8"));
            const QImage image = QImage::fromData(jpeg, "JPG");
            QCOMPARE(image.size(), QSize(320, 240));
        }
    }

    void generatorsStartPastTheDeliveredKeys()
    {
        auto attachment = m_database->attach();
        auto transaction = fb::Transaction::start(attachment);
        QVERIFY(fb::Generator::next(attachment, transaction, QStringLiteral("GEN_FAMILLE"))
            > number(attachment, transaction, QStringLiteral("select max(IDFAMILLE) from FAMILLE")));
        QVERIFY(fb::Generator::next(attachment, transaction, QStringLiteral("GEN_RECETTES"))
            > number(attachment, transaction, QStringLiteral("select max(IDRECETTE) from RECETTES")));
    }

    void toolKeepsAnExistingFileUnlessToldToReplaceIt()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("RECETTES.GDB"));
        QFile userFile(path);
        QVERIFY(userFile.open(QIODevice::WriteOnly));
        userFile.write("the user's own recipes");
        userFile.close();

        QCOMPARE(runMkdb({path}), 0);
        QVERIFY(userFile.open(QIODevice::ReadOnly));
        QCOMPARE(userFile.readAll(), QByteArray("the user's own recipes"));
        userFile.close();

        QCOMPARE(runMkdb({QStringLiteral("--replace"), path}), 0);
        auto attachment = fb::Attachment::open(path, RecipeDatabase::owner());
        auto transaction = fb::Transaction::start(attachment);
        QVERIFY(number(attachment, transaction, QStringLiteral("select count(*) from RECETTES")) >= 30);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("RECETTES.GDB")});
    }

    void toolFailsCleanly_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no path") << QStringList{};
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--force"), QStringLiteral("RECETTES.GDB")};
        QTest::newRow("missing folder") << QStringList{QStringLiteral("absent/RECETTES.GDB")};
        QTest::newRow("path is a folder") << QStringList{QStringLiteral("--replace"), QStringLiteral(".")};
    }

    void toolFailsCleanly()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir folder;
        QProcess process;
        process.setWorkingDirectory(folder.path());
        process.start(mkdb(), arguments);
        QVERIFY(process.waitForFinished(-1));
        QCOMPARE(process.exitCode(), 1);
        QVERIFY(!process.readAllStandardError().isEmpty());
        QVERIFY(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
    }

private:
    // One filled book serves every check below, which only read it.
    std::optional<ScratchDatabase> m_database;
};

QTEST_GUILESS_MAIN(TestDemoRecipeBook)
#include "tst_demorecipebook.moc"
