#pragma once

#include "DatasetRows.h"

#include "report/Report.h"

class TDM;

/// The recipe card report: the current recipe of the data module on one A4 page, its title,
/// family, ratings, short texts, creation day, ingredients, preparation and illustration, and
/// the page number at the foot. Texts too long for their boxes go on to further pages.
///
/// Made by the command that prints, for one preview, and dropped after it. The illustration is
/// read when the report is made; everything else when the pages are built. Building moves the
/// two rating lookups (the report runs over the qualities, and the rating labels search them)
/// and nothing else.
class TFrmEditFicheRecette
{
public:
    explicit TFrmEditFicheRecette(TDM &dm);
    TFrmEditFicheRecette(const TFrmEditFicheRecette &) = delete;
    TFrmEditFicheRecette &operator=(const TFrmEditFicheRecette &) = delete;

    report::Report QuickRep1;

private:
    void createColumnHeader();
    void createPageFooter();

    void QRLabel14Print(QString &value);
    void QRQualitePrint(QString &value);
    void QRDifficultePrint(QString &value);

    TDM &m_dm;
    DatasetRows m_qualities;
};
