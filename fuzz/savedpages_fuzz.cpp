// Any bytes given as a saved report must give a document or an error, never crash, hang or exit;
// a refusal must leave the document as it was, and a document read must be written again as the
// very bytes it came from.
#include "report/SavedPages.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Fonts are Qt Gui's.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    report::ReportDocument before(QSizeF(148, 210));
    before.addFont(QFont(QStringLiteral("Arial"), 11));
    before.addPage().items.push_back(report::LineItem{QLineF(1, 2, 3, 4)});
    report::ReportDocument read = before;
    if (const std::optional<QString> error = report::SavedPages::decode(bytes, read)) {
        if (error->isEmpty() || !(read == before))
            std::abort();
    } else if (QByteArrayView(report::SavedPages::encode(read)) != bytes) {
        std::abort();
    }
    return 0;
}
