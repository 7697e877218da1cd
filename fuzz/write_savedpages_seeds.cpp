// write_savedpages_seeds DIR: writes the sound and damaged saved report files our tests read into
// DIR, where the saved pages fuzz target starts from them.
#include "DamagedSavedPages.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Usage: write_savedpages_seeds DIR\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const DamagedSavedPages::Sample &sample : DamagedSavedPages::all()) {
        QFile file(folder.filePath(sample.name));
        if (!file.open(QIODevice::WriteOnly) || file.write(sample.content) != sample.content.size()) {
            std::fprintf(stderr, "write_savedpages_seeds: %s: %s\n", qPrintable(file.fileName()), qPrintable(file.errorString()));
            return 1;
        }
    }
    return 0;
}
