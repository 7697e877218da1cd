#include "Message.h"

#include "Error.h"

#include <cmath>
#include <cstring>

namespace fb {
namespace {

constexpr short kNull = -1;

// Firebird counts days from 17 November 1858, the Modified Julian Day epoch.
const QDate kDateEpoch(1858, 11, 17);

qint64 powerOfTen(int exponent)
{
    qint64 value = 1;
    while (exponent-- > 0)
        value *= 10;
    return value;
}

} // namespace

ColumnKind Column::kind() const
{
    switch (sqlType) {
    case SQL_TEXT:
    case SQL_VARYING:
        return ColumnKind::Text;
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        return scale == 0 ? ColumnKind::WholeNumber : ColumnKind::FloatingPoint;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return ColumnKind::FloatingPoint;
    case SQL_TYPE_DATE:
        return ColumnKind::Date;
    case SQL_BLOB:
        return ColumnKind::Blob;
    default:
        return ColumnKind::Other;
    }
}

Message::Message(Firebird::IMessageMetadata *metadata)
{
    metadata->addRef();
    m_metadata = Ref<Firebird::IMessageMetadata>(metadata);
    Status status;
    const unsigned count = metadata->getCount(&status);
    m_columns.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        Column column;
        column.name = QByteArray(metadata->getAlias(&status, i));
        column.sqlType = metadata->getType(&status, i) & ~1u;
        column.subType = metadata->getSubType(&status, i);
        column.length = metadata->getLength(&status, i);
        column.scale = metadata->getScale(&status, i);
        column.offset = metadata->getOffset(&status, i);
        column.nullOffset = metadata->getNullOffset(&status, i);
        m_columns.push_back(column);
    }
    m_buffer = QByteArray(int(metadata->getMessageLength(&status)), '\0');
    for (int i = 0; i < this->count(); ++i)
        setNull(i);
}

Message::~Message() = default;

template<typename T>
T Message::read(unsigned offset) const
{
    T value;
    std::memcpy(&value, m_buffer.constData() + offset, sizeof value);
    return value;
}

template<typename T>
void Message::write(unsigned offset, T value)
{
    std::memcpy(m_buffer.data() + offset, &value, sizeof value);
}

bool Message::isNull(int index) const
{
    return read<short>(column(index).nullOffset) != 0;
}

QByteArrayView Message::text(int index) const
{
    const Column &c = column(index);
    if (isNull(index))
        return {};
    if (c.sqlType == SQL_VARYING) {
        const auto length = read<unsigned short>(c.offset);
        return QByteArrayView(m_buffer.constData() + c.offset + sizeof(unsigned short), length);
    }
    if (c.sqlType == SQL_TEXT)
        return QByteArrayView(m_buffer.constData() + c.offset, c.length);
    throw Error(QStringLiteral("Column %1 is not text").arg(QString::fromLatin1(c.name)));
}

qint64 Message::toInt64(int index) const
{
    const Column &c = column(index);
    if (isNull(index))
        return 0;
    switch (c.sqlType) {
    case SQL_SHORT:
        return read<short>(c.offset) / powerOfTen(-c.scale);
    case SQL_LONG:
        return read<ISC_LONG>(c.offset) / powerOfTen(-c.scale);
    case SQL_INT64:
        return read<ISC_INT64>(c.offset) / powerOfTen(-c.scale);
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return qint64(std::llround(toDouble(index)));
    default:
        throw Error(QStringLiteral("Column %1 is not a number").arg(QString::fromLatin1(c.name)));
    }
}

double Message::toDouble(int index) const
{
    const Column &c = column(index);
    if (isNull(index))
        return 0;
    const double divisor = double(powerOfTen(-c.scale));
    switch (c.sqlType) {
    case SQL_SHORT:
        return read<short>(c.offset) / divisor;
    case SQL_LONG:
        return read<ISC_LONG>(c.offset) / divisor;
    case SQL_INT64:
        return double(read<ISC_INT64>(c.offset)) / divisor;
    case SQL_FLOAT:
        return read<float>(c.offset);
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return read<double>(c.offset);
    default:
        throw Error(QStringLiteral("Column %1 is not a number").arg(QString::fromLatin1(c.name)));
    }
}

QDate Message::toDate(int index) const
{
    const Column &c = column(index);
    if (isNull(index))
        return {};
    if (c.sqlType == SQL_TYPE_DATE)
        return kDateEpoch.addDays(read<ISC_DATE>(c.offset));
    if (c.sqlType == SQL_TIMESTAMP)
        return kDateEpoch.addDays(read<ISC_TIMESTAMP>(c.offset).timestamp_date);
    throw Error(QStringLiteral("Column %1 is not a date").arg(QString::fromLatin1(c.name)));
}

BlobId Message::blobId(int index) const
{
    const Column &c = column(index);
    if (c.sqlType != SQL_BLOB)
        throw Error(QStringLiteral("Column %1 is not a blob").arg(QString::fromLatin1(c.name)));
    return read<BlobId>(c.offset);
}

void Message::setNull(int index)
{
    write<short>(column(index).nullOffset, kNull);
}

void Message::markPresent(int index)
{
    write<short>(column(index).nullOffset, 0);
}

void Message::setText(int index, const QByteArray &bytes)
{
    const Column &c = column(index);
    if (c.sqlType != SQL_VARYING && c.sqlType != SQL_TEXT)
        throw Error(QStringLiteral("Parameter %1 does not take text").arg(index + 1));
    if (unsigned(bytes.size()) > c.length) {
        throw Error(QStringLiteral("arithmetic exception, numeric overflow, or string truncation\n"
                                   "string right truncation (%1 characters, at most %2)")
                        .arg(bytes.size())
                        .arg(c.length),
            isc_arith_except);
    }
    if (c.sqlType == SQL_VARYING) {
        write<unsigned short>(c.offset, static_cast<unsigned short>(bytes.size()));
        std::memcpy(m_buffer.data() + c.offset + sizeof(unsigned short), bytes.constData(),
            std::size_t(bytes.size()));
    } else {
        std::memset(m_buffer.data() + c.offset, ' ', c.length);
        std::memcpy(m_buffer.data() + c.offset, bytes.constData(), std::size_t(bytes.size()));
    }
    markPresent(index);
}

void Message::setInt64(int index, qint64 value)
{
    const Column &c = column(index);
    const qint64 scaled = value * powerOfTen(-c.scale);
    switch (c.sqlType) {
    case SQL_SHORT:
        if (scaled < -32768 || scaled > 32767)
            throw Error(QStringLiteral("arithmetic exception, numeric overflow, or string truncation"), isc_arith_except);
        write<short>(c.offset, short(scaled));
        break;
    case SQL_LONG:
        if (scaled < INT32_MIN || scaled > INT32_MAX)
            throw Error(QStringLiteral("arithmetic exception, numeric overflow, or string truncation"), isc_arith_except);
        write<ISC_LONG>(c.offset, ISC_LONG(scaled));
        break;
    case SQL_INT64:
        write<ISC_INT64>(c.offset, scaled);
        break;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        setDouble(index, double(value));
        return;
    default:
        throw Error(QStringLiteral("Parameter %1 does not take a number").arg(index + 1));
    }
    markPresent(index);
}

void Message::setDouble(int index, double value)
{
    const Column &c = column(index);
    switch (c.sqlType) {
    case SQL_FLOAT:
        write<float>(c.offset, float(value));
        break;
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        write<double>(c.offset, value);
        break;
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        setInt64(index, std::llround(value));
        return;
    default:
        throw Error(QStringLiteral("Parameter %1 does not take a number").arg(index + 1));
    }
    markPresent(index);
}

void Message::setDate(int index, QDate value)
{
    const Column &c = column(index);
    const auto days = ISC_DATE(kDateEpoch.daysTo(value));
    if (c.sqlType == SQL_TYPE_DATE) {
        write<ISC_DATE>(c.offset, days);
    } else if (c.sqlType == SQL_TIMESTAMP) {
        write<ISC_TIMESTAMP>(c.offset, ISC_TIMESTAMP{days, 0});
    } else {
        throw Error(QStringLiteral("Parameter %1 does not take a date").arg(index + 1));
    }
    markPresent(index);
}

void Message::setBlobId(int index, BlobId id)
{
    const Column &c = column(index);
    if (c.sqlType != SQL_BLOB)
        throw Error(QStringLiteral("Parameter %1 does not take a blob").arg(index + 1));
    write<BlobId>(c.offset, id);
    markPresent(index);
}

} // namespace fb
