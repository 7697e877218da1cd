#include "DamagedPictures.h"

#include "picture/PictureReader.h"

#include <QGuiApplication>
#include <QTest>

using DamagedPictures::Outcome;
using picture::PictureError;

Q_DECLARE_METATYPE(DamagedPictures::Outcome)

// Every damaged file ends in an error or a picture, never in a crash, a hang or an exit; the
// sanitizer build of this test is the proof for memory errors.
class TestDamagedPictures : public QObject
{
    Q_OBJECT

private slots:
    void eachFileIsReadOrRefusedCleanly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Outcome>("outcome");
        for (const DamagedPictures::Sample &sample : DamagedPictures::all())
            QTest::newRow(qPrintable(sample.name)) << sample.name << sample.content << sample.outcome;
    }
    void eachFileIsReadOrRefusedCleanly()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(Outcome, outcome);
        picture::Picture read;
        const std::optional<PictureError> error = picture::pictureFromFile(name, content, read);
        switch (outcome) {
        case Outcome::Picture:
            QVERIFY2(!error, error ? qPrintable(error->message) : "");
            QVERIFY(!read.isEmpty());
            break;
        case Outcome::Error:
            QVERIFY(error);
            QVERIFY(read.isEmpty());
            break;
        case Outcome::TooLarge:
            QVERIFY(error);
            QCOMPARE(error->cause, PictureError::Cause::TooLarge);
            break;
        case Outcome::Either:
            QVERIFY(error || !read.isEmpty());
            break;
        }
        // The same bytes in a recipe's field are read by their first bytes, never crash either.
        picture::Picture fromBlob;
        const std::optional<PictureError> blobError = picture::pictureFromBlob(content, fromBlob);
        QVERIFY(blobError || fromBlob.kind() != picture::Picture::Kind::Icon);
    }
};

int main(int argc, char *argv[])
{
    // Metafile text is laid out by Qt Gui.
    QGuiApplication application(argc, argv);
    TestDamagedPictures test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_damagedpictures.moc"
