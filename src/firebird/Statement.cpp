#include "Statement.h"

#include "Attachment.h"
#include "codepage/Cp1252.h"
#include "Error.h"
#include "Transaction.h"

namespace fb {
namespace {

constexpr unsigned kSqlDialect = 3;

QByteArray encodeSql(const QString &sql)
{
    const auto bytes = Cp1252::encode(sql);
    if (!bytes)
        throw Error(QStringLiteral("The statement holds a character that code page 1252 cannot hold"));
    return *bytes;
}

} // namespace

Cursor::Cursor(Firebird::IResultSet *resultSet, Firebird::IMessageMetadata *rowMetadata)
    : m_resultSet(resultSet)
    , m_row(rowMetadata)
{
}

Cursor::~Cursor()
{
    // Dropping the interface closes the result on the engine's side, also when its
    // transaction has already ended.
    m_resultSet.reset();
}

bool Cursor::fetchNext()
{
    if (!m_resultSet)
        return false;
    Status status;
    if (m_resultSet->fetchNext(&status, m_row.buffer()) == Firebird::IStatus::RESULT_OK)
        return true;
    close();
    return false;
}

void Cursor::close()
{
    if (!m_resultSet)
        return;
    Status status;
    m_resultSet->close(&status);
    m_resultSet.take(); // a successful close releases the interface
}

Statement Statement::prepare(Attachment &attachment, Transaction &transaction, const QString &sql)
{
    Statement statement;
    statement.m_parameters = NamedParameters::translate(sql);
    const QByteArray bytes = encodeSql(statement.m_parameters.positionalSql);
    Status status;
    statement.m_statement = Ref<Firebird::IStatement>(attachment.get()->prepare(&status,
        transaction.get(), unsigned(bytes.size()), bytes.constData(), kSqlDialect,
        Firebird::IStatement::PREPARE_PREFETCH_METADATA));

    Ref<Firebird::IMessageMetadata> input(statement.m_statement->getInputMetadata(&status));
    statement.m_input = Message(input.get());
    Ref<Firebird::IMessageMetadata> output(statement.m_statement->getOutputMetadata(&status));
    statement.m_outputTemplate = Message(output.get());
    return statement;
}

Statement::~Statement() = default;

quint64 Statement::execute(Transaction &transaction)
{
    Status status;
    m_statement->execute(&status, transaction.get(), m_input.metadata(), m_input.buffer(),
        nullptr, nullptr);
    return m_statement->getAffectedRecords(&status);
}

Cursor Statement::openCursor(Transaction &transaction)
{
    Status status;
    Firebird::IResultSet *resultSet = m_statement->openCursor(&status, transaction.get(),
        m_input.metadata(), m_input.buffer(), m_outputTemplate.metadata(), 0);
    return Cursor(resultSet, m_outputTemplate.metadata());
}

} // namespace fb
