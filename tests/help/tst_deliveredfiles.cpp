// The files delivered beside the program: the help the help window shows, the note the "Note"
// window shows, and their copies the build puts in bin/.

#include "help/HelpFile.h"
#include "richtext/RtfReader.h"

#include "GuiTestMain.h"
#include "guard/GuardedApplication.h"

#include <QFile>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;
using help::HelpFile;
using help::HelpTopic;

namespace {

const QString deliveredFolder = QStringLiteral(CUISINOTTE_SOURCE_DIR "/delivered/");

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("Cannot read %s: %s", qPrintable(path), qPrintable(file.errorString()));
    return file.readAll();
}

struct Link {
    QString href;
    QString topic; // the topic the link stands in
};

QList<Link> linksOf(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    QList<Link> links;
    QString topic;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (block.blockFormat().headingLevel() == 1 && !format.anchorNames().isEmpty())
                topic = format.anchorNames().constFirst();
            if (format.isAnchor() && !format.anchorHref().isEmpty())
                links.append({format.anchorHref(), topic});
        }
    }
    return links;
}

} // namespace

class TestDeliveredFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_help = HelpFile::read(deliveredFolder + u"Cuisinotte.hlp"_s);
        QVERIFY2(m_help->isValid(), qPrintable(m_help->error()));
    }

    void theHelpHasATopicForEachWindow_data()
    {
        QTest::addColumn<QString>("topic");
        const char *const topics[] = {
            "SOMMAIRE",
            "FENETRE_PRINCIPALE",
            "GESTION_RECETTES",
            "FAMILLES",
            "SUPPRIMER_DEPLACER",
            "FICHE_RECETTES",
            "TEXTES",
            "ILLUSTRATION",
            "VISUALISATION",
            "IMPRESSION",
            "PETITES_FENETRES",
            "CONSERVATION",
        };
        for (const char *topic : topics)
            QTest::newRow(topic) << QString::fromLatin1(topic);
    }

    void theHelpHasATopicForEachWindow()
    {
        QFETCH(QString, topic);
        QVERIFY(m_help->hasTopic(topic));
    }

    void everyLinkLeadsToATopicAndTheContentsToEveryTopic()
    {
        QCOMPARE(m_help->topics().constFirst().name, HelpFile::contentsTopic());
        QSet<QString> listedInContents;
        const QList<Link> links = linksOf(m_help->html());
        for (const Link &link : links) {
            const QUrl url(link.href);
            if (url.scheme() == u"https"_s)
                continue;
            QVERIFY2(url.isRelative() && url.path().isEmpty() && m_help->hasTopic(url.fragment()),
                qPrintable(u"%1 in %2"_s.arg(link.href, link.topic)));
            if (link.topic == HelpFile::contentsTopic())
                listedInContents.insert(url.fragment());
        }
        for (const HelpTopic &topic : m_help->topics()) {
            if (topic.name != HelpFile::contentsTopic())
                QVERIFY2(listedInContents.contains(topic.name), qPrintable(topic.name));
        }
    }

    void theNoteIsRichTextThatFitsTheNoteWindow()
    {
        QTextEdit box;
        QFont font(u"Arial"_s);
        font.setPixelSize(16);
        font.setBold(true);
        box.document()->setDefaultFont(font);
        QVERIFY(!richtext::readRtf(contentOf(deliveredFolder + u"note.rtf"_s), *box.document()));

        const QTextDocument &note = *box.document();
        QCOMPARE(note.begin().text(), u"Bienvenue dans Cuisinotte !"_s);
        int bullets = 0;
        for (QTextBlock block = note.begin(); block.isValid(); block = block.next())
            bullets += block.textList() ? 1 : 0;
        QCOMPARE(bullets, 5);

        // The note window shows it in a box of 641 × 327 pixels without scroll bars.
        box.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        box.resize(641, 327);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QCOMPARE(box.verticalScrollBar()->maximum(), 0);
    }

    void theBuildPutsTheFilesBesideTheProgram_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("help") << u"Cuisinotte.hlp"_s;
        QTest::newRow("note") << u"note.rtf"_s;
    }

    void theBuildPutsTheFilesBesideTheProgram()
    {
        QFETCH(QString, name);
        QCOMPARE(contentOf(QStringLiteral(CUISINOTTE_BINARY_DIR "/bin/") + name), contentOf(deliveredFolder + name));
    }

private:
    std::optional<HelpFile> m_help;
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestDeliveredFiles)
#include "tst_deliveredfiles.moc"
