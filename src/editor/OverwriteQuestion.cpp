#include "OverwriteQuestion.h"

#include <QDir>
#include <QMessageBox>
#include <QPushButton>

bool confirmOverwrite(QWidget *parent, const QString &fileName)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"),
        QStringLiteral("OK pour écraser %1").arg(QDir::toNativeSeparators(fileName)), QMessageBox::NoButton, parent);
    QPushButton *yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == yes;
}
