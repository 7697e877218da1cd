#include "ScratchDatabase.h"

#include "RecipeDatabase.h"

#include "firebird/Statement.h"
#include "firebird/Transaction.h"

ScratchDatabase::ScratchDatabase()
{
    RecipeDatabase::create(path()).detach();
}

QString ScratchDatabase::path() const
{
    return m_folder.filePath(QStringLiteral("RECETTES.GDB"));
}

fb::Attachment ScratchDatabase::attach() const
{
    return fb::Attachment::open(path(), RecipeDatabase::owner());
}

int ScratchDatabase::countRows(const QString &sql) const
{
    auto attachment = attach();
    auto transaction = fb::Transaction::start(attachment);
    auto statement = fb::Statement::prepare(attachment, transaction, sql);
    auto cursor = statement.openCursor(transaction);
    int rows = 0;
    while (cursor.fetchNext())
        ++rows;
    return rows;
}
