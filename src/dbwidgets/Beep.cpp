#include "Beep.h"

#include <QApplication>

namespace {

int beepCount = 0;

} // namespace

void Beep::beep()
{
    ++beepCount;
    QApplication::beep();
}

int Beep::count()
{
    return beepCount;
}
