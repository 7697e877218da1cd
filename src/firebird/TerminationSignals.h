#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace fb {

/// SIGINT and SIGTERM, received by the event loop instead of interrupting the database engine.
///
/// Left alone, the client library takes both signals for itself and shuts the engine down
/// under the program's feet: every connection is cut, the work not yet committed is lost, and
/// the program runs on without its database. A signal that merely lands in one of the
/// engine's threads is no better: the engine then spins when the connection closes. So the
/// signals are blocked in every thread from the start and read from a descriptor by the
/// event loop, which lets the program end the way a user ending it would.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    /// Must run first in main(), before any thread exists: threads inherit the block.
    static void block();
    /// Runs handler on this thread's event loop when either signal arrives. Needs block().
    static void install(std::function<void()> handler);

private:
    explicit TerminationSignals(QObject *parent);
    void deliver();

    int m_descriptor = -1;
    QSocketNotifier *m_notifier = nullptr;
    std::function<void()> m_handler;
};

} // namespace fb
