#pragma once

#include <QTableView>

#include <memory>

class DataSource;
class Dataset;
class DatasetTableModel;
class DBGridRowIndicator;
enum class DataEvent;

/// A read-only list of a dataset's rows, one column per field added. It reads from the dataset
/// only the rows it shows, so a long result opens as fast as a short one. Moving the current
/// row of the list moves the dataset, and the list follows every move of the dataset.
///
/// A title row, a row indicator marking the current row, column and row lines, columns resized
/// by dragging their title border, and rows painted in two colours that belong to the records:
/// when the list scrolls by an odd number of rows, the colours move with their records. Tab
/// and Shift+Tab move within the list.
class DBGrid : public QTableView
{
    Q_OBJECT

public:
    explicit DBGrid(QWidget *parent = nullptr);
    ~DBGrid() override;

    DataSource *dataSource() const;
    void setDataSource(DataSource *source);
    /// A column showing a field, titled, as wide as that many characters of the list's font.
    void addColumn(const QString &fieldName, const QString &title, int widthInCharacters);

    /// Every other record, counted from the first, takes the alternate colour; the background
    /// colour is the rest's. The row indicator takes its record's colour too.
    void setRowColours(const QColor &background, const QColor &alternate);
    void setTitleFont(const QFont &font);
    void setTitleColour(const QColor &colour);

signals:
    /// A double click anywhere in the list, title row and row indicator included.
    void gridDoubleClicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    /// Typing moves nothing in this list.
    void keyboardSearch(const QString &search) override;

private:
    class Link;

    Dataset *activeDataset() const;
    void datasetEvent(DataEvent event);
    void rebuild();
    void followDataset();
    void updateMark();
    void scrollRowIntoView(int row);
    void fetchRowsToShow();
    void moveToRow(int row);
    void moveByPage(int direction);
    int rowsPerPage() const;
    int widthForCharacters(int characters) const;
    void applyFont();

    std::unique_ptr<Link> m_link;
    DatasetTableModel *m_model;
    DBGridRowIndicator *m_indicator;
    QList<int> m_columnCharacters;
};
