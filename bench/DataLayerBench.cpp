#include "DataLayerBench.h"

#include "BenchRecipeBook.h"
#include "ResidentMemory.h"
#include "Scoreboard.h"

#include "data/DataModule.h"
#include "firebird/Statement.h"

#include <memory>

namespace {

constexpr int kRepetitions = 11;
constexpr int kSwitches = 41;
const QString kMilliseconds = QStringLiteral("ms");
const QString kMebibytes = QStringLiteral("MB");

// The recipes were re-read for the family IBFAMILLE stands on, and the first one can be read.
void checkRecipesFollow(TDM &dm)
{
    const double family = dm.IBFAMILLE.fieldByName(QStringLiteral("IDFAMILLE")).asFloat();
    check(dm.IBRECETTES.fieldByName(QStringLiteral("IDFAMILLE")).asFloat() == family, "the recipes re-read for the family");
    check(!dm.IBRECETTES.fieldByName(QStringLiteral("DESCRIPTION")).asString().isEmpty(), "the first recipe readable");
}

// Moves IBFAMILLE as the family drop-downs do; IBRECETTES follows by re-reading.
void switchToFamily(TDM &dm, double key)
{
    check(dm.IBFAMILLE.locate(QStringLiteral("IDFAMILLE"), key, LocateOption::CaseInsensitive), "family found");
    checkRecipesFollow(dm);
}

// What the engine alone costs for the same rows: the recipe select, its parameter set as the
// dataset sets it, every row fetched and its blob ids taken, but no blob read.
int bareFetch(fb::Statement &select, fb::Transaction &transaction)
{
    QList<int> blobColumns;
    for (int column = 0; column < select.columns().count(); ++column) {
        if (select.columns().column(column).kind() == fb::ColumnKind::Blob)
            blobColumns.append(column);
    }
    fb::Cursor cursor = select.openCursor(transaction);
    int rows = 0;
    int blobIds = 0;
    while (cursor.fetchNext()) {
        ++rows;
        for (int column : std::as_const(blobColumns)) {
            if (cursor.row().isNull(column))
                continue;
            const fb::BlobId id = cursor.row().blobId(column);
            blobIds += (id.gds_quad_high != 0 || id.gds_quad_low != 0) ? 1 : 0;
        }
    }
    // Every recipe of the book has both texts and no picture.
    check(blobIds == 2 * rows, "the bare loop took both text blob ids of every row");
    return rows;
}

} // namespace

DataLayerBench::DataLayerBench(const QString &databasePath, Scoreboard &scoreboard)
    : m_databasePath(databasePath)
    , m_scoreboard(scoreboard)
{
}

void DataLayerBench::run()
{
    // First, while this process has done nothing else with the database.
    measureMemoryWithLargeFamilyFetched();
    measureOpening();
    TDM dm;
    dm.openRecipeBook(m_databasePath);
    measureFamilySwitches(dm);
    measureFullFetches(dm);
    measureEditAndPost(dm);
}

void DataLayerBench::measureMemoryWithLargeFamilyFetched()
{
    TDM dm;
    dm.openRecipeBook(m_databasePath);
    switchToFamily(dm, BenchRecipeBook::kLargeFamilyKey);
    dm.IBRECETTES.last();
    check(dm.IBRECETTES.loadedRowCount() == BenchRecipeBook::kLargeFamilySize, "the large family fully fetched");
    m_scoreboard.report(QStringLiteral("resident memory, 20,000 recipes fetched"),
        double(ResidentMemory::currentKiB()) / 1024, kMebibytes, Target::below(120, kMebibytes));
}

void DataLayerBench::measureOpening()
{
    // Each time on a new data module, as at start-up; building it is not part of the work.
    std::unique_ptr<TDM> dm;
    const double opening = medianMilliseconds(kRepetitions, [&] { dm->openRecipeBook(m_databasePath); },
        [&] {
            dm.reset();
            dm = std::make_unique<TDM>();
        });
    check(dm->IBRECETTES.isActive() && dm->dxMemData.isEditing(), "every dataset open");
    m_scoreboard.report(QStringLiteral("open of every dataset"), opening, kMilliseconds,
        Target::below(50, kMilliseconds));
}

void DataLayerBench::measureFamilySwitches(TDM &dm)
{
    QList<double> byNext;
    dm.IBFAMILLE.first();
    for (int step = 0; step < kSwitches; ++step) {
        byNext.append(millisecondsOf([&] {
            dm.IBFAMILLE.next();
            checkRecipesFollow(dm);
        }));
    }
    check(!dm.IBFAMILLE.eof(), "every Next moved to another family");
    m_scoreboard.report(QStringLiteral("family switch by Next"), median(byNext), kMilliseconds,
        Target::below(5, kMilliseconds));

    // To the large family, each time from another ordinary one; the way back is timed too.
    QList<double> toLarge;
    QList<double> fromLarge;
    switchToFamily(dm, BenchRecipeBook::kLargeFamilyKey);
    for (int step = 0; step < kSwitches; ++step) {
        const double ordinaryKey = BenchRecipeBook::kLargeFamilyKey + 1 + (step * 37) % (BenchRecipeBook::kFamilyCount - 1);
        fromLarge.append(millisecondsOf([&] { switchToFamily(dm, ordinaryKey); }));
        toLarge.append(millisecondsOf([&] { switchToFamily(dm, BenchRecipeBook::kLargeFamilyKey); }));
    }
    m_scoreboard.report(QStringLiteral("family switch to the 20,000-recipe family"), median(toLarge),
        kMilliseconds, Target::below(5, kMilliseconds));
    m_scoreboard.report(QStringLiteral("family switch away from it"), median(fromLarge), kMilliseconds,
        Target::below(5, kMilliseconds));
}

void DataLayerBench::measureFullFetches(TDM &dm)
{
    switchToFamily(dm, BenchRecipeBook::kLargeFamilyKey);
    fb::Transaction &transaction = dm.IBTransaction.transaction();
    fb::Statement select = fb::Statement::prepare(dm.IBDatabase.attachment(), transaction, dm.IBRECETTES.sql());
    for (int position : select.parameterPositions(QStringLiteral("IDFAMILLE")))
        select.parameters().setDouble(position, BenchRecipeBook::kLargeFamilyKey);

    // Taken in turns, so that both meet the same state of the machine.
    QList<double> byLast;
    QList<double> bare;
    for (int repetition = 0; repetition < kRepetitions; ++repetition) {
        dm.IBRECETTES.close();
        byLast.append(millisecondsOf([&] {
            dm.IBRECETTES.open();
            dm.IBRECETTES.last();
        }));
        check(dm.IBRECETTES.loadedRowCount() == BenchRecipeBook::kLargeFamilySize, "Last fetched the whole family");
        int rows = 0;
        bare.append(millisecondsOf([&] { rows = bareFetch(select, transaction); }));
        check(rows == BenchRecipeBook::kLargeFamilySize, "the bare loop fetched the whole family");
    }
    const double bareMedian = median(bare);
    m_scoreboard.report(QStringLiteral("bare fetch loop, 20,000 rows"), bareMedian, kMilliseconds);
    m_scoreboard.report(QStringLiteral("open + Last, 20,000 recipes"), median(byLast), kMilliseconds,
        Target::atMost(1.5 * bareMedian, QStringLiteral("<= 1.5 x bare (%1 ms)").arg(1.5 * bareMedian, 0, 'f', 2)));

    // The last key in title order is the farthest a Locate can go.
    const double lastKey = dm.IBRECETTES.fieldByName(QStringLiteral("IDRECETTE")).asFloat();
    const double locating = medianMilliseconds(kRepetitions,
        [&] {
            dm.IBRECETTES.open();
            check(dm.IBRECETTES.locate(QStringLiteral("IDRECETTE"), lastKey, LocateOption::CaseInsensitive),
                "the last key located");
        },
        [&] { dm.IBRECETTES.close(); });
    m_scoreboard.report(QStringLiteral("open + Locate of the last key, 20,000 recipes"), locating, kMilliseconds);
}

void DataLayerBench::measureEditAndPost(TDM &dm)
{
    Field &cookingTime = dm.IBRECETTES.fieldByName(QStringLiteral("TXT_CUISSON"));
    const QString original = cookingTime.asString();
    int repetition = 0;
    const double posting = medianMilliseconds(kRepetitions, [&] {
        dm.IBRECETTES.edit();
        cookingTime.setValue(QStringLiteral("%1 min").arg(100 + repetition++));
        dm.IBRECETTES.post();
    });
    check(cookingTime.asString() == QStringLiteral("%1 min").arg(100 + repetition - 1), "the post kept the value");
    m_scoreboard.report(QStringLiteral("edit and post of one recipe"), posting, kMilliseconds);

    // The data module commits when it goes; the book is left as it was found.
    dm.IBRECETTES.edit();
    cookingTime.setValue(original);
    dm.IBRECETTES.post();
}
