#include "ModalAnswer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>

ModalAnswer::ModalAnswer(std::function<bool(QWidget *dialog)> action)
    : m_action(std::move(action))
{
    answerWhenShown();
}

void ModalAnswer::answerWhenShown()
{
    QTimer::singleShot(0, this, [this] {
        // An event loop other than the dialog's may run first: wait for the dialog there.
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog) {
            answerWhenShown();
            return;
        }
        m_answered = m_action(dialog);
        if (!m_answered) {
            if (auto *unexpected = qobject_cast<QDialog *>(dialog))
                unexpected->reject();
            else
                dialog->hide();
        }
    });
}

MessageBoxAnswer::MessageBoxAnswer()
    : ModalAnswer([this](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        QAbstractButton *ok = box ? box->button(QMessageBox::Ok) : nullptr;
        if (!ok)
            return false;
        m_title = box->windowTitle();
        m_text = box->text();
        m_icon = box->icon();
        ok->click();
        return true;
    })
{
}

MessageBoxWatcher::MessageBoxWatcher()
{
    qApp->installEventFilter(this);
}

bool MessageBoxWatcher::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QMessageBox *>(watched);
    if (box && event->type() == QEvent::Show) {
        m_texts.append(box->text());
        // From inside the box's own event loop, once it runs.
        QTimer::singleShot(0, box, [box] {
            if (QAbstractButton *ok = box->button(QMessageBox::Ok))
                ok->click();
        });
    }
    return false;
}
