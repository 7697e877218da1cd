#pragma once

#include "firebird/Attachment.h"

#include <QTemporaryDir>

/// A fresh recipe database made from the schema in a temporary folder, removed with the object.
/// Each test takes its own, so no test sees another's rows.
class ScratchDatabase
{
public:
    ScratchDatabase();

    QString folder() const { return m_folder.path(); }
    QString path() const;
    fb::Attachment attach() const;
    /// How many rows the statement gives, read through a connection of its own: only what
    /// was committed counts.
    int countRows(const QString &sql) const;

private:
    QTemporaryDir m_folder;
};
