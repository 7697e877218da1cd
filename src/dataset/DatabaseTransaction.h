#pragma once

#include "firebird/Transaction.h"

#include <QList>
#include <QObject>

class DatabaseConnection;
class QueryDataset;

/// The one transaction the datasets of a connection run in: snapshot isolation, no waiting
/// on locks, read-write. Committing it closes every dataset that uses it. When it is
/// destroyed while still active it commits; if that fails it rolls back without a word.
class DatabaseTransaction : public QObject
{
    Q_OBJECT

public:
    explicit DatabaseTransaction(DatabaseConnection &connection, QObject *parent = nullptr);
    ~DatabaseTransaction() override;

    DatabaseConnection &connection() const;
    bool isActive() const { return m_transaction.isActive(); }
    void start();
    void commit();

    fb::Transaction &transaction();

private:
    friend class DatabaseConnection;
    friend class QueryDataset;
    void closeDatasets();
    /// Ends the transaction as its owner going away would: commit, else silent rollback.
    void end();

    DatabaseConnection *m_connection;
    fb::Transaction m_transaction;
    QList<QueryDataset *> m_datasets;
};
