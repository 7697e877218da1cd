#include "DatabaseTransaction.h"

#include "DatabaseConnection.h"
#include "DatasetError.h"
#include "QueryDataset.h"

DatabaseTransaction::DatabaseTransaction(DatabaseConnection &connection, QObject *parent)
    : QObject(parent)
    , m_connection(&connection)
{
    connection.m_transactions.append(this);
}

DatabaseTransaction::~DatabaseTransaction()
{
    for (QueryDataset *dataset : std::as_const(m_datasets))
        dataset->m_transaction = nullptr;
    end();
    if (m_connection)
        m_connection->m_transactions.removeAll(this);
}

DatabaseConnection &DatabaseTransaction::connection() const
{
    if (!m_connection)
        throw DatasetError(QStringLiteral("Database not assigned"));
    return *m_connection;
}

void DatabaseTransaction::start()
{
    if (isActive())
        return;
    m_transaction = fb::Transaction::start(connection().attachment());
}

void DatabaseTransaction::commit()
{
    if (!isActive())
        throw DatasetError(QStringLiteral("Transaction is not active"));
    // Committing first means a failed commit leaves everything as it was, datasets open and
    // the work still pending, so the user can carry on and the next commit can save it.
    m_transaction.commit();
    closeDatasets();
}

fb::Transaction &DatabaseTransaction::transaction()
{
    if (!isActive())
        throw DatasetError(QStringLiteral("Transaction is not active"));
    return m_transaction;
}

void DatabaseTransaction::closeDatasets()
{
    for (QueryDataset *dataset : std::as_const(m_datasets))
        dataset->close();
}

void DatabaseTransaction::end()
{
    if (!isActive())
        return;
    closeDatasets();
    try {
        m_transaction.commit();
    } catch (const std::exception &) {
        try {
            m_transaction.rollback();
        } catch (const std::exception &) {
            // Nothing is left to save; the engine drops the transaction with the connection.
        }
    }
}
