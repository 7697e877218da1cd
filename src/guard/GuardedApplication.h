#pragma once

#include <QApplication>

#include <functional>

/// The application object of a program with windows. Every handler runs in ErrorGuard, so no
/// exception ever reaches it; one that does all the same has already crossed Qt's frames,
/// which it left in disorder, and is a fault of ours. It is still caught here, as a last resort,
/// and handed to the escape handler.
class GuardedApplication : public QApplication
{
    Q_OBJECT

public:
    /// Gets the message of an exception that reached the application object.
    using EscapeHandler = std::function<void(const QString &message)>;

    GuardedApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    /// By default the message is shown in the error box, as a handler's error is; the tests
    /// make it fail the test that was running.
    static void setEscapeHandler(EscapeHandler handler);
};
