#include "DBGrid.h"

#include "DBGridCellPainter.h"
#include "DBGridRowIndicator.h"
#include "DatasetTableModel.h"
#include "dataset/Dataset.h"
#include "guard/ErrorGuard.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

// Room for the cell's text margins beside the characters a column was asked to hold.
constexpr int kColumnPadding = 4;
// Room for the row line and a little air above and below the text.
constexpr int kRowPadding = 3;

} // namespace

/// Hands the dataset's events to the grid.
class DBGrid::Link : public DataLink
{
public:
    explicit Link(DBGrid &grid)
        : m_grid(grid)
    {
    }

protected:
    void dataEvent(DataEvent event, Field *) override { m_grid.datasetEvent(event); }
    void dataSourceChanged() override { m_grid.rebuild(); }

private:
    DBGrid &m_grid;
};

DBGrid::DBGrid(QWidget *parent)
    : QTableView(parent)
    , m_link(std::make_unique<Link>(*this))
    , m_model(new DatasetTableModel(this))
    , m_indicator(new DBGridRowIndicator(this))
{
    setVerticalHeader(m_indicator);
    setModel(m_model);
    setItemDelegate(new DBGridCellPainter(this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectRows);
    setTabKeyNavigation(true);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setShowGrid(true);
    // Opaque, so that what lies under the list is not painted again each time the list is.
    setAutoFillBackground(true);
    // The list scrolls only where this class takes it: a move of the current row brings that row
    // into view without pulling a wide column sideways.
    setAutoScroll(false);
    setVerticalScrollMode(ScrollPerItem);
    // By item, one column wider than the list could not be scrolled at all.
    setHorizontalScrollMode(ScrollPerPixel);
    // Always there, as the list's rows come and go when the dataset is read again: a bar that
    // appeared and disappeared would move everything in the list each time.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    QHeaderView *titles = horizontalHeader();
    titles->viewport()->installEventFilter(this);
    m_indicator->viewport()->installEventFilter(this);
    titles->setSectionsClickable(false);
    titles->setHighlightSections(false);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setStretchLastSection(false);

    ErrorGuard::connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &DBGrid::fetchRowsToShow);
    applyFont();
    setRowColours(palette().color(QPalette::Base), palette().color(QPalette::AlternateBase));
}

DBGrid::~DBGrid() = default;

DataSource *DBGrid::dataSource() const
{
    return m_link->dataSource();
}

void DBGrid::setDataSource(DataSource *source)
{
    m_link->setDataSource(source);
}

void DBGrid::addColumn(const QString &fieldName, const QString &title, int widthInCharacters)
{
    m_model->addColumn(fieldName, title);
    m_columnCharacters.append(widthInCharacters);
    setColumnWidth(m_model->columnCount() - 1, widthForCharacters(widthInCharacters));
    followDataset();
}

// The first colour is the grid's background too, wherever no row stands: below the last row,
// right of the columns, and all over an empty list.
void DBGrid::setRowColours(const QColor &background, const QColor &alternate)
{
    m_model->setRowColours(background, alternate);
    QPalette listColours = viewport()->palette();
    listColours.setColor(viewport()->backgroundRole(), background);
    viewport()->setPalette(listColours);
    // The indicator's style paints what lies below its last row in one of these.
    QPalette indicatorColours = m_indicator->palette();
    for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
        indicatorColours.setColor(role, background);
    m_indicator->setPalette(indicatorColours);
    m_indicator->viewport()->update();
}

void DBGrid::setTitleFont(const QFont &font)
{
    horizontalHeader()->setFont(font);
}

void DBGrid::setTitleColour(const QColor &colour)
{
    QPalette titlePalette = horizontalHeader()->palette();
    titlePalette.setColor(QPalette::ButtonText, colour);
    horizontalHeader()->setPalette(titlePalette);
}

void DBGrid::keyPressEvent(QKeyEvent *event)
{
    ErrorGuard::run([&] {
        Dataset *dataset = activeDataset();
        switch (event->key()) {
        case Qt::Key_Up:
            if (dataset)
                dataset->prior();
            break;
        case Qt::Key_Down:
            if (dataset)
                dataset->next();
            break;
        case Qt::Key_PageUp:
            moveByPage(-1);
            break;
        case Qt::Key_PageDown:
            moveByPage(1);
            break;
        case Qt::Key_Home:
            if (dataset)
                dataset->first();
            break;
        case Qt::Key_End:
            if (dataset)
                dataset->last();
            break;
        case Qt::Key_Left:
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
            break;
        case Qt::Key_Right:
            horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            break;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            // Only Ctrl or Alt with Tab get here (plain Tab goes to focusNextPrevChild): not ours.
            event->ignore();
            return;
        default:
            QTableView::keyPressEvent(event);
            return;
        }
        event->accept();
    });
}

bool DBGrid::focusNextPrevChild(bool next)
{
    ErrorGuard::run([this, next] {
        if (Dataset *dataset = activeDataset()) {
            if (next)
                dataset->next();
            else
                dataset->prior();
        }
    });
    return true;
}

// The list never changes its current row on its own: a click moves the dataset, and the
// dataset's move brings the list along. A failing move thus leaves both where they were.
void DBGrid::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        const int row = rowAt(event->position().toPoint().y());
        if (row >= 0)
            ErrorGuard::run([this, row] { moveToRow(row); });
    }
    event->accept();
}

void DBGrid::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton)) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    const int row = rowAt(event->position().toPoint().y());
    const Dataset *dataset = activeDataset();
    if (row >= 0 && dataset && row != dataset->recordIndex())
        ErrorGuard::run([this, row] { moveToRow(row); });
    event->accept();
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit gridDoubleClicked();
    event->accept();
}

// The title row and the row indicator are widgets of their own; a double click on them is a
// double click on the list too.
bool DBGrid::eventFilter(QObject *watched, QEvent *event)
{
    const bool onHeader = watched == horizontalHeader()->viewport() || watched == verticalHeader()->viewport();
    if (onHeader && event->type() == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            emit gridDoubleClicked();
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void DBGrid::showEvent(QShowEvent *event)
{
    QTableView::showEvent(event);
    if (const Dataset *dataset = activeDataset())
        scrollRowIntoView(dataset->recordIndex());
    ErrorGuard::run([this] { fetchRowsToShow(); });
}

void DBGrid::resizeEvent(QResizeEvent *event)
{
    QTableView::resizeEvent(event);
    ErrorGuard::run([this] { fetchRowsToShow(); });
}

void DBGrid::changeEvent(QEvent *event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        ErrorGuard::run([this] { applyFont(); });
}

void DBGrid::keyboardSearch(const QString &)
{
    // A typed letter would otherwise move to the next row starting with it.
}

Dataset *DBGrid::activeDataset() const
{
    Dataset *dataset = m_link->dataset();
    return dataset && dataset->isActive() ? dataset : nullptr;
}

void DBGrid::datasetEvent(DataEvent event)
{
    switch (event) {
    case DataEvent::ActiveChanged:
    case DataEvent::DataSetChanged:
        rebuild();
        break;
    case DataEvent::Scrolled:
        followDataset();
        break;
    case DataEvent::RecordChanged:
        if (const Dataset *dataset = activeDataset())
            m_model->refreshRow(dataset->recordIndex());
        break;
    case DataEvent::StateChanged:
        updateMark();
        break;
    case DataEvent::UpdateRecord:
    case DataEvent::CheckBrowseMode:
        break;
    }
}

void DBGrid::rebuild()
{
    // Rows posted, cancelled or deleted leave the list where it stood; a list closed and opened
    // again has no rows in between and starts at the top.
    const int top = verticalScrollBar()->value();
    m_model->setDataset(activeDataset());
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(top);
    followDataset();
}

void DBGrid::followDataset()
{
    // A move of the dataset (next, last, locate) may have read rows the list has not shown yet.
    m_model->takeLoadedRows();
    executeDelayedItemsLayout();
    updateMark();
    const Dataset *dataset = activeDataset();
    const int row = dataset ? dataset->recordIndex() : -1;
    if (row >= 0 && row < m_model->rowCount()) {
        if (m_model->columnCount() > 0) {
            const QModelIndex current = m_model->index(row, qMax(0, currentIndex().column()));
            selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        scrollRowIntoView(row);
    } else {
        selectionModel()->clear();
    }
    fetchRowsToShow();
}

void DBGrid::updateMark()
{
    const Dataset *dataset = activeDataset();
    if (!dataset) {
        m_indicator->setMark(-1, DBGridRowIndicator::Mark::Browsing);
        return;
    }
    DBGridRowIndicator::Mark mark = DBGridRowIndicator::Mark::Browsing;
    if (dataset->state() == DatasetState::Insert)
        mark = DBGridRowIndicator::Mark::Appending;
    else if (dataset->state() == DatasetState::Edit)
        mark = DBGridRowIndicator::Mark::Editing;
    m_indicator->setMark(dataset->recordIndex(), mark);
}

void DBGrid::scrollRowIntoView(int row)
{
    if (row < 0)
        return;
    QScrollBar *bar = verticalScrollBar();
    const int shown = rowsPerPage();
    if (row < bar->value())
        bar->setValue(row);
    else if (row >= bar->value() + shown)
        bar->setValue(row - shown + 1);
}

void DBGrid::fetchRowsToShow()
{
    if (!isVisible())
        return;
    // The rows on the screen and the next ones, so that the list knows whether it can scroll on.
    const int top = verticalScrollBar()->value();
    const int before = m_model->rowCount();
    m_model->fetchRows(top + rowsPerPage() + 2);
    if (m_model->rowCount() != before)
        executeDelayedItemsLayout();
}

void DBGrid::moveToRow(int row)
{
    if (Dataset *dataset = activeDataset())
        dataset->moveToRecord(row);
}

void DBGrid::moveByPage(int direction)
{
    Dataset *dataset = activeDataset();
    if (!dataset)
        return;
    // A pending row is settled first, so that the page is counted from where the dataset stands.
    dataset->checkBrowseMode();
    const int target = dataset->recordIndex() + direction * rowsPerPage();
    // Past either end, the dataset stands on its first or last row with its end flag set.
    if (target < 0)
        dataset->first();
    else if (!dataset->fetchUpTo(target))
        dataset->last();
    else
        dataset->moveToRecord(target);
}

int DBGrid::rowsPerPage() const
{
    return qMax(1, viewport()->height() / m_indicator->defaultSectionSize());
}

int DBGrid::widthForCharacters(int characters) const
{
    // Measured as a whole: a character's width rounded to pixels, times a hundred, can be far off.
    return fontMetrics().horizontalAdvance(QString(characters, QLatin1Char('0'))) + kColumnPadding;
}

void DBGrid::applyFont()
{
    const int rowHeight = fontMetrics().height() + kRowPadding;
    m_indicator->setMinimumSectionSize(rowHeight);
    m_indicator->setDefaultSectionSize(rowHeight);
    for (int column = 0; column < m_columnCharacters.size(); ++column)
        setColumnWidth(column, widthForCharacters(m_columnCharacters[column]));
    fetchRowsToShow();
}
