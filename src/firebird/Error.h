#pragma once

#include <QString>

#include <stdexcept>

namespace fb {

/// Every failure of the Firebird layer: the engine's own message, or ours where the engine
/// was never asked. The first engine error code is kept so that callers can tell a lock
/// conflict from a broken rule without parsing text.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString &message, long engineCode = 0);

    QString message() const { return m_message; }
    long engineCode() const { return m_engineCode; }

    /// True when another transaction holds the row: "update conflicts with concurrent update".
    bool isLockConflict() const;

private:
    QString m_message;
    long m_engineCode;
};

} // namespace fb
