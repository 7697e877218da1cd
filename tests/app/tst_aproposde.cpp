#include "AProposDe.h"
#include "Application.h"
#include "GuiTestMain.h"

#include "controls/MyControl.h"
#include "controls/MyLabel.h"

#include <QLabel>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

class TestAProposDe : public QObject
{
    Q_OBJECT

private slots:
    // Sixteen colours in the order of Windows icons, and a see-through surround.
    void theProgramsIconIs32PixelsIn16Colours()
    {
        const QImage icon = QApplication::windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(icon.size(), QSize(32, 32));
        const QSet<QRgb> vga{0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080, 0xff008080,
            0xffc0c0c0, 0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00, 0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff};
        int transparent = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const QRgb pixel = icon.pixel(x, y);
                if (qAlpha(pixel) == 0)
                    ++transparent;
                else
                    QVERIFY2(vga.contains(pixel), qPrintable(QString::number(pixel, 16)));
            }
        }
        QVERIFY(transparent > 0 && transparent < 32 * 32 / 2);
    }

    void showsTheIconAndTheProgramOnTheCard()
    {
        TfrmAProposDe box(nullptr);
        QCOMPARE(box.windowTitle(), u"A Propos de ..."_s);
        QCOMPARE(box.size(), QSize(406, 233));

        const QImage image = box.findChild<QLabel *>(u"Image"_s)->pixmap().toImage();
        QCOMPARE(image.size(), QSize(57, 38));
        QCOMPARE(image.convertToFormat(QImage::Format_ARGB32),
            QApplication::windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32).scaled(57, 38));

        QStringList captions;
        const auto labels = box.findChildren<TMyLabel *>();
        for (const TMyLabel *label : labels)
            captions << label->caption();
        QCOMPARE(captions, (QStringList{u"Programme :"_s, u"Version :"_s, u"Création : "_s, u"Cuisinotte"_s,
                               u"1.01"_s, u"Mars 2004"_s}));

        // The card's fill shows around the texts that stand on it.
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        const QImage painted = box.grab().toImage();
        QCOMPARE(painted.pixelColor(165, 60), QColor(0xf9, 0xd8, 0x99));
        QCOMPARE(painted.pixelColor(151 + 115, 18), QColor(Qt::black));
    }

    void theNoticeFitsItsPlace()
    {
        TfrmAProposDe box(nullptr);
        const auto *notice = box.findChild<QLabel *>(u"Label1"_s);
        QVERIFY(!notice->text().isEmpty());
        const QRect needed = notice->fontMetrics().boundingRect(QRect(QPoint(), notice->size()),
            Qt::TextWordWrap, notice->text());
        QVERIFY2(needed.height() <= notice->height(), qPrintable(QString::number(needed.height())));
    }

    void okCloses()
    {
        TfrmAProposDe box(nullptr);
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::mouseClick(box.findChild<TMyControl *>(u"MyButton1"_s), Qt::LeftButton);
        QVERIFY(!box.isVisible());
    }
};

CUISINOTTE_GUI_TEST_MAIN(Application, TestAProposDe)

#include "tst_aproposde.moc"
