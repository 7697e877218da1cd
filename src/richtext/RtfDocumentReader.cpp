#include "richtext/RtfDocumentReader.h"

#include "richtext/RichTextFormat.h"

#include <algorithm>
#include <utility>

namespace richtext {

namespace {

constexpr int MaxIndentTwips = 31680; // 22 inches, as wide as word processors let a page be
constexpr int MaxHalfPoints = 3276;   // 1638 points, the largest font size Word accepts
constexpr char16_t ReplacementCharacter = 0xFFFD;
// ICU marks a byte that its double-byte tables lack with SUB rather than U+FFFD.
constexpr char16_t SubstituteCharacter = 0x1A;

// \uN writes UTF-16 units as signed 16-bit numbers; a few producers write whole code points.
char32_t unicodeCharacter(int value)
{
    const qint64 unit = value < 0 ? qint64(value) + 65536 : value;
    return unit < 0 || unit > 0x10FFFF ? ReplacementCharacter : char32_t(unit);
}

// Characters the document would take for structure: line ends and paragraph separators would
// split the paragraph behind the reader's back, Qt's frame markers would open frames.
bool needsCleaning(QChar c)
{
    const char16_t unit = c.unicode();
    return unit < 0x20 || unit == QChar::ParagraphSeparator || unit == 0xFDD0 || unit == 0xFDD1;
}

void appendCleaned(QString& run, QStringView text)
{
    if (std::ranges::none_of(text, needsCleaning)) {
        run.append(text);
        return;
    }
    for (const QChar c : text) {
        if (!needsCleaning(c) || c == u'\t')
            run.append(c);
        else if (c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator)
            run.append(QChar::LineSeparator);
        else if (c.unicode() >= 0x20 || c.unicode() == SubstituteCharacter)
            run.append(QChar(ReplacementCharacter));
    }
}

} // namespace

RtfDocumentReader::RtfDocumentReader(const QTextCursor& cursor)
    : m_output(cursor)
    , m_groups(1)
{
}

bool RtfDocumentReader::isTextDestination() const
{
    const RtfDestination destination = m_groups.back().destination;
    return destination == RtfDestination::Text || destination == RtfDestination::ListMarker;
}

void RtfDocumentReader::groupStart()
{
    flushBytes();
    m_fallbackToSkip = 0; // a \uN fallback never reaches past a brace
    m_star = false;
    if (m_groupsSkippedForDepth > 0 || m_groups.size() >= MaxGroupDepth) {
        ++m_groupsSkippedForDepth;
        return;
    }
    const RtfGroupState copy = m_groups.back();
    m_groups.push_back(copy);
}

void RtfDocumentReader::groupEnd()
{
    flushBytes();
    m_fallbackToSkip = 0;
    m_star = false;
    if (m_groupsSkippedForDepth > 0) {
        --m_groupsSkippedForDepth;
        return;
    }
    if (m_groups.size() <= 1)
        return;

    resolveHighSurrogate();
    if (state().destination == RtfDestination::FontTable)
        commitFont(); // the last font of a table whose names lack their semicolon
    if (m_groups.size() == 2)
        endDocument();

    const RtfGroupState closed = m_groups.back();
    m_groups.pop_back();
    // \pn describes the paragraph it stands in, from a group of its own.
    if (closed.destination == RtfDestination::ParagraphNumbering)
        state().paragraph.numbering = closed.paragraph.numbering;
}

void RtfDocumentReader::controlWord(QByteArrayView word, std::optional<int> parameter)
{
    control(word, parameter);
}

void RtfDocumentReader::controlSymbol(char symbol)
{
    control(QByteArrayView(&symbol, 1), std::nullopt);
}

void RtfDocumentReader::hexByte(std::optional<unsigned char> byte)
{
    if (m_groupsSkippedForDepth > 0 || skipFallbackUnit())
        return;
    m_star = false;
    if (!byte)
        return;
    const char value = static_cast<char>(*byte);
    // An escaped byte in a font's name is part of the name, even a semicolon.
    if (state().destination == RtfDestination::FontTable) {
        if (m_fontDefinition)
            m_fontDefinition->nameBytes.append(value);
        return;
    }
    appendBytes(QByteArrayView(&value, 1));
}

void RtfDocumentReader::text(QByteArrayView bytes)
{
    if (m_groupsSkippedForDepth > 0)
        return;
    if (m_fallbackToSkip > 0) {
        const qsizetype skipped = std::min<qsizetype>(m_fallbackToSkip, bytes.size());
        m_fallbackToSkip -= static_cast<int>(skipped);
        bytes = bytes.sliced(skipped);
    }
    if (bytes.isEmpty())
        return;
    m_star = false;
    appendBytes(bytes);
}

void RtfDocumentReader::binary(QByteArrayView)
{
    // Binary data only ever holds pictures and objects, which are not kept.
    flushBytes();
    if (m_groupsSkippedForDepth > 0 || skipFallbackUnit())
        return;
    m_star = false;
}

void RtfDocumentReader::finish()
{
    flushBytes();
    if (!m_ended) {
        resolveHighSurrogate();
        endDocument();
    }
}

void RtfDocumentReader::control(QByteArrayView name, std::optional<int> parameter)
{
    flushBytes();
    if (m_groupsSkippedForDepth > 0 || skipFallbackUnit())
        return;
    const bool starred = std::exchange(m_star, false);
    RtfGroupState& current = state();
    if (current.destination == RtfDestination::Skipped)
        return;

    const Keyword* keyword = findKeyword(name);
    if (starred && (!keyword || keyword->kind != KeywordKind::Destination)) {
        current.destination = RtfDestination::Skipped;
        return;
    }
    if (!keyword)
        return;
    if (current.destination == RtfDestination::Alternatives && keyword->action != KeywordAction::Star
        && keyword->action != KeywordAction::ChosenAlternative)
        return;

    switch (keyword->kind) {
    case KeywordKind::Toggle:
        apply(*keyword, parameter.value_or(1) != 0 ? 1 : 0);
        break;
    case KeywordKind::Value:
        apply(*keyword, parameter.value_or(keyword->value));
        break;
    case KeywordKind::Flag:
    case KeywordKind::Destination:
    case KeywordKind::Symbol:
        apply(*keyword, keyword->value);
        break;
    }
}

bool RtfDocumentReader::skipFallbackUnit()
{
    if (m_fallbackToSkip == 0)
        return false;
    --m_fallbackToSkip;
    return true;
}

void RtfDocumentReader::apply(const Keyword& keyword, int value)
{
    RtfGroupState& current = state();
    const RtfDestination destination = current.destination;
    RtfCharacterState& character = current.character;
    RtfParagraphState& paragraph = current.paragraph;
    const auto indent = [value] { return std::clamp(value, -MaxIndentTwips, MaxIndentTwips); };

    using enum KeywordAction;
    switch (keyword.action) {
    case Ansi:
        m_codePage = WesternCodePage;
        break;
    case Mac:
        m_codePage = 10000;
        break;
    case Pc:
        m_codePage = 437;
        break;
    case Pca:
        m_codePage = 850;
        break;
    case AnsiCodePage:
        if (m_decoder.canDecode(value))
            m_codePage = value;
        break;
    case DefaultFont:
        m_defaultFont = value;
        break;
    case UnicodeSkip:
        current.unicodeSkip = std::max(0, value);
        break;
    case Unicode:
        appendCharacter(unicodeCharacter(value));
        m_fallbackToSkip = current.unicodeSkip;
        break;
    case Star:
        m_star = true;
        break;

    case FontTable:
    case ColorTable:
    case ListTable:
    case ListOverrideTable:
    case LevelText:
    case ListText:
    case ParagraphNumbering:
    case Alternatives:
    case ChosenAlternative:
    case SameDestination:
    case Skip:
        applyDestination(keyword.action);
        break;

    case Font:
        if (destination == RtfDestination::FontTable)
            beginFont(value);
        else
            character.font = value;
        break;
    case FontCharset:
        if (destination == RtfDestination::FontTable && m_fontDefinition) {
            m_fontDefinition->font.charset = value;
            if (m_fontDefinition->font.codePage == 0) // an explicit \cpg wins
                m_fontDefinition->font.codePage = codePageForCharset(value);
        }
        break;
    case FontPitch:
        if (destination == RtfDestination::FontTable && m_fontDefinition)
            m_fontDefinition->font.pitch = value;
        break;
    case FontCodePage:
        if (destination == RtfDestination::FontTable && m_fontDefinition && m_decoder.canDecode(value))
            m_fontDefinition->font.codePage = value;
        break;
    case Red:
    case Green:
    case Blue:
        if (destination == RtfDestination::ColorTable) {
            const int component = std::clamp(value, 0, 255);
            (keyword.action == Red ? m_colourDefinition.red
             : keyword.action == Green ? m_colourDefinition.green
                                       : m_colourDefinition.blue) = component;
            m_colourDefinition.given = true;
        }
        break;

    case Plain:
        character = RtfCharacterState{};
        break;
    case Bold:
        character.bold = value != 0;
        break;
    case Italic:
        character.italic = value != 0;
        break;
    case Underline:
        character.underline = value != 0;
        break;
    case UnderlineNone:
        character.underline = false;
        break;
    case FontSize:
        character.halfPoints = std::clamp(value, 1, MaxHalfPoints);
        break;
    case Colour:
        character.colour = value;
        break;
    case Character:
        appendCharacter(char32_t(value));
        break;

    case ParagraphDefaults:
        paragraph = RtfParagraphState{};
        break;
    case AlignLeft:
        paragraph.alignment = Qt::AlignLeft;
        break;
    case AlignRight:
        paragraph.alignment = Qt::AlignRight;
        break;
    case AlignCentre:
        paragraph.alignment = Qt::AlignHCenter;
        break;
    case AlignJustify:
        paragraph.alignment = Qt::AlignJustify;
        break;
    case LeftIndent:
        paragraph.indents.left = indent();
        break;
    case RightIndent:
        paragraph.indents.right = indent();
        break;
    case FirstLineIndent:
        paragraph.indents.firstLine = indent();
        break;
    case ParagraphEnd:
        if (destination == RtfDestination::Text)
            endParagraph();
        break;
    case CellEnd:
        if (destination == RtfDestination::Text)
            endCell();
        break;
    case RowEnd:
        if (destination == RtfDestination::Text) {
            m_cellTabPending = false; // the row's last cell needs no separator
            endParagraph();
        }
        break;

    case List:
        if (destination == RtfDestination::ListTable)
            m_lists.beginList();
        break;
    case ListLevel:
        if (destination == RtfDestination::ListTable)
            m_lists.beginLevel();
        break;
    case LevelNumberFormat:
        if (destination == RtfDestination::ListTable)
            m_lists.setLevelNumberFormat(value);
        break;
    case LevelNumberFormatN:
        if (destination == RtfDestination::ListTable)
            m_lists.setLevelNumberFormatN(value);
        break;
    case ListId:
        if (destination == RtfDestination::ListTable)
            m_lists.setListId(value);
        else if (destination == RtfDestination::ListOverrideTable)
            m_lists.setOverrideListId(value);
        break;
    case ListOverride:
        if (destination == RtfDestination::ListOverrideTable)
            m_lists.beginOverride();
        break;
    case ListOverrideIndex:
        if (destination == RtfDestination::ListOverrideTable)
            m_lists.setOverrideIndex(value);
        else
            paragraph.listOverride = value;
        break;
    case ListLevelIndex:
        paragraph.listLevel = value;
        break;
    case NumberingBullet:
        paragraph.numbering = RtfNumbering::Bullet;
        break;
    case NumberingNumber:
        paragraph.numbering = RtfNumbering::Number;
        break;
    }
}

void RtfDocumentReader::applyDestination(KeywordAction action)
{
    RtfGroupState& current = state();
    using enum KeywordAction;
    switch (action) {
    case FontTable:
        current.destination = RtfDestination::FontTable;
        break;
    case ColorTable:
        current.destination = RtfDestination::ColorTable;
        break;
    case ListTable:
        current.destination = RtfDestination::ListTable;
        break;
    case ListOverrideTable:
        current.destination = RtfDestination::ListOverrideTable;
        break;
    case LevelText:
        current.destination = current.destination == RtfDestination::ListTable ? RtfDestination::LevelText
                                                                               : RtfDestination::Skipped;
        break;
    case ListText:
        current.destination = current.destination == RtfDestination::Text ? RtfDestination::ListMarker
                                                                          : RtfDestination::Skipped;
        break;
    case ParagraphNumbering:
        current.destination = RtfDestination::ParagraphNumbering;
        break;
    case Alternatives:
        current.beforeAlternatives = current.destination;
        current.destination = RtfDestination::Alternatives;
        break;
    case ChosenAlternative:
        if (current.destination == RtfDestination::Alternatives)
            current.destination = current.beforeAlternatives;
        break;
    case Skip:
        current.destination = RtfDestination::Skipped;
        break;
    default: // SameDestination: \field, \fldrslt read on where they stand
        break;
    }
}

void RtfDocumentReader::appendBytes(QByteArrayView bytes)
{
    switch (state().destination) {
    case RtfDestination::Text:
    case RtfDestination::ListMarker: {
        resolveHighSurrogate();
        const int codePage = codePageOf(state().character);
        if (codePage != m_pendingCodePage)
            flushBytes();
        m_pendingCodePage = codePage;
        m_pendingBytes.append(bytes);
        break;
    }
    case RtfDestination::FontTable:
        fontTableBytes(bytes);
        break;
    case RtfDestination::ColorTable:
        colourTableBytes(bytes);
        break;
    case RtfDestination::LevelText:
        for (const char byte : bytes)
            m_lists.appendLevelText(QLatin1Char(byte));
        break;
    default:
        break;
    }
}

void RtfDocumentReader::flushBytes()
{
    if (m_pendingBytes.isEmpty())
        return;
    const bool ascii = std::ranges::all_of(m_pendingBytes, [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
    const QString text = ascii ? QString::fromLatin1(m_pendingBytes) : m_decoder.decode(m_pendingBytes, m_pendingCodePage);
    m_pendingBytes.resize(0);
    appendText(text);
}

void RtfDocumentReader::appendCharacter(char32_t character)
{
    const RtfDestination destination = state().destination;
    if (destination == RtfDestination::LevelText) {
        if (!QChar::requiresSurrogates(character))
            m_lists.appendLevelText(QChar(char16_t(character)));
        return;
    }
    if (destination == RtfDestination::FontTable) {
        appendToFontName(character);
        return;
    }
    if (!isTextDestination())
        return;

    // Characters beyond the first plane come as two \uN; one without its partner is unreadable.
    if (QChar::isHighSurrogate(character)) {
        resolveHighSurrogate();
        m_highSurrogate = char16_t(character);
        return;
    }
    if (QChar::isLowSurrogate(character)) {
        if (m_highSurrogate) {
            const char16_t pair[] = {*std::exchange(m_highSurrogate, std::nullopt), char16_t(character)};
            appendText(QStringView(pair, 2));
        } else {
            appendText(QStringView(&ReplacementCharacter, 1));
        }
        return;
    }
    resolveHighSurrogate();
    if (QChar::requiresSurrogates(character)) {
        const char16_t pair[] = {QChar::highSurrogate(character), QChar::lowSurrogate(character)};
        appendText(QStringView(pair, 2));
    } else {
        const char16_t unit = char16_t(character);
        appendText(QStringView(&unit, 1));
    }
}

void RtfDocumentReader::resolveHighSurrogate()
{
    if (m_highSurrogate) {
        m_highSurrogate.reset();
        appendText(QStringView(&ReplacementCharacter, 1));
    }
}

void RtfDocumentReader::appendText(QStringView text)
{
    if (!isTextDestination())
        return;
    const RtfGroupState& current = state();
    const bool cellTab = current.destination == RtfDestination::Text && std::exchange(m_cellTabPending, false);
    if (!m_run.isEmpty() && (m_runCharacter != current.character || m_runDestination != current.destination))
        flushRun();
    m_runCharacter = current.character;
    m_runDestination = current.destination;
    if (cellTab)
        m_run.append(u'\t');
    appendCleaned(m_run, text);
}

void RtfDocumentReader::flushRun()
{
    if (m_run.isEmpty())
        return;
    const QTextCharFormat format = charFormat(m_runCharacter);
    if (m_runDestination == RtfDestination::ListMarker)
        m_output.addMarkerText(m_run, format);
    else
        m_output.addText(m_run, format);
    m_run.clear();
}

void RtfDocumentReader::endParagraph()
{
    resolveHighSurrogate();
    m_cellTabPending = false;
    flushRun();
    const RtfGroupState& current = state();
    m_output.endParagraph(blockFormat(current.paragraph), isBulleted(current.paragraph), charFormat(current.character));
}

void RtfDocumentReader::endCell()
{
    resolveHighSurrogate();
    // The separator is written when the next cell brings text, so that a row ends without one.
    if (std::exchange(m_cellTabPending, false))
        appendText(u"\t");
    m_cellTabPending = true;
}

void RtfDocumentReader::endDocument()
{
    m_cellTabPending = false;
    flushRun();
    const RtfGroupState& current = state();
    m_output.endDocument(blockFormat(current.paragraph), isBulleted(current.paragraph), charFormat(current.character));
    m_ended = true;
}

void RtfDocumentReader::beginFont(int number)
{
    commitFont();
    m_fontDefinition = FontDefinition{number, {}, {}, {}};
}

void RtfDocumentReader::commitFont()
{
    if (!m_fontDefinition)
        return;
    FontDefinition& definition = *m_fontDefinition;
    decodeFontNameBytes();
    definition.font.name = definition.name.trimmed();
    definition.font.name.removeIf([](QChar c) { return c.unicode() < 0x20; });
    m_fonts[definition.number] = definition.font;
    m_fontDefinition.reset();
    m_charFormats.clear();
}

void RtfDocumentReader::fontTableBytes(QByteArrayView bytes)
{
    for (const char byte : bytes) {
        if (byte == ';')
            commitFont();
        else if (m_fontDefinition)
            m_fontDefinition->nameBytes.append(byte);
    }
}

// A name's bytes are read in the font's own code page, known by the time the name comes.
void RtfDocumentReader::decodeFontNameBytes()
{
    FontDefinition& definition = *m_fontDefinition;
    if (definition.nameBytes.isEmpty())
        return;
    const int codePage = definition.font.codePage != 0 ? definition.font.codePage : m_codePage;
    definition.name += m_decoder.decode(definition.nameBytes, codePage);
    definition.nameBytes.clear();
}

// Escaped braces and backslashes, and \uN, write what a name's bytes cannot.
void RtfDocumentReader::appendToFontName(char32_t character)
{
    if (!m_fontDefinition)
        return;
    decodeFontNameBytes();
    if (QChar::requiresSurrogates(character)) {
        m_fontDefinition->name += QChar(QChar::highSurrogate(character));
        m_fontDefinition->name += QChar(QChar::lowSurrogate(character));
    } else {
        m_fontDefinition->name += QChar(char16_t(character));
    }
}

void RtfDocumentReader::colourTableBytes(QByteArrayView bytes)
{
    for (const char byte : bytes) {
        if (byte != ';')
            continue;
        // An entry without components is the automatic colour.
        const ColourDefinition& entry = m_colourDefinition;
        m_colours.push_back(entry.given ? std::optional(QColor(entry.red, entry.green, entry.blue)) : std::nullopt);
        m_colourDefinition = ColourDefinition{};
        m_charFormats.clear();
    }
}

const RtfDocumentReader::Font* RtfDocumentReader::fontOf(const RtfCharacterState& character) const
{
    const std::optional<int> number = character.font >= 0 ? std::optional(character.font) : m_defaultFont;
    if (!number)
        return nullptr;
    const auto found = m_fonts.find(*number);
    return found != m_fonts.end() ? &found->second : nullptr;
}

int RtfDocumentReader::codePageOf(const RtfCharacterState& character) const
{
    const Font* font = fontOf(character);
    return font && font->codePage != 0 ? font->codePage : m_codePage;
}

QTextCharFormat RtfDocumentReader::charFormat(const RtfCharacterState& character)
{
    if (const auto known = m_charFormats.constFind(character); known != m_charFormats.cend())
        return *known;

    QTextCharFormat format;
    if (const Font* font = fontOf(character)) {
        if (!font->name.isEmpty())
            format.setFontFamilies(QStringList{font->name});
        if (font->charset)
            format.setProperty(FontCharset, *font->charset);
        format.setProperty(FontPitch, font->pitch);
    }
    format.setFontPointSize(character.halfPoints / 2.0);
    if (character.colour >= 0 && std::size_t(character.colour) < m_colours.size()) {
        if (const std::optional<QColor>& colour = m_colours[std::size_t(character.colour)])
            format.setForeground(*colour);
    }
    format.setFontWeight(character.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(character.italic);
    format.setFontUnderline(character.underline);

    m_charFormats.insert(character, format);
    return format;
}

QTextBlockFormat RtfDocumentReader::blockFormat(const RtfParagraphState& paragraph) const
{
    QTextBlockFormat format;
    format.setAlignment(paragraph.alignment);
    setIndents(format, paragraph.indents);
    return format;
}

bool RtfDocumentReader::isBulleted(const RtfParagraphState& paragraph) const
{
    if (paragraph.listOverride != 0) {
        if (const std::optional<bool> bulleted = m_lists.isBulleted(paragraph.listOverride, paragraph.listLevel))
            return *bulleted;
    }
    return paragraph.numbering == RtfNumbering::Bullet;
}

} // namespace richtext
