#include "controls/ControlBitmaps.h"

#include "GuiTestMain.h"
#include "guard/GuardedApplication.h"
#include "controls/MyPanel.h"

#include <QDialog>
#include <QLineEdit>
#include <QTest>

namespace {

const QColor navy(0x00, 0x00, 0x80);

} // namespace

class TestMyPanel : public QObject
{
    Q_OBJECT

private slots:
    // Each panel pixel is a bitmap pixel; which one tells the cell and tile that was painted last.
    // BMP_FOND is 389 × 235: cells of 129 × 78, the right column from 260, the bottom row from 157.
    void paintsTheNineCells_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("target");
        QTest::addColumn<QPoint>("source");

        // 722 × 463: four rows of left and right edge tiles, four columns of middle tiles.
        const QSize large(722, 463);
        QTest::newRow("top-left corner") << large << QPoint(0, 0) << QPoint(0, 0);
        QTest::newRow("top-left corner, last pixel") << large << QPoint(128, 77) << QPoint(128, 77);
        QTest::newRow("left edge, first tile") << large << QPoint(0, 78) << QPoint(0, 78);
        QTest::newRow("left edge, second tile") << large << QPoint(5, 166) << QPoint(5, 88);
        QTest::newRow("left edge, last tile under the corner") << large << QPoint(0, 384) << QPoint(0, 150);
        QTest::newRow("bottom-left corner, flush") << large << QPoint(0, 385) << QPoint(0, 157);
        QTest::newRow("bottom-left corner, last row") << large << QPoint(0, 462) << QPoint(0, 234);
        QTest::newRow("top edge") << large << QPoint(129, 0) << QPoint(129, 0);
        QTest::newRow("centre tile") << large << QPoint(300, 200) << QPoint(171, 122);
        QTest::newRow("last centre tile under the right edge") << large << QPoint(592, 200) << QPoint(205, 122);
        QTest::newRow("bottom edge") << large << QPoint(300, 462) << QPoint(171, 234);
        QTest::newRow("top-right corner, flush") << large << QPoint(593, 0) << QPoint(260, 0);
        QTest::newRow("right edge") << large << QPoint(721, 200) << QPoint(388, 122);
        QTest::newRow("bottom-right corner") << large << QPoint(593, 385) << QPoint(260, 157);
        QTest::newRow("bottom-right corner, last pixel") << large << QPoint(721, 462) << QPoint(388, 234);

        // 200 × 120, smaller than two cells: the four corners overlap.
        const QSize small(200, 120);
        QTest::newRow("small: top-left") << small << QPoint(0, 0) << QPoint(0, 0);
        QTest::newRow("small: top-right over top-left") << small << QPoint(100, 20) << QPoint(289, 20);
        QTest::newRow("small: bottom-left over top-left") << small << QPoint(20, 60) << QPoint(20, 175);
        QTest::newRow("small: bottom-right over all") << small << QPoint(100, 60) << QPoint(289, 175);
        QTest::newRow("small: top-right pixel") << small << QPoint(199, 0) << QPoint(388, 0);
        QTest::newRow("small: bottom-left pixel") << small << QPoint(0, 119) << QPoint(0, 234);
        QTest::newRow("small: bottom-right pixel") << small << QPoint(199, 119) << QPoint(388, 234);

        // 100 × 50, smaller than one cell: the bottom-right corner covers everything.
        const QSize tiny(100, 50);
        QTest::newRow("tiny: origin") << tiny << QPoint(0, 0) << QPoint(289, 185);
        QTest::newRow("tiny: last pixel") << tiny << QPoint(99, 49) << QPoint(388, 234);
    }

    void paintsTheNineCells()
    {
        QFETCH(QSize, size);
        QFETCH(QPoint, target);
        QFETCH(QPoint, source);

        const QImage bitmap = ControlBitmaps::load(QStringLiteral("BMP_FOND")).toImage();
        TMyPanel panel;
        panel.resize(size);
        const QImage painted = panel.grab().toImage();

        QCOMPARE(QColor(painted.pixel(target)), QColor(bitmap.pixel(source)));
    }

    // The panel's set-up runs again before it is shown, so what a window set is overridden, and
    // the controls that take their parent's font write in navy bold.
    void windowSetUpWinsOverTheForm()
    {
        TMyPanel panel;
        auto *edit = new QLineEdit(&panel);
        panel.setFont(QFont(QStringLiteral("Arial"), 20));
        QPalette colours = panel.palette();
        colours.setColor(QPalette::Window, Qt::red);
        panel.setPalette(colours);
        panel.setEnabled(false);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));

        QCOMPARE(panel.font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(panel.font().pixelSize(), 11);
        QVERIFY(panel.font().bold());
        QCOMPARE(panel.palette().color(QPalette::Window), QColor(0xbb, 0xcc, 0xcd));
        QVERIFY(panel.isEnabled());
        QCOMPARE(edit->font().pixelSize(), 11);
        QVERIFY(edit->font().bold());
        QCOMPARE(edit->palette().color(QPalette::Text), navy);
        QCOMPARE(edit->palette().color(QPalette::Inactive, QPalette::Text), navy);
        QVERIFY(edit->palette().color(QPalette::Disabled, QPalette::Text) != navy);
    }

    void fillsItsWindow()
    {
        QDialog window;
        window.resize(300, 200);
        auto *panel = new TMyPanel(&window);
        QCOMPARE(panel->geometry(), QRect(0, 0, 300, 200));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.resize(410, 250);
        QTRY_COMPARE(panel->geometry(), QRect(0, 0, 410, 250));
    }

    void missingBitmapFailsTheCreation()
    {
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ControlBitmaps::load(QStringLiteral("BMP_ABSENT")));
    }
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestMyPanel)
#include "tst_mypanel.moc"
