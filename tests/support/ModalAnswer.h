#pragma once

#include <QMessageBox>
#include <QObject>
#include <QStringList>

#include <functional>

/// Answers the next modal dialog. Made before the call that runs the dialog's exec(), it
/// waits in the event queue and acts from inside that dialog's own event loop.
class ModalAnswer : public QObject
{
public:
    /// action gets the dialog, closes it the way the test wants, and tells whether it could.
    /// A dialog it could not answer is rejected, so that the test fails instead of hanging.
    explicit ModalAnswer(std::function<bool(QWidget *dialog)> action);

    /// True once a modal dialog was there and the action answered it.
    bool answered() const { return m_answered; }

private:
    void answerWhenShown();

    std::function<bool(QWidget *)> m_action;
    bool m_answered = false;
};

/// Presses OK in the next message box, and keeps what the box showed.
class MessageBoxAnswer : public ModalAnswer
{
public:
    MessageBoxAnswer();

    QString title() const { return m_title; }
    QString text() const { return m_text; }
    QMessageBox::Icon icon() const { return m_icon; }

private:
    QString m_title;
    QString m_text;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
};

/// Closes with OK every message box shown while it lives, and keeps what each one said: for
/// counting the boxes a command shows.
class MessageBoxWatcher : public QObject
{
public:
    MessageBoxWatcher();

    QStringList texts() const { return m_texts; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QStringList m_texts;
};

/// Answers the next modal dialog when it is a Dialog, by running the action on it; any other
/// dialog is rejected and the answer stays unanswered.
template <class Dialog>
class DialogAnswer : public ModalAnswer
{
public:
    explicit DialogAnswer(std::function<void(Dialog &dialog)> action)
        : ModalAnswer([action = std::move(action)](QWidget *widget) {
            auto *dialog = qobject_cast<Dialog *>(widget);
            if (!dialog)
                return false;
            action(*dialog);
            return true;
        })
    {
    }
};
