#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace richtext {

// RTF output token by token, in lines of reasonable length.
//
// Readers ignore line ends between tokens, with two traps: a backslash followed by a line end
// means \par, and a space after a control word is its delimiter only when it comes right after
// it. Line ends therefore go only before a token, and when text follows a control word its
// delimiting space is written before the line end.
class RtfEmitter
{
public:
    void controlWord(QByteArrayView word);
    void controlWord(QByteArrayView word, int parameter);
    // The bytes after the backslash: "'e9", "\\", "u-10179?"...
    void controlSymbol(QByteArrayView symbol);
    void openGroup();
    void closeGroup();
    // A character that stands for itself: printable ASCII, never a backslash or a brace.
    void character(char c);
    // Starts a new line before the next token.
    void endLine();

    QByteArray take();

private:
    void startControlToken();
    void breakLine();

    QByteArray m_out;
    qsizetype m_lineStart = 0;
    bool m_delimiterPending = false;
    bool m_lineEndWanted = false;
};

} // namespace richtext
