#pragma once

#include <QStringList>

class QFileDialog;

/// Sets up one of the recipe card's file dialogs: Qt's own dialog, whose filters can be told
/// to ignore the letter case (on Linux "*.TXT" alone would hide "notes.txt"), the given
/// filters and default extension, and no overwrite question of its own: the caller asks its
/// own.
void setUpFileDialog(QFileDialog &dialog, const QStringList &filters, const QString &defaultSuffix);
