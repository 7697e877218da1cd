#include "SuppFamille.h"

#include "controls/FormControls.h"
#include "controls/MyPanel.h"
#include "controls/WindowsFonts.h"
#include "data/DataModule.h"

#include <QLabel>

TFrmSuppFamille::TFrmSuppFamille(TDM &dm, QWidget *owner)
    : ModalForm(owner, QStringLiteral("Supprimer une famille"), QSize(390, 167), Border::Dialog)
    , m_dm(dm)
{
    setObjectName(QStringLiteral("FrmSuppFamille"));
    QWidget *p = panel();
    FormControls::label(p, QStringLiteral("MyLabel1"), QStringLiteral("La supression de la famille :"),
        QPoint(15, 11), FormControls::titleFont(), FormControls::red);

    FormControls::greyedFieldBox(p, QStringLiteral("DBEdit1"), QRect(16, 40, 353, 21),
        &m_dm.DSFAMILLE, QStringLiteral("FAMILLE"));

    // The database deletes a family's recipes with it; the warning says so.
    auto *warning = new QLabel(QStringLiteral("détruira tous les recettes référencées par cette famille."), p);
    warning->setObjectName(QStringLiteral("Label1"));
    warning->setGeometry(16, 72, 353, 41);
    warning->setWordWrap(true);
    warning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont font = WindowsFonts::font(QStringLiteral("MS Sans Serif"), 13);
    font.setBold(true);
    warning->setFont(font);
    QPalette colours = warning->palette();
    colours.setColor(QPalette::Window, FormControls::panelColour);
    colours.setColor(QPalette::WindowText, FormControls::red);
    warning->setPalette(colours);
    warning->setAutoFillBackground(true);

    FormControls::button<TMyButton>(p, QStringLiteral("MyButton1"), QStringLiteral("&Supprimer"), QString(),
        QRect(64, 120, 80, 24), this, &TFrmSuppFamille::MyButton1Click);
    FormControls::button<TMyButton>(p, QStringLiteral("MyButton2"), QStringLiteral("&Annuler"), QString(),
        QRect(160, 120, 80, 24), this, &TFrmSuppFamille::MyButton2Click);
}

void TFrmSuppFamille::MyButton1Click()
{
    m_dm.IBFAMILLE.deleteRow();
    accept();
}

void TFrmSuppFamille::MyButton2Click()
{
    reject();
}
