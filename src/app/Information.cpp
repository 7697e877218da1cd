#include "Information.h"

#include "controls/FormControls.h"
#include "controls/MyPanel.h"
#include "richedit/RichEdit.h"

namespace {

const QStringList acknowledgement{
    QStringLiteral("Remerciements"),
    QString(),
    QStringLiteral("Je remercie très chaleureusement un site français de recettes"),
    QStringLiteral("de cuisine, qui m'a permis de reprendre toutes les recettes"),
    QStringLiteral("qu'il publie, à une seule condition : ne pas importer les"),
    QStringLiteral("illustrations des recettes qui proviennent de ce site."),
    QString(),
    QStringLiteral("Cette condition est respectée à la lettre."),
    QString(),
    QStringLiteral("Si l'une de ces recettes vous gêne, ou si des sociétés s'en"),
    QStringLiteral("servent à des fins commerciales, il suffit de me le demander"),
    QStringLiteral("par courrier électronique : je la retirerai de la base."),
    QString(),
    QStringLiteral("L'auteur de Cuisinotte"),
};

} // namespace

TFrmInformation::TFrmInformation(QWidget *owner)
    : ModalForm(owner, QStringLiteral("Informations"), QSize(688, 446), Border::Dialog)
{
    setObjectName(QStringLiteral("FrmInformation"));
    QWidget *p = panel();

    auto *text = new richedit::RichEdit(p);
    text->setObjectName(QStringLiteral("RichEdit1"));
    text->setGeometry(32, 32, 617, 313);
    FormControls::setBoldNavyText(text, QStringLiteral("MS Sans Serif"), 16);
    text->setPlainText(acknowledgement.join(u'\n'));
    text->setReadOnly(true);
    text->setFocus();

    FormControls::button<TMyButton>(p, QStringLiteral("MyButton1"), QStringLiteral("&Fermer"), QString(),
        QRect(280, 392, 80, 24), this, &TFrmInformation::MyButton1Click);
}

void TFrmInformation::MyButton1Click()
{
    close();
}
