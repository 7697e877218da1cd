#pragma once

#include "JpegCodec.h"
#include "MetafileReader.h"
#include "PictureError.h"

#include <QByteArray>
#include <QImage>

#include <optional>

namespace picture {

/// A recipe's illustration as the picture control holds it: none, a bitmap, a JPEG picture
/// that keeps its file's bytes unchanged beside the pixels they decode to, or an icon or a
/// metafile read from a file. Made by the readers (PictureReader.h); cheap to copy.
class Picture
{
public:
    enum class Kind { None, Bitmap, Jpeg, Icon, Metafile };

    Picture() = default;
    static Picture bitmap(const QImage &pixels);
    /// The picture turns upright by the orientation a camera recorded in the bytes; the bytes
    /// themselves stay as they were.
    static Picture jpeg(const QByteArray &bytes, const QImage &decoded);
    static Picture icon(const QByteArray &file, const QImage &image);
    static Picture metafile(const QByteArray &file, MetafileKind format, const QImage &drawing);

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Kind::None; }

    /// What is shown, copied and printed.
    const QImage &shown() const { return m_shown; }
    QSize size() const { return m_shown.size(); }

    /// The JPEG file's bytes, for a JPEG picture only.
    const QByteArray &jpegBytes() const { return m_file; }
    MetafileKind metafileKind() const { return m_metafileKind; }

    /// The picture in a file of its own format, whatever name it is given: a JPEG picture as
    /// its bytes, a bitmap as a BMP file, an icon or a metafile as the file it was read from.
    QByteArray fileContent() const;

private:
    Picture(Kind kind, const QByteArray &file, const QImage &shown);

    Kind m_kind = Kind::None;
    QByteArray m_file;
    QImage m_shown;
    MetafileKind m_metafileKind = MetafileKind::Wmf;
};

/// What a recipe's picture field holds for the picture: a JPEG picture's bytes as they are, a
/// bitmap encoded as a new JPEG; nothing for no picture, an icon or a metafile, which the field
/// cannot hold.
[[nodiscard]] std::optional<PictureError> blobOf(const Picture &picture, QByteArray &blob, const JpegEncoding &encoding = {});

} // namespace picture
