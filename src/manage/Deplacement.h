#pragma once

#include "controls/ModalForm.h"
#include "dataset/DataSource.h"
#include "dataset/QueryDataset.h"

class TDM;

/// Moves the current recipe to another family. The target is chosen in a list of the families
/// of the dialog's own, so that choosing moves neither the current family nor the recipe list;
/// it is kept in the selection record's IDModifFamille. Déplacer always ends the dialog with OK,
/// also when the post was refused: the caller's re-read of the recipes then drops the change.
class TFrmDepacer : public ModalForm
{
    Q_OBJECT

public:
    TFrmDepacer(TDM &dm, QWidget *owner);
    ~TFrmDepacer() override;

private:
    void setUpFamilyList();
    void FormCreate();
    void BtnDeplacerClick();
    void MyButton2Click();

    TDM &m_dm;
    QueryDataset IBFAMILLELOCAL;
    DataSource DSFAMILLELOCAL;
};
