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

    const QVariant alignment = index.data(Qt::TextAlignmentRole);
    const int flags = (alignment.isValid() ? alignment.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter)) | Qt::TextSingleLine;
    painter->save();
    painter->setFont(option.font);
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(option.rect.adjusted(kTextMargin, 0, -kTextMargin, 0), flags, index.data(Qt::DisplayRole).toString());
    painter->restore();

    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.backgroundColor = option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        const QStyle *style = option.widget ? option.widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
}
