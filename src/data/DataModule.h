#pragma once

#include "dataset/DatabaseConnection.h"
#include "dataset/DatabaseTransaction.h"
#include "dataset/DataSource.h"
#include "dataset/MemoryDataset.h"
#include "dataset/QueryDataset.h"
#include "dataset/UpdateStatements.h"

#include <QObject>

#include <stdexcept>

/// The one place where the program talks to the recipe database: the connection, the single
/// transaction, the family, recipe and rating datasets with their statements, the one-row
/// selection record, and a data source over each for the windows' controls.
///
/// Members are declared in creation order; they are destroyed in the reverse order, so the
/// datasets close first, then the transaction commits, and the connection closes last.
class TDM : public QObject
{
    Q_OBJECT

public:
    /// The recipe book could not be opened; step says where it failed.
    class OpeningError : public std::runtime_error
    {
    public:
        enum class Step {
            /// Connecting to the database file or starting the transaction.
            Connection,
            /// Opening the datasets: a table or a column the program needs is missing.
            Datasets,
        };

        OpeningError(Step step, const char *message)
            : std::runtime_error(message)
            , m_step(step)
        {
        }

        Step step() const { return m_step; }

    private:
        Step m_step;
    };

    explicit TDM(QObject *parent = nullptr);
    ~TDM() override;

    /// Opens the recipe book as the program does at start-up: connects to the database file,
    /// starts the one transaction, opens the database datasets and appends the selection row.
    /// Throws OpeningError with the message of what failed.
    void openRecipeBook(const QString &databasePath);

    /// Opens IBFAMILLE, IBRECETTES, IBQUALITE and IBDIFFICULTE, in that order: each stands on
    /// its first row, and the recipes are those of the first family by name.
    void openDatabaseDatasets();

    DatabaseConnection IBDatabase;
    DatabaseTransaction IBTransaction;
    QueryDataset IBFAMILLE;
    UpdateStatements IBUpdateFAMILLE;
    DataSource DSFAMILLE;
    QueryDataset IBQUALITE;
    DataSource DSQualite;
    DataSource DSRECETTES;
    QueryDataset IBRECETTES;
    UpdateStatements IBUpdateRECETTES;
    QueryDataset IBDIFFICULTE;
    DataSource DSDifficulte;
    MemoryDataset dxMemData;
    DataSource DSMemData;

private:
    void setUpFamilies();
    void setUpRecipes();
    void setUpRatings();
    void setUpSelection();
};
