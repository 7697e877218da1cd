#include "report/PreviewWindow.h"

#include "guard/ErrorGuard.h"
#include "report/PageView.h"
#include "report/PdfExport.h"
#include "report/PrintJob.h"
#include "report/SavedPages.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cstdlib>
#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace report {
namespace {

const QString SavedPagesFilter = u"Impression Cuisinotte (*.cip)"_s;
const QString SavedPagesSuffix = u"cip"_s;
const QString PdfFilter = u"Document PDF (*.pdf)"_s;
const QString PdfSuffix = u"pdf"_s;

/// Qt's own file dialog, whose filters can be told to ignore the letter case: on Linux
/// "*.pdf" alone would hide "Fiche.PDF".
void setUpFileDialog(QFileDialog &dialog, QFileDialog::AcceptMode mode, const QStringList &filters)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setNameFilters(filters);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
}

QString suffixOf(const QString &filter)
{
    return filter == PdfFilter ? PdfSuffix : SavedPagesSuffix;
}

/// The name with the format's extension, added when the user typed another one or none.
QString withSuffix(const QString &fileName, const QString &suffix)
{
    if (fileName.endsWith(u'.' + suffix, Qt::CaseInsensitive))
        return fileName;
    return fileName + u'.' + suffix;
}

bool noPrinterInstalled()
{
    return QPrinterInfo::availablePrinters().isEmpty() && QPrinterInfo::defaultPrinter().isNull();
}

[[noreturn]] void fail(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

} // namespace

PreviewWindow::PreviewWindow(Builder builder, const QString &title, const QString &jobName, QWidget *parent)
    : QDialog(parent)
    , m_builder(std::move(builder))
    , m_title(title)
    , m_jobName(jobName)
    , m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(u"PreviewWindow"_s);
    setWindowTitle(u"Aperçu avant l'impression"_s);
    setWindowFlag(Qt::WindowMinMaxButtonsHint);
    // Modal from the moment it shows, also while its pages are being built; over its owner
    // only, so that the help stays usable beside it.
    setWindowModality(Qt::WindowModal);

    useChosenPrinter(*m_printer);
    m_printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    m_printer->setFullPage(true);
    m_printer->setCopyCount(1);
    m_printer->setPrintRange(QPrinter::AllPages);
    m_printer->setDocName(m_jobName);

    m_pageView = new PageView(this);
    m_pageView->setObjectName(u"PageView"_s);
    m_pageView->fitToWidth();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(createToolBar());
    layout->addWidget(m_pageView, 1);
    layout->addWidget(createStatusBar());

    // Scrolling through the pages changes the page shown.
    ErrorGuard::connect(m_pageView, &PageView::currentPageChanged, this, &PreviewWindow::showPageIndicator);
}

PreviewWindow::~PreviewWindow() = default;

QToolButton *PreviewWindow::addButton(const QString &objectName, const QString &caption, const QString &hint)
{
    auto *button = new QToolButton(m_toolBar);
    button->setObjectName(objectName);
    button->setText(caption);
    button->setToolTip(hint);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    m_toolBar->addWidget(button);
    return button;
}

QToolBar *PreviewWindow::createToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(u"ToolBar"_s);
    m_toolBar->setMovable(false);

    QToolButton *fit = addButton(u"ZoomToFit"_s, u"Pleine hauteur"_s, u"Pleine hauteur"_s);
    QToolButton *width = addButton(u"ZoomToWidth"_s, u"Pleine largeur"_s, u"Pleine largeur"_s);
    QToolButton *actualSize = addButton(u"Zoom100"_s, u"Zoom 100"_s, u"100%"_s);
    auto *zoom = new QButtonGroup(this);
    for (QToolButton *button : {fit, width, actualSize}) {
        button->setCheckable(true);
        zoom->addButton(button);
    }
    width->setChecked(true);
    ErrorGuard::connect(fit, &QToolButton::clicked, this, &PreviewWindow::zoomToFit);
    ErrorGuard::connect(width, &QToolButton::clicked, this, &PreviewWindow::zoomToWidth);
    ErrorGuard::connect(actualSize, &QToolButton::clicked, this, &PreviewWindow::zoomToActualSize);
    m_toolBar->addSeparator();

    const struct
    {
        QString objectName;
        QString caption;
        QString hint;
        void (PreviewWindow::*command)();
    } commands[] = {
        {u"FirstPage"_s, u"Première page"_s, u"Première page"_s, &PreviewWindow::firstPage},
        {u"PreviousPage"_s, u"Page précédente"_s, u"Page précédente"_s, &PreviewWindow::previousPage},
        {u"NextPage"_s, u"Page suivante"_s, u"Page suivante"_s, &PreviewWindow::nextPage},
        {u"LastPage"_s, u"Dernière page"_s, u"Dernière page"_s, &PreviewWindow::lastPage},
        {},
        {u"PrinterSetup"_s, u"Configuration"_s, u"Configuration de l'imprimante"_s, &PreviewWindow::setUpPrinter},
        {u"Print"_s, u"Imprimer"_s, u"Imprimer"_s, &PreviewWindow::print},
        {},
        {u"Save"_s, u"sauvegarder"_s, u"Sauvegarder une impression"_s, &PreviewWindow::save},
        {u"Open"_s, u"Ouvrir"_s, u"Chargement d'une impression"_s, &PreviewWindow::openSavedPages},
    };
    for (const auto &command : commands) {
        if (!command.command) {
            m_toolBar->addSeparator();
            continue;
        }
        QToolButton *button = addButton(command.objectName, command.caption, command.hint);
        ErrorGuard::connect(button, &QToolButton::clicked, this, command.command);
    }
    m_toolBar->addSeparator();
    QToolButton *closeButton = addButton(u"Close"_s, u"&Fermer"_s, u"Fermer la fenêtre"_s);
    ErrorGuard::connect(closeButton, &QToolButton::clicked, this, [this] { close(); });
    // Alt+F, which its caption shows, belongs to the window: on a narrow screen the tool bar
    // puts its last buttons out of sight, and a hidden button's own shortcut does nothing.
    closeButton->setShortcut(QKeySequence());
    auto *closeKey = new QShortcut(QKeySequence::mnemonic(closeButton->text()), this);
    ErrorGuard::connect(closeKey, &QShortcut::activated, this, [this] { close(); });
    return m_toolBar;
}

QStatusBar *PreviewWindow::createStatusBar()
{
    auto *statusBar = new QStatusBar(this);
    statusBar->setObjectName(u"StatusBar"_s);
    statusBar->setSizeGripEnabled(false);
    const struct
    {
        QLabel **panel;
        QString objectName;
        int width;
        int stretch;
    } panels[] = {
        {&m_progressPanel, u"ProgressPanel"_s, 60, 0},
        {&m_pagePanel, u"PagePanel"_s, 140, 0},
        {&m_titlePanel, u"TitlePanel"_s, 0, 1},
    };
    for (const auto &panel : panels) {
        auto *label = new QLabel(statusBar);
        label->setObjectName(panel.objectName);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (panel.width > 0)
            label->setFixedWidth(panel.width);
        statusBar->addWidget(label, panel.stretch);
        *panel.panel = label;
    }
    m_titlePanel->setText(m_title);
    return statusBar;
}

int PreviewWindow::exec()
{
    setWindowState(windowState() | Qt::WindowMaximized);
    // Built from inside the window's own event loop, once the window is on the screen: the user
    // sees the build's progress.
    QTimer::singleShot(0, this, [this] {
        if (!ErrorGuard::run([this] { buildPages(); }))
            reject();
    });
    return QDialog::exec();
}

const ReportDocument &PreviewWindow::document() const
{
    return m_document;
}

void PreviewWindow::buildPages()
{
    m_shownPercent = 0;
    ReportDocument built = m_builder([this](int percent) { showProgress(percent); });
    showProgress(100);
    showDocument(std::move(built));
}

// Shown in steps of at least 5, and neither at the start nor once done.
void PreviewWindow::showProgress(int percent)
{
    const bool running = percent > 0 && percent < 100;
    if (running && std::abs(percent - m_shownPercent) < 5)
        return;
    m_shownPercent = percent;
    m_progressPanel->setText(running ? u"%1%"_s.arg(percent) : QString());
    // The build runs inside an event handler: without this the window would not be drawn, nor
    // its progress, until the build ends. The user's clicks wait until then.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void PreviewWindow::showDocument(ReportDocument document)
{
    m_document = std::move(document);
    m_pageView->setDocument(&m_document);
    showPageIndicator();
}

void PreviewWindow::showPage(int page)
{
    m_pageView->setCurrentPage(page);
    showPageIndicator();
}

void PreviewWindow::showPageIndicator()
{
    const int pages = m_pageView->pageCount();
    m_pagePanel->setText(pages > 0 ? u"Page %1 of %2"_s.arg(m_pageView->currentPage()).arg(pages) : QString());
}

void PreviewWindow::zoomToFit()
{
    m_pageView->fitInView();
}

void PreviewWindow::zoomToWidth()
{
    m_pageView->fitToWidth();
}

void PreviewWindow::zoomToActualSize()
{
    m_pageView->setZoomFactor(1);
}

void PreviewWindow::firstPage()
{
    showPage(1);
}

void PreviewWindow::previousPage()
{
    showPage(m_pageView->currentPage() - 1);
}

void PreviewWindow::nextPage()
{
    showPage(m_pageView->currentPage() + 1);
}

void PreviewWindow::lastPage()
{
    showPage(m_pageView->pageCount());
}

// Qt's print dialog chooses the printer and the paper; here it only keeps them, the pages are
// printed by "Imprimer".
void PreviewWindow::setUpPrinter()
{
    if (noPrinterInstalled()) {
        tellNoPrinter();
        return;
    }
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setObjectName(u"PrinterSetupDialog"_s);
    dialog.setWindowTitle(u"Configuration de l'imprimante"_s);
    // A PDF file is made by "sauvegarder", not by printing.
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(u"OK"_s);
    }
    if (dialog.exec() == QDialog::Accepted)
        rememberChosenPrinter(*m_printer);
}

void PreviewWindow::tellNoPrinter()
{
    QMessageBox box(QMessageBox::Information, u"Cuisinotte"_s,
        u"Aucune imprimante n'est installée sur cet ordinateur : les pages ne peuvent pas être imprimées.\n"
        u"Vous pouvez les enregistrer en PDF avec le bouton « sauvegarder »."_s,
        QMessageBox::Ok, this);
    box.exec();
}

void PreviewWindow::print()
{
    if (noPrinterInstalled()) {
        tellNoPrinter();
        return;
    }
    if (const auto error = printDocument(*m_printer, m_document))
        fail(*error);
}

void PreviewWindow::save()
{
    QFileDialog dialog(this, u"Sauvegarder une impression"_s);
    dialog.setObjectName(u"SaveDialog"_s);
    setUpFileDialog(dialog, QFileDialog::AcceptSave, {SavedPagesFilter, PdfFilter});
    dialog.setDefaultSuffix(SavedPagesSuffix);
    ErrorGuard::connect(&dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString &filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const bool pdf = dialog.selectedNameFilter() == PdfFilter;
    const QString fileName = withSuffix(dialog.selectedFiles().constFirst(), pdf ? PdfSuffix : SavedPagesSuffix);
    const auto error = pdf ? writePdf(fileName, m_document, m_title.isEmpty() ? m_jobName : m_title)
                           : SavedPages::save(fileName, m_document);
    if (error)
        fail(*error);
}

// The pages shown stay as they were until a file has been read whole.
void PreviewWindow::openSavedPages()
{
    QFileDialog dialog(this, u"Chargement d'une impression"_s);
    dialog.setObjectName(u"OpenDialog"_s);
    setUpFileDialog(dialog, QFileDialog::AcceptOpen, {SavedPagesFilter});
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    ReportDocument opened;
    if (const auto error = SavedPages::open(dialog.selectedFiles().constFirst(), opened))
        fail(*error);
    showDocument(std::move(opened));
}

} // namespace report
