#pragma once

#include "Dataset.h"

#include "firebird/Statement.h"

class DatabaseConnection;
class DatabaseTransaction;
class UpdateStatements;

/// A dataset over a select statement, written back through its update statements. Rows are
/// fetched as the user reaches them; blob contents are read the first time a field asks.
/// With a master data source, the select's parameters take the master row's fields of the
/// same names, and the rows are read again whenever the master moves to another row.
class QueryDataset : public Dataset
{
    Q_OBJECT

public:
    QueryDataset(DatabaseConnection &connection, DatabaseTransaction &transaction, QObject *parent = nullptr);
    ~QueryDataset() override;

    void setSql(const QStringList &lines);
    QString sql() const { return m_sql; }
    void setUpdateStatements(UpdateStatements *statements) { m_update = statements; }
    /// Append draws the key from this generator when the field is still empty.
    void setGenerator(const QString &fieldName, const QString &generatorName);
    void setMasterSource(DataSource *master);
    /// Re-read each posted row with the refresh statement.
    void setRefreshAfterPost(bool refresh) { m_refreshAfterPost = refresh; }

    bool canModify() const override;

protected:
    void openStorage() override;
    void closeStorage() override;
    bool fetchRow(Row &row) override;
    void readDeferred(Row &row, int fieldIndex) override;
    void startNewRow(Row &row) override;
    void insertRow(Row &row, quint64 changedFields) override;
    void modifyRow(Row &row, const Row &old, quint64 changedFields) override;
    void deleteStoredRow(const Row &row) override;
    void refreshRow(Row &row) override;
    bool canDelete() const override;

private:
    friend class DatabaseTransaction;
    class MasterLink;
    struct Prepared
    {
        fb::Statement statement;
        int generation = 0;
    };

    fb::Attachment &attachment();
    fb::Transaction &transaction();
    fb::Statement &prepared(Prepared &slot, const QString &sql);
    void checkColumns(const fb::Message &columns);
    void readRow(const fb::Message &message, const std::vector<int> &fieldOfColumn, Row &row) const;
    std::vector<int> fieldsOf(const fb::Message &columns) const;
    void bindParameters(fb::Statement &statement, const Row &row, const Row &old);
    /// Writes the blobs the statement must be given as new ones; returns which.
    quint64 writeBlobs(Row &row, quint64 changedFields);
    void forgetWrittenBlobIds(Row &row, quint64 written);
    void runUpdate(Prepared &slot, const QString &sql, const Row &row, const Row &old);
    void masterChanged();

    DatabaseConnection &m_connection;
    DatabaseTransaction *m_transaction;
    QString m_sql;
    UpdateStatements *m_update = nullptr;
    QString m_keyField;
    QString m_generator;
    bool m_refreshAfterPost = false;
    std::unique_ptr<MasterLink> m_masterLink;

    Prepared m_select;
    Prepared m_insert;
    Prepared m_modify;
    Prepared m_delete;
    Prepared m_refresh;
    fb::Cursor m_cursor;
    std::vector<int> m_fieldOfColumn;
};
