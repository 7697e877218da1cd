#pragma once

#include <QString>
#include <QStringList>

/// The cuisinotte-mkdb command: puts the demo recipe book in a new database file, and never
/// touches a file that is already there unless told to replace it.
namespace DemoDatabaseCommand {

/// Runs the command for its arguments ("[--replace] <path>") and returns the exit status.
/// The private engine configuration is taken from the "firebird" folder in programFolder.
int run(const QStringList &arguments, const QString &programFolder);

} // namespace DemoDatabaseCommand
