#include "DBLookupComboBox.h"

#include "dataset/Dataset.h"
#include "guard/ErrorGuard.h"

#include <QFrame>
#include <QKeyEvent>
#include <QListView>
#include <QScreen>
#include <QScopeGuard>
#include <QStringListModel>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <chrono>

namespace {

qint64 steadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// Keys are compared as numbers: a value field holding an integer names the row whose
// floating-point key has that value. Null names no row.
bool sameKey(const QVariant &left, const QVariant &right)
{
    if (!left.isValid() || !right.isValid())
        return left.isValid() == right.isValid();
    return left.toDouble() == right.toDouble();
}

// What a key types into the search: printable text, without Ctrl or Alt.
QString searchCharacters(const QKeyEvent &event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return {};
    const QString text = event.text();
    return !text.isEmpty() && text.front().isPrint() ? text : QString();
}

/// The frame of the opened list, filled by its list view. A press outside it closes it, as for
/// every popup; a press on the box that opened it must not reach the box afterwards, or the list
/// would open again.
class LookupPopup : public QFrame
{
public:
    explicit LookupPopup(QWidget *box)
        : QFrame(box, Qt::Popup)
        , m_box(box)
        , m_view(new QListView(this))
    {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    }

    QListView *view() const { return m_view; }

protected:
    // Placed by hand: a layout would hold the view to its minimum size, taller than one row.
    void resizeEvent(QResizeEvent *event) override
    {
        m_view->setGeometry(contentsRect());
        QFrame::resizeEvent(event);
    }

    void showEvent(QShowEvent *event) override
    {
        setAttribute(Qt::WA_NoMouseReplay, false);
        QFrame::showEvent(event);
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        const QPoint onBox = m_box->mapFromGlobal(event->globalPosition().toPoint());
        if (m_box->rect().contains(onBox))
            setAttribute(Qt::WA_NoMouseReplay);
        QFrame::mousePressEvent(event);
    }

private:
    QWidget *m_box;
    QListView *m_view;
};

} // namespace

/// Hears of every change of the list dataset: a family renamed, added or deleted, the list read
/// again or closed, all change what the box shows.
class DBLookupComboBox::ListLink : public DataLink
{
public:
    std::function<void()> onChange;

protected:
    void dataEvent(DataEvent event, Field *) override
    {
        if (event == DataEvent::UpdateRecord || event == DataEvent::CheckBrowseMode)
            return;
        if (onChange)
            onChange();
    }

    void dataSourceChanged() override
    {
        if (onChange)
            onChange();
    }
};

DBLookupComboBox::DBLookupComboBox(QWidget *parent)
    : QWidget(parent)
    , m_listLink(std::make_unique<ListLink>())
    , m_clock(steadyMilliseconds)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    m_link.onDataChange = [this] { valueChanged(); };
    m_listLink->onChange = [this] { listChanged(); };

    auto *popup = new LookupPopup(this);
    m_popup = popup;
    m_listView = popup->view();
    m_listModel = new QStringListModel(m_listView);
    m_listView->setModel(m_listModel);
    m_listView->setFrameShape(QFrame::NoFrame);
    m_listView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listView->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_listView->setUniformItemSizes(true);
    m_listView->setMouseTracking(true);
    m_listView->installEventFilter(this);

    // The highlight follows the mouse, as in every drop-down list.
    ErrorGuard::connect(m_listView, &QAbstractItemView::entered, this, [this](const QModelIndex &index) {
        m_listView->setCurrentIndex(index);
    });
    ErrorGuard::connect(m_listView, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        m_listView->setCurrentIndex(index);
        closeUp(true);
    });
}

DBLookupComboBox::~DBLookupComboBox() = default;

void DBLookupComboBox::setDataSource(DataSource *source)
{
    bindValue([this, source] { m_link.setDataSource(source); });
}

void DBLookupComboBox::setDataField(const QString &name)
{
    bindValue([this, &name] { m_link.setFieldName(name); });
}

void DBLookupComboBox::setListSource(DataSource *source)
{
    m_listLink->setDataSource(source);
}

void DBLookupComboBox::setKeyField(const QString &name)
{
    m_keyFieldName = name;
    showValue();
}

void DBLookupComboBox::setListField(const QString &name)
{
    m_listFieldName = name;
    showValue();
}

void DBLookupComboBox::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

QString DBLookupComboBox::text() const
{
    return m_text;
}

QString DBLookupComboBox::searchText() const
{
    return m_searchText;
}

Dataset *DBLookupComboBox::listDataset() const
{
    Dataset *set = m_listLink->dataset();
    return set && set->isActive() ? set : nullptr;
}

Field *DBLookupComboBox::keyField() const
{
    const Dataset *set = listDataset();
    return set && !m_keyFieldName.isEmpty() ? set->findField(m_keyFieldName) : nullptr;
}

Field *DBLookupComboBox::listField() const
{
    const Dataset *set = listDataset();
    return set && !m_listFieldName.isEmpty() ? set->findField(m_listFieldName) : nullptr;
}

QVariant DBLookupComboBox::value() const
{
    const Field *field = m_link.field();
    return field ? field->value() : QVariant();
}

// Reading the value of a field just bound is no change of the value: nothing is located.
void DBLookupComboBox::bindValue(const std::function<void()> &bind)
{
    m_binding = true;
    const auto bound = qScopeGuard([this] { m_binding = false; });
    bind();
}

void DBLookupComboBox::valueChanged()
{
    const QVariant current = value();
    const bool changed = !sameKey(current, m_knownValue);
    m_knownValue = current;
    if (changed && !m_binding && current.isValid()) {
        Dataset *set = listDataset();
        const Field *key = keyField();
        // A window that moved the list itself names the row it stands on: searching again from
        // the first row would only spoil the beginning flag the move left.
        if (set && key && !sameKey(key->value(), current))
            set->locate(key->name(), current);
    }
    showValue();
}

// The rows under an opened list are no longer the ones it shows.
void DBLookupComboBox::listChanged()
{
    if (isListVisible())
        closeUp(false);
    showValue();
}

void DBLookupComboBox::showValue()
{
    const int row = rowOfKey(value());
    m_text = row >= 0 ? listTextAt(row) : QString();
    update();
}

int DBLookupComboBox::rowOfKey(const QVariant &key) const
{
    Dataset *set = listDataset();
    const Field *keyOfRow = keyField();
    if (!set || !keyOfRow || !key.isValid())
        return -1;
    for (int row = 0; set->fetchUpTo(row); ++row) {
        if (sameKey(set->valueAt(row, keyOfRow->index()), key))
            return row;
    }
    return -1;
}

int DBLookupComboBox::firstRowStartingWith(const QString &prefix) const
{
    Dataset *set = listDataset();
    if (!set || !listField())
        return -1;
    for (int row = 0; set->fetchUpTo(row); ++row) {
        if (listTextAt(row).startsWith(prefix, Qt::CaseInsensitive))
            return row;
    }
    return -1;
}

QString DBLookupComboBox::listTextAt(int row) const
{
    Dataset *set = listDataset();
    const Field *field = listField();
    return set && field ? set->valueAt(row, field->index()).toString() : QString();
}

// The selection record is left in edit or insert state: whoever owns it decides when to post.
void DBLookupComboBox::choose(int row)
{
    Dataset *set = listDataset();
    const Field *key = keyField();
    Field *field = m_link.field();
    if (!set || !key || !field)
        return;
    const QVariant chosen = set->valueAt(row, key->index());
    if (!chosen.isValid() || sameKey(chosen, field->value()))
        return;
    if (m_link.edit())
        field->setValue(chosen);
}

void DBLookupComboBox::chooseNeighbour(int step)
{
    Dataset *set = listDataset();
    if (!set)
        return;
    const int current = rowOfKey(value());
    const int target = current < 0 ? 0 : current + step;
    if (target >= 0 && set->fetchUpTo(target))
        choose(target);
}

void DBLookupComboBox::typeCharacters(const QString &text)
{
    const qint64 now = m_clock();
    if (m_lastTypedAt && now - *m_lastTypedAt > searchPauseMs)
        m_searchText.clear();
    m_lastTypedAt = now;
    const QString candidate = m_searchText + text;
    if (candidate.size() > maxSearchLength)
        return;
    const int row = firstRowStartingWith(candidate);
    if (row < 0)
        return;
    m_searchText = candidate;
    choose(row);
}

bool DBLookupComboBox::isListVisible() const
{
    return m_popup->isVisible();
}

void DBLookupComboBox::dropDown()
{
    if (isListVisible())
        return;
    QStringList names;
    if (Dataset *set = listDataset()) {
        for (int row = 0; set->fetchUpTo(row); ++row)
            names.append(listTextAt(row));
    }
    m_listModel->setStringList(names);
    m_popup->setFont(font());

    const int current = rowOfKey(value());
    m_listView->clearSelection();
    m_listView->setCurrentIndex(current >= 0 ? m_listModel->index(current) : QModelIndex());
    placePopup(int(names.size()));
    m_popup->show();
    m_listView->setFocus(Qt::PopupFocusReason);
    if (current >= 0)
        m_listView->scrollTo(m_listModel->index(current), QAbstractItemView::PositionAtCenter);
    update();
}

// As wide as the box, as high as the rows it shows; below the box, or above it when the list
// would pass the bottom of the screen.
void DBLookupComboBox::placePopup(int rowCount)
{
    const int rowHeight = rowCount > 0 ? m_listView->sizeHintForRow(0) : m_listView->fontMetrics().height();
    const int shownRows = qBound(1, rowCount, qMax(1, m_dropDownRows));
    const int height = shownRows * rowHeight + 2 * m_popup->frameWidth();
    QPoint topLeft = mapToGlobal(QPoint(0, this->height()));
    const QRect screenArea = screen()->geometry();
    if (topLeft.y() + height > screenArea.bottom() + 1)
        topLeft = mapToGlobal(QPoint(0, 0)) - QPoint(0, height);
    m_popup->setGeometry(QRect(topLeft, QSize(width(), height)));
}

void DBLookupComboBox::closeUp(bool accept)
{
    if (!isListVisible())
        return;
    const QModelIndex highlighted = m_listView->currentIndex();
    m_popup->hide();
    update();
    if (accept && highlighted.isValid())
        choose(highlighted.row());
}

QListView *DBLookupComboBox::listView() const
{
    return m_listView;
}

QStyleOptionComboBox DBLookupComboBox::styleOption() const
{
    QStyleOptionComboBox option;
    option.initFrom(this);
    option.editable = false;
    option.frame = true;
    option.currentText = m_text;
    option.subControls = QStyle::SC_All;
    if (isListVisible())
        option.state |= QStyle::State_On;
    return option;
}

QSize DBLookupComboBox::sizeHint() const
{
    const QStyleOptionComboBox option = styleOption();
    const QFontMetrics metrics = fontMetrics();
    const QSize text(metrics.averageCharWidth() * 16, metrics.height());
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
}

void DBLookupComboBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option = styleOption();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    // The name is written as an edit box writes its text, in the font's colour.
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        option.palette.setColor(group, QPalette::ButtonText, option.palette.color(group, QPalette::Text));
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void DBLookupComboBox::keyPressEvent(QKeyEvent *event)
{
    ErrorGuard::run([&] {
        switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (event->modifiers() & Qt::AltModifier)
                dropDown();
            else
                chooseNeighbour(event->key() == Qt::Key_Down ? 1 : -1);
            event->accept();
            return;
        case Qt::Key_Backspace:
        case Qt::Key_Escape:
            m_searchText.clear();
            event->accept();
            return;
        default:
            break;
        }
        const QString typed = searchCharacters(*event);
        if (typed.isEmpty()) {
            QWidget::keyPressEvent(event);
            return;
        }
        typeCharacters(typed);
        event->accept();
    });
}

void DBLookupComboBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    ErrorGuard::run([this] {
        if (isListVisible())
            closeUp(false);
        else
            dropDown();
    });
    event->accept();
}

void DBLookupComboBox::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void DBLookupComboBox::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

// The opened list has the keyboard: Enter chooses, Escape and Alt with an arrow close it.
bool DBLookupComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_listView || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        ErrorGuard::run([this] { closeUp(true); });
        return true;
    case Qt::Key_Escape:
        closeUp(false);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (key->modifiers() & Qt::AltModifier) {
            closeUp(false);
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}
