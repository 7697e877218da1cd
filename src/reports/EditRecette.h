#pragma once

#include "DatasetRows.h"

#include "report/Report.h"

class TDM;

/// The list of the current family's recipes, a title a line in the recipes' order, 41 lines a
/// page under a title and the family's name repeated on every page. Building it runs the recipe
/// dataset through every recipe: the caller puts it back.
class TFrmEditRecette
{
public:
    explicit TFrmEditRecette(TDM &dm);
    TFrmEditRecette(const TFrmEditRecette &) = delete;
    TFrmEditRecette &operator=(const TFrmEditRecette &) = delete;

    report::Report QuickRep1;

private:
    DatasetRows m_recipes;
};
