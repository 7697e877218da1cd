#pragma once

#include "Client.h"

#include <QString>

namespace fb {

/// Who connects, and as what. The recipe database is always opened in SQL dialect 3.
struct Credentials
{
    QString userName;
    QString password;
};

/// One connection to a database file, opened by the embedded engine when the name is a local
/// path. Detached when dropped.
class Attachment
{
public:
    static Attachment open(const QString &databasePath, const Credentials &credentials);
    /// Creates a new database file (page size 8 KiB, dialect 3) and stays attached to it.
    static Attachment create(const QString &databasePath, const Credentials &credentials);

    Attachment() = default;
    ~Attachment();
    Attachment(Attachment &&) noexcept = default;
    Attachment &operator=(Attachment &&) noexcept = default;

    bool isAttached() const { return bool(m_attachment); }
    void detach();

    Firebird::IAttachment *get() const { return m_attachment.get(); }

private:
    explicit Attachment(Firebird::IAttachment *attachment) : m_attachment(attachment) {}

    Ref<Firebird::IAttachment> m_attachment;
};

} // namespace fb
