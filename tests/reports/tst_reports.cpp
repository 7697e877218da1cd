#include "reports/DatasetRows.h"
#include "reports/EditFamille.h"
#include "reports/EditFicheRecette.h"
#include "reports/EditRecette.h"

#include "report/Elements.h"
#include "report/SavedPages.h"

#include "GuiTestMain.h"
#include "SamplePictures.h"
#include "OpenRecipeBook.h"
#include "controls/WindowsFonts.h"
#include "dataset/FieldLink.h"
#include "guard/GuardedApplication.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using report::ImageItem;
using report::LineItem;
using report::Page;
using report::ReportDocument;
using report::TextItem;

namespace {

// Pages are built from the paper's corner; the bands start inside the 10 mm margins.
constexpr qreal Margin = 10;
constexpr QRgb Navy = 0xff000080;
constexpr QRgb Black = 0xff000000;

QString today()
{
    return report::shortDateText(QDate::currentDate());
}

template <class Item>
std::vector<Item> itemsOf(const Page &page)
{
    std::vector<Item> found;
    for (const report::PageItem &item : page.items)
        if (const auto *wanted = std::get_if<Item>(&item))
            found.push_back(*wanted);
    return found;
}

const TextItem *findText(const Page &page, const QString &text)
{
    for (const report::PageItem &item : page.items)
        if (const auto *found = std::get_if<TextItem>(&item); found && found->text == text)
            return found;
    return nullptr;
}

/// Whether the text stands in the band element designed at left, top, with that height: its
/// left edge there, its baseline inside the box.
bool standsAt(const TextItem &item, qreal left, qreal top, qreal height)
{
    return qAbs(item.baseline.x() - left) < 0.01 && item.baseline.y() > top && item.baseline.y() < top + height;
}

QString describe(const TextItem *item)
{
    return item ? u"\"%1\" at %2, %3"_s.arg(item->text).arg(item->baseline.x()).arg(item->baseline.y()) : u"missing"_s;
}

QStringList numbered(const QString &prefix, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(u"%1 %2"_s.arg(prefix).arg(i, 2, 10, QLatin1Char('0')));
    return names;
}

/// A recipe book of one family, "Desserts", whose recipe "Tarte" is current, with what the
/// card prints set in it.
struct CardBook
{
    CardBook()
        : book({{u"Desserts"_s, {u"Clafoutis"_s, u"Tarte"_s}}})
    {
        recipes().locate(u"DESCRIPTION"_s, u"Tarte"_s);
        set({{u"PERSONNES"_s, u"6 parts"_s},
             {u"CALORIES"_s, u"300 kcal"_s},
             {u"TXT_PREPARATION"_s, u"20 min"_s},
             {u"TXT_CUISSON"_s, u"35 min"_s},
             {u"TXT_ACCOMPAGNEMENT"_s, u"Crème"_s},
             {u"DATE_CREATION"_s, QDate(2021, 12, 18)},
             {u"QUALITE"_s, 3},
             {u"DIFFICULTE"_s, 4},
             {u"INGREDIENTS"_s, "Farine"_ba},
             {u"PREPARATION"_s, "Cuire"_ba}});
    }

    QueryDataset &recipes() { return book.dm.IBRECETTES; }

    /// Sets the fields of the current recipe and posts them.
    void set(const QVariantMap &values, bool post = true)
    {
        recipes().edit();
        for (auto value = values.cbegin(); value != values.cend(); ++value)
            recipes().fieldByName(value.key()).setValue(value.value());
        if (post)
            recipes().post();
    }

    ReportDocument card()
    {
        TFrmEditFicheRecette form(book.dm);
        return form.QuickRep1.build();
    }

    OpenRecipeBook book;
};

/// A word pdftotext found on a page, in millimetres from the page's top-left corner.
struct Word
{
    int page = 0;
    QRectF box;
    QString text;
};

QList<Word> wordsOf(const QString &pdf)
{
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
    if (!pdftotext.waitForFinished() || pdftotext.exitCode() != 0)
        return {};
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression element(
        uR"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"_s);
    constexpr qreal millimetresPerPoint = 25.4 / 72;
    QList<Word> words;
    int page = 0;
    for (const QRegularExpressionMatch &match : element.globalMatch(html)) {
        if (match.captured(0) == u"<page ") {
            ++page;
            continue;
        }
        const QRectF box(QPointF(match.captured(1).toDouble(), match.captured(2).toDouble()),
                         QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()));
        words.append({page, QRectF(box.topLeft() * millimetresPerPoint, box.size() * millimetresPerPoint), match.captured(5)});
    }
    return words;
}

struct ToolRun
{
    int exitCode = -1;
    QString errors;
};

ToolRun runReportPdf(const QStringList &arguments)
{
    QProcess tool;
    tool.start(QStringLiteral(REPORTPDF), arguments);
    if (!tool.waitForFinished(-1) || tool.exitStatus() != QProcess::NormalExit)
        return {};
    return {tool.exitCode(), QString::fromUtf8(tool.readAllStandardError())};
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private slots:
    void aCardSavedAndOpenedAgainIsTheSameCard();
    void initTestCase() { WindowsFonts::substitute(); }

    void cardPrintsTheRecipeWhereItWasDesigned();
    void longShortTextsRunPastTheirBoxesOnOneLine();
    void ingredientsLongerThanTheirBoxGoOnToTheNextPage();
    void theIllustrationTakesItsSizeOnTheScreen_data();
    void theIllustrationTakesItsSizeOnTheScreen();
    void cardPrintsTheRecordBeingEditedAndMovesOnlyTheLookups();
    void listsFillPagesUnderTheirHeader_data();
    void listsFillPagesUnderTheirHeader();
    void aListRunTellsTheOtherWindowsOnceItIsOver();
    void reportPdfWritesTheReport();
    void reportPdfRefusesWhatItCannotPrint_data();
    void reportPdfRefusesWhatItCannotPrint();
};

void TestReports::cardPrintsTheRecipeWhereItWasDesigned()
{
    CardBook book;
    const ReportDocument card = book.card();
    QCOMPARE(card.pageCount(), 1);
    const Page &page = card.pages().front();

    struct Expected
    {
        QString text;
        qreal left, top, height;
        QRgb colour;
    };
    const Expected printed[] = {
        {u"Fiche Recette"_s, 59.3, 0.5, 10.8, Navy},
        {u"Date :"_s, 171.4, 2.1, 5.0, Black},
        {today(), 179.9, 2.1, 5.0, Black},
        {u"Thème :"_s, -0.5, 11.6, 8.2, Navy},
        {u"Desserts"_s, 24.6, 11.6, 8.2, Navy},
        {u"Description :"_s, 0.3, 20.9, 5.0, Black},
        {u"Tarte"_s, 24.3, 20.9, 5.0, Navy},
        {u"Bonne"_s, 24.6, 26.7, 5.0, Navy},
        {u"Qualité :"_s, 0.0, 27.0, 5.0, Black},
        {u"Moyenne"_s, 123.3, 30.2, 5.0, Navy},
        {u"Difficulté :"_s, 86.0, 30.7, 5.0, Black},
        {u"Ingrédients :"_s, 0.0, 32.3, 5.0, Black},
        {u"6 parts"_s, 24.6, 32.5, 5.0, Navy},
        {u"Préparation :"_s, 86.0, 35.7, 5.0, Black},
        {u"20 min"_s, 123.3, 35.7, 5.0, Navy},
        {u"Calories :"_s, 0.0, 37.3, 5.3, Black},
        {u"300 kcal"_s, 24.6, 37.6, 5.0, Navy},
        {u"Cuisson :"_s, 86.0, 40.2, 5.0, Black},
        {u"35 min"_s, 123.3, 40.2, 5.0, Navy},
        {u"Date de création:"_s, 0.0, 42.9, 5.3, Black},
        {report::shortDateText(QDate(2021, 12, 18)), 33.1, 42.9, 5.3, Navy},
        {u"Accompagnement :"_s, 86.0, 44.7, 5.0, Black},
        {u"Crème"_s, 123.3, 44.7, 5.0, Navy},
        {u"Ingrédients"_s, 0.5, 49.2, 8.2, Black},
        {u"Farine"_s, 0.0, 59.3, 76.5, Black},
        {u"Recette"_s, 0.5, 140.2, 8.2, Black},
        {u"Cuire"_s, 0.0, 150.3, 99.7, Black},
    };
    for (const Expected &expected : printed) {
        const TextItem *item = findText(page, expected.text);
        QVERIFY2(item && standsAt(*item, Margin + expected.left, Margin + expected.top, expected.height)
                     && item->colour == expected.colour,
                 qPrintable(describe(item) + u", designed at "_s + QString::number(expected.left)));
    }
    // The callbacks' labels print what they found, never their design captions.
    for (const QString &caption : {u"QRLabel14"_s, u"qualite"_s, u"Difficulte"_s})
        QVERIFY2(!findText(page, caption), qPrintable(caption));

    // The page number against the right margin, in the footer under its line.
    const TextItem *number = findText(page, u"Page 1"_s);
    QVERIFY2(number && number->baseline.y() > 275.9 && number->baseline.y() < 275.9 + 4.0, qPrintable(describe(number)));
    QVERIFY(number->baseline.x() > Margin + 162.2 && number->baseline.x() < 200);
    const std::vector<LineItem> lines = itemsOf<LineItem>(page);
    for (const QLineF &line : {QLineF(10, 66.8, 88.1, 66.8), QLineF(10, 157.5, 200.8, 157.5), QLineF(10, 275.9, 200, 275.9)}) {
        const bool drawn = std::any_of(lines.cbegin(), lines.cend(), [&](const LineItem &item) {
            return qAbs(item.line.x1() - line.x1()) < 0.01 && qAbs(item.line.x2() - line.x2()) < 0.01
                && qAbs(item.line.y1() - line.y1()) < 0.01 && qAbs(item.line.y2() - line.y2()) < 0.01;
        });
        QVERIFY2(drawn, qPrintable(u"line at %1 mm"_s.arg(line.y1())));
    }
}

// A title or accompaniment wider than its box is neither wrapped nor cut at the band's edge.
void TestReports::longShortTextsRunPastTheirBoxesOnOneLine()
{
    CardBook book;
    const QString description = u"Tarte fine aux pommes caramélisées, crème d'amande, glace vanille et coulis de fruits rouges"_s;
    const QString accompaniment = u"Une boule de glace vanille et des amandes grillées"_s;
    book.set({{u"DESCRIPTION"_s, description}, {u"TXT_ACCOMPAGNEMENT"_s, accompaniment}});
    const ReportDocument card = book.card();
    QCOMPARE(card.pageCount(), 1);
    const TextItem *title = findText(card.pages().front(), description);
    QVERIFY2(title && standsAt(*title, Margin + 24.3, Margin + 20.9, 5.0), qPrintable(describe(title)));
    // The screen is at 96 dpi in the tests, the resolution the reports are laid out at.
    const qreal width = QFontMetricsF(card.fonts().at(std::size_t(title->font))).horizontalAdvance(description) * 25.4 / 96;
    QVERIFY2(title->baseline.x() + width > Margin + 190, qPrintable(QString::number(width)));
    const TextItem *side = findText(card.pages().front(), accompaniment);
    QVERIFY2(side && standsAt(*side, Margin + 123.3, Margin + 44.7, 5.0), qPrintable(describe(side)));
}

void TestReports::ingredientsLongerThanTheirBoxGoOnToTheNextPage()
{
    CardBook book;
    const QStringList ingredients = numbered(u"Ingrédient"_s, 60);
    book.set({{u"INGREDIENTS"_s, ingredients.join(u"\r\n"_s).toLatin1()}});
    const ReportDocument card = book.card();
    QCOMPARE(card.pageCount(), 2);

    const qreal recipeHeading = Margin + 140.2;
    QStringList printed;
    for (int pageIndex = 0; pageIndex < 2; ++pageIndex) {
        const Page &page = card.pages()[std::size_t(pageIndex)];
        for (const TextItem &item : itemsOf<TextItem>(page)) {
            if (!item.text.startsWith(u"Ingrédient "_s))
                continue;
            printed.append(item.text);
            if (pageIndex == 0)
                QVERIFY2(item.baseline.y() < recipeHeading, qPrintable(describe(&item)));
        }
        QVERIFY(findText(page, u"Page %1"_s.arg(pageIndex + 1)));
    }
    QCOMPARE(printed, ingredients);
    QVERIFY(!findText(card.pages()[1], ingredients.front()));
    QVERIFY(findText(card.pages()[1], ingredients.back()));
}

void TestReports::theIllustrationTakesItsSizeOnTheScreen_data()
{
    QTest::addColumn<QVariant>("image");
    QTest::addColumn<QRectF>("printed"); // empty for none

    QTest::newRow("640 × 480 JPEG") << QVariant(jpegOf(640, 480))
                                    << QRectF(Margin + 97.4, Margin + 55.0, 640 * 25.4 / 96, 127.0);
    QTest::newRow("older bitmap") << QVariant(bitmapOf(64, 48)) << QRectF();
    QTest::newRow("none") << QVariant() << QRectF();
}

void TestReports::theIllustrationTakesItsSizeOnTheScreen()
{
    QFETCH(QVariant, image);
    QFETCH(QRectF, printed);

    CardBook book;
    book.set({{u"IMAGE"_s, image}});
    const ReportDocument card = book.card();
    const std::vector<ImageItem> images = itemsOf<ImageItem>(card.pages().front());
    if (printed.isEmpty()) {
        QVERIFY(images.empty());
        return;
    }
    QCOMPARE(images.size(), std::size_t(1));
    const QRectF rect = images.front().rect;
    QVERIFY2(qAbs(rect.left() - printed.left()) < 0.01 && qAbs(rect.top() - printed.top()) < 0.01
                 && qAbs(rect.width() - printed.width()) < 0.01 && qAbs(rect.height() - printed.height()) < 0.01,
             qPrintable(u"%1, %2, %3 × %4"_s.arg(rect.left()).arg(rect.top()).arg(rect.width()).arg(rect.height())));
    QCOMPARE(card.images().at(std::size_t(images.front().image)).bytes, image.toByteArray());
}

// The card window prints while its recipe is being edited: what is not posted yet prints, and
// the row stays in edit state. The rating labels search their lookups, and nothing else moves.
void TestReports::cardPrintsTheRecordBeingEditedAndMovesOnlyTheLookups()
{
    CardBook book;
    const QByteArray pasted = jpegOf(80, 60);
    book.set({{u"DESCRIPTION"_s, u"Tarte fine"_s}, {u"IMAGE"_s, pasted}, {u"DIFFICULTE"_s, 2}}, false);
    const ReportDocument card = book.card();
    TDM &dm = book.book.dm;
    QVERIFY(findText(card.pages().front(), u"Tarte fine"_s));
    QVERIFY(findText(card.pages().front(), u"Très facile"_s));
    QCOMPARE(card.images().size(), std::size_t(1));
    QCOMPARE(card.images().front().bytes, pasted);

    QCOMPARE(book.recipes().state(), DatasetState::Edit);
    QCOMPARE(book.recipes().fieldByName(u"DESCRIPTION"_s).asString(), u"Tarte fine"_s);
    QCOMPARE(book.book.currentFamily(), u"Desserts"_s);
    QCOMPARE(dm.IBDIFFICULTE.fieldByName(u"VALEUR"_s).asString(), u"Très facile"_s);
    QVERIFY(dm.IBQUALITE.eof());
    QCOMPARE(dm.IBQUALITE.fieldByName(u"NUMERO"_s).asInteger(), 5);
}

// Every font and picture a card prints, those of its formatted texts included, are kept whole by
// a saved report.
void TestReports::aCardSavedAndOpenedAgainIsTheSameCard()
{
    CardBook book;
    const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1 Comic Sans MS;}}{\\colortbl;\\red200\\green0\\blue0;}"
                           "\\pard{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\fi-360\\li360 "
                           "\\f1\\fs28\\cf1\\b\\i\\ul Farine\\ulnone\\b0\\i0\\cf0\\f0\\fs16 {\\strike 200 g}\\par}";
    book.set({{u"INGREDIENTS"_s, rtf}, {u"IMAGE"_s, jpegOf(80, 60)}}, false);
    const ReportDocument card = book.card();
    QVERIFY(findText(card.pages().front(), u"Farine"_s));

    ReportDocument opened;
    const std::optional<QString> error = report::SavedPages::decode(report::SavedPages::encode(card), opened);
    QVERIFY2(!error, qPrintable(error.value_or(QString())));
    QVERIFY(opened == card);
}

void TestReports::listsFillPagesUnderTheirHeader_data()
{
    QTest::addColumn<bool>("families"); // the family list, or the recipe list
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");

    QTest::newRow("42 families") << true << 42 << 1;
    QTest::newRow("43 families") << true << 43 << 2;
    QTest::newRow("41 recipes") << false << 41 << 1;
    QTest::newRow("42 recipes") << false << 42 << 2;
    QTest::newRow("a name wider than the page") << true << 1 << 1;
}

// Every page repeats the title, the day of printing and, for recipes, the family; the lines
// follow one another from under the header, in the datasets' order; each footer has its number.
void TestReports::listsFillPagesUnderTheirHeader()
{
    QFETCH(bool, families);
    QFETCH(int, rows);
    QFETCH(int, pages);

    QStringList names = numbered(families ? u"Famille"_s : u"Recette"_s, rows);
    if (rows == 1)
        names = QStringList{u"Une famille au nom si long qu'il passe la marge de droite de la page sans être coupé"_s};
    QList<SampleFamily> book;
    if (families) {
        for (const QString &name : names)
            book.append({name, {}});
    } else {
        book.append({u"Desserts"_s, names});
    }
    OpenRecipeBook recipeBook(book);
    ReportDocument document;
    if (families) {
        TFrmEditFamille form(recipeBook.dm);
        document = form.QuickRep1.build();
    } else {
        TFrmEditRecette form(recipeBook.dm);
        document = form.QuickRep1.build();
    }
    QCOMPARE(document.pageCount(), pages);

    const qreal headerHeight = families ? 24.1 : 30.4;
    const int linesPerPage = families ? 42 : 41;
    for (int pageIndex = 0; pageIndex < pages; ++pageIndex) {
        const Page &page = document.pages()[std::size_t(pageIndex)];
        const TextItem *title = findText(page, families ? u"Liste des familles"_s : u"Liste des recettes"_s);
        QVERIFY2(title && standsAt(*title, Margin + 53.2, Margin + 1.1, 10.1) && title->colour == Navy, qPrintable(describe(title)));
        const TextItem *day = findText(page, today());
        QVERIFY2(day && standsAt(*day, Margin + 179.9, Margin + 2.1, 5.0), qPrintable(describe(day)));
        QVERIFY(findText(page, u"Date :"_s));
        if (!families) {
            const TextItem *family = findText(page, u"Desserts"_s);
            QVERIFY2(family && standsAt(*family, Margin + 48.7, Margin + 19.1, 5.3) && family->colour == Navy,
                     qPrintable(describe(family)));
            QVERIFY(findText(page, u"Recettes de la Famille :"_s));
        }
        const TextItem *number = findText(page, u"Page %1"_s.arg(pageIndex + 1));
        QVERIFY2(number && number->baseline.y() > 287 - 5.8 && number->baseline.x() < 200, qPrintable(describe(number)));

        const QStringList onThisPage = names.mid(pageIndex * linesPerPage, linesPerPage);
        for (int line = 0; line < onThisPage.size(); ++line) {
            const TextItem *item = findText(page, onThisPage[line]);
            QVERIFY2(item && standsAt(*item, Margin, Margin + headerHeight + line * 5.8, 5.0), qPrintable(describe(item)));
        }
    }
}

// The recipes follow the families: a run told of every family would read each family's
// recipes. They hear of the run once it is over, and then belong to the last family; a run
// stopped half way by an error tells them too.
void TestReports::aListRunTellsTheOtherWindowsOnceItIsOver()
{
    QList<SampleFamily> families;
    for (const QString &name : numbered(u"Famille"_s, 10))
        families.append({name, {u"Recette de la "_s + name}});
    OpenRecipeBook book(families);
    FieldLink recipeTitle;
    int changes = 0;
    recipeTitle.onDataChange = [&changes] { ++changes; };
    recipeTitle.setFieldName(u"DESCRIPTION"_s);
    recipeTitle.setDataSource(&book.dm.DSRECETTES);

    changes = 0;
    {
        TFrmEditFamille form(book.dm);
        QCOMPARE(form.QuickRep1.build().pageCount(), 1);
    }
    QVERIFY2(changes > 0 && changes < 10, qPrintable(QString::number(changes)));
    QCOMPARE(book.currentRecipe(), u"Recette de la Famille 10"_s);

    // A run that an error stops at the second family.
    DatasetRows rows(book.dm.IBFAMILLE);
    bool quietDuringTheRun = true;
    report::Report stopped;
    stopped.setData(&rows);
    stopped.addBand(report::Band::Kind::Detail, 5).add<report::DataText>(QRectF(0, 0, 10, 5), [&] {
        if (book.dm.IBFAMILLE.fieldByName(u"FAMILLE"_s).asString() == u"Famille 02"_s)
            throw std::runtime_error("stopped");
        quietDuringTheRun = quietDuringTheRun && book.dm.IBFAMILLE.controlsDisabled();
        return QString();
    }, report::TextStyle());
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, stopped.build());
    QVERIFY(quietDuringTheRun);
    QVERIFY(!book.dm.IBFAMILLE.controlsDisabled());
    QCOMPARE(book.currentRecipe(), u"Recette de la Famille 02"_s);
}

void TestReports::reportPdfWritesTheReport()
{
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    // The tool opens the book beside this program, which has it open too, as a second copy of
    // the program would; it sees what was committed.
    OpenRecipeBook book({{u"Desserts"_s, {u"Tarte"_s}}, {u"Potages"_s, numbered(u"Soupe"_s, 42)}});
    book.dm.IBRECETTES.edit();
    book.dm.IBRECETTES.fieldByName(u"IMAGE"_s).setValue(jpegOf(640, 480));
    book.dm.IBRECETTES.post();
    QCOMPARE(book.committedRows(u"select * from RECETTES where IMAGE is not null"_s), 1);
    const QString path = book.database.path();
    QTemporaryDir folder;

    // Recipes 2 to 43 are the soups, of family 2; the tart is recipe 1.
    const QString list = folder.filePath(u"soupes.pdf"_s);
    ToolRun run = runReportPdf({path, u"recipes"_s, u"2"_s, list});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QList<Word> words = wordsOf(list);
    QVERIFY(!words.isEmpty());
    QCOMPARE(words.back().page, 2);
    for (int page : {1, 2}) {
        const auto title = std::find_if(words.cbegin(), words.cend(),
            [page](const Word &word) { return word.page == page && word.text == u"Liste"_s; });
        QVERIFY2(title != words.cend(), qPrintable(QString::number(page)));
        QVERIFY(qAbs(title->box.left() - (Margin + 53.2)) < 0.5);
        const auto number = std::find_if(words.cbegin(), words.cend(), [page](const Word &word) {
            return word.page == page && word.text == QString::number(page) && word.box.top() > 280;
        });
        QVERIFY2(number != words.cend() && number->box.right() < 200.5, qPrintable(QString::number(page)));
    }

    const QString card = folder.filePath(u"tarte.pdf"_s);
    run = runReportPdf({path, u"card"_s, u"1"_s, card});
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    words = wordsOf(card);
    QVERIFY(!words.isEmpty());
    QCOMPARE(words.back().page, 1);
    const auto description = std::find_if(words.cbegin(), words.cend(), [](const Word &word) { return word.text == u"Description"_s; });
    QVERIFY(description != words.cend());
    QVERIFY(qAbs(description->box.left() - (Margin + 0.3)) < 0.5);
    const auto family = std::find_if(words.cbegin(), words.cend(), [](const Word &word) { return word.text == u"Desserts"_s; });
    QVERIFY(family != words.cend());
    QVERIFY(qAbs(family->box.left() - (Margin + 24.6)) < 0.5);
}

void TestReports::reportPdfRefusesWhatItCannotPrint_data()
{
    QTest::addColumn<QStringList>("arguments"); // DATABASE stands for the book, OUT for the file
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");

    QTest::newRow("no such family") << QStringList{u"DATABASE"_s, u"recipes"_s, u"9"_s, u"OUT"_s} << 1 << "no family has the key 9";
    QTest::newRow("no such recipe") << QStringList{u"DATABASE"_s, u"card"_s, u"9"_s, u"OUT"_s} << 1 << "no recipe has the key 9";
    QTest::newRow("no such book") << QStringList{u"missing.gdb"_s, u"families"_s, u"OUT"_s} << 1 << "missing.gdb";
    QTest::newRow("no such report") << QStringList{u"DATABASE"_s, u"menu"_s, u"1"_s, u"OUT"_s} << 2 << "Usage";
    QTest::newRow("no key") << QStringList{u"DATABASE"_s, u"card"_s, u"OUT"_s} << 2 << "Usage";
    QTest::newRow("a key that is no number") << QStringList{u"DATABASE"_s, u"card"_s, u"tarte"_s, u"OUT"_s} << 2 << "Usage";
}

void TestReports::reportPdfRefusesWhatItCannotPrint()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, error);

    ScratchDatabase database;
    QTemporaryDir folder;
    const QString output = folder.filePath(u"out.pdf"_s);
    arguments.replaceInStrings(u"DATABASE"_s, database.path());
    arguments.replaceInStrings(u"missing.gdb"_s, folder.filePath(u"missing.gdb"_s));
    arguments.replaceInStrings(u"OUT"_s, output);
    const ToolRun run = runReportPdf(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.errors.contains(error), qPrintable(run.errors));
    QVERIFY(!QFile::exists(output));
}

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestReports)
#include "tst_reports.moc"
