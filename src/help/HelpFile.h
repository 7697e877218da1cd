#pragma once

#include <QList>
#include <QString>

namespace help {

/// A topic of the help file: the anchor its heading carries, and the heading's text.
struct HelpTopic {
    QString name;
    QString title;

    bool operator==(const HelpTopic &) const = default;
};

/// The help file as it was read.
///
/// The help is one HTML document in UTF-8, written by us and delivered beside the program. Each
/// topic is a first-level heading that carries an anchor named after the topic; the contents
/// topic "SOMMAIRE" must be among them, or the file is not a help file. Reading never throws:
/// a file that cannot serve as help gives a message in French that names the file by its full
/// path.
class HelpFile
{
public:
    /// More than any help we write, and little enough to read and lay out at once.
    static constexpr qint64 maximumSize = 4 * 1024 * 1024;

    /// The topic the help opens at: its contents.
    static QString contentsTopic();

    static HelpFile read(const QString &path);

    /// The file's full path.
    const QString &path() const { return m_path; }
    bool isValid() const { return m_error.isEmpty(); }
    /// Why the file cannot serve as help; empty when it can.
    const QString &error() const { return m_error; }
    const QString &html() const { return m_html; }
    /// The topics in the order of the document.
    const QList<HelpTopic> &topics() const { return m_topics; }
    bool hasTopic(const QString &name) const;
    /// The message telling that the topic is not in this file.
    QString missingTopicMessage(const QString &name) const;

private:
    explicit HelpFile(const QString &path);

    void load();
    void fail(const QString &message);
    QString quotedPath() const;

    QString m_path;
    QString m_error;
    QString m_html;
    QList<HelpTopic> m_topics;
};

} // namespace help
