#include "MainBlock.h"
#include "ScratchDatabase.h"
#include "TerminationSignals.h"

#include "data/DataModule.h"

#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <iostream>

namespace {

const QString familyAdded = QStringLiteral("Abandonnee");

/// A program that has added a family and not committed it, then runs its event loop until a
/// termination signal reaches it, as Cuisinotte does.
int runProgramWithPendingWork(const QString &databasePath)
{
    TerminationSignals::catchSignals();
    TDM dm;
    dm.openRecipeBook(databasePath);
    dm.IBFAMILLE.append();
    dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).setValue(familyAdded);
    dm.IBFAMILLE.post();
    TerminationSignals::deliverTo([] { QCoreApplication::quit(); });
    std::cout << "ready" << std::endl;
    return QCoreApplication::exec();
}

/// Says on the standard output what each message box shows, once it is shown.
class MessageBoxReporter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto *box = qobject_cast<QMessageBox *>(watched))
                std::cout << "shown: " << box->text().toStdString() << std::endl;
        }
        return false;
    }
};

void reportMessageBoxes()
{
    qApp->installEventFilter(new MessageBoxReporter(qApp));
}

QString statusLine(const QByteArray &status, const QString &name)
{
    const QRegularExpression line(u'^' + name + QStringLiteral(":\\s*(\\S+)$"), QRegularExpression::MultilineOption);
    return line.match(QString::fromLatin1(status)).captured(1);
}

bool hasSignal(const QString &maskInHex, int number)
{
    return (maskInHex.toULongLong(nullptr, 16) >> (number - 1)) & 1;
}

} // namespace

class TestTerminationSignals : public QObject
{
    Q_OBJECT

private slots:
    // The engine is running and attached, as it is when the user opens a web page or prints.
    void programsStartedFromHereCanBeStopped()
    {
        ScratchDatabase database;
        TerminationSignals::catchSignals();
        TDM dm;
        dm.openRecipeBook(database.path());

        QProcess child;
        child.start(QStringLiteral("cat"), {QStringLiteral("/proc/self/status")});
        QVERIFY(child.waitForFinished());
        const QByteArray status = child.readAllStandardOutput();
        QCOMPARE(statusLine(status, QStringLiteral("SigBlk")), QStringLiteral("0000000000000000"));
        const QString ignored = statusLine(status, QStringLiteral("SigIgn"));
        QVERIFY2(!hasSignal(ignored, SIGINT) && !hasSignal(ignored, SIGTERM), qPrintable(ignored));
    }

    void aSignalDuringStartUpEndsTheProgramAtOnce()
    {
        QTemporaryDir emptyFolder;
        QProcess program;
        program.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--program"), emptyFolder.path()});
        QVERIFY(program.waitForStarted());
        QVERIFY(program.waitForReadyRead(30000));
        QVERIFY2(program.readAllStandardOutput().startsWith("shown: Impossible de trouver"), "no start-up message");

        program.terminate();
        QVERIFY(program.waitForFinished(1000));
        QCOMPARE(program.exitStatus(), QProcess::CrashExit);
    }

    void aSignalEndsTheRunningProgramAndKeepsItsWork_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGINT") << SIGINT;
    }
    void aSignalEndsTheRunningProgramAndKeepsItsWork()
    {
        QFETCH(int, signal);
        ScratchDatabase database;
        QProcess program;
        program.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--pending-work"), database.path()});
        QVERIFY(program.waitForStarted());
        QVERIFY(program.waitForReadyRead(30000));
        QCOMPARE(program.readAllStandardOutput().trimmed(), QByteArray("ready"));

        ::kill(pid_t(program.processId()), signal);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(database.countRows(QStringLiteral("select * from FAMILLE where FAMILLE = '%1'").arg(familyAdded)), 1);
    }
};

// The test program plays the programs it starts: Cuisinotte itself with its folder, or a program
// with work pending on a database.
int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--program") == 0) {
        qAddPreRoutine(reportMessageBoxes);
        MainBlock::Options options;
        options.applicationFolder = QString::fromLocal8Bit(argv[2]);
        return MainBlock::run(argc, argv, options);
    }
    QCoreApplication application(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--pending-work") == 0)
        return runProgramWithPendingWork(QString::fromLocal8Bit(argv[2]));
    TestTerminationSignals test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_terminationsignals.moc"
