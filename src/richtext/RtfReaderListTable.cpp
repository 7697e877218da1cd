#include "richtext/RtfReaderListTable.h"

#include <algorithm>

namespace richtext {

namespace {

constexpr int BulletNumberFormat = 23;
constexpr int NoNumberFormat = 255;
// Level text units below this one are placeholders for the numbers of the levels.
constexpr char16_t FirstTextUnit = 9;

} // namespace

void RtfReaderListTable::beginList()
{
    m_lists.emplace_back();
}

void RtfReaderListTable::setListId(int id)
{
    if (!m_lists.empty())
        m_listById[id] = m_lists.size() - 1;
}

void RtfReaderListTable::beginLevel()
{
    if (!m_lists.empty())
        m_lists.back().levels.emplace_back();
}

void RtfReaderListTable::setLevelNumberFormat(int format)
{
    if (Level* level = currentLevel())
        level->numberFormat = format;
}

void RtfReaderListTable::setLevelNumberFormatN(int format)
{
    if (Level* level = currentLevel())
        level->numberFormatN = format;
}

void RtfReaderListTable::appendLevelText(QChar unit)
{
    if (Level* level = currentLevel())
        level->text.append(unit);
}

void RtfReaderListTable::beginOverride()
{
    m_override = Override{};
}

void RtfReaderListTable::setOverrideListId(int id)
{
    if (!m_override)
        return;
    m_override->listId = id;
    rememberOverride();
}

void RtfReaderListTable::setOverrideIndex(int index)
{
    if (!m_override)
        return;
    m_override->index = index;
    rememberOverride();
}

std::optional<bool> RtfReaderListTable::isBulleted(int overrideIndex, int level) const
{
    const auto listId = m_listIdByOverride.find(overrideIndex);
    if (listId == m_listIdByOverride.end())
        return std::nullopt;
    const auto list = m_listById.find(listId->second);
    if (list == m_listById.end())
        return std::nullopt;
    const std::vector<Level>& levels = m_lists[list->second].levels;
    if (level < 0 || std::size_t(level) >= levels.size())
        return std::nullopt;
    return isBulleted(levels[std::size_t(level)]);
}

bool RtfReaderListTable::isBulleted(const Level& level)
{
    const std::optional<int> format = level.numberFormat ? level.numberFormat : level.numberFormatN;
    if (format == BulletNumberFormat)
        return true;
    if (format && format != NoNumberFormat)
        return false;
    // No number style: a marker that shows no level's number is a bullet.
    const QString marker = level.text.mid(1, level.text.isEmpty() ? 0 : level.text.front().unicode());
    return !marker.isEmpty()
           && std::ranges::none_of(marker, [](QChar unit) { return unit.unicode() < FirstTextUnit; });
}

RtfReaderListTable::Level* RtfReaderListTable::currentLevel()
{
    if (m_lists.empty() || m_lists.back().levels.empty())
        return nullptr;
    return &m_lists.back().levels.back();
}

void RtfReaderListTable::rememberOverride()
{
    if (m_override->index != 0)
        m_listIdByOverride[m_override->index] = m_override->listId;
}

} // namespace richtext
