#include "Dataset.h"

#include "DatasetError.h"

namespace {

// Rows are kept in buffers that grow by this many rows at a time.
constexpr std::size_t kRowBufferGrowth = 1000;

quint64 bitOf(int fieldIndex)
{
    return quint64(1) << fieldIndex;
}

} // namespace

Dataset::Dataset(QObject *parent)
    : QObject(parent)
{
}

Dataset::~Dataset()
{
    const QList<DataSource *> sources = m_sources;
    for (DataSource *source : sources)
        source->datasetDestroyed();
}

Field &Dataset::addField(const QString &name, FieldKind kind, int size)
{
    if (m_fields.size() >= 64)
        throw DatasetError(QStringLiteral("Too many fields"));
    m_fields.push_back(std::make_unique<Field>(*this, fieldCount(), name, kind, size));
    return *m_fields.back();
}

Field *Dataset::findField(const QString &name) const
{
    for (const auto &field : m_fields) {
        if (field->name().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    }
    return nullptr;
}

Field &Dataset::fieldByName(const QString &name) const
{
    if (Field *field = findField(name))
        return *field;
    throw DatasetError(QStringLiteral("%1: Field '%2' not found").arg(objectName(), name));
}

bool Dataset::isEmpty() const
{
    return m_rows.empty() && m_state != DatasetState::Insert;
}

Dataset::Row Dataset::emptyRow() const
{
    Row row;
    row.values.resize(fieldCount());
    return row;
}

Dataset::Row *Dataset::currentRow()
{
    if (isEditing())
        return &m_editRow;
    if (m_current >= 0 && std::size_t(m_current) < m_rows.size())
        return &m_rows[std::size_t(m_current)];
    return nullptr;
}

void Dataset::enableControls()
{
    if (m_controlsDisabled == 0 || --m_controlsDisabled > 0 || !m_changedWhileDisabled)
        return;
    m_changedWhileDisabled = false;
    notify(DataEvent::DataSetChanged);
}

void Dataset::notify(DataEvent event, Field *field)
{
    if (m_controlsDisabled > 0 && event != DataEvent::CheckBrowseMode) {
        m_changedWhileDisabled = true;
        return;
    }
    const QList<DataSource *> sources = m_sources;
    for (DataSource *source : sources) {
        if (m_sources.contains(source))
            source->notify(event, field);
    }
}

void Dataset::requireActive() const
{
    if (!isActive())
        throw DatasetError(QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(objectName()));
}

void Dataset::requireModifiable() const
{
    if (!canModify())
        throw DatasetError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(objectName()));
}

bool Dataset::fetchNext()
{
    if (m_allFetched)
        return false;
    Row row = emptyRow();
    if (!fetchRow(row)) {
        m_allFetched = true;
        return false;
    }
    if (m_rows.size() == m_rows.capacity())
        m_rows.reserve(m_rows.capacity() + kRowBufferGrowth);
    m_rows.push_back(std::move(row));
    return true;
}

bool Dataset::ensureLoaded(int index)
{
    while (std::size_t(index) >= m_rows.size()) {
        if (!fetchNext())
            return false;
    }
    return true;
}

void Dataset::fetchAll()
{
    while (fetchNext()) {
    }
}

void Dataset::open()
{
    if (isActive())
        return;
    openStorage();
    m_allFetched = false;
    m_state = DatasetState::Browse;
    try {
        fetchNext();
    } catch (...) {
        m_state = DatasetState::Inactive;
        m_rows.clear();
        closeStorage();
        throw;
    }
    m_current = m_rows.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_rows.empty();
    notify(DataEvent::ActiveChanged);
}

void Dataset::close()
{
    if (!isActive())
        return;
    m_state = DatasetState::Inactive;
    m_editRow = Row();
    m_oldRow = Row();
    m_modified = false;
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_current = -1;
    m_bof = m_eof = true;
    closeStorage();
    notify(DataEvent::ActiveChanged);
}

void Dataset::checkBrowseMode()
{
    requireActive();
    if (!isEditing())
        return;
    notify(DataEvent::UpdateRecord);
    if (m_modified)
        post();
    else
        cancel();
}

void Dataset::prepareToMove()
{
    checkBrowseMode();
    notify(DataEvent::CheckBrowseMode);
}

void Dataset::moveTo(int index)
{
    if (index == m_current)
        return;
    m_current = index;
    notify(DataEvent::Scrolled);
}

// The four moves tell the controls and the details every time they run, also when they stay
// on their row: a Prior from the first family finds no earlier one, yet its recipes are read
// again, as after any move of the families.
void Dataset::scrollTo(int index)
{
    m_current = index;
    notify(DataEvent::Scrolled);
}

void Dataset::first()
{
    prepareToMove();
    m_bof = true;
    m_eof = m_rows.empty();
    scrollTo(m_rows.empty() ? -1 : 0);
}

void Dataset::prior()
{
    prepareToMove();
    if (m_bof)
        return;
    m_eof = false;
    if (m_current <= 0) {
        m_bof = true;
        scrollTo(m_current);
        return;
    }
    scrollTo(m_current - 1);
}

void Dataset::next()
{
    prepareToMove();
    if (m_eof)
        return;
    m_bof = false;
    if (!ensureLoaded(m_current + 1)) {
        m_eof = true;
        scrollTo(m_current);
        return;
    }
    scrollTo(m_current + 1);
}

void Dataset::last()
{
    prepareToMove();
    fetchAll();
    m_bof = m_rows.empty();
    m_eof = true;
    scrollTo(int(m_rows.size()) - 1);
}

QVariant Dataset::loadedValue(int rowIndex, int fieldIndex)
{
    Row &row = m_rows[std::size_t(rowIndex)];
    if (row.deferred & bitOf(fieldIndex)) {
        readDeferred(row, fieldIndex);
        row.deferred &= ~bitOf(fieldIndex);
    }
    return row.values[fieldIndex];
}

bool Dataset::matches(int rowIndex, const Field &field, const QVariant &value, LocateOptions options)
{
    const QVariant stored = loadedValue(rowIndex, field.index());
    if (!value.isValid() || value.isNull())
        return !stored.isValid();
    if (!stored.isValid())
        return false;
    if (field.isNumeric())
        return stored.toDouble() == value.toDouble();
    if (field.kind() == FieldKind::Text) {
        const auto sensitivity = options.testFlag(LocateOption::CaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
        return stored.toString().compare(value.toString(), sensitivity) == 0;
    }
    return stored == field.normalized(value);
}

bool Dataset::locate(const QString &fieldName, const QVariant &value, LocateOptions options)
{
    prepareToMove();
    const Field &field = fieldByName(fieldName);
    // The search runs over the rows without moving; controls and details hear of the result once.
    for (int index = 0; ensureLoaded(index); ++index) {
        if (matches(index, field, value, options)) {
            // The search starts from the first row, which sets the beginning flag; finding a
            // later row is a move away from it.
            m_bof = index == 0;
            m_eof = false;
            moveTo(index);
            return true;
        }
    }
    return false;
}

bool Dataset::fetchUpTo(int index)
{
    return isActive() && index >= 0 && ensureLoaded(index);
}

QVariant Dataset::valueAt(int rowIndex, int fieldIndex)
{
    if (isEditing() && rowIndex == m_current)
        return currentValue(fieldIndex);
    if (rowIndex < 0 || std::size_t(rowIndex) >= m_rows.size())
        return {};
    return loadedValue(rowIndex, fieldIndex);
}

void Dataset::moveToRecord(int index)
{
    requireActive();
    prepareToMove();
    if (index == m_current || !fetchUpTo(index))
        return;
    m_bof = m_eof = false;
    moveTo(index);
}

void Dataset::edit()
{
    requireActive();
    if (isEditing())
        return;
    requireModifiable();
    if (isEmpty()) {
        append();
        return;
    }
    m_editRow = m_rows[std::size_t(m_current)];
    m_oldRow = m_editRow;
    m_modified = false;
    m_changedFields = 0;
    m_state = DatasetState::Edit;
    notify(DataEvent::StateChanged);
    notify(DataEvent::RecordChanged);
}

void Dataset::append()
{
    requireActive();
    requireModifiable();
    prepareToMove();
    fetchAll();
    Row row = emptyRow();
    startNewRow(row);
    m_rowBeforeInsert = m_current;
    m_bofBeforeInsert = m_bof;
    m_eofBeforeInsert = m_eof;
    m_editRow = std::move(row);
    m_oldRow = emptyRow();
    m_modified = false;
    m_changedFields = 0;
    m_current = int(m_rows.size());
    m_bof = m_eof = false;
    m_state = DatasetState::Insert;
    notify(DataEvent::StateChanged);
    notify(DataEvent::DataSetChanged);
}

void Dataset::backToBrowse()
{
    m_state = DatasetState::Browse;
    m_editRow = Row();
    m_oldRow = Row();
    m_modified = false;
    m_changedFields = 0;
    notify(DataEvent::StateChanged);
    notify(DataEvent::DataSetChanged);
}

void Dataset::post()
{
    requireActive();
    if (!isEditing())
        return;
    notify(DataEvent::UpdateRecord);
    for (const auto &field : m_fields) {
        if (field->isRequired() && !m_editRow.values[field->index()].isValid() && !(m_editRow.deferred & bitOf(field->index())))
            throw DatasetError(QStringLiteral("Field '%1' must have a value").arg(field->displayLabel()));
    }
    // A failure below leaves the row in edit or insert state with the user's values.
    Row written = m_editRow;
    if (m_state == DatasetState::Insert) {
        insertRow(written, m_changedFields);
        if (m_rows.size() == m_rows.capacity())
            m_rows.reserve(m_rows.capacity() + kRowBufferGrowth);
        m_rows.push_back(std::move(written));
        m_current = int(m_rows.size()) - 1;
        m_bof = m_eof = false;
    } else {
        modifyRow(written, m_oldRow, m_changedFields);
        m_rows[std::size_t(m_current)] = std::move(written);
    }
    backToBrowse();
}

void Dataset::cancel()
{
    if (!isEditing())
        return;
    if (m_state == DatasetState::Insert) {
        m_current = m_rowBeforeInsert;
        m_bof = m_bofBeforeInsert;
        m_eof = m_eofBeforeInsert;
    }
    backToBrowse();
}

void Dataset::deleteRow()
{
    requireActive();
    if (m_state == DatasetState::Insert) {
        cancel();
        return;
    }
    if (m_state == DatasetState::Edit)
        cancel();
    if (isEmpty())
        throw DatasetError(QStringLiteral("%1: Cannot perform this operation on an empty dataset").arg(objectName()));
    if (!canDelete())
        throw DatasetError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(objectName()));
    notify(DataEvent::CheckBrowseMode);
    deleteStoredRow(m_rows[std::size_t(m_current)]);
    m_rows.erase(m_rows.begin() + m_current);
    // Stand on the next row; on the previous one when the last row went.
    if (!ensureLoaded(m_current))
        m_current = int(m_rows.size()) - 1;
    m_bof = m_eof = m_rows.empty();
    notify(DataEvent::DataSetChanged);
}

void Dataset::refresh()
{
    prepareToMove();
    if (isEmpty())
        return;
    refreshRow(m_rows[std::size_t(m_current)]);
    notify(DataEvent::RecordChanged);
}

QVariant Dataset::currentValue(int fieldIndex)
{
    Row *row = currentRow();
    if (!row)
        return {};
    if (!(row->deferred & bitOf(fieldIndex)))
        return row->values[fieldIndex];
    // A blob of the row being edited is read once, into the stored row it came from.
    const QVariant value = loadedValue(m_current, fieldIndex);
    if (isEditing()) {
        const Row &stored = m_rows[std::size_t(m_current)];
        for (Row *copy : {&m_editRow, &m_oldRow}) {
            if (copy->deferred & bitOf(fieldIndex)) {
                copy->values[fieldIndex] = value;
                copy->deferred &= ~bitOf(fieldIndex);
                copy->blobIds = stored.blobIds;
            }
        }
    }
    return value;
}

QVariant Dataset::oldValue(int fieldIndex) const
{
    if (isEditing())
        return m_oldRow.values.value(fieldIndex);
    if (m_current >= 0 && std::size_t(m_current) < m_rows.size())
        return m_rows[std::size_t(m_current)].values[fieldIndex];
    return {};
}

void Dataset::assignValue(int fieldIndex, const QVariant &value)
{
    Field &target = field(fieldIndex);
    if (!isEditing())
        throw DatasetError(QStringLiteral("%1: Dataset not in edit or insert mode").arg(objectName()));
    if (target.isReadOnly())
        throw DatasetError(QStringLiteral("Field '%1' cannot be modified").arg(target.displayLabel()));
    m_editRow.values[fieldIndex] = value;
    m_editRow.deferred &= ~bitOf(fieldIndex);
    m_changedFields |= bitOf(fieldIndex);
    m_modified = true;
    notify(DataEvent::RecordChanged, &target);
}
