#include "FieldLink.h"

#include "Dataset.h"

void FieldLink::setFieldName(const QString &name)
{
    if (name == m_fieldName)
        return;
    m_fieldName = name;
    updateField();
    updateEditing();
    raiseDataChange();
}

void FieldLink::setReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    m_readOnly = readOnly;
    updateEditing();
}

bool FieldLink::canModify() const
{
    return !m_readOnly && m_field && m_field->canModify();
}

bool FieldLink::edit()
{
    if (canModify() && dataSource())
        dataSource()->edit();
    return m_editing;
}

void FieldLink::reset()
{
    raiseDataChange();
}

void FieldLink::updateRecord()
{
    if (!m_modified)
        return;
    if (onUpdateData)
        onUpdateData();
    m_modified = false;
}

void FieldLink::dataEvent(DataEvent event, Field *field)
{
    switch (event) {
    case DataEvent::ActiveChanged:
        updateField();
        updateEditing();
        raiseDataChange();
        break;
    case DataEvent::DataSetChanged:
    case DataEvent::Scrolled:
        updateEditing();
        raiseDataChange();
        break;
    case DataEvent::RecordChanged:
        if (!field || field == m_field)
            raiseDataChange();
        break;
    case DataEvent::StateChanged:
        updateEditing();
        break;
    case DataEvent::UpdateRecord:
        updateRecord();
        break;
    case DataEvent::CheckBrowseMode:
        break;
    }
}

void FieldLink::dataSourceChanged()
{
    updateField();
    updateEditing();
    raiseDataChange();
}

void FieldLink::updateField()
{
    Dataset *set = dataset();
    m_field = (set && set->isActive() && !m_fieldName.isEmpty()) ? set->findField(m_fieldName) : nullptr;
}

void FieldLink::updateEditing()
{
    const Dataset *set = dataset();
    const bool editing = set && set->isEditing() && canModify();
    if (editing == m_editing)
        return;
    m_editing = editing;
    if (onEditingChange)
        onEditingChange();
}

// Whatever the control shows after a data change is the field's value, so nothing it holds is
// still to be written.
void FieldLink::raiseDataChange()
{
    if (onDataChange)
        onDataChange();
    m_modified = false;
}
