#include "Generator.h"

#include "Error.h"
#include "Statement.h"

namespace fb::Generator {

qint32 next(Attachment &attachment, Transaction &transaction, const QString &name, int increment)
{
    // Dialect 3 quotes the name, so it is matched exactly as the schema wrote it.
    const QByteArray quotedName = '"' + name.toLatin1() + '"';
    const QString sql = QString::asprintf("SELECT GEN_ID(%s, %d) FROM RDB$DATABASE",
        quotedName.constData(), increment);
    Statement statement = Statement::prepare(attachment, transaction, sql);
    Cursor cursor = statement.openCursor(transaction);
    if (!cursor.fetchNext())
        throw Error(QStringLiteral("Generator %1 returned no value").arg(name));
    // Deliberately truncated to 32 bits: the keys live in that range.
    return static_cast<qint32>(cursor.row().toInt64(0));
}

} // namespace fb::Generator
