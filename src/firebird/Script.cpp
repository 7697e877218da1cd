#include "Script.h"

#include "Statement.h"
#include "Transaction.h"

namespace fb::Script {

QStringList split(const QString &script)
{
    QStringList statements;
    QString current;
    qsizetype i = 0;
    auto finish = [&] {
        const QString statement = current.trimmed();
        if (!statement.isEmpty())
            statements.append(statement);
        current.clear();
    };
    while (i < script.size()) {
        const QChar c = script[i];
        if (c == u'\'' || c == u'"') {
            qsizetype end = i + 1;
            while (end < script.size()) {
                if (script[end] == c) {
                    if (end + 1 < script.size() && script[end + 1] == c) {
                        end += 2;
                        continue;
                    }
                    break;
                }
                ++end;
            }
            current += QStringView(script).mid(i, end + 1 - i);
            i = end + 1;
        } else if (c == u'-' && i + 1 < script.size() && script[i + 1] == u'-') {
            const qsizetype end = script.indexOf(u'\n', i);
            i = end < 0 ? script.size() : end + 1;
            current += u'\n';
        } else if (c == u'/' && i + 1 < script.size() && script[i + 1] == u'*') {
            const qsizetype end = script.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? script.size() : end + 2;
            current += u' ';
        } else if (c == u';') {
            finish();
            ++i;
        } else {
            current += c;
            ++i;
        }
    }
    finish();
    return statements;
}

void run(Attachment &attachment, const QString &script)
{
    for (const QString &sql : split(script)) {
        Transaction transaction = Transaction::start(attachment);
        Statement statement = Statement::prepare(attachment, transaction, sql);
        statement.execute(transaction);
        transaction.commit();
    }
}

} // namespace fb::Script
