// The recipe card's file and edit commands on the current text: empty it, load it from a file,
// save it to one, undo, cut, copy, paste; and the files dropped on the window.

#include "FicheRecettes.h"

#include "FormattingToolBar.h"
#include "OverwriteQuestion.h"
#include "ShortcutDispatch.h"
#include "TextCommands.h"
#include "TextFiles.h"

#include "controls/FormControls.h"
#include "controls/MyRichEdit.h"
#include "guard/ErrorGuard.h"

#include <QAction>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTabWidget>
#include <QToolButton>

namespace {

// Dropped files are those the desktop sends, local ones; the first is the one that counts.
bool holdsFiles(const QMimeData *data)
{
    return data && data->hasUrls() && !data->urls().isEmpty() && data->urls().constFirst().isLocalFile();
}

} // namespace

void TFrmFicheRecettes::createCommands()
{
    m_commands = new TextCommands(this);
    TextCommands &c = *m_commands;
    const struct
    {
        QAction *action;
        void (TFrmFicheRecettes::*handler)();
    } handlers[] = {
        {c.FileNewCmd, &TFrmFicheRecettes::FileNew},
        {c.FileOpenCmd, &TFrmFicheRecettes::FileOpen},
        {c.FileSaveCmd, &TFrmFicheRecettes::FileSave},
        {c.FilePrintCmd, &TFrmFicheRecettes::FilePrint},
        {c.FileExitCmd, &TFrmFicheRecettes::FileExit},
        {c.FileSaveAsCmd, &TFrmFicheRecettes::FileSaveAs},
        {c.EditUndoCmd, &TFrmFicheRecettes::EditUndo},
        {c.EditCutCmd, &TFrmFicheRecettes::EditCut},
        {c.EditCopyCmd, &TFrmFicheRecettes::EditCopy},
        {c.EditPasteCmd, &TFrmFicheRecettes::EditPaste},
        {c.EditFontCmd, &TFrmFicheRecettes::SelectFont},
        {c.miEditFont, &TFrmFicheRecettes::SelectFont},
    };
    for (const auto &[action, handler] : handlers)
        ErrorGuard::connect(action, &QAction::triggered, this, handler);

    for (const TextPage *page : {&m_ingredients, &m_preparation}) {
        page->menu->addMenu(c.fileMenu());
        page->menu->addMenu(c.editMenu());
    }
    bindToolBar(*m_ingredients.toolBar, true);
    bindToolBar(*m_preparation.toolBar, false);

    new ShortcutDispatch(this, c.actionList1() + c.actionList2(), [this] { ActionList2Update(); });
    // The edit commands follow what they depend on: the selection, the clipboard, the undo
    // history, the text in use.
    ErrorGuard::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TFrmFicheRecettes::ActionList2Update);
    ErrorGuard::connect(PgeControl, &QTabWidget::currentChanged, this, &TFrmFicheRecettes::ActionList2Update);
    ErrorGuard::connect(c.editMenu(), &QMenu::aboutToShow, this, &TFrmFicheRecettes::ActionList2Update);
    for (const TextPage *page : {&m_ingredients, &m_preparation}) {
        ErrorGuard::connect(page->editor, &QTextEdit::selectionChanged, this, &TFrmFicheRecettes::ActionList2Update);
        ErrorGuard::connect(page->editor, &QTextEdit::undoAvailable, this, &TFrmFicheRecettes::ActionList2Update);
        ErrorGuard::connect(page->editor, &QTextEdit::textChanged, this, &TFrmFicheRecettes::ActionList2Update);
    }
}

// The first buttons take their command's caption, image, hint and state; a hint of the button's
// own wins over the command's.
void TFrmFicheRecettes::bindToolBar(const FormattingToolBar &toolBar, bool ingredients)
{
    const TextCommands &c = *m_commands;
    toolBar.newButton()->setDefaultAction(c.FileNewCmd);
    toolBar.openButton()->setDefaultAction(c.FileOpenCmd);
    toolBar.saveButton()->setDefaultAction(c.FileSaveCmd);
    toolBar.printButton()->setDefaultAction(c.FilePrintCmd);
    toolBar.cutButton()->setDefaultAction(c.EditCutCmd);
    toolBar.copyButton()->setDefaultAction(c.EditCopyCmd);
    toolBar.pasteButton()->setDefaultAction(c.EditPasteCmd);
    toolBar.undoButton()->setDefaultAction(c.EditUndoCmd);
    FormControls::setHint(toolBar.printButton(), QStringLiteral("Visulisation et Impression de cette recette"));
    if (!ingredients) {
        FormControls::setHint(toolBar.newButton(), QStringLiteral("Nouveau ou remise à blanc des notes existantes"));
        FormControls::setHint(toolBar.saveButton(), QStringLiteral("Enregistrer les notes sur disque"));
    }
}

// No confirmation: the emptied text reaches the record at its next write only.
void TFrmFicheRecettes::FileNew()
{
    CurrentEditor->clear();
    ApplyDefaultTextFormat();
}

void TFrmFicheRecettes::FileOpen()
{
    QFileDialog OpenDialog(this);
    OpenDialog.setObjectName(QStringLiteral("OpenDialog"));
    TextFiles::setUpDialog(OpenDialog, m_textFolder);
    OpenDialog.setAcceptMode(QFileDialog::AcceptOpen);
    OpenDialog.setFileMode(QFileDialog::AnyFile);
    if (OpenDialog.exec() != QDialog::Accepted || OpenDialog.selectedFiles().isEmpty())
        return;
    ApplyDefaultTextFormat();
    LoadTextFile(OpenDialog.selectedFiles().constFirst());
}

// RTF when the file is RTF, plain text otherwise. A file that cannot be read leaves the text
// emptied; one too large for a recipe is refused before anything changes.
void TFrmFicheRecettes::LoadTextFile(const QString &fileName)
{
    TextFiles::checkSize(fileName);
    CurrentEditor->clear();
    const QByteArray content = TextFiles::read(fileName);
    if (CurrentEditor->streamIn(content, richedit::StreamFormat::Rtf))
        CurrentEditor->streamIn(content, richedit::StreamFormat::PlainText);
    CurrentEditor->setFocus();
}

void TFrmFicheRecettes::FileSave()
{
    FileSaveAs();
}

void TFrmFicheRecettes::FileSaveAs()
{
    QFileDialog SaveDialog(this);
    SaveDialog.setObjectName(QStringLiteral("SaveDialog"));
    TextFiles::setUpDialog(SaveDialog, m_textFolder);
    SaveDialog.setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog.setFileMode(QFileDialog::AnyFile);
    if (SaveDialog.exec() != QDialog::Accepted || SaveDialog.selectedFiles().isEmpty())
        return;
    const QString fileName = SaveDialog.selectedFiles().constFirst();
    if (QFileInfo::exists(fileName) && !confirmOverwrite(this, fileName))
        return;
    TextFiles::write(fileName, CurrentEditor->streamOut(richedit::StreamFormat::Rtf));
}

void TFrmFicheRecettes::FileExit()
{
    reject();
}

// A text that may not be changed has nothing to undo, whatever the command's state says.
void TFrmFicheRecettes::EditUndo()
{
    if (CurrentEditor->canUndo())
        CurrentEditor->undo();
}

void TFrmFicheRecettes::EditCut()
{
    CurrentEditor->cutToClipboard();
}

void TFrmFicheRecettes::EditCopy()
{
    CurrentEditor->copy();
}

void TFrmFicheRecettes::EditPaste()
{
    CurrentEditor->pasteFromClipboard();
    SelectionChange();
}

void TFrmFicheRecettes::ActionList2Update()
{
    if (!CurrentEditor)
        return;
    const TextCommands &c = *m_commands;
    const bool selected = CurrentEditor->selLength() > 0;
    c.EditCutCmd->setEnabled(selected);
    c.EditCopyCmd->setEnabled(selected);
    c.EditUndoCmd->setEnabled(CurrentEditor->canUndo());
    c.EditPasteCmd->setEnabled(CurrentEditor->canPasteFromClipboard());
}

// Only the first file is loaded, and without the default format first.
void TFrmFicheRecettes::FilesDropped(const QList<QUrl> &urls)
{
    if (!urls.isEmpty() && urls.constFirst().isLocalFile())
        LoadTextFile(urls.constFirst().toLocalFile());
}

void TFrmFicheRecettes::dragEnterEvent(QDragEnterEvent *event)
{
    if (holdsFiles(event->mimeData()))
        event->acceptProposedAction();
}

void TFrmFicheRecettes::dropEvent(QDropEvent *event)
{
    if (!holdsFiles(event->mimeData()))
        return;
    event->acceptProposedAction();
    const QList<QUrl> urls = event->mimeData()->urls();
    ErrorGuard::run([this, &urls] { FilesDropped(urls); });
}

// Files dropped on a text are the window's; any other drop is the text's own.
bool TFrmFicheRecettes::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (!acceptDrops() || !holdsFiles(drag->mimeData()))
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (!acceptDrops() || !holdsFiles(drop->mimeData()))
            break;
        dropEvent(drop);
        return true;
    }
    default:
        break;
    }
    return ModalForm::eventFilter(watched, event);
}
