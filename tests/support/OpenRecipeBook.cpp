#include "OpenRecipeBook.h"

#include "firebird/Statement.h"
#include "firebird/Transaction.h"

namespace {

QString quoted(const QString &text)
{
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QStringList columnValues(Dataset &dataset, const QString &fieldName)
{
    const int field = dataset.fieldByName(fieldName).index();
    QStringList values;
    for (int row = 0; dataset.fetchUpTo(row); ++row)
        values.append(dataset.valueAt(row, field).toString());
    return values;
}

} // namespace

OpenRecipeBook::OpenRecipeBook(const QList<SampleFamily> &families)
{
    QStringList statements;
    int recipeKey = 0;
    for (int index = 0; index < families.size(); ++index) {
        const SampleFamily &family = families[index];
        const int familyKey = index + 1;
        statements.append(QStringLiteral("insert into FAMILLE values (%1, %2)").arg(familyKey).arg(quoted(family.name)));
        for (const QString &title : family.recipes) {
            statements.append(QStringLiteral("insert into RECETTES (IDRECETTE, IDFAMILLE, DESCRIPTION) values (%1, %2, %3)")
                                  .arg(++recipeKey)
                                  .arg(familyKey)
                                  .arg(quoted(title)));
        }
    }
    statements.append(QStringLiteral("set generator GEN_FAMILLE to %1").arg(families.size()));
    statements.append(QStringLiteral("set generator GEN_RECETTES to %1").arg(recipeKey));

    {
        auto attachment = database.attach();
        auto transaction = fb::Transaction::start(attachment);
        for (const QString &sql : statements)
            fb::Statement::prepare(attachment, transaction, sql).execute(transaction);
        transaction.commit();
    }

    dm.openRecipeBook(database.path());
}

QStringList OpenRecipeBook::familyNames()
{
    return columnValues(dm.IBFAMILLE, QStringLiteral("FAMILLE"));
}

QStringList OpenRecipeBook::recipeTitles()
{
    return columnValues(dm.IBRECETTES, QStringLiteral("DESCRIPTION"));
}

QString OpenRecipeBook::currentFamily() const
{
    return dm.IBFAMILLE.fieldByName(QStringLiteral("FAMILLE")).asString();
}

QString OpenRecipeBook::currentRecipe() const
{
    return dm.IBRECETTES.fieldByName(QStringLiteral("DESCRIPTION")).asString();
}

double OpenRecipeBook::selectedFamilyKey() const
{
    return dm.dxMemData.fieldByName(QStringLiteral("IDFamille")).asFloat();
}

double OpenRecipeBook::familyKey(const QString &name)
{
    const QStringList names = familyNames();
    const int row = int(names.indexOf(name));
    return row < 0 ? 0 : dm.IBFAMILLE.valueAt(row, dm.IBFAMILLE.fieldByName(QStringLiteral("IDFAMILLE")).index()).toDouble();
}

int OpenRecipeBook::committedRows(const QString &sql)
{
    dm.IBTransaction.commit();
    dm.IBTransaction.start();
    dm.openDatabaseDatasets();
    return database.countRows(sql);
}
