#pragma once

#include <QString>

class QWidget;

/// Asks whether the named file may be replaced, in the system's confirmation style: "OK pour
/// écraser" the file, Yes, No or Cancel. True only for Yes.
bool confirmOverwrite(QWidget *parent, const QString &fileName);
