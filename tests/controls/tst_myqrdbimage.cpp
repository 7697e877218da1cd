#include "controls/MyQRDBImage.h"

#include "DamagedPictures.h"
#include "GuiTestMain.h"
#include "SamplePictures.h"
#include "dataset/MemoryDataset.h"
#include "guard/GuardedApplication.h"
#include "report/PageCanvas.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// Where the card's picture stands while it has none.
const QRectF designRect(97.4, 55.0, 80.7, 70.1);

/// Recipes in memory, one picture blob each, and the element bound to them.
struct BoundElement
{
    explicit BoundElement(const QVariantList &blobs, bool connectWhileOpen = true)
    {
        dataset.addField(u"IMAGE"_s, FieldKind::Blob);
        source.setDataset(&dataset);
        dataset.open();
        for (const QVariant &blob : blobs) {
            dataset.append();
            dataset.fieldByName(u"IMAGE"_s).setValue(blob);
            dataset.post();
        }
        dataset.first();
        if (!connectWhileOpen)
            dataset.close();
        element.setDataField(u"IMAGE"_s);
        element.setDataSource(&source);
    }

    /// What the element puts on a page whose band starts at the margins' corner.
    report::Page printed()
    {
        report::ReportDocument document;
        document.addPage();
        {
            report::PageCanvas canvas(document, 0);
            element.print(canvas, QPointF(10, 10));
        }
        printedDocument = document;
        return document.pages().front();
    }

    MemoryDataset dataset;
    DataSource source;
    TMyQRDBImage element{designRect};
    report::ReportDocument printedDocument;
};

} // namespace

class TestMyQRDBImage : public QObject
{
    Q_OBJECT

private slots:
    void onlyAReadableJpegIsPrinted_data();
    void onlyAReadableJpegIsPrinted();
    void everyDamagedJpegPrintsNothingOrAPicture();
    void thePictureFollowsTheCurrentRecipe();
    void thePictureLoadsWhenConnectedAndStaysWhileClosed();
};

void TestMyQRDBImage::onlyAReadableJpegIsPrinted_data()
{
    QTest::addColumn<QVariant>("blob");
    QTest::addColumn<QSizeF>("size"); // in millimetres

    QTest::newRow("640 × 480 JPEG") << QVariant(jpegOf(640, 480)) << QSizeF(640 * 25.4 / 96, 127.0);
    QTest::newRow("96 × 1 JPEG") << QVariant(jpegOf(96, 1)) << QSizeF(25.4, 25.4 / 96);
    const QSizeF design = designRect.size();
    QTest::newRow("bitmap") << QVariant(bitmapOf(40, 30)) << design;
    QTest::newRow("one byte") << QVariant(QByteArray(1, '\xff')) << design;
    QTest::newRow("start of image only") << QVariant("\xff\xd8"_ba) << design;
    QTest::newRow("empty") << QVariant(QByteArray("")) << design;
    QTest::newRow("null") << QVariant() << design;
}

void TestMyQRDBImage::onlyAReadableJpegIsPrinted()
{
    QFETCH(QVariant, blob);
    QFETCH(QSizeF, size);

    BoundElement bound({blob});
    const bool isPicture = size != designRect.size();
    QCOMPARE(bound.element.hasPicture(), isPicture);
    const QRectF rect = bound.element.rect();
    QCOMPARE(rect.topLeft(), designRect.topLeft());
    QVERIFY2(qAbs(rect.width() - size.width()) < 0.01 && qAbs(rect.height() - size.height()) < 0.01,
             qPrintable(u"%1 × %2"_s.arg(rect.width()).arg(rect.height())));

    const report::Page page = bound.printed();
    if (!isPicture) {
        QVERIFY(page.items.empty());
        return;
    }
    QCOMPARE(page.items.size(), std::size_t(1));
    const auto *item = std::get_if<report::ImageItem>(&page.items.front());
    QVERIFY(item);
    QCOMPARE(item->rect, rect.translated(10, 10));
    const report::ReportImage &printed = bound.printedDocument.images().at(std::size_t(item->image));
    QCOMPARE(printed.format, report::ReportImage::Format::Jpeg);
    QCOMPARE(printed.bytes, blob.toByteArray());
}

// A picture that cannot be shown, too large ones among them, is left out of the card without
// a word; one that can be read in part may print.
void TestMyQRDBImage::everyDamagedJpegPrintsNothingOrAPicture()
{
    for (const DamagedPictures::Sample &sample : DamagedPictures::all()) {
        if (!sample.name.endsWith(u".jpg"_s))
            continue;
        BoundElement bound({sample.content});
        switch (sample.outcome) {
        case DamagedPictures::Outcome::Picture:
            QVERIFY2(bound.element.hasPicture(), qPrintable(sample.name));
            break;
        case DamagedPictures::Outcome::Error:
        case DamagedPictures::Outcome::TooLarge:
            QVERIFY2(!bound.element.hasPicture(), qPrintable(sample.name));
            QCOMPARE(bound.element.rect(), designRect);
            break;
        case DamagedPictures::Outcome::Either:
            break;
        }
        QCOMPARE(bound.printed().items.size(), std::size_t(bound.element.hasPicture() ? 1 : 0));
    }
}

void TestMyQRDBImage::thePictureFollowsTheCurrentRecipe()
{
    BoundElement bound({jpegOf(640, 480), bitmapOf(8, 8), jpegOf(100, 50)});
    QVERIFY(bound.element.hasPicture());
    bound.dataset.next();
    QVERIFY(!bound.element.hasPicture());
    QCOMPARE(bound.element.rect(), designRect);
    bound.dataset.next();
    QVERIFY(bound.element.hasPicture());
    QCOMPARE(bound.element.rect().topLeft(), designRect.topLeft());
    QVERIFY(qAbs(bound.element.rect().width() - 100 * 25.4 / 96) < 0.01);

    // A picture written into the field, as the recipe card pastes one, is what prints.
    const QByteArray pasted = jpegOf(20, 10);
    bound.dataset.edit();
    bound.dataset.fieldByName(u"IMAGE"_s).setValue(pasted);
    QVERIFY(qAbs(bound.element.rect().width() - 20 * 25.4 / 96) < 0.01);
    bound.printed();
    QCOMPARE(bound.printedDocument.images().front().bytes, pasted);
}

// Connected to an open dataset, the element reads the current recipe at once; connected to a
// closed one, it has nothing to read. Closing the dataset leaves the picture as it was.
void TestMyQRDBImage::thePictureLoadsWhenConnectedAndStaysWhileClosed()
{
    BoundElement open({jpegOf(640, 480)});
    QVERIFY(open.element.hasPicture());
    open.dataset.close();
    QVERIFY(open.element.hasPicture());

    BoundElement closed({jpegOf(640, 480)}, false);
    QVERIFY(!closed.element.hasPicture());
    QCOMPARE(closed.element.rect(), designRect);
}

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestMyQRDBImage)
#include "tst_myqrdbimage.moc"
