#include "TerminationSignals.h"

#include "guard/ErrorGuard.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The handler writes to the first end, the event loop reads the second.
int signalSocket[2] = {-1, -1};
std::atomic<bool> delivering = false;
static_assert(std::atomic<bool>::is_always_lock_free, "the handler may only touch lock-free atomics");

// Runs in whatever thread the signal lands in, the database engine's included: only
// async-signal-safe calls here.
extern "C" void onTerminationSignal(int number)
{
    if (!delivering.load()) {
        // The signal's own default, which ends the program as soon as this handler returns.
        std::signal(number, SIG_DFL);
        std::raise(number);
        return;
    }
    const int savedErrno = errno;
    const char byte = char(number);
    // A full socket already holds a request to end: one more would change nothing.
    [[maybe_unused]] const ssize_t written = ::write(signalSocket[0], &byte, 1);
    errno = savedErrno;
}

void fail(const char *what)
{
    throw std::runtime_error(std::string("Cannot catch the termination signals: ") + what + ": " + std::strerror(errno));
}

} // namespace

void TerminationSignals::catchSignals()
{
    // Both ends stay out of the programs started from here, and the handler never waits.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalSocket) != 0)
        fail("socketpair");
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    // The engine's threads are in the middle of system calls that must not fail for this.
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGINT, SIGTERM}) {
        if (::sigaction(number, &action, nullptr) != 0)
            fail("sigaction");
    }
}

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    auto *notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, this);
    ErrorGuard::connect(notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignals);
}

void TerminationSignals::deliverTo(std::function<void()> handler)
{
    static TerminationSignals *const instance = new TerminationSignals(QCoreApplication::instance());
    instance->m_handler = std::move(handler);
    delivering.store(true);
}

void TerminationSignals::readSignals()
{
    char bytes[16];
    bool received = false;
    while (::read(signalSocket[1], bytes, sizeof bytes) > 0)
        received = true;
    if (received && m_handler)
        m_handler();
}
