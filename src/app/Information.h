#pragma once

#include "controls/ModalForm.h"

/// Thanks the recipe site the book's recipes come from, and says on what terms they are used.
/// The text can be read, selected and copied, not changed.
class TFrmInformation : public ModalForm
{
    Q_OBJECT

public:
    explicit TFrmInformation(QWidget *owner);

private:
    void MyButton1Click();
};
