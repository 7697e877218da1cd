#pragma once

#include <QObject>

#include <functional>

/// SIGINT and SIGTERM: the requests to end the program, from Ctrl+C in the terminal that
/// started it, `kill`, or the session closing.
///
/// Both are caught by a handler that does the only safe thing a handler can do, and nothing
/// is ever blocked, so that the programs Cuisinotte starts (the web browser, the print system's
/// helpers) inherit no blocked signals and can still be stopped. Until the program is up the
/// handler ends it at once, as the signal's own default would: nothing has been changed yet,
/// and a start-up waiting on a message box or on the database must not hold it up. Once the
/// event loop runs, the handler writes a byte to a socket pair instead, and the event loop reads
/// it and runs the program's own answer.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    /// Installs the handlers. First thing in main(), before the database engine starts, so that
    /// the engine finds them in place.
    static void catchSignals();

    /// From now on a signal runs the handler on this thread's event loop instead of ending the
    /// program. Needs catchSignals() and the application object.
    static void deliverTo(std::function<void()> handler);

private:
    explicit TerminationSignals(QObject *parent);
    void readSignals();

    std::function<void()> m_handler;
};
