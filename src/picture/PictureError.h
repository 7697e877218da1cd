#pragma once

#include <QString>
#include <QtGlobal>

namespace picture {

/// Why a picture could not be read or written, in words for the user.
struct PictureError
{
    enum class Cause {
        /// The content is of its kind but cannot be read: cut short, damaged, or a device error.
        Unreadable,
        /// The content is not a picture of the kind its name or its first bytes announce. A
        /// picture file of that sort is simply not taken, with no message.
        NotAPicture,
        /// The picture would take too much memory to be shown.
        TooLarge,
    };

    QString message;
    Cause cause = Cause::Unreadable;
};

/// The most memory a decoded picture may take, beyond which a file is refused before anything
/// is allocated: a few hundred bytes of a file can announce a picture of gigabytes.
inline constexpr qint64 maxDecodedBytes = 256 * 1024 * 1024;

/// Whether a picture of that size, at that many bytes a pixel, may be decoded.
/// Divided rather than multiplied: a damaged file's dimensions can overflow any product.
inline bool fitsDecoded(qint64 width, qint64 height, int bytesPerPixel)
{
    if (width < 0 || height < 0 || bytesPerPixel <= 0)
        return false;
    if (width == 0 || height == 0)
        return true;
    return width <= maxDecodedBytes / bytesPerPixel / height;
}

/// The refusal of a picture that would not fit.
inline PictureError tooLargeToShow(qint64 width, qint64 height)
{
    return {QStringLiteral("L'image est trop grande pour être affichée : %1 × %2 points demanderaient plus de %3 Mo.")
                .arg(width)
                .arg(height)
                .arg(maxDecodedBytes / (1024 * 1024)),
        PictureError::Cause::TooLarge};
}

} // namespace picture
