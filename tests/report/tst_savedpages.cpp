#include "DamagedSavedPages.h"

#include "report/SavedPages.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using DamagedSavedPages::Outcome;
using report::ReportDocument;
using report::ReportImage;
namespace SavedPages = report::SavedPages;

Q_DECLARE_METATYPE(DamagedSavedPages::Outcome)

namespace {

const QString damaged = QStringLiteral("Le fichier d'impression est endommagé ou incomplet.");

// The document already shown when a file is read: unlike any the files hold, so that a refused
// file that changed it shows.
ReportDocument shownDocument()
{
    ReportDocument document(QSizeF(148, 210));
    document.addFont(QFont(QStringLiteral("Arial"), 11));
    document.addPage().items.push_back(report::LineItem{QLineF(1, 2, 3, 4), 0.3, 0xff112233});
    return document;
}

QString messageFor(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Read:
        break;
    case Outcome::NotOurs:
        return QStringLiteral("Ce fichier n'est pas une impression enregistrée par Cuisinotte.");
    case Outcome::Damaged:
        return damaged;
    case Outcome::Newer:
        return QStringLiteral("Ce fichier a été enregistré par une version plus récente de Cuisinotte.");
    }
    return {};
}

QByteArray contentOf(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString &fileName, const QByteArray &content)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class TestSavedPages : public QObject
{
    Q_OBJECT

private slots:
    void aDocumentComesBackAsItWas()
    {
        const ReportDocument sound = DamagedSavedPages::soundDocument();
        const QByteArray file = SavedPages::encode(sound);
        ReportDocument read = shownDocument();
        const std::optional<QString> error = SavedPages::decode(file, read);
        QVERIFY2(!error, qPrintable(error.value_or(QString())));
        QVERIFY(read == sound);
        QCOMPARE(SavedPages::encode(read), file);
    }

    void aPhotographOnTwoPagesIsKeptOnceAsItsBytes()
    {
        const ReportDocument sound = DamagedSavedPages::soundDocument();
        const auto &images = sound.images();
        const auto photo = std::find_if(images.cbegin(), images.cend(),
                                        [](const ReportImage &image) { return image.format == ReportImage::Format::Jpeg; });
        QVERIFY(photo != images.cend());
        const int index = int(photo - images.cbegin());
        const auto showsPhoto = [index](const report::Page &page) {
            return std::any_of(page.items.cbegin(), page.items.cend(), [index](const report::PageItem &item) {
                const auto *image = std::get_if<report::ImageItem>(&item);
                return image && image->image == index;
            });
        };
        QCOMPARE(std::count_if(sound.pages().cbegin(), sound.pages().cend(), showsPhoto), 2);

        QCOMPARE(SavedPages::encode(sound).count(photo->bytes), 1);
    }

    void eachSavedFileIsReadOrRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Outcome>("outcome");
        for (const DamagedSavedPages::Sample &sample : DamagedSavedPages::all())
            QTest::newRow(qPrintable(sample.name)) << sample.content << sample.outcome;
    }
    void eachSavedFileIsReadOrRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(Outcome, outcome);
        ReportDocument document = shownDocument();
        const std::optional<QString> error = SavedPages::decode(content, document);
        if (outcome == Outcome::Read) {
            QVERIFY2(!error, qPrintable(error.value_or(QString())));
            QCOMPARE(SavedPages::encode(document), content);
        } else {
            QCOMPARE(error.value_or(QString()), messageFor(outcome));
            QVERIFY(document == shownDocument());
        }
    }

    void aFileCutAnywhereIsRefused()
    {
        const QByteArray file = SavedPages::encode(DamagedSavedPages::soundDocument());
        const ReportDocument shown = shownDocument();
        for (qsizetype cut = 0; cut < file.size(); ++cut) {
            ReportDocument document = shown;
            const std::optional<QString> error = SavedPages::decode(QByteArrayView(file).first(cut), document);
            QVERIFY2(error == damaged, qPrintable(QStringLiteral("cut after %1 bytes: %2").arg(cut).arg(error.value_or(QString()))));
            QVERIFY2(document == shown, qPrintable(QStringLiteral("cut after %1 bytes").arg(cut)));
        }
    }

    void aSavedFileOpensAgain()
    {
        QTemporaryDir folder;
        const QString fileName = folder.filePath(QStringLiteral("Crème brûlée.pages"));
        QVERIFY(write(fileName, QByteArrayLiteral("an older file")));
        const ReportDocument sound = DamagedSavedPages::soundDocument();
        const std::optional<QString> saveError = SavedPages::save(fileName, sound);
        QVERIFY2(!saveError, qPrintable(saveError.value_or(QString())));

        ReportDocument read = shownDocument();
        const std::optional<QString> openError = SavedPages::open(fileName, read);
        QVERIFY2(!openError, qPrintable(openError.value_or(QString())));
        QVERIFY(read == sound);
    }

    void aFailedSaveLeavesTheOldFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("folder that cannot be written") << QStringLiteral("recette.pages") << true;
        // The new content is written beside the file under a longer name, for which a name of the
        // most characters a folder takes leaves no room.
        QTest::newRow("no room for the new content's name") << QString(249, u'a') + QStringLiteral(".pages") << false;
    }
    void aFailedSaveLeavesTheOldFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, readOnlyFolder);
        QTemporaryDir folder;
        const QString fileName = folder.filePath(name);
        const QByteArray old = SavedPages::encode(shownDocument());
        QVERIFY(write(fileName, old));
        const auto restore = qScopeGuard([&folder] {
            QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (readOnlyFolder) {
            QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
            if (write(folder.filePath(QStringLiteral("probe")), {}))
                QSKIP("This user writes into a read-only folder all the same (root).");
        }

        const std::optional<QString> error = SavedPages::save(fileName, DamagedSavedPages::soundDocument());
        QVERIFY(error);
        const QString start = QStringLiteral("Impossible d'enregistrer le fichier « %1 ». ").arg(QDir::toNativeSeparators(fileName));
        QVERIFY2(error->startsWith(start) && error->size() > start.size(), qPrintable(*error));
        QCOMPARE(contentOf(fileName), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{name});
    }

    void aFileThatCannotBeOpenedLeavesTheDocument_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << QStringLiteral("absent.pages");
        QTest::newRow("a folder") << QStringLiteral("dossier.pages");
    }
    void aFileThatCannotBeOpenedLeavesTheDocument()
    {
        QFETCH(QString, name);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("dossier.pages")));
        const QString fileName = folder.filePath(name);
        ReportDocument document = shownDocument();
        const std::optional<QString> error = SavedPages::open(fileName, document);
        QVERIFY(error);
        const QString start = QStringLiteral("Impossible d'ouvrir le fichier « %1 ». ").arg(QDir::toNativeSeparators(fileName));
        QVERIFY2(error->startsWith(start) && error->size() > start.size(), qPrintable(*error));
        QVERIFY(document == shownDocument());
    }
};

int main(int argc, char *argv[])
{
    // Fonts need Qt Gui.
    QGuiApplication application(argc, argv);
    TestSavedPages test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_savedpages.moc"
