#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

class TDM;

/// A photograph as a camera leaves it, 640 × 480 at quality 90: smooth light and fine grain,
/// so that the entropy decoding has a camera's work to do. Each seed gives another picture.
QByteArray cameraPhoto(quint32 seed);

/// Gives the first recipes of the current family the values a measurement needs, and puts
/// their own values back when it goes, whatever happened and wherever the measurement left the
/// datasets, so that the next run measures the same book. The recipes are then read again
/// from the database, standing on the first.
class StagedRecipes
{
public:
    /// valuesOf gives the field values of the recipe at that index.
    StagedRecipes(TDM &dm, int count, const std::function<QHash<QString, QVariant>(int index)> &valuesOf);
    ~StagedRecipes();
    StagedRecipes(const StagedRecipes &) = delete;
    StagedRecipes &operator=(const StagedRecipes &) = delete;

private:
    TDM &m_dm;
    double m_family;
    QList<QHash<QString, QVariant>> m_saved;
};
