#include "model/codepage.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "model/test_support.h"

namespace fw {
namespace {

using namespace std::string_literals;

TEST(CodePage, BytesMapToTheirCharacters) {
    struct Case {
        std::uint8_t byte;
        char16_t ch;
    };
    // From the Windows-1251 chart: the capital and small Cyrillic alphabets without Ё/ё at
    // C0..FF, Ё at A8, ё at B8, the numero sign at B9, the euro at 88.
    const Case cases[] = {
        {0x41, u'A'}, {0x7F, 0x007F}, {0xC0, u'А'}, {0xDF, u'Я'},   {0xE0, u'а'},
        {0xFF, u'я'}, {0xA8, u'Ё'},   {0xB8, u'ё'}, {0xB9, u'№'},   {0x88, u'€'},
        {0x80, u'Ђ'}, {0x96, u'–'},   {0x97, u'—'}, {0xA0, 0x00A0}, {0xAB, u'«'},
        {0xBB, u'»'}, {0xB2, u'І'},   {0xB3, u'і'}, {0xA5, u'Ґ'},   {0xB4, u'ґ'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp1251ToUtf16(c.byte), c.ch) << int(c.byte);
        EXPECT_EQ(Utf16ToCp1251(c.ch), c.byte) << int(c.byte);
    }
}

TEST(CodePage, CharactersItLacksBecomeTheDefaultCharacter) {
    EXPECT_EQ(kCp1251DefaultChar, '?');
    for (char16_t ch : {u'é', u'中', u'ß', char16_t(0x20AD), char16_t(0xD800)})
        EXPECT_EQ(Utf16ToCp1251(ch), '?') << int(ch);
    // A character outside the basic plane is one unknown character, not two.
    EXPECT_EQ(EncodeCp1251(u"a\U0001F600b"), "a?b");
}

TEST(CodePage, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        char16_t ch = Cp1251ToUtf16(static_cast<std::uint8_t>(b));
        EXPECT_EQ(Utf16ToCp1251(ch), b) << b;
    }
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(EncodeCp1251(DecodeCp1251(all)), all);
}

TEST(CodePage, CellsHoldTwentyCharactersAndATerminator) {
    std::array<std::uint8_t, 21> cell;
    cell.fill(0x55);
    StoreCellText(cell, u"Переменная1");
    // The text, its terminator, and the cell's old bytes behind it.
    EXPECT_EQ(test::Str(cell, 0, 13), test::kVariableStem + "1\0\x55"s);
    EXPECT_EQ(CellToUtf16(cell), u"Переменная1");

    StoreCellText(cell, u"abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(test::Str(cell), "abcdefghijklmnopqrst\0"s);
    // A cell without a terminator is read to its end.
    std::array<std::uint8_t, 3> full = {'a', 'b', 'c'};
    EXPECT_EQ(CellToUtf16(full), u"abc");
}

}  // namespace
}  // namespace fw
