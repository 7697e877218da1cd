#pragma once

#include "controls/ModalForm.h"

class TDM;

/// Asks whether to delete the current family, whose recipes go with it, and deletes it.
class TFrmSuppFamille : public ModalForm
{
    Q_OBJECT

public:
    TFrmSuppFamille(TDM &dm, QWidget *owner);

private:
    void MyButton1Click();
    void MyButton2Click();

    TDM &m_dm;
};
