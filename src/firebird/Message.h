#pragma once

#include "Client.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDate>
#include <QList>

#include <vector>

namespace fb {

using BlobId = ISC_QUAD;

/// The kinds of column value this layer reads and writes.
enum class ColumnKind { Text, WholeNumber, FloatingPoint, Date, Blob, Other };

/// What the engine says about one column of a result or one statement parameter.
struct Column
{
    QByteArray name; ///< the column's alias as the select names it (upper case unless quoted)
    unsigned sqlType = 0;
    int subType = 0;  ///< blob sub-type: 0 binary, 1 text
    unsigned length = 0;
    int scale = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;

    ColumnKind kind() const;
};

/// One message of the engine's wire format: a row of a result or a statement's parameters,
/// described by its metadata and held in one buffer. Readers convert from the column's own
/// type; writers convert to the parameter's declared type.
class Message
{
public:
    Message() = default;
    explicit Message(Firebird::IMessageMetadata *metadata); // takes its own reference
    ~Message();
    Message(Message &&) noexcept = default;
    Message &operator=(Message &&) noexcept = default;

    int count() const { return int(m_columns.size()); }
    const Column &column(int index) const { return m_columns[std::size_t(index)]; }
    Firebird::IMessageMetadata *metadata() const { return m_metadata.get(); }
    unsigned char *buffer() { return reinterpret_cast<unsigned char *>(m_buffer.data()); }

    bool isNull(int index) const;
    /// The bytes of a text column, seen in place: valid until the next row is fetched.
    QByteArrayView text(int index) const;
    qint64 toInt64(int index) const;
    double toDouble(int index) const;
    QDate toDate(int index) const;
    BlobId blobId(int index) const;

    void setNull(int index);
    /// Throws when the bytes are longer than the parameter holds.
    void setText(int index, const QByteArray &bytes);
    void setInt64(int index, qint64 value);
    void setDouble(int index, double value);
    void setDate(int index, QDate value);
    void setBlobId(int index, BlobId id);

private:
    template<typename T> T read(unsigned offset) const;
    template<typename T> void write(unsigned offset, T value);
    void markPresent(int index);

    Ref<Firebird::IMessageMetadata> m_metadata;
    std::vector<Column> m_columns;
    QByteArray m_buffer;
};

} // namespace fb
