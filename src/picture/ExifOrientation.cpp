#include "ExifOrientation.h"

#include <QTransform>
#include <QtEndian>

#include <optional>

namespace picture {
namespace {

constexpr quint16 orientationTag = 0x0112;
constexpr quint16 shortType = 3;
constexpr qsizetype entrySize = 12;

// The TIFF structure inside an Exif segment: every offset is checked against its end.
class TiffReader
{
public:
    explicit TiffReader(QByteArrayView tiff)
        : m_tiff(tiff)
    {
    }

    std::optional<int> orientation()
    {
        if (m_tiff.size() < 8)
            return std::nullopt;
        if (m_tiff.startsWith("II"))
            m_littleEndian = true;
        else if (m_tiff.startsWith("MM"))
            m_littleEndian = false;
        else
            return std::nullopt;
        if (read16(2) != 42)
            return std::nullopt;
        const std::optional<quint32> directory = read32(4);
        const std::optional<quint16> entries = directory ? read16(*directory) : std::nullopt;
        if (!entries)
            return std::nullopt;
        for (quint32 entry = 0; entry < *entries; ++entry) {
            const qint64 at = qint64(*directory) + 2 + qint64(entry) * entrySize;
            if (read16(at) == orientationTag && read16(at + 2) == shortType)
                return read16(at + 8);
        }
        return std::nullopt;
    }

private:
    std::optional<quint16> read16(qint64 at) const
    {
        if (at < 0 || at + 2 > m_tiff.size())
            return std::nullopt;
        const auto *bytes = reinterpret_cast<const uchar *>(m_tiff.data()) + at;
        return m_littleEndian ? qFromLittleEndian<quint16>(bytes) : qFromBigEndian<quint16>(bytes);
    }

    std::optional<quint32> read32(qint64 at) const
    {
        if (at < 0 || at + 4 > m_tiff.size())
            return std::nullopt;
        const auto *bytes = reinterpret_cast<const uchar *>(m_tiff.data()) + at;
        return m_littleEndian ? qFromLittleEndian<quint32>(bytes) : qFromBigEndian<quint32>(bytes);
    }

    QByteArrayView m_tiff;
    bool m_littleEndian = true;
};

quint16 segmentLength(QByteArrayView jpeg, qsizetype at)
{
    return qFromBigEndian<quint16>(reinterpret_cast<const uchar *>(jpeg.data()) + at);
}

} // namespace

// The Exif data is an APP1 segment among those before the picture data begins.
int exifOrientation(QByteArrayView jpeg)
{
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && static_cast<uchar>(jpeg[at]) == 0xff) {
        const auto marker = static_cast<uchar>(jpeg[at + 1]);
        if (marker == 0xda || marker == 0xd9)
            break;
        const quint16 length = segmentLength(jpeg, at + 2);
        if (length < 2 || at + 2 + length > jpeg.size())
            break;
        const QByteArrayView payload = jpeg.sliced(at + 4, length - 2);
        if (marker == 0xe1 && payload.startsWith(QByteArrayView("Exif\0\0", 6))) {
            TiffReader tiff(payload.sliced(6));
            const std::optional<int> orientation = tiff.orientation();
            return orientation && *orientation >= 1 && *orientation <= 8 ? *orientation : 1;
        }
        at += 2 + length;
    }
    return 1;
}

QImage orientedForShowing(const QImage &stored, int orientation)
{
    const auto turned = [&stored](int degrees) { return stored.transformed(QTransform().rotate(degrees)); };
    switch (orientation) {
    case 2:
        return stored.mirrored(true, false);
    case 3:
        return turned(180);
    case 4:
        return stored.mirrored(false, true);
    case 5: // transposed: the rows become the columns
        return turned(90).mirrored(true, false);
    case 6:
        return turned(90);
    case 7: // transposed the other way
        return turned(270).mirrored(true, false);
    case 8:
        return turned(270);
    default:
        return stored;
    }
}

} // namespace picture
