#pragma once

#include <QByteArrayView>

#include <optional>

namespace richtext {

// Receives the tokens of an RTF stream in order. Text comes in runs of raw bytes, still in the
// code page of the font in use; only the listener knows which one that is.
class RtfListener {
public:
    virtual ~RtfListener() = default;

    virtual void groupStart() = 0;
    virtual void groupEnd() = 0;
    // A control word of at most MaxWordLength letters, with its parameter when it has one.
    virtual void controlWord(QByteArrayView word, std::optional<int> parameter) = 0;
    // A backslash followed by one character that is not a letter: \~, \{, \*, a backslash
    // before a line end...
    virtual void controlSymbol(char symbol) = 0;
    // \'hh. A malformed escape arrives as an empty one, so that it still counts as one character
    // when a \uN fallback is skipped.
    virtual void hexByte(std::optional<unsigned char> byte) = 0;
    // Bytes between control words and braces; never contains a line end.
    virtual void text(QByteArrayView bytes) = 0;
    // The bytes that follow \binN, which no state of the reader may interpret.
    virtual void binary(QByteArrayView data) = 0;
};

// Splits an RTF stream into tokens. It reads the one group that the stream starts with and stops
// where that group closes, so that anything after it (a NUL that producers append, stray text)
// is never read; a stream that ends early simply ends the tokens.
class RtfTokenizer {
public:
    // Longer control words are cut here; no keyword comes near it.
    static constexpr int MaxWordLength = 32;

    explicit RtfTokenizer(QByteArrayView rtf);

    // The letters a control word is made of: ASCII ones only.
    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    // Delivers every token to the listener. Runs in constant stack depth whatever the nesting.
    void run(RtfListener& listener);

private:
    void readControl(RtfListener& listener);
    void readControlWord(RtfListener& listener);
    void readHexByte(RtfListener& listener);
    void readBinary(RtfListener& listener, std::optional<int> length);
    std::optional<int> readParameter();
    void readText(RtfListener& listener);

    bool atEnd() const { return m_position >= m_rtf.size(); }
    char peek() const { return m_rtf[m_position]; }

    QByteArrayView m_rtf;
    qsizetype m_position = 0;
    qsizetype m_depth = 0;
};

} // namespace richtext
