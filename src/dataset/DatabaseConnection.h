#pragma once

#include "firebird/Attachment.h"

#include <QList>
#include <QObject>
#include <QStringList>

class DatabaseTransaction;

/// The connection to the database file, set up with parameter lines ("user_name=...",
/// "password=...") and opened with connect(). Closing it closes every dataset that uses it.
class DatabaseConnection : public QObject
{
    Q_OBJECT

public:
    explicit DatabaseConnection(QObject *parent = nullptr);
    ~DatabaseConnection() override;

    QString databaseName() const { return m_databaseName; }
    void setDatabaseName(const QString &name) { m_databaseName = name; }
    QStringList params() const { return m_params; }
    void setParams(const QStringList &params) { m_params = params; }

    bool isConnected() const { return m_attachment.isAttached(); }
    void connect();
    void disconnect();

    fb::Attachment &attachment();
    /// Changes at every connect, so that statements prepared on an earlier connection are
    /// recognised as gone.
    int generation() const { return m_generation; }

private:
    friend class DatabaseTransaction;
    QString param(const QString &name) const;

    QString m_databaseName;
    QStringList m_params;
    fb::Attachment m_attachment;
    int m_generation = 0;
    QList<DatabaseTransaction *> m_transactions;
};
