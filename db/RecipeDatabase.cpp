#include "RecipeDatabase.h"

#include "firebird/Error.h"
#include "firebird/Script.h"

#include <QFile>

namespace RecipeDatabase {

fb::Credentials owner()
{
    return {QStringLiteral("sysdba"), QStringLiteral("saucepans")};
}

fb::Attachment create(const QString &path)
{
    QFile schema(QStringLiteral(":/db/schema.sql"));
    if (!schema.open(QIODevice::ReadOnly | QIODevice::Text))
        throw fb::Error(QStringLiteral("The database schema is missing from the program"));
    const QString script = QString::fromUtf8(schema.readAll());

    fb::Attachment attachment = fb::Attachment::create(path, owner());
    fb::Script::run(attachment, script);
    return attachment;
}

} // namespace RecipeDatabase
