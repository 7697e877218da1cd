#include "richtext/RtfEmitter.h"

#include <utility>

namespace richtext {
namespace {

// A line is ended before a control token once it is this long, and inside a long run of text
// before a space; text without spaces is cut anywhere once the line reaches the hard limit.
constexpr qsizetype PreferredLineLength = 200;
constexpr qsizetype MaximumLineLength = 255;

} // namespace

void RtfEmitter::controlWord(QByteArrayView word)
{
    startControlToken();
    m_out += '\\';
    m_out += word;
    m_delimiterPending = true;
}

void RtfEmitter::controlWord(QByteArrayView word, int parameter)
{
    controlWord(word);
    m_out += QByteArray::number(parameter);
}

void RtfEmitter::controlSymbol(QByteArrayView symbol)
{
    startControlToken();
    m_out += '\\';
    m_out += symbol;
    m_delimiterPending = false;
}

void RtfEmitter::openGroup()
{
    startControlToken();
    m_out += '{';
    m_delimiterPending = false;
}

void RtfEmitter::closeGroup()
{
    startControlToken();
    m_out += '}';
    m_delimiterPending = false;
}

void RtfEmitter::character(char c)
{
    const qsizetype column = m_out.size() - m_lineStart;
    const bool longLine = (column >= PreferredLineLength && c == ' ') || column >= MaximumLineLength;
    if (m_delimiterPending) {
        m_out += ' ';
        m_delimiterPending = false;
    }
    if (m_lineEndWanted || longLine)
        breakLine();
    m_out += c;
}

void RtfEmitter::endLine()
{
    m_lineEndWanted = true;
}

QByteArray RtfEmitter::take()
{
    m_lineStart = 0;
    m_delimiterPending = false;
    m_lineEndWanted = false;
    return std::exchange(m_out, {});
}

void RtfEmitter::startControlToken()
{
    // A line end ends a pending control word as well as a space would.
    if (m_lineEndWanted || m_out.size() - m_lineStart >= PreferredLineLength)
        breakLine();
}

void RtfEmitter::breakLine()
{
    m_out += "\r\n";
    m_lineStart = m_out.size();
    m_lineEndWanted = false;
    m_delimiterPending = false;
}

} // namespace richtext
