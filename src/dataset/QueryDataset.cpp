#include "QueryDataset.h"

#include "DatabaseConnection.h"
#include "DatabaseTransaction.h"
#include "DatasetError.h"
#include "UpdateStatements.h"

#include "firebird/Blob.h"
#include "codepage/Cp1252.h"
#include "firebird/Generator.h"

namespace {

quint64 packBlobId(const fb::BlobId &id)
{
    return (quint64(quint32(id.gds_quad_high)) << 32) | id.gds_quad_low;
}

fb::BlobId unpackBlobId(quint64 packed)
{
    fb::BlobId id;
    id.gds_quad_high = ISC_LONG(qint32(packed >> 32));
    id.gds_quad_low = ISC_ULONG(packed & 0xFFFFFFFFu);
    return id;
}

bool kindsAgree(FieldKind field, const fb::Column &column)
{
    switch (field) {
    case FieldKind::Text:
        return column.kind() == fb::ColumnKind::Text;
    case FieldKind::Float:
        return column.kind() == fb::ColumnKind::FloatingPoint;
    case FieldKind::SmallInt:
    case FieldKind::Integer:
        return column.kind() == fb::ColumnKind::WholeNumber;
    case FieldKind::Date:
        return column.kind() == fb::ColumnKind::Date;
    case FieldKind::Memo:
        return column.kind() == fb::ColumnKind::Blob && column.subType == 1;
    case FieldKind::Blob:
        return column.kind() == fb::ColumnKind::Blob && column.subType != 1;
    }
    return false;
}

const QString kOldPrefix = QStringLiteral("OLD_");

// Sets a parameter from a non-null value of a field that is not a blob.
void setScalarParameter(fb::Message &parameters, int index, FieldKind kind, const QVariant &value)
{
    switch (kind) {
    case FieldKind::Text:
        parameters.setText(index, Cp1252::encode(value.toString()).value_or(QByteArray()));
        break;
    case FieldKind::Float:
        parameters.setDouble(index, value.toDouble());
        break;
    case FieldKind::SmallInt:
    case FieldKind::Integer:
        parameters.setInt64(index, value.toInt());
        break;
    case FieldKind::Date:
        parameters.setDate(index, value.toDate());
        break;
    case FieldKind::Memo:
    case FieldKind::Blob:
        break;
    }
}

} // namespace

/// Listens to the master dataset on behalf of a detail dataset.
class QueryDataset::MasterLink : public DataLink
{
public:
    explicit MasterLink(QueryDataset &detail) : m_detail(detail) {}

protected:
    void dataEvent(DataEvent event, Field *) override
    {
        if (!m_detail.isActive())
            return;
        switch (event) {
        case DataEvent::CheckBrowseMode:
            m_detail.checkBrowseMode();
            break;
        case DataEvent::ActiveChanged:
            // Closing the master leaves the detail rows as they are.
            if (isActive())
                m_detail.masterChanged();
            break;
        case DataEvent::DataSetChanged:
        case DataEvent::Scrolled:
            m_detail.masterChanged();
            break;
        case DataEvent::RecordChanged:
        case DataEvent::StateChanged:
        case DataEvent::UpdateRecord:
            break;
        }
    }

private:
    QueryDataset &m_detail;
};

QueryDataset::QueryDataset(DatabaseConnection &connection, DatabaseTransaction &transaction, QObject *parent)
    : Dataset(parent)
    , m_connection(connection)
    , m_transaction(&transaction)
{
    transaction.m_datasets.append(this);
}

QueryDataset::~QueryDataset()
{
    close();
    if (m_transaction)
        m_transaction->m_datasets.removeAll(this);
}

void QueryDataset::setSql(const QStringList &lines)
{
    m_sql = lines.join(u'\n');
    m_select = Prepared();
}

void QueryDataset::setGenerator(const QString &fieldName, const QString &generatorName)
{
    m_keyField = fieldName;
    m_generator = generatorName;
}

void QueryDataset::setMasterSource(DataSource *master)
{
    m_masterLink = std::make_unique<MasterLink>(*this);
    m_masterLink->setDataSource(master);
}

bool QueryDataset::canModify() const
{
    return m_update != nullptr;
}

bool QueryDataset::canDelete() const
{
    return m_update && !m_update->deleteSql().isEmpty();
}

fb::Attachment &QueryDataset::attachment()
{
    return m_connection.attachment();
}

fb::Transaction &QueryDataset::transaction()
{
    if (!m_transaction)
        throw DatasetError(QStringLiteral("%1: Transaction not assigned").arg(objectName()));
    return m_transaction->transaction();
}

fb::Statement &QueryDataset::prepared(Prepared &slot, const QString &sql)
{
    if (sql.isEmpty())
        throw DatasetError(QStringLiteral("%1: No statement for this operation").arg(objectName()));
    if (!slot.statement.isPrepared() || slot.generation != m_connection.generation()) {
        slot.statement = fb::Statement::prepare(attachment(), transaction(), sql);
        slot.generation = m_connection.generation();
    }
    return slot.statement;
}

std::vector<int> QueryDataset::fieldsOf(const fb::Message &columns) const
{
    std::vector<int> fieldOfColumn(std::size_t(columns.count()), -1);
    for (int column = 0; column < columns.count(); ++column) {
        if (const Field *field = findField(QString::fromLatin1(columns.column(column).name)))
            fieldOfColumn[std::size_t(column)] = field->index();
    }
    return fieldOfColumn;
}

void QueryDataset::checkColumns(const fb::Message &columns)
{
    for (int index = 0; index < fieldCount(); ++index) {
        const Field &wanted = field(index);
        int found = -1;
        for (int column = 0; column < columns.count() && found < 0; ++column) {
            if (QString::fromLatin1(columns.column(column).name).compare(wanted.name(), Qt::CaseInsensitive) == 0)
                found = column;
        }
        if (found < 0)
            throw DatasetError(QStringLiteral("%1: Field '%2' not found").arg(objectName(), wanted.name()));
        if (!kindsAgree(wanted.kind(), columns.column(found)))
            throw DatasetError(QStringLiteral("%1: Type mismatch for field '%2'").arg(objectName(), wanted.name()));
    }
}

void QueryDataset::openStorage()
{
    m_connection.connect();
    if (!m_transaction)
        throw DatasetError(QStringLiteral("%1: Transaction not assigned").arg(objectName()));
    m_transaction->start();
    fb::Statement &select = prepared(m_select, m_sql);
    checkColumns(select.columns());
    m_fieldOfColumn = fieldsOf(select.columns());

    // A detail takes its parameters from the master's current row; none there means null.
    Dataset *master = m_masterLink ? m_masterLink->dataset() : nullptr;
    fb::Message &parameters = select.parameters();
    for (int index = 0; index < parameters.count(); ++index) {
        parameters.setNull(index);
        if (!master || !master->isActive() || master->isEmpty())
            continue;
        const Field *source = master->findField(select.parameterNames().value(index));
        if (source && !source->isBlob() && !source->isNull())
            setScalarParameter(parameters, index, source->kind(), source->value());
    }
    m_cursor = select.openCursor(transaction());
}

void QueryDataset::closeStorage()
{
    try {
        m_cursor.close();
    } catch (const std::exception &) {
        // The transaction already ended, and with it the result.
    }
    m_cursor = fb::Cursor();
}

void QueryDataset::readRow(const fb::Message &message, const std::vector<int> &fieldOfColumn, Row &row) const
{
    for (int column = 0; column < message.count(); ++column) {
        const int index = fieldOfColumn[std::size_t(column)];
        if (index < 0)
            continue;
        QVariant &value = row.values[index];
        row.deferred &= ~(quint64(1) << index);
        if (message.isNull(column)) {
            value = QVariant();
            continue;
        }
        switch (field(index).kind()) {
        case FieldKind::Text:
            value = Cp1252::decode(message.text(column));
            break;
        case FieldKind::Float:
            value = message.toDouble(column);
            break;
        case FieldKind::SmallInt:
        case FieldKind::Integer:
            value = int(message.toInt64(column));
            break;
        case FieldKind::Date:
            value = message.toDate(column);
            break;
        case FieldKind::Memo:
        case FieldKind::Blob:
            // Only the blob's id comes with the row; the content is read on first use.
            value = packBlobId(message.blobId(column));
            row.deferred |= quint64(1) << index;
            break;
        }
    }
}

bool QueryDataset::fetchRow(Row &row)
{
    if (!m_cursor.fetchNext())
        return false;
    readRow(m_cursor.row(), m_fieldOfColumn, row);
    return true;
}

void QueryDataset::readDeferred(Row &row, int fieldIndex)
{
    const quint64 id = row.values[fieldIndex].toULongLong();
    const QByteArray bytes = fb::Blob::read(attachment(), transaction(), unpackBlobId(id));
    if (row.blobIds.size() < fieldCount())
        row.blobIds.resize(fieldCount());
    row.blobIds[fieldIndex] = id;
    row.values[fieldIndex] = bytes.isEmpty() ? QVariant() : QVariant(bytes);
}

void QueryDataset::startNewRow(Row &row)
{
    if (m_generator.isEmpty())
        return;
    const Field &key = fieldByName(m_keyField);
    if (!row.values[key.index()].isValid())
        row.values[key.index()] = double(fb::Generator::next(attachment(), transaction(), m_generator, 1));
}

quint64 QueryDataset::writeBlobs(Row &row, quint64 changedFields)
{
    quint64 written = 0;
    for (int index = 0; index < fieldCount(); ++index) {
        const quint64 bit = quint64(1) << index;
        if (!field(index).isBlob() || (row.deferred & bit))
            continue; // not a blob, or still in the database: passed on by its id
        if (row.blobIds.size() < fieldCount())
            row.blobIds.resize(fieldCount());
        const QVariant &value = row.values[index];
        if (!value.isValid()) {
            row.blobIds[index] = 0;
            continue;
        }
        // A content in memory is written again unless it is unchanged and the database holds
        // it under a known id.
        if (!(changedFields & bit) && row.blobIds[index] != 0)
            continue;
        row.blobIds[index] = packBlobId(fb::Blob::write(attachment(), transaction(), value.toByteArray()));
        written |= bit;
    }
    return written;
}

void QueryDataset::forgetWrittenBlobIds(Row &row, quint64 written)
{
    // Once a row holds it, the engine keeps a new blob under another id than the one it gave
    // at creation; the content stays in memory and is written again if the row is.
    for (int index = 0; index < fieldCount(); ++index) {
        if (written & (quint64(1) << index))
            row.blobIds[index] = 0;
    }
}

void QueryDataset::bindParameters(fb::Statement &statement, const Row &row, const Row &old)
{
    fb::Message &parameters = statement.parameters();
    const QStringList &names = statement.parameterNames();
    for (int index = 0; index < names.size(); ++index) {
        const bool wantsOld = names[index].startsWith(kOldPrefix, Qt::CaseInsensitive);
        const Field *source = findField(wantsOld ? names[index].mid(kOldPrefix.size()) : names[index]);
        parameters.setNull(index);
        if (!source)
            continue;
        const Row &from = wantsOld ? old : row;
        const QVariant &value = from.values[source->index()];
        if (!value.isValid())
            continue;
        if (!source->isBlob()) {
            setScalarParameter(parameters, index, source->kind(), value);
            continue;
        }
        const bool unread = from.deferred & (quint64(1) << source->index());
        const quint64 id = unread ? value.toULongLong() : from.blobIds.value(source->index());
        if (id == 0)
            throw DatasetError(QStringLiteral("%1: Blob '%2' was not written").arg(objectName(), source->name()));
        parameters.setBlobId(index, unpackBlobId(id));
    }
}

void QueryDataset::runUpdate(Prepared &slot, const QString &sql, const Row &row, const Row &old)
{
    fb::Statement &statement = prepared(slot, sql);
    bindParameters(statement, row, old);
    if (statement.execute(transaction()) != 1)
        throw DatasetError(QStringLiteral("Update Failed"));
}

void QueryDataset::insertRow(Row &row, quint64 changedFields)
{
    const quint64 written = writeBlobs(row, changedFields);
    runUpdate(m_insert, m_update ? m_update->insertSql() : QString(), row, row);
    forgetWrittenBlobIds(row, written);
    if (m_refreshAfterPost)
        refreshRow(row);
}

void QueryDataset::modifyRow(Row &row, const Row &old, quint64 changedFields)
{
    const quint64 written = writeBlobs(row, changedFields);
    runUpdate(m_modify, m_update ? m_update->modifySql() : QString(), row, old);
    forgetWrittenBlobIds(row, written);
    if (m_refreshAfterPost)
        refreshRow(row);
}

void QueryDataset::deleteStoredRow(const Row &row)
{
    runUpdate(m_delete, m_update ? m_update->deleteSql() : QString(), row, row);
}

void QueryDataset::refreshRow(Row &row)
{
    if (!m_update || m_update->refreshSql().isEmpty())
        return;
    fb::Statement &statement = prepared(m_refresh, m_update->refreshSql());
    bindParameters(statement, row, row);
    fb::Cursor cursor = statement.openCursor(transaction());
    if (!cursor.fetchNext())
        return;
    // Only the columns the refresh reads are replaced; the others keep their values.
    readRow(cursor.row(), fieldsOf(statement.columns()), row);
    cursor.close();
}

void QueryDataset::masterChanged()
{
    checkBrowseMode();
    close();
    open();
}
