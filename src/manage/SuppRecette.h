#pragma once

#include "controls/ModalForm.h"

class TDM;

/// Asks whether to delete the current recipe, and deletes it.
class TFrmSuppRecette : public ModalForm
{
    Q_OBJECT

public:
    TFrmSuppRecette(TDM &dm, QWidget *owner);

private:
    void MyButton1Click();
    void MyButton2Click();

    TDM &m_dm;
};
