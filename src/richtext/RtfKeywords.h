#pragma once

#include <QByteArrayView>

#include <cstdint>
#include <string_view>

namespace richtext {

// How a control word takes its parameter.
enum class KeywordKind : std::uint8_t {
    Flag,        // no parameter
    Toggle,      // on, or off when the parameter is 0
    Value,       // the parameter, or the keyword's default when it has none
    Destination, // starts a group whose content goes somewhere else, or nowhere
    Symbol,      // stands for one character, the keyword's value
};

enum class KeywordAction : std::uint8_t {
    // Document
    Ansi, Mac, Pc, Pca, AnsiCodePage, DefaultFont, UnicodeSkip, Unicode, Star,
    // Destinations
    FontTable, ColorTable, ListTable, ListOverrideTable, LevelText, ListText, ParagraphNumbering,
    Alternatives, ChosenAlternative, SameDestination, Skip,
    // Font and colour tables
    Font, FontCharset, FontPitch, FontCodePage, Red, Green, Blue,
    // Characters
    Plain, Bold, Italic, Underline, UnderlineNone, FontSize, Colour, Character,
    // Paragraphs
    ParagraphDefaults, AlignLeft, AlignRight, AlignCentre, AlignJustify,
    LeftIndent, RightIndent, FirstLineIndent, ParagraphEnd, CellEnd, RowEnd,
    // Lists
    List, ListLevel, LevelNumberFormat, LevelNumberFormatN, ListId, ListOverride, ListOverrideIndex,
    ListLevelIndex, NumberingBullet, NumberingNumber,
};

struct Keyword {
    std::string_view name;
    KeywordKind kind;
    KeywordAction action;
    int value; // the default parameter of a Value, the character of a Symbol
};

// The keyword of a control word or control symbol ("par", "~"), or nullptr for one that the
// reader ignores.
const Keyword* findKeyword(QByteArrayView word);

} // namespace richtext
