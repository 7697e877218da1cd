#include "Error.h"

#include <firebird/Interface.h>

namespace fb {

Error::Error(const QString &message, long engineCode)
    : std::runtime_error(message.toStdString())
    , m_message(message)
    , m_engineCode(engineCode)
{
}

bool Error::isLockConflict() const
{
    return m_engineCode == isc_lock_conflict || m_engineCode == isc_update_conflict
        || m_engineCode == isc_deadlock;
}

} // namespace fb
