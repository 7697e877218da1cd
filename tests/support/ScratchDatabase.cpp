#include "ScratchDatabase.h"

#include "RecipeDatabase.h"

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
