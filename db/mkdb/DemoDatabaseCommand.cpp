#include "DemoDatabaseCommand.h"

#include "DemoRecipeBook.h"
#include "RecipeDatabase.h"

#include "firebird/Client.h"
#include "firebird/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>
#include <filesystem>
#include <optional>

namespace DemoDatabaseCommand {
namespace {

struct Options
{
    bool replace = false;
    QString path;
};

std::optional<Options> parse(const QStringList &arguments)
{
    Options options;
    for (const QString &argument : arguments) {
        if (argument == u"--replace")
            options.replace = true;
        else if (argument.startsWith(u'-') || !options.path.isEmpty())
            return std::nullopt;
        else
            options.path = argument;
    }
    if (options.path.isEmpty())
        return std::nullopt;
    return options;
}

void say(std::FILE *stream, const QString &text)
{
    std::fputs(qUtf8Printable(text + u'\n'), stream);
}

/// The new database is built under a name of its own beside the target, so that a failure
/// halfway leaves no half-written file where the program looks. Removed when dropped unless
/// it has been moved into place.
class TemporaryDatabase
{
public:
    explicit TemporaryDatabase(const QFileInfo &target)
        : m_path(target.dir().filePath(QStringLiteral(".%1.%2.tmp")
              .arg(target.fileName())
              .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))))
    {
    }
    ~TemporaryDatabase()
    {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    TemporaryDatabase(const TemporaryDatabase &) = delete;
    TemporaryDatabase &operator=(const TemporaryDatabase &) = delete;

    const QString &path() const { return m_path; }

    /// False, and the target left as it is, when a file appeared there in the meantime.
    bool moveToFreeName(const QString &target)
    {
        if (!QFile::rename(m_path, target))
            return false;
        m_path.clear();
        return true;
    }

    /// Swaps the finished file in, in one step, in place of whatever was there.
    void moveOver(const QString &target)
    {
        std::filesystem::rename(QFile::encodeName(m_path).toStdString(), QFile::encodeName(target).toStdString());
        m_path.clear();
    }

private:
    QString m_path;
};

int write(const QFileInfo &target, bool replace)
{
    TemporaryDatabase temporary(target);
    {
        fb::Attachment attachment = RecipeDatabase::create(temporary.path());
        DemoRecipeBook::fill(attachment);
        attachment.detach();
    }
    if (replace) {
        temporary.moveOver(target.filePath());
    } else if (!temporary.moveToFreeName(target.filePath())) {
        if (!QFileInfo::exists(target.filePath()))
            throw fb::Error(QStringLiteral("%1 n'a pas pu être mis en place").arg(target.filePath()));
        say(stdout, QStringLiteral("%1 est apparu entre-temps : il est conservé tel quel.").arg(target.filePath()));
        return 0;
    }
    say(stdout, QStringLiteral("Livre de recettes de démonstration écrit dans %1").arg(target.filePath()));
    return 0;
}

} // namespace

int run(const QStringList &arguments, const QString &programFolder)
{
    const std::optional<Options> options = parse(arguments);
    if (!options) {
        say(stderr, QStringLiteral("Usage : cuisinotte-mkdb [--replace] <fichier de la base>"));
        return 1;
    }
    const QFileInfo target(QDir::current().absoluteFilePath(options->path));
    if (target.exists() && !target.isFile()) {
        say(stderr, QStringLiteral("cuisinotte-mkdb : %1 n'est pas un fichier").arg(target.filePath()));
        return 1;
    }
    // The file may hold the user's own recipes: only an explicit --replace lets it go.
    if (target.exists() && !options->replace) {
        say(stdout, QStringLiteral("%1 existe déjà : il est conservé tel quel (--replace pour le recréer).")
                        .arg(target.filePath()));
        return 0;
    }
    if (!target.dir().exists()) {
        say(stderr, QStringLiteral("cuisinotte-mkdb : le dossier %1 n'existe pas").arg(target.path()));
        return 1;
    }

    fb::Client::useConfigurationRoot(QDir(programFolder).filePath(QStringLiteral("firebird")));
    try {
        return write(target, options->replace);
    } catch (const fb::Error &error) {
        say(stderr, QStringLiteral("cuisinotte-mkdb : %1").arg(error.message()));
    } catch (const std::exception &error) {
        say(stderr, QStringLiteral("cuisinotte-mkdb : %1").arg(QString::fromLocal8Bit(error.what())));
    }
    return 1;
}

} // namespace DemoDatabaseCommand
