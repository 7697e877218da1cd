#pragma once

#include <QObject>
#include <QList>

class Dataset;
class DataSource;
class Field;

/// What a dataset tells the controls and detail datasets attached to it.
enum class DataEvent {
    ActiveChanged,   ///< opened or closed
    DataSetChanged,  ///< the rows or the current row changed as a whole (post, cancel, delete, append, open)
    Scrolled,        ///< another row became current
    RecordChanged,   ///< the current row's values changed in place (one field, or all when none is named)
    StateChanged,    ///< browse, edit, insert
    UpdateRecord,    ///< the row is about to be written: controls hand over what the user typed
    CheckBrowseMode, ///< the dataset is about to move: pending detail rows must be settled first
};

/// Something that listens to a dataset through a data source: a data-bound control's field
/// link, or the master link of a detail dataset.
class DataLink
{
public:
    DataLink() = default;
    virtual ~DataLink();
    DataLink(const DataLink &) = delete;
    DataLink &operator=(const DataLink &) = delete;

    DataSource *dataSource() const { return m_source; }
    void setDataSource(DataSource *source);
    Dataset *dataset() const;
    bool isActive() const;

protected:
    friend class DataSource;
    virtual void dataEvent(DataEvent event, Field *field) = 0;
    /// The source was attached to another dataset, or went away.
    virtual void dataSourceChanged() {}

private:
    DataSource *m_source = nullptr;
};

/// Connects data-bound controls to one dataset and passes on every change of row, state and
/// value. With automatic editing (the default), a control whose value the user starts to
/// change puts the dataset into edit state by itself.
class DataSource : public QObject
{
    Q_OBJECT

public:
    explicit DataSource(QObject *parent = nullptr);
    ~DataSource() override;

    Dataset *dataset() const { return m_dataset; }
    void setDataset(Dataset *dataset);
    bool autoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool autoEdit) { m_autoEdit = autoEdit; }

    /// Asks for edit state on behalf of a control; true when the dataset is then editing.
    bool edit();

private:
    friend class Dataset;
    friend class DataLink;
    void notify(DataEvent event, Field *field);
    void datasetDestroyed();
    void addLink(DataLink *link) { m_links.append(link); }
    void removeLink(DataLink *link) { m_links.removeAll(link); }

    Dataset *m_dataset = nullptr;
    bool m_autoEdit = true;
    QList<DataLink *> m_links;
};
