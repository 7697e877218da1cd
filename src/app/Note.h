#pragma once

#include "controls/ModalForm.h"

#include <QCoreApplication>

namespace richedit {
class RichEdit;
}

/// Shows the note delivered beside the program, "note.rtf", read afresh each time the window is
/// made. The text may be changed on screen but is never saved.
class TFrmNote : public ModalForm
{
    Q_OBJECT

public:
    /// applicationFolder is where "note.rtf" is looked for. A note that cannot be read is
    /// reported in the error box, and the window shows an empty text.
    explicit TFrmNote(QWidget *owner, const QString &applicationFolder = QCoreApplication::applicationDirPath());

    /// The largest note read: far beyond any note, and small enough to read whole.
    static constexpr qint64 maxSize = 32 * 1024 * 1024;

private:
    void FormCreate(const QString &applicationFolder);
    void MyButton1Click();

    richedit::RichEdit *RichEdit1;
};
