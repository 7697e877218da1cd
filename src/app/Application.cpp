#include "Application.h"

#include <QIcon>
#include <QPrinter>

Application::Application(int &argc, char **argv)
    : GuardedApplication(argc, argv)
{
    // Every window takes it, and the about box shows it.
    setWindowIcon(QIcon(QStringLiteral(":/icon/cuisinotte.ico")));
}

Application::~Application() = default;

QPrinter &Application::printer()
{
    auto *application = qobject_cast<Application *>(instance());
    Q_ASSERT(application);
    // Made on first use: asking the print system for its printers is slow, and most runs
    // never print.
    if (!application->m_printer)
        application->m_printer = std::make_unique<QPrinter>();
    return *application->m_printer;
}
