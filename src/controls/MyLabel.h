#pragma once

#include <QWidget>

/// A window's text, drawn without background on the panel: the caption in the label's font,
/// aligned in its rectangle from the top, the letter after "&" underlined. A label given no font
/// of its own takes its parent's.
class TMyLabel : public QWidget
{
    Q_OBJECT

public:
    explicit TMyLabel(QWidget *parent = nullptr);
    TMyLabel(const QString &caption, QWidget *parent);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);

    /// Horizontal alignment of the caption: left (the default), centred or right.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);

    /// An auto-sized label (the default) takes the size of its caption; titles set it off to
    /// keep a fixed rectangle.
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool autoSize);

    /// Transparent (the default) draws no background; otherwise the parent's colour is filled.
    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    QSize sizeHint() const override;

signals:
    void clicked();
    void doubleClicked();

protected:
    void changeEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void adjustToCaption();

    QString m_caption;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_autoSize = true;
    bool m_transparent = true;
};
