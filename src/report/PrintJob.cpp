#include "report/PrintJob.h"

#include "report/PagePainter.h"
#include "report/ReportDocument.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>

using namespace Qt::Literals::StringLiterals;

namespace report {
namespace {

// What the user chose last. The printer itself is not kept: each preview makes its own with
// the A4 page every report is laid out on.
struct PrinterChoice
{
    QString printerName;
    QPrinter::OutputFormat format = QPrinter::NativeFormat;
    QString outputFileName;
};

std::optional<PrinterChoice> chosenPrinter;

// Where the pages were going, as the user chose it: a printer into a file is named by its file.
QString destinationOf(const QPrinter &printer)
{
    const QString name = printer.outputFileName().isEmpty() ? printer.printerName()
                                                             : QDir::toNativeSeparators(printer.outputFileName());
    return name.isEmpty() ? QString() : u" sur « %1 »"_s.arg(name);
}

std::optional<QString> failureOf(const QPrinter &printer)
{
    switch (printer.printerState()) {
    case QPrinter::Error:
        return u"L'impression%1 a échoué : l'imprimante a signalé une erreur."_s.arg(destinationOf(printer));
    case QPrinter::Aborted:
        return u"L'impression a été annulée."_s;
    case QPrinter::Idle:
    case QPrinter::Active:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> printDocument(QPrinter &printer, const ReportDocument &document)
{
    if (document.pageCount() == 0)
        return std::nullopt;
    // The pages are drawn from the paper's corner; the printer's own settings may not ask for
    // more copies or fewer pages than the one print of the whole report.
    printer.setFullPage(true);
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);

    QPainter painter;
    if (!painter.begin(&printer)) {
        if (const auto failure = failureOf(printer))
            return failure;
        return u"L'impression n'a pas pu commencer%1."_s.arg(destinationOf(printer));
    }
    bool everyPage = true;
    for (int page = 0; page < document.pageCount() && everyPage; ++page) {
        if (page > 0)
            everyPage = printer.newPage();
        if (everyPage)
            drawPage(painter, document, page);
    }
    const bool ended = painter.end();
    if (const auto failure = failureOf(printer))
        return failure;
    if (!everyPage || !ended)
        return u"L'impression%1 n'a pas pu aller jusqu'au bout."_s.arg(destinationOf(printer));
    return std::nullopt;
}

void rememberChosenPrinter(const QPrinter &printer)
{
    chosenPrinter = PrinterChoice{printer.printerName(), printer.outputFormat(), printer.outputFileName()};
}

void useChosenPrinter(QPrinter &printer)
{
    if (!chosenPrinter)
        return;
    printer.setOutputFormat(chosenPrinter->format);
    if (chosenPrinter->format == QPrinter::NativeFormat)
        printer.setPrinterName(chosenPrinter->printerName);
    printer.setOutputFileName(chosenPrinter->outputFileName);
}

} // namespace report
