#include "DatabaseConnection.h"

#include "DatabaseTransaction.h"
#include "DatasetError.h"

DatabaseConnection::DatabaseConnection(QObject *parent)
    : QObject(parent)
{
}

DatabaseConnection::~DatabaseConnection()
{
    try {
        disconnect();
    } catch (const std::exception &) {
        // The attachment is released below whatever the engine said.
    }
    for (DatabaseTransaction *transaction : std::as_const(m_transactions))
        transaction->m_connection = nullptr;
}

QString DatabaseConnection::param(const QString &name) const
{
    const QString prefix = name + u'=';
    for (const QString &line : m_params) {
        if (line.startsWith(prefix, Qt::CaseInsensitive))
            return line.mid(prefix.size());
    }
    return {};
}

void DatabaseConnection::connect()
{
    if (isConnected())
        return;
    m_attachment = fb::Attachment::open(m_databaseName,
        {param(QStringLiteral("user_name")), param(QStringLiteral("password"))});
    ++m_generation;
}

void DatabaseConnection::disconnect()
{
    if (!isConnected())
        return;
    for (DatabaseTransaction *transaction : std::as_const(m_transactions))
        transaction->closeDatasets();
    for (DatabaseTransaction *transaction : std::as_const(m_transactions))
        transaction->end();
    m_attachment.detach();
}

fb::Attachment &DatabaseConnection::attachment()
{
    if (!isConnected())
        throw DatasetError(QStringLiteral("Database not assigned"));
    return m_attachment;
}
