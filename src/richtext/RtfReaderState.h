#pragma once

#include "richtext/RichTextFormat.h"

#include <QHashFunctions>
#include <Qt>

#include <cstdint>

namespace richtext {

// Where the text of a group goes.
enum class RtfDestination : std::uint8_t {
    Text,               // the document's paragraphs
    Skipped,            // nowhere: pictures, headers, unknown \* groups...
    FontTable,
    ColorTable,
    ListTable,
    ListOverrideTable,
    LevelText,          // a list level's marker (\leveltext)
    ListMarker,         // the marker written before a list paragraph (\listtext, \pntext)
    ParagraphNumbering, // \pn
    Alternatives,       // \upr, \object: only the alternative chosen (\ud, \result) is read
};

enum class RtfNumbering : std::uint8_t { None, Bullet, Number };

struct RtfCharacterState {
    int font = -1;   // \f; -1 for the document's default font \deff
    int halfPoints = 24;
    int colour = -1; // \cf; -1 for the automatic colour
    bool bold = false;
    bool italic = false;
    bool underline = false;

    friend bool operator==(const RtfCharacterState&, const RtfCharacterState&) = default;
    friend std::size_t qHash(const RtfCharacterState& state, std::size_t seed = 0)
    {
        return qHashMulti(seed, state.font, state.halfPoints, state.colour, state.bold, state.italic, state.underline);
    }
};

struct RtfParagraphState {
    Qt::Alignment alignment = Qt::AlignLeft;
    ParagraphIndents indents;
    int listOverride = 0; // \ls, 0 when the paragraph is in no list
    int listLevel = 0;    // \ilvl
    RtfNumbering numbering = RtfNumbering::None; // \pn, for producers without list tables
};

// What every group starts with a copy of, and gets rid of when it closes.
struct RtfGroupState {
    RtfDestination destination = RtfDestination::Text;
    RtfDestination beforeAlternatives = RtfDestination::Text;
    RtfCharacterState character;
    RtfParagraphState paragraph;
    int unicodeSkip = 1; // \uc: the characters that follow \uN for readers without Unicode
};

} // namespace richtext
