#include "TerminationSignals.h"

#include "Error.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace fb {
namespace {

sigset_t terminationSignals()
{
    sigset_t watched;
    sigemptyset(&watched);
    sigaddset(&watched, SIGINT);
    sigaddset(&watched, SIGTERM);
    return watched;
}

} // namespace

void TerminationSignals::block()
{
    const sigset_t watched = terminationSignals();
    pthread_sigmask(SIG_BLOCK, &watched, nullptr);
}

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    const sigset_t watched = terminationSignals();
    m_descriptor = ::signalfd(-1, &watched, SFD_NONBLOCK | SFD_CLOEXEC);
    if (m_descriptor < 0)
        throw Error(QStringLiteral("Cannot watch for termination watched"));
    m_notifier = new QSocketNotifier(m_descriptor, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::deliver);
}

void TerminationSignals::install(std::function<void()> handler)
{
    static TerminationSignals *const instance = new TerminationSignals(QCoreApplication::instance());
    instance->m_handler = std::move(handler);
}

void TerminationSignals::deliver()
{
    signalfd_siginfo info;
    while (::read(m_descriptor, &info, sizeof info) == sizeof info) {
        if (m_handler)
            m_handler();
    }
}

} // namespace fb
