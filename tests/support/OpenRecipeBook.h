#pragma once

#include "ScratchDatabase.h"

#include "data/DataModule.h"

#include <QStringList>

/// A family of a sample recipe book: its name and the titles of its recipes.
struct SampleFamily
{
    QString name;
    QStringList recipes;
};

/// A fresh recipe book holding the given families, opened as the program opens it: the
/// datasets stand on their first rows and the selection record is being inserted. Families
/// get the keys 1, 2, ... and recipes 1, 2, ... in the order given; the generators go on from
/// there.
class OpenRecipeBook
{
public:
    explicit OpenRecipeBook(const QList<SampleFamily> &families);

    /// The family names in the family dataset's order, read without moving it.
    QStringList familyNames();
    /// The titles of the listed recipes, read without moving the recipe dataset.
    QStringList recipeTitles();
    QString currentFamily() const;
    QString currentRecipe() const;
    /// The selection record's family key, which the family drop-down shows.
    double selectedFamilyKey() const;
    double familyKey(const QString &name);
    /// Commits the work of the transaction, then counts the rows the statement gives.
    int committedRows(const QString &sql);

    ScratchDatabase database;
    TDM dm;
};
