#include "Main.h"

#include "AProposDe.h"
#include "Application.h"
#include "Information.h"
#include "Note.h"
#include "Quitter.h"
#include "controls/MyLabel.h"
#include "controls/MyPanel.h"
#include "controls/WindowsFonts.h"
#include "data/DataModule.h"
#include "guard/ErrorGuard.h"
#include "help/HelpWindow.h"
#include "manage/TableauRecettes.h"
#include "report/PrintJob.h"
#include "viewer/FicheVisualisation.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QImage>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QScopeGuard>
#include <QScreen>
#include <QToolButton>
#include <QUrl>

#include <stdexcept>

namespace {

const QColor navy(0x00, 0x00, 0x80);

// The maker's web site; its forum lies under "Forum/".
const QString siteAddress = QStringLiteral("https://www.quenelog.fr/");

// Shape1 keeps this distance to the right edge of the panel, however wide the window.
constexpr int shapeRightGap = 9;

// The pictures are drawn on black; the colour of their bottom-left pixel is their background,
// which must not show.
QIcon transparentPicture(const QString &resource)
{
    QImage picture = QImage(resource).convertToFormat(QImage::Format_ARGB32);
    const QRgb background = picture.pixel(0, picture.height() - 1);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) == background)
                picture.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return QIcon(QPixmap::fromImage(picture));
}

// A window shown from here is released once the command that showed it is over, whichever way
// it ended.
auto releaseLater(QWidget *window)
{
    return qScopeGuard([window] { window->deleteLater(); });
}

} // namespace

TFrmMain::TFrmMain(TDM &dm, const QString &applicationFolder, QWidget *parent)
    : QMainWindow(parent)
    , m_dm(dm)
    , m_applicationFolder(applicationFolder)
{
    setObjectName(QStringLiteral("FrmMain"));
    setWindowTitle(QStringLiteral("Cuisinotte"));
    setFont(WindowsFonts::font(QStringLiteral("MS Sans Serif"), 11));
    createMenu();
    createPanel();

    resize(722, 463 + menuBar()->sizeHint().height());
    move(screen()->availableGeometry().center() - rect().center());

    FormCreate();
}

void TFrmMain::createMenu()
{
    auto *fichier = menuBar()->addMenu(QStringLiteral("&Fichier"));
    fichier->setObjectName(QStringLiteral("Fichier1"));
    addCommand(fichier, QStringLiteral("Configurerlimpression1"), QStringLiteral("&Configurer l'impression"),
        &TFrmMain::Configurerlimpression1Click);
    addSeparator(fichier, QStringLiteral("N1"));
    addCommand(fichier, QStringLiteral("Quitter1"), QStringLiteral("&Quitter"), &TFrmMain::Quitter1Click);

    addCommand(menuBar(), QStringLiteral("GestiondesRecettes1"), QStringLiteral("&Gestion des Recettes"),
        &TFrmMain::GestiondesRecettes1Click);
    addCommand(menuBar(), QStringLiteral("Visualisation1"), QStringLiteral("&Visualisation"),
        &TFrmMain::Visualisation1Click);
    addCommand(menuBar(), QStringLiteral("Note1"), QStringLiteral("&Note"), &TFrmMain::Note1Click);
    addCommand(menuBar(), QStringLiteral("Info1"), QStringLiteral("&Info"), &TFrmMain::Info1Click);

    auto *help = menuBar()->addMenu(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("N2"));
    addCommand(help, QStringLiteral("Aide1"), QStringLiteral("&Aide"), &TFrmMain::Aide1Click);
    addSeparator(help, QStringLiteral("N4"));
    addCommand(help, QStringLiteral("SiteQuenelog"), QStringLiteral("Site Internet Quenelog"),
        &TFrmMain::SiteQuenelogClick);
    addCommand(help, QStringLiteral("AccesForum"), QStringLiteral("Accès au Forum"), &TFrmMain::AccesForumClick);
    addSeparator(help, QStringLiteral("N3"));
    addCommand(help, QStringLiteral("Apropos1"), QStringLiteral("A propos de Cuisinotte"), &TFrmMain::Apropos1Click);
}

void TFrmMain::addCommand(QWidget *menu, const QString &name, const QString &caption, Handler handler)
{
    auto *action = new QAction(caption, menu);
    action->setObjectName(name);
    ErrorGuard::connect(action, &QAction::triggered, this, handler);
    menu->addAction(action);
}

void TFrmMain::addSeparator(QMenu *menu, const QString &name)
{
    menu->addSeparator()->setObjectName(name);
}

void TFrmMain::createPanel()
{
    m_panel = new TMyPanel(this);
    m_panel->setObjectName(QStringLiteral("MyPanel1"));
    m_panel->installEventFilter(this);

    // Each title line is a shadow label in the tooltip colour with a navy label over it. The
    // order of creation is the order of painting, so every front comes after its shadow.
    const QColor shadow = palette().color(QPalette::ToolTipBase);
    // The product name stands alone on the middle line, the two others frame it empty.
    const QString line1;
    const QString line2 = QStringLiteral("Cuisinotte");
    const QString line3;
    addTitleLabel(QStringLiteral("MyLabel1"), line1, QRect(-48, 119, 795, 135), shadow);
    addTitleLabel(QStringLiteral("MyLabel2"), line3, QRect(-55, 291, 793, 94), shadow);
    addTitleLabel(QStringLiteral("MyLabel3"), line1, QRect(-42, 119, 769, 135), navy);
    addTitleLabel(QStringLiteral("MyLabel4"), line3, QRect(-47, 291, 763, 94), navy);
    addTitleLabel(QStringLiteral("MyLabel5"), line2, QRect(-61, 209, 799, 135), shadow);
    addTitleLabel(QStringLiteral("MyLabel6"), line2, QRect(-54, 210, 769, 135), navy);

    m_shape = new QWidget(m_panel);
    m_shape->setObjectName(QStringLiteral("Shape1"));
    m_shape->setGeometry(8, 80, 705, 1);
    QPalette silver = m_shape->palette();
    silver.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    m_shape->setPalette(silver);
    m_shape->setAutoFillBackground(true);

    addPictureButton(QStringLiteral("SpeedButton1"), QStringLiteral("&Quitter"), QStringLiteral("Quitter l'application"),
        QStringLiteral(":/buttons/quitter.bmp"), QRect(11, 7, 55, 65), &TFrmMain::Quitter1Click);
    addPictureButton(QStringLiteral("SpeedButton2"), QStringLiteral("&Gestion"), QStringLiteral("Gestion des recettes"),
        QStringLiteral(":/buttons/gestion.bmp"), QRect(107, 7, 55, 65), &TFrmMain::GestiondesRecettes1Click);
    addPictureButton(QStringLiteral("SpeedButton3"), QStringLiteral("&Visualisation"),
        QStringLiteral("Visualisation des recettes"), QStringLiteral(":/buttons/visualisation.bmp"),
        QRect(179, 7, 70, 65), &TFrmMain::Visualisation1Click);
    addPictureButton(QStringLiteral("SpeedButton4"), QStringLiteral("&Aide"), QStringLiteral("Aide en ligne"),
        QStringLiteral(":/buttons/aide.bmp"), QRect(291, 7, 55, 65), &TFrmMain::Aide1Click);
}

void TFrmMain::addTitleLabel(const QString &name, const QString &text, const QRect &geometry, const QColor &colour)
{
    auto *label = new TMyLabel(text, m_panel);
    label->setObjectName(name);
    QFont font = WindowsFonts::font(QStringLiteral("Comic Sans MS"), 64);
    font.setBold(true);
    font.setItalic(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAutoSize(false);
    label->setAlignment(Qt::AlignHCenter);
    label->setGeometry(geometry);
}

void TFrmMain::addPictureButton(const QString &name, const QString &caption, const QString &hint,
    const QString &picture, const QRect &geometry, Handler handler)
{
    auto *button = new QToolButton(m_panel);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(transparentPicture(picture));
    button->setIconSize(QSize(48, 48));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, navy);
    button->setPalette(palette);
    button->setGeometry(geometry);
    ErrorGuard::connect(button, &QToolButton::clicked, this, handler);

    // Alt with the underlined letter of "&Gestion" or "&Visualisation" already belongs to the
    // menu bar, for the same command. A key with two owners is ambiguous, and Qt then drops
    // some of its presses, so the menu bar keeps it alone.
    const auto menuBarActions = menuBar()->actions();
    for (const QAction *action : menuBarActions) {
        if (QKeySequence::mnemonic(action->text()) == button->shortcut())
            button->setShortcut(QKeySequence());
    }
}

bool TFrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panel && event->type() == QEvent::Resize)
        m_shape->resize(m_panel->width() - shapeRightGap - m_shape->x(), m_shape->height());
    return QMainWindow::eventFilter(watched, event);
}

void TFrmMain::FormCreate()
{
    const QString databasePath = applicationFile(QStringLiteral("RECETTES.GDB"));
    if (!QFileInfo(databasePath).isFile()) {
        requestTermination(QStringLiteral("Impossible de trouver : ") + databasePath + u'.');
        return;
    }

    // The user is told the engine is missing whatever the engine said: a start-up without a
    // working engine is by far the likeliest cause, and its own message means nothing to a cook.
    try {
        m_dm.openRecipeBook(databasePath);
    } catch (const TDM::OpeningError &error) {
        requestTermination(error.step() == TDM::OpeningError::Step::Connection
                ? QStringLiteral("le moteur de base de données FireBird n'est pas installé.")
                : QStringLiteral("Erreur en ouverture d'une table de recettes.gdb."));
    }
}

void TFrmMain::closeEvent(QCloseEvent *event)
{
    // Refused unless the user says OK: an error on the way keeps the program running.
    event->ignore();
    ErrorGuard::run([this, event] {
        if (FormClose())
            event->accept();
    });
}

bool TFrmMain::FormClose()
{
    auto *confirmation = new TFrmQuitter(this);
    const auto release = releaseLater(confirmation);
    return confirmation->exec() == QDialog::Accepted;
}

void TFrmMain::requestTermination(const QString &message)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Cuisinotte"), message, QMessageBox::Ok, this);
    box.exec();
    m_terminationRequested = true;
}

QString TFrmMain::applicationFile(const QString &fileName) const
{
    return m_applicationFolder + u'/' + fileName;
}

void TFrmMain::openUrl(const QUrl &url)
{
    if (!QDesktopServices::openUrl(url)) {
        throw std::runtime_error(
            (QStringLiteral("Impossible d'ouvrir : ") + url.toDisplayString() + u'.').toStdString());
    }
}

void TFrmMain::CommitAndReopen()
{
    if (!m_dm.IBTransaction.isActive())
        return;
    m_dm.IBTransaction.commit();
    m_dm.openDatabaseDatasets();
}

void TFrmMain::Configurerlimpression1Click()
{
    QPrintDialog dialog(&Application::printer(), this);
    dialog.setWindowTitle(QStringLiteral("Configurer l'impression"));
    // Choosing the printer and its paper is all this is for; what to print is asked later.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
    dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, true);
    if (dialog.exec() == QDialog::Accepted)
        report::rememberChosenPrinter(Application::printer());
}

void TFrmMain::Quitter1Click()
{
    close();
}

// Whatever happened in the recipe management window, its work is committed once it is gone:
// its commands end in the error guard, so its modal loop always returns here.
void TFrmMain::GestiondesRecettes1Click()
{
    auto *window = new TFrmTableauRecettes(m_dm, this);
    window->exec();
    window->deleteLater();
    CommitAndReopen();
}

void TFrmMain::Visualisation1Click()
{
    auto *window = new TFrmFicheVisualisation(m_dm, this);
    const auto release = releaseLater(window);
    window->exec();
}

void TFrmMain::Note1Click()
{
    auto *window = new TFrmNote(this, m_applicationFolder);
    const auto release = releaseLater(window);
    window->exec();
}

void TFrmMain::Info1Click()
{
    auto *window = new TFrmInformation(this);
    const auto release = releaseLater(window);
    window->exec();
}

// The help opens in a window of its own beside the program, as a help engine's would, and
// stays open while the user goes on working.
void TFrmMain::Aide1Click()
{
    help::HelpWindow::showTopic(applicationFile(QStringLiteral("Cuisinotte.hlp")), QStringLiteral("SOMMAIRE"));
}

void TFrmMain::SiteQuenelogClick()
{
    openUrl(QUrl(siteAddress));
}

void TFrmMain::AccesForumClick()
{
    openUrl(QUrl(siteAddress + QStringLiteral("Forum/")));
}

void TFrmMain::Apropos1Click()
{
    auto *window = new TfrmAProposDe(this);
    const auto release = releaseLater(window);
    window->exec();
}
