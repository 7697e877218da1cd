#pragma once

#include "guard/GuardedApplication.h"

#include <memory>

class QPrinter;

/// The application object. It owns the printer that the printer set-up chooses and the reports
/// print on, and gives every window the program's icon.
class Application : public GuardedApplication
{
    Q_OBJECT

public:
    Application(int &argc, char **argv);
    ~Application() override;

    /// The application's current printer. The running application object must be an Application.
    static QPrinter &printer();

private:
    std::unique_ptr<QPrinter> m_printer;
};
