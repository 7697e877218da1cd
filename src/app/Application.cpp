#include "Application.h"

#include "dbwidgets/ErrorBox.h"

#include <QPrinter>

#include <exception>

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

Application::~Application() = default;

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        QWidget *parent = activeModalWidget();
        ErrorBox::show(parent ? parent : activeWindow(), QString::fromUtf8(error.what()));
        return true;
    }
}

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
