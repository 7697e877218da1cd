#include "help/HelpFile.h"

#include "GuiTestMain.h"
#include "guard/GuardedApplication.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using help::HelpFile;
using help::HelpTopic;

namespace {

const QByteArray smallHelp = R"(<html><body>
<h1><a name="SOMMAIRE">Sommaire</a></h1><p>Les <a href="#TARTES">tartes</a>.</p>
<h2>Premiers pas</h2><p>Rien qu'une section.</p>
<h1><a name="TARTES">Les   tartes
 aux fruits</a></h1><p>Pâte brisée.</p>
</body></html>)";

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), qPrintable(path));
}

} // namespace

class TestHelpFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_folder.isValid());
        m_path = m_folder.filePath(u"Cuisinotte.hlp"_s);
        QFile::remove(m_path);
    }

    void topicsAreTheFirstLevelHeadingsWithAnAnchor_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << smallHelp;
        // An editor on another system may have put one there.
        QTest::newRow("with a byte order mark") << QByteArray("\xEF\xBB\xBF" + smallHelp);
    }

    void topicsAreTheFirstLevelHeadingsWithAnAnchor()
    {
        QFETCH(QByteArray, bytes);
        write(m_path, bytes);

        const HelpFile file = HelpFile::read(m_path);
        QVERIFY2(file.isValid(), qPrintable(file.error()));
        const QList<HelpTopic> expected{{u"SOMMAIRE"_s, u"Sommaire"_s}, {u"TARTES"_s, u"Les tartes aux fruits"_s}};
        QCOMPARE(file.topics(), expected);
        QVERIFY(file.hasTopic(u"TARTES"_s));
        QVERIFY(!file.hasTopic(u"tartes"_s));
        QVERIFY(file.html().contains(u"Pâte brisée"_s));
        QCOMPARE(file.missingTopicMessage(u"GLACES"_s),
            u"La rubrique « GLACES » est introuvable dans le fichier d'aide « %1 »."_s.arg(m_path));
    }

    void aFileOfTheLargestSizeAllowedIsRead()
    {
        QByteArray bytes = smallHelp + "<!--";
        bytes += QByteArray(HelpFile::maximumSize - bytes.size() - 3, 'x') + "-->";
        QCOMPARE(bytes.size(), HelpFile::maximumSize);
        write(m_path, bytes);

        const HelpFile file = HelpFile::read(m_path);
        QVERIFY2(file.isValid(), qPrintable(file.error()));
        QCOMPARE(file.topics().size(), 2);
    }

    void whatCannotServeAsHelpIsToldWithTheFullPath_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");

        QByteArray random(4096, Qt::Uninitialized);
        QRandomGenerator generator(20040301);
        for (char &byte : random)
            byte = char(generator.bounded(256));

        const QString notUtf8 = u"Le fichier d'aide « %1 » n'est pas un texte en UTF-8 : ce n'est pas l'aide de Cuisinotte."_s;
        const QString noContents = u"La rubrique « SOMMAIRE » est introuvable dans le fichier d'aide « %1 »."_s;
        QTest::newRow("empty") << QByteArray() << u"Le fichier d'aide « %1 » est vide."_s;
        QTest::newRow("white space only") << QByteArray(" \r\n\t\n") << u"Le fichier d'aide « %1 » est vide."_s;
        QTest::newRow("random bytes") << random << notUtf8;
        QTest::newRow("a help file written in Latin-1")
            << QByteArray(R"(<h1><a name="SOMMAIRE">Sommaire g)" "\xE9" R"(n)" "\xE9" R"(ral</a></h1>)") << notUtf8;
        QTest::newRow("zero bytes") << QByteArray(64, '\0') << notUtf8;
        QTest::newRow("text without topics") << QByteArray("SOMMAIRE\nune liste de courses") << noContents;
        QTest::newRow("contents as a second-level heading")
            << QByteArray(R"(<h2><a name="SOMMAIRE">Sommaire</a></h2><h1><a name="X">X</a></h1>)") << noContents;
        QTest::newRow("contents heading without anchor") << QByteArray("<h1>SOMMAIRE</h1>") << noContents;
        QTest::newRow("too large") << QByteArray(smallHelp + QByteArray(HelpFile::maximumSize, ' '))
                                   << u"Le fichier d'aide « %1 » est trop grand (plus de 4 Mo) : ce n'est pas l'aide de Cuisinotte."_s;
    }

    void whatCannotServeAsHelpIsToldWithTheFullPath()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        write(m_path, bytes);

        const HelpFile file = HelpFile::read(m_path);
        QVERIFY(!file.isValid());
        QCOMPARE(file.error(), expected.arg(m_path));
        QVERIFY(file.topics().isEmpty());
        QVERIFY(file.html().isEmpty());
    }

    void aFileThatCannotBeOpenedIsTold_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << u"Cuisinotte.hlp"_s << u"ce fichier n'existe pas"_s;
        QTest::newRow("a folder") << u"dossier"_s << u"ce n'est pas un fichier"_s;
    }

    void aFileThatCannotBeOpenedIsTold()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QVERIFY(QDir(m_folder.path()).mkpath(u"dossier"_s));
        const QString path = m_folder.filePath(name);

        const HelpFile file = HelpFile::read(path);
        QCOMPARE(file.error(), u"Impossible d'ouvrir le fichier d'aide « %1 » : %2."_s.arg(path, reason));
        QCOMPARE(file.path(), path);
    }

    void aFileTheUserMayNotReadIsTold()
    {
        write(m_path, smallHelp);
        QVERIFY(QFile::setPermissions(m_path, QFileDevice::WriteOwner));
        QFile probe(m_path);
        if (probe.open(QIODevice::ReadOnly))
            QSKIP("This user reads every file.");

        const HelpFile file = HelpFile::read(m_path);
        QCOMPARE(file.error(),
            u"Impossible d'ouvrir le fichier d'aide « %1 » : vous n'avez pas le droit de le lire."_s.arg(m_path));
    }

    void aRelativePathIsToldInFull()
    {
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_folder.path()));
        const HelpFile file = HelpFile::read(u"Cuisinotte.hlp"_s);
        QVERIFY(QDir::setCurrent(current));
        QCOMPARE(file.path(), m_path);
        QVERIFY(file.error().contains(m_path));
    }

private:
    QTemporaryDir m_folder;
    QString m_path;
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestHelpFile)
#include "tst_helpfile.moc"
