#pragma once

#include <QString>

class Scoreboard;

/// The program as a user meets it: from launch to the main window on screen, and the memory
/// it then holds. Each run is a new process of cuisinotte-startup-bench, which goes through
/// the program's own start-up on the benchmark's recipe book; this side only times it.
class StartupBench
{
public:
    StartupBench(const QString &databaseFolder, Scoreboard &scoreboard);

    void run();

private:
    struct Launch
    {
        double milliseconds = 0;
        double residentMebibytes = 0;
    };
    Launch launchOnce() const;

    QString m_databaseFolder;
    Scoreboard &m_scoreboard;
};
