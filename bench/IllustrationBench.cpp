#include "IllustrationBench.h"

#include "Scoreboard.h"

#include "controls/MyDBImage.h"
#include "data/DataModule.h"
#include "picture/JpegCodec.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QScopeGuard>

#include <cstdio>

namespace {

constexpr int kRecipes = 21;
constexpr QSize kPhotoSize(640, 480);
const QString kMilliseconds = QStringLiteral("ms");

// A photograph as a camera leaves it, at the quality cameras use: smooth light and fine grain,
// so that the entropy decoding has a camera's work to do. Each seed gives another picture.
QByteArray photo(quint32 seed)
{
    QRandomGenerator grain(seed);
    QImage image(kPhotoSize, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const int noise = int(grain.bounded(24));
            row[3 * x] = uchar(qBound(0, x * 200 / image.width() + noise, 255));
            row[3 * x + 1] = uchar(qBound(0, y * 180 / image.height() + noise, 255));
            row[3 * x + 2] = uchar(qBound(0, int(seed * 37 % 128) + (x + y) % 64 + noise, 255));
        }
    }
    QByteArray jpeg;
    picture::JpegEncoding camera;
    camera.quality = 90;
    check(!picture::encodeJpeg(image, jpeg, camera), "the photograph encoded");
    return jpeg;
}

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
    Field &image = recipes.fieldByName(QStringLiteral("IMAGE"));

    // The first recipes of the family get a photograph each, and their own pictures back at
    // the end whatever happens, so that the next run measures the same book.
    QList<QByteArray> saved;
    const auto putBack = qScopeGuard([&] {
        try {
            recipes.first();
            for (const QByteArray &picture : std::as_const(saved)) {
                recipes.edit();
                image.setValue(picture);
                recipes.post();
                recipes.next();
            }
        } catch (const std::exception &error) {
            std::fprintf(stderr, "cuisinotte-bench: the pictures of the recipes could not be put back: %s\n", error.what());
        }
    });
    recipes.first();
    for (int recipe = 0; recipe < kRecipes; ++recipe) {
        check(!recipes.eof(), "enough recipes in the first family");
        saved.append(image.asBytes());
        recipes.edit();
        image.setValue(photo(quint32(recipe + 1)));
        recipes.post();
        recipes.next();
    }
    // Read again, so that the blobs come from the database and not from the rows just written.
    recipes.refresh();
    recipes.first();

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
