#include "StagedRecipes.h"

#include "Scoreboard.h"

#include "data/DataModule.h"
#include "picture/JpegCodec.h"

#include <QImage>
#include <QRandomGenerator>

#include <cstdio>

QByteArray cameraPhoto(quint32 seed)
{
    QRandomGenerator grain(seed);
    QImage image(640, 480, QImage::Format_RGB888);
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

StagedRecipes::StagedRecipes(TDM &dm, int count, const std::function<QHash<QString, QVariant>(int index)> &valuesOf)
    : m_dm(dm)
    , m_family(dm.IBFAMILLE.fieldByName(QStringLiteral("IDFAMILLE")).asFloat())
{
    QueryDataset &recipes = dm.IBRECETTES;
    recipes.first();
    for (int index = 0; index < count; ++index) {
        check(!recipes.eof(), "enough recipes in the family");
        const QHash<QString, QVariant> values = valuesOf(index);
        QHash<QString, QVariant> own;
        for (auto value = values.cbegin(); value != values.cend(); ++value)
            own.insert(value.key(), recipes.fieldByName(value.key()).value());
        m_saved.append(own);
        recipes.edit();
        for (auto value = values.cbegin(); value != values.cend(); ++value)
            recipes.fieldByName(value.key()).setValue(value.value());
        recipes.post();
        recipes.next();
    }
    // Read again, so that the blobs come from the database and not from the rows just written.
    recipes.close();
    recipes.open();
}

StagedRecipes::~StagedRecipes()
{
    try {
        check(m_dm.IBFAMILLE.locate(QStringLiteral("IDFAMILLE"), m_family), "the family found again");
        QueryDataset &recipes = m_dm.IBRECETTES;
        recipes.first();
        for (const QHash<QString, QVariant> &own : std::as_const(m_saved)) {
            recipes.edit();
            for (auto value = own.cbegin(); value != own.cend(); ++value)
                recipes.fieldByName(value.key()).setValue(value.value());
            recipes.post();
            recipes.next();
        }
    } catch (const std::exception &error) {
        std::fprintf(stderr, "cuisinotte-bench: the recipes could not be put back: %s\n", error.what());
    }
}
