#pragma once

#include <QString>
#include <QStringList>

namespace fb {

class Attachment;

/// A plain SQL script: statements ended by ";", with "--" and "/* */" comments. Used to lay
/// down a schema, so each statement is committed before the next one runs (a table must
/// exist for good before rows go into it).
namespace Script {

QStringList split(const QString &script);
void run(Attachment &attachment, const QString &script);

} // namespace Script
} // namespace fb
