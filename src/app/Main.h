#pragma once

#include <QCoreApplication>
#include <QMainWindow>

class QMenu;
class QUrl;
class TDM;

/// The main window: the hub whose menu and large buttons open every other window, and which
/// commits the database work when the recipe management window closes. Its creation opens
/// the database; when that fails it tells the user why and asks for the program to end
/// without ever being shown.
class TFrmMain : public QMainWindow
{
    Q_OBJECT

public:
    /// applicationFolder is where the database file and the help file are looked for.
    explicit TFrmMain(TDM &dm, const QString &applicationFolder = QCoreApplication::applicationDirPath(),
        QWidget *parent = nullptr);

    /// The database could not be opened: the program must end without running its event loop.
    bool terminationRequested() const { return m_terminationRequested; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    /// Every close request (the close box, Alt+F4, "&Quitter") asks for confirmation first.
    void closeEvent(QCloseEvent *event) override;

private:
    using Handler = void (TFrmMain::*)();

    void createMenu();
    void addCommand(QWidget *menu, const QString &name, const QString &caption, Handler handler);
    static void addSeparator(QMenu *menu, const QString &name);
    void createPanel();
    void addTitleLabel(const QString &name, const QString &text, const QRect &geometry, const QColor &colour);
    void addPictureButton(const QString &name, const QString &caption, const QString &hint,
        const QString &picture, const QRect &geometry, Handler handler);

    void FormCreate();
    bool FormClose();
    void requestTermination(const QString &message);
    void CommitAndReopen();
    QString applicationFile(const QString &fileName) const;
    static void openUrl(const QUrl &url);

    void Configurerlimpression1Click();
    void Quitter1Click();
    void GestiondesRecettes1Click();
    void Visualisation1Click();
    void Note1Click();
    void Info1Click();
    void Aide1Click();
    void SiteQuenelogClick();
    void AccesForumClick();
    void Apropos1Click();

    TDM &m_dm;
    QString m_applicationFolder;
    bool m_terminationRequested = false;
    QWidget *m_panel = nullptr;
    QWidget *m_shape = nullptr;
};
