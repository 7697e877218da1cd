#pragma once

#include "MyControl.h"

/// The ordinary push button of the windows: a rounded bar, 80 × 24.
class TMyButton : public TMyControl
{
    Q_OBJECT

public:
    explicit TMyButton(QWidget *parent = nullptr);
};

/// The small round navigation button on a dark surround, 20 × 24.
class TMyParcours : public TMyControl
{
    Q_OBJECT

public:
    explicit TMyParcours(QWidget *parent = nullptr);
};

/// The small round navigation button on a light surround, 20 × 24.
class TMyParcours1 : public TMyControl
{
    Q_OBJECT

public:
    explicit TMyParcours1(QWidget *parent = nullptr);
};
