#include "MyButtons.h"

TMyButton::TMyButton(QWidget *parent)
    : TMyControl(QStringLiteral("BMP_BUTTONS"), parent)
{
}

TMyParcours::TMyParcours(QWidget *parent)
    : TMyControl(QStringLiteral("BMP_PARCOURS"), parent)
{
}

TMyParcours1::TMyParcours1(QWidget *parent)
    : TMyControl(QStringLiteral("BMP_PARCOURS1"), parent)
{
}
