#include "dbwidgets/DBGrid.h"

#include "GuiTestMain.h"
#include "ModalAnswer.h"
#include "guard/GuardedApplication.h"
#include "dbwidgets/DBGridRowIndicator.h"
#include "dataset/Dataset.h"
#include "dataset/MemoryDataset.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <memory>

namespace {

const QColor kBackground(0xF9, 0xD8, 0x99);
const QColor kAlternate(0xFB, 0xFD, 0xBB);
const QColor kNavy(0x00, 0x00, 0x80);

/// Rows made up as they are read ("Recipe 0", "Recipe 1", ...), counting every read: a long
/// result without a database.
class CountingDataset : public Dataset
{
public:
    explicit CountingDataset(int rows)
        : m_rows(rows)
    {
        addField(QStringLiteral("DESCRIPTION"), FieldKind::Text, 100);
        addField(QStringLiteral("NUMBER"), FieldKind::Integer);
    }

    int fetches = 0;

protected:
    void openStorage() override { m_next = 0; }
    void closeStorage() override {}
    bool fetchRow(Row &row) override
    {
        ++fetches;
        if (m_next >= m_rows)
            return false;
        row.values[0] = QStringLiteral("Recipe %1").arg(m_next);
        row.values[1] = m_next;
        ++m_next;
        return true;
    }
    void readDeferred(Row &, int) override {}
    void insertRow(Row &, quint64) override {}
    void modifyRow(Row &, const Row &, quint64) override {}
    void deleteStoredRow(const Row &) override {}

private:
    int m_rows;
    int m_next = 0;
};

/// A grid showing the descriptions of an open counting dataset, in the recipe list's colours.
struct Fixture
{
    CountingDataset dataset;
    DataSource source;
    DBGrid grid;

    explicit Fixture(int rows, int characters = 20, QSize size = {300, 200})
        : dataset(rows)
    {
        source.setDataset(&dataset);
        grid.addColumn(QStringLiteral("DESCRIPTION"), QStringLiteral("Description"), characters);
        grid.setRowColours(kBackground, kAlternate);
        grid.setDataSource(&source);
        grid.resize(size);
        dataset.open();
    }

    bool show()
    {
        grid.show();
        return QTest::qWaitForWindowExposed(&grid);
    }
    int rowHeight() const { return grid.verticalHeader()->defaultSectionSize(); }
    /// Rows the viewport shows whole.
    int screenRows() const { return grid.viewport()->height() / rowHeight(); }
    int currentRow() const { return grid.currentIndex().row(); }
    int topRow() const { return grid.rowAt(0); }
    int bottomRow() const { return grid.rowAt(grid.viewport()->height() - 1); }
    bool rowInView(int row) const { return row >= topRow() && (bottomRow() < 0 || row <= bottomRow()); }
    QPoint pointOnRow(int row) const { return {10, grid.rowViewportPosition(row) + rowHeight() / 2}; }
};

void wheelDown(QWidget *viewport)
{
    const QPointF at(viewport->width() / 2.0, viewport->height() / 2.0);
    QWheelEvent event(at, viewport->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &event);
}

bool hasPixelOf(const QImage &image, const QRect &area, const QColor &colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) == colour)
                return true;
        }
    }
    return false;
}

} // namespace

class TestDBGrid : public QObject
{
    Q_OBJECT

private slots:
    void opensReadingOnlyWhatItShows()
    {
        Fixture list(20000);
        QVERIFY(list.show());
        const int screen = list.screenRows();
        QVERIFY(screen >= 5);
        // The screen is filled, with a row or two to spare, and no more is read.
        QVERIFY2(list.dataset.loadedRowCount() > screen, qPrintable(QString::number(list.dataset.loadedRowCount())));
        QVERIFY2(list.dataset.fetches <= screen + 3, qPrintable(QString::number(list.dataset.fetches)));
        QCOMPARE(list.grid.model()->rowCount(), list.dataset.loadedRowCount());
        QCOMPARE(list.grid.model()->data(list.grid.model()->index(screen - 1, 0)).toString(),
                 QStringLiteral("Recipe %1").arg(screen - 1));
        QCOMPARE(list.currentRow(), 0);

        // A smaller font, as a window sets its own, shows more rows: they are read.
        QFont smaller = list.grid.font();
        smaller.setPixelSize(8);
        list.grid.setFont(smaller);
        QVERIFY(list.screenRows() > screen);
        QVERIFY(list.dataset.loadedRowCount() > list.screenRows());
    }

    void scrollingDownReadsMoreRows_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("wheel") << "wheel";
        QTest::newRow("scroll bar dragged to its end") << "bar end";
        QTest::newRow("scroll bar page") << "bar page";
        QTest::newRow("page down") << "page down";
        QTest::newRow("down at the bottom") << "down";
    }
    void scrollingDownReadsMoreRows()
    {
        QFETCH(QString, way);
        Fixture list(20000);
        QVERIFY(list.show());
        const int readAtFirst = list.dataset.loadedRowCount();
        const int screen = list.screenRows();
        // Far enough to pass the rows read at first several times over.
        for (int step = 0; step < 3 * readAtFirst; ++step) {
            if (way == QLatin1String("wheel"))
                wheelDown(list.grid.viewport());
            else if (way == QLatin1String("bar end"))
                list.grid.verticalScrollBar()->setValue(list.grid.verticalScrollBar()->maximum());
            else if (way == QLatin1String("bar page"))
                list.grid.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
            else if (way == QLatin1String("page down"))
                QTest::keyClick(&list.grid, Qt::Key_PageDown);
            else
                QTest::keyClick(&list.grid, Qt::Key_Down);
        }
        QVERIFY2(list.topRow() >= 2 * readAtFirst, qPrintable(QString::number(list.topRow())));
        QVERIFY(list.bottomRow() > list.topRow());
        // Every row on the screen is read, and at most a screenful below it.
        QVERIFY(list.dataset.loadedRowCount() > list.bottomRow());
        QVERIFY2(list.dataset.loadedRowCount() <= list.topRow() + 2 * (screen + 1) + 1,
                 qPrintable(QStringLiteral("%1 read, top %2").arg(list.dataset.loadedRowCount()).arg(list.topRow())));
        QCOMPARE(list.grid.model()->rowCount(), list.dataset.loadedRowCount());
        QCOMPARE(list.grid.model()->data(list.grid.model()->index(list.bottomRow(), 0)).toString(),
                 QStringLiteral("Recipe %1").arg(list.bottomRow()));
    }

    void theDatasetsLastRowBecomesCurrent()
    {
        Fixture list(20000);
        QVERIFY(list.show());
        list.dataset.last();
        QCOMPARE(list.grid.model()->rowCount(), 20000);
        QCOMPARE(list.currentRow(), 19999);
        QCOMPARE(list.bottomRow(), 19999);
        list.dataset.first();
        QCOMPARE(list.currentRow(), 0);
        QCOMPARE(list.topRow(), 0);
    }

    void theListFollowsTheDataset_data()
    {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("rows");
        // n next, p prior, f first, l last, g the row at 12 as a click does, L locate "Recipe 30",
        // d delete, c close and open again
        QTest::newRow("open") << "" << 0 << -1;
        QTest::newRow("next") << "n" << 1 << -1;
        QTest::newRow("next, next, prior") << "nnp" << 1 << -1;
        QTest::newRow("last") << "l" << 49 << 50;
        QTest::newRow("first after last") << "lf" << 0 << 50;
        QTest::newRow("row by place") << "g" << 12 << -1;
        QTest::newRow("locate") << "L" << 30 << -1;
        QTest::newRow("delete") << "ggd" << 12 << -1;
        QTest::newRow("delete the last row") << "ld" << 48 << 49;
        QTest::newRow("closed and opened again") << "lc" << 0 << -1;
    }
    void theListFollowsTheDataset()
    {
        QFETCH(QString, moves);
        QFETCH(int, current);
        QFETCH(int, rows);
        Fixture list(50);
        QVERIFY(list.show());
        for (const QChar move : moves) {
            switch (move.unicode()) {
            case u'n': list.dataset.next(); break;
            case u'p': list.dataset.prior(); break;
            case u'f': list.dataset.first(); break;
            case u'l': list.dataset.last(); break;
            case u'g': list.dataset.moveToRecord(12); break;
            case u'L': list.dataset.locate(QStringLiteral("DESCRIPTION"), QStringLiteral("Recipe 30")); break;
            case u'd': list.dataset.deleteRow(); break;
            case u'c': list.dataset.close(); list.dataset.open(); break;
            default: QFAIL("unknown move");
            }
        }
        QCOMPARE(list.dataset.recordIndex(), current);
        QCOMPARE(list.currentRow(), current);
        QCOMPARE(list.grid.selectionModel()->selectedRows(), QModelIndexList{list.grid.model()->index(current, 0)});
        QVERIFY(list.rowInView(current));
        const auto *indicator = qobject_cast<DBGridRowIndicator *>(list.grid.verticalHeader());
        QVERIFY(indicator);
        QCOMPARE(indicator->markedRow(), current);
        if (rows >= 0)
            QCOMPARE(list.grid.model()->rowCount(), rows);
        QCOMPARE(list.grid.model()->data(list.grid.currentIndex()).toString(),
                 list.dataset.fieldByName(QStringLiteral("DESCRIPTION")).asString());
    }

    void aClickOrADragMovesTheDataset()
    {
        Fixture list(5);
        QVERIFY(list.show());
        QTest::mouseClick(list.grid.viewport(), Qt::LeftButton, {}, list.pointOnRow(3));
        QCOMPARE(list.dataset.recordIndex(), 3);
        QCOMPARE(list.currentRow(), 3);
        QCOMPARE(list.dataset.fieldByName(QStringLiteral("DESCRIPTION")).asString(), QStringLiteral("Recipe 3"));

        // Below the last row there is nothing to stand on; a right click moves nothing.
        QTest::mouseClick(list.grid.viewport(), Qt::LeftButton, {}, {10, list.grid.viewport()->height() - 2});
        QTest::mouseClick(list.grid.viewport(), Qt::RightButton, {}, list.pointOnRow(1));
        QCOMPARE(list.dataset.recordIndex(), 3);
        QCOMPARE(list.currentRow(), 3);

        QTest::mousePress(list.grid.viewport(), Qt::LeftButton, {}, list.pointOnRow(1));
        QMouseEvent drag(QEvent::MouseMove, list.pointOnRow(4), list.grid.viewport()->mapToGlobal(list.pointOnRow(4)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list.grid.viewport(), &drag);
        QTest::mouseRelease(list.grid.viewport(), Qt::LeftButton, {}, list.pointOnRow(4));
        QCOMPARE(list.dataset.recordIndex(), 4);
        QCOMPARE(list.currentRow(), 4);
    }

    void aRefusedMoveLeavesBothWhereTheyWere_data()
    {
        QTest::addColumn<QString>("move");
        QTest::newRow("down") << "down";
        QTest::newRow("page down") << "page down";
        QTest::newRow("tab") << "tab";
    }
    void aRefusedMoveLeavesBothWhereTheyWere()
    {
        QFETCH(QString, move);
        Fixture list(5);
        QVERIFY(list.show());
        list.dataset.fieldByName(QStringLiteral("DESCRIPTION")).setRequired(true);
        list.dataset.moveToRecord(1);
        list.dataset.edit();
        // The row cannot be written without its description, so the dataset cannot leave it.
        list.dataset.fieldByName(QStringLiteral("DESCRIPTION")).clear();

        const Qt::Key key = move == QLatin1String("down") ? Qt::Key_Down
            : move == QLatin1String("page down")          ? Qt::Key_PageDown
                                                          : Qt::Key_Tab;
        MessageBoxAnswer error;
        QTest::keyClick(&list.grid, key);
        QVERIFY(error.answered());
        QVERIFY2(error.text().contains(QStringLiteral("DESCRIPTION")), qPrintable(error.text()));

        QCOMPARE(list.dataset.state(), DatasetState::Edit);
        QCOMPARE(list.dataset.recordIndex(), 1);
        QCOMPARE(list.currentRow(), 1);
        QCOMPARE(qobject_cast<DBGridRowIndicator *>(list.grid.verticalHeader())->markedRow(), 1);
    }

    void keysMoveTheDataset_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        // A row is given as rows plus pages, a page being the rows the list shows whole.
        QTest::addColumn<int>("startRows");
        QTest::addColumn<int>("startPages");
        QTest::addColumn<int>("endRows");
        QTest::addColumn<int>("endPages");
        QTest::addColumn<bool>("bof");
        QTest::addColumn<bool>("eof");
        const Qt::KeyboardModifiers none;
        QTest::newRow("down") << int(Qt::Key_Down) << none << 0 << 0 << 1 << 0 << false << false;
        QTest::newRow("up") << int(Qt::Key_Up) << none << 5 << 0 << 4 << 0 << false << false;
        QTest::newRow("up on the first row") << int(Qt::Key_Up) << none << 0 << 0 << 0 << 0 << true << false;
        QTest::newRow("down on the last row") << int(Qt::Key_Down) << none << 99 << 0 << 99 << 0 << false << true;
        QTest::newRow("page down") << int(Qt::Key_PageDown) << none << 1 << 0 << 1 << 1 << false << false;
        QTest::newRow("page up") << int(Qt::Key_PageUp) << none << 3 << 2 << 3 << 1 << false << false;
        QTest::newRow("page up near the top") << int(Qt::Key_PageUp) << none << 2 << 0 << 0 << 0 << true << false;
        QTest::newRow("page down near the end") << int(Qt::Key_PageDown) << none << 98 << 0 << 99 << 0 << false << true;
        QTest::newRow("home") << int(Qt::Key_Home) << none << 40 << 0 << 0 << 0 << true << false;
        QTest::newRow("ctrl+home") << int(Qt::Key_Home) << Qt::KeyboardModifiers(Qt::ControlModifier) << 40 << 0 << 0 << 0 << true << false;
        QTest::newRow("end") << int(Qt::Key_End) << none << 3 << 0 << 99 << 0 << false << true;
        QTest::newRow("ctrl+end") << int(Qt::Key_End) << Qt::KeyboardModifiers(Qt::ControlModifier) << 3 << 0 << 99 << 0 << false << true;
        QTest::newRow("tab") << int(Qt::Key_Tab) << none << 3 << 0 << 4 << 0 << false << false;
        QTest::newRow("shift+tab") << int(Qt::Key_Tab) << Qt::KeyboardModifiers(Qt::ShiftModifier) << 3 << 0 << 2 << 0 << false << false;
        QTest::newRow("tab on the last row") << int(Qt::Key_Tab) << none << 99 << 0 << 99 << 0 << false << true;
    }
    void keysMoveTheDataset()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, startRows);
        QFETCH(int, startPages);
        QFETCH(int, endRows);
        QFETCH(int, endPages);
        QFETCH(bool, bof);
        QFETCH(bool, eof);
        Fixture list(100);
        QVERIFY(list.show());
        const int page = list.screenRows();
        list.dataset.moveToRecord(startRows + startPages * page);
        QTest::keyClick(&list.grid, Qt::Key(key), modifiers);
        const int expected = endRows + endPages * page;
        QCOMPARE(list.dataset.recordIndex(), expected);
        QCOMPARE(list.currentRow(), expected);
        QVERIFY(list.rowInView(expected));
        QCOMPARE(list.dataset.bof(), bof);
        QCOMPARE(list.dataset.eof(), eof);
    }

    void tabNeverLeavesTheList()
    {
        CountingDataset dataset(3);
        DataSource source;
        source.setDataset(&dataset);
        dataset.open();
        QWidget window;
        auto *before = new QLineEdit(&window);
        auto *grid = new DBGrid(&window);
        auto *after = new QLineEdit(&window);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(grid);
        layout->addWidget(after);
        grid->addColumn(QStringLiteral("DESCRIPTION"), QStringLiteral("Description"), 20);
        grid->setDataSource(&source);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        QVERIFY(grid->hasFocus());

        for (int i = 0; i < 4; ++i)
            QTest::keyClick(grid, Qt::Key_Tab);
        QVERIFY(grid->hasFocus());
        QCOMPARE(dataset.recordIndex(), 2);
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(grid, Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(grid->hasFocus());
        QCOMPARE(dataset.recordIndex(), 0);

        // Without rows too.
        grid->setDataSource(nullptr);
        QTest::keyClick(grid, Qt::Key_Tab);
        QTest::keyClick(grid, Qt::Key_Tab, Qt::ShiftModifier);
        QVERIFY(grid->hasFocus());
    }

    void typingChangesNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        // A letter that starts every row: a list that searches as one types would move.
        QTest::newRow("letter") << int(Qt::Key_R) << "R";
        QTest::newRow("delete") << int(Qt::Key_Delete) << "";
        QTest::newRow("insert") << int(Qt::Key_Insert) << "";
        QTest::newRow("F2") << int(Qt::Key_F2) << "";
        QTest::newRow("enter") << int(Qt::Key_Return) << "";
        QTest::newRow("space") << int(Qt::Key_Space) << " ";
    }
    void typingChangesNothing()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        Fixture list(10);
        QVERIFY(list.show());
        list.grid.setFocus();
        list.dataset.moveToRecord(2);
        QTest::sendKeyEvent(QTest::Click, &list.grid, Qt::Key(key), text, Qt::NoModifier);
        QTest::mouseDClick(list.grid.viewport(), Qt::LeftButton, {}, list.pointOnRow(2));
        QCOMPARE(list.dataset.state(), DatasetState::Browse);
        QCOMPARE(list.dataset.recordIndex(), 2);
        QCOMPARE(list.currentRow(), 2);
        QCOMPARE(list.grid.selectionModel()->selectedRows(), QModelIndexList{list.grid.model()->index(2, 0)});
        QCOMPARE(list.grid.model()->rowCount(), 10);
        QVERIFY(list.grid.findChildren<QLineEdit *>().isEmpty());
        QCOMPARE(list.grid.model()->data(list.grid.model()->index(2, 0)).toString(), QStringLiteral("Recipe 2"));
    }

    void doubleClickAnywhereInTheRows_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("expected");
        QTest::newRow("on a row") << "row" << Qt::LeftButton << 1;
        QTest::newRow("below the last row") << "below" << Qt::LeftButton << 1;
        QTest::newRow("right button") << "row" << Qt::RightButton << 0;
        QTest::newRow("on the title row") << "title" << Qt::LeftButton << 1;
        QTest::newRow("on the row indicator") << "indicator" << Qt::LeftButton << 1;
        QTest::newRow("right button on the title row") << "title" << Qt::RightButton << 0;
    }
    void doubleClickAnywhereInTheRows()
    {
        QFETCH(QString, where);
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, expected);
        Fixture list(3);
        QVERIFY(list.show());
        QSignalSpy doubleClicks(&list.grid, &DBGrid::gridDoubleClicked);
        if (where == QLatin1String("title"))
            QTest::mouseDClick(list.grid.horizontalHeader()->viewport(), button, {}, {10, 5});
        else if (where == QLatin1String("indicator"))
            QTest::mouseDClick(list.grid.verticalHeader()->viewport(), button, {}, {5, list.pointOnRow(1).y()});
        else if (where == QLatin1String("below"))
            QTest::mouseDClick(list.grid.viewport(), button, {}, {10, list.grid.viewport()->height() - 2});
        else
            QTest::mouseDClick(list.grid.viewport(), button, {}, list.pointOnRow(1));
        QCOMPARE(doubleClicks.count(), expected);
    }

    void titleRow()
    {
        Fixture list(3);
        QFont titleFont(QStringLiteral("MS Sans Serif"));
        titleFont.setPixelSize(11);
        titleFont.setBold(true);
        list.grid.setTitleFont(titleFont);
        list.grid.setTitleColour(kNavy);
        QVERIFY(list.show());

        QHeaderView *titles = list.grid.horizontalHeader();
        QCOMPARE(list.grid.model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Description"));
        QCOMPARE(titles->font(), titleFont);
        QCOMPARE(titles->defaultAlignment(), Qt::AlignLeft | Qt::AlignVCenter);
        QVERIFY(!titles->sectionsClickable());
        QVERIFY(!list.grid.isSortingEnabled());
        QCOMPARE(titles->sectionResizeMode(0), QHeaderView::Interactive);
        QVERIFY(!titles->stretchLastSection());
        QVERIFY(titles->height() < 2 * QFontMetrics(titleFont).height());

        // The title is written in its colour, at the left of its section.
        const QImage image = titles->grab().toImage();
        const int width = list.grid.columnWidth(0);
        QVERIFY(hasPixelOf(image, {0, 0, 40, image.height()}, kNavy));
        QVERIFY(!hasPixelOf(image, {width / 2, 0, width / 2 - 2, image.height()}, kNavy));

        // Dragging the title's right border widens the column.
        QTest::mousePress(titles->viewport(), Qt::LeftButton, {}, {width - 1, titles->height() / 2});
        QMouseEvent drag(QEvent::MouseMove, QPointF(width + 30, titles->height() / 2),
                         titles->viewport()->mapToGlobal(QPointF(width + 30, titles->height() / 2)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(titles->viewport(), &drag);
        QTest::mouseRelease(titles->viewport(), Qt::LeftButton, {}, {width + 30, titles->height() / 2});
        QCOMPARE(list.grid.columnWidth(0), width + 31);
    }

    void columnWidthInCharacters_data()
    {
        QTest::addColumn<int>("characters");
        QTest::addColumn<bool>("scrollBar");
        QTest::newRow("narrow") << 10 << false;
        QTest::newRow("wider than the list") << 100 << true;
    }
    void columnWidthInCharacters()
    {
        QFETCH(int, characters);
        QFETCH(bool, scrollBar);
        Fixture list(3, characters);
        QVERIFY(list.show());
        const auto holds = [&list](int count) {
            const int text = list.grid.fontMetrics().horizontalAdvance(QString(count, QLatin1Char('0')));
            const int width = list.grid.columnWidth(0);
            return width >= text && width <= text + 8;
        };
        QVERIFY(holds(characters));
        QCOMPARE(list.grid.horizontalScrollBar()->isVisible(), scrollBar);
        if (scrollBar) {
            QTest::keyClick(&list.grid, Qt::Key_Right);
            const int scrolled = list.grid.horizontalScrollBar()->value();
            QVERIFY(scrolled > 0);
            // Going down a row does not pull the column back to its start.
            QTest::keyClick(&list.grid, Qt::Key_Down);
            QCOMPARE(list.currentRow(), 1);
            QCOMPARE(list.grid.horizontalScrollBar()->value(), scrolled);
        }

        // A font set later, as a window sets its own, gives the columns their width in its characters.
        QFont larger = list.grid.font();
        larger.setPixelSize(30);
        list.grid.setFont(larger);
        QVERIFY(holds(characters));
        QVERIFY(list.grid.verticalHeader()->defaultSectionSize() > QFontMetrics(larger).height());
    }

    void coloursBelongToTheRecords()
    {
        Fixture list(30);
        QVERIFY(list.show());
        const int x = list.grid.columnWidth(0) - 5;
        const auto cellColour = [&list, x](int row) {
            return list.grid.viewport()->grab().toImage().pixelColor(x, list.pointOnRow(row).y());
        };
        const auto indicatorColour = [&list](int row) {
            return list.grid.verticalHeader()->viewport()->grab().toImage().pixelColor(1, list.pointOnRow(row).y());
        };
        for (int row = 1; row < 5; ++row) {
            QCOMPARE(cellColour(row), row % 2 == 0 ? kBackground : kAlternate);
            QCOMPARE(indicatorColour(row), row % 2 == 0 ? kBackground : kAlternate);
        }

        // One row down, every record keeps its colour: the top one is now record 1.
        list.grid.verticalScrollBar()->setValue(1);
        QCOMPARE(list.topRow(), 1);
        for (int row = 1; row < 6; ++row) {
            QCOMPARE(cellColour(row), row % 2 == 0 ? kBackground : kAlternate);
            QCOMPARE(indicatorColour(row), row % 2 == 0 ? kBackground : kAlternate);
        }
    }

    // Below the last row and right of the column, the list shows its first colour, however few
    // rows it has.
    void theBackgroundIsTheFirstColourWhereNoRowStands_data()
    {
        QTest::addColumn<int>("rows");
        QTest::newRow("empty") << 0;
        QTest::newRow("two rows") << 2;
    }
    void theBackgroundIsTheFirstColourWhereNoRowStands()
    {
        QFETCH(int, rows);
        Fixture list(rows, 10, {400, 300});
        QVERIFY(list.show());
        const QImage cells = list.grid.viewport()->grab().toImage();
        const QImage indicator = list.grid.verticalHeader()->viewport()->grab().toImage();
        const int below = cells.height() - 5;
        QCOMPARE(cells.pixelColor(5, below), kBackground);
        QCOMPARE(cells.pixelColor(cells.width() - 5, 5 + rows * list.rowHeight()), kBackground);
        QCOMPARE(cells.pixelColor(cells.width() - 5, below), kBackground);
        QCOMPARE(indicator.pixelColor(indicator.width() / 2, below), kBackground);
    }

    void theIndicatorMarksTheCurrentRow()
    {
        Fixture list(5);
        QVERIFY(list.show());
        list.dataset.moveToRecord(2);
        const QImage image = list.grid.verticalHeader()->viewport()->grab().toImage();
        QCOMPARE(list.grid.verticalHeader()->width(), DBGridRowIndicator::fixedWidth);
        for (int row = 0; row < 5; ++row) {
            const QRect section(0, list.grid.rowViewportPosition(row), image.width() - 1, list.rowHeight() - 1);
            QCOMPARE(hasPixelOf(image, section, Qt::black), row == 2);
        }
    }

    void theAppendedRowIsShown_data()
    {
        QTest::addColumn<bool>("posted");
        QTest::newRow("posted") << true;
        QTest::newRow("cancelled") << false;
    }
    void theAppendedRowIsShown()
    {
        QFETCH(bool, posted);
        Fixture list(3);
        QVERIFY(list.show());
        list.dataset.moveToRecord(1);
        const auto *indicator = qobject_cast<DBGridRowIndicator *>(list.grid.verticalHeader());
        QAbstractItemModel *model = list.grid.model();

        list.dataset.append();
        QCOMPARE(model->rowCount(), 4);
        QCOMPARE(list.currentRow(), 3);
        QCOMPARE(indicator->markedRow(), 3);
        QCOMPARE(indicator->mark(), DBGridRowIndicator::Mark::Appending);
        list.dataset.fieldByName(QStringLiteral("DESCRIPTION")).setValue(QStringLiteral("Tarte"));
        QCOMPARE(model->data(model->index(3, 0)).toString(), QStringLiteral("Tarte"));

        if (posted)
            list.dataset.post();
        else
            list.dataset.cancel();
        QCOMPARE(model->rowCount(), posted ? 4 : 3);
        QCOMPARE(list.currentRow(), posted ? 3 : 1);
        QCOMPARE(indicator->mark(), DBGridRowIndicator::Mark::Browsing);
        QCOMPARE(indicator->markedRow(), posted ? 3 : 1);
    }

    void anEditedRowShowsItsNewValues()
    {
        Fixture list(3);
        QVERIFY(list.show());
        list.dataset.moveToRecord(1);
        list.dataset.edit();
        const auto *indicator = qobject_cast<DBGridRowIndicator *>(list.grid.verticalHeader());
        QCOMPARE(indicator->mark(), DBGridRowIndicator::Mark::Editing);
        QSignalSpy changes(list.grid.model(), &QAbstractItemModel::dataChanged);
        list.dataset.fieldByName(QStringLiteral("DESCRIPTION")).setValue(QStringLiteral("Soupe"));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(changes.first().at(0).toModelIndex().row(), 1);
        QCOMPARE(list.grid.model()->data(list.grid.model()->index(1, 0)).toString(), QStringLiteral("Soupe"));
    }

    void aColumnWithoutItsFieldStaysEmpty()
    {
        Fixture list(3);
        list.grid.addColumn(QStringLiteral("NO_SUCH_FIELD"), QStringLiteral("Nothing"), 10);
        list.grid.addColumn(QStringLiteral("number"), QStringLiteral("Number"), 5);
        QVERIFY(list.show());
        QAbstractItemModel *model = list.grid.model();
        QCOMPARE(model->columnCount(), 3);
        QCOMPARE(model->data(model->index(1, 0)).toString(), QStringLiteral("Recipe 1"));
        QCOMPARE(model->data(model->index(1, 1)).toString(), QString());
        QCOMPARE(model->data(model->index(1, 2)).toString(), QStringLiteral("1"));
        QVERIFY(!list.grid.viewport()->grab().isNull());
    }

    void survivesHavingNoRows_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::newRow("no data source") << "no source";
        QTest::newRow("no dataset") << "no dataset";
        QTest::newRow("closed dataset") << "closed";
        QTest::newRow("empty dataset") << "empty";
        QTest::newRow("dataset destroyed first") << "dataset destroyed";
        QTest::newRow("data source destroyed first") << "source destroyed";
    }
    void survivesHavingNoRows()
    {
        QFETCH(QString, situation);
        auto dataset = std::make_unique<CountingDataset>(situation == QLatin1String("empty") ? 0 : 40);
        auto source = std::make_unique<DataSource>();
        source->setDataset(&*dataset);
        DBGrid grid;
        grid.addColumn(QStringLiteral("DESCRIPTION"), QStringLiteral("Description"), 20);
        if (situation != QLatin1String("no source"))
            grid.setDataSource(&*source);
        if (situation != QLatin1String("closed"))
            dataset->open();
        grid.resize(300, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        if (dataset->isActive())
            dataset->last();
        if (situation == QLatin1String("no dataset"))
            source->setDataset(nullptr);
        else if (situation == QLatin1String("dataset destroyed"))
            dataset.reset();
        else if (situation == QLatin1String("source destroyed"))
            source.reset();

        for (const Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_Tab, Qt::Key_Right})
            QTest::keyClick(&grid, key);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, {10, 10});
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, {10, 10});
        wheelDown(grid.viewport());
        QVERIFY(!grid.grab().isNull());
        QCOMPARE(grid.model()->rowCount(), 0);
        QVERIFY(!grid.currentIndex().isValid());
    }
};

CUISINOTTE_GUI_TEST_MAIN(GuardedApplication, TestDBGrid)
#include "tst_dbgrid.moc"
