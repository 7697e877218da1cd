#pragma once

#include <QPixmap>
#include <QWidget>

#include <optional>

/// An owner-drawn bitmap button: each state shows its own frame of a strip of five (normal,
/// pressed, disabled, focus outline, hot) with the caption over it. It never takes the keyboard
/// focus; Alt with the letter after "&" in its caption clicks it (see AcceleratorDispatch).
class TMyControl : public QWidget
{
    Q_OBJECT

public:
    /// Frame numbers in the strip, also the button's painted state.
    enum State { Normal = 0, Pressed = 1, Disabled = 2, Hot = 4 };

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    /// The state the next paint shows: disabled over pressed over hot over normal.
    State state() const;

    /// Whether the character is the caption's accelerator, compared without regard to case,
    /// and the button is enabled and shown.
    bool takesDialogChar(QChar character) const;

    /// Clicks when the button takes the character. Returns whether it clicked.
    bool dialogChar(QChar character);

    /// The letter after "&" in a caption; none when the caption has no "&" ("&&" is a plain "&").
    static std::optional<QChar> accelerator(const QString &caption);

signals:
    void clicked();
    void doubleClicked();
    void mouseDown(QMouseEvent *event);
    void mouseMove(QMouseEvent *event);
    void mouseUp(QMouseEvent *event);

protected:
    /// stripName is the bitmap resource holding the five frames side by side.
    TMyControl(const QString &stripName, QWidget *parent);

    void changeEvent(QEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void click();
    QRect textRectangle() const;

    bool m_pressed = false;
    bool m_hot = false;
    QPixmap m_strip;
    int m_frameWidth;
    QString m_caption;
};
