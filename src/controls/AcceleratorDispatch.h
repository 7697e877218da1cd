#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

/// Gives a window's dialog characters to its bitmap buttons, which take no keyboard focus. A
/// dialog character is a character typed with Alt, or typed alone when the focused control does
/// not want it. It clicks the first enabled, shown button of the window (in the order the
/// buttons were created) whose caption carries it after "&", and goes no further; when no button
/// carries it, it goes on as usual (to the menu bar, for one).
class AcceleratorDispatch : public QObject
{
    Q_OBJECT

public:
    /// Watches the window's keys for as long as the window lives.
    explicit AcceleratorDispatch(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// Offers the character to the window's buttons in order; returns whether one clicked.
    static bool dispatch(QWidget *window, QChar character);
    static bool isTaken(QWidget *window, QChar character);

    QWidget *m_window;
};
