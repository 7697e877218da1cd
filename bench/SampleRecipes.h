#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <random>

/// One made-up recipe, with every column the recipe card shows except the picture.
struct SampleRecipe
{
    QString title;
    QDate created;
    QDate lastModified;
    QString calories;
    QString preparationTime;
    QString cookingTime;
    QString accompaniment;
    QString servings;
    QByteArray ingredientsRtf;
    QByteArray preparationRtf;
    int quality = 1;
    int difficulty = 1;
};

/// Plausible French recipes made up from word lists, the same sequence on every run. The two
/// rich texts are RTF documents of the size a real card has (about 2 KB together), so that the
/// database pages hold what a real recipe book's pages hold.
class SampleRecipes
{
public:
    SampleRecipes();

    SampleRecipe next();

private:
    QString title();
    QByteArray ingredientsRtf();
    QByteArray preparationRtf();
    int between(int low, int high);
    template<typename List> const auto &pick(const List &list);

    std::mt19937 m_random;
};
