#pragma once

#include <QObject>
#include <QString>

#include <concepts>
#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

class QWidget;

/// The one way from Qt into our code.
///
/// Debian's Qt Gui and Qt Widgets are built without exception support: an exception that
/// unwinds through their frames runs none of their cleanups, and leaves Qt's bookkeeping of the
/// event in flight (the widget that took a press, the mouse grab, a focus change half made) as
/// it was. So every call that Qt makes into our code and that can throw runs in this guard: a
/// slot, a button's command, an event handler override. An exception that leaves it stops the
/// command that was running, its message is shown in the error box, and Qt gets control back
/// as from any handler that ended normally.
namespace ErrorGuard {

/// When the error box comes up.
enum class Report {
    /// At once, over the active modal window.
    Now,
    /// Once the event loop has control again: for handlers that run in the middle of one of
    /// Qt's own changes, a focus change for one, which must be complete before a box opens.
    Later,
};

/// The message an error shows: what a standard exception says, in UTF-8.
QString messageOf(const std::exception_ptr &error);

/// Shows the error that stopped a command in the application's error box.
void report(const std::exception_ptr &error, Report when = Report::Now) noexcept;

/// Gives the focus back to the widget once the event loop has control again, unless the
/// widget is gone by then.
void returnFocusLater(QWidget *widget) noexcept;

/// Runs the handler. An exception that leaves it is reported and goes no further. Returns
/// whether the handler ran to its end.
template <class Handler>
bool run(Handler &&handler, Report when = Report::Now) noexcept
{
    try {
        std::invoke(std::forward<Handler>(handler));
        return true;
    } catch (...) {
        report(std::current_exception(), when);
        return false;
    }
}

/// Runs a focus-out handler that writes what the widget holds. When the write is refused, the
/// focus comes back to the widget and the error is shown, both once the focus change under way
/// is complete: Qt's focus must not be moved again, nor a box opened, from the middle of it.
/// Returns whether the handler ran to its end.
template <class Handler>
bool runOnFocusOut(QWidget *widget, Handler &&handler) noexcept
{
    try {
        std::invoke(std::forward<Handler>(handler));
        return true;
    } catch (...) {
        returnFocusLater(widget);
        report(std::current_exception(), Report::Later);
        return false;
    }
}

namespace detail {

/// A handler wrapped in the guard. It takes what the handler takes, so that Qt hands it as
/// many of a signal's arguments as the handler wants, as it does for any slot.
template <class Handler>
class Guarded
{
public:
    explicit Guarded(Handler handler)
        : m_handler(std::move(handler))
    {
    }

    template <class... Args>
        requires std::invocable<Handler &, Args &&...>
    void operator()(Args &&...args)
    {
        run([&] { std::invoke(m_handler, std::forward<Args>(args)...); });
    }

private:
    Handler m_handler;
};

} // namespace detail

/// Connects a signal to a handler that runs in the guard: a member function of the receiver,
/// or any callable, which then lives as long as the receiver. The connection ends with the
/// receiver, as a connection to a slot does.
template <class Sender, class Signal, class Receiver, class Handler>
QMetaObject::Connection connect(const Sender *sender, Signal signal, Receiver *receiver, Handler handler)
{
    if constexpr (std::is_member_function_pointer_v<Handler>) {
        return QObject::connect(sender, signal, receiver, detail::Guarded(std::bind_front(handler, receiver)));
    } else {
        return QObject::connect(sender, signal, receiver, detail::Guarded(std::move(handler)));
    }
}

} // namespace ErrorGuard
