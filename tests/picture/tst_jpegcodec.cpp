#include "picture/JpegCodec.h"

#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

using namespace Qt::StringLiterals;

namespace {

/// A JPEG of one flat colour, written straight with libjpeg in a colour space and mode our
/// encoder does not write: what cameras, scanners and other programs give.
QByteArray flatJpeg(J_COLOR_SPACE space, const std::vector<unsigned char> &pixel, bool progressive, int size = 16)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *output = nullptr;
    unsigned long outputSize = 0;
    jpeg_mem_dest(&info, &output, &outputSize);
    info.image_width = JDIMENSION(size);
    info.image_height = JDIMENSION(size);
    info.input_components = int(pixel.size());
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row;
    for (int x = 0; x < size; ++x)
        row.insert(row.end(), pixel.begin(), pixel.end());
    while (info.next_scanline < info.image_height) {
        unsigned char *line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char *>(output), qsizetype(outputSize));
    std::free(output);
    return bytes;
}

QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
    }
    return image;
}

bool near(QRgb found, QRgb wanted, int tolerance)
{
    return std::abs(qRed(found) - qRed(wanted)) <= tolerance && std::abs(qGreen(found) - qGreen(wanted)) <= tolerance
        && std::abs(qBlue(found) - qBlue(wanted)) <= tolerance;
}

// Where a marker's segment starts, after its two bytes; -1 when the file has none.
qsizetype segment(const QByteArray &jpeg, unsigned char marker)
{
    for (qsizetype at = 2; at + 1 < jpeg.size(); ++at) {
        if (static_cast<unsigned char>(jpeg[at]) == 0xff && static_cast<unsigned char>(jpeg[at + 1]) == marker)
            return at + 2;
    }
    return -1;
}

} // namespace

class TestJpegCodec : public QObject
{
    Q_OBJECT

private slots:
    // A bitmap becomes a baseline sequential JPEG with the quality-50 tables (the standard
    // tables unscaled: the luminance table starts at 16), which reads back as it was.
    void aBitmapIsStoredAsABaselineJpegOfQuality50()
    {
        const QImage original = gradient(40, 30);
        QByteArray jpeg;
        QCOMPARE(picture::encodeJpeg(original, jpeg), std::nullopt);
        QVERIFY(jpeg.startsWith("\xff\xd8"));
        QVERIFY(segment(jpeg, 0xc0) > 0);
        QCOMPARE(segment(jpeg, 0xc2), -1);
        const qsizetype tables = segment(jpeg, 0xdb);
        QVERIFY(tables > 0);
        QCOMPARE(static_cast<unsigned char>(jpeg[tables + 2]), 0x00); // 8-bit table 0
        QCOMPARE(static_cast<unsigned char>(jpeg[tables + 3]), 16);

        QImage decoded;
        QCOMPARE(picture::decodeJpeg(jpeg, decoded), std::nullopt);
        QCOMPARE(decoded.size(), original.size());
        QCOMPARE(decoded.format(), QImage::Format_RGB888);
        for (const QPoint point : {QPoint(0, 0), QPoint(20, 15), QPoint(39, 29)})
            QVERIFY2(near(decoded.pixel(point), original.pixel(point), 24), qPrintable(QString::number(decoded.pixel(point), 16)));
    }

    // Qt's 32-bit points are handed to libjpeg as they lie: the file must be the one their
    // 24-bit copy gives, byte for byte, whatever order the bytes of a point are in.
    void aThirtyTwoBitBitmapGivesTheFileOfItsTwentyFourBitCopy()
    {
        const QImage original = gradient(40, 30);
        QCOMPARE(original.format(), QImage::Format_RGB32);
        QByteArray fromThirtyTwoBits;
        QByteArray fromTwentyFourBits;
        QCOMPARE(picture::encodeJpeg(original, fromThirtyTwoBits), std::nullopt);
        QCOMPARE(picture::encodeJpeg(original.convertToFormat(QImage::Format_RGB888), fromTwentyFourBits), std::nullopt);
        QCOMPARE(fromThirtyTwoBits, fromTwentyFourBits);
    }

    void anImageWithoutPixelsGivesNoBytes()
    {
        QByteArray jpeg = "left over";
        QCOMPARE(picture::encodeJpeg(QImage(), jpeg), std::nullopt);
        QVERIFY(jpeg.isEmpty());
    }

    void filesOfOtherProgramsAreShownInColour_data()
    {
        QTest::addColumn<QByteArray>("jpeg");
        QTest::addColumn<QRgb>("colour");
        QTest::newRow("greyscale") << flatJpeg(JCS_GRAYSCALE, {128}, false) << qRgb(128, 128, 128);
        QTest::newRow("progressive") << flatJpeg(JCS_RGB, {200, 40, 10}, true) << qRgb(200, 40, 10);
        // Adobe's CMYK is stored inverted: full "cyan" and "black" bytes are no ink at all of
        // them, and none of magenta and yellow is all of those: red.
        QTest::newRow("Adobe CMYK") << flatJpeg(JCS_CMYK, {255, 0, 0, 255}, false) << qRgb(255, 0, 0);
    }
    void filesOfOtherProgramsAreShownInColour()
    {
        QFETCH(QByteArray, jpeg);
        QFETCH(QRgb, colour);
        QImage decoded;
        QCOMPARE(picture::decodeJpeg(jpeg, decoded), std::nullopt);
        QCOMPARE(decoded.size(), QSize(16, 16));
        QVERIFY2(near(decoded.pixel(8, 8), colour, 6), qPrintable(QString::number(decoded.pixel(8, 8), 16)));
    }

    // Whatever the bytes, an error comes back and the image stays as it was; nothing ends the
    // program.
    void damagedDataGivesAnError_data()
    {
        QByteArray valid;
        QVERIFY(!picture::encodeJpeg(gradient(64, 64), valid));
        QByteArray huge = valid;
        const qsizetype frame = segment(huge, 0xc0);
        // Height and width of 60,000 points each: over 10 GB decoded.
        for (const qsizetype at : {frame + 3, frame + 5}) {
            huge[at] = char(0xea);
            huge[at + 1] = char(0x60);
        }
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray() << u"Ce ne sont pas des données JPEG."_s;
        QTest::newRow("not JPEG") << QByteArray("BM not a jpeg") << u"Ce ne sont pas des données JPEG."_s;
        QTest::newRow("start of image only") << QByteArray("\xff\xd8", 2) << u"Image JPEG illisible"_s;
        QTest::newRow("garbage after the start") << QByteArray("\xff\xd8\x00\x13garbage garbage", 17) << u"Image JPEG illisible"_s;
        QTest::newRow("header cut short") << valid.left(frame + 4) << u"Image JPEG illisible"_s;
        QTest::newRow("huge dimensions") << huge << u"L'image est trop grande"_s;
    }
    void damagedDataGivesAnError()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QImage image(3, 3, QImage::Format_RGB888);
        image.fill(Qt::blue);
        const std::optional<picture::PictureError> error = picture::decodeJpeg(bytes, image);
        QVERIFY(error);
        QVERIFY2(error->message.startsWith(message), qPrintable(error->message));
        QCOMPARE(image.size(), QSize(3, 3));
        QCOMPARE(image.pixel(1, 1), qRgb(0, 0, 255));
    }

    // A file cut in its picture data shows what it holds, as viewers do.
    void aFileCutShortShowsWhatItHolds()
    {
        QByteArray jpeg;
        QVERIFY(!picture::encodeJpeg(gradient(256, 256), jpeg));
        const qsizetype scan = segment(jpeg, 0xda);
        QVERIFY(scan > 0);
        QImage decoded;
        QCOMPARE(picture::decodeJpeg(jpeg.left((scan + jpeg.size()) / 2), decoded), std::nullopt);
        QCOMPARE(decoded.size(), QSize(256, 256));
    }
};

QTEST_GUILESS_MAIN(TestJpegCodec)

#include "tst_jpegcodec.moc"
