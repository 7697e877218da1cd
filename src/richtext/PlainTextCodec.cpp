#include "richtext/PlainTextCodec.h"

#include "codepage/Cp1252.h"

#include <QStringDecoder>

namespace richtext {

QString decodePlainText(QByteArrayView bytes)
{
    if (const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*marked);
        return withUnixLineEnds(decoder(bytes));
    }
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = Cp1252::decode(bytes);
    return withUnixLineEnds(std::move(text));
}

QByteArray encodePlainText(const QString &rawText)
{
    QString text = rawText;
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text.toUtf8();
}

QString withUnixLineEnds(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

} // namespace richtext
