#include "Attachment.h"

#include "Error.h"

namespace fb {
namespace {

constexpr int kSqlDialect = 3;
constexpr int kPageSize = 8192;

Ref<Firebird::IXpbBuilder> databaseParameters(Status &status, const Credentials &credentials)
{
    Ref<Firebird::IXpbBuilder> dpb(
        Client::util()->getXpbBuilder(&status, Firebird::IXpbBuilder::DPB, nullptr, 0));
    dpb->insertString(&status, isc_dpb_user_name, credentials.userName.toUtf8().constData());
    dpb->insertString(&status, isc_dpb_password, credentials.password.toUtf8().constData());
    dpb->insertInt(&status, isc_dpb_sql_dialect, kSqlDialect);
    return dpb;
}

} // namespace

Attachment Attachment::open(const QString &databasePath, const Credentials &credentials)
{
    Status status;
    auto dpb = databaseParameters(status, credentials);
    return Attachment(Client::provider()->attachDatabase(&status,
        databasePath.toLocal8Bit().constData(), dpb->getBufferLength(&status),
        dpb->getBuffer(&status)));
}

Attachment Attachment::create(const QString &databasePath, const Credentials &credentials)
{
    Status status;
    auto dpb = databaseParameters(status, credentials);
    dpb->insertInt(&status, isc_dpb_page_size, kPageSize);
    return Attachment(Client::provider()->createDatabase(&status,
        databasePath.toLocal8Bit().constData(), dpb->getBufferLength(&status),
        dpb->getBuffer(&status)));
}

Attachment::~Attachment()
{
    if (!m_attachment)
        return;
    try {
        detach();
    } catch (const Error &) {
        // The connection is going away regardless; releasing the interface below ends it.
    }
}

void Attachment::detach()
{
    if (!m_attachment)
        return;
    Status status;
    m_attachment->detach(&status);
    m_attachment.take(); // a successful detach releases the interface
}

} // namespace fb
