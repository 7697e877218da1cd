#pragma once

#include "ReportDocument.h"

#include <QString>

#include <optional>

namespace report {

/// Writes the pages as a PDF, A4, with the fonts embedded, through a temporary file renamed into
/// place. Returns the message of a failure.
[[nodiscard]] std::optional<QString> writePdf(const QString &fileName, const ReportDocument &document, const QString &title);

} // namespace report
