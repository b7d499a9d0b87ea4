#include "model/codepage.h"

#include <algorithm>
#include <array>

namespace fw {
namespace {

// 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F. 0x98 has no character in the code page and
// round-trips as the C1 control U+0098, as the system's own conversion does.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

}  // namespace

char16_t Cp1251ToUtf16(std::uint8_t byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return static_cast<char16_t>(0x0410 + (byte - 0xC0));
    return kHigh[byte - 0x80];
}

std::uint8_t Utf16ToCp1251(char16_t ch) {
    if (ch < 0x80) return static_cast<std::uint8_t>(ch);
    if (ch >= 0x0410 && ch <= 0x044F) return static_cast<std::uint8_t>(0xC0 + (ch - 0x0410));
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == ch) return static_cast<std::uint8_t>(0x80 + i);
    return kCp1251DefaultChar;
}

std::u16string DecodeCp1251(std::span<const std::uint8_t> bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::uint8_t b : bytes)
        out.push_back(Cp1251ToUtf16(b));
    return out;
}

std::u16string DecodeCp1251(std::string_view bytes) {
    return DecodeCp1251(std::span<const std::uint8_t>(
        reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::string EncodeCp1251(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t ch = text[i];
        // A surrogate pair is one character the code page lacks: one default character.
        if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
            ++i;
        out.push_back(static_cast<char>(Utf16ToCp1251(ch)));
    }
    return out;
}

std::u16string CellToUtf16(std::span<const std::uint8_t> cell) {
    std::size_t n = 0;
    while (n < cell.size() && cell[n] != 0)
        ++n;
    return DecodeCp1251(cell.first(n));
}

void StoreCellText(std::span<std::uint8_t> cell, std::u16string_view text) {
    if (cell.empty()) return;
    std::string bytes = EncodeCp1251(text);
    std::size_t n = std::min(bytes.size(), cell.size() - 1);
    for (std::size_t i = 0; i < n; ++i)
        cell[i] = static_cast<std::uint8_t>(bytes[i]);
    cell[n] = 0;
}

}  // namespace fw
