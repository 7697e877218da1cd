#pragma once

#include <QString>

class Scoreboard;

/// Times the recipe management window on the benchmark's recipe book: opening it on the
/// 20,000-recipe family until its first screen of recipes is drawn (and, for comparison, on an
/// ordinary family), and stepping through the families with its ">" button.
class ManagementWindowBench
{
public:
    ManagementWindowBench(const QString &databasePath, Scoreboard &scoreboard);

    void run();

private:
    QString m_databasePath;
    Scoreboard &m_scoreboard;
};
