#include "reader/enables.h"

#include <gtest/gtest.h>

#include <array>

namespace fw::reader::test {
namespace {

// Box, byte and bit mask, written out from the page's tables by hand.
struct Bit {
    int box;
    int byte;
    Byte mask;
};

constexpr Bit kOneDBits[] = {
    {101, 0, 0x80}, {102, 0, 0x40}, {103, 0, 0x20}, {104, 0, 0x10}, {105, 0, 0x08}, {106, 0, 0x04},
    {107, 0, 0x02}, {108, 2, 0x20}, {109, 2, 0x10}, {110, 1, 0x40}, {111, 1, 0x20}, {112, 1, 0x10},
    {113, 1, 0x08}, {114, 1, 0x04}, {115, 1, 0x02}, {116, 1, 0x01}, {117, 2, 0x80}, {118, 2, 0x40},
    {119, 2, 0x04}, {120, 3, 0x40}, {121, 2, 0x01}, {122, 3, 0x80}, {123, 0, 0x01}, {126, 11, 0x10},
};

constexpr Bit kTwoDBits[] = {
    {101, 0, 0x80},  {102, 0, 0x40},  {103, 0, 0x20},  {104, 0, 0x10},  {105, 0, 0x08},
    {106, 0, 0x04},  {107, 4, 0x80},  {108, 4, 0x40},  {109, 4, 0x20},  {110, 5, 0x80},
    {111, 5, 0x40},  {112, 8, 0x80},  {113, 11, 0x80}, {114, 17, 0x80}, {115, 14, 0x80},
    {116, 20, 0x80}, {117, 23, 0x80}, {118, 27, 0x80}, {119, 28, 0x80}, {120, 28, 0x40},
    {121, 28, 0x20}, {122, 29, 0x80}, {123, 29, 0x40}, {124, 29, 0x20}, {125, 29, 0x10},
    {126, 29, 0x08}, {127, 29, 0x04},
};

// The bits a box sets and clears must be exactly its own, from all-clear and from all-set
// blocks, so that a neighbour's bit never moves with it.
template <std::size_t N>
void ExpectOwnBitOnly(std::span<const SymbologyEnable> table, bool oneD,
                      std::span<const Bit> bits) {
    for (const Bit& b : bits) {
        SCOPED_TRACE(b.box);
        const SymbologyEnable* e = FindBox(table, b.box);
        ASSERT_NE(e, nullptr);
        std::array<Byte, N> block{};
        SetSymbology(block, *e, oneD, true);
        std::array<Byte, N> expected{};
        expected[static_cast<std::size_t>(b.byte)] = b.mask;
        EXPECT_EQ(block, expected);
        EXPECT_TRUE(SymbologyOn(block, *e, oneD));

        block.fill(0xFF);
        SetSymbology(block, *e, oneD, false);
        expected.fill(0xFF);
        expected[static_cast<std::size_t>(b.byte)] = static_cast<Byte>(0xFF & ~b.mask);
        EXPECT_EQ(block, expected);
        EXPECT_FALSE(SymbologyOn(block, *e, oneD));
    }
}

TEST(SymbologyEnables, EveryBoxOfEachFamilyOwnsExactlyItsBit) {
    ExpectOwnBitOnly<kReaderOptionsSize>(OneDSymbologies(), true, kOneDBits);
    ExpectOwnBitOnly<kSymbologyOptionsSize>(TwoDSymbologies(), false, kTwoDBits);
    EXPECT_EQ(OneDSymbologies().size(), 26u);
    EXPECT_EQ(TwoDSymbologies().size(), 27u);
    EXPECT_EQ(FindBox(OneDSymbologies(), 127), nullptr) << "box 127 is 2D only";
}

TEST(SymbologyEnables, Code128FamilyReadsBackFromTheSharedBitAndFamilyValue) {
    struct Case {
        Byte byte1, byte22;
        bool code128, ean128;
    };
    // Family 0 with the shared bit set means both; without the bit neither box is on,
    // whatever the family says.
    const Case cases[] = {
        {0x80, 0x00, true, true},   {0x80, 0x40, false, true},  {0x80, 0x80, true, false},
        {0x80, 0xC0, true, true},   {0x00, 0xC0, false, false}, {0x00, 0x80, false, false},
        {0x7F, 0x3F, false, false}, {0xFF, 0x3F, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.byte1) << "/" << int(c.byte22));
        std::array<Byte, kReaderOptionsSize> ro{};
        ro[1] = c.byte1;
        ro[22] = c.byte22;
        const Code128Family f = ReadCode128Family(ro);
        EXPECT_EQ(f.code128, c.code128);
        EXPECT_EQ(f.ean128, c.ean128);
    }
}

TEST(SymbologyEnables, Code128FamilyIsWrittenAsTwiceCode128PlusEan128) {
    struct Case {
        bool code128, ean128;
        Byte byte1, byte22;
    };
    // The other bits of both bytes (0x55 / 0x2A below) are left as they were.
    const Case cases[] = {{false, false, 0x55, 0x2A},
                          {false, true, 0xD5, 0x6A},
                          {true, false, 0xD5, 0xAA},
                          {true, true, 0xD5, 0xEA}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.code128 << c.ean128);
        std::array<Byte, kReaderOptionsSize> ro{};
        ro[1] = 0xD5;  // shared bit set before: writing both off clears it
        ro[22] = 0xEA;
        WriteCode128Family(ro, {c.code128, c.ean128});
        EXPECT_EQ(ro[1], c.byte1);
        EXPECT_EQ(ro[22], c.byte22);
    }
}

TEST(ReaderEngines, EngineListAndFamiliesFollowTheEngineBits) {
    struct Case {
        Byte readerType;
        int index;
        EngineKind kind;
        bool twoDFamily;
    };
    const Case cases[] = {
        {0x00, 0, EngineKind::Laser1D, false},  {0x01, 1, EngineKind::Imager2D, true},
        {0x04, 2, EngineKind::LongRange, true}, {0xF6, 2, EngineKind::LongRange, true},
        {0x02, 0, EngineKind::Laser1D, false},  {0x08, -1, EngineKind::Laser1D, false},
        {0x05, -1, EngineKind::Imager2D, true}, {0x0C, -1, EngineKind::LongRange, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.readerType));
        EXPECT_EQ(EngineIndex(c.readerType), c.index);
        EXPECT_EQ(KindOf(c.readerType), c.kind);
        EXPECT_EQ(Is2DFamily(c.readerType), c.twoDFamily);
    }
    // Index 2 stores 4; the RFID bit and bits 4..7 stay.
    EXPECT_EQ(WithEngine(0xF2, 2), 0xF6);
    EXPECT_EQ(WithEngine(0xFF, 0), 0xF2);
    EXPECT_EQ(WithEngine(0x08, 1), 0x01);
}

}  // namespace
}  // namespace fw::reader::test
