#include <QFile>
#include <QImage>
#include <QTest>
#include <QtEndian>

using namespace Qt::Literals::StringLiterals;

namespace {

const QColor teal(0x54, 0x6b, 0x68);
const QColor grey(0x64, 0x64, 0x64);
const QColor aqua(0x93, 0xc9, 0xbf);
const QColor panelSurface(0xbb, 0xcc, 0xcd);

template<typename T>
T headerField(const QByteArray &file, int offset)
{
    return qFromLittleEndian<T>(file.constData() + offset);
}

QImage loadRgb(const QString &path)
{
    return QImage(path).convertToFormat(QImage::Format_RGB32);
}

// The pixels of a row or column that the panel copies: the cells, without the two columns
// and the row left over after dividing the picture in three.
QList<QRgb> copiedRow(const QImage &panel, int y)
{
    QList<QRgb> pixels;
    const int cellWidth = panel.width() / 3;
    for (int x = 0; x < panel.width(); ++x) {
        if (x < 2 * cellWidth || x >= panel.width() - cellWidth)
            pixels.append(panel.pixel(x, y));
    }
    return pixels;
}

QList<QRgb> copiedColumn(const QImage &panel, int x)
{
    QList<QRgb> pixels;
    const int cellHeight = panel.height() / 3;
    for (int y = 0; y < panel.height(); ++y) {
        if (y < 2 * cellHeight || y >= panel.height() - cellHeight)
            pixels.append(panel.pixel(x, y));
    }
    return pixels;
}

} // namespace

class TestControlBitmaps : public QObject
{
    Q_OBJECT

private slots:
    void storedWithTheirSizeAndDepth_data();
    void storedWithTheirSizeAndDepth();
    void framesShowTheirStateOnTheirSurround_data();
    void framesShowTheirStateOnTheirSurround();
    void panelRepeatsWithoutSeams();
};

void TestControlBitmaps::storedWithTheirSizeAndDepth_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bitsPerPixel");

    QTest::newRow("panel") << u":/controls/BMP_FOND.bmp"_s << 389 << 235 << 8;
    QTest::newRow("buttons") << u":/controls/BMP_BUTTONS.bmp"_s << 400 << 24 << 8;
    QTest::newRow("round buttons") << u":/controls/BMP_PARCOURS.bmp"_s << 100 << 24 << 8;
    QTest::newRow("light round buttons") << u":/controls/BMP_PARCOURS1.bmp"_s << 100 << 24 << 24;
}

void TestControlBitmaps::storedWithTheirSizeAndDepth()
{
    QFETCH(QString, path);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bitsPerPixel);

    QFile resource(path);
    QVERIFY(resource.open(QIODevice::ReadOnly));
    const QByteArray file = resource.readAll();
    QVERIFY(file.size() > 54);
    QVERIFY(file.startsWith("BM"));
    QCOMPARE(headerField<qint32>(file, 18), width);
    QCOMPARE(headerField<qint32>(file, 22), height);
    QCOMPARE(headerField<quint16>(file, 28), bitsPerPixel);
    if (bitsPerPixel == 8) {
        const quint32 paletteColours = headerField<quint32>(file, 46);
        QVERIFY2(paletteColours == 0 || paletteColours == 256, qPrintable(QString::number(paletteColours)));
    }

    QCOMPARE(QImage(path).size(), QSize(width, height));
}

void TestControlBitmaps::framesShowTheirStateOnTheirSurround_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QColor>("surround");

    QTest::newRow("buttons") << u":/controls/BMP_BUTTONS.bmp"_s << QColor(0xbd, 0xd1, 0xcd);
    QTest::newRow("round buttons") << u":/controls/BMP_PARCOURS.bmp"_s << QColor(0x7a, 0x87, 0x85);
    QTest::newRow("light round buttons") << u":/controls/BMP_PARCOURS1.bmp"_s << QColor(0xa7, 0xc9, 0xc2);
}

void TestControlBitmaps::framesShowTheirStateOnTheirSurround()
{
    QFETCH(QString, path);
    QFETCH(QColor, surround);

    const QImage strip = loadRgb(path);
    QVERIFY(!strip.isNull());
    const int frameWidth = strip.width() / 5;
    const int bottom = strip.height() - 1;
    // Normal, pressed, disabled, focus outline (its own look, not checked here) and hot.
    const QColor bodies[] = {teal, teal, grey, QColor(), aqua};
    for (int frame = 0; frame < 5; ++frame) {
        const int left = frame * frameWidth;
        const int right = left + frameWidth - 1;
        for (const QPoint corner : {QPoint(left, 0), QPoint(right, 0), QPoint(left, bottom), QPoint(right, bottom)})
            QCOMPARE(strip.pixelColor(corner), surround);

        if (!bodies[frame].isValid())
            continue;
        const int middle = left + frameWidth / 2;
        for (const int y : {strip.height() / 2 - 1, strip.height() / 2})
            QCOMPARE(strip.pixelColor(middle, y), bodies[frame]);
    }
}

// The panel repeats its middle row and column of cells over any size, and its corners join
// them at any place, so every row it repeats must be one and the same from side to side, and
// so must every column; the middle cell must be the surface the forms paint behind it.
void TestControlBitmaps::panelRepeatsWithoutSeams()
{
    const QImage panel = loadRgb(u":/controls/BMP_FOND.bmp"_s);
    QVERIFY(!panel.isNull());
    const int cellWidth = panel.width() / 3;
    const int cellHeight = panel.height() / 3;

    QList<int> repeatedRows{panel.height() - cellHeight};
    for (int y = cellHeight - 1; y < 2 * cellHeight; ++y)
        repeatedRows.append(y);
    for (const int y : repeatedRows)
        QVERIFY2(copiedRow(panel, y) == copiedRow(panel, cellHeight), qPrintable(u"row %1"_s.arg(y)));

    QList<int> repeatedColumns{panel.width() - cellWidth};
    for (int x = cellWidth - 1; x < 2 * cellWidth; ++x)
        repeatedColumns.append(x);
    for (const int x : repeatedColumns)
        QVERIFY2(copiedColumn(panel, x) == copiedColumn(panel, cellWidth), qPrintable(u"column %1"_s.arg(x)));

    for (int y = cellHeight; y < 2 * cellHeight; ++y) {
        for (int x = cellWidth; x < 2 * cellWidth; ++x)
            QCOMPARE(panel.pixelColor(x, y), panelSurface);
    }
}

QTEST_GUILESS_MAIN(TestControlBitmaps)
#include "tst_controlbitmaps.moc"
