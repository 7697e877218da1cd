#pragma once

#include "Dataset.h"

/// Rows kept in memory only, never written anywhere: the one-row selection record that the
/// windows share is one of these, kept in insert state for the whole run.
class MemoryDataset : public Dataset
{
    Q_OBJECT

public:
    using Dataset::Dataset;

protected:
    void openStorage() override {}
    void closeStorage() override {}
    bool fetchRow(Row &) override { return false; }
    void readDeferred(Row &, int) override {}
    void insertRow(Row &, quint64) override {}
    void modifyRow(Row &, const Row &, quint64) override {}
    void deleteStoredRow(const Row &) override {}
};
