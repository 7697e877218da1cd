#include "DatasetRows.h"

#include "dataset/Dataset.h"

#include "report/Elements.h"

#include <limits>

void DatasetRows::runStarts()
{
    m_dataset.disableControls();
}

void DatasetRows::runEnds()
{
    m_dataset.enableControls();
}

int DatasetRows::rowCount()
{
    m_dataset.fetchUpTo(std::numeric_limits<int>::max());
    return m_dataset.loadedRowCount();
}

void DatasetRows::first()
{
    m_dataset.first();
}

bool DatasetRows::atEnd() const
{
    return m_dataset.eof();
}

void DatasetRows::next()
{
    m_dataset.next();
}

namespace ReportFields {

QString displayText(const Field &field)
{
    if (field.kind() != FieldKind::Date)
        return field.asString();
    const QDate date = field.asDate();
    return date.isValid() ? report::shortDateText(date) : QString();
}

std::function<QString()> displayTextOf(const Field &field)
{
    return [&field] { return displayText(field); };
}

std::function<QByteArray()> contentOf(const Field &field)
{
    return [&field] { return field.asBytes(); };
}

} // namespace ReportFields
