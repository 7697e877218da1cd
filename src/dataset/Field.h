#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

class Dataset;

enum class FieldKind {
    Text,     ///< text of at most size() characters, held as QString
    Float,    ///< double
    SmallInt, ///< 16-bit integer
    Integer,  ///< 32-bit integer
    Date,     ///< a day, held as QDate
    Memo,     ///< text blob, held as the stored bytes
    Blob,     ///< binary blob, held as the stored bytes
};

/// One column of a dataset: what it holds and how it is shown. Reading gives the current
/// row's value; assigning changes the row being edited or inserted.
class Field
{
public:
    Field(Dataset &dataset, int index, const QString &name, FieldKind kind, int size);

    Dataset &dataset() const { return m_dataset; }
    int index() const { return m_index; }
    const QString &name() const { return m_name; }
    FieldKind kind() const { return m_kind; }
    int size() const { return m_size; }
    bool isBlob() const { return m_kind == FieldKind::Memo || m_kind == FieldKind::Blob; }
    bool isNumeric() const;

    bool isRequired() const { return m_required; }
    void setRequired(bool required) { m_required = required; }
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    /// The name shown in grid titles and messages; the field name unless one is given.
    QString displayLabel() const { return m_displayLabel.isEmpty() ? m_name : m_displayLabel; }
    void setDisplayLabel(const QString &label) { m_displayLabel = label; }
    int displayWidth() const { return m_displayWidth; }
    void setDisplayWidth(int width) { m_displayWidth = width; }

    /// True when the field may be changed through a control: its dataset can be written and
    /// the field is not read-only.
    bool canModify() const;

    bool isNull() const;
    /// The value, or an invalid QVariant when null.
    QVariant value() const;
    /// The value the field had before the current Edit or Append.
    QVariant oldValue() const;
    QString asString() const;
    /// Null reads as 0, as every caller of a key expects.
    double asFloat() const;
    int asInteger() const;
    QDate asDate() const;
    QByteArray asBytes() const;

    /// Throws DatasetError when the dataset is not editing, or when the value does not fit:
    /// text longer than the size, or with a character the database cannot hold.
    void setValue(const QVariant &value);
    void clear() { setValue(QVariant()); }

    /// Why text cannot be stored in this field, or an empty string when it can.
    QString rejectionOf(const QString &text) const;

    /// The value converted to what this field holds; an invalid QVariant stands for null.
    QVariant normalized(const QVariant &value) const;

private:
    Dataset &m_dataset;
    int m_index;
    QString m_name;
    FieldKind m_kind;
    int m_size;
    bool m_required = false;
    bool m_visible = true;
    bool m_readOnly = false;
    QString m_displayLabel;
    int m_displayWidth;
};
