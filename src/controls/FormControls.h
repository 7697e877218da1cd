#pragma once

#include "MyButtons.h"
#include "MyLabel.h"

#include "guard/ErrorGuard.h"

#include <QColor>
#include <QFont>
#include <QRect>

class DataSource;
class DBEdit;
class QGroupBox;

/// The pieces the windows are put together from, made the way the windows were designed: a
/// name, a caption, a hint and a rectangle in pixels of the parent.
namespace FormControls {

inline const QColor navy{0x00, 0x00, 0x80};
inline const QColor red{0xff, 0x00, 0x00};
/// The background panel's colour, which group boxes and opaque labels on it take.
inline const QColor panelColour{0xbb, 0xcc, 0xcd};

/// MS Sans Serif bold italic, 19 pixels: the windows' titles.
QFont titleFont();

/// Gives a text box the default look of the windows' texts, bold navy in that typeface and
/// height: what text carrying no formatting of its own is shown in.
void setBoldNavyText(QWidget *text, const QString &family, int pixelSize);

/// A hint made of a short part, "|" and a long part shows the short part as the tooltip and
/// the long part in the window's status bar; a hint without "|" is shown whole in both.
void setHint(QWidget *widget, const QString &hint);

template <class Button>
Button *button(QWidget *parent, const QString &name, const QString &caption, const QString &hint, const QRect &geometry)
{
    auto *button = new Button(parent);
    button->setObjectName(name);
    button->setCaption(caption);
    setHint(button, hint);
    button->setGeometry(geometry);
    return button;
}

/// A button whose click runs one of the window's handlers, in the error guard.
template <class Button, class Window>
Button *button(QWidget *parent, const QString &name, const QString &caption, const QString &hint, const QRect &geometry,
    Window *window, void (Window::*handler)())
{
    Button *made = button<Button>(parent, name, caption, hint, geometry);
    ErrorGuard::connect(made, &TMyControl::clicked, window, handler);
    return made;
}

/// An edit box that shows a field greyed and never changes it: what a dialog is about to act on.
DBEdit *greyedFieldBox(QWidget *parent, const QString &name, const QRect &geometry, DataSource *source,
    const QString &fieldName);

/// An auto-sized label at the given place.
TMyLabel *label(QWidget *parent, const QString &name, const QString &caption, const QPoint &topLeft,
    const QFont &font, const QColor &colour);

/// A group box on the panel: the panel's colour, its caption in bold navy.
QGroupBox *groupBox(QWidget *parent, const QString &name, const QString &caption, const QRect &geometry);

} // namespace FormControls
