#include "DataSource.h"

#include "Dataset.h"

DataLink::~DataLink()
{
    setDataSource(nullptr);
}

void DataLink::setDataSource(DataSource *source)
{
    if (source == m_source)
        return;
    if (m_source)
        m_source->removeLink(this);
    m_source = source;
    if (m_source)
        m_source->addLink(this);
    dataSourceChanged();
}

Dataset *DataLink::dataset() const
{
    return m_source ? m_source->dataset() : nullptr;
}

bool DataLink::isActive() const
{
    const Dataset *set = dataset();
    return set && set->isActive();
}

DataSource::DataSource(QObject *parent)
    : QObject(parent)
{
}

DataSource::~DataSource()
{
    setDataset(nullptr);
    // The links outlive us in their controls; tell them we are gone.
    const QList<DataLink *> links = m_links;
    for (DataLink *link : links)
        link->setDataSource(nullptr);
}

void DataSource::setDataset(Dataset *dataset)
{
    if (dataset == m_dataset)
        return;
    if (m_dataset)
        m_dataset->removeSource(this);
    m_dataset = dataset;
    if (m_dataset)
        m_dataset->addSource(this);
    const QList<DataLink *> links = m_links;
    for (DataLink *link : links)
        link->dataSourceChanged();
}

bool DataSource::edit()
{
    if (!m_dataset)
        return false;
    if (m_autoEdit && m_dataset->state() == DatasetState::Browse)
        m_dataset->edit();
    return m_dataset->isEditing();
}

void DataSource::notify(DataEvent event, Field *field)
{
    // A link may detach itself while it handles the event.
    const QList<DataLink *> links = m_links;
    for (DataLink *link : links) {
        if (m_links.contains(link))
            link->dataEvent(event, field);
    }
}

void DataSource::datasetDestroyed()
{
    m_dataset = nullptr;
    const QList<DataLink *> links = m_links;
    for (DataLink *link : links)
        link->dataSourceChanged();
}
