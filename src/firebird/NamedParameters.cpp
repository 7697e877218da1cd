#include "NamedParameters.h"

namespace fb {
namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// Copies a quoted run (a string literal or a quoted identifier) unchanged, returning the index
// after its closing quote. A doubled quote inside is part of the text.
qsizetype copyQuoted(const QString &sql, qsizetype i, QString &out)
{
    const QChar quote = sql[i];
    out += quote;
    ++i;
    while (i < sql.size()) {
        out += sql[i];
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                out += sql[i + 1];
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

} // namespace

NamedParameters NamedParameters::translate(const QString &sql)
{
    NamedParameters result;
    QString &out = result.positionalSql;
    out.reserve(sql.size());
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            i = copyQuoted(sql, i, out);
        } else if (c == u'-' && i + 1 < sql.size() && sql[i + 1] == u'-') {
            const qsizetype end = sql.indexOf(u'\n', i);
            const qsizetype stop = end < 0 ? sql.size() : end;
            out += QStringView(sql).mid(i, stop - i);
            i = stop;
        } else if (c == u'/' && i + 1 < sql.size() && sql[i + 1] == u'*') {
            const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
            const qsizetype stop = end < 0 ? sql.size() : end + 2;
            out += QStringView(sql).mid(i, stop - i);
            i = stop;
        } else if (c == u':' && i + 1 < sql.size() && sql[i + 1] == u'"') {
            const qsizetype end = sql.indexOf(u'"', i + 2);
            const qsizetype stop = end < 0 ? sql.size() : end;
            result.names.append(sql.mid(i + 2, stop - i - 2));
            out += u'?';
            i = end < 0 ? sql.size() : end + 1;
        } else if (c == u':' && i + 1 < sql.size() && isNameStart(sql[i + 1])) {
            qsizetype end = i + 1;
            while (end < sql.size() && isNameChar(sql[end]))
                ++end;
            result.names.append(sql.mid(i + 1, end - i - 1).toUpper());
            out += u'?';
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    return result;
}

QList<int> NamedParameters::positionsOf(const QString &name) const
{
    QList<int> positions;
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            positions.append(i);
    }
    return positions;
}

} // namespace fb
