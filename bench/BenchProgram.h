#pragma once

#include <QString>

/// The benchmark run: finds or makes the recipe book, runs every measurement on it and
/// prints the score. The result is the process's exit code.
class BenchProgram
{
public:
    /// argv is kept to start this program again after a generation.
    explicit BenchProgram(char **argv);

    int run();

private:
    /// Every measurement, the data layer and the reports alone, or the viewer alone.
    enum class Scope { Everything, Reports, Viewer };
    int measure(const QString &databaseFolder, Scope scope);
    int measureRichTextAlone();
    int measurePicturesAlone();
    [[noreturn]] void restartAfterGeneration();

    char **m_argv;
};
