#include "FicheFamille.h"

#include "controls/FormControls.h"
#include "controls/MyPanel.h"
#include "data/DataModule.h"
#include "dbwidgets/DBEdit.h"
#include "guard/ErrorGuard.h"

TFrmFicheFamille::TFrmFicheFamille(TDM &dm, QWidget *owner)
    : ModalForm(owner, QStringLiteral("Fiche Famille"), QSize(632, 150), Border::Dialog)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("FrmFicheFamille"));
    QWidget *p = panel();
    FormControls::label(p, QStringLiteral("MyLabel2"), QStringLiteral("Famille :"), QPoint(21, 54), p->font(),
        FormControls::navy);

    auto *name = new DBEdit(p);
    name->setObjectName(QStringLiteral("DBEdit1"));
    name->setGeometry(72, 50, 441, 21);
    name->setDataField(QStringLiteral("FAMILLE"));
    name->setDataSource(&m_dm.DSFAMILLE);

    // The card never changes size, so its buttons, anchored right and bottom, stay where they are.
    FormControls::button<TMyButton>(p, QStringLiteral("BtnOk"), QStringLiteral("&Ok"), QString(),
        QRect(525, 33, 80, 24), this, &TFrmFicheFamille::BtnOkClick);
    FormControls::button<TMyButton>(p, QStringLiteral("BtnAnnuler"), QStringLiteral("&Annuler"), QString(),
        QRect(525, 65, 80, 24), this, &TFrmFicheFamille::BtnAnnulerClick);
}

TFrmFicheFamille::~TFrmFicheFamille()
{
    FormDestroy();
}

// The families are read again so that the name takes its alphabetical place; the key is the
// only way to find the row again after that.
void TFrmFicheFamille::BtnOkClick()
{
    QueryDataset &families = m_dm.IBFAMILLE;
    if (families.isEditing()) {
        families.post();
        const double key = families.fieldByName(QStringLiteral("IDFAMILLE")).asFloat();
        families.close();
        families.open();
        families.locate(QStringLiteral("IDFAMILLE"), key);
    }
    accept();
}

void TFrmFicheFamille::BtnAnnulerClick()
{
    reject();
}

// Annuler and the close box discard the change here: a new family leaves no row, a renamed
// one gets its name back. Going back to the family shown reads its recipes again; should that
// fail, the error is shown here, since nothing may leave a destructor.
void TFrmFicheFamille::FormDestroy()
{
    if (m_dm.IBFAMILLE.isEditing())
        ErrorGuard::run([this] { m_dm.IBFAMILLE.cancel(); });
}
