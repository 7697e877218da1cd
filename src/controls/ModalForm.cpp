#include "ModalForm.h"

#include "AcceleratorDispatch.h"
#include "MyPanel.h"
#include "WindowsFonts.h"

#include <QKeyEvent>
#include <QScreen>

ModalForm::ModalForm(QWidget *owner, const QString &caption, QSize clientSize, Border border)
    : QDialog(owner)
{
    setWindowTitle(caption);
    setFont(WindowsFonts::font(QStringLiteral("MS Sans Serif"), 11));
    if (border == Border::Dialog) {
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        setFixedSize(clientSize);
    } else {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
        resize(clientSize);
    }
    move(screen()->availableGeometry().center() - rect().center());

    m_panel = new TMyPanel(this);
    m_panel->setObjectName(QStringLiteral("MyPanel1"));
    new AcceleratorDispatch(this);
}

int ModalForm::exec()
{
    setWindowModality(Qt::WindowModal);
    return QDialog::exec();
}

void ModalForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
