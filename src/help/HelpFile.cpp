#include "HelpFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace help {

namespace {

// A topic is a first-level heading with an anchor; its title is what the heading says.
QList<HelpTopic> topicsOf(const QTextDocument &document)
{
    QList<HelpTopic> topics;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1)
            continue;
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QStringList names = fragment.fragment().charFormat().anchorNames();
            if (!names.isEmpty()) {
                topics.append({names.constFirst(), block.text().simplified()});
                break;
            }
        }
    }
    return topics;
}

} // namespace

QString HelpFile::contentsTopic()
{
    return u"SOMMAIRE"_s;
}

HelpFile::HelpFile(const QString &path)
    : m_path(QFileInfo(path).absoluteFilePath())
{
}

HelpFile HelpFile::read(const QString &path)
{
    HelpFile file(path);
    file.load();
    return file;
}

bool HelpFile::hasTopic(const QString &name) const
{
    return std::any_of(m_topics.cbegin(), m_topics.cend(), [&name](const HelpTopic &topic) { return topic.name == name; });
}

QString HelpFile::missingTopicMessage(const QString &name) const
{
    return u"La rubrique « %1 » est introuvable dans le fichier d'aide %2."_s.arg(name, quotedPath());
}

void HelpFile::load()
{
    // The system's own reasons come in English; the common ones are said here in French.
    const QFileInfo info(m_path);
    const QString cannotOpen = u"Impossible d'ouvrir le fichier d'aide %1 : %2."_s;
    if (!info.exists())
        return fail(cannotOpen.arg(quotedPath(), u"ce fichier n'existe pas"_s));
    // Only a plain file: opening a pipe or a device could wait for ever.
    if (!info.isFile())
        return fail(cannotOpen.arg(quotedPath(), u"ce n'est pas un fichier"_s));
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        return fail(cannotOpen.arg(quotedPath(),
            info.isReadable() ? file.errorString() : u"vous n'avez pas le droit de le lire"_s));
    }

    // One byte past the limit tells a file too large from one just large enough, also when
    // the size the system gives is not the size read.
    const QByteArray bytes = file.read(maximumSize + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(u"Impossible de lire le fichier d'aide %1 : %2."_s.arg(quotedPath(), file.errorString()));
    if (bytes.size() > maximumSize) {
        return fail(u"Le fichier d'aide %1 est trop grand (plus de %2 Mo) : ce n'est pas l'aide de Cuisinotte."_s
                .arg(quotedPath())
                .arg(maximumSize / (1024 * 1024)));
    }
    if (bytes.trimmed().isEmpty())
        return fail(u"Le fichier d'aide %1 est vide."_s.arg(quotedPath()));

    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError() || text.contains(QChar::Null)) {
        return fail(u"Le fichier d'aide %1 n'est pas un texte en UTF-8 : ce n'est pas l'aide de Cuisinotte."_s
                .arg(quotedPath()));
    }

    QTextDocument document;
    document.setHtml(text);
    m_topics = topicsOf(document);
    if (!hasTopic(contentsTopic())) {
        m_topics.clear();
        return fail(missingTopicMessage(contentsTopic()));
    }
    m_html = text;
}

void HelpFile::fail(const QString &message)
{
    m_error = message;
}

QString HelpFile::quotedPath() const
{
    return u"« %1 »"_s.arg(QDir::toNativeSeparators(m_path));
}

} // namespace help
