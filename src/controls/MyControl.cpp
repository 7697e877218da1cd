#include "MyControl.h"

#include "ControlBitmaps.h"
#include "WindowsFonts.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int framesInStrip = 5;
const QColor cream(0xff, 0xfb, 0xf0);

// The caption is drawn from the top of its rectangle, centred across; the underlined letter
// follows "&".
constexpr int captionFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic;

} // namespace

TMyControl::TMyControl(const QString &stripName, QWidget *parent)
    : QWidget(parent)
    , m_strip(ControlBitmaps::load(stripName))
    , m_frameWidth(m_strip.width() / framesInStrip)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);

    // A font set here is the button's own: the font of the panel it stands on does not reach it.
    QFont font = WindowsFonts::font(QStringLiteral("MS Sans Serif"), 11);
    font.setBold(true);
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::ButtonText, cream);
    setPalette(colours);

    resize(m_frameWidth, m_strip.height());
}

void TMyControl::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

TMyControl::State TMyControl::state() const
{
    State state = Normal;
    if (m_hot)
        state = Hot;
    if (m_pressed)
        state = Pressed;
    if (!isEnabled())
        state = Disabled;
    return state;
}

std::optional<QChar> TMyControl::accelerator(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) != u'&')
            return caption.at(i + 1);
        ++i;
    }
    return std::nullopt;
}

bool TMyControl::takesDialogChar(QChar character) const
{
    const std::optional<QChar> letter = accelerator(m_caption);
    return letter && letter->toCaseFolded() == character.toCaseFolded() && isEnabled() && isVisible();
}

bool TMyControl::dialogChar(QChar character)
{
    if (!takesDialogChar(character))
        return false;
    click();
    return true;
}

void TMyControl::click()
{
    emit clicked();
}

void TMyControl::changeEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
        repaint();
        break;
    case QEvent::FontChange:
    case QEvent::PaletteChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void TMyControl::enterEvent(QEnterEvent *event)
{
    if (!m_hot && isEnabled()) {
        m_hot = true;
        repaint();
    }
    QWidget::enterEvent(event);
}

void TMyControl::leaveEvent(QEvent *event)
{
    if (m_hot && isEnabled()) {
        m_hot = false;
        repaint();
    }
    QWidget::leaveEvent(event);
}

// Qt keeps the mouse for the widget that took the press until every button is released, so
// the release reaches the button even outside it.
void TMyControl::mousePressEvent(QMouseEvent *event)
{
    emit mouseDown(event);
    if (event->button() == Qt::LeftButton && isEnabled() && !m_pressed) {
        m_pressed = true;
        repaint();
    }
}

// A release outside keeps the pressed look and sends no click; a later release inside clicks.
void TMyControl::mouseReleaseEvent(QMouseEvent *event)
{
    emit mouseUp(event);
    m_hot = false;
    if (rect().contains(event->position().toPoint()) && m_pressed) {
        m_pressed = false;
        repaint();
        click();
    }
}

void TMyControl::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(event);
    if (rect().contains(event->position().toPoint())) {
        m_hot = true;
        repaint();
    }
}

// The second press of a double click is a press like the first, then the double click; its
// release clicks again, so a double click gives click, double click, click.
void TMyControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton && m_pressed)
        emit doubleClicked();
}

QRect TMyControl::textRectangle() const
{
    const int top = m_strip.height() / 2 - WindowsFonts::pointSize(font());
    return QRect(QPoint(0, top), QPoint(m_frameWidth - 1, m_strip.height() - 1));
}

void TMyControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int frame = state();
    painter.drawPixmap(0, 0, m_strip, frame * m_frameWidth, 0, m_frameWidth, m_strip.height());

    const QRect text = textRectangle();
    if (frame != Disabled) {
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.drawText(text, captionFlags, m_caption);
        return;
    }
    // Engraved: a light copy one pixel down and right, the shadow over it in place.
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(text.translated(1, 1), captionFlags, m_caption);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawText(text, captionFlags, m_caption);
}
