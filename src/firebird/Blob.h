#pragma once

#include "Message.h"

#include <QByteArray>

namespace fb {

class Attachment;
class Transaction;

/// Whole-blob reads and writes. A blob is written as a new blob whose id is then stored in a
/// row; the engine never changes a blob in place.
namespace Blob {

QByteArray read(Attachment &attachment, Transaction &transaction, BlobId id);
BlobId write(Attachment &attachment, Transaction &transaction, const QByteArray &bytes);

} // namespace Blob
} // namespace fb
