// Windows-1251, the 8-bit code page of every stored text. Our own table, so that the same
// bytes come out on every platform without a locale.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace fw {

// The character the code page substitutes for one it lacks.
inline constexpr std::uint8_t kCp1251DefaultChar = '?';

char16_t Cp1251ToUtf16(std::uint8_t byte);
// Characters outside the code page (and surrogates) become kCp1251DefaultChar.
std::uint8_t Utf16ToCp1251(char16_t ch);

std::u16string DecodeCp1251(std::span<const std::uint8_t> bytes);
std::u16string DecodeCp1251(std::string_view bytes);
std::string EncodeCp1251(std::u16string_view text);

// The text of a zero-terminated cell (up to its first zero byte, or the whole cell).
std::u16string CellToUtf16(std::span<const std::uint8_t> cell);
// Writes at most cell.size() - 1 characters and a zero byte; the bytes after the
// terminator are left as they were.
void StoreCellText(std::span<std::uint8_t> cell, std::u16string_view text);

}  // namespace fw
