#pragma once

#include "HelpFile.h"
#include "HelpHistory.h"

#include <QWidget>

#include <optional>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;
class QUrl;

namespace help {

/// The help window, "Aide de Cuisinotte": the topics of the help file listed on the left, the
/// help itself on the right, buttons to go back, forward and to the contents, and a find box.
/// The program has one, made on first use; it is not modal and stays open beside the program.
/// A file that cannot serve as help, or a topic the file lacks, is told in the window itself.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    /// Shows the topic of the help file in the program's help window, made if there is none,
    /// and brings the window to the front. The file is read again each time: it may have
    /// changed. The window deletes itself when it is closed, and at the latest when the
    /// application's event loop ends; its owner may also delete it.
    static HelpWindow *showTopic(const QString &helpFile, const QString &topic);

private:
    HelpWindow();

    QHBoxLayout *createCommandRow();
    void showFile(HelpFile file, const QString &topic);
    void fillContents();
    void enableCommands(bool enabled);

    void goTo(const QString &topic);
    void display(const QString &topic);
    void goBack();
    void goForward();
    void goToContents();
    void followLink(const QUrl &link);
    void findNext();

    void showMessage(const QString &message);
    void updateHistoryButtons();

    std::optional<HelpFile> m_file;
    HelpHistory m_history;
    QPushButton *m_back = nullptr;
    QPushButton *m_forward = nullptr;
    QPushButton *m_contentsButton = nullptr;
    QLineEdit *m_find = nullptr;
    QLabel *m_findResult = nullptr;
    QLabel *m_message = nullptr;
    QListWidget *m_contents = nullptr;
    QTextBrowser *m_browser = nullptr;
};

} // namespace help
