#pragma once

#include <QtGlobal>

/// How much of this process sits in physical memory, as the kernel counts it (VmRSS).
namespace ResidentMemory {

/// In kibibytes. Throws std::runtime_error when the kernel does not say.
qint64 currentKiB();

} // namespace ResidentMemory
