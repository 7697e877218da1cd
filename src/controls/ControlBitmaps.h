#pragma once

#include <QPixmap>
#include <QString>

/// The bitmaps the controls are painted from, compiled into the program as resources.
namespace ControlBitmaps {

/// The bitmap of this name ("BMP_FOND", "BMP_BUTTONS", "BMP_PARCOURS", "BMP_PARCOURS1").
/// Throws std::runtime_error when the program carries no such resource: a control cannot be
/// created without its bitmap.
QPixmap load(const QString &name);

} // namespace ControlBitmaps
