#include "MyRichEdit.h"

#include "dataset/Dataset.h"
#include "dataset/Field.h"
#include "dbwidgets/Beep.h"
#include "guard/ErrorGuard.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QTextCursor>

namespace {

// The character a key types, if any: Ctrl, Alt and Meta chords type nothing.
QChar typedCharacter(const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return {};
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return {};
    return text.at(0);
}

bool isEnter(const QKeyEvent &event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

// The keys that change the text besides typed characters: they put the row into edit state
// before the editor acts on them.
bool changesText(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        return event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Cut);
    }
}

// Input methods of these languages compose characters outside the key presses.
bool usesInputMethodComposition()
{
    switch (QLocale::system().language()) {
    case QLocale::Chinese:
    case QLocale::Japanese:
    case QLocale::Korean:
        return true;
    default:
        return false;
    }
}

} // namespace

TMyRichEdit::TMyRichEdit(QWidget *parent)
    : richedit::RichEdit(parent)
{
    setReadOnly(true);
    m_link.onDataChange = [this] { FieldDataChanged(); };
    m_link.onEditingChange = [this] { EditingStateChanged(); };
    m_link.onUpdateData = [this] { StoreRichText(); };
    // Connected before anyone else can connect, so that the modified mark is set before the
    // window hears of the change.
    ErrorGuard::connect(this, &QTextEdit::textChanged, this, &TMyRichEdit::textWasChanged);
}

void TMyRichEdit::setAutoDisplay(bool autoDisplay)
{
    if (autoDisplay == m_autoDisplay)
        return;
    m_autoDisplay = autoDisplay;
    if (autoDisplay)
        LoadRichText();
}

// The text is set before the flag: setting it runs textWasChanged, which marks the content
// loaded.
void TMyRichEdit::FieldDataChanged()
{
    Field *field = m_link.field();
    if (!field) {
        setPlainText(QString());
        m_contentLoaded = false;
        update();
        return;
    }
    if (field->isBlob()) {
        if (m_autoDisplay || (m_link.isEditing() && m_contentLoaded)) {
            // StartEditing put the row into edit state: the editor already shows this content,
            // with the caret and selection the user left.
            if (!m_savedFieldText.isEmpty() && m_savedFieldText == field->asBytes())
                return;
            m_contentLoaded = false;
            // Another record's text starts in the editor's own font and colour, not in the
            // typing attributes the previous record's caret left: a new recipe's empty text, or
            // one kept as plain text, is typed as the editor shows it.
            QTextCharFormat typing;
            typing.setFont(font());
            typing.setForeground(palette().color(QPalette::Text));
            // Without a selection, so that only what comes next takes it, not the old text.
            QTextCursor caret = textCursor();
            caret.clearSelection();
            caret.setCharFormat(typing);
            setTextCursor(caret);
            LoadRichText();
        } else {
            setPlainText(u'(' + field->displayLabel() + u')');
            m_contentLoaded = false;
        }
    } else {
        setPlainText(field->asString());
        m_contentLoaded = true;
    }
    emit myDataChange(this);
    update();
}

// Whatever is not RTF is read as the plain text it most likely is; plain text always reads, so
// loading cannot fail.
void TMyRichEdit::LoadRichText()
{
    Field *field = m_link.field();
    if (m_contentLoaded || !field || !field->isBlob())
        return;
    const QByteArray content = field->asBytes();
    if (streamIn(content, richedit::StreamFormat::Rtf))
        streamIn(content, richedit::StreamFormat::PlainText);
    m_contentLoaded = true;
    EditingStateChanged();
}

void TMyRichEdit::EditingStateChanged()
{
    setReadOnly(!(m_link.isEditing() && m_contentLoaded));
}

void TMyRichEdit::StoreRichText()
{
    Field *field = m_link.field();
    if (!field)
        return;
    if (field->isBlob())
        field->setValue(streamOut());
    else
        field->setValue(toPlainText());
}

void TMyRichEdit::StartEditing()
{
    if (m_link.isEditing())
        return;
    Field *field = m_link.field();
    if (field && field->isBlob())
        m_savedFieldText = field->asBytes();
    const auto forget = qScopeGuard([this] { m_savedFieldText.clear(); });
    m_link.edit();
}

void TMyRichEdit::Change()
{
    emit textChanged();
}

void TMyRichEdit::textWasChanged()
{
    if (m_contentLoaded)
        m_link.modified();
    m_contentLoaded = true;
}

// A memo holds RTF, which can write any character; a text field holds only what the database's
// code page has.
bool TMyRichEdit::acceptsCharacter(QChar character) const
{
    const Field *field = m_link.field();
    return !field || field->isBlob() || field->rejectionOf(QString(character)).isEmpty();
}

void TMyRichEdit::keyPressEvent(QKeyEvent *event)
{
    ErrorGuard::run([&] {
        if (!m_contentLoaded) {
            // Nothing may be typed over a placeholder; Enter loads the content instead.
            if (isEnter(*event))
                LoadRichText();
            if (!typedCharacter(*event).isNull() || changesText(*event)) {
                event->accept();
                return;
            }
            richedit::RichEdit::keyPressEvent(event);
            return;
        }

        const QChar character = typedCharacter(*event);
        if (!character.isNull() && !acceptsCharacter(character)) {
            Beep::beep();
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Escape) {
            m_link.reset();
            event->accept();
            return;
        }
        if (!character.isNull() || changesText(*event))
            StartEditing();
        richedit::RichEdit::keyPressEvent(event);
    });
}

void TMyRichEdit::inputMethodEvent(QInputMethodEvent *event)
{
    ErrorGuard::run([&] {
        if (m_contentLoaded && !event->commitString().isEmpty())
            StartEditing();
        richedit::RichEdit::inputMethodEvent(event);
    });
}

// Cut and paste start editing the row, as the keys do, so they are offered while the row is
// still browsed; never over a placeholder.
bool TMyRichEdit::takesEdits() const
{
    return !isReadOnly() || (m_contentLoaded && m_link.canModify());
}

void TMyRichEdit::cutToClipboard()
{
    StartEditing();
    richedit::RichEdit::cutToClipboard();
}

void TMyRichEdit::pasteFromClipboard()
{
    StartEditing();
    richedit::RichEdit::pasteFromClipboard();
}

void TMyRichEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    ErrorGuard::run([&] {
        if (m_contentLoaded)
            richedit::RichEdit::mouseDoubleClickEvent(event);
        else if (event->button() == Qt::LeftButton)
            LoadRichText();
    });
}

void TMyRichEdit::focusInEvent(QFocusEvent *event)
{
    ErrorGuard::run([this] { SetHasFocus(true); }, ErrorGuard::Report::Later);
    richedit::RichEdit::focusInEvent(event);
    // Composed characters come through the input method, which a read-only editor refuses.
    if (usesInputMethodComposition() && m_link.canModify())
        setReadOnly(false);
}

// A text the row refuses keeps the focus here, and the editor its text. Only a move to another
// control of the window leaves the editor: its window losing the activation (to the very box
// that shows the error, for one) or a menu popping up keep the caret here and write nothing.
void TMyRichEdit::focusOutEvent(QFocusEvent *event)
{
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        ErrorGuard::runOnFocusOut(this, [this] {
            m_link.updateRecord();
            SetHasFocus(false);
        });
    }
    richedit::RichEdit::focusOutEvent(event);
}

void TMyRichEdit::SetHasFocus(bool value)
{
    if (value == m_hasFocus)
        return;
    m_hasFocus = value;
    // A plain field is shown afresh whenever the focus comes or goes.
    if (!m_link.field() || !m_link.field()->isBlob())
        m_link.reset();
}
