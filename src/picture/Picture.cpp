#include "Picture.h"

#include "ExifOrientation.h"

#include <QBuffer>
#include <QImageWriter>

namespace picture {

Picture::Picture(Kind kind, const QByteArray &file, const QImage &shown)
    : m_kind(kind)
    , m_file(file)
    , m_shown(shown)
{
}

Picture Picture::bitmap(const QImage &pixels)
{
    return Picture(Kind::Bitmap, QByteArray(), pixels);
}

Picture Picture::jpeg(const QByteArray &bytes, const QImage &decoded)
{
    return Picture(Kind::Jpeg, bytes, orientedForShowing(decoded, exifOrientation(bytes)));
}

Picture Picture::icon(const QByteArray &file, const QImage &image)
{
    return Picture(Kind::Icon, file, image);
}

Picture Picture::metafile(const QByteArray &file, MetafileKind format, const QImage &drawing)
{
    Picture made(Kind::Metafile, file, drawing);
    made.m_metafileKind = format;
    return made;
}

QByteArray Picture::fileContent() const
{
    if (m_kind != Kind::Bitmap)
        return m_file;
    QByteArray written;
    QBuffer device(&written);
    device.open(QIODevice::WriteOnly);
    QImageWriter(&device, "bmp").write(m_shown);
    return written;
}

std::optional<PictureError> blobOf(const Picture &picture, QByteArray &blob, const JpegEncoding &encoding)
{
    switch (picture.kind()) {
    case Picture::Kind::Bitmap:
        return encodeJpeg(picture.shown(), blob, encoding);
    case Picture::Kind::Jpeg:
        blob = picture.jpegBytes();
        return std::nullopt;
    case Picture::Kind::None:
    case Picture::Kind::Icon:
    case Picture::Kind::Metafile:
        break;
    }
    blob.clear();
    return std::nullopt;
}

} // namespace picture
