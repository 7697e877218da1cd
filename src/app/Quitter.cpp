#include "Quitter.h"

#include "controls/FormControls.h"
#include "controls/MyPanel.h"
#include "controls/WindowsFonts.h"

TFrmQuitter::TFrmQuitter(QWidget *owner)
    : ModalForm(owner, QStringLiteral("Quitter l'application"), QSize(382, 127), Border::Dialog)
{
    setObjectName(QStringLiteral("FrmQuitter"));
    QWidget *p = panel();
    QFont font = WindowsFonts::font(QStringLiteral("MS Sans Serif"), 19);
    font.setBold(true);
    TMyLabel *question = FormControls::label(p, QStringLiteral("MyLabel1"),
        QStringLiteral("Voulez-vous quitter l'application ?"), QPoint(32, 33), font, FormControls::navy);
    question->setAutoSize(false);
    question->setAlignment(Qt::AlignHCenter);
    question->setGeometry(32, 33, 315, 24);

    FormControls::button<TMyButton>(p, QStringLiteral("BtnQuitter"), QStringLiteral("&Ok"), QString(),
        QRect(56, 81, 80, 24), this, &TFrmQuitter::BtnQuitterClick);
    FormControls::button<TMyButton>(p, QStringLiteral("BtnAnnuler"), QStringLiteral("&Annuler"), QString(),
        QRect(152, 81, 80, 24), this, &TFrmQuitter::BtnAnnulerClick);
}

void TFrmQuitter::BtnQuitterClick()
{
    accept();
}

void TFrmQuitter::BtnAnnulerClick()
{
    reject();
}
