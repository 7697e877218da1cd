#include "IndentRuler.h"

#include "controls/WindowsFonts.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextOption>

const IndentRuler::Names IndentRuler::ingredientsNames = {
    QStringLiteral("Ruler1"), QStringLiteral("Bevel3"), QStringLiteral("Bevel2"),
    QStringLiteral("FirstInd1"), QStringLiteral("LeftInd1"), QStringLiteral("RightInd1"),
};

const IndentRuler::Names IndentRuler::preparationNames = {
    QStringLiteral("Ruler"), QStringLiteral("Bevel1"), QStringLiteral("RulerLine"),
    QStringLiteral("FirstInd"), QStringLiteral("LeftInd"), QStringLiteral("RightInd"),
};

namespace {

constexpr int rulerWidth = 719;
constexpr int rulerHeight = 26;

// A sunken line: a shadow with a highlight under it.
QFrame *line(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *made = new QFrame(parent);
    made->setObjectName(name);
    made->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    made->setGeometry(geometry);
    return made;
}

} // namespace

RulerMarker::RulerMarker(Pointing pointing, QWidget *parent)
    : QWidget(parent)
    , m_pointing(pointing)
{
    setCursor(Qt::ArrowCursor);
}

void RulerMarker::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseDown(this, qRound(event->position().x()));
}

void RulerMarker::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(this, qRound(event->position().x()));
}

void RulerMarker::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseUp(this, qRound(event->position().x()));
}

// A small black pointer filling the marker: down onto the line from above, or up to it from
// below.
void RulerMarker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const qreal w = width();
    const qreal h = height();
    const qreal stem = w / 2 - 1.5;
    QPolygonF pointer;
    if (m_pointing == Pointing::Down)
        pointer << QPointF(stem, 0) << QPointF(w - stem, 0) << QPointF(w - stem, h / 2) << QPointF(w, h / 2)
                << QPointF(w / 2, h) << QPointF(0, h / 2) << QPointF(stem, h / 2);
    else
        pointer << QPointF(w / 2, 0) << QPointF(w, h / 2) << QPointF(w - stem, h / 2) << QPointF(w - stem, h)
                << QPointF(stem, h) << QPointF(stem, h / 2) << QPointF(0, h / 2);
    painter.drawPolygon(pointer);
}

IndentRuler::IndentRuler(const Names &names, QWidget *parent)
    : QFrame(parent)
{
    setObjectName(names.ruler);
    setFrameStyle(QFrame::NoFrame);
    resize(rulerWidth, rulerHeight);
    setFont(WindowsFonts::font(QStringLiteral("Arial"), 11));

    line(names.topLine, QRect(0, 0, rulerWidth, 2), this);
    line(names.line, QRect(4, 12, 701, 2), this);

    m_firstIndent = new RulerMarker(RulerMarker::Pointing::Down, this);
    m_firstIndent->setObjectName(names.firstIndent);
    m_firstIndent->setGeometry(2, 2, 10, 9);
    m_leftIndent = new RulerMarker(RulerMarker::Pointing::Up, this);
    m_leftIndent->setObjectName(names.leftIndent);
    m_leftIndent->setGeometry(2, 12, 10, 11);
    m_rightIndent = new RulerMarker(RulerMarker::Pointing::Up, this);
    m_rightIndent->setObjectName(names.rightIndent);
    m_rightIndent->setGeometry(695, 14, 9, 12);
}

void IndentRuler::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

qreal IndentRuler::tabStopDistance() const
{
    return 8 * fontMetrics().averageCharWidth();
}

void IndentRuler::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
    option.setTabStopDistance(tabStopDistance());
    option.setWrapMode(QTextOption::NoWrap);
    painter.drawText(QRectF(rect()), m_caption, option);
}
