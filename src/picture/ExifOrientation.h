#pragma once

#include <QByteArrayView>
#include <QImage>

namespace picture {

/// The orientation a camera or a phone recorded in a JPEG file's Exif data, 1 to 8 as Exif
/// numbers them (1: as stored, 6: to be turned a quarter clockwise, ...); 1 when the file
/// records none, or records it in a way that cannot be read.
int exifOrientation(QByteArrayView jpeg);

/// The picture as it is meant to be seen: the stored pixels turned and mirrored by the
/// orientation. The stored bytes stay as they are; only what is shown and printed turns.
QImage orientedForShowing(const QImage &stored, int orientation);

} // namespace picture
