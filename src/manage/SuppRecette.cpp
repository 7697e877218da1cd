#include "SuppRecette.h"

#include "controls/FormControls.h"
#include "controls/MyPanel.h"
#include "data/DataModule.h"
#include "dbwidgets/DBEdit.h"

TFrmSuppRecette::TFrmSuppRecette(TDM &dm, QWidget *owner)
    : ModalForm(owner, QStringLiteral("Supprimer une Recette "), QSize(596, 128), Border::Dialog)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("FrmSuppRecette"));
    QWidget *p = panel();
    FormControls::label(p, QStringLiteral("MyLabel1"), QStringLiteral("Supression de la Recette :"),
        QPoint(16, 19), FormControls::titleFont(), FormControls::red);

    auto *description = new DBEdit(p);
    description->setObjectName(QStringLiteral("DBEdit1"));
    description->setGeometry(19, 48, 558, 21);
    description->setFieldReadOnly(true);
    description->setEnabled(false);
    description->setDataField(QStringLiteral("DESCRIPTION"));
    description->setDataSource(&m_dm.DSRECETTES);

    auto *remove = FormControls::button<TMyButton>(p, QStringLiteral("MyButton1"), QStringLiteral("&Supprimer"),
        QString(), QRect(144, 80, 80, 24));
    connect(remove, &TMyControl::clicked, this, &TFrmSuppRecette::MyButton1Click);
    auto *cancel = FormControls::button<TMyButton>(p, QStringLiteral("MyButton2"), QStringLiteral("&Annuler"),
        QString(), QRect(275, 80, 80, 24));
    connect(cancel, &TMyControl::clicked, this, &TFrmSuppRecette::MyButton2Click);
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
