#include "DBGridCellPainter.h"

#include <QApplication>
#include <QPainter>

namespace {

// The space between the cell's edges and its text.
constexpr int kTextMargin = 2;

} // namespace

void DBGridCellPainter::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette::ColorGroup group = option.state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    const QVariant background = index.data(Qt::BackgroundRole);
    if (selected)
        painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
    else if (background.isValid())
        painter->fillRect(option.rect, background.value<QColor>());

    // One line from a base point, clipped to the cell: no line layout for text that never wraps.
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect textBox = option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0);
    const QFontMetrics &metrics = option.fontMetrics;
    const bool right = Qt::Alignment::fromInt(index.data(Qt::TextAlignmentRole).toInt()).testFlag(Qt::AlignRight);
    const int x = right ? textBox.right() + 1 - metrics.horizontalAdvance(text) : textBox.left();
    const int baseline = textBox.top() + (textBox.height() - metrics.height()) / 2 + metrics.ascent();
    painter->save();
    painter->setClipRect(textBox, Qt::IntersectClip);
    painter->setFont(option.font);
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(QPoint(x, baseline), text);
    painter->restore();

    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
}
