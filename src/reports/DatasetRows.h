#pragma once

#include "report/Report.h"

#include <QByteArray>
#include <QString>

#include <functional>

class Dataset;
class Field;

/// The rows of a shared dataset that a report runs over, from its first to its last. The run
/// moves the dataset and leaves it on its last row; the caller puts it back.
///
/// While the run goes on, the dataset's controls and detail datasets hear nothing of its moves:
/// a list of the families would otherwise read every family's recipes, and the windows behind
/// the preview redraw at every row. They are told once, when the run is over, also when an error
/// stopped it.
class DatasetRows : public report::ReportData
{
public:
    explicit DatasetRows(Dataset &dataset)
        : m_dataset(dataset)
    {
    }
    DatasetRows(const DatasetRows &) = delete;
    DatasetRows &operator=(const DatasetRows &) = delete;

    void runStarts() override;
    void runEnds() override;
    /// Reads every row, without moving.
    int rowCount() override;
    void first() override;
    bool atEnd() const override;
    void next() override;

private:
    Dataset &m_dataset;
};

/// What the reports print of a field, read from the current record when the element prints,
/// changes not yet posted included.
namespace ReportFields {

/// Text as stored, a date in the system's short date format.
QString displayText(const Field &field);
std::function<QString()> displayTextOf(const Field &field);
/// A memo's bytes: the RTF document a rich text prints.
std::function<QByteArray()> contentOf(const Field &field);

} // namespace ReportFields
