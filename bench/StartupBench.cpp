#include "StartupBench.h"

#include "Scoreboard.h"
#include "StartupReport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <stdexcept>

namespace {

constexpr int kLaunches = 7;
// A start-up that fails shows a modal message box, which nobody closes on the offscreen platform.
constexpr int kPatienceMilliseconds = 60'000;

// What the probe said on its error channel is kept for this moment: its warnings about the
// offscreen platform would only clutter the figures.
std::runtime_error launchError(QProcess &probe, const QString &what)
{
    const QString said = QString::fromLocal8Bit(probe.readAllStandardError()).trimmed();
    return std::runtime_error((QStringLiteral("cuisinotte-startup-bench ") + what
                                  + (said.isEmpty() ? QString() : QStringLiteral(":\n") + said))
                                  .toStdString());
}

} // namespace

StartupBench::StartupBench(const QString &databaseFolder, Scoreboard &scoreboard)
    : m_databaseFolder(databaseFolder)
    , m_scoreboard(scoreboard)
{
}

void StartupBench::run()
{
    QList<double> times;
    QList<double> memory;
    for (int launch = 0; launch < kLaunches; ++launch) {
        const Launch figures = launchOnce();
        times.append(figures.milliseconds);
        memory.append(figures.residentMebibytes);
    }
    m_scoreboard.report(QStringLiteral("launch to main window shown"), median(times), QStringLiteral("ms"),
        Target::below(150, QStringLiteral("ms")));
    m_scoreboard.report(QStringLiteral("resident memory after start-up"), median(memory), QStringLiteral("MB"),
        Target::below(60, QStringLiteral("MB")));
}

StartupBench::Launch StartupBench::launchOnce() const
{
    QProcess probe;
    probe.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/cuisinotte-startup-bench"));
    probe.setArguments({m_databaseFolder});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    probe.setProcessEnvironment(environment);

    // Timed from here rather than from the process's own start time, which the kernel keeps
    // in ticks of 10 ms: too coarse for a figure of about a hundred.
    QElapsedTimer clock;
    clock.start();
    probe.start();
    if (!probe.waitForStarted(kPatienceMilliseconds))
        throw launchError(probe, QStringLiteral("did not start: ") + probe.errorString());
    while (!probe.canReadLine()) {
        if (!probe.waitForReadyRead(int(qMax<qint64>(1, kPatienceMilliseconds - clock.elapsed())))) {
            probe.kill();
            probe.waitForFinished();
            throw launchError(probe, QStringLiteral("showed no main window"));
        }
    }
    Launch figures;
    figures.milliseconds = double(clock.nsecsElapsed()) / 1e6;
    const auto residentKiB = StartupReport::parse(probe.readLine());
    if (!residentKiB)
        throw launchError(probe, QStringLiteral("wrote an unexpected line"));
    figures.residentMebibytes = double(*residentKiB) / 1024;

    if (!probe.waitForFinished(kPatienceMilliseconds) || probe.exitStatus() != QProcess::NormalExit
        || probe.exitCode() != 0) {
        probe.kill();
        probe.waitForFinished();
        throw launchError(probe, QStringLiteral("did not end cleanly"));
    }
    return figures;
}
