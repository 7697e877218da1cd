// cuisinotte-startup-bench [folder]: goes through the program's start-up on the recipe book in
// folder (by default the benchmark's, bench-data/ beside this executable), writes one line once
// the main window is on screen and painted, and ends. cuisinotte-bench launches it and times it.

#include "Main.h"
#include "MainBlock.h"
#include "ResidentMemory.h"
#include "StartupReport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QWindow>

#include <cstdio>
#include <memory>

namespace {

/// Ends the run once the watched window has been exposed and has painted.
class FirstExposure : public QObject
{
public:
    explicit FirstExposure(QWidget &window) : m_window(window) {}
    bool seen() const { return m_seen; }

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

QString executableFolder(const char *argv0)
{
    return QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath();
}

} // namespace

int main(int argc, char *argv[])
{
    // The main block makes the application object, so the arguments are read here by hand.
    MainBlock::Options options;
    options.applicationFolder = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                         : executableFolder(argv[0]) + QStringLiteral("/bench-data");

    std::unique_ptr<FirstExposure> exposure;
    options.beforeShow = [&exposure](TFrmMain &frmMain) {
        exposure = std::make_unique<FirstExposure>(frmMain);
        QCoreApplication::instance()->installEventFilter(exposure.get());
    };
    const int status = MainBlock::run(argc, argv, options);
    // The main block returns 0 without reporting when the database could not be opened.
    return status == 0 && !(exposure && exposure->seen()) ? 2 : status;
}
