#pragma once

#include "PictureError.h"

#include <QByteArrayView>
#include <QImage>

#include <optional>

namespace picture {

/// What follows the 8-byte graphic header that older programs put before a bitmap in a blob
/// (a count of 1, the type 0x0100, the size of the rest, little-endian), or the whole content
/// when it has no such header.
QByteArrayView withoutGraphicHeader(QByteArrayView blob);

/// Reads a Windows bitmap file through Qt's reader, which takes the 1-, 4-, 8-, 16-, 24- and
/// 32-bit, RLE and OS/2 variants. No bytes give an empty image; a file header that does not
/// start with "BM" gives "Bitmap image is not valid"; bytes too short for the file header, a
/// damaged bitmap or one too large to decode give an error. On error the image is left as it
/// was.
[[nodiscard]] std::optional<PictureError> readBitmap(QByteArrayView bytes, QImage &image);

} // namespace picture
