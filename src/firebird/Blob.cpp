#include "Blob.h"

#include "Attachment.h"
#include "Error.h"
#include "Transaction.h"

namespace fb::Blob {
namespace {

// The largest segment the engine takes or gives in one call.
constexpr unsigned kSegmentSize = 32 * 1024;

} // namespace

QByteArray read(Attachment &attachment, Transaction &transaction, BlobId id)
{
    Status status;
    Ref<Firebird::IBlob> blob(attachment.get()->openBlob(&status, transaction.get(), &id, 0, nullptr));
    QByteArray bytes;
    char segment[kSegmentSize];
    for (;;) {
        unsigned length = 0;
        const int result = blob->getSegment(&status, sizeof segment, segment, &length);
        if (result != Firebird::IStatus::RESULT_OK && result != Firebird::IStatus::RESULT_SEGMENT)
            break;
        bytes.append(segment, qsizetype(length));
    }
    blob->close(&status);
    blob.take(); // a successful close releases the interface
    return bytes;
}

BlobId write(Attachment &attachment, Transaction &transaction, const QByteArray &bytes)
{
    Status status;
    BlobId id{};
    Ref<Firebird::IBlob> blob(attachment.get()->createBlob(&status, transaction.get(), &id, 0, nullptr));
    for (qsizetype offset = 0; offset < bytes.size(); offset += kSegmentSize) {
        const auto length = unsigned(std::min<qsizetype>(kSegmentSize, bytes.size() - offset));
        blob->putSegment(&status, length, bytes.constData() + offset);
    }
    blob->close(&status);
    blob.take();
    return id;
}

} // namespace fb::Blob
