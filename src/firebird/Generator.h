#pragma once

#include <QString>

namespace fb {

class Attachment;
class Transaction;

/// Draws the next value of a generator (sequence). Generators advance outside transaction
/// control: a value drawn is never given back, even when the transaction rolls back.
namespace Generator {

/// The value, taken as a signed 32-bit integer as the recipe keys are.
qint32 next(Attachment &attachment, Transaction &transaction, const QString &name, int increment = 1);

} // namespace Generator
} // namespace fb
