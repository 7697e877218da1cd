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

/// Keeps the printer (or the file) the user has just chosen, in the program's printer set-up or
/// in a preview's set-up: the program's current printer, which the previews print on.
void rememberChosenPrinter(const QPrinter &printer);

/// Points the printer at the one chosen last; before any choice, it stays on the system's
/// default printer.
void useChosenPrinter(QPrinter &printer);

} // namespace report
