#include "HelpWindow.h"

#include "guard/ErrorGuard.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

// Why an HTML file in a QTextBrowser rather than Qt's help framework (qhelpgenerator, .qch): it
// needs no further package, the file stays one plain text a user can read and even correct,
// links and anchors give the contents, and this window's list and find box the index and the
// search. The help is small enough for that.

namespace help {

namespace {

const QColor messageBackground(0xff, 0xf4, 0xd6);
const QColor messageText(0x80, 0x00, 0x00);

} // namespace

HelpWindow *HelpWindow::showTopic(const QString &helpFile, const QString &topic)
{
    static QPointer<HelpWindow> window;
    if (!window) {
        window = new HelpWindow;
        // The application object does not delete a window without parent, it only takes it
        // off the screen: the window goes once the event loop is over.
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, window, &QObject::deleteLater);
    }
    window->showFile(HelpFile::read(helpFile), topic);
    window->show();
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
    return window;
}

HelpWindow::HelpWindow()
{
    setObjectName(u"HelpWindow"_s);
    setWindowTitle(u"Aide de Cuisinotte"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    // The program ends when its main window closes, whether the help is open or not.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(980, 700);

    m_message = new QLabel(this);
    m_message->setObjectName(u"Message"_s);
    // The message names a file, whatever characters its path holds: never read as markup.
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->setFrameShape(QFrame::StyledPanel);
    m_message->setMargin(6);
    QPalette palette = m_message->palette();
    palette.setColor(QPalette::Window, messageBackground);
    palette.setColor(QPalette::WindowText, messageText);
    m_message->setPalette(palette);
    m_message->setAutoFillBackground(true);
    m_message->hide();

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    m_contents = new QListWidget(splitter);
    m_contents->setObjectName(u"Contents"_s);
    m_contents->setMinimumWidth(180);
    m_contents->setWordWrap(true);
    m_contents->setSpacing(2);
    m_contents->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_browser = new QTextBrowser(splitter);
    m_browser->setObjectName(u"Browser"_s);
    // Links are followed here: topics in the window, web pages in the browser, nothing else.
    m_browser->setOpenLinks(false);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 680});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(createCommandRow());
    layout->addWidget(m_message);
    layout->addWidget(splitter, 1);

    // A topic is shown as soon as it is chosen, with the arrow keys as well, and shown again
    // when its row, already chosen, is clicked after the text was scrolled away from it.
    const auto showItem = [this](const QListWidgetItem *item) {
        if (item)
            goTo(item->data(Qt::UserRole).toString());
    };
    ErrorGuard::connect(m_contents, &QListWidget::currentItemChanged, this, showItem);
    ErrorGuard::connect(m_contents, &QListWidget::itemClicked, this, showItem);
    ErrorGuard::connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    const struct
    {
        QKeySequence key;
        void (HelpWindow::*command)();
    } keys[] = {
        {QKeySequence::Back, &HelpWindow::goBack},
        {QKeySequence::Forward, &HelpWindow::goForward},
        {QKeySequence(Qt::Key_F3), &HelpWindow::findNext},
    };
    for (const auto &key : keys)
        ErrorGuard::connect(new QShortcut(key.key, this), &QShortcut::activated, this, key.command);
    ErrorGuard::connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        m_find->setFocus();
        m_find->selectAll();
    });

    m_browser->setFocus();
}

QHBoxLayout *HelpWindow::createCommandRow()
{
    const auto button = [this](const QString &name, const QString &caption, QStyle::StandardPixmap icon,
                            void (HelpWindow::*command)()) {
        auto *made = new QPushButton(style()->standardIcon(icon), caption, this);
        made->setObjectName(name);
        ErrorGuard::connect(made, &QPushButton::clicked, this, command);
        return made;
    };
    m_back = button(u"Back"_s, u"&Précédent"_s, QStyle::SP_ArrowBack, &HelpWindow::goBack);
    m_forward = button(u"Forward"_s, u"S&uivant"_s, QStyle::SP_ArrowForward, &HelpWindow::goForward);
    m_contentsButton = button(u"ContentsButton"_s, u"&Sommaire"_s, QStyle::SP_DirHomeIcon,
        &HelpWindow::goToContents);

    m_find = new QLineEdit(this);
    m_find->setObjectName(u"Find"_s);
    m_find->setClearButtonEnabled(true);
    m_find->setMinimumWidth(220);
    m_find->setToolTip(u"Entrée ou F3 : occurrence suivante"_s);
    ErrorGuard::connect(m_find, &QLineEdit::returnPressed, this, &HelpWindow::findNext);
    auto *findLabel = new QLabel(u"&Rechercher :"_s, this);
    findLabel->setBuddy(m_find);
    m_findResult = new QLabel(this);
    m_findResult->setObjectName(u"FindResult"_s);
    m_findResult->setTextFormat(Qt::PlainText);

    auto *row = new QHBoxLayout;
    row->addWidget(m_back);
    row->addWidget(m_forward);
    row->addWidget(m_contentsButton);
    row->addStretch(1);
    row->addWidget(findLabel);
    row->addWidget(m_find);
    row->addWidget(m_findResult);
    return row;
}

void HelpWindow::showFile(HelpFile file, const QString &topic)
{
    m_file = std::move(file);
    m_history.clear();
    m_findResult->clear();
    fillContents();
    if (!m_file->isValid()) {
        m_browser->clear();
        enableCommands(false);
        showMessage(m_file->error());
        return;
    }
    m_browser->setHtml(m_file->html());
    enableCommands(true);
    const bool found = m_file->hasTopic(topic);
    goTo(found ? topic : HelpFile::contentsTopic());
    if (!found)
        showMessage(m_file->missingTopicMessage(topic));
}

void HelpWindow::fillContents()
{
    const QSignalBlocker blocker(m_contents);
    m_contents->clear();
    for (const HelpTopic &topic : m_file->topics()) {
        auto *item = new QListWidgetItem(topic.title, m_contents);
        item->setData(Qt::UserRole, topic.name);
    }
}

void HelpWindow::enableCommands(bool enabled)
{
    m_contentsButton->setEnabled(enabled);
    m_find->setEnabled(enabled);
    m_contents->setEnabled(enabled);
    updateHistoryButtons();
}

void HelpWindow::goTo(const QString &topic)
{
    if (!m_file->hasTopic(topic)) {
        showMessage(m_file->missingTopicMessage(topic));
        return;
    }
    m_history.visit(topic);
    display(topic);
}

void HelpWindow::display(const QString &topic)
{
    m_message->hide();
    m_browser->scrollToAnchor(topic);
    const QSignalBlocker blocker(m_contents);
    for (int row = 0; row < m_contents->count(); ++row) {
        if (m_contents->item(row)->data(Qt::UserRole).toString() == topic)
            m_contents->setCurrentRow(row);
    }
    updateHistoryButtons();
}

void HelpWindow::goBack()
{
    if (m_history.canGoBack())
        display(m_history.back());
}

void HelpWindow::goForward()
{
    if (m_history.canGoForward())
        display(m_history.forward());
}

void HelpWindow::goToContents()
{
    goTo(HelpFile::contentsTopic());
}

void HelpWindow::followLink(const QUrl &link)
{
    if (link.isRelative() && link.path().isEmpty() && link.hasFragment()) {
        goTo(link.fragment(QUrl::FullyDecoded));
        return;
    }
    // Only a web page or a mail leaves the help: a link to a file of this computer could
    // start any program.
    const QString scheme = link.scheme().toLower();
    if (scheme != u"http"_s && scheme != u"https"_s && scheme != u"mailto"_s) {
        throw std::runtime_error(
            u"Le lien « %1 » ne mène à aucune rubrique de l'aide."_s.arg(link.toDisplayString()).toStdString());
    }
    if (!QDesktopServices::openUrl(link))
        throw std::runtime_error(u"Impossible d'ouvrir : %1."_s.arg(link.toDisplayString()).toStdString());
}

// Forwards from the caret, starting again from the top once the end is reached.
void HelpWindow::findNext()
{
    const QString text = m_find->text();
    if (text.isEmpty() || !m_find->isEnabled())
        return;
    m_findResult->clear();
    if (m_browser->find(text))
        return;
    const QTextCursor before = m_browser->textCursor();
    m_browser->moveCursor(QTextCursor::Start);
    if (m_browser->find(text)) {
        m_findResult->setText(u"Reprise au début"_s);
        return;
    }
    m_browser->setTextCursor(before);
    m_findResult->setText(u"Introuvable"_s);
}

void HelpWindow::showMessage(const QString &message)
{
    m_message->setText(message);
    m_message->show();
}

void HelpWindow::updateHistoryButtons()
{
    m_back->setEnabled(m_history.canGoBack());
    m_forward->setEnabled(m_history.canGoForward());
}

} // namespace help
