#pragma once

#include <QString>

#include <functional>

class TFrmMain;

/// The program's main block: start-up, event loop and exit, shared by main() and the start-up
/// benchmark so that both go through exactly the same steps.
namespace MainBlock {

struct Options
{
    /// Where the main window looks for the database and the help file; empty means the
    /// folder of the executable.
    QString applicationFolder;
    /// Sees the main window once the database is open, just before it is shown.
    std::function<void(TFrmMain &)> beforeShow;
};

/// Runs the program and returns its exit code. Must be the first thing main() does.
int run(int argc, char *argv[], const Options &options = {});

} // namespace MainBlock
