#include "ErrorGuard.h"

#include "ErrorBox.h"

#include <QApplication>
#include <QWidget>

namespace ErrorGuard {

QString messageOf(const std::exception_ptr &error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &exception) {
        return QString::fromUtf8(exception.what());
    } catch (...) {
        return QStringLiteral("Erreur inattendue.");
    }
}

void returnFocusLater(QWidget *widget) noexcept
{
    try {
        QMetaObject::invokeMethod(widget, [widget] { widget->setFocus(); }, Qt::QueuedConnection);
    } catch (...) {
    }
}

void report(const std::exception_ptr &error, Report when) noexcept
{
    // Whatever goes wrong while telling the user, a handler in the guard must still return.
    try {
        const QString message = messageOf(error);
        if (when == Report::Now) {
            ErrorBox::showOverActiveWindow(message);
            return;
        }
        QMetaObject::invokeMethod(qApp, [message] { ErrorBox::showOverActiveWindow(message); }, Qt::QueuedConnection);
    } catch (...) {
    }
}

} // namespace ErrorGuard
