#pragma once

#include <QByteArray>

#include <optional>

/// The one line cuisinotte-startup-bench writes when the main window is on screen: the
/// moment it arrives is the figure, and it carries the resident memory of that moment.
namespace StartupReport {

QByteArray line(qint64 residentKiB);
/// The resident memory a line carries, or nothing when it is not such a line.
std::optional<qint64> parse(const QByteArray &line);

} // namespace StartupReport
