// cuisinotte-startup-bench [folder]: goes through the program's start-up on the recipe book in
// folder (by default the benchmark's, bench-data/ beside this executable), writes one line once
// the main window is on screen and painted, and ends. cuisinotte-bench launches it and times it.

#include "Application.h"
#include "Main.h"
#include "ResidentMemory.h"
#include "StartupReport.h"

#include "data/DataModule.h"
#include "firebird/Client.h"
#include "firebird/TerminationSignals.h"

#include <QFont>
#include <QWindow>

#include <cstdio>

namespace {

/// Ends the run once the watched window has been exposed and has painted.
class FirstExposure : public QObject
{
public:
    explicit FirstExposure(QWidget &window) : m_window(window) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && watched == m_window.windowHandle() && !m_seen) {
            m_seen = true;
            // The window paints while it handles this event; report once that is over.
            QMetaObject::invokeMethod(this, &FirstExposure::report, Qt::QueuedConnection);
        }
        return false;
    }

private:
    // An exception must not reach the application's error box: nobody would close it.
    static void report()
    {
        try {
            std::fputs(StartupReport::line(ResidentMemory::currentKiB()).constData(), stdout);
            std::fflush(stdout);
            QCoreApplication::exit(0);
        } catch (const std::exception &error) {
            std::fprintf(stderr, "cuisinotte-startup-bench: %s\n", error.what());
            QCoreApplication::exit(2);
        }
    }

    QWidget &m_window;
    bool m_seen = false;
};

} // namespace

int main(int argc, char *argv[])
{
    // From here on, the same steps as the program's own main().
    fb::TerminationSignals::block();
    Application application(argc, argv);
    const QString applicationFolder = QCoreApplication::applicationDirPath();
    fb::Client::useConfigurationRoot(applicationFolder + QStringLiteral("/firebird"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));

    const QStringList arguments = QCoreApplication::arguments();
    const QString databaseFolder = arguments.value(1, applicationFolder + QStringLiteral("/bench-data"));
    try {
        TDM dm;
        TFrmMain frmMain(dm, databaseFolder);
        if (frmMain.terminationRequested())
            return 2;
        fb::TerminationSignals::install([] { QCoreApplication::quit(); });
        FirstExposure exposure(frmMain);
        application.installEventFilter(&exposure);
        frmMain.show();
        return application.exec();
    } catch (const std::exception &error) {
        std::fprintf(stderr, "cuisinotte-startup-bench: %s\n", error.what());
        return 2;
    }
}
