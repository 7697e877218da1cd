#pragma once

#include <QString>
#include <QStringList>

namespace help {

/// The topics the help window has shown, for going back and forward as in a web browser: going
/// to a new topic from the middle of the history forgets the topics ahead.
class HelpHistory
{
public:
    void clear();
    /// Records a topic shown; the topic already current is not recorded twice.
    void visit(const QString &topic);

    bool canGoBack() const;
    bool canGoForward() const;
    /// Steps back and returns the topic found there; only when canGoBack().
    QString back();
    /// Steps forward and returns the topic found there; only when canGoForward().
    QString forward();

private:
    QStringList m_topics;
    qsizetype m_current = -1;
};

} // namespace help
