#pragma once

#include <QByteArray>
#include <QString>

class QFileDialog;

/// The files the recipe card's text commands read and write, and the dialogs that name them.
namespace TextFiles {

/// The largest file taken as a recipe text: far beyond any recipe, and small enough to read
/// whole.
constexpr qint64 maxSize = 32 * 1024 * 1024;

/// Throws, with a message for the user, when the file is too large to be a recipe text.
void checkSize(const QString &fileName);

/// The whole content of the file. Throws "Cannot open file "%s". %s" when it cannot be read.
QByteArray read(const QString &fileName);

/// Writes the file through a temporary file renamed into place, so that a failed write leaves
/// an existing file as it was. Throws "Cannot create file "%s". %s".
void write(const QString &fileName, const QByteArray &content);

/// Gives an open or save dialog the text files' filter, which matches ".txt" in any letter case,
/// the default extension "txt" and the folder to start in. The dialog asks no overwrite
/// question of its own: the caller asks its own.
void setUpDialog(QFileDialog &dialog, const QString &directory);

} // namespace TextFiles
