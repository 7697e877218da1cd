#pragma once

#include "dataset/FieldLink.h"
#include "richedit/RichEdit.h"

/// A rich text editor bound to one field. A memo field holds the text as the RTF document the
/// editor writes; any other field is shown and stored as plain text.
///
/// The editor stays read-only until the row is being edited and the field's content is loaded;
/// the first key that changes the text puts the row into edit state. Escape brings the text
/// back to what the row holds. Leaving the editor, or posting the row, writes the text back
/// when it was changed.
class TMyRichEdit : public richedit::RichEdit
{
    Q_OBJECT

public:
    explicit TMyRichEdit(QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_link.dataSource(); }
    void setDataSource(DataSource *source) { m_link.setDataSource(source); }
    QString dataField() const { return m_link.fieldName(); }
    void setDataField(const QString &name) { m_link.setFieldName(name); }

    /// Whether the field may be changed through this editor. Distinct from the editor's own
    /// read-only state (QTextEdit::isReadOnly), which the binding manages.
    bool isFieldReadOnly() const { return m_link.isReadOnly(); }
    void setFieldReadOnly(bool readOnly) { m_link.setReadOnly(readOnly); }

    /// Load the field's content on every data change (the default). Without it a memo shows its
    /// name between parentheses until Enter or a double click loads it.
    bool autoDisplay() const { return m_autoDisplay; }
    void setAutoDisplay(bool autoDisplay);

    /// The text shown is the field's content, not a placeholder.
    bool isContentLoaded() const { return m_contentLoaded; }

    /// Reads the field's content into the editor, when it is a memo not loaded yet.
    virtual void LoadRichText();

    /// Put the row into edit state first, as the keys do.
    void cutToClipboard() override;
    void pasteFromClipboard() override;

    /// Tells of a change as a change of the text does: once the content is loaded, the field is
    /// marked to be written, and textChanged is emitted.
    void Change();

signals:
    /// The editor has just shown the field anew.
    void myDataChange(TMyRichEdit *sender);

protected:
    bool takesEdits() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void FieldDataChanged();
    void EditingStateChanged();
    void StoreRichText();
    void StartEditing();
    void SetHasFocus(bool value);
    void textWasChanged();
    bool acceptsCharacter(QChar character) const;

    FieldLink m_link;
    bool m_autoDisplay = true;
    bool m_hasFocus = false;
    bool m_contentLoaded = false;
    QByteArray m_savedFieldText;
};
