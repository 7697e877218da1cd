#include "picture/MetafileReader.h"

#include <QTest>
#include <QtEndian>

#include <initializer_list>

using namespace Qt::StringLiterals;
using picture::MetafileKind;

Q_DECLARE_METATYPE(picture::MetafileKind)

namespace {

constexpr QRgb white = 0xFFFFFFFF;
constexpr QRgb red = 0xFFFF0000;

void putWord(QByteArray &bytes, qsizetype at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void putDoubleWord(QByteArray &bytes, qsizetype at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void appendWord(QByteArray &bytes, quint16 value)
{
    bytes.append(2, '\0');
    putWord(bytes, bytes.size() - 2, value);
}

void appendDoubleWord(QByteArray &bytes, quint32 value)
{
    bytes.append(4, '\0');
    putDoubleWord(bytes, bytes.size() - 4, value);
}

// --- WMF: 16-bit words, a record's size counted in words, its parameters in reverse order.

constexpr quint16 metaEof = 0x0000;
constexpr quint16 metaSetWindowOrg = 0x020B;
constexpr quint16 metaSetWindowExt = 0x020C;
constexpr quint16 metaSelectObject = 0x012D;
constexpr quint16 metaCreatePenIndirect = 0x02FA;
constexpr quint16 metaCreateBrushIndirect = 0x02FC;
constexpr quint16 metaRectangle = 0x041B;

constexpr quint16 solid = 0;
constexpr quint16 hollowBrush = 1;
constexpr quint16 nullPen = 5;

struct Wmf
{
    QByteArray records;
    quint32 largestRecord = 0;
    quint16 objects = 0;

    void record(quint16 function, std::initializer_list<quint16> parameters)
    {
        const auto words = quint32(3 + parameters.size());
        largestRecord = std::max(largestRecord, words);
        appendDoubleWord(records, words);
        appendWord(records, function);
        for (quint16 parameter : parameters)
            appendWord(records, parameter);
    }

    void pen(quint16 style, QRgb colour)
    {
        record(metaCreatePenIndirect, {style, 1, 0, quint16(qRed(colour) | qGreen(colour) << 8), quint16(qBlue(colour))});
        ++objects;
    }

    void brush(quint16 style, QRgb colour)
    {
        record(metaCreateBrushIndirect, {style, quint16(qRed(colour) | qGreen(colour) << 8), quint16(qBlue(colour)), 0});
        ++objects;
    }

    QByteArray file() const
    {
        QByteArray bytes;
        appendWord(bytes, 1); // in memory
        appendWord(bytes, 9); // header words
        appendWord(bytes, 0x0300);
        appendDoubleWord(bytes, quint32(9 + records.size() / 2 + 3));
        appendWord(bytes, objects);
        appendDoubleWord(bytes, std::max<quint32>(largestRecord, 3));
        appendWord(bytes, 0);
        bytes += records;
        appendDoubleWord(bytes, 3);
        appendWord(bytes, metaEof);
        return bytes;
    }
};

// The placeable header: bounds in logical units and how many of them make an inch.
QByteArray placeable(qint16 left, qint16 top, qint16 right, qint16 bottom, quint16 unitsPerInch)
{
    QByteArray header;
    appendDoubleWord(header, 0x9AC6CDD7);
    appendWord(header, 0);
    for (qint16 side : {left, top, right, bottom})
        appendWord(header, quint16(side));
    appendWord(header, unitsPerInch);
    appendDoubleWord(header, 0);
    quint16 checksum = 0;
    for (qsizetype at = 0; at < header.size(); at += 2)
        checksum ^= qFromLittleEndian<quint16>(header.constData() + at);
    appendWord(header, checksum);
    return header;
}

// A 200 × 100 window framed in black on a hollow brush, a red rectangle filling its middle
// half without an outline; white between the two.
QByteArray framedRedWmf()
{
    Wmf wmf;
    wmf.record(metaSetWindowOrg, {0, 0});
    wmf.record(metaSetWindowExt, {100, 200});
    wmf.pen(solid, qRgb(0, 0, 0));
    wmf.brush(hollowBrush, qRgb(0, 0, 0));
    wmf.record(metaSelectObject, {0});
    wmf.record(metaSelectObject, {1});
    wmf.record(metaRectangle, {100, 200, 0, 0});
    wmf.pen(nullPen, qRgb(0, 0, 0));
    wmf.brush(solid, red);
    wmf.record(metaSelectObject, {2});
    wmf.record(metaSelectObject, {3});
    wmf.record(metaRectangle, {75, 150, 25, 50});
    return wmf.file();
}

constexpr qsizetype wmfFirstRecordAt = 18;

// --- EMF: 32-bit fields, a record's size counted in bytes.

constexpr quint32 emrHeader = 1;
constexpr quint32 emrEof = 14;
constexpr quint32 emrSelectObject = 37;
constexpr quint32 emrCreatePen = 38;
constexpr quint32 emrCreateBrushIndirect = 39;
constexpr quint32 emrRectangle = 43;
constexpr qsizetype emfHeaderSize = 108;

QByteArray emfRecord(quint32 type, std::initializer_list<quint32> fields)
{
    QByteArray bytes;
    appendDoubleWord(bytes, type);
    appendDoubleWord(bytes, quint32(8 + 4 * fields.size()));
    for (quint32 field : fields)
        appendDoubleWord(bytes, field);
    return bytes;
}

quint32 colorRef(QRgb colour)
{
    return quint32(qRed(colour) | qGreen(colour) << 8 | qBlue(colour) << 16);
}

// A 200 × 100 drawing with a red rectangle in its middle half, drawn without an outline.
QByteArray redEmf(qint32 width = 200, qint32 height = 100)
{
    QByteArray records = emfRecord(emrCreatePen, {1, nullPen, 0, 0, 0})
        + emfRecord(emrCreateBrushIndirect, {2, solid, colorRef(red), 0}) + emfRecord(emrSelectObject, {1})
        + emfRecord(emrSelectObject, {2}) + emfRecord(emrRectangle, {50, 25, 150, 75}) + emfRecord(emrEof, {0, 16, 20});

    QByteArray header;
    appendDoubleWord(header, emrHeader);
    appendDoubleWord(header, quint32(emfHeaderSize));
    for (qint32 side : {0, 0, width, height}) // bounds, in device points
        appendDoubleWord(header, quint32(side));
    for (qint32 side : {0, 0, width * 2646 / 100, height * 2646 / 100}) // frame, in 0.01 mm at 96 dpi
        appendDoubleWord(header, quint32(side));
    appendDoubleWord(header, 0x464D4520);
    appendDoubleWord(header, 0x10000);
    appendDoubleWord(header, quint32(emfHeaderSize + records.size()));
    appendDoubleWord(header, 7); // records
    appendWord(header, 3); // handles, the first one reserved
    appendWord(header, 0);
    for (quint32 field : {0u, 0u, 0u, 1920u, 1080u, 508u, 286u, 0u, 0u, 0u, 508000u, 286000u})
        appendDoubleWord(header, field);
    Q_ASSERT(header.size() == emfHeaderSize);
    return header + records;
}

QByteArray withWord(QByteArray bytes, qsizetype at, quint16 value)
{
    putWord(bytes, at, value);
    return bytes;
}

QByteArray withDoubleWord(QByteArray bytes, qsizetype at, quint32 value)
{
    putDoubleWord(bytes, at, value);
    return bytes;
}

QImage sentinel()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::green);
    return image;
}

QString invalid()
{
    return u"Metafile is not valid"_s;
}

} // namespace

class TestMetafileReader : public QObject
{
    Q_OBJECT

private slots:
    void aMetafileIsDrawnAtItsOwnSizeOnWhite_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<MetafileKind>("kind");
        QTest::addColumn<QSize>("size");
        const QByteArray wmf = framedRedWmf();
        QTest::newRow("placeable WMF, 96 units an inch") << placeable(0, 0, 200, 100, 96) + wmf << MetafileKind::Wmf << QSize(200, 100);
        QTest::newRow("placeable WMF, 48 units an inch") << placeable(0, 0, 200, 100, 48) + wmf << MetafileKind::Wmf << QSize(400, 200);
        QTest::newRow("EMF") << redEmf() << MetafileKind::Emf << QSize(200, 100);
    }

    void aMetafileIsDrawnAtItsOwnSizeOnWhite()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(MetafileKind, kind);
        QFETCH(QSize, size);
        QImage drawing;
        const std::optional<picture::PictureError> error = picture::readMetafile(bytes, kind, drawing);
        QVERIFY2(!error, qPrintable(error ? error->message : QString()));
        QCOMPARE(drawing.size(), size);
        const auto at = [&](double x, double y) { return drawing.pixel(int(x * size.width()), int(y * size.height())); };
        QCOMPARE(at(0.5, 0.5), red);
        QCOMPARE(at(0.3, 0.3), red);
        QCOMPARE(at(0.7, 0.7), red);
        QCOMPARE(at(0.15, 0.5), white);
        QCOMPARE(at(0.5, 0.15), white);
        QCOMPARE(at(0.85, 0.85), white);
    }

    // Without the placeable header there are no bounds but the drawing's own; libwmf estimates
    // the size from them.
    void aPlainWmfIsDrawn()
    {
        QImage drawing;
        const std::optional<picture::PictureError> error = picture::readMetafile(framedRedWmf(), MetafileKind::Wmf, drawing);
        QVERIFY2(!error, qPrintable(error ? error->message : QString()));
        QVERIFY(!drawing.isNull());
        QCOMPARE(drawing.pixel(drawing.width() / 2, drawing.height() / 2), red);
        QCOMPARE(drawing.pixel(drawing.width() / 8, drawing.height() / 2), white);
    }

    void damagedMetafilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<MetafileKind>("kind");
        QTest::addColumn<QString>("message");
        const QByteArray wmf = framedRedWmf();
        const QByteArray placeableWmf = placeable(0, 0, 200, 100, 96) + wmf;
        const QByteArray emf = redEmf();
        const QString tooLarge = picture::tooLargeToShow(100000, 100000).message;

        QTest::newRow("WMF: no bytes") << QByteArray() << MetafileKind::Wmf << invalid();
        QTest::newRow("WMF: 3 bytes") << wmf.first(3) << MetafileKind::Wmf << invalid();
        QTest::newRow("WMF: header cut short") << wmf.first(wmfFirstRecordAt - 1) << MetafileKind::Wmf << invalid();
        QTest::newRow("WMF: header only") << wmf.first(wmfFirstRecordAt) << MetafileKind::Wmf << invalid();
        QTest::newRow("WMF: cut in a record") << wmf.first(wmfFirstRecordAt + 8) << MetafileKind::Wmf << invalid();
        QTest::newRow("WMF: end record cut short") << wmf.chopped(1) << MetafileKind::Wmf << invalid();
        QTest::newRow("WMF: no end record") << wmf.chopped(6) << MetafileKind::Wmf << invalid();
        QTest::newRow("placeable: key only") << placeableWmf.first(4) << MetafileKind::Wmf << invalid();
        QTest::newRow("placeable: header cut short") << placeableWmf.first(21) << MetafileKind::Wmf << invalid();
        QTest::newRow("placeable: no metafile") << placeableWmf.first(22) << MetafileKind::Wmf << invalid();
        QTest::newRow("placeable: cut in a record") << placeableWmf.chopped(10) << MetafileKind::Wmf << invalid();
        QTest::newRow("placeable: wrong key") << withDoubleWord(placeableWmf, 0, 0x9AC6CDD6) << MetafileKind::Wmf << invalid();
        QTest::newRow("placeable: no units an inch") << placeable(0, 0, 200, 100, 0) + wmf << MetafileKind::Wmf << invalid();
        QTest::newRow("placeable: empty bounds") << placeable(0, 0, 0, 100, 96) + wmf << MetafileKind::Wmf << invalid();
        QTest::newRow("placeable: huge") << placeable(0, 0, 32767, 32767, 1) + wmf << MetafileKind::Wmf
                                         << picture::tooLargeToShow(32767 * 96, 32767 * 96).message;
        QTest::newRow("WMF: wrong type") << withWord(wmf, 0, 3) << MetafileKind::Wmf << invalid();
        QTest::newRow("WMF: wrong header size") << withWord(wmf, 2, 10) << MetafileKind::Wmf << invalid();
        QTest::newRow("WMF: wrong version") << withWord(wmf, 4, 0x0200) << MetafileKind::Wmf << invalid();
        QTest::newRow("WMF: EMF bytes") << emf << MetafileKind::Wmf << invalid();
        QTest::newRow("WMF: record past the end") << withDoubleWord(wmf, wmfFirstRecordAt, quint32(wmf.size())) << MetafileKind::Wmf << invalid();
        QTest::newRow("WMF: record of 4 G words") << withDoubleWord(wmf, wmfFirstRecordAt, 0xFFFFFFFF) << MetafileKind::Wmf << invalid();
        QTest::newRow("WMF: record of no words") << withDoubleWord(wmf, wmfFirstRecordAt, 0) << MetafileKind::Wmf << invalid();
        QTest::newRow("WMF: record shorter than its header") << withDoubleWord(wmf, wmfFirstRecordAt, 2) << MetafileKind::Wmf << invalid();

        QTest::newRow("EMF: no bytes") << QByteArray() << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: 7 bytes") << emf.first(7) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: header cut short") << emf.first(87) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: header only") << emf.first(emfHeaderSize) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: cut in a record") << emf.first(emfHeaderSize + 12) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: end record cut short") << emf.chopped(4) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: no end record") << emf.chopped(20) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: wrong signature") << withDoubleWord(emf, 40, 0x464D4521) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: not a header first") << withDoubleWord(emf, 0, emrRectangle) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: WMF bytes") << wmf << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: empty bounds") << redEmf(0, 100) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: bounds upside down") << redEmf(200, -100) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: no reference millimetres") << withDoubleWord(emf, 80, 0) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: huge") << redEmf(100000, 100000) << MetafileKind::Emf << tooLarge;
        QTest::newRow("EMF: header past the end") << withDoubleWord(emf, 4, quint32(emf.size() + 4)) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: header shorter than its fields") << withDoubleWord(emf, 4, 84) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: record past the end") << withDoubleWord(emf, emfHeaderSize + 4, quint32(emf.size())) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: record of 4 GB") << withDoubleWord(emf, emfHeaderSize + 4, 0xFFFFFFFC) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: record of no bytes") << withDoubleWord(emf, emfHeaderSize + 4, 0) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: record size not in whole fields") << withDoubleWord(emf, emfHeaderSize + 4, 30) << MetafileKind::Emf << invalid();
        QTest::newRow("EMF: a second header") << withDoubleWord(emf, emfHeaderSize, emrHeader) << MetafileKind::Emf << invalid();
    }

    void damagedMetafilesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(MetafileKind, kind);
        QFETCH(QString, message);
        QImage drawing = sentinel();
        const std::optional<picture::PictureError> error = picture::readMetafile(bytes, kind, drawing);
        QVERIFY(error);
        QCOMPARE(error->message, message);
        QCOMPARE(drawing, sentinel());
    }

    // Every length and a few values at every byte: an error or a drawing, never a crash or a
    // read outside the bytes (the sanitizers watch), and a drawing never larger than allowed.
    void anyDamageGivesAnErrorOrADrawing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<MetafileKind>("kind");
        QTest::newRow("plain WMF") << framedRedWmf() << MetafileKind::Wmf;
        QTest::newRow("placeable WMF") << placeable(0, 0, 200, 100, 96) + framedRedWmf() << MetafileKind::Wmf;
        QTest::newRow("EMF") << redEmf() << MetafileKind::Emf;
    }

    void anyDamageGivesAnErrorOrADrawing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(MetafileKind, kind);
        const auto check = [&](const QByteArray &damaged) {
            QImage drawing = sentinel();
            const std::optional<picture::PictureError> error = picture::readMetafile(damaged, kind, drawing);
            if (error) {
                QVERIFY(!error->message.isEmpty());
                QCOMPARE(drawing, sentinel());
            } else {
                QVERIFY(!drawing.isNull());
                QVERIFY(picture::fitsDecoded(drawing.width(), drawing.height(), 4));
            }
        };
        for (qsizetype length = 0; length < bytes.size(); ++length) {
            check(bytes.first(length));
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(u"cut to %1 bytes"_s.arg(length)));
        }
        for (qsizetype at = 0; at < bytes.size(); ++at) {
            for (char value : {'\x00', '\x01', '\x7F', '\x80', '\xFF'}) {
                QByteArray damaged = bytes;
                damaged[at] = value;
                check(damaged);
                if (QTest::currentTestFailed())
                    QFAIL(qPrintable(u"byte %1 set to %2"_s.arg(at).arg(uchar(value))));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestMetafileReader)
#include "tst_metafilereader.moc"
