#include "richtext/RtfKeywords.h"

#include <algorithm>
#include <array>

namespace richtext {

namespace {

using enum KeywordKind;
using enum KeywordAction;

// Sorted by name, bytewise, for the binary search below. Control words that are not here
// (\v, \caps, \super, \sl, \tx, \lang...) change nothing this reader keeps and are ignored; so
// is the optional hyphen \-, which disappears from the text.
constexpr std::array keywords = std::to_array<Keyword>({
    {"\n", Flag, ParagraphEnd, 0},
    {"\r", Flag, ParagraphEnd, 0},
    {"*", Flag, Star, 0},
    {"\\", Symbol, Character, '\\'},
    {"_", Symbol, Character, 0x2011},
    {"ansi", Flag, Ansi, 0},
    {"ansicpg", Value, AnsiCodePage, 0},
    {"author", Destination, Skip, 0},
    {"b", Toggle, Bold, 0},
    {"blue", Value, Blue, 0},
    {"bullet", Symbol, Character, 0x2022},
    {"buptim", Destination, Skip, 0},
    {"cell", Flag, CellEnd, 0},
    {"cf", Value, Colour, 0},
    {"colortbl", Destination, ColorTable, 0},
    {"comment", Destination, Skip, 0},
    {"cpg", Value, FontCodePage, 0},
    {"creatim", Destination, Skip, 0},
    {"deff", Value, DefaultFont, 0},
    {"doccomm", Destination, Skip, 0},
    {"emdash", Symbol, Character, 0x2014},
    {"emspace", Symbol, Character, 0x2003},
    {"endash", Symbol, Character, 0x2013},
    {"enspace", Symbol, Character, 0x2002},
    {"f", Value, Font, 0},
    {"fcharset", Value, FontCharset, 0},
    {"fi", Value, FirstLineIndent, 0},
    {"field", Destination, SameDestination, 0},
    {"fldinst", Destination, Skip, 0},
    {"fldrslt", Destination, SameDestination, 0},
    {"fonttbl", Destination, FontTable, 0},
    {"footer", Destination, Skip, 0},
    {"footerf", Destination, Skip, 0},
    {"footerl", Destination, Skip, 0},
    {"footerr", Destination, Skip, 0},
    {"footnote", Destination, Skip, 0},
    {"fprq", Value, FontPitch, 0},
    {"fs", Value, FontSize, 24},
    {"ftncn", Destination, Skip, 0},
    {"ftnsep", Destination, Skip, 0},
    {"ftnsepc", Destination, Skip, 0},
    {"green", Value, Green, 0},
    {"header", Destination, Skip, 0},
    {"headerf", Destination, Skip, 0},
    {"headerl", Destination, Skip, 0},
    {"headerr", Destination, Skip, 0},
    {"i", Toggle, Italic, 0},
    {"ilvl", Value, ListLevelIndex, 0},
    {"info", Destination, Skip, 0},
    {"keywords", Destination, Skip, 0},
    {"ldblquote", Symbol, Character, 0x201C},
    {"levelnfc", Value, LevelNumberFormat, 0},
    {"levelnfcn", Value, LevelNumberFormatN, 0},
    {"levelnumbers", Destination, Skip, 0},
    {"leveltext", Destination, LevelText, 0},
    {"lfolevel", Destination, Skip, 0},
    {"li", Value, LeftIndent, 0},
    {"line", Symbol, Character, 0x2028},
    {"list", Flag, List, 0},
    {"listid", Value, ListId, 0},
    {"listlevel", Flag, ListLevel, 0},
    {"listname", Destination, Skip, 0},
    {"listoverride", Flag, ListOverride, 0},
    {"listoverridetable", Destination, ListOverrideTable, 0},
    {"listtable", Destination, ListTable, 0},
    {"listtext", Destination, ListText, 0},
    {"lquote", Symbol, Character, 0x2018},
    {"ls", Value, ListOverrideIndex, 0},
    {"ltrmark", Symbol, Character, 0x200E},
    {"mac", Flag, Mac, 0},
    {"nestcell", Flag, CellEnd, 0},
    {"nestrow", Flag, RowEnd, 0},
    {"nonshppict", Destination, Skip, 0},
    {"object", Destination, Alternatives, 0},
    {"operator", Destination, Skip, 0},
    {"page", Flag, ParagraphEnd, 0},
    {"par", Flag, ParagraphEnd, 0},
    {"pard", Flag, ParagraphDefaults, 0},
    {"pc", Flag, Pc, 0},
    {"pca", Flag, Pca, 0},
    {"pict", Destination, Skip, 0},
    {"plain", Flag, Plain, 0},
    {"pn", Destination, ParagraphNumbering, 0},
    {"pnlvl", Value, NumberingNumber, 0},
    {"pnlvlblt", Flag, NumberingBullet, 0},
    {"pnlvlbody", Flag, NumberingNumber, 0},
    {"pnlvlcont", Flag, NumberingNumber, 0},
    {"pntext", Destination, ListText, 0},
    {"pntxta", Destination, Skip, 0},
    {"pntxtb", Destination, Skip, 0},
    {"printim", Destination, Skip, 0},
    {"private", Destination, Skip, 0},
    {"qc", Flag, AlignCentre, 0},
    {"qd", Flag, AlignJustify, 0},
    {"qj", Flag, AlignJustify, 0},
    {"ql", Flag, AlignLeft, 0},
    {"qmspace", Symbol, Character, 0x2005},
    {"qr", Flag, AlignRight, 0},
    {"rdblquote", Symbol, Character, 0x201D},
    {"red", Value, Red, 0},
    {"result", Destination, ChosenAlternative, 0},
    {"revtim", Destination, Skip, 0},
    {"ri", Value, RightIndent, 0},
    {"row", Flag, RowEnd, 0},
    {"rquote", Symbol, Character, 0x2019},
    {"rtlmark", Symbol, Character, 0x200F},
    {"rxe", Destination, Skip, 0},
    {"sect", Flag, ParagraphEnd, 0},
    {"shp", Destination, Skip, 0},
    {"stylesheet", Destination, Skip, 0},
    {"subject", Destination, Skip, 0},
    {"tab", Symbol, Character, '\t'},
    {"tc", Destination, Skip, 0},
    {"title", Destination, Skip, 0},
    {"txe", Destination, Skip, 0},
    {"u", Value, Unicode, 0},
    {"uc", Value, UnicodeSkip, 1},
    {"ud", Destination, ChosenAlternative, 0},
    {"ul", Toggle, Underline, 0},
    {"uld", Toggle, Underline, 0},
    {"uldash", Toggle, Underline, 0},
    {"uldashd", Toggle, Underline, 0},
    {"uldashdd", Toggle, Underline, 0},
    {"uldb", Toggle, Underline, 0},
    {"ulhwave", Toggle, Underline, 0},
    {"ulldash", Toggle, Underline, 0},
    {"ulnone", Flag, UnderlineNone, 0},
    {"ulth", Toggle, Underline, 0},
    {"ulthd", Toggle, Underline, 0},
    {"ulthdash", Toggle, Underline, 0},
    {"ulthdashd", Toggle, Underline, 0},
    {"ulthdashdd", Toggle, Underline, 0},
    {"ulthldash", Toggle, Underline, 0},
    {"ululdbwave", Toggle, Underline, 0},
    {"ulw", Toggle, Underline, 0},
    {"ulwave", Toggle, Underline, 0},
    {"upr", Destination, Alternatives, 0},
    {"xe", Destination, Skip, 0},
    {"zwj", Symbol, Character, 0x200D},
    {"zwnj", Symbol, Character, 0x200C},
    {"{", Symbol, Character, '{'},
    {"}", Symbol, Character, '}'},
    {"~", Symbol, Character, 0x00A0},
});

constexpr bool byName(const Keyword& left, const Keyword& right)
{
    return left.name < right.name;
}

static_assert(std::ranges::is_sorted(keywords, byName), "the keyword table must stay sorted by name");

} // namespace

const Keyword* findKeyword(QByteArrayView word)
{
    const std::string_view name(word.data(), static_cast<std::size_t>(word.size()));
    const auto found = std::ranges::lower_bound(keywords, name, {}, &Keyword::name);
    return found != keywords.end() && found->name == name ? &*found : nullptr;
}

} // namespace richtext
