#include "ManagementWindowBench.h"

#include "BenchRecipeBook.h"
#include "Scoreboard.h"
#include "WindowInput.h"

#include "controls/MyControl.h"
#include "data/DataModule.h"
#include "dbwidgets/DBGrid.h"
#include "manage/TableauRecettes.h"

#include <QApplication>

#include <memory>

namespace {

constexpr int kOpenings = 11;
constexpr int kSteps = 100;
// With the window maximised on the benchmark's screen, a screen holds a few dozen rows; a grid
// that read more than this read ahead of what it shows.
constexpr int kMostRowsForAScreen = 200;
const QString kMilliseconds = QStringLiteral("ms");

QString familyName(TDM &dm)
{
    return dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).asString();
}

} // namespace

ManagementWindowBench::ManagementWindowBench(const QString &databasePath, Scoreboard &scoreboard)
    : m_databasePath(databasePath)
    , m_scoreboard(scoreboard)
{
}

void ManagementWindowBench::run()
{
    TDM dm;
    dm.openRecipeBook(m_databasePath);

    // Opened as the main window opens it, and shown until the first screen of rows is drawn.
    auto openingOn = [&](double familyKey) {
        std::unique_ptr<TFrmTableauRecettes> window;
        const double milliseconds = medianMilliseconds(kOpenings,
            [&] {
                window = std::make_unique<TFrmTableauRecettes>(dm, nullptr);
                window->show();
                QApplication::processEvents();
            },
            [&] {
                window.reset();
                check(dm.IBFAMILLE.locate(QStringLiteral("IDFAMILLE"), familyKey), "family found");
            });
        auto *list = window->findChild<DBGrid *>();
        check(list && list->isVisible() && list->model()->rowCount() > 0, "the list shows recipes");
        check(dm.IBRECETTES.loadedRowCount() <= kMostRowsForAScreen, "the list read only what it shows");
        return milliseconds;
    };
    const double large = openingOn(BenchRecipeBook::kLargeFamilyKey);
    const double ordinary = openingOn(BenchRecipeBook::kLargeFamilyKey + 1);
    m_scoreboard.report(QStringLiteral("management window opened, ordinary family"), ordinary, kMilliseconds);
    m_scoreboard.report(QStringLiteral("management window opened, 20,000 recipes"), large, kMilliseconds,
        Target::below(100, kMilliseconds));

    check(dm.IBFAMILLE.locate(QStringLiteral("IDFAMILLE"), BenchRecipeBook::kLargeFamilyKey), "family found");
    TFrmTableauRecettes window(dm, nullptr);
    window.show();
    QApplication::processEvents();
    QWidget *next = window.findChild<TMyControl *>(QStringLiteral("BtnNextFamille"));
    QList<double> steps;
    for (int step = 0; step < kSteps; ++step) {
        const QString before = familyName(dm);
        steps.append(millisecondsOf([&] {
            WindowInput::click(next);
            QApplication::processEvents();
        }));
        check(familyName(dm) != before, "\">\" moved to the next family");
    }
    m_scoreboard.report(QStringLiteral("management window, \">\" to the next family"), median(steps), kMilliseconds,
        Target::below(5, kMilliseconds));
}
