#include "ControlBitmaps.h"

#include <QImage>

#include <stdexcept>

namespace ControlBitmaps {

QPixmap load(const QString &name)
{
    // Converted once to the screen's format so that each paint is a straight copy.
    const QImage image(QStringLiteral(":/controls/%1.bmp").arg(name));
    if (image.isNull())
        throw std::runtime_error(QStringLiteral("Ressource %1 introuvable.").arg(name).toStdString());
    return QPixmap::fromImage(image.convertToFormat(QImage::Format_RGB32));
}

} // namespace ControlBitmaps
