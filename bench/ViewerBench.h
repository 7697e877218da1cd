#pragma once

#include <QString>

class Scoreboard;

/// Times the recipe viewer's ">" buttons on the benchmark's recipe book: to the next recipe,
/// with 2 KB texts and a 640 × 480 photograph, on the ingredients page and on the illustration
/// page; and to the next family, its first recipe shown. Each step ends with the window
/// repainted.
class ViewerBench
{
public:
    ViewerBench(const QString &databasePath, Scoreboard &scoreboard);

    void run();

private:
    QString m_databasePath;
    Scoreboard &m_scoreboard;
};
