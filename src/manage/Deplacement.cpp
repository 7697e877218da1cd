#include "Deplacement.h"

#include "controls/FormControls.h"
#include "controls/MyPanel.h"
#include "data/DataModule.h"
#include "dbwidgets/DBLookupComboBox.h"


TFrmDepacer::TFrmDepacer(TDM &dm, QWidget *owner)
    : ModalForm(owner, QStringLiteral("Déplacement de la recette"), QSize(583, 265), Border::Dialog)
    , m_dm(dm)
    , IBFAMILLELOCAL(dm.IBDatabase, dm.IBTransaction)
{
    setObjectName(QStringLiteral("FrmDepacer"));
    setUpFamilyList();

    QWidget *p = panel();
    FormControls::label(p, QStringLiteral("MyLabel1"), QStringLiteral("Déplacement de la Recettes :"),
        QPoint(16, 19), FormControls::titleFont(), FormControls::red);

    FormControls::greyedFieldBox(p, QStringLiteral("DBEdit1"), QRect(35, 64, 518, 21),
        &m_dm.DSRECETTES, QStringLiteral("DESCRIPTION"));

    FormControls::label(p, QStringLiteral("MyLabel2"), QStringLiteral("Dans la Famille de Recettes :"),
        QPoint(16, 107), FormControls::titleFont(), FormControls::red);

    auto *target = new DBLookupComboBox(p);
    target->setObjectName(QStringLiteral("DBLookupComboBox2"));
    target->setGeometry(36, 144, 517, 21);
    target->setDropDownRows(7);
    target->setListSource(&DSFAMILLELOCAL);
    target->setKeyField(QStringLiteral("IDFAMILLE"));
    target->setListField(QStringLiteral("FAMILLE"));
    target->setDataField(QStringLiteral("IDModifFamille"));
    target->setDataSource(&m_dm.DSMemData);

    FormControls::button<TMyButton>(p, QStringLiteral("BtnDeplacer"), QStringLiteral("&Déplacer"), QString(),
        QRect(152, 208, 80, 24), this, &TFrmDepacer::BtnDeplacerClick);
    FormControls::button<TMyButton>(p, QStringLiteral("MyButton2"), QStringLiteral("&Annuler"), QString(),
        QRect(275, 208, 80, 24), this, &TFrmDepacer::MyButton2Click);

    FormCreate();
}

TFrmDepacer::~TFrmDepacer()
{
    IBFAMILLELOCAL.close();
}

// The same families as the family dataset's, read apart from it and never written.
void TFrmDepacer::setUpFamilyList()
{
    IBFAMILLELOCAL.setObjectName(QStringLiteral("IBFAMILLELOCAL"));
    IBFAMILLELOCAL.setSql({
        QStringLiteral("select "),
        QStringLiteral("FAMILLE.FAMILLE, "),
        QStringLiteral("FAMILLE.IDFAMILLE "),
        QStringLiteral("from FAMILLE"),
        QStringLiteral("ORDER BY FAMILLE.FAMILLE"),
    });
    IBFAMILLELOCAL.addField(QStringLiteral("FAMILLE"), FieldKind::Text, 100).setRequired(true);
    IBFAMILLELOCAL.addField(QStringLiteral("IDFAMILLE"), FieldKind::Float).setRequired(true);
    DSFAMILLELOCAL.setDataset(&IBFAMILLELOCAL);
}

// The target starts as the recipe's own family; the selection record is always being
// inserted, so the key is simply assigned.
void TFrmDepacer::FormCreate()
{
    const double family = m_dm.IBFAMILLE.fieldByName(QStringLiteral("IDFAMILLE")).asFloat();
    m_dm.dxMemData.fieldByName(QStringLiteral("IDModifFamille")).setValue(family);
    IBFAMILLELOCAL.open();
}

// The dialog ends with OK whatever happens, so that the caller re-reads the recipes and drops
// a change the database refused; the refusal itself goes on to be shown.
void TFrmDepacer::BtnDeplacerClick()
{
    QueryDataset &recipes = m_dm.IBRECETTES;
    const double target = m_dm.dxMemData.fieldByName(QStringLiteral("IDModifFamille")).asFloat();
    try {
        recipes.edit();
        recipes.fieldByName(QStringLiteral("IDFAMILLE")).setValue(target);
        recipes.post();
    } catch (...) {
        accept();
        throw;
    }
    accept();
}

void TFrmDepacer::MyButton2Click()
{
    reject();
}
