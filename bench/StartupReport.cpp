#include "StartupReport.h"

namespace StartupReport {
namespace {

const QByteArray kPrefix = "main window shown, VmRSS kB: ";

} // namespace

QByteArray line(qint64 residentKiB)
{
    return kPrefix + QByteArray::number(residentKiB) + '\n';
}

std::optional<qint64> parse(const QByteArray &line)
{
    if (!line.startsWith(kPrefix))
        return std::nullopt;
    bool ok = false;
    const qint64 kib = line.mid(kPrefix.size()).trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return kib;
}

} // namespace StartupReport
