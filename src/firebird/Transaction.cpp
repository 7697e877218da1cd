#include "Transaction.h"

#include "Attachment.h"
#include "Error.h"

namespace fb {

Transaction Transaction::start(Attachment &attachment)
{
    Status status;
    Ref<Firebird::IXpbBuilder> tpb(
        Client::util()->getXpbBuilder(&status, Firebird::IXpbBuilder::TPB, nullptr, 0));
    tpb->insertTag(&status, isc_tpb_concurrency);
    tpb->insertTag(&status, isc_tpb_nowait);
    tpb->insertTag(&status, isc_tpb_write);
    return Transaction(attachment.get()->startTransaction(&status,
        tpb->getBufferLength(&status), tpb->getBuffer(&status)));
}

Transaction::~Transaction()
{
    if (!m_transaction)
        return;
    try {
        rollback();
    } catch (const Error &) {
        // Releasing the interface below rolls back whatever the engine still holds.
    }
}

void Transaction::commit()
{
    Status status;
    m_transaction->commit(&status);
    m_transaction.take(); // a successful commit releases the interface
}

void Transaction::rollback()
{
    Status status;
    m_transaction->rollback(&status);
    m_transaction.take();
}

} // namespace fb
