#include "TextFiles.h"

#include "FileDialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>

namespace TextFiles {
namespace {

[[noreturn]] void fail(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

[[noreturn]] void failTooLarge(const QString &fileName)
{
    fail(QStringLiteral("Le fichier « %1 » est trop grand pour être un texte de recette : une recette tient en %2 Mo au plus.")
             .arg(QDir::toNativeSeparators(fileName))
             .arg(maxSize / (1024 * 1024)));
}

[[noreturn]] void failToOpen(const QFile &file)
{
    fail(QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
}

} // namespace

void checkSize(const QString &fileName)
{
    const QFileInfo file(fileName);
    if (file.isFile() && file.size() > maxSize)
        failTooLarge(fileName);
}

QByteArray read(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        failToOpen(file);
    // One byte more than the largest text tells a file that grows as it is read (a device) from
    // one that fits.
    QByteArray content = file.read(maxSize + 1);
    if (content.size() > maxSize)
        failTooLarge(fileName);
    if (file.error() != QFile::NoError)
        failToOpen(file);
    return content;
}

void write(const QString &fileName, const QByteArray &content)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        fail(QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(fileName), file.errorString()));
}

void setUpDialog(QFileDialog &dialog, const QString &directory)
{
    setUpFileDialog(dialog, {QStringLiteral("Fichiers texte (*.TXT)")}, QStringLiteral("txt"));
    dialog.setDirectory(directory);
}

} // namespace TextFiles
