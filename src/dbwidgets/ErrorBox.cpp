#include "ErrorBox.h"

#include <QMessageBox>

void ErrorBox::show(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Cuisinotte"), message, QMessageBox::Ok, parent);
    box.exec();
}
