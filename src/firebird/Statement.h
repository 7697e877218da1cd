#pragma once

#include "Client.h"
#include "Message.h"
#include "NamedParameters.h"

#include <QString>

namespace fb {

class Attachment;
class Transaction;

/// An open result: rows are fetched one at a time, only when asked for.
class Cursor
{
public:
    Cursor() = default;
    Cursor(Firebird::IResultSet *resultSet, Firebird::IMessageMetadata *rowMetadata);
    ~Cursor();
    Cursor(Cursor &&) noexcept = default;
    Cursor &operator=(Cursor &&) noexcept = default;

    bool isOpen() const { return bool(m_resultSet); }
    /// Moves to the next row; false (and the cursor closed) past the last one.
    bool fetchNext();
    const Message &row() const { return m_row; }
    void close();

private:
    Ref<Firebird::IResultSet> m_resultSet;
    Message m_row;
};

/// A prepared statement with named parameters. It stays prepared across commits: only the
/// transaction it runs in is chosen at each execution.
class Statement
{
public:
    static Statement prepare(Attachment &attachment, Transaction &transaction, const QString &sql);

    Statement() = default;
    ~Statement();
    Statement(Statement &&) noexcept = default;
    Statement &operator=(Statement &&) noexcept = default;

    bool isPrepared() const { return bool(m_statement); }
    const QStringList &parameterNames() const { return m_parameters.names; }
    QList<int> parameterPositions(const QString &name) const { return m_parameters.positionsOf(name); }
    Message &parameters() { return m_input; }
    /// The columns a select returns, in its order (empty for other statements).
    const Message &columns() const { return m_outputTemplate; }

    /// Runs a statement that returns no rows; the result is how many rows it changed.
    quint64 execute(Transaction &transaction);
    Cursor openCursor(Transaction &transaction);

private:
    Ref<Firebird::IStatement> m_statement;
    NamedParameters m_parameters;
    Message m_input;
    Message m_outputTemplate;
};

} // namespace fb
