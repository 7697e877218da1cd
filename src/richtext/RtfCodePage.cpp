#include "richtext/RtfCodePage.h"

#include <algorithm>
#include <array>
#include <utility>

namespace richtext {

namespace {

struct CharsetCodePage {
    int charset;
    int codePage;
};

constexpr std::array charsetCodePages = std::to_array<CharsetCodePage>({
    {0, 1252},    // ANSI
    {2, 1252},    // Symbol: kept as its bytes read in Western, which round-trips unchanged
    {77, 10000},  // Mac Roman
    {78, 10001},  // Mac Shift-JIS
    {79, 10003},  // Mac Hangul
    {80, 10008},  // Mac GB2312
    {81, 10002},  // Mac Big5
    {85, 10006},  // Mac Greek
    {86, 10081},  // Mac Turkish
    {88, 10029},  // Mac Central European
    {89, 10007},  // Mac Cyrillic
    {128, 932},   // Shift-JIS
    {129, 949},   // Hangul
    {134, 936},   // GB2312
    {136, 950},   // Big5
    {161, 1253},  // Greek
    {162, 1254},  // Turkish
    {163, 1258},  // Vietnamese
    {177, 1255},  // Hebrew
    {178, 1256},  // Arabic
    {186, 1257},  // Baltic
    {204, 1251},  // Cyrillic
    {222, 874},   // Thai
    {238, 1250},  // Central European
    {254, 437},   // PC 437
    {255, 850},   // OEM
});

// The converter names of the code pages, as Qt's ICU-backed QStringDecoder knows them. The Mac
// double-byte code pages are close relatives of the Windows ones and read through them.
constexpr std::array codePageNames = std::to_array<std::pair<int, const char*>>({
    {437, "IBM437"},
    {850, "IBM850"},
    {874, "windows-874"},
    {932, "windows-31j"},
    {936, "windows-936"},
    {949, "windows-949"},
    {950, "windows-950"},
    {1250, "windows-1250"},
    {1251, "windows-1251"},
    {1252, "windows-1252"},
    {1253, "windows-1253"},
    {1254, "windows-1254"},
    {1255, "windows-1255"},
    {1256, "windows-1256"},
    {1257, "windows-1257"},
    {1258, "windows-1258"},
    {10000, "macintosh"},
    {10001, "windows-31j"},
    {10002, "windows-950"},
    {10003, "windows-949"},
    {10006, "x-mac-greek"},
    {10007, "x-mac-cyrillic"},
    {10008, "windows-936"},
    {10029, "x-mac-centraleurroman"},
    {10081, "x-mac-turkish"},
    {65001, "UTF-8"},
});

const char* nameOf(int codePage)
{
    const auto found = std::ranges::find(codePageNames, codePage, &std::pair<int, const char*>::first);
    return found != codePageNames.end() ? found->second : nullptr;
}

// The bytes that open a two-byte character in the double-byte code pages.
bool isLeadByte(int codePage, unsigned char byte)
{
    switch (codePage) {
    case 932:
    case 10001:
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:
    case 949:
    case 950:
    case 10002:
    case 10003:
    case 10008:
        return byte >= 0x81 && byte <= 0xFE;
    default:
        return false;
    }
}

bool endsInsideCharacter(QByteArrayView bytes, int codePage)
{
    qsizetype position = 0;
    while (position < bytes.size())
        position += isLeadByte(codePage, static_cast<unsigned char>(bytes[position])) ? 2 : 1;
    return position > bytes.size();
}

} // namespace

int codePageForCharset(int charset)
{
    const auto found = std::ranges::find(charsetCodePages, charset, &CharsetCodePage::charset);
    return found != charsetCodePages.end() ? found->codePage : 0;
}

bool RtfCodePageDecoder::canDecode(int codePage)
{
    return decoderFor(codePage) != nullptr;
}

QString RtfCodePageDecoder::decode(QByteArrayView bytes, int codePage)
{
    QStringDecoder* decoder = decoderFor(codePage);
    if (!decoder)
        decoder = decoderFor(WesternCodePage);
    if (!decoder) // a Qt built without ICU knows no Windows code page
        return QString::fromLatin1(bytes);
    // The decoder drops a lead byte whose trail byte never came, without a trace.
    if (endsInsideCharacter(bytes, codePage))
        return decoder->decode(bytes.chopped(1)) + QChar::ReplacementCharacter;
    return decoder->decode(bytes);
}

QStringDecoder* RtfCodePageDecoder::decoderFor(int codePage)
{
    if (const auto known = m_decoders.find(codePage); known != m_decoders.end())
        return known->second.isValid() ? &known->second : nullptr;
    const char* name = nameOf(codePage);
    // Stateless: every call stands alone, so a lead byte left without its trail byte becomes
    // U+FFFD there instead of swallowing the first byte of an unrelated later run.
    QStringDecoder decoder = name ? QStringDecoder(name, QStringConverter::Flag::Stateless) : QStringDecoder();
    const auto inserted = m_decoders.emplace(codePage, std::move(decoder)).first;
    return inserted->second.isValid() ? &inserted->second : nullptr;
}

} // namespace richtext
