#include "guard/ErrorGuard.h"

#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "guard/GuardedApplication.h"

#include <QAction>
#include <QSignalSpy>
#include <QTest>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace {

/// Counts its commands; the second one fails.
class Counter : public QObject
{
public:
    void count()
    {
        ++done;
        if (done == 2)
            throw std::runtime_error("Le deuxième a échoué.");
    }
    void countFrom(bool checked) { checkedStates.append(checked); }

    int done = 0;
    QList<bool> checkedStates;
};

} // namespace

class TestErrorGuard : public QObject
{
    Q_OBJECT

private slots:
    void anErrorIsShownAndGoesNoFurther_data()
    {
        QTest::addColumn<std::function<void()>>("handler");
        QTest::addColumn<QString>("message");
        QTest::newRow("standard exception") << std::function<void()>([] { throw std::runtime_error("Refusé : « clé »"); })
                                            << u"Refusé : « clé »"_s;
        QTest::newRow("anything else") << std::function<void()>([] { throw 42; }) << u"Erreur inattendue."_s;
    }
    void anErrorIsShownAndGoesNoFurther()
    {
        QFETCH(std::function<void()>, handler);
        QFETCH(QString, message);
        MessageBoxWatcher boxes;
        QVERIFY(!ErrorGuard::run(handler));
        QCOMPARE(boxes.texts(), QStringList{message});
        QVERIFY(ErrorGuard::run([] {}));
        QCOMPARE(boxes.texts().size(), 1);
    }

    // A handler in the middle of one of Qt's own changes has its box shown afterwards.
    void aLaterReportWaitsForTheEventLoop()
    {
        MessageBoxWatcher boxes;
        QVERIFY(!ErrorGuard::run([] { throw std::runtime_error("plus tard"); }, ErrorGuard::Report::Later));
        QVERIFY(boxes.texts().isEmpty());
        QTRY_COMPARE(boxes.texts(), QStringList{u"plus tard"_s});
    }

    // A connected handler takes the arguments it wants; after a failure the next signal works.
    void connectedHandlersRunInTheGuard()
    {
        QAction action(u"Compter"_s);
        action.setCheckable(true);
        Counter counter;
        ErrorGuard::connect(&action, &QAction::triggered, &counter, &Counter::count);
        ErrorGuard::connect(&action, &QAction::triggered, &counter, &Counter::countFrom);
        int lambdaRuns = 0;
        ErrorGuard::connect(&action, &QAction::triggered, &counter, [&lambdaRuns] { ++lambdaRuns; });

        MessageBoxWatcher boxes;
        for (int i = 0; i < 3; ++i)
            action.trigger();
        QCOMPARE(counter.done, 3);
        QCOMPARE(counter.checkedStates, (QList<bool>{true, false, true}));
        QCOMPARE(lambdaRuns, 3);
        QCOMPARE(boxes.texts(), QStringList{u"Le deuxième a échoué."_s});
    }

    // The connection ends with the receiver, as one to a slot does.
    void aConnectionEndsWithItsReceiver()
    {
        QAction action(u"Compter"_s);
        int runs = 0;
        {
            QObject receiver;
            ErrorGuard::connect(&action, &QAction::triggered, &receiver, [&runs] { ++runs; });
            action.trigger();
        }
        action.trigger();
        QCOMPARE(runs, 1);
    }
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestErrorGuard)

#include "tst_errorguard.moc"
