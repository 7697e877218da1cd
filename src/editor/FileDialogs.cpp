#include "FileDialogs.h"

#include <QFileDialog>

void setUpFileDialog(QFileDialog &dialog, const QStringList &filters, const QString &defaultSuffix)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(filters);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setDefaultSuffix(defaultSuffix);
}
