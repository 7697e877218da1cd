#pragma once

#include "OpenRecipeBook.h"

#include "controls/MyControl.h"
#include "dbwidgets/Beep.h"
#include "dbwidgets/DBLookupComboBox.h"
#include "manage/TableauRecettes.h"

#include <QTest>
#include <QWidget>

#include <functional>

/// Clicks the bitmap button of that name in the window, as the mouse does.
inline void clickButton(QWidget *window, const QString &name)
{
    auto *button = window->findChild<TMyControl *>(name);
    QVERIFY2(button, qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

/// How many times the system beeped while the action ran.
inline int beepsDuring(const std::function<void()> &action)
{
    const int before = Beep::count();
    action();
    return Beep::count() - before;
}

/// Runs what windows released with deleteLater, as the event loop would once a handler returns.
inline void runDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

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
