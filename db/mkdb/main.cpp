#include "DemoDatabaseCommand.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    return DemoDatabaseCommand::run(QCoreApplication::arguments().mid(1), QCoreApplication::applicationDirPath());
}
