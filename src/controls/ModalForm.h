#pragma once

#include <QDialog>

class TMyPanel;

/// A window the program shows modally over another: a background panel fills its client area,
/// its bitmap buttons answer their letters, and it opens centred on the screen. None of its
/// buttons is a cancel button, so Escape does not close it; the close box ends it with Cancel.
class ModalForm : public QDialog
{
    Q_OBJECT

public:
    enum class Border { Dialog, Sizeable };

    /// clientSize is the size the window is designed at; a dialog border keeps it fixed.
    ModalForm(QWidget *owner, const QString &caption, QSize clientSize, Border border);

    TMyPanel *panel() const { return m_panel; }

    /// Blocks its owner and the owner's owners, not the program's other windows: the help
    /// stays open and usable beside it.
    int exec() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    TMyPanel *m_panel;
};
