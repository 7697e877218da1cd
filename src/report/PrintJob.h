#pragma once

#include <QString>

#include <optional>

class QPrinter;

namespace report {

class ReportDocument;

/// Prints every page of the document once, from the paper's top-left corner, with the printer,
/// paper and job name the printer is set to. A document without pages prints nothing. Returns
/// the message of a failure or of a cancelled job.
[[nodiscard]] std::optional<QString> printDocument(QPrinter &printer, const ReportDocument &document);

} // namespace report
