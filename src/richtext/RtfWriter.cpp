#include "richtext/RtfWriter.h"

#include "codepage/Cp1252.h"
#include "richtext/RichTextFormat.h"
#include "richtext/RtfEmitter.h"
#include "richtext/ShownCharFormat.h"

#include <QHash>
#include <QList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <cstdint>

namespace richtext {
namespace {

constexpr int AnsiCharset = 0;
constexpr int SymbolCharset = 2;
constexpr char SymbolBullet[] = "'b7"; // the bullet of the Symbol font
constexpr char WesternBullet[] = "'95"; // the bullet of code page 1252

struct FontEntry

{
    QString family;
    int charset = AnsiCharset;
    int pitch = 0;

    friend bool operator==(const FontEntry &, const FontEntry &) = default;
};

// A run as written: its font and colour are indexes into the document's tables.
struct RunStyle
{
    int font = -1;
    int halfPoints = -1;
    int colour = 0; // 0 is the automatic colour
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int charset = AnsiCharset;
};

QByteArray hexEscape(unsigned char byte)
{
    return '\'' + QByteArray::number(byte, 16).rightJustified(2, '0');
}

// \uN takes a signed 16-bit number; the '?' after it is what readers without Unicode show.
QByteArray unicodeEscape(QChar unit)
{
    return 'u' + QByteArray::number(int(std::int16_t(unit.unicode()))) + '?';
}

bool isPrintableAscii(QChar c)
{
    return c.unicode() >= 0x20 && c.unicode() < 0x7F;
}

class RtfDocumentWriter

{
public:
    explicit RtfDocumentWriter(const QTextDocument &document)
        : m_document(document)
        , m_formats(document.allFormats())
    {
    }

    QByteArray write()
    {
        collectTables();
        writeHeader();
        for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next())
            writeParagraph(block);
        m_out.closeGroup();
        return m_out.take();
    }

private:
    // The tables come first in the output, so every run is looked at once before writing.
    void collectTables()
    {
        for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
            m_hasBullets = m_hasBullets || block.textList();
            if (block.length() == 1)
                styleOf(block.charFormatIndex());
            for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
                styleOf(fragment.fragment().charFormatIndex());
        }
        if (m_hasBullets)
            m_symbolFont = fontIndex({QStringLiteral("Symbol"), SymbolCharset, 0});
    }

    const RunStyle &styleOf(int formatIndex)
    {
        auto known = m_styles.constFind(formatIndex);
        if (known != m_styles.cend())
            return *known;
        const ShownCharFormat shown = shownCharFormat(m_formats.value(formatIndex).toCharFormat(), m_document.defaultFont());
        RunStyle style;
        style.font = fontIndex({shown.family, shown.charset, shown.pitch});
        style.halfPoints = shown.halfPoints;
        style.colour = shown.colour ? colourIndex(*shown.colour) : 0;
        style.bold = shown.bold;
        style.italic = shown.italic;
        style.underline = shown.underline;
        style.charset = shown.charset;
        return *m_styles.insert(formatIndex, style);
    }

    int fontIndex(const FontEntry &font)
    {
        qsizetype index = m_fonts.indexOf(font);
        if (index < 0) {
            index = m_fonts.size();
            m_fonts.append(font);
        }
        return int(index);
    }

    int colourIndex(QRgb colour)
    {
        qsizetype index = m_colours.indexOf(colour);
        if (index < 0) {
            index = m_colours.size();
            m_colours.append(colour);
        }
        return int(index) + 1;
    }

    void writeHeader()
    {
        m_out.openGroup();
        m_out.controlWord("rtf", 1);
        m_out.controlWord("ansi");
        m_out.controlWord("ansicpg", 1252);
        m_out.controlWord("deff", 0);
        writeFontTable();
        writeColourTable();
        if (m_hasBullets)
            writeListTables();
        m_out.endLine();
        m_out.controlWord("uc", 1);
    }

    void writeFontTable()
    {
        m_out.openGroup();
        m_out.controlWord("fonttbl");
        for (int index = 0; index < m_fonts.size(); ++index) {
            const FontEntry &font = m_fonts[index];
            m_out.endLine();
            m_out.openGroup();
            m_out.controlWord("f", index);
            m_out.controlWord("fnil");
            m_out.controlWord("fcharset", font.charset);
            m_out.controlWord("fprq", font.pitch);
            for (const QChar c : font.family) {
                // The name ends at the first semicolon, so one inside it is escaped.
                if (c == u';')
                    m_out.controlSymbol(hexEscape(';'));
                else if (isPrintableAscii(c))
                    writeCharacter(c, AnsiCharset);
                else
                    writeCharacter(c, font.charset);
            }
            m_out.character(';');
            m_out.closeGroup();
        }
        m_out.closeGroup();
    }

    void writeColourTable()
    {
        m_out.endLine();
        m_out.openGroup();
        m_out.controlWord("colortbl");
        m_out.character(';'); // the automatic colour
        for (const QRgb colour : std::as_const(m_colours)) {
            m_out.controlWord("red", qRed(colour));
            m_out.controlWord("green", qGreen(colour));
            m_out.controlWord("blue", qBlue(colour));
            m_out.character(';');
        }
        m_out.closeGroup();
    }

    // One bullet list, which every bulleted paragraph names with \ls1.
    void writeListTables()
    {
        m_out.endLine();
        m_out.openGroup();
        m_out.controlSymbol("*");
        m_out.controlWord("listtable");
        m_out.openGroup();
        m_out.controlWord("list");
        m_out.controlWord("listtemplateid", 1);
        m_out.controlWord("listsimple");
        m_out.openGroup();
        m_out.controlWord("listlevel");
        m_out.controlWord("levelnfc", 23); // bullet
        m_out.controlWord("levelnfcn", 23);
        m_out.controlWord("leveljc", 0);
        m_out.controlWord("leveljcn", 0);
        m_out.controlWord("levelfollow", 0); // a tab after the bullet
        m_out.controlWord("levelstartat", 1);
        m_out.openGroup();
        m_out.controlWord("leveltext");
        m_out.controlSymbol("'01");
        m_out.controlSymbol(unicodeEscape(QChar(u'\u2022')));
        m_out.character(';');
        m_out.closeGroup();
        m_out.openGroup();
        m_out.controlWord("levelnumbers");
        m_out.character(';');
        m_out.closeGroup();
        m_out.closeGroup();
        m_out.controlWord("listid", 1);
        m_out.closeGroup();
        m_out.closeGroup();

        m_out.endLine();
        m_out.openGroup();
        m_out.controlSymbol("*");
        m_out.controlWord("listoverridetable");
        m_out.openGroup();
        m_out.controlWord("listoverride");
        m_out.controlWord("listid", 1);
        m_out.controlWord("listoverridecount", 0);
        m_out.controlWord("ls", 1);
        m_out.closeGroup();
        m_out.closeGroup();
    }

    void writeParagraph(const QTextBlock &block)
    {
        m_out.endLine();
        m_out.controlWord("pard");
        if (block.textList())
            writeBullet();
        const QTextBlockFormat format = block.blockFormat();
        const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
        if (alignment & Qt::AlignJustify)
            m_out.controlWord("qj");
        else if (alignment & Qt::AlignHCenter)
            m_out.controlWord("qc");
        else if (alignment & Qt::AlignRight)
            m_out.controlWord("qr");
        const ParagraphIndents paragraphIndents = indents(format);
        if (paragraphIndents.left != 0)
            m_out.controlWord("li", paragraphIndents.left);
        if (paragraphIndents.right != 0)
            m_out.controlWord("ri", paragraphIndents.right);
        if (paragraphIndents.firstLine != 0)
            m_out.controlWord("fi", paragraphIndents.firstLine);

        // An empty paragraph keeps the format its mark has, which sets its height.
        if (block.length() == 1)
            switchTo(styleOf(block.charFormatIndex()));
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const RunStyle &style = styleOf(fragment.fragment().charFormatIndex());
            switchTo(style);
            for (const QChar c : fragment.fragment().text())
                writeCharacter(c, style.charset);
        }
        // Every paragraph ends with \par, the last too, as readers expect of any producer.
        m_out.controlWord("par");
    }

    // The bullet both ways. Word and LibreOffice read \ls and skip the \listtext marker; rich
    // edit controls read \pn and skip the \pntext marker; a reader that knows both draws one
    // bullet, since both only say that the paragraph is bulleted.
    void writeBullet()
    {
        m_out.openGroup();
        m_out.controlWord("listtext");
        m_out.controlSymbol(WesternBullet);
        m_out.controlWord("tab");
        m_out.closeGroup();

        m_out.openGroup();
        m_out.controlWord("pntext");
        m_out.controlWord("f", m_symbolFont);
        m_out.controlSymbol(SymbolBullet);
        m_out.controlWord("tab");
        m_out.closeGroup();

        m_out.openGroup();
        m_out.controlSymbol("*");
        m_out.controlWord("pn");
        m_out.controlWord("pnlvlblt");
        m_out.controlWord("pnf", m_symbolFont);
        m_out.controlWord("pnindent", 0);
        m_out.openGroup();
        m_out.controlWord("pntxtb");
        m_out.controlSymbol(SymbolBullet);
        m_out.closeGroup();
        m_out.closeGroup();

        m_out.controlWord("ls", 1);
    }

    // Writes only what differs from the run before.
    void switchTo(const RunStyle &style)
    {
        if (style.font != m_current.font)
            m_out.controlWord("f", style.font);
        if (style.halfPoints != m_current.halfPoints)
            m_out.controlWord("fs", style.halfPoints);
        if (style.colour != m_current.colour)
            m_out.controlWord("cf", style.colour);
        if (style.bold != m_current.bold)
            writeToggle(style.bold, "b", "b0");
        if (style.italic != m_current.italic)
            writeToggle(style.italic, "i", "i0");
        if (style.underline != m_current.underline)
            writeToggle(style.underline, "ul", "ulnone");
        m_current = style;
    }

    void writeToggle(bool on, QByteArrayView onWord, QByteArrayView offWord)
    {
        m_out.controlWord(on ? onWord : offWord);
    }

    // Readers decode \'hh in the code page of the font's character set, so only a Western font
    // gets code page 1252 bytes; text of any other font goes as Unicode, and in a symbol font
    // even ASCII, which some readers move into the symbol area otherwise.
    void writeCharacter(QChar c, int charset)
    {
        switch (c.unicode()) {
        case u'\\':
        case u'{':
        case u'}':
            m_out.controlSymbol(QByteArray(1, char(c.unicode())));
            return;
        case u'\t':
            m_out.controlWord("tab");
            return;
        case QChar::LineSeparator:
            m_out.controlWord("line");
            return;
        default:
            break;
        }
        if (charset != SymbolCharset) {
            if (isPrintableAscii(c)) {
                m_out.character(char(c.unicode()));
                return;
            }
            if (c.unicode() < 0x80) {
                m_out.controlSymbol(hexEscape(uchar(c.unicode())));
                return;
            }
            if (charset == AnsiCharset) {
                if (const std::optional<char> byte = Cp1252::byteFor(c)) {
                    m_out.controlSymbol(hexEscape(uchar(*byte)));
                    return;
                }
            }
        }
        m_out.controlSymbol(unicodeEscape(c));
    }

    const QTextDocument &m_document;
    const QList<QTextFormat> m_formats;
    QHash<int, RunStyle> m_styles;
    QList<FontEntry> m_fonts;
    QList<QRgb> m_colours;
    bool m_hasBullets = false;
    int m_symbolFont = -1;
    RunStyle m_current;
    RtfEmitter m_out;
};

} // namespace

QByteArray writeRtf(const QTextDocument &document)
{
    return RtfDocumentWriter(document).write();
}

} // namespace richtext
