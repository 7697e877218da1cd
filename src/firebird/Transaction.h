#pragma once

#include "Client.h"

namespace fb {

class Attachment;

/// A read-write transaction with snapshot isolation that never waits on a lock: a row held
/// by another connection fails the statement at once. Rolled back when dropped uncommitted.
class Transaction
{
public:
    static Transaction start(Attachment &attachment);

    Transaction() = default;
    ~Transaction();
    Transaction(Transaction &&) noexcept = default;
    Transaction &operator=(Transaction &&) noexcept = default;

    bool isActive() const { return bool(m_transaction); }
    void commit();
    void rollback();

    Firebird::ITransaction *get() const { return m_transaction.get(); }

private:
    explicit Transaction(Firebird::ITransaction *transaction) : m_transaction(transaction) {}

    Ref<Firebird::ITransaction> m_transaction;
};

} // namespace fb
