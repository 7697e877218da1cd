#include "controls/MyDBImage.h"

#include "DamagedPictures.h"
#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "SamplePictures.h"
#include "dataset/MemoryDataset.h"
#include "guard/ErrorGuard.h"
#include "guard/GuardedApplication.h"

#include <QClipboard>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;
using Kind = picture::Picture::Kind;

namespace {

// A picture with something to tell its corners apart: red, with a blue top-left pixel.
QImage marked(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    image.setPixel(0, 0, qRgb(0, 0, 255));
    return image;
}

// The 8-byte header that older programs put before a bitmap in a blob.
QByteArray withGraphicHeader(const QByteArray &bitmap)
{
    QByteArray header(8, '\0');
    qToLittleEndian<quint16>(1, header.data());
    qToLittleEndian<quint16>(0x0100, header.data() + 2);
    qToLittleEndian<quint32>(quint32(bitmap.size()), header.data() + 4);
    return header + bitmap;
}

bool hasMarker(const QByteArray &jpeg, uchar marker)
{
    for (qsizetype i = 2; i + 1 < jpeg.size(); ++i) {
        if (uchar(jpeg[i]) == 0xff && uchar(jpeg[i + 1]) == marker)
            return true;
    }
    return false;
}

// The first entry of the first quantisation table: 16 at quality 50 with the baseline tables.
int firstQuantisationValue(const QByteArray &jpeg)
{
    const qsizetype table = jpeg.indexOf("\xff\xdb"_ba);
    return table < 0 ? -1 : uchar(jpeg[table + 5]);
}

/// Two recipes in memory, each with a picture blob, and a control bound to them in a shown
/// window. The dataset stays in edit state, as the recipe card keeps it.
struct BoundImage
{
    BoundImage(const QVariant &first, const QVariant &second = {})
    {
        dataset.addField(u"IMAGE"_s, FieldKind::Blob);
        source.setDataset(&dataset);
        dataset.open();
        for (const QVariant &blob : {first, second}) {
            dataset.append();
            dataset.fieldByName(u"IMAGE"_s).setValue(blob);
            dataset.post();
        }
        dataset.first();
        window.resize(200, 100);
        image = new TMyDBImage(&window);
        image->resize(200, 100);
        image->setDataField(u"IMAGE"_s);
        image->setDataSource(&source);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    Field &field() { return dataset.fieldByName(u"IMAGE"_s); }
    QString file(const QString &name) const { return folder.filePath(name); }

    QString saved(const QString &name, const QByteArray &content) const
    {
        QFile out(file(name));
        if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size())
            throw std::runtime_error("the fixture could not be written");
        return out.fileName();
    }

    static QByteArray contentOf(const QString &fileName)
    {
        QFile in(fileName);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    // Runs a command as a handler does, in the error guard, and lets the reports queued for
    // later come up; gives what the boxes said.
    template <class Command>
    QStringList boxesOf(Command command)
    {
        MessageBoxWatcher boxes;
        ErrorGuard::run(command);
        QTest::qWait(20);
        return boxes.texts();
    }

    QTemporaryDir folder;
    MemoryDataset dataset;
    DataSource source;
    QWidget window;
    TMyDBImage *image = nullptr;
};

} // namespace

class TestMyDBImage : public QObject
{
    Q_OBJECT

private slots:
    void theFieldIsReadAsJpegOrAsAnOlderBitmap_data();
    void theFieldIsReadAsJpegOrAsAnOlderBitmap();
    void aPictureIsDrawnCentredAndCutEquallyOnBothSides();
    void aJpegFileIsStoredAndSavedByteForByte();
    void aBitmapFileIsStoredAsABaselineJpegOfQuality50();
    void aFileThatIsNotATakenPictureEmptiesThePictureOnly_data();
    void aFileThatIsNotATakenPictureEmptiesThePictureOnly();
    void anIconEmptiesTheFieldAndStaysShownUntilTheRecordChanges();
    void aFileThatCannotBeReadIsReported();
    void savingWithoutAPictureWritesNothing();
    void cutCopyAndPasteGoThroughTheClipboard();
    void aReadOnlyControlRefusesCutAndPasteButCopies();
    void anIconCannotBeCopied();
    void aMetafileIsCopiedAsItselfAndAsItsDrawing_data();
    void aMetafileIsCopiedAsItselfAndAsItsDrawing();
    void theLastPictureStaysWhileTheDatasetIsClosed();
};

void TestMyDBImage::theFieldIsReadAsJpegOrAsAnOlderBitmap_data()
{
    QTest::addColumn<QVariant>("blob");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("message");

    const QByteArray bitmap = written(marked(12, 7), "bmp");
    const QByteArray jpeg = written(marked(30, 20), "jpeg");
    QTest::newRow("null") << QVariant() << int(Kind::None) << QSize(0, 0) << QString();
    QTest::newRow("JPEG") << QVariant(jpeg) << int(Kind::Jpeg) << QSize(30, 20) << QString();
    QTest::newRow("bitmap") << QVariant(bitmap) << int(Kind::Bitmap) << QSize(12, 7) << QString();
    QTest::newRow("bitmap after a graphic header") << QVariant(withGraphicHeader(bitmap)) << int(Kind::Bitmap)
                                                   << QSize(12, 7) << QString();
    QTest::newRow("one byte") << QVariant("\xff"_ba) << int(Kind::None) << QSize(0, 0) << u"Stream read error"_s;
    QTest::newRow("not a bitmap") << QVariant("GIF89a, and more than fourteen bytes"_ba) << int(Kind::None) << QSize(0, 0)
                                  << u"Bitmap image is not valid"_s;
    QTest::newRow("bitmap cut short") << QVariant(bitmap.left(40)) << int(Kind::None) << QSize(0, 0) << u"Stream read error"_s;
    QTest::newRow("JPEG without its tables") << QVariant("\xff\xd8\xff\xda\x00\x08\x01\x01\x00\x00\x3f\x00"_ba)
                                             << int(Kind::None) << QSize(0, 0) << u"Image JPEG illisible"_s;
}

// The first recipe's picture shows when the control is bound; a damaged one is reported once,
// and the move to the next recipe stands.
void TestMyDBImage::theFieldIsReadAsJpegOrAsAnOlderBitmap()
{
    QFETCH(QVariant, blob);
    QFETCH(int, kind);
    QFETCH(QSize, size);
    QFETCH(QString, message);

    BoundImage bound(QVariant(), blob);
    const QStringList boxes = bound.boxesOf([&] { bound.dataset.next(); });
    QCOMPARE(int(bound.image->picture().kind()), kind);
    QCOMPARE(bound.image->picture().size(), size);
    QVERIFY(bound.field().asBytes() == blob.toByteArray());
    if (message.isEmpty()) {
        QCOMPARE(boxes, QStringList());
    } else {
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.constFirst().startsWith(message), qPrintable(boxes.constFirst()));
    }
}

void TestMyDBImage::aPictureIsDrawnCentredAndCutEquallyOnBothSides()
{
    BoundImage bound(written(marked(11, 6), "bmp"), written(marked(241, 30), "bmp"));
    bound.image->resize(31, 21);
    QImage shown = bound.image->grab().toImage();
    // (31 - 11) / 2 = 10 and (21 - 6) / 2 = 7, truncated.
    QCOMPARE(shown.pixelColor(10, 7), QColor(Qt::blue));
    QCOMPARE(shown.pixelColor(11, 7), QColor(Qt::red));
    QVERIFY(shown.pixelColor(9, 7) != QColor(Qt::red));
    QVERIFY(shown.pixelColor(10, 6) != QColor(Qt::red));

    // 241 pixels in 31: (31 - 241) / 2 = -105, so the first column shown is the 106th.
    bound.dataset.next();
    shown = bound.image->grab().toImage();
    QCOMPARE(shown.pixelColor(0, 10), QColor(Qt::red));
    QCOMPARE(shown.pixelColor(30, 10), QColor(Qt::red));
    bound.image->resize(241 + 2 * 105, 30);
    QCOMPARE(bound.image->grab().toImage().pixelColor(105, 0), QColor(Qt::blue));
}

void TestMyDBImage::aJpegFileIsStoredAndSavedByteForByte()
{
    BoundImage bound{QVariant()};
    bound.dataset.edit();
    const QByteArray jpeg = written(marked(40, 30), "jpeg");
    // The extension in any letter case.
    bound.image->LoadFromFile(bound.saved(u"photo.JPEG"_s, jpeg));
    QCOMPARE(bound.field().asBytes(), jpeg);
    QCOMPARE(bound.image->picture().kind(), Kind::Jpeg);
    bound.image->SaveToFile(bound.file(u"copie.jpg"_s));
    QCOMPARE(BoundImage::contentOf(bound.file(u"copie.jpg"_s)), jpeg);
}

void TestMyDBImage::aBitmapFileIsStoredAsABaselineJpegOfQuality50()
{
    BoundImage bound{QVariant()};
    bound.dataset.edit();
    bound.image->LoadFromFile(bound.saved(u"dessin.Bmp"_s, written(marked(64, 48), "bmp")));
    const QByteArray stored = bound.field().asBytes();
    QVERIFY(stored.startsWith("\xff\xd8"));
    QVERIFY(hasMarker(stored, 0xc0));
    QVERIFY(!hasMarker(stored, 0xc2));
    QCOMPARE(firstQuantisationValue(stored), 16);
    // What is shown is the stored JPEG decoded back, and it is what a save writes, under any name.
    QCOMPARE(bound.image->picture().kind(), Kind::Jpeg);
    QCOMPARE(bound.image->picture().jpegBytes(), stored);
    bound.image->SaveToFile(bound.file(u"encore.bmp"_s));
    QCOMPARE(BoundImage::contentOf(bound.file(u"encore.bmp"_s)), stored);
}

void TestMyDBImage::aFileThatIsNotATakenPictureEmptiesThePictureOnly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("another extension") << u"photo.png"_s << written(marked(5, 5), "png");
    QTest::newRow("no extension") << u"photo"_s << written(marked(5, 5), "jpeg");
    QTest::newRow("text named .jpg") << u"notes.jpg"_s << "Une tarte aux pommes"_ba;
    QTest::newRow("JPEG cut after its start") << u"coupé.jpg"_s << "\xff\xd8\xff"_ba;
    QTest::newRow("bitmap without BM") << u"faux.bmp"_s << QByteArray(60, 'x');
    QTest::newRow("not an icon") << u"faux.ico"_s << QByteArray(60, 'x');
    QTest::newRow("not a metafile") << u"faux.wmf"_s << QByteArray(60, 'x');
}

void TestMyDBImage::aFileThatIsNotATakenPictureEmptiesThePictureOnly()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    const QByteArray jpeg = written(marked(8, 8), "jpeg");
    BoundImage bound(jpeg);
    bound.dataset.edit();
    const QString fileName = bound.saved(name, content);
    QCOMPARE(bound.boxesOf([&] { bound.image->LoadFromFile(fileName); }), QStringList());
    QVERIFY(bound.image->picture().isEmpty());
    QCOMPARE(bound.field().asBytes(), jpeg);
}

void TestMyDBImage::anIconEmptiesTheFieldAndStaysShownUntilTheRecordChanges()
{
    BoundImage bound(written(marked(8, 8), "jpeg"), written(marked(9, 9), "jpeg"));
    bound.dataset.edit();
    bound.image->LoadFromFile(bound.saved(u"icône.ico"_s, written(marked(32, 32), "ico")));
    QVERIFY(bound.field().isNull());
    QCOMPARE(bound.image->picture().kind(), Kind::Icon);
    QCOMPARE(bound.image->picture().size(), QSize(32, 32));
    bound.dataset.post();
    bound.dataset.next();
    QCOMPARE(bound.image->picture().size(), QSize(9, 9));
    bound.dataset.prior();
    QVERIFY(bound.image->picture().isEmpty());
}

void TestMyDBImage::aFileThatCannotBeReadIsReported()
{
    BoundImage bound{QVariant()};
    bound.dataset.edit();
    const QStringList boxes = bound.boxesOf([&] { bound.image->LoadFromFile(bound.file(u"absente.jpg"_s)); });
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes.constFirst().startsWith(u"Cannot open file"_s), qPrintable(boxes.constFirst()));
}

void TestMyDBImage::savingWithoutAPictureWritesNothing()
{
    BoundImage bound{QVariant()};
    bound.image->SaveToFile(bound.file(u"rien.jpg"_s));
    QVERIFY(!QFile::exists(bound.file(u"rien.jpg"_s)));
}

void TestMyDBImage::cutCopyAndPasteGoThroughTheClipboard()
{
    const QByteArray jpeg = written(marked(20, 10), "jpeg");
    BoundImage bound(jpeg);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(u"pas une image"_s);
    bound.image->PasteFromClipboard();
    QVERIFY(!bound.dataset.isEditing());
    QCOMPARE(bound.field().asBytes(), jpeg);

    bound.image->CutToClipboard();
    QVERIFY(bound.dataset.isEditing());
    QVERIFY(bound.field().isNull());
    QVERIFY(bound.image->picture().isEmpty());
    QCOMPARE(qvariant_cast<QImage>(clipboard->mimeData()->imageData()).size(), QSize(20, 10));

    bound.image->PasteFromClipboard();
    const QByteArray stored = bound.field().asBytes();
    QVERIFY(stored.startsWith("\xff\xd8"));
    QCOMPARE(firstQuantisationValue(stored), 16);
    QCOMPARE(bound.image->picture().size(), QSize(20, 10));
}

void TestMyDBImage::aReadOnlyControlRefusesCutAndPasteButCopies()
{
    const QByteArray jpeg = written(marked(20, 10), "jpeg");
    BoundImage bound(jpeg);
    bound.image->setReadOnly(true);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setImage(marked(3, 3));
    bound.image->PasteFromClipboard();
    bound.image->CutToClipboard();
    QVERIFY(!bound.dataset.isEditing());
    QCOMPARE(bound.field().asBytes(), jpeg);
    QCOMPARE(bound.image->picture().size(), QSize(20, 10));
    QCOMPARE(clipboard->image().size(), QSize(3, 3));
    bound.image->CopyToClipboard();
    QCOMPARE(clipboard->image().size(), QSize(20, 10));
}

void TestMyDBImage::anIconCannotBeCopied()
{
    BoundImage bound{QVariant()};
    bound.dataset.edit();
    bound.image->LoadFromFile(bound.saved(u"icône.ICO"_s, written(marked(16, 16), "ico")));
    const QStringList boxes = bound.boxesOf([&] { bound.image->CopyToClipboard(); });
    QCOMPARE(boxes, QStringList{u"Clipboard does not support Icons"_s});
}

void TestMyDBImage::aMetafileIsCopiedAsItselfAndAsItsDrawing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format");
    QTest::newRow("WMF") << u"sound.wmf"_s << u"image/wmf"_s;
    QTest::newRow("EMF") << u"sound.emf"_s << u"image/emf"_s;
}

// The field cannot hold a metafile: it is emptied, and the drawing stays shown.
void TestMyDBImage::aMetafileIsCopiedAsItselfAndAsItsDrawing()
{
    QFETCH(QString, name);
    QFETCH(QString, format);
    QByteArray metafile;
    for (const DamagedPictures::Sample &sample : DamagedPictures::all()) {
        if (sample.name == name)
            metafile = sample.content;
    }
    BoundImage bound(written(marked(8, 8), "jpeg"));
    bound.dataset.edit();
    bound.image->LoadFromFile(bound.saved(name, metafile));
    QCOMPARE(bound.image->picture().kind(), Kind::Metafile);
    QVERIFY(bound.field().isNull());
    bound.image->CopyToClipboard();
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(copied->data(format), metafile);
    QCOMPARE(qvariant_cast<QImage>(copied->imageData()).size(), bound.image->picture().size());
}

void TestMyDBImage::theLastPictureStaysWhileTheDatasetIsClosed()
{
    BoundImage bound(written(marked(20, 10), "jpeg"));
    bound.dataset.close();
    QCOMPARE(bound.image->picture().size(), QSize(20, 10));
    // Reopened, the book is empty here: no recipe, no picture.
    bound.dataset.open();
    QVERIFY(bound.image->picture().isEmpty());
}

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestMyDBImage)
#include "tst_mydbimage.moc"
