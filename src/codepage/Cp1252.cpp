#include "Cp1252.h"

#include <array>

namespace Cp1252 {
namespace {

// 0x80 to 0x9F; 0 marks the five bytes that code page 1252 leaves unassigned.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

bool isUnassigned(char16_t unit)
{
    return unit >= 0x80 && unit < 0xA0 && kHighControls[unit - 0x80] == 0;
}

} // namespace

QString decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        const bool remapped = value >= 0x80 && value < 0xA0 && !isUnassigned(value);
        *out++ = QChar(remapped ? kHighControls[value - 0x80] : char16_t(value));
    }
    return text;
}

std::optional<char> byteFor(QChar character)
{
    const char16_t unit = character.unicode();
    // An unassigned byte can only come from another program; decode keeps it as its C1
    // control twin, and this gives the same byte back, so it survives a round trip.
    if (unit < 0x80 || isUnassigned(unit) || (unit >= 0xA0 && unit <= 0xFF))
        return char(unit);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == unit)
            return char(0x80 + i);
    }
    return std::nullopt;
}

std::optional<QByteArray> encode(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar character : text) {
        const auto byte = byteFor(character);
        if (!byte)
            return std::nullopt;
        bytes.append(*byte);
    }
    return bytes;
}

bool canEncode(QChar character)
{
    return byteFor(character).has_value();
}

bool canEncode(const QString &text)
{
    for (const QChar character : text) {
        if (!canEncode(character))
            return false;
    }
    return true;
}

} // namespace Cp1252
