// cuisinotte-bench [folder]: measures the data layer, the program's start-up when it is built,
// and the recipe management window, on a recipe book of 250,000 recipes in folder/RECETTES.GDB
// (by default bench-data/ beside this executable), generating the book first when the file is
// not there; then the rich text layer and the JPEG codec. cuisinotte-bench --rich-text measures
// the rich text layer alone, cuisinotte-bench --pictures the JPEG codec alone.
// Exits 0 when every target is met, 1 when one is missed, 2 when the benchmark cannot run.

#include "BenchProgram.h"

#include "firebird/Client.h"

#include <QApplication>

#include <cstdio>
#include <exception>

int main(int argc, char *argv[])
{
    // The windows measured are drawn off screen unless told otherwise, so that the figures do
    // not depend on the desktop the benchmark happens to run on.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    fb::Client::useConfigurationRoot(QCoreApplication::applicationDirPath() + QStringLiteral("/firebird"));
    try {
        return BenchProgram(argv).run();
    } catch (const std::exception &error) {
        std::fprintf(stderr, "cuisinotte-bench: %s\n", error.what());
        return 2;
    }
}
