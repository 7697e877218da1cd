#include "WindowsFonts.h"

#include <cmath>

namespace WindowsFonts {
namespace {

// Liberation Sans has the metrics of Arial, close to those of MS Sans Serif at small sizes;
// Comic Neue is drawn in the spirit of Comic Sans.
const struct
{
    const char16_t *designed;
    const char16_t *standIn;
} standIns[] = {
    {u"Arial", u"Liberation Sans"},
    {u"Comic Sans MS", u"Comic Neue"},
    {u"MS Sans Serif", u"Liberation Sans"},
};

} // namespace

QStringList designedFamilies()
{
    QStringList names;
    for (const auto &font : standIns)
        names.append(QString::fromUtf16(font.designed));
    return names;
}

void substitute()
{
    for (const auto &font : standIns)
        QFont::insertSubstitution(QString::fromUtf16(font.designed), QString::fromUtf16(font.standIn));
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
