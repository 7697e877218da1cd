#pragma once

#include <QString>

class Scoreboard;
class TDM;

/// Times the data module on the benchmark's recipe book as the windows use it: the start-up's
/// opening, family switches, a whole large family fetched by Last, a Locate and a post, and
/// sets the fetch against a bare loop over the Firebird client in the same process.
class DataLayerBench
{
public:
    DataLayerBench(const QString &databasePath, Scoreboard &scoreboard);

    void run();

private:
    void measureMemoryWithLargeFamilyFetched();
    void measureOpening();
    void measureFamilySwitches(TDM &dm);
    void measureFullFetches(TDM &dm);
    void measureEditAndPost(TDM &dm);

    QString m_databasePath;
    Scoreboard &m_scoreboard;
};
