#include "SuppRecette.h"

#include "controls/FormControls.h"
#include "controls/MyPanel.h"
#include "data/DataModule.h"

TFrmSuppRecette::TFrmSuppRecette(TDM &dm, QWidget *owner)
    : ModalForm(owner, QStringLiteral("Supprimer une Recette "), QSize(596, 128), Border::Dialog)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("FrmSuppRecette"));
    QWidget *p = panel();
    FormControls::label(p, QStringLiteral("MyLabel1"), QStringLiteral("Supression de la Recette :"),
        QPoint(16, 19), FormControls::titleFont(), FormControls::red);

    FormControls::greyedFieldBox(p, QStringLiteral("DBEdit1"), QRect(19, 48, 558, 21),
        &m_dm.DSRECETTES, QStringLiteral("DESCRIPTION"));

    FormControls::button<TMyButton>(p, QStringLiteral("MyButton1"), QStringLiteral("&Supprimer"), QString(),
        QRect(144, 80, 80, 24), this, &TFrmSuppRecette::MyButton1Click);
    FormControls::button<TMyButton>(p, QStringLiteral("MyButton2"), QStringLiteral("&Annuler"), QString(),
        QRect(275, 80, 80, 24), this, &TFrmSuppRecette::MyButton2Click);
}

void TFrmSuppRecette::MyButton1Click()
{
    m_dm.IBRECETTES.deleteRow();
    accept();
}

void TFrmSuppRecette::MyButton2Click()
{
    reject();
}
