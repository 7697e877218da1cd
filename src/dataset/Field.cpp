#include "Field.h"

#include "Dataset.h"
#include "DatasetError.h"

#include "codepage/Cp1252.h"

Field::Field(Dataset &dataset, int index, const QString &name, FieldKind kind, int size)
    : m_dataset(dataset)
    , m_index(index)
    , m_name(name)
    , m_kind(kind)
    , m_size(size)
    , m_displayWidth(kind == FieldKind::Text ? size : 10)
{
}

bool Field::isNumeric() const
{
    return m_kind == FieldKind::Float || m_kind == FieldKind::SmallInt || m_kind == FieldKind::Integer;
}

bool Field::canModify() const
{
    return !m_readOnly && m_dataset.canModify();
}

bool Field::isNull() const
{
    return !value().isValid();
}

QVariant Field::value() const
{
    return m_dataset.currentValue(m_index);
}

QVariant Field::oldValue() const
{
    return m_dataset.oldValue(m_index);
}

QString Field::asString() const
{
    const QVariant v = value();
    if (!v.isValid())
        return {};
    if (m_kind == FieldKind::Memo || m_kind == FieldKind::Blob)
        return Cp1252::decode(v.toByteArray());
    if (m_kind == FieldKind::Date)
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    return v.toString();
}

double Field::asFloat() const
{
    return value().toDouble();
}

int Field::asInteger() const
{
    return value().toInt();
}

QDate Field::asDate() const
{
    return value().toDate();
}

QByteArray Field::asBytes() const
{
    const QVariant v = value();
    if (m_kind == FieldKind::Text)
        return Cp1252::encode(v.toString()).value_or(QByteArray());
    return v.toByteArray();
}

QString Field::rejectionOf(const QString &text) const
{
    if (m_kind != FieldKind::Text && m_kind != FieldKind::Memo)
        return {};
    for (const QChar character : text) {
        if (!Cp1252::canEncode(character)) {
            return QStringLiteral("Le caractère « %1 » ne peut pas être enregistré dans le champ '%2'.")
                .arg(character, displayLabel());
        }
    }
    if (m_kind == FieldKind::Text && text.size() > m_size) {
        return QStringLiteral("Le champ '%1' ne peut contenir que %2 caractères.")
            .arg(displayLabel())
            .arg(m_size);
    }
    return {};
}

QVariant Field::normalized(const QVariant &value) const
{
    if (!value.isValid() || value.isNull())
        return {};
    switch (m_kind) {
    case FieldKind::Text: {
        const QString text = value.toString();
        // An emptied text is no text: a required field left blank must be caught as such.
        if (text.isEmpty())
            return {};
        const QString rejection = rejectionOf(text);
        if (!rejection.isEmpty())
            throw DatasetError(rejection);
        return text;
    }
    case FieldKind::Float:
        return value.toDouble();
    case FieldKind::SmallInt: {
        const int number = value.toInt();
        if (number < -32768 || number > 32767)
            throw DatasetError(QStringLiteral("%1 n'est pas une valeur valide pour le champ '%2'.")
                                   .arg(number)
                                   .arg(displayLabel()));
        return number;
    }
    case FieldKind::Integer:
        return value.toInt();
    case FieldKind::Date:
        return value.toDate();
    case FieldKind::Memo:
    case FieldKind::Blob: {
        // A blob holds bytes; text given to a memo is stored in the database's code page.
        QByteArray bytes;
        if (value.typeId() == QMetaType::QString) {
            const QString rejection = rejectionOf(value.toString());
            if (!rejection.isEmpty())
                throw DatasetError(rejection);
            bytes = Cp1252::encode(value.toString()).value_or(QByteArray());
        } else {
            bytes = value.toByteArray();
        }
        // An emptied blob is stored as null: there is no text or picture.
        return bytes.isEmpty() ? QVariant() : QVariant(bytes);
    }
    }
    return {};
}

void Field::setValue(const QVariant &value)
{
    m_dataset.assignValue(m_index, normalized(value));
}
