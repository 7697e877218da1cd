#pragma once

#include "richtext/RtfCodePage.h"
#include "richtext/RtfKeywords.h"
#include "richtext/RtfReaderListTable.h"
#include "richtext/RtfReaderOutput.h"
#include "richtext/RtfReaderState.h"
#include "richtext/RtfTokenizer.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QString>
#include <QTextCharFormat>

#include <map>
#include <optional>
#include <vector>

namespace richtext {

// Understands the tokens of one RTF document and writes its text and formats through a cursor.
// Each group works on a copy of the state of the group around it, kept on a stack, so that
// nesting costs memory in proportion, never stack depth.
class RtfDocumentReader final : public RtfListener {
public:
    // Groups nested deeper than this are skipped whole.
    static constexpr std::size_t MaxGroupDepth = 4096;

    explicit RtfDocumentReader(const QTextCursor& cursor);

    void groupStart() override;
    void groupEnd() override;
    void controlWord(QByteArrayView word, std::optional<int> parameter) override;
    void controlSymbol(char symbol) override;
    void hexByte(std::optional<unsigned char> byte) override;
    void text(QByteArrayView bytes) override;
    void binary(QByteArrayView data) override;

    // Ends a document whose closing brace never came.
    void finish();

private:
    struct Font {
        QString name;
        std::optional<int> charset;
        int pitch = 0;
        int codePage = 0; // 0: the document's code page
    };
    struct FontDefinition {
        int number = 0;
        Font font;
        QString name;
        QByteArray nameBytes; // not decoded yet
    };
    struct ColourDefinition {
        int red = 0;
        int green = 0;
        int blue = 0;
        bool given = false;
    };

    RtfGroupState& state() { return m_groups.back(); }
    bool isTextDestination() const;

    void control(QByteArrayView name, std::optional<int> parameter);
    void apply(const Keyword& keyword, int value);
    void applyDestination(KeywordAction action);
    bool skipFallbackUnit();

    void appendBytes(QByteArrayView bytes);
    void flushBytes();
    void appendCharacter(char32_t character);
    void appendText(QStringView text);
    void resolveHighSurrogate();
    void flushRun();
    void endParagraph();
    void endCell();
    void endDocument();

    void beginFont(int number);
    void commitFont();
    void fontTableBytes(QByteArrayView bytes);
    void decodeFontNameBytes();
    void appendToFontName(char32_t character);
    void colourTableBytes(QByteArrayView bytes);

    const Font* fontOf(const RtfCharacterState& character) const;
    int codePageOf(const RtfCharacterState& character) const;
    QTextCharFormat charFormat(const RtfCharacterState& character);
    QTextBlockFormat blockFormat(const RtfParagraphState& paragraph) const;
    bool isBulleted(const RtfParagraphState& paragraph) const;

    RtfReaderOutput m_output;
    std::vector<RtfGroupState> m_groups;
    std::size_t m_groupsSkippedForDepth = 0;
    bool m_ended = false;

    bool m_star = false;         // \* read: the group is skipped unless a known destination follows
    int m_fallbackToSkip = 0;    // what remains of the characters after a \uN
    std::optional<char16_t> m_highSurrogate;

    int m_codePage = WesternCodePage;
    std::optional<int> m_defaultFont;
    RtfCodePageDecoder m_decoder;
    QByteArray m_pendingBytes;   // text bytes, decoded together so that double-byte pairs meet
    int m_pendingCodePage = WesternCodePage;

    QString m_run;
    RtfCharacterState m_runCharacter;
    RtfDestination m_runDestination = RtfDestination::Text;
    bool m_cellTabPending = false;

    std::map<int, Font> m_fonts;
    std::optional<FontDefinition> m_fontDefinition;
    std::vector<std::optional<QColor>> m_colours;
    ColourDefinition m_colourDefinition;
    RtfReaderListTable m_lists;

    // Documents switch among a few formats; the document finds a format it has seen faster.
    QHash<RtfCharacterState, QTextCharFormat> m_charFormats;
};

} // namespace richtext
