#pragma once

#include "firebird/Attachment.h"

#include <QString>

/// Makes new recipe database files: the schema, the rating rows and the generators, from the
/// script delivered with the program.
namespace RecipeDatabase {

/// The database owner the program connects as.
fb::Credentials owner();

/// Creates the file (which must not exist) and lays the schema in it. The returned attachment
/// stays open so that the caller can fill the file.
fb::Attachment create(const QString &path);

} // namespace RecipeDatabase
