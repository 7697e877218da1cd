#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QWidget;

/// Gives a window's actions the first claim on their keys, before the focused control. Qt lets
/// a focused text box take Ctrl+C, Ctrl+V or Ctrl+Z as its own keys before any shortcut is
/// looked at; here an action whose key it is, once its enabled state is brought up to date,
/// takes the key when it is enabled, and leaves it to the control when it is not.
class ShortcutDispatch : public QObject
{
    Q_OBJECT

public:
    /// update brings the actions' enabled state up to date.
    ShortcutDispatch(QWidget *window, QList<QAction *> actions, std::function<void()> update);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QList<QAction *> m_actions;
    std::function<void()> m_update;
};
