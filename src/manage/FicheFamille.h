#pragma once

#include "controls/ModalForm.h"

class TDM;

/// The family card: names a new family or renames the current one, whichever the caller put
/// the family dataset in (Append or Edit) before showing it. OK posts the name and re-reads the
/// families in name order, standing on the family posted; Annuler and the close box leave the
/// change to be cancelled when the card is destroyed.
class TFrmFicheFamille : public ModalForm
{
    Q_OBJECT

public:
    TFrmFicheFamille(TDM &dm, QWidget *owner);
    ~TFrmFicheFamille() override;

private:
    void BtnOkClick();
    void BtnAnnulerClick();
    void FormDestroy();

    TDM &m_dm;
};
