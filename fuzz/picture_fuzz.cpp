// Any bytes given to the picture readers (a recipe's field, read as JPEG or as an older bitmap,
// and the icon and metafile files) must give a picture or an error, never crash, hang or exit;
// a refusal must leave the picture as it was.
#include "picture/PictureReader.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Metafile text is laid out by Qt Gui.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const picture::Picture before = picture::Picture::bitmap(QImage(1, 1, QImage::Format_RGB32));
    const auto check = [&before](const std::optional<picture::PictureError> &error, const picture::Picture &read) {
        if (error && (error->message.isEmpty() || read.kind() != before.kind() || read.size() != before.size()))
            std::abort();
    };
    picture::Picture read = before;
    check(picture::pictureFromBlob(bytes, read), read);
    // Each reader by the file name that chooses it; the bitmap and JPEG readers are the blob's.
    for (const char *name : {"x.ico", "x.wmf", "x.emf"}) {
        read = before;
        check(picture::pictureFromFile(QString::fromLatin1(name), bytes, read), read);
    }
    return 0;
}
