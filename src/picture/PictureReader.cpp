#include "PictureReader.h"

#include "BitmapReader.h"
#include "JpegCodec.h"
#include "MetafileReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace picture {
namespace {

enum class FileKind { Unlisted, Bitmap, Jpeg, Icon, Wmf, Emf };

FileKind fileKindOf(const QString &fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toLower();
    if (extension == u"bmp")
        return FileKind::Bitmap;
    if (extension == u"jpg" || extension == u"jpeg")
        return FileKind::Jpeg;
    if (extension == u"ico")
        return FileKind::Icon;
    if (extension == u"wmf")
        return FileKind::Wmf;
    if (extension == u"emf")
        return FileKind::Emf;
    return FileKind::Unlisted;
}

PictureError notAPicture(const QString &message)
{
    return {message, PictureError::Cause::NotAPicture};
}

bool startsAsJpeg(QByteArrayView bytes)
{
    return bytes.size() >= 2 && static_cast<uchar>(bytes[0]) == 0xff && static_cast<uchar>(bytes[1]) == 0xd8;
}

std::optional<PictureError> readJpeg(QByteArrayView bytes, Picture &picture)
{
    QImage decoded;
    if (std::optional<PictureError> error = decodeJpeg(bytes, decoded))
        return error;
    picture = Picture::jpeg(bytes.toByteArray(), decoded);
    return std::nullopt;
}

// An icon file holds the same picture at several sizes: the largest is the one worth showing.
std::optional<PictureError> readIcon(QByteArrayView bytes, Picture &picture)
{
    QByteArray content = bytes.toByteArray();
    QBuffer device(&content);
    device.open(QIODevice::ReadOnly);
    QImageReader reader(&device, "ico");
    QImage largest;
    for (int i = 0, count = reader.imageCount(); i < count; ++i) {
        if (!reader.jumpToImage(i))
            break;
        const QSize size = reader.size();
        if (!fitsDecoded(size.width(), size.height(), 4))
            return tooLargeToShow(size.width(), size.height());
        const QImage image = reader.read();
        if (!image.isNull() && qint64(image.width()) * image.height() > qint64(largest.width()) * largest.height())
            largest = image;
    }
    if (largest.isNull())
        return notAPicture(QStringLiteral("Icon image is not valid"));
    picture = Picture::icon(content, largest);
    return std::nullopt;
}

std::optional<PictureError> readMetafileFile(QByteArrayView bytes, MetafileKind kind, Picture &picture)
{
    QImage drawing;
    if (std::optional<PictureError> error = readMetafile(bytes, kind, drawing)) {
        if (error->cause == PictureError::Cause::Unreadable)
            error->cause = PictureError::Cause::NotAPicture;
        return error;
    }
    picture = Picture::metafile(bytes.toByteArray(), kind, drawing);
    return std::nullopt;
}

} // namespace

std::optional<PictureError> pictureFromBlob(QByteArrayView blob, Picture &picture)
{
    if (startsAsJpeg(blob))
        return readJpeg(blob, picture);
    QImage bitmap;
    if (std::optional<PictureError> error = readBitmap(withoutGraphicHeader(blob), bitmap))
        return error;
    picture = bitmap.isNull() ? Picture() : Picture::bitmap(bitmap);
    return std::nullopt;
}

std::optional<PictureError> pictureFromFile(const QString &fileName, QByteArrayView content, Picture &picture)
{
    switch (fileKindOf(fileName)) {
    case FileKind::Bitmap: {
        QImage bitmap;
        if (std::optional<PictureError> error = readBitmap(content, bitmap))
            return error;
        picture = bitmap.isNull() ? Picture() : Picture::bitmap(bitmap);
        return std::nullopt;
    }
    case FileKind::Jpeg:
        // A file that libjpeg rejects is not taken, as one that is no picture at all.
        if (std::optional<PictureError> error = readJpeg(content, picture)) {
            if (error->cause != PictureError::Cause::TooLarge)
                error->cause = PictureError::Cause::NotAPicture;
            return error;
        }
        return std::nullopt;
    case FileKind::Icon:
        return readIcon(content, picture);
    case FileKind::Wmf:
        return readMetafileFile(content, MetafileKind::Wmf, picture);
    case FileKind::Emf:
        return readMetafileFile(content, MetafileKind::Emf, picture);
    case FileKind::Unlisted:
        break;
    }
    return notAPicture(QStringLiteral("Unknown picture file extension (.%1)").arg(QFileInfo(fileName).suffix()));
}

std::optional<PictureError> readPictureFile(const QString &fileName, Picture &picture)
{
    if (fileKindOf(fileName) == FileKind::Unlisted)
        return pictureFromFile(fileName, {}, picture);
    QFile file(fileName);
    const auto cannotOpen = [&file] {
        return PictureError{QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(file.fileName()), file.errorString())};
    };
    if (!file.open(QIODevice::ReadOnly))
        return cannotOpen();
    // One byte more than the largest file tells a file that grows as it is read (a device)
    // from one that fits.
    const QByteArray content = file.read(maxFileSize + 1);
    if (file.error() != QFile::NoError)
        return cannotOpen();
    if (content.size() > maxFileSize) {
        return PictureError{QStringLiteral("Le fichier « %1 » est trop grand pour être une image : %2 Mo au plus.")
                                .arg(QDir::toNativeSeparators(fileName))
                                .arg(maxFileSize / (1024 * 1024)),
            PictureError::Cause::TooLarge};
    }
    return pictureFromFile(fileName, content, picture);
}

} // namespace picture
