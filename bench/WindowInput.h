#pragma once

#include <QString>

class QWidget;

/// The mouse and the keyboard as the benchmark drives the windows: events sent straight to a
/// control, as the user's would reach it.
namespace WindowInput {

/// A press and a release inside the control, as a click of the mouse gives them.
void click(QWidget *control);

/// A key pressed and released in the control, typing the text.
void pressKey(QWidget *control, int key, const QString &text = {});

} // namespace WindowInput
