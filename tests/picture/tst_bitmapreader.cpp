#include "picture/BitmapReader.h"

#include <QBuffer>
#include <QTest>
#include <QtEndian>

#include <climits>

using namespace Qt::StringLiterals;

namespace {

QByteArray bitmapFile(const QImage &image)
{
    QByteArray bytes;
    QBuffer device(&bytes);
    device.open(QIODevice::WriteOnly);
    image.save(&device, "BMP");
    return bytes;
}

QImage sample()
{
    QImage image(7, 5, QImage::Format_RGB32);
    image.fill(qRgb(10, 120, 230));
    image.setPixel(3, 2, qRgb(255, 0, 0));
    return image;
}

QByteArray graphicHeader(quint16 count, quint16 type, quint32 size)
{
    QByteArray header(8, '\0');
    auto *bytes = reinterpret_cast<uchar *>(header.data());
    qToLittleEndian(count, bytes);
    qToLittleEndian(type, bytes + 2);
    qToLittleEndian(size, bytes + 4);
    return header;
}

} // namespace

class TestBitmapReader : public QObject
{
    Q_OBJECT

private slots:
    // Skipped only when all three fields agree with the content.
    void theGraphicHeaderIsSkippedWhenItIsOne_data()
    {
        const QByteArray bitmap = bitmapFile(sample());
        const auto size = quint32(bitmap.size());
        QTest::addColumn<QByteArray>("blob");
        QTest::addColumn<bool>("skipped");
        QTest::newRow("no header") << bitmap << false;
        QTest::newRow("header") << graphicHeader(1, 0x0100, size) + bitmap << true;
        QTest::newRow("count 2") << graphicHeader(2, 0x0100, size) + bitmap << false;
        QTest::newRow("other type") << graphicHeader(1, 0x0200, size) + bitmap << false;
        QTest::newRow("wrong size") << graphicHeader(1, 0x0100, size - 1) + bitmap << false;
        QTest::newRow("seven bytes") << QByteArray("\x01\x00\x00\x01\x00\x00\x00", 7) << false;
    }
    void theGraphicHeaderIsSkippedWhenItIsOne()
    {
        QFETCH(QByteArray, blob);
        QFETCH(bool, skipped);
        QCOMPARE(picture::withoutGraphicHeader(blob).size(), skipped ? blob.size() - 8 : blob.size());
    }

    void aBitmapReads()
    {
        QImage image;
        QCOMPARE(picture::readBitmap(bitmapFile(sample()), image), std::nullopt);
        QCOMPARE(image.size(), QSize(7, 5));
        QCOMPARE(image.pixel(3, 2), qRgb(255, 0, 0));
        QCOMPARE(image.pixel(0, 0), qRgb(10, 120, 230));
    }

    void noBytesAreNoPicture()
    {
        QImage image = sample();
        QCOMPARE(picture::readBitmap(QByteArrayView(), image), std::nullopt);
        QVERIFY(image.isNull());
    }

    // Whatever the bytes, an error comes back and the image stays as it was.
    void badBitmapsGiveTheirError_data()
    {
        const QByteArray bitmap = bitmapFile(sample());
        QByteArray huge = bitmap;
        // Width and height of the information header: 100,000 by 100,000.
        qToLittleEndian<qint32>(100000, reinterpret_cast<uchar *>(huge.data()) + 18);
        qToLittleEndian<qint32>(100000, reinterpret_cast<uchar *>(huge.data()) + 22);
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("shorter than the file header") << QByteArray("BM\x10\x00") << u"Stream read error"_s;
        QTest::newRow("not BM") << QByteArray("GIF89a not a bitmap at all") << u"Bitmap image is not valid"_s;
        QTest::newRow("cut in its header") << bitmap.left(20) << u"Stream read error"_s;
        QTest::newRow("garbage after BM") << QByteArray("BM") + QByteArray(40, '\xff') << u"Stream read error"_s;
        QTest::newRow("huge") << huge << u"L'image est trop grande"_s;
        QByteArray mostNegative = bitmap;
        qToLittleEndian<qint32>(INT_MIN, reinterpret_cast<uchar *>(mostNegative.data()) + 18);
        QTest::newRow("most negative width") << mostNegative << u"L'image est trop grande"_s;
    }
    void badBitmapsGiveTheirError()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QImage image = sample();
        const std::optional<picture::PictureError> error = picture::readBitmap(bytes, image);
        QVERIFY(error);
        QVERIFY2(error->message.startsWith(message), qPrintable(error->message));
        QCOMPARE(image.size(), QSize(7, 5));
    }
};

QTEST_GUILESS_MAIN(TestBitmapReader)

#include "tst_bitmapreader.moc"
