#pragma once

#include "ReportDocument.h"

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QPrinter;
class QStatusBar;
class QToolBar;
class QToolButton;

namespace report {

class PageView;

/// The print preview, "Aperçu avant l'impression": it builds the pages once, showing the
/// build's progress, then lets the user zoom, turn pages, set the printer up, print, save the
/// built pages and open pages saved earlier, and save them as PDF. Modal; closing it ends the
/// preview.
class PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    /// Builds the pages; reports its progress as a whole percentage.
    using Builder = std::function<ReportDocument(const std::function<void(int percent)> &progress)>;

    PreviewWindow(Builder builder, const QString &title, const QString &jobName, QWidget *parent = nullptr);
    ~PreviewWindow() override;

    /// Shows the window maximised, builds the pages and runs until the window is closed.
    int exec() override;

    const ReportDocument &document() const;
    /// What "Imprimer" prints on: the printer chosen last, on A4 paper.
    const QPrinter &printer() const { return *m_printer; }

private:
    QToolButton *addButton(const QString &objectName, const QString &caption, const QString &hint);
    QToolBar *createToolBar();
    QStatusBar *createStatusBar();

    void buildPages();
    void showProgress(int percent);
    void showDocument(ReportDocument document);
    void showPage(int page);
    void showPageIndicator();

    void zoomToFit();
    void zoomToWidth();
    void zoomToActualSize();
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void setUpPrinter();
    void tellNoPrinter();
    void print();
    void save();
    void openSavedPages();

    Builder m_builder;
    QString m_title;
    QString m_jobName;
    ReportDocument m_document;
    int m_shownPercent = 0;

    // The printer set-up and printing work on the same settings.
    std::unique_ptr<QPrinter> m_printer;
    QToolBar *m_toolBar = nullptr;
    PageView *m_pageView = nullptr;
    QLabel *m_progressPanel = nullptr;
    QLabel *m_pagePanel = nullptr;
    QLabel *m_titlePanel = nullptr;
};

} // namespace report
