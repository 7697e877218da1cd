// picturecat: shows what the picture control reads in a picture file, as it would on the
// illustration page's "&Ouvrir...".
//   picturecat FILE                 "WIDTHxHEIGHT KIND", KIND one of jpeg, bitmap, icon, metafile
//   picturecat --stored FILE OUT    writes the bytes the recipe's field would hold (empty for an
//                                   icon or a metafile, which the field cannot hold)
//   picturecat --png FILE OUT.png   writes what the control would show
// Exits 1 with the error when the file is not taken, 2 on a usage error.

#include "picture/Picture.h"
#include "picture/PictureReader.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>

namespace {

using picture::Picture;

const char *kindName(Picture::Kind kind)
{
    switch (kind) {
    case Picture::Kind::Jpeg:
        return "jpeg";
    case Picture::Kind::Bitmap:
        return "bitmap";
    case Picture::Kind::Icon:
        return "icon";
    case Picture::Kind::Metafile:
        return "metafile";
    case Picture::Kind::None:
        break;
    }
    return "none";
}

int fail(const QString &message)
{
    std::fprintf(stderr, "picturecat: %s\n", qPrintable(message));
    return 1;
}

int usage()
{
    std::fprintf(stderr, "Usage: picturecat [--stored | --png] FILE [OUT]\n");
    return 2;
}

int write(const QString &fileName, const QByteArray &content)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        return fail(QStringLiteral("%1: %2").arg(fileName, file.errorString()));
    return 0;
}

// What the control shows once the field is written: the stored JPEG decoded back, so that a
// bitmap shows with its compression loss; an icon or a metafile as read.
std::optional<picture::PictureError> shownAfterStoring(const Picture &read, const QByteArray &stored, Picture &shown)
{
    if (stored.isEmpty()) {
        shown = read;
        return std::nullopt;
    }
    return picture::pictureFromBlob(stored, shown);
}

} // namespace

int main(int argc, char *argv[])
{
    // A tool for the command line: no display is needed, but metafile text needs Qt Gui.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    enum class Output { Summary, Stored, Png };
    Output output = Output::Summary;
    QStringList files = arguments;
    if (!files.isEmpty() && files.front() == u"--stored")
        output = Output::Stored;
    else if (!files.isEmpty() && files.front() == u"--png")
        output = Output::Png;
    if (output != Output::Summary)
        files.removeFirst();
    if (files.size() != (output == Output::Summary ? 1 : 2) || files.front().startsWith(u'-'))
        return usage();

    Picture read;
    if (const std::optional<picture::PictureError> error = picture::readPictureFile(files.front(), read))
        return fail(QStringLiteral("%1: %2").arg(files.front(), error->message));
    if (output == Output::Summary) {
        std::printf("%dx%d %s\n", read.size().width(), read.size().height(), kindName(read.kind()));
        return std::fflush(stdout) == 0 ? 0 : fail(QStringLiteral("cannot write the output"));
    }

    QByteArray stored;
    if (const std::optional<picture::PictureError> error = picture::blobOf(read, stored))
        return fail(error->message);
    if (output == Output::Stored)
        return write(files.at(1), stored);

    Picture shown;
    if (const std::optional<picture::PictureError> error = shownAfterStoring(read, stored, shown))
        return fail(error->message);
    QByteArray png;
    {
        QBuffer device(&png);
        device.open(QIODevice::WriteOnly);
        if (!QImageWriter(&device, "png").write(shown.shown()))
            return fail(QStringLiteral("cannot encode the PNG image"));
    }
    return write(files.at(1), png);
}
