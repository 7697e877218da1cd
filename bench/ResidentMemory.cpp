#include "ResidentMemory.h"

#include <QByteArray>
#include <QFile>

#include <stdexcept>

namespace ResidentMemory {

qint64 currentKiB()
{
    // /proc files report a size of 0, so atEnd() holds from the start: read until no line comes.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            if (!line.startsWith("VmRSS:"))
                continue;
            bool ok = false;
            const qint64 kib = line.mid(6).trimmed().chopped(3).trimmed().toLongLong(&ok);
            if (ok)
                return kib;
        }
    }
    throw std::runtime_error("VmRSS is missing from /proc/self/status");
}

} // namespace ResidentMemory
