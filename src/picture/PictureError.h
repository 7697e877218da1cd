#pragma once

#include <QString>
#include <QtGlobal>

namespace picture {

/// Why a picture could not be read or written, in words for the user.
struct PictureError
{
    QString message;
};

/// The most memory a decoded picture may take, beyond which a file is refused before anything
/// is allocated: a few hundred bytes of a file can announce a picture of gigabytes.
inline constexpr qint64 maxDecodedBytes = 256 * 1024 * 1024;

/// Whether a picture of that size, at that many bytes a pixel, may be decoded.
inline bool fitsDecoded(qint64 width, qint64 height, int bytesPerPixel)
{
    return width * height * bytesPerPixel <= maxDecodedBytes;
}

/// The refusal of a picture that would not fit.
inline PictureError tooLargeToShow(qint64 width, qint64 height)
{
    return {QStringLiteral("L'image est trop grande pour être affichée : %1 × %2 points demanderaient plus de %3 Mo.")
                .arg(width)
                .arg(height)
                .arg(maxDecodedBytes / (1024 * 1024))};
}

} // namespace picture
