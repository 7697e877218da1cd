#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>

namespace richtext {

inline constexpr int WesternCodePage = 1252;

// The Windows code page a font's \fcharset stands for, or 0 when the character set names none
// (DEFAULT_CHARSET, unknown values): the document's own code page then applies.
int codePageForCharset(int charset);

// Turns bytes written in a Windows code page into text. Double-byte code pages (932, 936, 949,
// 950...) pair lead and trail bytes themselves, so a character written as two \'hh escapes
// must reach decode() in one call.
class RtfCodePageDecoder {
public:
    // Whether bytes of this code page can be read at all; the reader keeps its previous code page
    // when a document names one that cannot (\ansicpg0).
    bool canDecode(int codePage);

    // A code page that cannot be read is read as Western; bytes that its table leaves undefined
    // become U+FFFD.
    QString decode(QByteArrayView bytes, int codePage);

private:
    QStringDecoder* decoderFor(int codePage);

    std::map<int, QStringDecoder> m_decoders;
};

} // namespace richtext
