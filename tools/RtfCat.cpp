// rtfcat [--rtf] FILE: shows what the rich text layer reads in an RTF file.
//   rtfcat FILE        the text, in UTF-8: a paragraph a line, tabs kept, "• " before a bullet
//   rtfcat --rtf FILE  the document written again by our own writer
// Exits 1 with a message when the file cannot be read or is not RTF, 2 on a usage error.

#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextBlock>
#include <QTextDocument>

#include <cstdio>

namespace {

QString plainTextOf(const QTextDocument &document)
{
    QString text;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.textList())
            text += QStringLiteral("• ");
        text += block.text().replace(QChar::LineSeparator, u'\n');
        text += u'\n';
    }
    return text;
}

int fail(const QString &message)
{
    std::fprintf(stderr, "rtfcat: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const bool asRtf = arguments.removeAll(QStringLiteral("--rtf")) > 0;
    if (arguments.size() != 1 || arguments.front().startsWith(u'-')) {
        std::fprintf(stderr, "Usage: rtfcat [--rtf] FILE\n");
        return 2;
    }

    QFile file(arguments.front());
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));

    QTextDocument document;
    if (const std::optional<richtext::RtfReadError> error = richtext::readRtf(bytes, document))
        return fail(QStringLiteral("%1: %2").arg(file.fileName(), error->message));

    const QByteArray output = asRtf ? richtext::writeRtf(document) : plainTextOf(document).toUtf8();
    std::fwrite(output.constData(), 1, std::size_t(output.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : fail(QStringLiteral("cannot write the output"));
}
