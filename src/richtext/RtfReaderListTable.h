#pragma once

#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace richtext {

// The list definitions of a document (\listtable) and the overrides that paragraphs name with
// \ls (\listoverridetable), kept only as far as they tell bullets from numbers.
class RtfReaderListTable {
public:
    void beginList();
    void setListId(int id);
    void beginLevel();
    void setLevelNumberFormat(int format);
    void setLevelNumberFormatN(int format);
    void appendLevelText(QChar unit);

    void beginOverride();
    void setOverrideListId(int id);
    void setOverrideIndex(int index);

    // Whether paragraphs of override \ls<index> at level \ilvl<level> carry bullets; nothing when
    // the tables do not define that level.
    std::optional<bool> isBulleted(int overrideIndex, int level) const;

private:
    struct Level {
        std::optional<int> numberFormat;  // \levelnfc
        std::optional<int> numberFormatN; // \levelnfcn
        QString text;                     // \leveltext: a length unit, then the units
    };
    struct List {
        std::vector<Level> levels;
    };
    struct Override {
        int listId = 0;
        int index = 0;
    };

    static bool isBulleted(const Level& level);
    Level* currentLevel();
    void rememberOverride();

    std::vector<List> m_lists;
    std::map<int, std::size_t> m_listById;
    std::optional<Override> m_override;
    std::map<int, int> m_listIdByOverride;
};

} // namespace richtext
