#include "ShortcutDispatch.h"

#include "guard/ErrorGuard.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

ShortcutDispatch::ShortcutDispatch(QWidget *window, QList<QAction *> actions, std::function<void()> update)
    : QObject(window)
    , m_window(window)
    , m_actions(std::move(actions))
    , m_update(std::move(update))
{
    qApp->installEventFilter(this);
}

// Qt first asks the focused widget whether it wants the key as a plain key (ShortcutOverride);
// kept from it, the key goes to the window's shortcuts, where the enabled action takes it.
bool ShortcutDispatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != m_window)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QKeySequence typed(key->keyCombination());
    for (QAction *action : std::as_const(m_actions)) {
        if (action->shortcut().isEmpty() || action->shortcut() != typed)
            continue;
        ErrorGuard::run(m_update);
        return action->isEnabled();
    }
    return false;
}
