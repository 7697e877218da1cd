#include "DBEdit.h"

#include "Beep.h"
#include "dataset/Dataset.h"
#include "guard/ErrorGuard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>

#include <memory>

namespace {

// QLineEdit's own limit, for fields that have no size.
constexpr int kUnlimitedLength = 32767;

// The character keys QLineEdit inserts: printable text without Ctrl.
QString typedText(const QKeyEvent &event)
{
    if (event.modifiers() & Qt::ControlModifier)
        return {};
    const QString text = event.text();
    return !text.isEmpty() && text.front().isPrint() ? text : QString();
}

bool isPaste(const QKeyEvent &event)
{
    return event.matches(QKeySequence::Paste);
}

// Keys with which QLineEdit changes its text without inserting a character.
bool changesTextWithoutTyping(const QKeyEvent &event)
{
    static const QKeySequence::StandardKey editingKeys[] = {
        QKeySequence::Cut,
        QKeySequence::Undo,
        QKeySequence::Redo,
        QKeySequence::DeleteEndOfWord,
        QKeySequence::DeleteStartOfWord,
        QKeySequence::DeleteEndOfLine,
        QKeySequence::DeleteCompleteLine,
    };
    if (event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete)
        return true;
    for (const QKeySequence::StandardKey key : editingKeys) {
        if (event.matches(key))
            return true;
    }
    return false;
}

} // namespace

DBEdit::DBEdit(QWidget *parent)
    : QLineEdit(parent)
{
    // A drop would change the text without starting to edit the row.
    setAcceptDrops(false);
    m_link.onDataChange = [this] { showField(); };
    m_link.onEditingChange = [this] { updateReadOnly(); };
    m_link.onUpdateData = [this] {
        if (Field *field = m_link.field())
            field->setValue(text());
    };
    ErrorGuard::connect(this, &QLineEdit::textEdited, this, [this] { m_link.modified(); });
    updateReadOnly();
}

void DBEdit::setFieldReadOnly(bool readOnly)
{
    m_link.setReadOnly(readOnly);
    updateReadOnly();
}

void DBEdit::showField()
{
    // Starting to edit the row shows its values anew: the caret must stay where the user put it,
    // and QLineEdit puts it at the end whenever the text or its limit is set.
    const Field *field = m_link.field();
    const int limit = field && field->kind() == FieldKind::Text ? field->size() : kUnlimitedLength;
    if (limit != maxLength())
        setMaxLength(limit);
    const QString shown = field ? field->asString() : QString();
    if (shown != text())
        setText(shown);
    updateReadOnly();
}

void DBEdit::updateReadOnly()
{
    setReadOnly(!m_link.canModify());
}

// A character the field cannot hold; the length is QLineEdit's business, which cuts a paste
// to the field's size.
bool DBEdit::refuses(const QString &text) const
{
    const Field *field = m_link.field();
    if (!field)
        return false;
    for (const QChar character : text) {
        if (!field->rejectionOf(QString(character)).isEmpty())
            return true;
    }
    return false;
}

// Whether the text may change now, with what it is about to take in: the row goes into edit
// state first, so that the values shown anew are the ones being changed.
bool DBEdit::startEditing(const QString &insertedText)
{
    if (!m_link.canModify())
        return false;
    if (refuses(insertedText)) {
        Beep::beep();
        return false;
    }
    return m_link.edit();
}

void DBEdit::keyPressEvent(QKeyEvent *event)
{
    ErrorGuard::run([&] {
        if (event->key() == Qt::Key_Escape) {
            m_link.reset();
            selectAll();
            event->accept();
            return;
        }
        const QString typed = typedText(*event);
        if (!typed.isEmpty() || isPaste(*event) || changesTextWithoutTyping(*event)) {
            const QString inserted = isPaste(*event) ? QGuiApplication::clipboard()->text() : typed;
            if (!startEditing(inserted)) {
                event->accept();
                return;
            }
        }
        QLineEdit::keyPressEvent(event);
    });
}

void DBEdit::inputMethodEvent(QInputMethodEvent *event)
{
    ErrorGuard::run([&] {
        if (!event->commitString().isEmpty() && !startEditing(event->commitString())) {
            event->accept();
            return;
        }
        QLineEdit::inputMethodEvent(event);
    });
}

// The menu's commands would change the text without going through the row, so they are offered
// only while the row is being edited; the keys start editing by themselves.
void DBEdit::contextMenuEvent(QContextMenuEvent *event)
{
    const bool readOnly = isReadOnly();
    setReadOnly(readOnly || !m_link.isEditing());
    const std::unique_ptr<QMenu> menu(createStandardContextMenu());
    setReadOnly(readOnly);
    menu->exec(event->globalPos());
}

// A text the row refuses keeps the focus here. Losing the window's activation (to the very box
// that shows the error, for one) or opening a menu writes nothing.
void DBEdit::focusOutEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        ErrorGuard::runOnFocusOut(this, [this] { m_link.updateRecord(); });
    QLineEdit::focusOutEvent(event);
}
