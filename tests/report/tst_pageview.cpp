#include "report/PageView.h"
#include "report/ReportDocument.h"

#include "GuiTestMain.h"
#include "guard/GuardedApplication.h"

#include <QScrollBar>
#include <QSignalSpy>

using namespace report;

namespace {

// Pages with a black square in their middle, each a little lower than the one before.
ReportDocument pagesWithSquares(int count)
{
    ReportDocument document;
    for (int page = 0; page < count; ++page)
        document.addPage().items.push_back(RectItem{QRectF(95, 140 + page, 20, 20), qRgb(0, 0, 0)});
    return document;
}

bool showsBlack(PageView &view)
{
    const QImage shown = view.viewport()->grab().toImage();
    for (int y = 0; y < shown.height(); y += 2)
        for (int x = 0; x < shown.width(); x += 2)
            if (shown.pixelColor(x, y) == Qt::black)
                return true;
    return false;
}

} // namespace

class TestPageView : public QObject
{
    Q_OBJECT

private slots:
    void zoomsFitTheViewOrTheActualSize()
    {
        const ReportDocument document = pagesWithSquares(3);
        PageView view;
        view.resize(1000, 700);
        view.setDocument(&document);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        const qreal actual = view.logicalDpiX() / 25.4; // pixels a millimetre
        view.fitToWidth();
        QVERIFY(210 * actual * view.zoomFactor() <= view.viewport()->width());
        QVERIFY(210 * actual * view.zoomFactor() > view.viewport()->width() - 40);
        view.fitInView();
        QVERIFY(297 * actual * view.zoomFactor() <= view.viewport()->height());
        QVERIFY(297 * actual * view.zoomFactor() > view.viewport()->height() - 40);
        view.setZoomFactor(1);
        QCOMPARE(view.zoomFactor(), 1.0);
        QVERIFY(view.horizontalScrollBar()->maximum() == 0); // A4 at 96 dpi is 794 pixels wide
        view.setZoomFactor(2);
        QVERIFY(view.horizontalScrollBar()->maximum() > 0);
    }

    void theCurrentPageFollowsTheScrollingAndTheCommands()
    {
        const ReportDocument document = pagesWithSquares(5);
        PageView view;
        view.resize(800, 600);
        view.setDocument(&document);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy changes(&view, &PageView::currentPageChanged);

        QCOMPARE(view.currentPage(), 1);
        view.setCurrentPage(3);
        QCOMPARE(view.currentPage(), 3);
        QCOMPARE(changes.count(), 1);
        view.setCurrentPage(9);
        QCOMPARE(view.currentPage(), 5);
        view.setCurrentPage(0);
        QCOMPARE(view.currentPage(), 1);

        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        QCOMPARE(view.currentPage(), 5);
        view.verticalScrollBar()->setValue(0);
        QCOMPARE(view.currentPage(), 1);

        view.fitInView(); // the zoom keeps the page in view
        view.setCurrentPage(4);
        view.fitToWidth();
        QCOMPARE(view.currentPage(), 4);
    }

    void thePagesInSightAreDrawn()
    {
        const ReportDocument document = pagesWithSquares(2);
        PageView view;
        view.resize(800, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(!showsBlack(view));
        view.setDocument(&document);
        view.setCurrentPage(2);
        QVERIFY(showsBlack(view));
        QCOMPARE(view.pageCount(), 2);
        view.setDocument(nullptr);
        QCOMPARE(view.currentPage(), 0);
        QVERIFY(!showsBlack(view));
    }
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestPageView)
#include "tst_pageview.moc"
