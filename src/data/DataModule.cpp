#include "DataModule.h"

TDM::TDM(QObject *parent)
    : QObject(parent)
    , IBTransaction(IBDatabase)
    , IBFAMILLE(IBDatabase, IBTransaction)
    , IBQUALITE(IBDatabase, IBTransaction)
    , IBRECETTES(IBDatabase, IBTransaction)
    , IBDIFFICULTE(IBDatabase, IBTransaction)
{
    IBDatabase.setParams({QStringLiteral("user_name=sysdba"), QStringLiteral("password=saucepans")});
    setUpFamilies();
    setUpRatings();
    setUpRecipes();
    setUpSelection();
}

// Destroying the members in reverse order is the whole exit sequence: the datasets close,
// the transaction applies its default action (commit, or a silent rollback when the commit
// fails), and the connection closes last.
TDM::~TDM() = default;

void TDM::openRecipeBook(const QString &databasePath)
{
    try {
        IBDatabase.setDatabaseName(databasePath);
        IBDatabase.connect();
        IBTransaction.start();
    } catch (const std::exception &error) {
        throw OpeningError(OpeningError::Step::Connection, error.what());
    }
    try {
        openDatabaseDatasets();
        dxMemData.open();
        dxMemData.append();
    } catch (const std::exception &error) {
        throw OpeningError(OpeningError::Step::Datasets, error.what());
    }
}

void TDM::openDatabaseDatasets()
{
    IBFAMILLE.open();
    IBRECETTES.open();
    IBQUALITE.open();
    IBDIFFICULTE.open();
}

void TDM::setUpFamilies()
{
    IBFAMILLE.setObjectName(QStringLiteral("IBFAMILLE"));
    IBFAMILLE.setSql({
        QStringLiteral("select "),
        QStringLiteral("FAMILLE.FAMILLE, "),
        QStringLiteral("FAMILLE.IDFAMILLE "),
        QStringLiteral("from FAMILLE"),
        QStringLiteral("ORDER BY FAMILLE.FAMILLE"),
    });
    Field &name = IBFAMILLE.addField(QStringLiteral("FAMILLE"), FieldKind::Text, 100);
    name.setRequired(true);
    IBFAMILLE.addField(QStringLiteral("IDFAMILLE"), FieldKind::Float).setRequired(true);

    IBUpdateFAMILLE.setInsertSql({
        QStringLiteral("insert into FAMILLE"),
        QStringLiteral("  (FAMILLE, IDFAMILLE)"),
        QStringLiteral("values"),
        QStringLiteral("  (:FAMILLE, :IDFAMILLE)"),
    });
    IBUpdateFAMILLE.setModifySql({
        QStringLiteral("update FAMILLE"),
        QStringLiteral("set"),
        QStringLiteral("  FAMILLE = :FAMILLE,"),
        QStringLiteral("  IDFAMILLE = :IDFAMILLE"),
        QStringLiteral("where"),
        QStringLiteral("  FAMILLE = :OLD_FAMILLE and"),
        QStringLiteral("  IDFAMILLE = :OLD_IDFAMILLE"),
    });
    IBUpdateFAMILLE.setDeleteSql({
        QStringLiteral("delete from FAMILLE"),
        QStringLiteral("where"),
        QStringLiteral("  FAMILLE = :OLD_FAMILLE and"),
        QStringLiteral("  IDFAMILLE = :OLD_IDFAMILLE"),
    });
    IBUpdateFAMILLE.setRefreshSql({
        QStringLiteral("Select "),
        QStringLiteral("  IDFAMILLE,"),
        QStringLiteral("  FAMILLE"),
        QStringLiteral("from FAMILLE "),
        QStringLiteral("where"),
        QStringLiteral("  FAMILLE = :FAMILLE and"),
        QStringLiteral("  IDFAMILLE = :IDFAMILLE"),
    });
    IBFAMILLE.setUpdateStatements(&IBUpdateFAMILLE);
    IBFAMILLE.setGenerator(QStringLiteral("IDFAMILLE"), QStringLiteral("GEN_FAMILLE"));
    IBFAMILLE.setRefreshAfterPost(true);
    DSFAMILLE.setDataset(&IBFAMILLE);
}

void TDM::setUpRatings()
{
    IBQUALITE.setObjectName(QStringLiteral("IBQUALITE"));
    IBQUALITE.setSql({QStringLiteral("select"), QStringLiteral("NUMERO,CRITERE"), QStringLiteral("from QUALITE")});
    IBQUALITE.addField(QStringLiteral("NUMERO"), FieldKind::SmallInt);
    IBQUALITE.addField(QStringLiteral("CRITERE"), FieldKind::Text, 15);
    DSQualite.setDataset(&IBQUALITE);

    IBDIFFICULTE.setObjectName(QStringLiteral("IBDIFFICULTE"));
    IBDIFFICULTE.setSql({QStringLiteral("select NUMERO, VALEUR  from DIFFICULTE")});
    IBDIFFICULTE.addField(QStringLiteral("NUMERO"), FieldKind::SmallInt);
    IBDIFFICULTE.addField(QStringLiteral("VALEUR"), FieldKind::Text, 25);
    DSDifficulte.setDataset(&IBDIFFICULTE);
}

void TDM::setUpRecipes()
{
    IBRECETTES.setObjectName(QStringLiteral("IBRECETTES"));
    IBRECETTES.setSql({
        QStringLiteral("select "),
        QStringLiteral("RECETTES.IDRECETTE, "),
        QStringLiteral("RECETTES.IDFAMILLE, "),
        QStringLiteral("RECETTES.DESCRIPTION, "),
        QStringLiteral("RECETTES.DATE_CREATION, "),
        QStringLiteral("RECETTES.DATE_DERN_MODIF, "),
        QStringLiteral("RECETTES.CALORIES,"),
        QStringLiteral("RECETTES.Txt_PREPARATION, "),
        QStringLiteral("RECETTES.Txt_CUISSON, "),
        QStringLiteral("RECETTES.Txt_ACCOMPAGNEMENT, "),
        QStringLiteral("RECETTES.PERSONNES, "),
        QStringLiteral("RECETTES. IMAGE,"),
        QStringLiteral("RECETTES.INGREDIENTS, "),
        QStringLiteral("RECETTES.PREPARATION, "),
        QStringLiteral("RECETTES.QUALITE,"),
        QStringLiteral("RECETTES.DIFFICULTE"),
        QStringLiteral("from RECETTES"),
        QStringLiteral("where"),
        QStringLiteral("  RECETTES.IDFAMILLE  =:\"IDFAMILLE\""),
        QStringLiteral("ORDER BY RECETTES.DESCRIPTION"),
    });

    struct FieldDefinition
    {
        const char16_t *name;
        FieldKind kind;
        int size;
        bool required;
        int width;
    };
    static const FieldDefinition fields[] = {
        {u"DESCRIPTION", FieldKind::Text, 100, true, 100},
        {u"DATE_CREATION", FieldKind::Date, 0, false, 10},
        {u"DATE_DERN_MODIF", FieldKind::Date, 0, false, 10},
        {u"IDFAMILLE", FieldKind::Float, 0, true, 10},
        {u"IDRECETTE", FieldKind::Float, 0, true, 10},
        {u"INGREDIENTS", FieldKind::Memo, 0, false, 10},
        {u"PERSONNES", FieldKind::Text, 50, false, 50},
        {u"PREPARATION", FieldKind::Memo, 0, false, 10},
        {u"QUALITE", FieldKind::SmallInt, 0, false, 10},
        {u"IMAGE", FieldKind::Blob, 0, false, 10},
        {u"TXT_PREPARATION", FieldKind::Text, 30, false, 30},
        {u"TXT_CUISSON", FieldKind::Text, 30, false, 30},
        {u"TXT_ACCOMPAGNEMENT", FieldKind::Text, 50, false, 50},
        {u"CALORIES", FieldKind::Text, 30, false, 30},
        {u"DIFFICULTE", FieldKind::SmallInt, 0, false, 10},
    };
    for (const FieldDefinition &definition : fields) {
        Field &field = IBRECETTES.addField(QString::fromUtf16(definition.name), definition.kind, definition.size);
        field.setRequired(definition.required);
        field.setDisplayWidth(definition.width);
        // Only the title is shown in grids of recipes.
        field.setVisible(field.name() == u"DESCRIPTION");
    }
    IBRECETTES.fieldByName(QStringLiteral("DESCRIPTION")).setDisplayLabel(QStringLiteral("Description"));

    IBUpdateRECETTES.setInsertSql({
        QStringLiteral("insert into RECETTES"),
        QStringLiteral("  (IDRECETTE,"),
        QStringLiteral("   IDFAMILLE,"),
        QStringLiteral("   DESCRIPTION,"),
        QStringLiteral("   DATE_CREATION, "),
        QStringLiteral("   CALORIES,"),
        QStringLiteral("   Txt_PREPARATION, "),
        QStringLiteral("   Txt_CUISSON, "),
        QStringLiteral("   Txt_ACCOMPAGNEMENT, "),
        QStringLiteral("   DATE_DERN_MODIF,"),
        QStringLiteral("   PERSONNES, "),
        QStringLiteral("   IMAGE, "),
        QStringLiteral("   INGREDIENTS,"),
        QStringLiteral("   PREPARATION, "),
        QStringLiteral("   QUALITE,"),
        QStringLiteral("   DIFFICULTE)"),
        QStringLiteral("values"),
        QStringLiteral("  (:IDRECETTE, "),
        QStringLiteral("   :IDFAMILLE, "),
        QStringLiteral("   :DESCRIPTION, "),
        QStringLiteral("   :DATE_CREATION, "),
        QStringLiteral("   :CALORIES,"),
        QStringLiteral("   :Txt_PREPARATION, "),
        QStringLiteral("   :Txt_CUISSON, "),
        QStringLiteral("   :Txt_ACCOMPAGNEMENT, "),
        QStringLiteral("   :DATE_DERN_MODIF, "),
        QStringLiteral("   :PERSONNES, "),
        QStringLiteral("   :IMAGE, "),
        QStringLiteral("   :INGREDIENTS, "),
        QStringLiteral("   :PREPARATION, "),
        QStringLiteral("   :QUALITE,"),
        QStringLiteral("   :DIFFICULTE)"),
    });
    IBUpdateRECETTES.setModifySql({
        QStringLiteral("update RECETTES"),
        QStringLiteral("set"),
        QStringLiteral("  IDRECETTE = :IDRECETTE,"),
        QStringLiteral("  IDFAMILLE = :IDFAMILLE,"),
        QStringLiteral("  DESCRIPTION = :DESCRIPTION,"),
        QStringLiteral("  CALORIES =:CALORIES,"),
        QStringLiteral("  Txt_PREPARATION = :Txt_PREPARATION ,  "),
        QStringLiteral("  Txt_CUISSON  = :Txt_CUISSON, "),
        QStringLiteral("  Txt_ACCOMPAGNEMENT = :Txt_ACCOMPAGNEMENT, "),
        QStringLiteral("  DATE_CREATION = :DATE_CREATION,"),
        QStringLiteral("  DATE_DERN_MODIF = :DATE_DERN_MODIF,"),
        QStringLiteral("  PERSONNES = :PERSONNES,"),
        QStringLiteral("  IMAGE = :IMAGE,"),
        QStringLiteral("  INGREDIENTS = :INGREDIENTS,"),
        QStringLiteral("  PREPARATION = :PREPARATION,"),
        QStringLiteral("  QUALITE = :QUALITE,"),
        QStringLiteral("  DIFFICULTE = :DIFFICULTE"),
        QStringLiteral("where"),
        QStringLiteral("  IDRECETTE = :OLD_IDRECETTE"),
    });
    IBUpdateRECETTES.setDeleteSql({
        QStringLiteral("delete from RECETTES"),
        QStringLiteral("where"),
        QStringLiteral("  IDRECETTE = :OLD_IDRECETTE "),
    });
    IBUpdateRECETTES.setRefreshSql({
        QStringLiteral("Select "),
        QStringLiteral("  IDRECETTE,"),
        QStringLiteral("  IDFAMILLE,"),
        QStringLiteral("  DESCRIPTION,"),
        QStringLiteral("  PERSONNES,"),
        QStringLiteral("  QUALITE,"),
        QStringLiteral("  DATE_CREATION,"),
        QStringLiteral("  DATE_DERN_MODIF,"),
        QStringLiteral("  INGREDIENTS,"),
        QStringLiteral("  PREPARATION,"),
        QStringLiteral("  IMAGE,"),
        QStringLiteral("  DIFFICULTE"),
        QStringLiteral("from RECETTES "),
        QStringLiteral("where"),
        QStringLiteral("  IDRECETTE = :IDRECETTE "),
    });
    IBRECETTES.setUpdateStatements(&IBUpdateRECETTES);
    IBRECETTES.setGenerator(QStringLiteral("IDRECETTE"), QStringLiteral("GEN_RECETTES"));
    IBRECETTES.setMasterSource(&DSFAMILLE);
    DSRECETTES.setDataset(&IBRECETTES);
}

void TDM::setUpSelection()
{
    dxMemData.setObjectName(QStringLiteral("dxMemData"));
    dxMemData.addField(QStringLiteral("IDFamille"), FieldKind::Float);
    dxMemData.addField(QStringLiteral("IDModifFamille"), FieldKind::Integer);
    DSMemData.setDataset(&dxMemData);
}
