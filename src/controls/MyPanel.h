#pragma once

#include <QPixmap>
#include <QWidget>

/// The background of every window: a framed, textured surface painted from BMP_FOND, filling
/// its window. It also gives the window's controls their font and text colour (navy bold
/// MS Sans Serif, 8 points), whatever the window asked for.
class TMyPanel : public QWidget
{
    Q_OBJECT

public:
    /// Placed in a main window, the panel becomes its central widget; in any other window it
    /// follows the window's size.
    explicit TMyPanel(QWidget *parent = nullptr);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setUpWindow();
    void fillParent();

    QPixmap m_background;
    int m_bitmapHeight;
    int m_bitmapWidth;
    int m_cellHeight;
    int m_cellWidth;
};
