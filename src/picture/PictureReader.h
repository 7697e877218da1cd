#pragma once

#include "Picture.h"
#include "PictureError.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace picture {

/// The largest picture file read: a file beyond it could not be shown anyway.
inline constexpr qint64 maxFileSize = maxDecodedBytes;

/// The illustration a blob holds: none when it is empty; a JPEG picture when it starts with
/// FF D8; otherwise the bitmap of an older recipe, after its graphic header when it has one.
/// On error the picture is left as it was.
[[nodiscard]] std::optional<PictureError> pictureFromBlob(QByteArrayView blob, Picture &picture);

/// A picture file's content read as the kind its name's extension gives, in any letter case:
/// "bmp" a bitmap, "jpg" and "jpeg" a JPEG picture (its bytes as they are), "ico" an icon,
/// "wmf" and "emf" a metafile. Another extension, or content that is not a picture of that
/// kind, gives PictureError::Cause::NotAPicture. On error the picture is left as it was.
[[nodiscard]] std::optional<PictureError> pictureFromFile(const QString &fileName, QByteArrayView content, Picture &picture);

/// Reads the named file and then as pictureFromFile; a file that cannot be read gives "Cannot
/// open file "%s". %s". An unlisted extension is refused before the file is opened.
[[nodiscard]] std::optional<PictureError> readPictureFile(const QString &fileName, Picture &picture);

} // namespace picture
