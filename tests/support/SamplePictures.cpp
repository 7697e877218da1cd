#include "SamplePictures.h"

#include "picture/JpegCodec.h"

#include <QBuffer>
#include <QImage>

namespace {

QImage filled(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return image;
}

} // namespace

QByteArray jpegOf(int width, int height)
{
    QByteArray jpeg;
    if (picture::encodeJpeg(filled(width, height), jpeg))
        qFatal("the fixture's JPEG could not be made");
    return jpeg;
}

QByteArray bitmapOf(int width, int height)
{
    QByteArray bitmap;
    QBuffer device(&bitmap);
    device.open(QIODevice::WriteOnly);
    filled(width, height).save(&device, "BMP");
    return bitmap;
}
