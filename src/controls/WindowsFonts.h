#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

/// The windows keep the font names they were designed with ("MS Sans Serif", "Comic Sans MS",
/// "Arial"); installed free fonts stand in for them.
namespace WindowsFonts {

/// Maps the designed names to the installed stand-ins. Called once at start-up, before any
/// window exists.
void substitute();

/// The typeface names the windows were designed with, which stand for installed fonts.
QStringList designedFamilies();

/// A font given, as the windows give it, by its height in pixels.
QFont font(const QString &family, int pixelSize);

/// The size in whole points that a font of this height has on a 96-dpi screen, rounded as the
/// windows round it (11 pixels are 8 points).
int pointSize(const QFont &font);

} // namespace WindowsFonts
