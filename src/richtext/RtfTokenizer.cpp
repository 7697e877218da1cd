#include "richtext/RtfTokenizer.h"

#include <algorithm>
#include <limits>

namespace richtext {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::optional<int> hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

bool isStructural(char c)
{
    return c == '\\' || c == '{' || c == '}';
}

} // namespace

RtfTokenizer::RtfTokenizer(QByteArrayView rtf)
    : m_rtf(rtf)
{
}

void RtfTokenizer::run(RtfListener& listener)
{
    while (!atEnd()) {
        switch (peek()) {
        case '{':
            ++m_position;
            ++m_depth;
            listener.groupStart();
            break;
        case '}':
            ++m_position;
            listener.groupEnd();
            if (--m_depth <= 0)
                return;
            break;
        case '\\':
            readControl(listener);
            break;
        case '\r':
        case '\n':
            // Line ends only wrap the source; they are never text.
            ++m_position;
            break;
        default:
            readText(listener);
            break;
        }
    }
}

void RtfTokenizer::readControl(RtfListener& listener)
{
    ++m_position; // the backslash
    if (atEnd())
        return;
    const char next = peek();
    if (RtfTokenizer::isLetter(next)) {
        readControlWord(listener);
    } else if (next == '\'') {
        readHexByte(listener);
    } else {
        ++m_position;
        listener.controlSymbol(next);
    }
}

void RtfTokenizer::readControlWord(RtfListener& listener)
{
    const qsizetype start = m_position;
    while (!atEnd() && RtfTokenizer::isLetter(peek()))
        ++m_position;
    const QByteArrayView word = m_rtf.sliced(start, std::min<qsizetype>(m_position - start, MaxWordLength));
    const std::optional<int> parameter = readParameter();
    if (!atEnd() && peek() == ' ')
        ++m_position;

    if (word == "bin")
        readBinary(listener, parameter);
    else
        listener.controlWord(word, parameter);
}

std::optional<int> RtfTokenizer::readParameter()
{
    const bool negative = !atEnd() && peek() == '-' && m_position + 1 < m_rtf.size()
                          && isDigit(m_rtf[m_position + 1]);
    if (negative)
        ++m_position;
    if (atEnd() || !isDigit(peek()))
        return std::nullopt;

    // Hostile streams write thousands of digits: read them all, keep the value within 32 bits.
    const qint64 limit = negative ? -qint64(std::numeric_limits<int>::min()) : std::numeric_limits<int>::max();
    qint64 value = 0;
    while (!atEnd() && isDigit(peek())) {
        value = std::min(value * 10 + (peek() - '0'), limit);
        ++m_position;
    }
    return static_cast<int>(negative ? -value : value);
}

void RtfTokenizer::readHexByte(RtfListener& listener)
{
    ++m_position; // the quote
    int value = 0;
    bool valid = true;
    int digits = 0;
    while (digits < 2 && !atEnd() && !isStructural(peek())) {
        const std::optional<int> digit = hexValue(peek());
        valid = valid && digit.has_value();
        value = value * 16 + digit.value_or(0);
        ++digits;
        ++m_position;
    }
    if (valid && digits == 2)
        listener.hexByte(static_cast<unsigned char>(value));
    else
        listener.hexByte(std::nullopt);
}

void RtfTokenizer::readBinary(RtfListener& listener, std::optional<int> length)
{
    const qsizetype size = std::max(0, length.value_or(0));
    if (size > m_rtf.size() - m_position) {
        // The data was cut: nothing after this point can be told apart from the binary bytes.
        m_position = m_rtf.size();
        return;
    }
    listener.binary(m_rtf.sliced(m_position, size));
    m_position += size;
}

void RtfTokenizer::readText(RtfListener& listener)
{
    const qsizetype start = m_position;
    while (!atEnd()) {
        const char c = peek();
        if (isStructural(c) || c == '\r' || c == '\n')
            break;
        ++m_position;
    }
    listener.text(m_rtf.sliced(start, m_position - start));
}

} // namespace richtext
