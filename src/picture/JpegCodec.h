#pragma once

#include "PictureError.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

#include <optional>

namespace picture {

/// Decodes a complete JPEG file at full scale into 24-bit colour (Format_RGB888), with
/// libjpeg's accurate integer DCT: greyscale is shown grey, CMYK and YCCK (Adobe's, stored
/// inverted) are converted to colour, progressive and arithmetic-coded files are read. Every
/// libjpeg error comes back as a value and leaves the image as it was; damaged data libjpeg can
/// go past (a file cut short) decodes as far as it goes.
[[nodiscard]] std::optional<PictureError> decodeJpeg(QByteArrayView jpeg, QImage &image);

/// How a picture is encoded; the defaults are what a recipe's bitmap is stored as.
struct JpegEncoding
{
    /// 1 to 100; the quality tables are always forced to baseline.
    int quality = 50;
    bool greyscale = false;
    bool progressive = false;
};

/// Encodes the image as a JPEG file with libjpeg's default parameters and the given quality,
/// colour and scan order. An image without pixels gives no bytes.
[[nodiscard]] std::optional<PictureError> encodeJpeg(const QImage &image, QByteArray &jpeg, const JpegEncoding &encoding = {});

} // namespace picture
