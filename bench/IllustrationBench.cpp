#include "IllustrationBench.h"

#include "Scoreboard.h"
#include "StagedRecipes.h"

#include "controls/MyDBImage.h"
#include "data/DataModule.h"

#include <QApplication>

namespace {

constexpr int kRecipes = 21;
constexpr QSize kPhotoSize(640, 480);
const QString kMilliseconds = QStringLiteral("ms");

} // namespace

IllustrationBench::IllustrationBench(const QString &databasePath, Scoreboard &scoreboard)
    : m_databasePath(databasePath)
    , m_scoreboard(scoreboard)
{
}

void IllustrationBench::run()
{
    TDM dm;
    dm.openRecipeBook(m_databasePath);
    QueryDataset &recipes = dm.IBRECETTES;
    const StagedRecipes photographed(dm, kRecipes, [](int index) {
        return QHash<QString, QVariant>{{QStringLiteral("IMAGE"), cameraPhoto(quint32(index + 1))}};
    });

    QWidget window;
    window.resize(721, 274);
    auto *control = new TMyDBImage(&window);
    control->setGeometry(0, 0, 721, 274);
    control->setDataField(QStringLiteral("IMAGE"));
    control->setDataSource(&dm.DSRECETTES);
    window.show();
    QApplication::processEvents();
    check(control->picture().size() == kPhotoSize, "the photograph shown");

    QList<double> changes;
    for (int recipe = 1; recipe < kRecipes; ++recipe) {
        changes.append(millisecondsOf([&] {
            recipes.next();
            control->repaint();
        }));
        check(control->picture().size() == kPhotoSize, "the next photograph shown");
    }
    m_scoreboard.report(QStringLiteral("record change, 640 × 480 photograph shown"),
        median(changes), kMilliseconds, Target::below(10, kMilliseconds));
}
