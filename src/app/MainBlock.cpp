#include "MainBlock.h"

#include "Application.h"
#include "Main.h"
#include "TerminationSignals.h"

#include "controls/WindowsFonts.h"
#include "data/DataModule.h"
#include "firebird/Client.h"
#include "guard/ErrorBox.h"

namespace MainBlock {

int run(int argc, char *argv[], const Options &options)
{
    Application application(argc, argv);
    fb::Client::useConfigurationRoot(QCoreApplication::applicationDirPath() + QStringLiteral("/firebird"));
    WindowsFonts::substitute();
    const QString applicationFolder = options.applicationFolder.isEmpty()
        ? QCoreApplication::applicationDirPath()
        : options.applicationFolder;
    try {
        // Before the database engine starts, which finds them in place.
        TerminationSignals::catchSignals();
        // Declared in this order so that the main window is destroyed before the data module,
        // whose destruction commits the work and closes the database.
        TDM dm;
        TFrmMain frmMain(dm, applicationFolder);
        if (frmMain.terminationRequested())
            return 0;
        // Logging out or being told to stop ends the program as a normal exit does: the
        // windows close and the work is committed. Not through quit(), which asks every window
        // to close and so would wait for the quit confirmation that nobody is there to answer.
        TerminationSignals::deliverTo([] { QCoreApplication::exit(0); });
        if (options.beforeShow)
            options.beforeShow(frmMain);
        frmMain.show();
        return application.exec();
    } catch (const std::exception &error) {
        // Outside the event loop there is no handler to stop; the program cannot go on.
        ErrorBox::show(nullptr, QString::fromUtf8(error.what()));
        return 1;
    }
}

} // namespace MainBlock
