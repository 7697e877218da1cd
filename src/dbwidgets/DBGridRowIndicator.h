#pragma once

#include <QHeaderView>

/// The narrow column at the left of a data grid: each row in its record's colour, and a mark on
/// the current row telling whether it is browsed, edited or being appended.
class DBGridRowIndicator : public QHeaderView
{
    Q_OBJECT

public:
    enum class Mark { Browsing, Editing, Appending };

    static constexpr int fixedWidth = 12;

    explicit DBGridRowIndicator(QWidget *parent = nullptr);

    /// The row that carries the mark; -1 for none.
    int markedRow() const { return m_markedRow; }
    Mark mark() const { return m_mark; }
    void setMark(int row, Mark mark);

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;

private:
    int m_markedRow = -1;
    Mark m_mark = Mark::Browsing;
};
