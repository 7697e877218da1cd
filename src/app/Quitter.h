#pragma once

#include "controls/ModalForm.h"

/// Asks whether to end the program: "&Ok" ends the showing with Accepted, "&Annuler" and the
/// close box with Rejected. Neither Enter nor Escape answers, so that a stray key never decides.
class TFrmQuitter : public ModalForm
{
    Q_OBJECT

public:
    explicit TFrmQuitter(QWidget *owner);

private:
    void BtnQuitterClick();
    void BtnAnnulerClick();
};
