#include "report/PreviewWindow.h"

#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "guard/GuardedApplication.h"
#include "report/PageView.h"
#include "report/PrintJob.h"
#include "report/SavedPages.h"

#include <QComboBox>
#include <QDir>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;
using namespace report;

namespace {

const QString SavedPagesFilter = u"Impression Cuisinotte (*.cip)"_s;
const QString PdfFilter = u"Document PDF (*.pdf)"_s;

/// One page for each text, the text on it in navy over a grey strip.
ReportDocument pagesSaying(const QStringList &texts)
{
    ReportDocument document;
    const int font = document.addFont(QFont(u"Liberation Sans"_s, 12));
    for (const QString &text : texts) {
        Page &page = document.addPage();
        page.items.emplace_back(RectItem{QRectF(10, 10, 190, 20), 0xffe0e0e0});
        page.items.emplace_back(TextItem{QPointF(20, 25), font, 0xff000080, text});
        page.items.emplace_back(LineItem{QLineF(10, 32, 200, 32), 0.3, 0xff000000});
    }
    return document;
}

PreviewWindow::Builder building(const ReportDocument &document)
{
    return [document](const std::function<void(int)> &progress) {
        progress(0);
        progress(100);
        return document;
    };
}

QString panelText(const PreviewWindow &window, const QString &panel)
{
    return window.findChild<QLabel *>(panel)->text();
}

QString pageIndicator(const PreviewWindow &window)
{
    return panelText(window, u"PagePanel"_s);
}

QToolButton *button(const PreviewWindow &window, const QString &name)
{
    return window.findChild<QToolButton *>(name);
}

/// Runs the window as a report runs it and acts on it once its pages are shown, from inside
/// its event loop; the window is closed afterwards.
void runPreview(PreviewWindow &window, const std::function<void(PreviewWindow &)> &action)
{
    DialogAnswer<PreviewWindow> answer([&action](PreviewWindow &shown) {
        const auto close = qScopeGuard([&shown] { shown.close(); });
        QTRY_VERIFY(!pageIndicator(shown).isEmpty());
        action(shown);
    });
    window.exec();
    QVERIFY(answer.answered());
}

/// Answers the next file dialog with this file, under its filter.
struct FileDialogAnswer : DialogAnswer<QFileDialog>
{
    explicit FileDialogAnswer(const QString &fileName, const QString &filter = {})
        : DialogAnswer<QFileDialog>([this, fileName, filter](QFileDialog &dialog) {
            filters = dialog.nameFilters();
            // As the user picks a filter: with the keyboard in the list of file types.
            auto *types = dialog.findChild<QComboBox *>(u"fileTypeCombo"_s);
            while (!filter.isEmpty() && types->currentText() != filter && types->currentIndex() + 1 < types->count())
                QTest::keyClick(types, Qt::Key_Down);
            dialog.selectFile(fileName);
            static_cast<QDialog &>(dialog).accept();
        })
    {
    }

    QStringList filters;
};

void writeFile(const QString &fileName, const QByteArray &content)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class TestPreviewWindow : public QObject
{
    Q_OBJECT

private slots:
    void theWindowAsItOpens()
    {
        PreviewWindow window(building(pagesSaying({u"un"_s, u"deux"_s, u"trois"_s})), u"Mes recettes"_s,
            u"Cuisinotte – Fiche Recette"_s);
        runPreview(window, [](PreviewWindow &shown) {
            QCOMPARE(shown.windowTitle(), u"Aperçu avant l'impression"_s);
            QVERIFY(shown.windowState() & Qt::WindowMaximized);

            QStringList captions;
            QStringList hints;
            auto *toolBar = shown.findChild<QToolBar *>();
            for (QAction *action : toolBar->actions()) {
                if (auto *toolButton = qobject_cast<QToolButton *>(toolBar->widgetForAction(action))) {
                    captions << toolButton->text();
                    hints << toolButton->toolTip();
                }
            }
            QCOMPARE(captions,
                QStringList({u"Pleine hauteur"_s, u"Pleine largeur"_s, u"Zoom 100"_s, u"Première page"_s,
                    u"Page précédente"_s, u"Page suivante"_s, u"Dernière page"_s, u"Configuration"_s,
                    u"Imprimer"_s, u"sauvegarder"_s, u"Ouvrir"_s, u"&Fermer"_s}));
            QCOMPARE(hints,
                QStringList({u"Pleine hauteur"_s, u"Pleine largeur"_s, u"100%"_s, u"Première page"_s,
                    u"Page précédente"_s, u"Page suivante"_s, u"Dernière page"_s,
                    u"Configuration de l'imprimante"_s, u"Imprimer"_s, u"Sauvegarder une impression"_s,
                    u"Chargement d'une impression"_s, u"Fermer la fenêtre"_s}));

            QVERIFY(button(shown, u"ZoomToWidth"_s)->isChecked());
            QVERIFY(!button(shown, u"ZoomToFit"_s)->isChecked());
            QVERIFY(!button(shown, u"Zoom100"_s)->isChecked());
            QCOMPARE(shown.findChild<PageView *>()->zoomMode(), PageView::Zoom::FitToWidth);

            QCOMPARE(panelText(shown, u"ProgressPanel"_s), QString());
            QCOMPARE(pageIndicator(shown), u"Page 1 of 3"_s);
            QCOMPARE(panelText(shown, u"TitlePanel"_s), u"Mes recettes"_s);
            QCOMPARE(shown.findChild<PageView *>()->pageCount(), 3);
        });
    }

    void theProgressShowsInStepsOfFive()
    {
        PreviewWindow *window = nullptr;
        QStringList shownWhileBuilding;
        const ReportDocument document = pagesSaying({u"un"_s});
        PreviewWindow preview(
            [&](const std::function<void(int)> &progress) {
                for (const int percent : {0, 3, 5, 7, 12, 16, 17, 99, 100}) {
                    progress(percent);
                    shownWhileBuilding << panelText(*window, u"ProgressPanel"_s);
                }
                return document;
            },
            QString(), u"Cuisinotte – Fiche Recette"_s);
        window = &preview;
        runPreview(preview, [](PreviewWindow &shown) { QCOMPARE(panelText(shown, u"ProgressPanel"_s), QString()); });
        QCOMPARE(shownWhileBuilding,
            QStringList({u""_s, u""_s, u"5%"_s, u"5%"_s, u"12%"_s, u"12%"_s, u"17%"_s, u"99%"_s, u""_s}));
    }

    // The preview operation ends; the error is shown and goes no further.
    void aFailedBuildClosesTheWindow()
    {
        MessageBoxWatcher boxes;
        PreviewWindow window([](const std::function<void(int)> &) -> ReportDocument { throw std::runtime_error("La base est fermée."); },
            QString(), u"Cuisinotte – Fiche Recette"_s);
        QCOMPARE(window.exec(), int(QDialog::Rejected));
        QCOMPARE(boxes.texts(), QStringList{u"La base est fermée."_s});
    }

    void thePageButtonsTurnThePages_data()
    {
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("indicator");
        QTest::newRow("next") << QStringList{u"NextPage"_s} << u"Page 2 of 3"_s;
        QTest::newRow("last") << QStringList{u"LastPage"_s} << u"Page 3 of 3"_s;
        QTest::newRow("last, then first") << QStringList{u"LastPage"_s, u"FirstPage"_s} << u"Page 1 of 3"_s;
        QTest::newRow("last, then previous") << QStringList{u"LastPage"_s, u"PreviousPage"_s} << u"Page 2 of 3"_s;
        QTest::newRow("previous on the first") << QStringList{u"PreviousPage"_s} << u"Page 1 of 3"_s;
        QTest::newRow("next on the last") << QStringList{u"LastPage"_s, u"NextPage"_s} << u"Page 3 of 3"_s;
    }
    void thePageButtonsTurnThePages()
    {
        QFETCH(QStringList, buttons);
        QFETCH(QString, indicator);
        PreviewWindow window(building(pagesSaying({u"un"_s, u"deux"_s, u"trois"_s})), QString(), QString());
        runPreview(window, [&](PreviewWindow &shown) {
            for (const QString &name : buttons)
                button(shown, name)->click();
            QCOMPARE(pageIndicator(shown), indicator);
            const QString shownPage = QString::number(shown.findChild<PageView *>()->currentPage());
            QVERIFY(indicator.startsWith(u"Page "_s + shownPage + u' '));
        });
    }

    void theZoomButtons_data()
    {
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<int>("zoomMode");
        QTest::newRow("Pleine hauteur") << u"ZoomToFit"_s << int(PageView::Zoom::FitInView);
        QTest::newRow("Zoom 100") << u"Zoom100"_s << int(PageView::Zoom::Custom);
        QTest::newRow("Pleine largeur") << u"ZoomToWidth"_s << int(PageView::Zoom::FitToWidth);
    }
    void theZoomButtons()
    {
        QFETCH(QString, pressed);
        QFETCH(int, zoomMode);
        PreviewWindow window(building(pagesSaying({u"un"_s})), QString(), QString());
        runPreview(window, [&](PreviewWindow &shown) {
            auto *preview = shown.findChild<PageView *>();
            // From another zoom than the one pressed.
            button(shown, pressed == u"Zoom100"_s ? u"ZoomToFit"_s : u"Zoom100"_s)->click();
            button(shown, pressed)->click();
            QCOMPARE(int(preview->zoomMode()), zoomMode);
            if (preview->zoomMode() == PageView::Zoom::Custom)
                QCOMPARE(preview->zoomFactor(), 1.0);
            for (const QString &zoom : {u"ZoomToFit"_s, u"ZoomToWidth"_s, u"Zoom100"_s})
                QCOMPARE(button(shown, zoom)->isChecked(), zoom == pressed);
        });
    }

    void fermerClosesTheWindow_data()
    {
        QTest::addColumn<bool>("withKeyboard");
        QTest::newRow("clicked") << false;
        QTest::newRow("Alt+F") << true;
    }
    void fermerClosesTheWindow()
    {
        QFETCH(bool, withKeyboard);
        PreviewWindow window(building(pagesSaying({u"un"_s})), QString(), QString());
        runPreview(window, [&](PreviewWindow &shown) {
            if (withKeyboard) {
                QVERIFY(QTest::qWaitForWindowActive(&shown));
                QTest::keyClick(&shown, Qt::Key_F, Qt::AltModifier);
            } else {
                button(shown, u"Close"_s)->click();
            }
            QVERIFY(!shown.isVisible());
        });
    }

    void aDamagedFileLeavesThePagesShown()
    {
        QTemporaryDir folder;
        const QString damaged = folder.filePath(u"abîmée.cip"_s);
        writeFile(damaged, QByteArray("pas une impression\x01\x02", 20));
        const ReportDocument document = pagesSaying({u"un"_s, u"deux"_s, u"trois"_s});
        PreviewWindow window(building(document), QString(), QString());
        runPreview(window, [&](PreviewWindow &shown) {
            button(shown, u"NextPage"_s)->click();
            MessageBoxWatcher boxes;
            FileDialogAnswer answer(damaged);
            button(shown, u"Open"_s)->click();
            QVERIFY(answer.answered());
            QCOMPARE(answer.filters, QStringList{SavedPagesFilter});
            QCOMPARE(boxes.texts().size(), 1);
            QVERIFY(!boxes.texts().constFirst().isEmpty());
            QVERIFY(shown.isVisible());
            QCOMPARE(shown.document(), document);
            QCOMPARE(pageIndicator(shown), u"Page 2 of 3"_s);
        });
    }

    // The filter chosen decides the format; its extension is added when the name lacks it.
    void savingInTheChosenFormat_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("saved pages") << SavedPagesFilter << u"fiche"_s << u"fiche.cip"_s;
        QTest::newRow("saved pages, upper case") << SavedPagesFilter << u"fiche.CIP"_s << u"fiche.CIP"_s;
        QTest::newRow("PDF") << PdfFilter << u"fiche"_s << u"fiche.pdf"_s;
        QTest::newRow("PDF, another extension") << PdfFilter << u"fiche.cip"_s << u"fiche.cip.pdf"_s;
    }
    void savingInTheChosenFormat()
    {
        QFETCH(QString, filter);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QTemporaryDir folder;
        const ReportDocument document = pagesSaying({u"un"_s, u"deux"_s});
        PreviewWindow window(building(document), QString(), u"Cuisinotte – Fiche Recette"_s);
        runPreview(window, [&](PreviewWindow &shown) {
            MessageBoxWatcher boxes;
            FileDialogAnswer answer(folder.filePath(typed), filter);
            button(shown, u"Save"_s)->click();
            QVERIFY(answer.answered());
            QCOMPARE(answer.filters, QStringList({SavedPagesFilter, PdfFilter}));
            QCOMPARE(boxes.texts(), QStringList());
        });
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{written});
        QFile file(folder.filePath(written));
        QVERIFY(file.open(QIODevice::ReadOnly));
        if (filter == PdfFilter) {
            QVERIFY(file.read(5) == "%PDF-");
        } else {
            ReportDocument saved;
            const auto error = SavedPages::decode(file.readAll(), saved);
            QVERIFY2(!error, qPrintable(error.value_or(QString())));
            QCOMPARE(saved, document);
        }
    }

    void openingSavedPagesShowsThem()
    {
        QTemporaryDir folder;
        const QString fileName = folder.filePath(u"fiche.cip"_s);
        const ReportDocument saved = pagesSaying({u"un"_s, u"deux"_s, u"trois"_s});
        PreviewWindow first(building(saved), QString(), QString());
        runPreview(first, [&](PreviewWindow &shown) {
            FileDialogAnswer answer(fileName, SavedPagesFilter);
            button(shown, u"Save"_s)->click();
            QVERIFY(answer.answered());
        });

        PreviewWindow second(building(pagesSaying({u"seule"_s})), QString(), QString());
        runPreview(second, [&](PreviewWindow &shown) {
            QCOMPARE(pageIndicator(shown), u"Page 1 of 1"_s);
            MessageBoxWatcher boxes;
            FileDialogAnswer answer(fileName);
            button(shown, u"Open"_s)->click();
            QVERIFY(answer.answered());
            QCOMPARE(boxes.texts(), QStringList());
            QCOMPARE(shown.document(), saved);
            QCOMPARE(shown.findChild<PageView *>()->pageCount(), 3);
            QCOMPARE(pageIndicator(shown), u"Page 1 of 3"_s);
        });
    }

    // Neither printing nor the printer set-up has anything to work on.
    void withoutAPrinterThePreviewSaysSo_data()
    {
        QTest::addColumn<QString>("pressed");
        QTest::newRow("Imprimer") << u"Print"_s;
        QTest::newRow("Configuration") << u"PrinterSetup"_s;
    }
    void withoutAPrinterThePreviewSaysSo()
    {
        QFETCH(QString, pressed);
        if (!QPrinterInfo::availablePrinters().isEmpty() || !QPrinterInfo::defaultPrinter().isNull())
            QSKIP("This machine has a printer.");
        PreviewWindow window(building(pagesSaying({u"un"_s})), QString(), QString());
        runPreview(window, [&](PreviewWindow &shown) {
            MessageBoxWatcher boxes;
            button(shown, pressed)->click();
            QCOMPARE(boxes.texts().size(), 1);
            QVERIFY(boxes.texts().constFirst().startsWith(u"Aucune imprimante n'est installée"_s));
            QVERIFY(boxes.texts().constFirst().contains(u"PDF avec le bouton « sauvegarder »"_s));
            QVERIFY(shown.isVisible());
        });
    }

    // The program's printer set-up chooses where every later preview prints.
    void thePreviewPrintsWhereThePrinterSetUpChose()
    {
        QTemporaryDir folder;
        QPrinter chosen;
        chosen.setOutputFormat(QPrinter::PdfFormat);
        chosen.setOutputFileName(folder.filePath(u"cartes.pdf"_s));
        report::rememberChosenPrinter(chosen);
        const auto forget = qScopeGuard([] { report::rememberChosenPrinter(QPrinter()); });

        PreviewWindow window(building(pagesSaying({u"un"_s})), QString(), u"Fiche"_s);
        QCOMPARE(window.printer().outputFormat(), QPrinter::PdfFormat);
        QCOMPARE(window.printer().outputFileName(), folder.filePath(u"cartes.pdf"_s));
        QCOMPARE(window.printer().pageLayout().pageSize().id(), QPageSize::A4);
        QCOMPARE(window.printer().docName(), u"Fiche"_s);
    }

    // The set-up only keeps the settings: its button says so.
    void thePrinterSetUpSaysOk()
    {
        if (QPrinterInfo::availablePrinters().isEmpty() && QPrinterInfo::defaultPrinter().isNull())
            QSKIP("This machine has no printer to set up.");
        PreviewWindow window(building(pagesSaying({u"un"_s})), QString(), QString());
        runPreview(window, [&](PreviewWindow &shown) {
            QString okCaption;
            DialogAnswer<QPrintDialog> answer([&okCaption](QPrintDialog &dialog) {
                okCaption = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->text();
                dialog.reject();
            });
            button(shown, u"PrinterSetup"_s)->click();
            QVERIFY(answer.answered());
            QCOMPARE(okCaption, u"OK"_s);
        });
    }
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestPreviewWindow)

#include "tst_previewwindow.moc"
