#pragma once

#include <QString>

class Scoreboard;
class TDM;

/// Times the reports as the preview builds them: the list of 10,000 families of a book generated
/// for it, the list of the 20,000 recipes of the benchmark's large family against the data
/// layer's bare fetch loop of the same run, a recipe card whose preparation runs to 50 pages,
/// the memory a built list page takes, and the preview shown on pages already built.
class ReportBench
{
public:
    ReportBench(const QString &databasePath, Scoreboard &scoreboard);

    void run();

private:
    void measureFamilyList();
    void measureRecipeList(TDM &dm);
    void measureMemoryPerListPage(TDM &dm);
    void measureLongCard(TDM &dm);
    void measurePreview(TDM &dm);

    QString m_databasePath;
    Scoreboard &m_scoreboard;
};
