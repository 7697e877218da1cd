#include "GuardedApplication.h"

#include "ErrorBox.h"
#include "ErrorGuard.h"

#include <exception>

namespace {

GuardedApplication::EscapeHandler &escapeHandler()
{
    static GuardedApplication::EscapeHandler handler = [](const QString &message) {
        ErrorBox::showOverActiveWindow(message);
    };
    return handler;
}

} // namespace

GuardedApplication::GuardedApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool GuardedApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        escapeHandler()(ErrorGuard::messageOf(std::current_exception()));
    }
    return true;
}

void GuardedApplication::setEscapeHandler(EscapeHandler handler)
{
    escapeHandler() = std::move(handler);
}
