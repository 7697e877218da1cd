#pragma once

#include <QApplication>

#include <memory>

class QPrinter;

/// The application object. An exception that leaves an event handler stops only the command
/// that raised it: its message is shown in the error box and the event loop goes on.
/// It also owns the printer that the printer set-up chooses and the reports print on.
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);
    ~Application() override;

    bool notify(QObject *receiver, QEvent *event) override;

    /// The application's current printer. The running application object must be an Application.
    static QPrinter &printer();

private:
    std::unique_ptr<QPrinter> m_printer;
};
