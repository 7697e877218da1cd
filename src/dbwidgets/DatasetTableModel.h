#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QList>

class Dataset;

/// The rows an open dataset has read so far as a table, one column per field named, followed by
/// the pending row while a row is appended. It reads further rows only when asked to, and
/// paints every record in the colour of its band: even records in the background colour, odd
/// ones in the alternate colour, the row headers included.
class DatasetTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit DatasetTableModel(QObject *parent = nullptr);

    /// Shows the rows and state the dataset has now; none without a dataset.
    void setDataset(Dataset *dataset);
    /// A column whose field does not exist stays empty.
    void addColumn(const QString &fieldName, const QString &title);
    void setRowColours(const QColor &background, const QColor &alternate);
    QColor rowColour(int row) const;

    /// Takes in the rows the dataset has read beyond those shown, without reading any.
    void takeLoadedRows();
    /// Reads rows until the table has at least that many, or the dataset has no more.
    void fetchRows(int count);
    /// The row's values changed in place.
    void refreshRow(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Column
    {
        QString fieldName;
        QString title;
        int fieldIndex = -1;
    };

    int fieldIndexOf(const QString &fieldName) const;
    QString displayText(int row, int fieldIndex) const;

    Dataset *m_dataset = nullptr;
    QList<Column> m_columns;
    int m_loadedRows = 0;
    bool m_pendingRow = false;
    QColor m_background = Qt::white;
    QColor m_alternate = Qt::white;
};
