#include "DamagedPictures.h"

#include "SamplePictures.h"

#include "picture/JpegCodec.h"

#include <QImage>
#include <QtEndian>

namespace DamagedPictures {
namespace {

QByteArray jpeg(bool progressive = false)
{
    QByteArray bytes;
    picture::JpegEncoding encoding;
    encoding.progressive = progressive;
    (void)picture::encodeJpeg(gradient(64, 48), bytes, encoding);
    return bytes;
}

template <class Value>
QByteArray patched(QByteArray bytes, qsizetype offset, Value value)
{
    if (offset >= 0 && offset + qsizetype(sizeof(Value)) <= bytes.size())
        qToBigEndian(value, bytes.data() + offset);
    return bytes;
}

template <class Value>
QByteArray patchedLittle(QByteArray bytes, qsizetype offset, Value value)
{
    if (offset >= 0 && offset + qsizetype(sizeof(Value)) <= bytes.size())
        qToLittleEndian(value, bytes.data() + offset);
    return bytes;
}

qsizetype markerAt(const QByteArray &jpeg, uchar marker)
{
    return jpeg.indexOf(QByteArray("\xff") + char(marker));
}

// An 8-bit bitmap of width × height with a two-colour palette, compressed with RLE8 into the
// given runs.
QByteArray rle8Bitmap(qint32 width, qint32 height, const QByteArray &runs)
{
    QByteArray info(40, '\0');
    qToLittleEndian<quint32>(40, info.data());
    qToLittleEndian<qint32>(width, info.data() + 4);
    qToLittleEndian<qint32>(height, info.data() + 8);
    qToLittleEndian<quint16>(1, info.data() + 12);
    qToLittleEndian<quint16>(8, info.data() + 14);
    qToLittleEndian<quint32>(1, info.data() + 16); // BI_RLE8
    qToLittleEndian<quint32>(quint32(runs.size()), info.data() + 20);
    qToLittleEndian<quint32>(2, info.data() + 32);
    const QByteArray palette("\x00\x00\xff\x00\xff\x00\x00\x00", 8);
    QByteArray file("BM", 2);
    file.resize(14);
    qToLittleEndian<quint32>(quint32(14 + info.size() + palette.size() + runs.size()), file.data() + 2);
    qToLittleEndian<quint32>(0, file.data() + 6);
    qToLittleEndian<quint32>(quint32(14 + info.size() + palette.size()), file.data() + 10);
    return file + info + palette + runs;
}

// A placeable Windows metafile: its 22-byte header, then the metafile header and the records.
QByteArray placeableWmf(const QByteArray &records, quint32 recordsWords, quint16 maxRecord)
{
    QByteArray placeable(22, '\0');
    qToLittleEndian<quint32>(0x9AC6CDD7, placeable.data());
    qToLittleEndian<qint16>(100, placeable.data() + 10); // right
    qToLittleEndian<qint16>(100, placeable.data() + 12); // bottom
    qToLittleEndian<quint16>(1440, placeable.data() + 14); // units per inch
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(placeable.constData() + 2 * i);
    qToLittleEndian<quint16>(checksum, placeable.data() + 20);
    QByteArray header(18, '\0');
    qToLittleEndian<quint16>(1, header.data());
    qToLittleEndian<quint16>(9, header.data() + 2);
    qToLittleEndian<quint16>(0x0300, header.data() + 4);
    qToLittleEndian<quint32>(9 + recordsWords, header.data() + 6);
    qToLittleEndian<quint32>(maxRecord, header.data() + 12);
    return placeable + header + records;
}

QByteArray wmfRecord(quint16 function, const QList<qint16> &parameters, quint32 sizeInWords = 0)
{
    QByteArray record(6, '\0');
    qToLittleEndian<quint32>(sizeInWords ? sizeInWords : quint32(3 + parameters.size()), record.data());
    qToLittleEndian<quint16>(function, record.data() + 4);
    for (const qint16 parameter : parameters) {
        char bytes[2];
        qToLittleEndian<qint16>(parameter, bytes);
        record.append(bytes, 2);
    }
    return record;
}

// An enhanced metafile holding its header record, with the given bounds, and the end record.
QByteArray emf(qint32 right, qint32 bottom, quint32 headerSize = 108)
{
    QByteArray header(108, '\0');
    qToLittleEndian<quint32>(1, header.data()); // EMR_HEADER
    qToLittleEndian<quint32>(headerSize, header.data() + 4);
    qToLittleEndian<qint32>(right, header.data() + 16);
    qToLittleEndian<qint32>(bottom, header.data() + 20);
    qToLittleEndian<qint32>(right * 26, header.data() + 32);
    qToLittleEndian<qint32>(bottom * 26, header.data() + 36);
    qToLittleEndian<quint32>(0x464D4520, header.data() + 40); // " EMF"
    qToLittleEndian<quint32>(0x00010000, header.data() + 44);
    qToLittleEndian<quint32>(108 + 20, header.data() + 48);
    qToLittleEndian<quint32>(2, header.data() + 52);
    qToLittleEndian<quint16>(1, header.data() + 56);
    qToLittleEndian<qint32>(1024, header.data() + 72);
    qToLittleEndian<qint32>(768, header.data() + 76);
    qToLittleEndian<qint32>(320, header.data() + 80);
    qToLittleEndian<qint32>(240, header.data() + 84);
    QByteArray end(20, '\0');
    qToLittleEndian<quint32>(14, end.data()); // EMR_EOF
    qToLittleEndian<quint32>(20, end.data() + 4);
    qToLittleEndian<quint32>(16, end.data() + 16);
    return header + end;
}

} // namespace

QList<Sample> all()
{
    const QByteArray sound = jpeg();
    const QByteArray progressive = jpeg(true);
    const qsizetype frame = markerAt(sound, 0xc0);
    const qsizetype huffman = markerAt(sound, 0xc4);
    const qsizetype scan = markerAt(sound, 0xda);
    const QByteArray bitmap = written(gradient(30, 20), "bmp");
    const QByteArray icon = written(gradient(32, 32), "ico");
    QByteArray badHuffman = sound;
    // Every code length count at 255: far more codes than a table can hold.
    for (qsizetype i = huffman + 5; i < huffman + 21 && i < badHuffman.size(); ++i)
        badHuffman[i] = char(0xff);
    QByteArray noisyScan = sound;
    for (qsizetype i = scan + 20; i < noisyScan.size() - 2; i += 7)
        noisyScan[i] = char(0xff);

    return {
        {QStringLiteral("sound.jpg"), sound, Outcome::Picture},
        {QStringLiteral("progressive.jpg"), progressive, Outcome::Picture},
        {QStringLiteral("start-only.jpg"), sound.left(2), Outcome::Error},
        {QStringLiteral("cut-in-the-header.jpg"), sound.left(frame + 5), Outcome::Error},
        {QStringLiteral("cut-before-the-scan.jpg"), sound.left(scan), Outcome::Error},
        {QStringLiteral("cut-in-the-scan.jpg"), sound.left(scan + (sound.size() - scan) / 2), Outcome::Either},
        {QStringLiteral("progressive-cut.jpg"), progressive.left(progressive.size() / 2), Outcome::Either},
        {QStringLiteral("unknown-frame.jpg"), patched<quint16>(sound, frame, 0xffcf), Outcome::Error},
        {QStringLiteral("no-frame.jpg"), patched<quint16>(sound, frame, 0xffe5), Outcome::Error},
        {QStringLiteral("huge-dimensions.jpg"), patched<quint32>(sound, frame + 5, 0xfde8fde8), Outcome::TooLarge},
        {QStringLiteral("zero-width.jpg"), patched<quint16>(sound, frame + 7, 0), Outcome::Error},
        {QStringLiteral("bad-huffman-table.jpg"), badHuffman, Outcome::Error},
        {QStringLiteral("noisy-scan.jpg"), noisyScan, Outcome::Either},
        {QStringLiteral("sound.bmp"), bitmap, Outcome::Picture},
        {QStringLiteral("file-header-only.bmp"), bitmap.left(14), Outcome::Error},
        {QStringLiteral("cut-in-the-pixels.bmp"), bitmap.left(bitmap.size() / 2), Outcome::Either},
        {QStringLiteral("no-bm.bmp"), patched<quint16>(bitmap, 0, 0x4d42), Outcome::Error},
        {QStringLiteral("huge-dimensions.bmp"), patchedLittle<qint32>(patchedLittle<qint32>(bitmap, 18, 100000), 22, 100000),
            Outcome::TooLarge},
        // Whose pixel count times four overflows 64 bits.
        {QStringLiteral("overflowing-dimensions.bmp"),
            patchedLittle<qint32>(patchedLittle<qint32>(bitmap, 18, 0x71717171), 22, 0x71717171), Outcome::TooLarge},
        {QStringLiteral("most-negative-height.bmp"), patchedLittle<qint32>(bitmap, 22, INT32_MIN), Outcome::TooLarge},
        {QStringLiteral("seven-bits.bmp"), patchedLittle<quint16>(bitmap, 28, 7), Outcome::Error},
        {QStringLiteral("pixels-past-the-end.bmp"), patchedLittle<quint32>(bitmap, 10, 0x7ffffff0), Outcome::Either},
        {QStringLiteral("rle8.bmp"), rle8Bitmap(4, 2, QByteArray("\x04\x01\x00\x00\x04\x00\x00\x01", 8)), Outcome::Picture},
        {QStringLiteral("rle8-run-past-the-row.bmp"), rle8Bitmap(4, 2, QByteArray("\xff\x01\xff\x01\x00\x01", 6)),
            Outcome::Either},
        {QStringLiteral("rle8-delta-past-the-end.bmp"), rle8Bitmap(4, 2, QByteArray("\x00\x02\xff\xff\x02\x01\x00\x01", 8)),
            Outcome::Either},
        {QStringLiteral("rle8-absolute-run-cut.bmp"), rle8Bitmap(4, 2, QByteArray("\x00\xc8\x01\x01", 4)), Outcome::Either},
        {QStringLiteral("sound.ico"), icon, Outcome::Picture},
        {QStringLiteral("directory-only.ico"), icon.left(22), Outcome::Error},
        {QStringLiteral("many-entries.ico"), patchedLittle<quint16>(icon.left(22), 4, 0xffff), Outcome::Error},
        {QStringLiteral("entry-past-the-end.ico"), patchedLittle<quint32>(icon, 18, 0x7ffffff0), Outcome::Error},
        {QStringLiteral("sound.wmf"),
            placeableWmf(wmfRecord(0x041b, {90, 90, 10, 10}) + wmfRecord(0, {}), 7 + 3, 7), Outcome::Picture},
        {QStringLiteral("record-past-the-end.wmf"),
            placeableWmf(wmfRecord(0x041b, {90, 90, 10, 10}, 0x7fffffff) + wmfRecord(0, {}), 7 + 3, 7), Outcome::Error},
        {QStringLiteral("header-only.wmf"), placeableWmf({}, 0, 0).left(30), Outcome::Error},
        {QStringLiteral("sound.emf"), emf(100, 80), Outcome::Picture},
        {QStringLiteral("header-past-the-end.emf"), emf(100, 80, 0x7ffffff0), Outcome::Error},
        {QStringLiteral("description-past-the-end.emf"),
            patchedLittle<quint32>(patchedLittle<quint32>(emf(100, 80), 60, 0x1000), 64, 88), Outcome::Error},
        // "AAAA" to the end of the header, with no null character after it.
        {QStringLiteral("description-without-its-end.emf"),
            patchedLittle<quint32>(patchedLittle<quint32>(patchedLittle<quint32>(emf(100, 80), 100, 0x00410041), 104, 0x00410041),
                64, 100),
            Outcome::Error},
        {QStringLiteral("huge-bounds.emf"), emf(2000000, 2000000), Outcome::TooLarge},
        {QStringLiteral("cut.emf"), emf(100, 80).left(60), Outcome::Error},
    };
}

} // namespace DamagedPictures
