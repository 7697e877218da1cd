#include "richedit/Cp1252.h"

#include <array>

namespace richedit::cp1252 {
namespace {

// The characters of bytes 0x80 to 0x9F; 0 where the code page assigns none.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

char16_t characterOf(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0 && HighControls[byte - 0x80] != 0)
        return HighControls[byte - 0x80];
    return byte;
}

} // namespace

std::optional<char> byteFor(QChar character)
{
    const char16_t unit = character.unicode();
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return char(unit);
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] == unit)
            return char(0x80 + i);
    }
    if (unit < 0xA0 && HighControls[unit - 0x80] == 0)
        return char(unit); // an unassigned byte read earlier goes back as the same byte
    return std::nullopt;
}

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(characterOf(static_cast<unsigned char>(byte)));
    return text;
}

} // namespace richedit::cp1252
