#include "EditRecette.h"

#include "ReportLook.h"

#include "data/DataModule.h"

using namespace ReportLook;

TFrmEditRecette::TFrmEditRecette(TDM &dm)
    : m_recipes(dm.IBRECETTES)
{
    QuickRep1.setJobName(QStringLiteral("Cuisinotte – Liste des recettes"));
    QuickRep1.setData(&m_recipes);

    report::Band &header = QuickRep1.addBand(report::Band::Kind::ColumnHeader, 30.4);
    header.add<report::Label>(QRectF(53.2, 1.1, 74.1, 10.1), QStringLiteral("Liste des recettes"),
        fixedBox(arial(24, Bold | Italic), navy));
    addPrintingDay(header);
    header.add<report::Label>(QRectF(0.0, 19.1, 46.6, 5.3), QStringLiteral("Recettes de la Famille :"),
        oneLine(arial(12, Bold), navy));
    header.add<report::DataText>(QRectF(48.7, 19.1, 18.5, 5.3),
        ReportFields::displayTextOf(dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE"))), oneLine(arial(12, Bold), navy));

    report::Band &detail = QuickRep1.addBand(report::Band::Kind::Detail, 5.8);
    detail.add<report::DataText>(QRectF(0.0, 0.0, 28.3, 5.0),
        ReportFields::displayTextOf(dm.IBRECETTES.fieldByName(QStringLiteral("DESCRIPTION"))), oneLine(arial(12), text));

    report::Band &footer = QuickRep1.addBand(report::Band::Kind::PageFooter, 5.8);
    footer.setTopLine(true);
    addPageNumber(footer);
}
