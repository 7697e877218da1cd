#pragma once

#include <QString>

class Scoreboard;

/// Times the recipe card on the benchmark's recipe book: opening it on an ordinary recipe and
/// on one with 200 KB of RTF in each text, moving the caret and typing in such a text, and
/// "&Ok" on a recipe in the middle of the 20,000-recipe family, against the data layer's open
/// and Locate of the same run.
class RecipeCardBench
{
public:
    RecipeCardBench(const QString &databasePath, Scoreboard &scoreboard);

    void run();

private:
    QString m_databasePath;
    Scoreboard &m_scoreboard;
};
