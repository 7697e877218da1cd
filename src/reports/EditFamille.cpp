#include "EditFamille.h"

#include "ReportLook.h"

#include "data/DataModule.h"

using namespace ReportLook;

TFrmEditFamille::TFrmEditFamille(TDM &dm)
    : m_families(dm.IBFAMILLE)
{
    QuickRep1.setJobName(QStringLiteral("Cuisinotte – Liste des familles"));
    QuickRep1.setData(&m_families);

    report::Band &header = QuickRep1.addBand(report::Band::Kind::ColumnHeader, 24.1);
    header.add<report::Label>(QRectF(53.2, 1.1, 74.1, 10.1), QStringLiteral("Liste des familles"),
        fixedBox(arial(24, Bold | Italic), navy));
    addPrintingDay(header);

    report::Band &detail = QuickRep1.addBand(report::Band::Kind::Detail, 5.8);
    detail.add<report::DataText>(QRectF(0.0, 0.0, 17.7, 5.0),
        ReportFields::displayTextOf(dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE"))), oneLine(arial(12), text));

    report::Band &footer = QuickRep1.addBand(report::Band::Kind::PageFooter, 5.8);
    footer.setTopLine(true);
    addPageNumber(footer);
}
