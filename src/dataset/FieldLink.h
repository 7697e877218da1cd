#pragma once

#include "DataSource.h"

#include <QString>

#include <functional>

/// Binds one data-bound control to one field of a data source. The control hears of data
/// changes (open, close, move, edit state, the row or the field changed, Reset), of its own
/// editing state changing, and is asked to hand over its value (update data) when the row is
/// written while the control has marked it modified.
class FieldLink : public DataLink
{
public:
    FieldLink() = default;

    QString fieldName() const { return m_fieldName; }
    void setFieldName(const QString &name);
    /// The bound field while the dataset is open, else none.
    Field *field() const { return m_field; }

    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    bool isEditing() const { return m_editing; }
    /// Not read-only, a field is bound, and the field itself can be changed.
    bool canModify() const;
    bool isModified() const { return m_modified; }

    /// Asks for edit state when the link can modify; returns whether it is now editing.
    bool edit();
    void modified() { m_modified = true; }
    void reset();
    void updateRecord();

    std::function<void()> onDataChange;
    std::function<void()> onEditingChange;
    std::function<void()> onUpdateData;

protected:
    void dataEvent(DataEvent event, Field *field) override;
    void dataSourceChanged() override;

private:
    void updateField();
    void updateEditing();
    void raiseDataChange();

    QString m_fieldName;
    Field *m_field = nullptr;
    bool m_readOnly = false;
    bool m_editing = false;
    bool m_modified = false;
};
