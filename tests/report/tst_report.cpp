#include "report/Elements.h"
#include "report/PagePainter.h"
#include "report/ReferenceLayout.h"
#include "report/Report.h"

#include "GuiTestMain.h"
#include "guard/GuardedApplication.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTest>

using namespace report;

namespace {

// Rows counted from 1 for the detail bands.
class CountedRows : public ReportData
{
public:
    explicit CountedRows(int count)
        : m_count(count)
    {
    }

    int rowCount() override { return m_count; }
    void first() override { m_row = 1; }
    bool atEnd() const override { return m_row > m_count; }
    void next() override { ++m_row; }
    int row() const { return m_row; }

private:
    int m_count;
    int m_row = 0;
};

QFont arial(qreal points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

TextStyle style(qreal points, Qt::Alignment alignment = Qt::AlignLeft)
{
    TextStyle style;
    style.font = arial(points);
    style.alignment = alignment;
    return style;
}

std::vector<TextItem> textsOf(const Page &page)
{
    std::vector<TextItem> texts;
    for (const PageItem &item : page.items)
        if (const auto *text = std::get_if<TextItem>(&item))
            texts.push_back(*text);
    return texts;
}

const TextItem *findText(const Page &page, const QString &text)
{
    for (const PageItem &item : page.items)
        if (const auto *found = std::get_if<TextItem>(&item); found && found->text == text)
            return found;
    return nullptr;
}

// A list as the program prints its families: a title, a line a row, the page number.
struct ListReport
{
    explicit ListReport(int rows)
        : data(rows)
    {
        report.setData(&data);
        Band &header = report.addBand(Band::Kind::ColumnHeader, 24.1);
        header.add<Label>(QRectF(53.2, 1.1, 74.1, 10.1), QStringLiteral("Liste"), style(24));
        Band &detail = report.addBand(Band::Kind::Detail, 5.8);
        detail.add<DataText>(QRectF(0, 0, 17.7, 5), [this] { return QStringLiteral("Ligne %1").arg(data.row()); }, style(12));
        Band &footer = report.addBand(Band::Kind::PageFooter, 5.8);
        footer.setTopLine(true);
        footer.add<Expression>(QRectF(162.2, 0, 27.8, 4), QStringLiteral("'Page ' + PageNumber"), style(8, Qt::AlignRight));
    }

    CountedRows data;
    Report report;
};

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void rowsFillPagesBetweenHeaderAndFooter_data();
    void rowsFillPagesBetweenHeaderAndFooter();
    void anEmptyReportPrintsItsHeaderAndFooter();
    void autoSizedTextKeepsItsEdgeAndRunsPastThePage();
    void expressions_data();
    void expressions();
    void badExpressionsAreRefused_data();
    void badExpressionsAreRefused();
    void callbackLabelPrintsWhatTheCallbackGives();
    void richTextTooLongForItsBoxGoesOnToTheNextPages();
    void richTextThatFitsStaysOnOnePage();
    void richTextsGrowTheirBandWhileThePageHasRoom();
    void progressGoesUpInStepsOfFive();
    void pageIsDrawnWhereItsItemsSay();
    void datesAreFrenchWhereTheSystemNamesNoLanguage();
    void textWidthsAreThoseOfTheTextLayout_data();
    void textWidthsAreThoseOfTheTextLayout();
};

void TestReport::rowsFillPagesBetweenHeaderAndFooter_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("rowsOnLastPage");
    QTest::newRow("one") << 1 << 1 << 1;
    QTest::newRow("a full page") << 42 << 1 << 42;
    QTest::newRow("one more") << 43 << 2 << 1;
    QTest::newRow("two full pages") << 84 << 2 << 42;
}

// 297 mm less two margins, a header of 24.1 and a footer of 5.8 leave 42 rows of 5.8 mm.
void TestReport::rowsFillPagesBetweenHeaderAndFooter()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    QFETCH(int, rowsOnLastPage);

    ListReport list(rows);
    const ReportDocument document = list.report.build();

    QCOMPARE(document.pageCount(), pages);
    for (int i = 0; i < pages; ++i) {
        const Page &page = document.pages()[std::size_t(i)];
        QVERIFY2(findText(page, QStringLiteral("Liste")), "the header is on every page");
        const TextItem *number = findText(page, QStringLiteral("Page %1").arg(i + 1));
        QVERIFY(number);
        QVERIFY(number->baseline.y() > 287 - 5.8);
    }
    const Page &last = document.pages().back();
    int lines = 0;
    for (const TextItem &text : textsOf(last))
        lines += text.text.startsWith(QStringLiteral("Ligne")) ? 1 : 0;
    QCOMPARE(lines, rowsOnLastPage);
    const TextItem *firstRow = findText(last, QStringLiteral("Ligne %1").arg(rows - rowsOnLastPage + 1));
    QVERIFY(firstRow);
    QVERIFY(firstRow->baseline.y() > 10 + 24.1 && firstRow->baseline.y() < 10 + 24.1 + 5.8);
}

void TestReport::anEmptyReportPrintsItsHeaderAndFooter()
{
    ListReport list(0);
    const ReportDocument document = list.report.build();
    QCOMPARE(document.pageCount(), 1);
    QVERIFY(findText(document.pages()[0], QStringLiteral("Liste")));
    QVERIFY(findText(document.pages()[0], QStringLiteral("Page 1")));
}

void TestReport::autoSizedTextKeepsItsEdgeAndRunsPastThePage()
{
    Report report;
    Band &header = report.addBand(Band::Kind::ColumnHeader, 20);
    const QString longName(300, u'm');
    header.add<Label>(QRectF(24.3, 2, 28.3, 5), longName, style(12));
    header.add<Label>(QRectF(162.2, 10, 27.8, 4), QStringLiteral("Page 12"), style(8, Qt::AlignRight));
    const ReportDocument document = report.build();

    const TextItem *left = findText(document.pages()[0], longName);
    QVERIFY(left);
    QCOMPARE(left->baseline.x(), 10 + 24.3);
    QCOMPARE(textsOf(document.pages()[0]).size(), std::size_t(2)); // neither wrapped nor cut

    const TextItem *right = findText(document.pages()[0], QStringLiteral("Page 12"));
    QVERIFY(right);
    QVERIFY(right->baseline.x() > 10 + 162.2);
    QVERIFY(right->baseline.x() < 10 + 190);
}

void TestReport::expressions_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QString>("printed");
    QTest::newRow("page") << QStringLiteral("'Page ' + PageNumber") << QStringLiteral("Page 1");
    QTest::newRow("number alone") << QStringLiteral("PageNumber") << QStringLiteral("1");
    QTest::newRow("constants") << QStringLiteral("'a' +'b'+ 'c'") << QStringLiteral("abc");
    QTest::newRow("quote in a constant") << QStringLiteral("'l''été'") << QStringLiteral("l'été");
    QTest::newRow("any letter case") << QStringLiteral("pagenumber + ' sur'") << QStringLiteral("1 sur");
}

void TestReport::expressions()
{
    QFETCH(QString, expression);
    QFETCH(QString, printed);
    Report report;
    report.addBand(Band::Kind::PageFooter, 5).add<Expression>(QRectF(0, 0, 20, 4), expression, style(8));
    const ReportDocument document = report.build();
    QVERIFY(findText(document.pages()[0], printed));
}

void TestReport::badExpressionsAreRefused_data()
{
    QTest::addColumn<QString>("expression");
    QTest::newRow("empty") << QString();
    QTest::newRow("unknown function") << QStringLiteral("PageCount");
    QTest::newRow("unclosed quote") << QStringLiteral("'Page ");
    QTest::newRow("other operator") << QStringLiteral("'a' - 'b'");
    QTest::newRow("trailing plus") << QStringLiteral("'a' +");
    QTest::newRow("two terms without plus") << QStringLiteral("'a' PageNumber");
}

void TestReport::badExpressionsAreRefused()
{
    QFETCH(QString, expression);
    QVERIFY_THROWS_EXCEPTION(ExpressionError, Expression(QRectF(), expression, style(8)));
}

void TestReport::callbackLabelPrintsWhatTheCallbackGives()
{
    Report report;
    QString received;
    report.addBand(Band::Kind::ColumnHeader, 10)
        .add<Label>(QRectF(0, 0, 20, 5), QStringLiteral("qualite"), style(12), [&](QString &text) {
            received = text;
            text = QStringLiteral("Très bon");
        });
    const ReportDocument document = report.build();
    QCOMPARE(received, QStringLiteral("qualite"));
    QVERIFY(findText(document.pages()[0], QStringLiteral("Très bon")));
    QVERIFY(!findText(document.pages()[0], QStringLiteral("qualite")));
}

// The card's layout: a box of 76.5 mm for the ingredients in a band that cannot grow.
void TestReport::richTextTooLongForItsBoxGoesOnToTheNextPages()
{
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines << QStringLiteral("ingredient%1").arg(i);
    const QByteArray content = lines.join(u'\n').toLatin1();

    Report report;
    Band &header = report.addBand(Band::Kind::ColumnHeader, 263.3);
    header.add<RichText>(QRectF(0, 59.3, 78.6, 76.5), [&] { return content; }, arial(8));
    header.add<Label>(QRectF(0.5, 140.2, 21.4, 8.2), QStringLiteral("Recette"), style(16));
    report.addBand(Band::Kind::PageFooter, 11.1)
        .add<Expression>(QRectF(162.2, 0, 27.8, 4), QStringLiteral("'Page ' + PageNumber"), style(8, Qt::AlignRight));
    const ReportDocument document = report.build();

    QVERIFY(document.pageCount() >= 2);
    // Every line printed once, in order, and none below the box on the first page.
    QString printed;
    for (const Page &page : document.pages())
        for (const TextItem &text : textsOf(page))
            if (text.text.startsWith(QStringLiteral("ingredient"))) {
                printed += text.text + u'\n';
                if (&page == &document.pages()[0])
                    QVERIFY(text.baseline.y() <= 10 + 59.3 + 76.5);
                else
                    QVERIFY(text.baseline.y() < 297 - 10 - 11.1);
            }
    QCOMPARE(printed, lines.join(u'\n') + u'\n');
    for (int i = 0; i < document.pageCount(); ++i)
        QVERIFY(findText(document.pages()[std::size_t(i)], QStringLiteral("Page %1").arg(i + 1)));
    QVERIFY2(!findText(document.pages()[1], QStringLiteral("Recette")), "a continuation page carries the text only");
}

void TestReport::richTextThatFitsStaysOnOnePage()
{
    const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 Farine {\\b 200 g}\\par Sucre\\par}";
    Report report;
    report.addBand(Band::Kind::ColumnHeader, 263.3).add<RichText>(QRectF(0, 59.3, 78.6, 76.5), [&] { return rtf; }, arial(8));
    const ReportDocument document = report.build();
    QCOMPARE(document.pageCount(), 1);
    const TextItem *bold = findText(document.pages()[0], QStringLiteral("200 g"));
    QVERIFY(bold);
    QVERIFY(document.fonts()[std::size_t(bold->font)].bold());
    QVERIFY(findText(document.pages()[0], QStringLiteral("Sucre")));
}

// Two columns of 30 lines, each in a box of 10 mm, in a band with room below it on the page:
// each grows as far as it needs, and neither goes on to another page.
void TestReport::richTextsGrowTheirBandWhileThePageHasRoom()
{
    QStringList left;
    QStringList right;
    for (int i = 1; i <= 30; ++i) {
        left << QStringLiteral("gauche%1").arg(i);
        right << QStringLiteral("droite%1").arg(i);
    }
    const QByteArray leftText = left.join(u'\n').toLatin1();
    const QByteArray rightText = right.join(u'\n').toLatin1();
    Report report;
    Band &header = report.addBand(Band::Kind::ColumnHeader, 20);
    header.add<RichText>(QRectF(0, 10, 90, 10), [&] { return leftText; }, arial(8));
    header.add<RichText>(QRectF(100, 10, 90, 10), [&] { return rightText; }, arial(8));
    report.addBand(Band::Kind::PageFooter, 120); // room for one growth of the band, not two
    const ReportDocument document = report.build();

    QCOMPARE(document.pageCount(), 1);
    const TextItem *lastLeft = findText(document.pages()[0], QStringLiteral("gauche30"));
    const TextItem *lastRight = findText(document.pages()[0], QStringLiteral("droite30"));
    QVERIFY(lastLeft && lastRight);
    QCOMPARE(lastLeft->baseline.y(), lastRight->baseline.y());
}

void TestReport::progressGoesUpInStepsOfFive()
{
    ListReport list(1000);
    QList<int> reported;
    list.report.build([&](int percent) { reported << percent; });
    QCOMPARE(reported.first(), 0);
    QCOMPARE(reported.last(), 100);
    for (int i = 1; i < reported.size(); ++i)
        QVERIFY(reported[i] - reported[i - 1] >= 5);
}

// A black line and a text drawn at 96 dots per inch land where their millimetres say.
void TestReport::pageIsDrawnWhereItsItemsSay()
{
    ReportDocument document;
    Page &page = document.addPage();
    page.items.push_back(LineItem{QLineF(10, 100, 200, 100), 0.5, qRgb(0, 0, 0)});
    page.items.push_back(TextItem{QPointF(20, 50), document.addFont(arial(20, true)), qRgb(0, 0, 128), QStringLiteral("Fiche")});

    QImage image(794, 1123, QImage::Format_RGB32); // A4 at 96 dpi
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawPage(painter, document, 0);
    painter.end();

    const auto pixel = [](qreal mm) { return qRound(mm * 96 / 25.4); };
    QVERIFY(image.pixelColor(pixel(100), pixel(100)).lightness() < 64);
    QCOMPARE(image.pixelColor(pixel(100), pixel(98)), QColor(Qt::white));
    bool navyNearBaseline = false;
    for (int x = pixel(20); x < pixel(40) && !navyNearBaseline; ++x)
        for (int y = pixel(44); y < pixel(50) && !navyNearBaseline; ++y)
            navyNearBaseline = image.pixelColor(x, y).blue() > 100 && image.pixelColor(x, y).red() < 80;
    QVERIFY(navyNearBaseline);
}

void TestReport::datesAreFrenchWhereTheSystemNamesNoLanguage()
{
    if (QLocale::system().language() != QLocale::C)
        QSKIP("the system names a language: its own short format is used");
    QCOMPARE(shortDateText(QDate(2026, 3, 7)), QStringLiteral("07/03/2026"));
}

void TestReport::textWidthsAreThoseOfTheTextLayout_data()
{
    QTest::addColumn<QFont>("font");
    QTest::addColumn<QString>("text");
    QTest::newRow("title") << arial(12) << QStringLiteral("Crème brûlée à la vanille");
    QTest::newRow("kerning pairs") << arial(24, true) << QStringLiteral("AVAVA To Ty Wa");
    QTest::newRow("code page 1252") << arial(8) << QStringLiteral("Œufs « cocotte » – 3 € ‰");
    QTest::newRow("a character the font lacks") << arial(12) << QStringLiteral("Thé 漢字");
    QTest::newRow("empty") << arial(12) << QString();
}

// Widths measured from the font's tables are those the text is drawn with, within a hundredth
// of a millimetre a character.
void TestReport::textWidthsAreThoseOfTheTextLayout()
{
    QFETCH(QFont, font);
    QFETCH(QString, text);
    const QFontMetricsF layout(ReferenceLayout::font(font), &ReferenceLayout::device());
    const qreal expected = ReferenceLayout::toMillimetres(layout.horizontalAdvance(text));
    const qreal measured = ReferenceLayout::TextMetrics(font).width(text);
    QVERIFY2(qAbs(measured - expected) <= 0.01 * qMax<qsizetype>(1, text.size()),
             qPrintable(QStringLiteral("%1 mm, against %2 mm").arg(measured).arg(expected)));
}

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestReport)
#include "tst_report.moc"
