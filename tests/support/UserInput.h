#pragma once

#include "controls/MyControl.h"
#include "dbwidgets/Beep.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include <functional>

// The mouse and the keys of a user, as the tests of the windows drive them.

/// Clicks the bitmap button of that name in the window, as the mouse does.
inline void clickButton(QWidget *window, const QString &name)
{
    auto *button = window->findChild<TMyControl *>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

/// Sends a key to the widget with the text it types, as the keyboard does.
inline void typeKey(QWidget *widget, int key, const QString &text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

/// Types the text into the widget a character at a time; unlike QTest::keyClicks, any
/// character, accented ones included.
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar character : text) {
        const QChar upper = character.toUpper();
        const int key = upper.unicode() < 0x80 ? upper.unicode() : int(Qt::Key_unknown);
        typeKey(widget, key, QString(character));
    }
}

/// How many times the system beeped while the action ran.
inline int beepsDuring(const std::function<void()> &action)
{
    const int before = Beep::count();
    action();
    return Beep::count() - before;
}

/// Runs what windows released with deleteLater, as the event loop would once a handler returns.
inline void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
