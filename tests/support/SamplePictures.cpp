#include "SamplePictures.h"

#include "picture/JpegCodec.h"

#include <QBuffer>

namespace {

QImage filled(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return image;
}

} // namespace

QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x * y) % 256));
    }
    return image;
}

QByteArray written(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    image.save(&device, format);
    return bytes;
}

QByteArray jpegOf(int width, int height)
{
    QByteArray jpeg;
    if (picture::encodeJpeg(filled(width, height), jpeg))
        qFatal("the fixture's JPEG could not be made");
    return jpeg;
}

QByteArray bitmapOf(int width, int height)
{
    return written(filled(width, height), "BMP");
}
