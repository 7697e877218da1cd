#include "MyLabel.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int mnemonicFlags = Qt::TextShowMnemonic | Qt::TextSingleLine;

} // namespace

TMyLabel::TMyLabel(QWidget *parent)
    : QWidget(parent)
{
    setTransparent(true);
    adjustToCaption();
}

TMyLabel::TMyLabel(const QString &caption, QWidget *parent)
    : TMyLabel(parent)
{
    setCaption(caption);
}

void TMyLabel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    adjustToCaption();
    update();
}

void TMyLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void TMyLabel::setAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    adjustToCaption();
}

void TMyLabel::setTransparent(bool transparent)
{
    m_transparent = transparent;
    setAutoFillBackground(!transparent);
    update();
}

QSize TMyLabel::sizeHint() const
{
    return fontMetrics().size(mnemonicFlags, m_caption);
}

void TMyLabel::adjustToCaption()
{
    if (m_autoSize)
        resize(sizeHint());
}

void TMyLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        adjustToCaption();
    QWidget::changeEvent(event);
}

void TMyLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void TMyLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void TMyLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(rect(), (m_alignment | Qt::AlignTop).toInt() | mnemonicFlags, m_caption);
}
