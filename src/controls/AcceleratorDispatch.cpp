#include "AcceleratorDispatch.h"

#include "MyControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace {

// The character a key event types, when it is a dialog character: alone (Shift allowed) or
// with Alt, never with Ctrl or Meta.
std::optional<QChar> dialogCharacter(const QKeyEvent &event, bool withAlt)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (modifiers != (withAlt ? Qt::AltModifier : Qt::NoModifier))
        return std::nullopt;
    const QString text = event.text();
    if (text.size() == 1 && text.at(0).isPrint() && !text.at(0).isSpace())
        return text.at(0);
    // With Alt held, some platforms give the key but no text.
    const int key = event.key();
    if (withAlt && ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)))
        return QChar(key);
    return std::nullopt;
}

// The buttons of the window itself, in the order they were created: a window's children may
// hold other windows (its dialogs), whose buttons are theirs.
QList<TMyControl *> buttonsOf(const QWidget *window)
{
    QList<TMyControl *> buttons = window->findChildren<TMyControl *>();
    buttons.removeIf([window](const TMyControl *button) { return button->window() != window; });
    return buttons;
}

} // namespace

AcceleratorDispatch::AcceleratorDispatch(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    // Alt with a letter must reach the buttons before the focused control, which might type it.
    qApp->installEventFilter(this);
}

bool AcceleratorDispatch::dispatch(QWidget *window, QChar character)
{
    const auto buttons = buttonsOf(window);
    for (TMyControl *button : buttons) {
        if (button->dialogChar(character))
            return true;
    }
    return false;
}

bool AcceleratorDispatch::isTaken(QWidget *window, QChar character)
{
    const auto buttons = buttonsOf(window);
    return std::any_of(buttons.cbegin(), buttons.cend(),
        [character](const TMyControl *button) { return button->takesDialogChar(character); });
}

// Alt with a letter is the buttons' before anyone else's: Qt first asks whether a widget wants
// it as a plain key rather than a shortcut (a menu bar letter, for one), and the window claims it
// when a button carries the letter; the key press then clicks the button before the focused
// control sees it. A letter alone is the focused control's first, and reaches the window only
// when the control let it pass.
bool AcceleratorDispatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window)
        return false;

    const auto &key = *static_cast<QKeyEvent *>(event);
    if (const auto character = dialogCharacter(key, true)) {
        const bool taken = event->type() == QEvent::ShortcutOverride ? isTaken(m_window, *character)
                                                                     : dispatch(m_window, *character);
        if (taken)
            event->accept();
        return taken;
    }
    if (event->type() == QEvent::KeyPress && widget == m_window) {
        const auto character = dialogCharacter(key, false);
        if (character && dispatch(m_window, *character)) {
            event->accept();
            return true;
        }
    }
    return false;
}
