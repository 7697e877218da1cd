#pragma once

#include "dataset/FieldLink.h"

#include <QVariant>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QFrame;
class QListView;
class QStringListModel;
class QStyleOptionComboBox;

/// A drop-down bound to a key field. Its value is a field of one data source; its list is the
/// rows of another dataset, shown by their list field and identified by their key field.
///
/// The box shows the list field of the row whose key equals the value, and nothing when no row
/// has it. Choosing a row (in the opened list, with Up and Down, or by typing the beginning of
/// a name) writes that row's key into the value field. Whenever the value changes, by a choice
/// or by anyone assigning the field, the list dataset is positioned on the matching row with
/// Locate, unless it already stands on it; reading the value when the box is bound moves nothing.
class DBLookupComboBox : public QWidget
{
    Q_OBJECT

public:
    /// Milliseconds on a steady clock: what measures the pause between two typed characters.
    using Clock = std::function<qint64()>;

    /// Typed characters form one search as long as no pause between two of them is longer.
    static constexpr qint64 searchPauseMs = 2000;
    /// The typed search grows to at most this many characters.
    static constexpr int maxSearchLength = 32;

    explicit DBLookupComboBox(QWidget *parent = nullptr);
    ~DBLookupComboBox() override;

    void setDataSource(DataSource *source);
    void setDataField(const QString &name);
    void setListSource(DataSource *source);
    void setKeyField(const QString &name);
    void setListField(const QString &name);
    /// How many rows the opened list shows at once (fewer when the list has fewer rows).
    int dropDownRows() const { return m_dropDownRows; }
    void setDropDownRows(int rows) { m_dropDownRows = rows; }
    /// Tests give their own clock; the default one is the system's monotonic clock.
    void setClock(Clock clock);

    /// The list field shown in the box, empty when no row has the value.
    QString text() const;
    /// What has been typed so far in the closed box.
    QString searchText() const;

    bool isListVisible() const;
    /// Opens the list below the box, or above it when it would pass the bottom of the screen.
    void dropDown();
    /// Closes the list; with accept, the highlighted row is chosen.
    void closeUp(bool accept);
    /// The opened list, for the keyboard and the mouse of tests.
    QListView *listView() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class ListLink;

    Dataset *listDataset() const;
    Field *keyField() const;
    Field *listField() const;
    QVariant value() const;
    void bindValue(const std::function<void()> &bind);
    void valueChanged();
    void listChanged();
    void showValue();
    int rowOfKey(const QVariant &key) const;
    int firstRowStartingWith(const QString &prefix) const;
    QString listTextAt(int row) const;
    void choose(int row);
    void chooseNeighbour(int step);
    void typeCharacters(const QString &text);
    void placePopup(int rowCount);
    QStyleOptionComboBox styleOption() const;

    FieldLink m_link;
    std::unique_ptr<ListLink> m_listLink;
    QString m_keyFieldName;
    QString m_listFieldName;
    int m_dropDownRows = 7;
    Clock m_clock;
    /// The value of the field as last seen, to tell a change from a notice that changes nothing.
    QVariant m_knownValue;
    bool m_binding = false;
    QString m_text;
    QString m_searchText;
    std::optional<qint64> m_lastTypedAt;
    QFrame *m_popup = nullptr;
    QListView *m_listView = nullptr;
    QStringListModel *m_listModel = nullptr;
};
