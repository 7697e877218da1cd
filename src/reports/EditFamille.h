#pragma once

#include "DatasetRows.h"

#include "report/Report.h"

class TDM;

/// The list of every family, a name a line in the families' order, 42 lines a page under a
/// title repeated on every page. Building it runs the family dataset, and so the recipes that
/// follow it, through every family: the caller puts them back.
class TFrmEditFamille
{
public:
    explicit TFrmEditFamille(TDM &dm);
    TFrmEditFamille(const TFrmEditFamille &) = delete;
    TFrmEditFamille &operator=(const TFrmEditFamille &) = delete;

    report::Report QuickRep1;

private:
    DatasetRows m_families;
};
