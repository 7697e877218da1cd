#include "BenchRecipeBook.h"

#include "SampleRecipes.h"

#include "RecipeDatabase.h"
#include "firebird/Blob.h"
#include "codepage/Cp1252.h"
#include "firebird/Error.h"
#include "firebird/Generator.h"
#include "firebird/Statement.h"
#include "firebird/Transaction.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <array>
#include <cstdio>
#include <random>
#include <vector>

namespace BenchRecipeBook {
namespace {

constexpr int kProgressStep = 25'000;

// None of these starts with an A, so the large family, "Apéritifs", is the first by name.
constexpr std::array kCategories = {
    u"Boissons", u"Confitures", u"Desserts", u"Entrées", u"Gâteaux", u"Gratins", u"Légumes",
    u"Pains", u"Pâtes", u"Plats uniques", u"Poissons", u"Potages", u"Salades", u"Sauces",
    u"Soupes", u"Tartes", u"Viandes", u"Volailles",
};

constexpr std::array kQualifiers = {
    u"de saison", u"d'hiver", u"d'été", u"d'automne", u"de printemps", u"de fête", u"du dimanche",
    u"de mamie", u"du marché", u"express", u"du soir", u"du midi", u"pour les enfants",
    u"pour recevoir", u"à l'italienne", u"à la provençale", u"à l'orientale", u"à l'asiatique",
    u"à la bretonne", u"à l'alsacienne", u"à la basquaise", u"à la lyonnaise", u"à la normande",
    u"à la savoyarde", u"sans gluten", u"sans four", u"en 15 minutes", u"au barbecue",
};
static_assert(kCategories.size() * kQualifiers.size() >= kFamilyCount - 1);

QByteArray cp1252(const QString &text)
{
    if (auto bytes = Cp1252::encode(text))
        return *bytes;
    throw fb::Error(QStringLiteral("Code page 1252 cannot hold \"%1\"").arg(text));
}

QStringList familyNames()
{
    QStringList names{QStringLiteral("Apéritifs")};
    for (const char16_t *category : kCategories) {
        for (const char16_t *qualifier : kQualifiers)
            names.append(QString::fromUtf16(category) + u' ' + QString::fromUtf16(qualifier));
    }
    return names.mid(0, kFamilyCount);
}

// The family of each recipe in the order they are written. Recipes arrive in a book over the
// years in no order of family, so a family's rows end up spread over the whole file.
std::vector<int> familyOfEachRecipe()
{
    constexpr int largeKey = static_cast<int>(kLargeFamilyKey);
    std::vector<int> families;
    families.reserve(kRecipeCount);
    families.insert(families.end(), std::size_t(kLargeFamilySize), largeKey);
    for (int recipe = kLargeFamilySize; recipe < kRecipeCount; ++recipe)
        families.push_back(largeKey + 1 + recipe % (kFamilyCount - 1));
    std::shuffle(families.begin(), families.end(), std::mt19937(4242));
    return families;
}

int parameterIndex(const fb::Statement &statement, const QString &name)
{
    const QList<int> positions = statement.parameterPositions(name);
    if (positions.isEmpty())
        throw fb::Error(QStringLiteral("The statement has no parameter %1").arg(name));
    return positions.first();
}

/// Fills a new file through two statements prepared once, in the caller's transaction.
class BookWriter
{
public:
    BookWriter(fb::Attachment &attachment, fb::Transaction &transaction)
        : m_attachment(attachment)
        , m_transaction(transaction)
    {
    }

    void writeFamilies()
    {
        fb::Statement insert = fb::Statement::prepare(m_attachment, m_transaction,
            QStringLiteral("insert into FAMILLE (IDFAMILLE, FAMILLE) values (:IDFAMILLE, :FAMILLE)"));
        const int key = parameterIndex(insert, QStringLiteral("IDFAMILLE"));
        const int name = parameterIndex(insert, QStringLiteral("FAMILLE"));
        const QStringList names = familyNames();
        for (int index = 0; index < names.size(); ++index) {
            insert.parameters().setDouble(key, kLargeFamilyKey + index);
            insert.parameters().setText(name, cp1252(names[index]));
            insert.execute(m_transaction);
        }
    }

    void writeRecipes()
    {
        fb::Statement insert = fb::Statement::prepare(m_attachment, m_transaction, QStringLiteral(
            "insert into RECETTES (IDRECETTE, IDFAMILLE, DESCRIPTION, DATE_CREATION, DATE_DERN_MODIF,"
            " CALORIES, TXT_PREPARATION, TXT_CUISSON, TXT_ACCOMPAGNEMENT, PERSONNES, INGREDIENTS,"
            " PREPARATION, QUALITE, DIFFICULTE)"
            " values (:IDRECETTE, :IDFAMILLE, :DESCRIPTION, :DATE_CREATION, :DATE_DERN_MODIF,"
            " :CALORIES, :TXT_PREPARATION, :TXT_CUISSON, :TXT_ACCOMPAGNEMENT, :PERSONNES, :INGREDIENTS,"
            " :PREPARATION, :QUALITE, :DIFFICULTE)"));
        auto at = [&insert](const char16_t *name) { return parameterIndex(insert, QString::fromUtf16(name)); };
        const int key = at(u"IDRECETTE"), family = at(u"IDFAMILLE"), title = at(u"DESCRIPTION");
        const int created = at(u"DATE_CREATION"), modified = at(u"DATE_DERN_MODIF");
        const int calories = at(u"CALORIES"), preparationTime = at(u"TXT_PREPARATION");
        const int cookingTime = at(u"TXT_CUISSON"), accompaniment = at(u"TXT_ACCOMPAGNEMENT");
        const int servings = at(u"PERSONNES"), ingredients = at(u"INGREDIENTS");
        const int preparation = at(u"PREPARATION"), quality = at(u"QUALITE"), difficulty = at(u"DIFFICULTE");

        const std::vector<int> families = familyOfEachRecipe();
        SampleRecipes samples;
        QElapsedTimer clock;
        clock.start();
        fb::Message &row = insert.parameters();
        for (int index = 0; index < kRecipeCount; ++index) {
            const SampleRecipe recipe = samples.next();
            row.setDouble(key, index + 1);
            row.setDouble(family, families[std::size_t(index)]);
            row.setText(title, cp1252(recipe.title));
            row.setDate(created, recipe.created);
            row.setDate(modified, recipe.lastModified);
            row.setText(calories, cp1252(recipe.calories));
            row.setText(preparationTime, cp1252(recipe.preparationTime));
            row.setText(cookingTime, cp1252(recipe.cookingTime));
            row.setText(accompaniment, cp1252(recipe.accompaniment));
            row.setText(servings, cp1252(recipe.servings));
            row.setBlobId(ingredients, fb::Blob::write(m_attachment, m_transaction, recipe.ingredientsRtf));
            row.setBlobId(preparation, fb::Blob::write(m_attachment, m_transaction, recipe.preparationRtf));
            row.setInt64(quality, recipe.quality);
            row.setInt64(difficulty, recipe.difficulty);
            insert.execute(m_transaction);
            if ((index + 1) % kProgressStep == 0) {
                std::printf("  %d of %d recipes written (%.0f s)\n", index + 1, kRecipeCount,
                    double(clock.elapsed()) / 1000);
                std::fflush(stdout);
            }
        }
    }

private:
    fb::Attachment &m_attachment;
    fb::Transaction &m_transaction;
};

} // namespace

bool isComplete(const QString &path)
{
    fb::Attachment attachment = fb::Attachment::open(path, RecipeDatabase::owner());
    fb::Transaction transaction = fb::Transaction::start(attachment);
    // The book is written in one transaction, so it is either all there or not at all; these
    // three counts tell a finished book of this shape from an empty or a foreign file.
    fb::Statement counts = fb::Statement::prepare(attachment, transaction, QStringLiteral(
        "select (select count(*) from FAMILLE),"
        " (select count(*) from RECETTES where IDFAMILLE = :LARGE),"
        " (select count(*) from RECETTES where IDRECETTE = :LAST)"
        " from RDB$DATABASE"));
    counts.parameters().setDouble(parameterIndex(counts, QStringLiteral("LARGE")), kLargeFamilyKey);
    counts.parameters().setDouble(parameterIndex(counts, QStringLiteral("LAST")), kRecipeCount);
    fb::Cursor cursor = counts.openCursor(transaction);
    if (!cursor.fetchNext())
        return false;
    const fb::Message &row = cursor.row();
    return row.toInt64(0) == kFamilyCount && row.toInt64(1) == kLargeFamilySize && row.toInt64(2) == 1;
}

void generate(const QString &path)
{
    // Written under another name and renamed when committed: a run that is cut short leaves
    // no file that a later run could take for a finished book.
    const QString partial = path + QStringLiteral(".partial");
    QFile::remove(partial);
    std::printf("Generating %d recipes in %d families into %s\n", kRecipeCount, kFamilyCount,
        qPrintable(path));
    std::fflush(stdout);
    QElapsedTimer clock;
    clock.start();
    {
        fb::Attachment attachment = RecipeDatabase::create(partial);
        fb::Transaction transaction = fb::Transaction::start(attachment);
        BookWriter writer(attachment, transaction);
        writer.writeFamilies();
        writer.writeRecipes();
        fb::Generator::next(attachment, transaction, QStringLiteral("GEN_FAMILLE"), kFamilyCount);
        fb::Generator::next(attachment, transaction, QStringLiteral("GEN_RECETTES"), kRecipeCount);
        transaction.commit();
    }
    if (!QFile::rename(partial, path))
        throw fb::Error(QStringLiteral("Cannot rename %1 to %2").arg(partial, path));
    std::printf("Generated in %.0f s\n", double(clock.elapsed()) / 1000);
    std::fflush(stdout);
}

} // namespace BenchRecipeBook
