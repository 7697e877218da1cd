// The recipe card's illustration page: its menu and toolbar, and the commands that clear the
// picture, load it from a file, save it to one, and exchange it with the clipboard. Each
// command is one operation of the picture control, which reads and writes the field; the
// change reaches the database with the rest of the recipe on "&Ok".

#include "FicheRecettes.h"

#include "FileDialogs.h"
#include "OverwriteQuestion.h"

#include "controls/FormControls.h"
#include "controls/MyDBImage.h"
#include "data/DataModule.h"
#include "guard/ErrorGuard.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

namespace {

constexpr int illustrationPageWidth = 721;
constexpr int toolBarBorder = 2;
constexpr QSize toolButtonSize(23, 22);

// No folder is set, so the dialog opens where it opens by default.
void setUpPictureDialog(QFileDialog &dialog, const QStringList &filters, QFileDialog::AcceptMode mode)
{
    setUpFileDialog(dialog, filters, QStringLiteral("jpg"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
}

QString chosenFile(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace

QWidget *TFrmFicheRecettes::createIllustrationPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("PgeIllustration"));

    // MenuIllustration. The shortcuts the items show are those of the text commands, which
    // keep them on this page too: the items only show them.
    auto *menuBar = new QMenuBar(page);
    menuBar->setObjectName(QStringLiteral("ToolBar2"));
    menuBar->setNativeMenuBar(false);
    menuBar->setGeometry(0, 0, illustrationPageWidth, 29);
    const auto item = [this](QMenu *menu, const QString &name, const QString &caption, const QString &hint,
                          const QString &image, const QString &shownShortcut, void (TFrmFicheRecettes::*handler)()) {
        QAction *made = menu->addAction(QIcon(QStringLiteral(":/toolbar/%1.png").arg(image)),
            shownShortcut.isEmpty() ? caption : caption + u'\t' + shownShortcut);
        made->setObjectName(name);
        made->setStatusTip(hint);
        ErrorGuard::connect(made, &QAction::triggered, this, handler);
    };
    QMenu *file = menuBar->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("MenuItem1"));
    item(file, QStringLiteral("MenuItem2"), QStringLiteral("&Nouveau"), QStringLiteral("Créer un nouveau fichier"),
        QStringLiteral("new"), QStringLiteral("Ctrl+N"), &TFrmFicheRecettes::IllustrationNew);
    item(file, QStringLiteral("FileOpenIllustration"), QStringLiteral("&Ouvrir..."),
        QStringLiteral("Ouvrir un fichier existant"), QStringLiteral("open"), QStringLiteral("Ctrl+O"),
        &TFrmFicheRecettes::IllustrationOpen);
    item(file, QStringLiteral("MenuItem4"), QStringLiteral("En&registrer sous..."),
        QStringLiteral("Enregistrer le fichier en cours sous un nouveau nom"), QStringLiteral("save"), QString(),
        &TFrmFicheRecettes::IllustrationSaveAs);
    file->addSeparator()->setObjectName(QStringLiteral("MenuItem5"));
    item(file, QStringLiteral("MenuItem6"), QStringLiteral("&Imprimer"), QStringLiteral("Imprimer le fichier en cours"),
        QStringLiteral("print"), QStringLiteral("Ctrl+P"), &TFrmFicheRecettes::FilePrint);
    QMenu *edit = menuBar->addMenu(QStringLiteral("&Edition"));
    edit->setObjectName(QStringLiteral("MenuItem7"));
    item(edit, QStringLiteral("MenuItem10"), QStringLiteral("&Couper"), QStringLiteral("Supprimer l'élément sélectionné"),
        QStringLiteral("cut"), QStringLiteral("Ctrl+X"), &TFrmFicheRecettes::IllustrationCouper);
    item(edit, QStringLiteral("MenuItem11"), QStringLiteral("Copi&er"),
        QStringLiteral("Copier l'élément sélectionné dans le Presse-papiers"), QStringLiteral("copy"),
        QStringLiteral("Ctrl+C"), &TFrmFicheRecettes::IllustrationCopier);
    item(edit, QStringLiteral("MenuItem12"), QStringLiteral("C&oller"), QStringLiteral("Coller le contenu du Presse-papiers"),
        QStringLiteral("paste"), QStringLiteral("Ctrl+V"), &TFrmFicheRecettes::IllustrationColler);

    // ToolBar3: images only, the hints as tooltips; cut, copy and paste are in the menu only.
    auto *toolBar = new QFrame(page);
    toolBar->setObjectName(QStringLiteral("ToolBar3"));
    toolBar->setGeometry(0, 29, illustrationPageWidth, toolButtonSize.height() + 2 * toolBarBorder);
    const auto button = [this, toolBar](const QString &name, int left, const QString &image, const QString &hint,
                            void (TFrmFicheRecettes::*handler)()) {
        auto *made = new QToolButton(toolBar);
        made->setObjectName(name);
        made->setAutoRaise(true);
        made->setFocusPolicy(Qt::NoFocus);
        made->setIconSize(QSize(16, 16));
        made->setIcon(QIcon(QStringLiteral(":/toolbar/%1.png").arg(image)));
        made->setToolButtonStyle(Qt::ToolButtonIconOnly);
        made->setGeometry(QRect(QPoint(left, toolBarBorder), toolButtonSize));
        FormControls::setHint(made, hint);
        ErrorGuard::connect(made, &QToolButton::clicked, this, handler);
    };
    button(QStringLiteral("ToolButton3"), 4, QStringLiteral("new"), QStringLiteral("Créer un nouveau fichier"),
        &TFrmFicheRecettes::IllustrationNew);
    button(QStringLiteral("ToolButton4"), 27, QStringLiteral("open"), QStringLiteral("Ouvrir un fichier existant"),
        &TFrmFicheRecettes::IllustrationOpen);
    button(QStringLiteral("ToolButton6"), 50, QStringLiteral("save"), QStringLiteral("Enregistrer le fichier en cours"),
        &TFrmFicheRecettes::IllustrationSaveAs);
    button(QStringLiteral("ToolButton7"), 73, QStringLiteral("print"),
        QStringLiteral("Visulisation et Impression de cette recette"), &TFrmFicheRecettes::FilePrint);
    auto *divider = new QFrame(toolBar);
    divider->setObjectName(QStringLiteral("ToolButton8"));
    divider->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    divider->setGeometry(96, toolBarBorder, 9, toolButtonSize.height());

    MyDBImage = new TMyDBImage(page);
    MyDBImage->setObjectName(QStringLiteral("MyDBImage"));
    MyDBImage->setGeometry(0, 61, illustrationPageWidth, 274);
    MyDBImage->setDataField(QStringLiteral("IMAGE"));
    MyDBImage->setDataSource(&m_dm.DSRECETTES);
    return page;
}

// No confirmation: the emptied picture reaches the database only with "&Ok".
void TFrmFicheRecettes::IllustrationNew()
{
    MyDBImage->ClearPicture();
}

void TFrmFicheRecettes::IllustrationOpen()
{
    QFileDialog OpenDialogIllustration(this);
    OpenDialogIllustration.setObjectName(QStringLiteral("OpenDialogIllustration"));
    setUpPictureDialog(OpenDialogIllustration,
        {QStringLiteral("Fichier JPEG (*.JPG *.JPEG)"), QStringLiteral("Fichiers BMP (*.BMP)")}, QFileDialog::AcceptOpen);
    const QString fileName = chosenFile(OpenDialogIllustration);
    if (!fileName.isEmpty())
        MyDBImage->LoadFromFile(fileName);
}

// With no picture nothing is written, even after the overwrite question.
void TFrmFicheRecettes::IllustrationSaveAs()
{
    QFileDialog SaveDialogIllustration(this);
    SaveDialogIllustration.setObjectName(QStringLiteral("SaveDialogIllustration"));
    setUpPictureDialog(SaveDialogIllustration, {QStringLiteral("fichier jpg (*.JPEG)")}, QFileDialog::AcceptSave);
    const QString fileName = chosenFile(SaveDialogIllustration);
    if (fileName.isEmpty())
        return;
    if (QFileInfo::exists(fileName) && !confirmOverwrite(this, fileName))
        return;
    MyDBImage->SaveToFile(fileName);
}

void TFrmFicheRecettes::IllustrationCopier()
{
    MyDBImage->CopyToClipboard();
}

void TFrmFicheRecettes::IllustrationCouper()
{
    MyDBImage->CutToClipboard();
}

void TFrmFicheRecettes::IllustrationColler()
{
    MyDBImage->PasteFromClipboard();
}
