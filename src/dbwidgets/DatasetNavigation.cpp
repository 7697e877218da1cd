#include "DatasetNavigation.h"

#include "Beep.h"

#include "dataset/Dataset.h"

namespace DatasetNavigation {

namespace {

bool refused(bool cannotRun)
{
    if (cannotRun)
        Beep::beep();
    return cannotRun;
}

} // namespace

bool first(Dataset &dataset)
{
    if (refused(dataset.isEmpty() || dataset.bof()))
        return false;
    dataset.first();
    return true;
}

bool prior(Dataset &dataset)
{
    if (refused(dataset.isEmpty() || dataset.bof()))
        return false;
    dataset.prior();
    return true;
}

bool next(Dataset &dataset)
{
    if (refused(dataset.isEmpty() || dataset.eof()))
        return false;
    dataset.next();
    return true;
}

bool last(Dataset &dataset)
{
    if (refused(dataset.isEmpty() || dataset.eof()))
        return false;
    dataset.last();
    return true;
}

} // namespace DatasetNavigation
