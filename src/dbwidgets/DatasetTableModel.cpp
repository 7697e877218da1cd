#include "DatasetTableModel.h"

#include "dataset/Dataset.h"

#include <QDate>

DatasetTableModel::DatasetTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void DatasetTableModel::setDataset(Dataset *dataset)
{
    beginResetModel();
    m_dataset = dataset;
    for (Column &column : m_columns)
        column.fieldIndex = fieldIndexOf(column.fieldName);
    m_loadedRows = dataset ? dataset->loadedRowCount() : 0;
    m_pendingRow = dataset && dataset->state() == DatasetState::Insert;
    endResetModel();
}

void DatasetTableModel::addColumn(const QString &fieldName, const QString &title)
{
    const int column = int(m_columns.size());
    beginInsertColumns({}, column, column);
    m_columns.append({fieldName, title, fieldIndexOf(fieldName)});
    endInsertColumns();
}

void DatasetTableModel::setRowColours(const QColor &background, const QColor &alternate)
{
    m_background = background;
    m_alternate = alternate;
    const int rows = rowCount();
    if (rows == 0)
        return;
    if (!m_columns.isEmpty())
        emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1), {Qt::BackgroundRole});
    emit headerDataChanged(Qt::Vertical, 0, rows - 1);
}

QColor DatasetTableModel::rowColour(int row) const
{
    return row % 2 == 0 ? m_background : m_alternate;
}

void DatasetTableModel::takeLoadedRows()
{
    if (!m_dataset)
        return;
    const int loaded = m_dataset->loadedRowCount();
    // Fewer rows than shown means rows went away, which the dataset announces with a reset.
    if (loaded <= m_loadedRows)
        return;
    beginInsertRows({}, m_loadedRows, loaded - 1);
    m_loadedRows = loaded;
    endInsertRows();
}

void DatasetTableModel::fetchRows(int count)
{
    if (!m_dataset || count <= m_loadedRows)
        return;
    m_dataset->fetchUpTo(count - 1);
    takeLoadedRows();
}

void DatasetTableModel::refreshRow(int row)
{
    if (row < 0 || row >= rowCount() || m_columns.isEmpty())
        return;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int DatasetTableModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_loadedRows + (m_pendingRow ? 1 : 0);
}

int DatasetTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const Column &column = m_columns[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return displayText(index.row(), column.fieldIndex);
    case Qt::BackgroundRole:
        return rowColour(index.row());
    case Qt::TextAlignmentRole: {
        const bool numeric = m_dataset && column.fieldIndex >= 0 && m_dataset->field(column.fieldIndex).isNumeric();
        return QVariant::fromValue(Qt::AlignVCenter | (numeric ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
        return {};
    }
}

QVariant DatasetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::BackgroundRole ? QVariant(rowColour(section)) : QVariant();
    if (role == Qt::DisplayRole && section >= 0 && section < m_columns.size())
        return m_columns[section].title;
    return {};
}

Qt::ItemFlags DatasetTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

int DatasetTableModel::fieldIndexOf(const QString &fieldName) const
{
    if (!m_dataset)
        return -1;
    const Field *field = m_dataset->findField(fieldName);
    return field ? field->index() : -1;
}

QString DatasetTableModel::displayText(int row, int fieldIndex) const
{
    if (!m_dataset || fieldIndex < 0)
        return {};
    const Field &field = m_dataset->field(fieldIndex);
    // Showing a blob would mean reading it from the database for every row painted.
    if (field.kind() == FieldKind::Memo)
        return QStringLiteral("(Memo)");
    if (field.kind() == FieldKind::Blob)
        return QStringLiteral("(Blob)");
    const QVariant value = m_dataset->valueAt(row, fieldIndex);
    if (!value.isValid())
        return {};
    if (field.kind() == FieldKind::Date)
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    return value.toString();
}
