#include "controls/ControlBitmaps.h"

#include "GuiTestMain.h"
#include "guard/GuardedApplication.h"
#include "controls/MyButtons.h"

#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

enum Step {
    Enter,
    Leave,
    MoveInside,
    PressLeft,
    PressRight,
    ReleaseLeftInside,
    ReleaseLeftOutside,
    ReleaseRightInside,
    DoubleClickLeft,
};

const QColor cream(0xff, 0xfb, 0xf0);

// Counts the paints a widget really receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// A button on a window, shown, as the windows place them.
struct ButtonOnWindow
{
    ButtonOnWindow()
    {
        window.resize(200, 100);
        button = new TMyButton(&window);
        button->move(50, 40);
        button->setCaption(QStringLiteral("&Ok"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The mouse starts away from the button, and the first paints are done.
        QTest::mouseMove(&window, QPoint(1, 1));
        perform(Leave);
        QCoreApplication::processEvents();
        QCOMPARE(button->state(), TMyControl::Normal);
    }

    void perform(Step step)
    {
        const QPoint inside(40, 12);
        const QPoint outside(120, 12);
        switch (step) {
        case Enter: {
            QEnterEvent event{QPointF(inside), QPointF(inside), QPointF(button->mapToGlobal(inside))};
            QCoreApplication::sendEvent(button, &event);
            break;
        }
        case Leave: {
            QEvent event(QEvent::Leave);
            QCoreApplication::sendEvent(button, &event);
            break;
        }
        case MoveInside:
            // Qt drops a move to where the mouse already is.
            QTest::mouseMove(button, inside + QPoint(++moves, 0));
            break;
        case PressLeft:
            QTest::mousePress(button, Qt::LeftButton, {}, inside);
            break;
        case PressRight:
            QTest::mousePress(button, Qt::RightButton, {}, inside);
            break;
        case ReleaseLeftInside:
            QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
            break;
        case ReleaseLeftOutside:
            QTest::mouseRelease(button, Qt::LeftButton, {}, outside);
            break;
        case ReleaseRightInside:
            QTest::mouseRelease(button, Qt::RightButton, {}, inside);
            break;
        case DoubleClickLeft:
            // What a widget receives from Qt 6: the second press comes as the double click alone.
            QTest::mousePress(button, Qt::LeftButton, {}, inside);
            QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
            QTest::mouseDClick(button, Qt::LeftButton, {}, inside);
            QTest::mouseRelease(button, Qt::LeftButton, {}, inside);
            break;
        }
    }

    QWidget window;
    TMyButton *button = nullptr;
    int moves = 0;
};

} // namespace

class TestMyControl : public QObject
{
    Q_OBJECT

private slots:
    void mouseSequences_data()
    {
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<int>("state");
        QTest::addColumn<QStringList>("events");

        const QStringList none;
        const QStringList once{QStringLiteral("click")};
        QTest::newRow("enter") << QList<int>{Enter} << int(TMyControl::Hot) << none;
        QTest::newRow("enter, leave") << QList<int>{Enter, Leave} << int(TMyControl::Normal) << none;
        QTest::newRow("move over") << QList<int>{MoveInside} << int(TMyControl::Hot) << none;
        QTest::newRow("left press") << QList<int>{Enter, PressLeft} << int(TMyControl::Pressed) << none;
        QTest::newRow("left press, release inside")
            << QList<int>{Enter, PressLeft, ReleaseLeftInside} << int(TMyControl::Normal) << once;
        QTest::newRow("hot again at the next move")
            << QList<int>{Enter, PressLeft, ReleaseLeftInside, MoveInside} << int(TMyControl::Hot) << once;
        QTest::newRow("right press and release")
            << QList<int>{Enter, PressRight, ReleaseRightInside} << int(TMyControl::Normal) << none;
        // The release outside clears the hot flag only: the button stays pressed, without a
        // click, until a release inside.
        QTest::newRow("release outside")
            << QList<int>{Enter, PressLeft, ReleaseLeftOutside} << int(TMyControl::Pressed) << none;
        QTest::newRow("release outside, then press and release inside")
            << QList<int>{Enter, PressLeft, ReleaseLeftOutside, PressLeft, ReleaseLeftInside}
            << int(TMyControl::Normal) << once;
        QTest::newRow("double click")
            << QList<int>{Enter, DoubleClickLeft} << int(TMyControl::Normal)
            << QStringList{QStringLiteral("click"), QStringLiteral("double click"), QStringLiteral("click")};
    }

    void mouseSequences()
    {
        QFETCH(QList<int>, steps);
        QFETCH(int, state);
        QFETCH(QStringList, events);

        ButtonOnWindow fixture;
        QStringList received;
        connect(fixture.button, &TMyControl::clicked, this, [&] { received << QStringLiteral("click"); });
        connect(fixture.button, &TMyControl::doubleClicked, this, [&] { received << QStringLiteral("double click"); });
        for (int step : std::as_const(steps))
            fixture.perform(Step(step));

        QCOMPARE(int(fixture.button->state()), state);
        QCOMPARE(received, events);
    }

    // The state changes that the user causes show at once; a new caption waits for the next paint.
    void repaints_data()
    {
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<int>("paints");

        QTest::newRow("enter") << QList<int>{Enter} << 1;
        QTest::newRow("enter twice") << QList<int>{Enter, Enter} << 1;
        QTest::newRow("enter, leave") << QList<int>{Enter, Leave} << 2;
        // Moving in enters first.
        QTest::newRow("each move inside") << QList<int>{MoveInside, MoveInside, MoveInside} << 4;
        QTest::newRow("left press, release inside") << QList<int>{Enter, PressLeft, ReleaseLeftInside} << 3;
        QTest::newRow("right press") << QList<int>{Enter, PressRight} << 1;
    }

    void repaints()
    {
        QFETCH(QList<int>, steps);
        QFETCH(int, paints);

        ButtonOnWindow fixture;
        PaintCounter counter(fixture.button);
        for (int step : std::as_const(steps))
            fixture.perform(Step(step));
        QCOMPARE(counter.paints, paints);
    }

    void enabledChangeRepaintsAtOnceCaptionLater()
    {
        ButtonOnWindow fixture;
        PaintCounter counter(fixture.button);
        fixture.button->setEnabled(false);
        QCOMPARE(counter.paints, 1);
        QCOMPARE(fixture.button->state(), TMyControl::Disabled);

        fixture.button->setCaption(QStringLiteral("&Annuler"));
        QCOMPARE(counter.paints, 1);
        QTRY_COMPARE(counter.paints, 2);
    }

    // Each state shows its own frame of the strip, copied as it is.
    void framePerState_data()
    {
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("frame");

        QTest::newRow("normal") << QList<int>{} << true << 0;
        QTest::newRow("pressed") << QList<int>{PressLeft} << true << 1;
        QTest::newRow("disabled") << QList<int>{} << false << 2;
        QTest::newRow("disabled wins over hot") << QList<int>{Enter} << false << 2;
        QTest::newRow("hot") << QList<int>{Enter} << true << 4;
    }

    void framePerState()
    {
        QFETCH(QList<int>, steps);
        QFETCH(bool, enabled);
        QFETCH(int, frame);

        ButtonOnWindow fixture;
        fixture.button->setCaption(QString());
        for (int step : std::as_const(steps))
            fixture.perform(Step(step));
        fixture.button->setEnabled(enabled);

        const QImage strip = ControlBitmaps::load(QStringLiteral("BMP_BUTTONS")).toImage();
        const QImage expected = strip.copy(frame * 80, 0, 80, 24);
        const QImage painted = fixture.button->grab().toImage().convertToFormat(expected.format());
        QCOMPARE(painted, expected);
    }

    // The caption starts at the strip's middle less the font's size in points (12 - 8 = 4), in
    // cream; disabled, it is engraved in the system's light and shadow colours instead.
    void captionPlacementAndColours()
    {
        ButtonOnWindow fixture;

        const auto rowsInColour = [&](const QColor &colour) {
            const QImage painted = fixture.button->grab().toImage();
            QList<int> rows;
            for (int y = 0; y < painted.height(); ++y) {
                for (int x = 0; x < painted.width(); ++x) {
                    if (QColor(painted.pixel(x, y)) == colour) {
                        rows << y;
                        break;
                    }
                }
            }
            return rows;
        };
        const QList<int> creamRows = rowsInColour(cream);
        QVERIFY(!creamRows.isEmpty());
        QVERIFY(creamRows.first() >= 4);
        QVERIFY(creamRows.first() <= 7);

        fixture.button->setEnabled(false);
        QVERIFY(rowsInColour(cream).isEmpty());
        QVERIFY(!rowsInColour(fixture.button->palette().color(QPalette::Dark)).isEmpty());
    }

    void sizesAndStrips_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QSize>("size");

        QTest::newRow("TMyButton") << "TMyButton" << QSize(80, 24);
        QTest::newRow("TMyParcours") << "TMyParcours" << QSize(20, 24);
        QTest::newRow("TMyParcours1") << "TMyParcours1" << QSize(20, 24);
    }

    void sizesAndStrips()
    {
        QFETCH(QString, kind);
        QFETCH(QSize, size);

        std::unique_ptr<TMyControl> button;
        if (kind == QStringLiteral("TMyButton"))
            button = std::make_unique<TMyButton>();
        else if (kind == QStringLiteral("TMyParcours"))
            button = std::make_unique<TMyParcours>();
        else
            button = std::make_unique<TMyParcours1>();
        QCOMPARE(button->size(), size);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QVERIFY(button->font().bold());
        QCOMPARE(button->font().pixelSize(), 11);
        QCOMPARE(button->palette().color(QPalette::ButtonText), cream);
    }

    // The panel's font does not reach the buttons standing on it.
    void keepsItsOwnFont()
    {
        QWidget parent;
        QFont large(QStringLiteral("Arial"));
        large.setPixelSize(30);
        parent.setFont(large);
        TMyButton button(&parent);
        QCOMPARE(button.font().pixelSize(), 11);
        QCOMPARE(button.font().family(), QStringLiteral("MS Sans Serif"));
    }

    void accelerators_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("letter");

        QTest::newRow("first letter") << "&Ok" << "O";
        QTest::newRow("inside") << "Nou&veau" << "v";
        QTest::newRow("doubled ampersand is text") << "Sel && &poivre" << "p";
        QTest::newRow("none in <<") << "<<" << "";
        QTest::newRow("none in >") << ">" << "";
        QTest::newRow("trailing ampersand") << "Fin&" << "";
        QTest::newRow("only doubled") << "A && B" << "";
    }

    void accelerators()
    {
        QFETCH(QString, caption);
        QFETCH(QString, letter);

        const std::optional<QChar> accelerator = TMyControl::accelerator(caption);
        QCOMPARE(accelerator ? QString(*accelerator) : QString(), letter);
    }
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestMyControl)
#include "tst_mycontrol.moc"
