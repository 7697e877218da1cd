#pragma once

#include "dataset/FieldLink.h"

#include <QLineEdit>

/// An edit box bound to one field. It shows the field's text, holds at most as many characters
/// as the field (a text field's size), and puts the row into edit state through the field link
/// when the user starts typing. A character the database cannot hold is refused with a beep;
/// Escape brings back what the row holds. What was typed is handed to the field when the box
/// loses the focus or the row is written.
class DBEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit DBEdit(QWidget *parent = nullptr);

    DataSource *dataSource() const { return m_link.dataSource(); }
    void setDataSource(DataSource *source) { m_link.setDataSource(source); }
    QString dataField() const { return m_link.fieldName(); }
    void setDataField(const QString &name) { m_link.setFieldName(name); }

    /// Whether the field may be changed through this box; the box is read-only whenever the
    /// field cannot be changed. Distinct from QLineEdit::isReadOnly, which the binding manages.
    bool isFieldReadOnly() const { return m_link.isReadOnly(); }
    void setFieldReadOnly(bool readOnly);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void showField();
    void updateReadOnly();
    bool refuses(const QString &text) const;
    bool startEditing(const QString &insertedText);

    FieldLink m_link;
};
