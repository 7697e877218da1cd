#include "HelpHistory.h"

namespace help {

void HelpHistory::clear()
{
    m_topics.clear();
    m_current = -1;
}

void HelpHistory::visit(const QString &topic)
{
    if (m_current >= 0 && m_topics.at(m_current) == topic)
        return;
    m_topics.resize(m_current + 1);
    m_topics.append(topic);
    m_current = m_topics.size() - 1;
}

bool HelpHistory::canGoBack() const
{
    return m_current > 0;
}

bool HelpHistory::canGoForward() const
{
    return m_current + 1 < m_topics.size();
}

QString HelpHistory::back()
{
    Q_ASSERT(canGoBack());
    return m_topics.at(--m_current);
}

QString HelpHistory::forward()
{
    Q_ASSERT(canGoForward());
    return m_topics.at(++m_current);
}

} // namespace help
