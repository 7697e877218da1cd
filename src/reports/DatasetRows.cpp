#include "DatasetRows.h"

#include "dataset/Dataset.h"
#include "guard/ErrorGuard.h"

#include <QLocale>

#include <limits>

DatasetRows::~DatasetRows()
{
    if (m_controlsQuiet)
        ErrorGuard::run([this] { m_dataset.enableControls(); });
}

int DatasetRows::rowCount()
{
    m_dataset.fetchUpTo(std::numeric_limits<int>::max());
    return m_dataset.loadedRowCount();
}

void DatasetRows::first()
{
    keepControlsQuiet();
    m_dataset.first();
    tellControlsAtTheEnd();
}

bool DatasetRows::atEnd() const
{
    return m_dataset.eof();
}

void DatasetRows::next()
{
    m_dataset.next();
    tellControlsAtTheEnd();
}

void DatasetRows::keepControlsQuiet()
{
    if (m_controlsQuiet)
        return;
    m_dataset.disableControls();
    m_controlsQuiet = true;
}

void DatasetRows::tellControlsAtTheEnd()
{
    if (!m_controlsQuiet || !m_dataset.eof())
        return;
    m_controlsQuiet = false;
    m_dataset.enableControls();
}

namespace ReportFields {

QString displayText(const Field &field)
{
    if (field.kind() != FieldKind::Date)
        return field.asString();
    const QDate date = field.asDate();
    return date.isValid() ? QLocale::system().toString(date, QLocale::ShortFormat) : QString();
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
