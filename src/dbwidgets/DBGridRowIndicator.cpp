#include "DBGridRowIndicator.h"

#include <QPainter>
#include <QPolygon>

DBGridRowIndicator::DBGridRowIndicator(QWidget *parent)
    : QHeaderView(Qt::Vertical, parent)
{
    setFixedWidth(fixedWidth);
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionResizeMode(QHeaderView::Fixed);
}

void DBGridRowIndicator::setMark(int row, Mark mark)
{
    if (row == m_markedRow && mark == m_mark)
        return;
    m_markedRow = row;
    m_mark = mark;
    viewport()->update();
}

void DBGridRowIndicator::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const
{
    painter->save();
    const QVariant colour = model() ? model()->headerData(logicalIndex, Qt::Vertical, Qt::BackgroundRole) : QVariant();
    painter->fillRect(rect, colour.isValid() ? colour.value<QColor>() : palette().color(QPalette::Base));
    // The same lines as between the cells, so that the indicator reads as the list's first column.
    painter->setPen(palette().color(QPalette::Mid));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());

    if (logicalIndex == m_markedRow) {
        const QPoint centre = rect.center();
        painter->setPen(Qt::black);
        painter->setBrush(Qt::black);
        switch (m_mark) {
        case Mark::Browsing:
            painter->drawPolygon(QPolygon({centre + QPoint(-2, -4), centre + QPoint(-2, 4), centre + QPoint(2, 0)}));
            break;
        case Mark::Editing:
            painter->drawLine(centre + QPoint(0, -4), centre + QPoint(0, 4));
            painter->drawLine(centre + QPoint(-2, -4), centre + QPoint(2, -4));
            painter->drawLine(centre + QPoint(-2, 4), centre + QPoint(2, 4));
            break;
        case Mark::Appending:
            painter->drawText(rect, Qt::AlignCenter, QStringLiteral("*"));
            break;
        }
    }
    painter->restore();
}
