#pragma once

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QWidget;

/// The recipe card's text commands: the file actions (ActionList1) and the edit actions
/// (ActionList2) with their captions, hints, images and shortcuts, and the menu that both text
/// pages show. The actions belong to the window, so that their shortcuts work on every page;
/// what they do is the window's.
class TextCommands : public QObject
{
    Q_OBJECT

public:
    explicit TextCommands(QWidget *window);

    QAction *FileNewCmd;
    QAction *FileOpenCmd;
    QAction *FileSaveCmd;
    QAction *FilePrintCmd;
    QAction *FileExitCmd;
    QAction *FileSaveAsCmd;

    QAction *EditUndoCmd;
    QAction *EditCutCmd;
    QAction *EditCopyCmd;
    QAction *EditPasteCmd;
    QAction *EditFontCmd;

    QList<QAction *> actionList1() const;
    QList<QAction *> actionList2() const;

    /// MainMenu: "&Fichier" and "&Edition".
    QMenu *fileMenu() const { return m_fileMenu; }
    QMenu *editMenu() const { return m_editMenu; }
    /// The menu's "En&registrer sous..." item, which shows the key of "&Enregistrer".
    QAction *FileSaveAsItem;
    /// The menu's "&Fonte..." item.
    QAction *miEditFont;

private:
    QAction *action(const QString &name, const QString &caption, const QString &hint, const QString &image,
        const QKeySequence &shortcut);

    QWidget *m_window;
    QMenu *m_fileMenu;
    QMenu *m_editMenu;
};
