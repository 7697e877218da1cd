#include "DemoRecipeBook.h"

#include "demo/DemoPictures.h"
#include "demo/RtfDocumentBuilder.h"

#include "firebird/Blob.h"
#include "codepage/Cp1252.h"
#include "firebird/Error.h"
#include "firebird/Statement.h"
#include "firebird/Transaction.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace DemoRecipeBook {
namespace {

QJsonArray loadFamilies()
{
    QFile file(QStringLiteral(":/db/demo/recettes.json"));
    if (!file.open(QIODevice::ReadOnly))
        throw fb::Error(QStringLiteral("Le livre de recettes de démonstration manque au programme"));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (document.isNull()) {
        throw fb::Error(QStringLiteral("Le livre de recettes de démonstration est illisible (octet %1) : %2")
                            .arg(parseError.offset).arg(parseError.errorString()));
    }
    return document.object().value(u"familles").toArray();
}

QStringList strings(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue item : value.toArray())
        list.append(item.toString());
    return list;
}

QString required(const QJsonObject &object, QStringView key, const QString &where)
{
    const QString text = object.value(key).toString();
    if (text.isEmpty())
        throw fb::Error(QStringLiteral("%1 : « %2 » manque").arg(where, key));
    return text;
}

QDate requiredDate(const QJsonObject &object, QStringView key, const QString &where)
{
    const QDate date = QDate::fromString(required(object, key, where), Qt::ISODate);
    if (!date.isValid())
        throw fb::Error(QStringLiteral("%1 : la date « %2 » n'est pas une date AAAA-MM-JJ").arg(where, key));
    return date;
}

QByteArray ingredientsRtf(const QJsonObject &recipe)
{
    RtfDocumentBuilder rtf;
    rtf.addTitle(QStringLiteral("Ingrédients"));
    for (const QJsonValue group : recipe.value(u"ingredients").toArray()) {
        const QJsonObject section = group.toObject();
        const QString heading = section.value(u"pour").toString();
        if (!heading.isEmpty())
            rtf.addHeading(heading);
        rtf.addBulletList(strings(section.value(u"liste")));
    }
    return rtf.toRtf();
}

QByteArray preparationRtf(const QJsonObject &recipe)
{
    RtfDocumentBuilder rtf;
    rtf.addTitle(QStringLiteral("Préparation"));
    rtf.addNumberedSteps(strings(recipe.value(u"etapes")));
    const QString tip = recipe.value(u"astuce").toString();
    if (!tip.isEmpty())
        rtf.addNote(QStringLiteral("Astuce :"), tip);
    return rtf.toRtf();
}

/// An insert statement whose parameters are set by name, so that a long column list cannot
/// drift out of step with its values.
class Insert
{
public:
    Insert(fb::Attachment &attachment, fb::Transaction &transaction, const QString &sql)
        : m_attachment(attachment)
        , m_transaction(transaction)
        , m_statement(fb::Statement::prepare(attachment, transaction, sql))
    {
    }

    void setKey(const QString &name, int key) { set(name, [key](fb::Message &m, int i) { m.setDouble(i, key); }); }
    void setNumber(const QString &name, int value) { set(name, [value](fb::Message &m, int i) { m.setInt64(i, value); }); }
    void setDate(const QString &name, QDate day) { set(name, [day](fb::Message &m, int i) { m.setDate(i, day); }); }

    /// Empty text leaves the column null, as the program does for a field left blank.
    void setText(const QString &name, const QString &text)
    {
        if (text.isEmpty())
            return set(name, [](fb::Message &m, int i) { m.setNull(i); });
        const auto bytes = Cp1252::encode(text);
        if (!bytes)
            throw fb::Error(QStringLiteral("« %1 » contient un caractère hors de la page de code 1252").arg(text));
        set(name, [&bytes](fb::Message &m, int i) { m.setText(i, *bytes); });
    }

    void setBlob(const QString &name, const QByteArray &bytes)
    {
        if (bytes.isEmpty())
            return set(name, [](fb::Message &m, int i) { m.setNull(i); });
        const fb::BlobId id = fb::Blob::write(m_attachment, m_transaction, bytes);
        set(name, [id](fb::Message &m, int i) { m.setBlobId(i, id); });
    }

    void execute()
    {
        if (m_statement.execute(m_transaction) != 1)
            throw fb::Error(QStringLiteral("Une ligne du livre de démonstration n'a pas été écrite"));
    }

private:
    template<typename Setter>
    void set(const QString &name, Setter setter)
    {
        const QList<int> positions = m_statement.parameterPositions(name);
        if (positions.isEmpty())
            throw fb::Error(QStringLiteral("L'instruction n'a pas de paramètre %1").arg(name));
        for (const int position : positions)
            setter(m_statement.parameters(), position);
    }

    fb::Attachment &m_attachment;
    fb::Transaction &m_transaction;
    fb::Statement m_statement;
};

void setGenerator(fb::Attachment &attachment, fb::Transaction &transaction, const char *name, int value)
{
    fb::Statement::prepare(attachment, transaction,
        QStringLiteral("SET GENERATOR %1 TO %2").arg(QLatin1StringView(name)).arg(value))
        .execute(transaction);
}

} // namespace

void fill(fb::Attachment &attachment)
{
    const QJsonArray families = loadFamilies();
    if (families.isEmpty())
        throw fb::Error(QStringLiteral("Le livre de recettes de démonstration n'a aucune famille"));

    fb::Transaction transaction = fb::Transaction::start(attachment);
    Insert family(attachment, transaction,
        QStringLiteral("insert into FAMILLE (IDFAMILLE, FAMILLE) values (:IDFAMILLE, :FAMILLE)"));
    Insert recipe(attachment, transaction, QStringLiteral(
        "insert into RECETTES (IDRECETTE, IDFAMILLE, DESCRIPTION, DATE_CREATION, DATE_DERN_MODIF,"
        " CALORIES, TXT_PREPARATION, TXT_CUISSON, TXT_ACCOMPAGNEMENT, PERSONNES, IMAGE, INGREDIENTS,"
        " PREPARATION, QUALITE, DIFFICULTE)"
        " values (:IDRECETTE, :IDFAMILLE, :DESCRIPTION, :DATE_CREATION, :DATE_DERN_MODIF,"
        " :CALORIES, :TXT_PREPARATION, :TXT_CUISSON, :TXT_ACCOMPAGNEMENT, :PERSONNES, :IMAGE, :INGREDIENTS,"
        " :PREPARATION, :QUALITE, :DIFFICULTE)"));

    int familyKey = 0;
    int recipeKey = 0;
    for (const QJsonValue familyValue : families) {
        const QJsonObject familyObject = familyValue.toObject();
        family.setKey(QStringLiteral("IDFAMILLE"), ++familyKey);
        family.setText(QStringLiteral("FAMILLE"), required(familyObject, u"nom", QStringLiteral("Famille %1").arg(familyKey)));
        family.execute();

        for (const QJsonValue recipeValue : familyObject.value(u"recettes").toArray()) {
            const QJsonObject r = recipeValue.toObject();
            const QString where = QStringLiteral("Recette %1").arg(++recipeKey);
            recipe.setKey(QStringLiteral("IDRECETTE"), recipeKey);
            recipe.setKey(QStringLiteral("IDFAMILLE"), familyKey);
            recipe.setText(QStringLiteral("DESCRIPTION"), required(r, u"titre", where));
            recipe.setDate(QStringLiteral("DATE_CREATION"), requiredDate(r, u"creee", where));
            recipe.setDate(QStringLiteral("DATE_DERN_MODIF"), requiredDate(r, u"modifiee", where));
            recipe.setText(QStringLiteral("CALORIES"), r.value(u"calories").toString());
            recipe.setText(QStringLiteral("TXT_PREPARATION"), r.value(u"preparation").toString());
            recipe.setText(QStringLiteral("TXT_CUISSON"), r.value(u"cuisson").toString());
            recipe.setText(QStringLiteral("TXT_ACCOMPAGNEMENT"), r.value(u"accompagnement").toString());
            recipe.setText(QStringLiteral("PERSONNES"), r.value(u"personnes").toString());
            const QString picture = r.value(u"image").toString();
            recipe.setBlob(QStringLiteral("IMAGE"), picture.isEmpty() ? QByteArray() : DemoPictures::jpeg(picture));
            recipe.setBlob(QStringLiteral("INGREDIENTS"), ingredientsRtf(r));
            recipe.setBlob(QStringLiteral("PREPARATION"), preparationRtf(r));
            recipe.setNumber(QStringLiteral("QUALITE"), r.value(u"qualite").toInt(1));
            recipe.setNumber(QStringLiteral("DIFFICULTE"), r.value(u"difficulte").toInt(1));
            recipe.execute();
        }
    }

    // The program draws new keys from the generators: they must start past the delivered rows.
    setGenerator(attachment, transaction, "GEN_FAMILLE", familyKey);
    setGenerator(attachment, transaction, "GEN_RECETTES", recipeKey);
    transaction.commit();
}

} // namespace DemoRecipeBook
