#include "RtfDocumentBuilder.h"

#include "codepage/Cp1252.h"
#include "firebird/Error.h"

namespace {

// Font 0 is the body text, font 1 the bullet glyph's font (as the control names it for \pnf),
// font 2 the titles. Colours: 1 titles, 2 headings and step numbers, 3 notes.
constexpr char kHeader[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036"
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fnil\\fcharset2 Symbol;}"
    "{\\f2\\fscript\\fcharset0 Comic Sans MS;}}\r\n"
    "{\\colortbl ;\\red128\\green0\\blue0;\\red0\\green0\\blue128;\\red0\\green112\\blue48;}\r\n"
    "\\viewkind4\\uc1\\f0\\fs20\r\n";

// A hanging indent of a quarter inch, in twips, for bullets and step numbers.
constexpr char kHangingIndent[] = "\\fi-360\\li360\\tx360";

QByteArray escaped(const QString &text)
{
    const auto bytes = Cp1252::encode(text);
    if (!bytes)
        throw fb::Error(QStringLiteral("Le texte « %1 » contient un caractère hors de la page de code 1252").arg(text));
    QByteArray out;
    out.reserve(bytes->size() + 16);
    for (const char byte : *bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (byte == '\\' || byte == '{' || byte == '}') {
            out += '\\';
            out += byte;
        } else if (value >= 0x80) {
            out += "\\'";
            out += QByteArray::number(value, 16).rightJustified(2, '0');
        } else {
            out += byte;
        }
    }
    return out;
}

} // namespace

void RtfDocumentBuilder::addTitle(const QString &text)
{
    m_body += "\\pard\\sa120\\cf1\\b\\f2\\fs28 " + escaped(text) + "\\cf0\\b0\\f0\\fs20\\par\r\n";
}

void RtfDocumentBuilder::addHeading(const QString &text)
{
    m_body += "\\pard\\sb120\\sa60\\cf2\\b " + escaped(text) + "\\cf0\\b0\\par\r\n";
}

void RtfDocumentBuilder::addBulletList(const QStringList &items)
{
    for (qsizetype i = 0; i < items.size(); ++i) {
        // Only the first paragraph of a list carries the bullet definition; the others
        // inherit it until the next \pard.
        if (i == 0)
            m_body += QByteArray("\\pard{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'b7}}")
                + kHangingIndent + ' ';
        else
            m_body += "{\\pntext\\'b7\\tab}";
        m_body += escaped(items[i]) + "\\par\r\n";
    }
}

void RtfDocumentBuilder::addNumberedSteps(const QStringList &steps)
{
    for (qsizetype i = 0; i < steps.size(); ++i) {
        m_body += QByteArray("\\pard") + kHangingIndent + "\\sa80\\cf2\\b " + QByteArray::number(i + 1)
            + ".\\cf0\\b0\\tab " + escaped(steps[i]) + "\\par\r\n";
    }
}

void RtfDocumentBuilder::addNote(const QString &label, const QString &text)
{
    // The space after "\b0" ends the control word; the one after it belongs to the text.
    m_body += "\\pard\\sb120\\cf3\\b\\i " + escaped(label) + "\\b0  " + escaped(text) + "\\cf0\\i0\\par\r\n";
}

QByteArray RtfDocumentBuilder::toRtf() const
{
    return kHeader + m_body + '}';
}
