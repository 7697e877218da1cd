#pragma once

#include "OpenRecipeBook.h"
#include "UserInput.h"

#include "dbwidgets/DBLookupComboBox.h"
#include "manage/TableauRecettes.h"

/// The recipe management window shown on a recipe book holding the given families, as the
/// main window opens it (though not modally, so that the test can drive it).
struct ManagementWindow
{
    explicit ManagementWindow(const QList<SampleFamily> &families)
        : book(families)
    {
        window.show();
    }

    void click(const QString &button) { clickButton(&window, button); }
    DBLookupComboBox *familyBox() const { return window.findChild<DBLookupComboBox *>(QStringLiteral("DBLookupComboBox2")); }
    QString shownFamily() const { return familyBox()->text(); }

    OpenRecipeBook book;
    TFrmTableauRecettes window{book.dm, nullptr};
};
