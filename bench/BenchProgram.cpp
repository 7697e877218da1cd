#include "BenchProgram.h"

#include "BenchRecipeBook.h"
#include "DataLayerBench.h"
#include "IllustrationBench.h"
#include "ManagementWindowBench.h"
#include "PictureBench.h"
#include "RecipeCardBench.h"
#include "ReportBench.h"
#include "RichTextBench.h"
#include "Scoreboard.h"
#include "StartupBench.h"
#include "ViewerBench.h"

#include "firebird/Client.h"
#include "firebird/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <stdexcept>

#include <unistd.h>

namespace {

constexpr int kUsageError = 2;

void printUsage(FILE *stream)
{
    std::fprintf(stream,
        "Usage: cuisinotte-bench [folder]\n"
        "       cuisinotte-bench --rich-text\n"
        "       cuisinotte-bench --pictures\n"
        "       cuisinotte-bench --reports [folder]\n"
        "       cuisinotte-bench --viewer [folder]\n"
        "Measures Cuisinotte on a recipe book of %d recipes kept in folder/RECETTES.GDB\n"
        "(default: bench-data beside this program), generating it first when it is missing,\n"
        "the rich text layer on a large document and the JPEG codec on a 12-megapixel photo\n"
        "against libjpeg-turbo's djpeg and cjpeg. --rich-text and --pictures measure the rich\n"
        "text layer or the pictures alone, without the recipe book; --reports the data layer\n"
        "and the reports alone; --viewer the recipe viewer alone.\n",
        BenchRecipeBook::kRecipeCount);
}

} // namespace

BenchProgram::BenchProgram(char **argv)
    : m_argv(argv)
{
}

int BenchProgram::run()
{
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 2 && (arguments[1] == u"-h" || arguments[1] == u"--help")) {
        printUsage(stdout);
        return 0;
    }
    if (arguments.size() == 2 && arguments[1] == u"--rich-text")
        return measureRichTextAlone();
    if (arguments.size() == 2 && arguments[1] == u"--pictures")
        return measurePicturesAlone();
    QStringList rest = arguments.mid(1);
    Scope scope = Scope::Everything;
    if (rest.removeAll(QStringLiteral("--reports")) > 0)
        scope = Scope::Reports;
    else if (rest.removeAll(QStringLiteral("--viewer")) > 0)
        scope = Scope::Viewer;
    if (rest.size() > 1 || (rest.size() == 1 && rest[0].startsWith(u'-'))) {
        printUsage(stderr);
        return kUsageError;
    }

    const QString folder = QDir(rest.value(0, QCoreApplication::applicationDirPath() + QStringLiteral("/bench-data")))
                               .absolutePath();
    if (!QDir().mkpath(folder))
        throw std::runtime_error(qPrintable(QStringLiteral("cannot make the folder %1").arg(folder)));
    const QString path = folder + QStringLiteral("/RECETTES.GDB");
    if (!QFileInfo::exists(path)) {
        BenchRecipeBook::generate(path);
        restartAfterGeneration();
    }
    // Any other file may be somebody's real recipe book: it is never replaced, only refused.
    QString problem;
    try {
        if (!BenchRecipeBook::isComplete(path))
            problem = QStringLiteral("it holds other data");
    } catch (const fb::Error &error) {
        problem = error.message();
    }
    if (!problem.isEmpty()) {
        throw std::runtime_error(qPrintable(QStringLiteral(
            "%1 is not the benchmark's recipe book of %2 recipes; remove it or name another folder.\n%3")
                .arg(path)
                .arg(BenchRecipeBook::kRecipeCount)
                .arg(problem)));
    }
    return measure(folder, scope);
}

int BenchProgram::measure(const QString &databaseFolder, Scope scope)
{
    Scoreboard scoreboard;
    const QString path = databaseFolder + QStringLiteral("/RECETTES.GDB");
    if (scope == Scope::Reports) {
        DataLayerBench(path, scoreboard).run(); // the bare fetch loop the recipe list is held to
        ReportBench(path, scoreboard).run();
        scoreboard.printSummary();
        return scoreboard.allTargetsMet() ? 0 : 1;
    }
    if (scope == Scope::Viewer) {
        ViewerBench(path, scoreboard).run();
        scoreboard.printSummary();
        return scoreboard.allTargetsMet() ? 0 : 1;
    }
#ifdef CUISINOTTE_STARTUP_BENCH
    StartupBench(databaseFolder, scoreboard).run();
#else
    scoreboard.note(QStringLiteral("start-up not measured: the program was not built with this benchmark"));
#endif
    DataLayerBench(databaseFolder + QStringLiteral("/RECETTES.GDB"), scoreboard).run();
    ManagementWindowBench(databaseFolder + QStringLiteral("/RECETTES.GDB"), scoreboard).run();
    RecipeCardBench(databaseFolder + QStringLiteral("/RECETTES.GDB"), scoreboard).run();
    IllustrationBench(databaseFolder + QStringLiteral("/RECETTES.GDB"), scoreboard).run();
    ViewerBench(databaseFolder + QStringLiteral("/RECETTES.GDB"), scoreboard).run();
    ReportBench(databaseFolder + QStringLiteral("/RECETTES.GDB"), scoreboard).run();
    RichTextBench(scoreboard).run();
    PictureBench(scoreboard).run();
    scoreboard.printSummary();
    return scoreboard.allTargetsMet() ? 0 : 1;
}

int BenchProgram::measureRichTextAlone()
{
    Scoreboard scoreboard;
    RichTextBench(scoreboard).run();
    scoreboard.printSummary();
    return scoreboard.allTargetsMet() ? 0 : 1;
}

int BenchProgram::measurePicturesAlone()
{
    Scoreboard scoreboard;
    PictureBench(scoreboard).run();
    scoreboard.printSummary();
    return scoreboard.allTargetsMet() ? 0 : 1;
}

void BenchProgram::restartAfterGeneration()
{
    // Measured by a new image of this program, so that nothing the generation left in memory
    // (the engine's pools, the heap) counts in the figures. The engine is stopped first so that
    // the new image, which keeps this process id, finds no lock owner of ours left behind.
    fb::Status status;
    fb::Client::provider()->shutdown(&status, 0, fb_shutrsn_app_stopped);
    std::fflush(stdout);
    execv("/proc/self/exe", m_argv);
    throw std::runtime_error("cannot start the benchmark again after the generation; run it once more");
}
