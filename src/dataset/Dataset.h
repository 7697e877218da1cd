#pragma once

#include "DataSource.h"
#include "Field.h"

#include <QFlags>
#include <QList>
#include <QObject>
#include <QVariant>

#include <memory>
#include <vector>

enum class DatasetState { Inactive, Browse, Edit, Insert };

enum class LocateOption { CaseInsensitive = 0x1 };
Q_DECLARE_FLAGS(LocateOptions, LocateOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(LocateOptions)

/// Rows with a current position, a state (inactive, browse, edit, insert) and named fields.
/// Rows are read from the storage only as far as they are needed and kept in memory. Every
/// change is passed on to the attached data sources.
///
/// Moves (First, Prior, Next, Last, Locate), Append and Refresh first settle a pending row:
/// posted if one of its fields was assigned since Edit or Append, cancelled otherwise.
/// Close discards a pending row without writing it.
class Dataset : public QObject
{
    Q_OBJECT

public:
    explicit Dataset(QObject *parent = nullptr);
    ~Dataset() override;

    Field &addField(const QString &name, FieldKind kind, int size = 0);
    int fieldCount() const { return int(m_fields.size()); }
    Field &field(int index) const { return *m_fields[std::size_t(index)]; }
    Field *findField(const QString &name) const;
    /// Case-insensitive; throws DatasetError when there is no such field.
    Field &fieldByName(const QString &name) const;

    DatasetState state() const { return m_state; }
    bool isActive() const { return m_state != DatasetState::Inactive; }
    bool isEditing() const { return m_state == DatasetState::Edit || m_state == DatasetState::Insert; }
    bool isEmpty() const;
    bool bof() const { return m_bof; }
    bool eof() const { return m_eof; }
    /// A field was assigned since Edit or Append (a key drawn by Append does not count).
    bool isModified() const { return m_modified; }
    /// Rows read so far.
    int loadedRowCount() const { return int(m_rows.size()); }
    virtual bool canModify() const { return true; }

    void open();
    void close();
    void first();
    void prior();
    void next();
    void last();
    bool locate(const QString &fieldName, const QVariant &value, LocateOptions options = {});
    void edit();
    void append();
    void post();
    void cancel();
    void deleteRow();
    void refresh();
    /// Posts the pending row if it was changed, cancels it otherwise.
    void checkBrowseMode();

    /// While controls are disabled the attached controls and detail datasets hear of no change
    /// but the warning to settle their pending rows, so that a run over every row does not
    /// redraw them or read a detail's rows again at each step. Enabling them again tells them
    /// once that the dataset changed as a whole. Calls nest.
    void disableControls() { ++m_controlsDisabled; }
    void enableControls();
    bool controlsDisabled() const { return m_controlsDisabled > 0; }

    // What a list of the rows needs: it reads only the rows it shows, without moving.
    /// The current row's place among the rows read so far (while appending, the new row's place
    /// after them), or -1 when there is none.
    int recordIndex() const { return m_current; }
    /// Reads rows until the one at index is there; false when there are fewer rows.
    bool fetchUpTo(int index);
    /// A field's value in a row read so far, or in the pending row; invalid for null.
    QVariant valueAt(int rowIndex, int fieldIndex);
    /// Makes the row at index current, as a click in a list does. A row that is not there
    /// leaves the dataset where it is.
    void moveToRecord(int index);

    // Used by Field.
    QVariant currentValue(int fieldIndex);
    QVariant oldValue(int fieldIndex) const;
    void assignValue(int fieldIndex, const QVariant &value);

protected:
    struct Row
    {
        QList<QVariant> values;
        /// Fields whose content is still in the storage (blobs not yet read).
        quint64 deferred = 0;
        /// Where the storage keeps each blob that was read or written, by field index.
        QList<quint64> blobIds;
    };

    // What the storage behind the rows does.
    virtual void openStorage() = 0;
    virtual void closeStorage() = 0;
    /// Reads the next row into row (values already sized); false past the last one.
    virtual bool fetchRow(Row &row) = 0;
    virtual void readDeferred(Row &row, int fieldIndex) = 0;
    virtual void startNewRow(Row &) {}
    virtual void insertRow(Row &row, quint64 changedFields) = 0;
    virtual void modifyRow(Row &row, const Row &old, quint64 changedFields) = 0;
    virtual void deleteStoredRow(const Row &row) = 0;
    virtual void refreshRow(Row &) {}
    virtual bool canDelete() const { return canModify(); }

    Row emptyRow() const;
    Row *currentRow();
    void notify(DataEvent event, Field *field = nullptr);

private:
    friend class DataSource;
    void addSource(DataSource *source) { m_sources.append(source); }
    void removeSource(DataSource *source) { m_sources.removeAll(source); }

    void requireActive() const;
    void requireModifiable() const;
    /// Settles a pending row and warns detail datasets that this one is about to move.
    void prepareToMove();
    bool fetchNext();
    bool ensureLoaded(int index);
    void fetchAll();
    /// Makes the row current; nothing is told when it already was.
    void moveTo(int index);
    /// Makes the row current and tells everyone, whether or not it already was.
    void scrollTo(int index);
    bool matches(int rowIndex, const Field &field, const QVariant &value, LocateOptions options);
    QVariant loadedValue(int rowIndex, int fieldIndex);
    void backToBrowse();

    std::vector<std::unique_ptr<Field>> m_fields;
    QList<DataSource *> m_sources;
    std::vector<Row> m_rows;
    bool m_allFetched = false;
    int m_current = -1;
    DatasetState m_state = DatasetState::Inactive;
    bool m_bof = true;
    bool m_eof = true;

    Row m_editRow;
    Row m_oldRow;
    bool m_modified = false;
    quint64 m_changedFields = 0;
    int m_rowBeforeInsert = -1;
    bool m_bofBeforeInsert = true;
    bool m_eofBeforeInsert = true;
    int m_controlsDisabled = 0;
    bool m_changedWhileDisabled = false;
};
