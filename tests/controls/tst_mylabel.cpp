#include "controls/MyLabel.h"

#include "GuiTestMain.h"
#include "guard/GuardedApplication.h"
#include <QTest>

class TestMyLabel : public QObject
{
    Q_OBJECT

private slots:
    // A label draws its caption only: the window behind it shows through everywhere else.
    void drawsNoBackground()
    {
        QWidget window;
        window.resize(200, 60);
        QPalette red = window.palette();
        red.setColor(QPalette::Window, Qt::red);
        window.setPalette(red);
        window.setAutoFillBackground(true);
        auto *label = new TMyLabel(QStringLiteral("&Famille"), &window);
        label->setAutoSize(false);
        label->setGeometry(0, 0, 200, 60);

        const QImage painted = window.grab().toImage();
        QCOMPARE(QColor(painted.pixel(199, 59)), QColor(Qt::red));
        QCOMPARE(QColor(painted.pixel(0, 0)), QColor(Qt::red));
        bool textDrawn = false;
        for (int x = 0; x < 100 && !textDrawn; ++x)
            textDrawn = QColor(painted.pixel(x, label->fontMetrics().ascent() - 2)) != QColor(Qt::red);
        QVERIFY(textDrawn);
    }

    // "&&" is a plain ampersand; "&" before a letter only underlines it and takes no room.
    void autoSizeFollowsTheCaptionAndFont()
    {
        TMyLabel label(QStringLiteral("Sel && poivre"), nullptr);
        QCOMPARE(label.size(), label.fontMetrics().size(0, QStringLiteral("Sel & poivre")));
        label.setCaption(QStringLiteral("&Sel"));
        QCOMPARE(label.size(), label.fontMetrics().size(0, QStringLiteral("Sel")));

        QFont larger = label.font();
        larger.setPixelSize(30);
        label.setFont(larger);
        QVERIFY(label.height() >= 30);

        label.setAutoSize(false);
        label.resize(10, 10);
        label.setCaption(QStringLiteral("Une légende bien plus longue"));
        QCOMPARE(label.size(), QSize(10, 10));
    }
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestMyLabel)
#include "tst_mylabel.moc"
