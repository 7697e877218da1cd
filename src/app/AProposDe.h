#pragma once

#include "controls/ModalForm.h"

/// The about box: the program's icon, name, version and date on a rounded card, and the terms
/// it is given under.
class TfrmAProposDe : public ModalForm
{
    Q_OBJECT

public:
    explicit TfrmAProposDe(QWidget *owner);

private:
    void MyButton1Click();
};
