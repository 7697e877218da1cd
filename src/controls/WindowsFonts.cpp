#include "WindowsFonts.h"

#include <cmath>

namespace WindowsFonts {

// Liberation Sans has the metrics of Arial, close to those of MS Sans Serif at small sizes;
// Comic Neue is drawn in the spirit of Comic Sans.
void substitute()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
}

QFont font(const QString &family, int pixelSize)
{
    QFont result(family);
    result.setPixelSize(pixelSize);
    return result;
}

int pointSize(const QFont &font)
{
    if (font.pointSize() > 0)
        return font.pointSize();
    return static_cast<int>(std::lround(font.pixelSize() * 72.0 / 96.0));
}

} // namespace WindowsFonts
