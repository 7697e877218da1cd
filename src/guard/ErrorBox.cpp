#include "ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

void ErrorBox::show(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Cuisinotte"), message, QMessageBox::Ok, parent);
    box.exec();
}

void ErrorBox::showOverActiveWindow(const QString &message)
{
    QWidget *modal = QApplication::activeModalWidget();
    show(modal ? modal : QApplication::activeWindow(), message);
}
