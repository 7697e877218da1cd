#include "picture/ExifOrientation.h"

#include "picture/JpegCodec.h"

#include <QTest>
#include <QtEndian>

namespace {

// An APP1 segment of Exif data holding one orientation entry, in either byte order.
QByteArray exifSegment(int orientation, bool littleEndian)
{
    QByteArray tiff = littleEndian ? QByteArray("II") : QByteArray("MM");
    const auto put16 = [&](quint16 value) {
        uchar bytes[2];
        littleEndian ? qToLittleEndian(value, bytes) : qToBigEndian(value, bytes);
        tiff.append(reinterpret_cast<const char *>(bytes), 2);
    };
    const auto put32 = [&](quint32 value) {
        uchar bytes[4];
        littleEndian ? qToLittleEndian(value, bytes) : qToBigEndian(value, bytes);
        tiff.append(reinterpret_cast<const char *>(bytes), 4);
    };
    put16(42);
    put32(8);
    put16(2); // two entries: another tag first
    for (const quint16 tag : {quint16(0x010f), quint16(0x0112)}) {
        put16(tag);
        put16(3);
        put32(1);
        put16(tag == 0x0112 ? quint16(orientation) : 0);
        put16(0);
    }
    put32(0);
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xff\xe1");
    uchar length[2];
    qToBigEndian(quint16(payload.size() + 2), length);
    segment.append(reinterpret_cast<const char *>(length), 2);
    return segment + payload;
}

QByteArray photo(const QByteArray &segments)
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QByteArray jpeg;
    if (picture::encodeJpeg(image, jpeg))
        return {};
    return jpeg.left(2) + segments + jpeg.mid(2);
}

// Where the stored top-left pixel of a 3 × 2 picture ends up once shown.
QPoint shownTopLeft(int orientation)
{
    QImage stored(3, 2, QImage::Format_RGB32);
    stored.fill(Qt::white);
    stored.setPixel(0, 0, qRgb(255, 0, 0));
    const QImage shown = picture::orientedForShowing(stored, orientation);
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) == qRgb(255, 0, 0))
                return {x, y};
        }
    }
    return {-1, -1};
}

} // namespace

class TestExifOrientation : public QObject
{
    Q_OBJECT

private slots:
    void theOrientationIsReadInEitherByteOrder_data()
    {
        QTest::addColumn<QByteArray>("jpeg");
        QTest::addColumn<int>("orientation");
        QTest::newRow("none") << photo({}) << 1;
        QTest::newRow("Intel, 6") << photo(exifSegment(6, true)) << 6;
        QTest::newRow("Motorola, 8") << photo(exifSegment(8, false)) << 8;
        QTest::newRow("after another segment") << photo(QByteArray("\xff\xe0\x00\x04" "ab", 6) + exifSegment(3, true)) << 3;
        QTest::newRow("out of range") << photo(exifSegment(9, true)) << 1;
    }
    void theOrientationIsReadInEitherByteOrder()
    {
        QFETCH(QByteArray, jpeg);
        QFETCH(int, orientation);
        QVERIFY(!jpeg.isEmpty());
        QCOMPARE(picture::exifOrientation(jpeg), orientation);
    }

    // Offsets and lengths that point past the data are no orientation, and read nothing
    // outside it.
    void damagedExifDataIsNoOrientation_data()
    {
        const QByteArray good = exifSegment(6, true);
        QByteArray longSegment = good;
        longSegment[2] = char(0x7f);
        QByteArray farDirectory = good;
        farDirectory[4 + 6 + 4] = char(0xff);
        // More entries than the segment holds, none of those it holds the orientation.
        QByteArray manyEntries = good;
        manyEntries[4 + 6 + 8] = char(0xff);
        manyEntries[4 + 6 + 9] = char(0xff);
        manyEntries[4 + 6 + 8 + 2 + 12] = char(0x13);
        QTest::addColumn<QByteArray>("jpeg");
        QTest::newRow("segment longer than the file") << photo(longSegment);
        QTest::newRow("directory past the end") << photo(farDirectory);
        QTest::newRow("more entries than bytes") << photo(manyEntries);
        QTest::newRow("cut in the segment") << photo(good).left(20);
        QTest::newRow("start of image only") << QByteArray("\xff\xd8", 2);
    }
    void damagedExifDataIsNoOrientation()
    {
        QFETCH(QByteArray, jpeg);
        QCOMPARE(picture::exifOrientation(jpeg), 1);
    }

    void thePictureTurnsAsItIsMeantToBeSeen_data()
    {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("1 as stored") << 1 << QSize(3, 2) << QPoint(0, 0);
        QTest::newRow("2 mirrored") << 2 << QSize(3, 2) << QPoint(2, 0);
        QTest::newRow("3 upside down") << 3 << QSize(3, 2) << QPoint(2, 1);
        QTest::newRow("4 flipped") << 4 << QSize(3, 2) << QPoint(0, 1);
        QTest::newRow("5 transposed") << 5 << QSize(2, 3) << QPoint(0, 0);
        QTest::newRow("6 a quarter clockwise") << 6 << QSize(2, 3) << QPoint(1, 0);
        QTest::newRow("7 transposed the other way") << 7 << QSize(2, 3) << QPoint(1, 2);
        QTest::newRow("8 a quarter anticlockwise") << 8 << QSize(2, 3) << QPoint(0, 2);
    }
    void thePictureTurnsAsItIsMeantToBeSeen()
    {
        QFETCH(int, orientation);
        QFETCH(QSize, size);
        QFETCH(QPoint, topLeft);
        QImage stored(3, 2, QImage::Format_RGB32);
        QCOMPARE(picture::orientedForShowing(stored, orientation).size(), size);
        QCOMPARE(shownTopLeft(orientation), topLeft);
    }
};

QTEST_GUILESS_MAIN(TestExifOrientation)

#include "tst_exiforientation.moc"
