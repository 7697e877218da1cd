#pragma once

#include <QTextBlockFormat>
#include <QTextCharFormat>

// How a rich text document keeps what RTF says and Qt's formats cannot hold exactly.
//
// Paragraph indents are kept in twips, as RTF writes them, so that a document read and written
// again never drifts by rounding; the block's margins in pixels are derived from them for the
// layout only. Character set and pitch travel with each character run because they decide how a
// typeface is written back.
namespace richtext {

// Twips per pixel at the layout's 96 pixels per inch.
inline constexpr double TwipsPerPixel = 1440.0 / 96.0;

enum FormatProperty {
    LeftIndentTwips = QTextFormat::UserProperty + 1,      // block: RTF \li
    RightIndentTwips = QTextFormat::UserProperty + 2,     // block: RTF \ri
    FirstLineIndentTwips = QTextFormat::UserProperty + 3, // block: RTF \fi, relative to \li
    FontCharset = QTextFormat::UserProperty + 10,         // char: RTF \fcharset of the run's font
    FontPitch = QTextFormat::UserProperty + 11,           // char: RTF \fprq (0 default, 1 fixed, 2 variable)
};

struct ParagraphIndents

{
    int left = 0;      // \li
    int right = 0;     // \ri
    int firstLine = 0; // \fi

    friend bool operator==(const ParagraphIndents &, const ParagraphIndents &) = default;
};

// Stores the indents and lays the block out by them.
inline void setIndents(QTextBlockFormat &format, ParagraphIndents indents)
{
    format.setProperty(LeftIndentTwips, indents.left);
    format.setProperty(RightIndentTwips, indents.right);
    format.setProperty(FirstLineIndentTwips, indents.firstLine);
    format.setLeftMargin(indents.left / TwipsPerPixel);
    format.setRightMargin(indents.right / TwipsPerPixel);
    format.setTextIndent(indents.firstLine / TwipsPerPixel);
}

// The stored indents; a block formatted by Qt alone (pasted HTML, for one) gives its margins.
inline ParagraphIndents indents(const QTextBlockFormat &format)
{
    if (format.hasProperty(LeftIndentTwips)) {
        return {format.intProperty(LeftIndentTwips), format.intProperty(RightIndentTwips),
                format.intProperty(FirstLineIndentTwips)};
    }
    const auto twips = [](qreal pixels) { return qRound(pixels * TwipsPerPixel); };
    return {twips(format.leftMargin()), twips(format.rightMargin()), twips(format.textIndent())};
}

} // namespace richtext
