#include "TextCommands.h"

#include "guard/ErrorGuard.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

TextCommands::TextCommands(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    FileNewCmd = action(QStringLiteral("FileNewCmd"), QStringLiteral("&Nouveau"), QStringLiteral("Créer un nouveau fichier"),
        QStringLiteral("new"), QKeySequence(Qt::CTRL | Qt::Key_N));
    FileOpenCmd = action(QStringLiteral("FileOpenCmd"), QStringLiteral("&Ouvrir..."),
        QStringLiteral("Ouvrir un fichier existant"), QStringLiteral("open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    FileSaveCmd = action(QStringLiteral("FileSaveCmd"), QStringLiteral("&Enregistrer"),
        QStringLiteral("Enregistrer le fichier en cours"), QStringLiteral("save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    FilePrintCmd = action(QStringLiteral("FilePrintCmd"), QStringLiteral("&Imprimer"),
        QStringLiteral("Imprimer le fichier en cours"), QStringLiteral("print"), QKeySequence(Qt::CTRL | Qt::Key_P));
    FileExitCmd = action(QStringLiteral("FileExitCmd"), QStringLiteral("&Quitter"), QStringLiteral("Fermer cette application"),
        QString(), QKeySequence(Qt::ALT | Qt::Key_X));
    FileSaveAsCmd = action(QStringLiteral("FileSaveAsCmd"), QStringLiteral("En&registrer sous..."),
        QStringLiteral("Enregistrer le fichier en cours sous un nouveau nom"), QStringLiteral("save"), QKeySequence());

    EditUndoCmd = action(QStringLiteral("EditUndoCmd"), QStringLiteral("&Défaire"), QStringLiteral("Défaire la dernière action"),
        QStringLiteral("undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EditCutCmd = action(QStringLiteral("EditCutCmd"), QStringLiteral("&Couper"),
        QStringLiteral("Supprimer l'élément sélectionné"), QStringLiteral("cut"), QKeySequence(Qt::CTRL | Qt::Key_X));
    EditCopyCmd = action(QStringLiteral("EditCopyCmd"), QStringLiteral("Copi&er"),
        QStringLiteral("Copier l'élément sélectionné dans le Presse-papiers"), QStringLiteral("copy"),
        QKeySequence(Qt::CTRL | Qt::Key_C));
    EditPasteCmd = action(QStringLiteral("EditPasteCmd"), QStringLiteral("C&oller"),
        QStringLiteral("Coller le contenu du Presse-papiers"), QStringLiteral("paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    EditFontCmd = action(QStringLiteral("EditFontCmd"), QStringLiteral("&Fonte..."), QString(), QString(), QKeySequence());

    m_fileMenu = new QMenu(QStringLiteral("&Fichier"), window);
    m_fileMenu->setObjectName(QStringLiteral("Fichier1"));
    m_fileMenu->addAction(FileNewCmd);
    m_fileMenu->addAction(FileOpenCmd);
    // The same command as FileSaveCmd, whose key it shows: a second owner of Ctrl+S would make
    // the key ambiguous.
    FileSaveAsItem = m_fileMenu->addAction(FileSaveAsCmd->icon(), FileSaveAsCmd->text() + QStringLiteral("\tCtrl+S"));
    FileSaveAsItem->setObjectName(QStringLiteral("FileSaveAsItem"));
    FileSaveAsItem->setStatusTip(FileSaveAsCmd->statusTip());
    ErrorGuard::connect(FileSaveAsItem, &QAction::triggered, FileSaveAsCmd, [this] { FileSaveAsCmd->trigger(); });
    m_fileMenu->addSeparator()->setObjectName(QStringLiteral("N1"));
    m_fileMenu->addAction(FilePrintCmd);

    m_editMenu = new QMenu(QStringLiteral("&Edition"), window);
    m_editMenu->setObjectName(QStringLiteral("Edition1"));
    m_editMenu->addAction(EditUndoCmd);
    m_editMenu->addSeparator()->setObjectName(QStringLiteral("N2"));
    m_editMenu->addAction(EditCutCmd);
    m_editMenu->addAction(EditCopyCmd);
    m_editMenu->addAction(EditPasteCmd);
    m_editMenu->addSeparator()->setObjectName(QStringLiteral("N5"));
    miEditFont = m_editMenu->addAction(QStringLiteral("&Fonte..."));
    miEditFont->setObjectName(QStringLiteral("miEditFont"));
}

QAction *TextCommands::action(const QString &name, const QString &caption, const QString &hint, const QString &image,
    const QKeySequence &shortcut)
{
    auto *made = new QAction(caption, m_window);
    made->setObjectName(name);
    made->setToolTip(hint.isEmpty() ? QString(caption).remove(u'&') : hint);
    made->setStatusTip(hint);
    if (!image.isEmpty())
        made->setIcon(QIcon(QStringLiteral(":/toolbar/%1.png").arg(image)));
    made->setShortcut(shortcut);
    m_window->addAction(made);
    return made;
}

QList<QAction *> TextCommands::actionList1() const
{
    return {FileNewCmd, FileOpenCmd, FileSaveCmd, FilePrintCmd, FileExitCmd, FileSaveAsCmd};
}

QList<QAction *> TextCommands::actionList2() const
{
    return {EditUndoCmd, EditCutCmd, EditCopyCmd, EditPasteCmd, EditFontCmd};
}
