#include "BitmapReader.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

namespace picture {
namespace {

constexpr qsizetype graphicHeaderSize = 8;
constexpr qsizetype fileHeaderSize = 14;

PictureError readError()
{
    return {QStringLiteral("Stream read error")};
}

// The size the information header announces, read before any reader allocates a pixel: the
// 12-byte OS/2 header holds 16-bit dimensions, the others 32-bit ones, the height negative for
// a bitmap stored top down.
struct Dimensions
{
    qint64 width;
    qint64 height;
};

std::optional<Dimensions> announcedSize(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.data());
    if (bytes.size() < fileHeaderSize + 12)
        return std::nullopt;
    const quint32 headerSize = qFromLittleEndian<quint32>(data + fileHeaderSize);
    if (headerSize == 12)
        return Dimensions{qFromLittleEndian<quint16>(data + 18), qFromLittleEndian<quint16>(data + 20)};
    if (headerSize >= 40) {
        // In 64 bits: the most negative 32-bit value has no 32-bit opposite.
        return Dimensions{qAbs(qint64(qFromLittleEndian<qint32>(data + 18))), qAbs(qint64(qFromLittleEndian<qint32>(data + 22)))};
    }
    return std::nullopt;
}

} // namespace

QByteArrayView withoutGraphicHeader(QByteArrayView blob)
{
    if (blob.size() < graphicHeaderSize)
        return blob;
    const auto *bytes = reinterpret_cast<const uchar *>(blob.data());
    const bool hasHeader = qFromLittleEndian<quint16>(bytes) == 1 && qFromLittleEndian<quint16>(bytes + 2) == 0x0100
        && qFromLittleEndian<quint32>(bytes + 4) == quint64(blob.size() - graphicHeaderSize);
    return hasHeader ? blob.sliced(graphicHeaderSize) : blob;
}

std::optional<PictureError> readBitmap(QByteArrayView bytes, QImage &image)
{
    if (bytes.isEmpty()) {
        image = QImage();
        return std::nullopt;
    }
    if (bytes.size() < fileHeaderSize)
        return readError();
    if (!bytes.startsWith("BM"))
        return PictureError{QStringLiteral("Bitmap image is not valid"), PictureError::Cause::NotAPicture};

    if (const std::optional<Dimensions> size = announcedSize(bytes); size && !fitsDecoded(size->width, size->height, 4))
        return tooLargeToShow(size->width, size->height);

    QByteArray content = bytes.toByteArray();
    QBuffer device(&content);
    device.open(QIODevice::ReadOnly);
    QImageReader reader(&device, "bmp");
    QImage read;
    if (!reader.read(&read) || read.isNull())
        return readError();
    image = read;
    return std::nullopt;
}

} // namespace picture
