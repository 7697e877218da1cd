#pragma once

#include <QString>

class QWidget;

/// The application's one error box: the message of an error that stopped a command, with a
/// single OK button. Returns when the user has closed it.
class ErrorBox
{
public:
    static void show(QWidget *parent, const QString &message);
    /// Over the window the user is working in: the active modal window, or else the active one.
    static void showOverActiveWindow(const QString &message);
};
