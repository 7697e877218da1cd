#include "ReportBench.h"

#include "BenchRecipeBook.h"
#include "ResidentMemory.h"
#include "RichTextBench.h"
#include "Scoreboard.h"

#include "data/DataModule.h"
#include "firebird/Statement.h"
#include "firebird/Transaction.h"
#include "RecipeDatabase.h"
#include "report/PageView.h"
#include "report/PreviewWindow.h"
#include "reports/EditFamille.h"
#include "reports/EditFicheRecette.h"
#include "reports/EditRecette.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <vector>

namespace {

constexpr int kGeneratedFamilies = 10'000;
constexpr int kRepetitions = 7;
constexpr int kLongCardPages = 50;
const QString kMilliseconds = QStringLiteral("ms");
const QString kBareFetch = QStringLiteral("bare fetch loop, 20,000 rows");

int pagesOfList(int rows, int rowsPerPage)
{
    return (rows + rowsPerPage - 1) / rowsPerPage;
}

/// A recipe book of families only, named so that they sort in the order they are written.
void writeFamilies(const QString &path, int count)
{
    fb::Attachment attachment = RecipeDatabase::create(path);
    fb::Transaction transaction = fb::Transaction::start(attachment);
    fb::Statement insert = fb::Statement::prepare(attachment, transaction,
        QStringLiteral("insert into FAMILLE (IDFAMILLE, FAMILLE) values (?, ?)"));
    for (int index = 0; index < count; ++index) {
        insert.parameters().setDouble(0, index + 1);
        insert.parameters().setText(1, QStringLiteral("Famille %1").arg(index + 1, 5, 10, QChar(u'0')).toLatin1());
        insert.execute(transaction);
    }
    transaction.commit();
}

/// Closes the preview once its first page has been painted, and tells how long that took from
/// the moment it was asked to show.
class FirstPaintWatch : public QObject
{
public:
    explicit FirstPaintWatch(QElapsedTimer &clock)
        : m_clock(clock)
    {
        qApp->installEventFilter(this);
    }
    ~FirstPaintWatch() override { qApp->removeEventFilter(this); }

    double milliseconds() const { return m_milliseconds; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_milliseconds >= 0)
            return false;
        // The page view paints its pages in its viewport; the window is shown, empty, before its
        // pages are there. The paint is over once the next event comes.
        if (event->type() == QEvent::Paint) {
            const auto *view = qobject_cast<report::PageView *>(watched->parent());
            if (view && watched == view->viewport() && view->pageCount() > 0)
                m_painted = true;
        } else if (m_painted) {
            m_milliseconds = m_clock.nsecsElapsed() / 1e6;
            if (QWidget *window = QApplication::activeModalWidget())
                QTimer::singleShot(0, window, &QWidget::close);
        }
        return false;
    }

private:
    QElapsedTimer &m_clock;
    bool m_painted = false;
    double m_milliseconds = -1;
};

} // namespace

ReportBench::ReportBench(const QString &databasePath, Scoreboard &scoreboard)
    : m_databasePath(databasePath)
    , m_scoreboard(scoreboard)
{
}

void ReportBench::run()
{
    measureFamilyList();
    TDM dm;
    dm.openRecipeBook(m_databasePath);
    check(dm.IBFAMILLE.fieldByName(QStringLiteral("IDFAMILLE")).asFloat() == BenchRecipeBook::kLargeFamilyKey,
        "the large family first");
    measureRecipeList(dm);
    measureMemoryPerListPage(dm);
    measureLongCard(dm);
    measurePreview(dm);
}

// Every move of the families would read the recipes of the family reached; the run keeps them
// quiet and the caller's Locate reads them once.
void ReportBench::measureFamilyList()
{
    QTemporaryDir folder;
    check(folder.isValid(), "a folder for the generated book");
    const QString path = folder.filePath(QStringLiteral("RECETTES.GDB"));
    writeFamilies(path, kGeneratedFamilies);
    TDM dm;
    dm.openRecipeBook(path);

    int pages = 0;
    const double milliseconds = medianMilliseconds(kRepetitions, [&] {
        TFrmEditFamille form(dm);
        pages = form.QuickRep1.build().pageCount();
    }, [&] { dm.IBFAMILLE.first(); });
    check(pages == pagesOfList(kGeneratedFamilies, 42), "every family listed, 42 a page");
    m_scoreboard.report(QStringLiteral("family list built, 10,000 families (%1 pages)").arg(pages), milliseconds,
        kMilliseconds, Target::below(150, kMilliseconds));
}

// The recipes are read again before each build, so that the build fetches them as the bare loop
// does.
void ReportBench::measureRecipeList(TDM &dm)
{
    const std::optional<double> bare = m_scoreboard.figure(kBareFetch);
    check(bare.has_value(), "the bare fetch loop measured earlier in the run");
    int pages = 0;
    const double milliseconds = medianMilliseconds(kRepetitions, [&] {
        TFrmEditRecette form(dm);
        pages = form.QuickRep1.build().pageCount();
    }, [&] {
        dm.IBRECETTES.close();
        dm.IBRECETTES.open();
    });
    check(pages == pagesOfList(BenchRecipeBook::kLargeFamilySize, 41), "every recipe listed, 41 a page");
    const double limit = 1.5 * *bare + 50;
    m_scoreboard.report(QStringLiteral("recipe list built, 20,000 recipes (%1 pages)").arg(pages), milliseconds,
        kMilliseconds, Target::atMost(limit, QStringLiteral("<= 1.5 x bare + 50 (%1 ms)").arg(limit, 0, 'f', 2)));
}

// The rows are read already, and a first build has made what every build shares (fonts, glyph
// caches): what grows is the pages alone. The documents are kept, so that no page reuses the
// memory of another.
void ReportBench::measureMemoryPerListPage(TDM &dm)
{
    constexpr int kDocuments = 3;
    TFrmEditRecette form(dm);
    const report::ReportDocument warmUp = form.QuickRep1.build();
    std::vector<report::ReportDocument> documents;
    const qint64 before = ResidentMemory::currentKiB();
    for (int document = 0; document < kDocuments; ++document)
        documents.push_back(form.QuickRep1.build());
    const qint64 after = ResidentMemory::currentKiB();
    const int pages = kDocuments * warmUp.pageCount();
    m_scoreboard.report(QStringLiteral("resident memory per built list page (%1 pages)").arg(pages),
        double(after - before) / pages, QStringLiteral("KiB"), Target::below(50, QStringLiteral("KiB")));
}

// The preparation is given to the recipe being edited and never posted: the book is unchanged.
void ReportBench::measureLongCard(TDM &dm)
{
    QueryDataset &recipes = dm.IBRECETTES;
    recipes.first();
    recipes.edit();
    const auto dropEdit = qScopeGuard([&] { recipes.cancel(); });
    Field &preparation = recipes.fieldByName(QStringLiteral("PREPARATION"));

    // As many recipe-like paragraphs as make 50 pages, found from a first try.
    int paragraphs = 1000;
    int pages = 0;
    for (int attempt = 0; attempt < 3 && pages != kLongCardPages; ++attempt) {
        preparation.setValue(RichTextBench::recipeLikeRtf(paragraphs));
        pages = TFrmEditFicheRecette(dm).QuickRep1.build().pageCount();
        paragraphs = int(std::lround(double(paragraphs) * kLongCardPages / pages));
    }
    check(std::abs(pages - kLongCardPages) <= 1, "a preparation of 50 pages");

    const double milliseconds = medianMilliseconds(kRepetitions, [&] {
        TFrmEditFicheRecette form(dm);
        pages = form.QuickRep1.build().pageCount();
    });
    m_scoreboard.report(QStringLiteral("recipe card built, preparation of %1 pages").arg(pages), milliseconds,
        kMilliseconds, Target::below(300, kMilliseconds));
}

// From the moment the preview is asked to show pages already built to its first page painted.
void ReportBench::measurePreview(TDM &dm)
{
    const auto shownIn = [&](const report::ReportDocument &document) {
        QList<double> figures;
        for (int repetition = 0; repetition < kRepetitions; ++repetition) {
            QElapsedTimer clock;
            FirstPaintWatch watch(clock);
            report::PreviewWindow window([&](const auto &) { return document; }, QString(), QString());
            clock.start();
            window.exec();
            check(watch.milliseconds() >= 0, "the first page painted");
            figures.append(watch.milliseconds());
        }
        return median(figures);
    };

    dm.IBRECETTES.first();
    const report::ReportDocument card = TFrmEditFicheRecette(dm).QuickRep1.build();
    m_scoreboard.report(QStringLiteral("preview shown, recipe card"), shownIn(card), kMilliseconds,
        Target::below(100, kMilliseconds));
    const report::ReportDocument list = TFrmEditRecette(dm).QuickRep1.build();
    m_scoreboard.report(QStringLiteral("preview shown, recipe list of %1 pages").arg(list.pageCount()), shownIn(list),
        kMilliseconds, Target::below(100, kMilliseconds));
}
