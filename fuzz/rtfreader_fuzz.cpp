// Any bytes given to the RTF reader must load or be refused, never crash or hang, and a refusal
// must leave the document as it was.
#include "richtext/RtfReader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString before = u"avant"_s;
    QTextDocument document(before);
    const auto error = richtext::readRtf(QByteArrayView(data, qsizetype(size)), document);
    if (error && (error->message.isEmpty() || document.toPlainText() != before))
        std::abort();
    return 0;
}
