#pragma once

#include <QStyledItemDelegate>

/// Paints the list's cells: the record's colour, or the selection's, and the text on one line,
/// cut at the cell's edge. It spares the general item painting, which lays out every cell's
/// text for wrapping and elision and costs several times as much for a full screen of rows.
class DBGridCellPainter : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
