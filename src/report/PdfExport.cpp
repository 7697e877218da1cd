#include "report/PdfExport.h"

#include "report/PagePainter.h"

#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

using namespace Qt::Literals::StringLiterals;

namespace report {
namespace {

// Fine enough that the scaled text of the reference layout keeps its shapes when zoomed in.
constexpr int Resolution = 1200;

QString failure(const QString &fileName, const QString &reason)
{
    return u"Le fichier PDF « %1 » n'a pas pu être écrit : %2"_s.arg(QDir::toNativeSeparators(fileName), reason);
}

} // namespace

std::optional<QString> writePdf(const QString &fileName, const ReportDocument &document, const QString &title)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return failure(fileName, file.errorString());

    QPdfWriter writer(&file);
    writer.setTitle(title);
    writer.setCreator(u"Cuisinotte"_s);
    writer.setResolution(Resolution);
    // No margins: the pages are drawn from the paper's corner, as on a printer in full-page mode.
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));

    QPainter painter;
    if (!painter.begin(&writer))
        return failure(fileName, u"le document n'a pas pu être commencé."_s);
    for (int page = 0; page < document.pageCount(); ++page) {
        if (page > 0)
            writer.newPage();
        drawPage(painter, document, page);
    }
    painter.end();
    if (!file.commit())
        return failure(fileName, file.errorString());
    return std::nullopt;
}

} // namespace report
