#include "WindowInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace WindowInput {

void click(QWidget *control)
{
    const QPointF centre = QRectF(control->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, control->mapToGlobal(centre), Qt::LeftButton,
        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(control, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, control->mapToGlobal(centre), Qt::LeftButton,
        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(control, &release);
}

void pressKey(QWidget *control, int key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(control, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(control, &release);
}

} // namespace WindowInput
