#pragma once

#include <QString>

class Scoreboard;

/// Times a record change that brings a 640 × 480 photograph into the picture control, on the
/// benchmark's recipe book: the blob read from the database, the JPEG decoded, the control
/// repainted.
class IllustrationBench
{
public:
    IllustrationBench(const QString &databasePath, Scoreboard &scoreboard);

    void run();

private:
    QString m_databasePath;
    Scoreboard &m_scoreboard;
};
