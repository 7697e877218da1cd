#include "report/PdfExport.h"
#include "report/PrintJob.h"

#include "GuiTestMain.h"
#include "guard/GuardedApplication.h"

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace report;

namespace {

constexpr qreal PointsPerMillimetre = 72 / 25.4;

const QString JobName = u"Cuisinotte – Fiche Recette"_s;

/// Two pages, each with one word, at known places.
ReportDocument twoPages()
{
    ReportDocument document;
    const int small = document.addFont(QFont(u"Liberation Sans"_s, 12));
    const int large = document.addFont(QFont(u"Liberation Sans"_s, 14));
    document.addPage().items.emplace_back(TextItem{QPointF(20, 25), small, 0xff000000, u"Bonjour"_s});
    Page &second = document.addPage();
    second.items.emplace_back(RectItem{QRectF(10, 30, 190, 15), 0xffe0e0e0});
    second.items.emplace_back(TextItem{QPointF(25, 40), large, 0xff000080, u"Cuisinotte"_s});
    return document;
}

/// A word pdftotext found on a page, in points from the page's top-left corner.
struct Word
{
    int page = 0;
    QRectF box;
    QString text;
};

/// What a program of poppler-utils says about the file.
QString popplerSays(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished() || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QList<Word> wordsOf(const QString &pdf)
{
    const QString html = popplerSays(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
    static const QRegularExpression tag(
        uR"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    QList<Word> words;
    int page = 0;
    for (const QRegularExpressionMatch &match : tag.globalMatch(html)) {
        if (match.captured(0) == u"<page "_s) {
            ++page;
            continue;
        }
        const QPointF topLeft(match.captured(1).toDouble(), match.captured(2).toDouble());
        const QPointF bottomRight(match.captured(3).toDouble(), match.captured(4).toDouble());
        words.append({page, QRectF(topLeft, bottomRight), match.captured(5)});
    }
    return words;
}

/// The value of a line "Name: value" of pdfinfo.
QString infoOf(const QString &pdf, const QString &name)
{
    for (const QString &line : popplerSays(u"pdfinfo"_s, {pdf}).split(u'\n')) {
        if (line.startsWith(name + u':'))
            return line.mid(name.size() + 1).trimmed();
    }
    return {};
}

/// Whether each font of the file, as pdffonts lists them, is embedded; its column is the fifth
/// from the end.
QList<bool> fontsEmbedded(const QString &pdf)
{
    QList<bool> embedded;
    const QStringList lines = popplerSays(u"pdffonts"_s, {pdf}).split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines.mid(2)) {
        const QStringList columns = line.split(u' ', Qt::SkipEmptyParts);
        if (columns.size() >= 5)
            embedded.append(columns.at(columns.size() - 5) == u"yes"_s);
    }
    return embedded;
}

} // namespace

class TestPdfExport : public QObject
{
    Q_OBJECT

private slots:
    // Through the PDF writer and through a printer that prints into a PDF file, the pages land
    // where they were built, from the paper's corner, with their fonts in the file.
    void thePagesAsBuilt_data()
    {
        QTest::addColumn<bool>("throughPrinter");
        QTest::newRow("PDF writer") << false;
        QTest::newRow("printer into a file") << true;
    }
    void thePagesAsBuilt()
    {
        QFETCH(bool, throughPrinter);
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed.");
        QTemporaryDir folder;
        const QString pdf = folder.filePath(u"fiche recette.pdf"_s);
        if (throughPrinter) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setDocName(JobName);
            // Margins the pages must not be pushed in by, and copies the print system must not make.
            printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                QPageLayout::Millimeter));
            printer.setCopyCount(2);
            const auto error = printDocument(printer, twoPages());
            QVERIFY2(!error, qPrintable(error.value_or(QString())));
            QCOMPARE(printer.copyCount(), 1);
        } else {
            const auto error = writePdf(pdf, twoPages(), JobName);
            QVERIFY2(!error, qPrintable(error.value_or(QString())));
        }

        QCOMPARE(infoOf(pdf, u"Pages"_s), u"2"_s);
        QVERIFY(infoOf(pdf, u"Page size"_s).contains(u"(A4)"_s));
        QCOMPARE(infoOf(pdf, u"Title"_s), JobName);
        const QList<bool> embedded = fontsEmbedded(pdf);
        QVERIFY(!embedded.isEmpty());
        QVERIFY(!embedded.contains(false));

        const QList<Word> words = wordsOf(pdf);
        QCOMPARE(words.size(), 2);
        QCOMPARE(words.at(0).page, 1);
        QCOMPARE(words.at(0).text, u"Bonjour"_s);
        const Word &word = words.at(1);
        QCOMPARE(word.page, 2);
        QCOMPARE(word.text, u"Cuisinotte"_s);
        QVERIFY2(qAbs(word.box.left() - 25 * PointsPerMillimetre) < 0.5, qPrintable(QString::number(word.box.left())));
        const qreal baseline = 40 * PointsPerMillimetre;
        QVERIFY2(word.box.top() < baseline && baseline < word.box.bottom(),
            qPrintable(u"%1 %2"_s.arg(word.box.top()).arg(word.box.bottom())));
    }

    void aFileThatCannotBeWritten_data()
    {
        QTest::addColumn<bool>("throughPrinter");
        QTest::newRow("PDF writer") << false;
        QTest::newRow("printer into a file") << true;
    }
    void aFileThatCannotBeWritten()
    {
        QFETCH(bool, throughPrinter);
        QTemporaryDir folder;
        const QString pdf = folder.filePath(u"absent/fiche.pdf"_s);
        std::optional<QString> error;
        if (throughPrinter) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            error = printDocument(printer, twoPages());
        } else {
            error = writePdf(pdf, twoPages(), JobName);
        }
        QVERIFY(error);
        QVERIFY2(error->contains(QDir::toNativeSeparators(pdf)), qPrintable(*error));
        QVERIFY(!QFile::exists(pdf));
    }

    void aDocumentWithoutPagesPrintsNothing()
    {
        QTemporaryDir folder;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(u"vide.pdf"_s));
        QVERIFY(!printDocument(printer, ReportDocument()));
        QVERIFY(!QFile::exists(printer.outputFileName()));
    }
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestPdfExport)

#include "tst_pdfexport.moc"
