// The program image at the offsets the terminal reads, worked out from the block sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>

#include "generator/image.h"
#include "model/defaults.h"
#include "model/definition.h"
#include "model/language.h"
#include "model/test_support.h"

namespace fw {
namespace {

using namespace std::string_literals;
using test::Padded;
using test::Str;

class ImageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LoadDefaultTexts(d, Language{});
        ResetReaderSettings(d);
        NewDefinition(d);
    }
    const ProgramImage& Generate() {
        GenerateProgramImage(d, image);
        return image;
    }
    Definition d;
    ProgramImage image;
};

TEST_F(ImageTest, NewDefinitionImage) {
    image.fill(0xEE);  // a previous generation must not show through
    Generate();
    static_assert(sizeof(ProgramImage) == 20900);
    EXPECT_EQ(Str(image, 20832), std::string(68, '\0'));
    // Group 1 has no texts: four lines of blanks on the screen.
    EXPECT_EQ(Str(image, 16039, 4 * 21), Padded("") + Padded("") + Padded("") + Padded(""));
    EXPECT_EQ(Str(image, 16039 + 4 * 21, 21), Padded("1. Collect data"));
    // The last screen line, group 27 line 2, ends right before the symbology options.
    EXPECT_EQ(Str(image, 18811, 27), Padded("[ ESC ]   to cancel") + "\xD8\x57\x80\x06\xE0\x80");
    // Form 1's NextTarget and MaxLength of its first line.
    EXPECT_EQ(image[3523 + 2], 1);
    EXPECT_EQ(image[3523 + 221], 80);
    EXPECT_EQ(image[3523 + 1215 * 9 + 2], 10);
    // The new terminal settings as the firmware counts them.
    EXPECT_EQ(image[18887 + 0], 0x32);
    EXPECT_EQ(image[18887 + 1], 1);
    EXPECT_EQ(image[18887 + 30], '2');
    EXPECT_EQ(image[18887 + 33], 6);
    EXPECT_EQ(image[18887 + 137], 3);
    EXPECT_EQ(image[18887 + 150], '8');
    // "Переменная1" begins the variable names.
    EXPECT_EQ(Str(image, 19977, 12), test::kVariableStem + "1\0"s);
    EXPECT_EQ(image[19155 + 742], 2);  // WeightTargetLine of form 1, line 1
}

TEST_F(ImageTest, BlocksLieAtTheirImageOffsets) {
    struct Case {
        const char* name;
        std::span<Byte> block;
        std::size_t imageOffset;
    };
    // Translated terminal-settings bytes are checked on their own below.
    const Case cases[] = {
        {"ReaderOptions", d.readerOptions, 0},
        {"MenuTable", d.menuTable, 23},
        {"FormTable", d.formTable, 3523},
        {"LookupTable", d.lookupTable, 15673},
        {"SymbologyOptions", d.symbologyOptions, 18832},
        {"ReaderExtra", d.readerExtra, 18877},
        {"TerminalSettings", d.terminalSettings, 18887},
        {"BarcodeRules", d.barcodeRules, 19155},
        {"VariableNames", d.variableNames, 19977},
        {"NetworkSettings", d.networkSettings, 20325},
        {"ReaderOptions2", d.readerOptions2, 20572},
        {"FieldLinks", d.fieldLinks, 20672},
    };
    for (const Case& c : cases) {
        c.block.front() = 0xA1;
        c.block[c.block.size() / 2] = 0xA2;
        c.block.back() = 0xA3;
    }
    std::ranges::fill(d.formatTag, Byte{0xF7});
    std::ranges::fill(d.reservedWord, Byte{0xF7});
    Generate();
    for (const Case& c : cases) {
        EXPECT_EQ(image[c.imageOffset], 0xA1) << c.name;
        EXPECT_EQ(image[c.imageOffset + c.block.size() / 2], 0xA2) << c.name;
        EXPECT_EQ(image[c.imageOffset + c.block.size() - 1], 0xA3) << c.name;
    }
    // The format tag and the reserved word are not sent.
    EXPECT_EQ(std::ranges::find(image, Byte{0xF7}), image.end());
}

TEST_F(ImageTest, ScreenLinesFillTheScreenWidth) {
    struct Case {
        const char* name;
        std::string cell;  // 21 bytes
        std::string expected;
    };
    const Case cases[] = {
        {"exactly twenty characters", Padded(std::string(20, 'A')), Padded(std::string(20, 'A'))},
        {"empty", std::string(21, '\0'), Padded("")},
        {"no terminator in the cell", std::string(21, 'B'), Padded(std::string(20, 'B'))},
        {"bytes behind the terminator", "OK\0xyz"s + std::string(15, 'q'), Padded("OK")},
        {"eight-bit text", test::Cell("\xC4\xE0"), Padded("\xC4\xE0")},
    };
    // Group 14, line 2 (line 70 of 133) and group 27, line 2 (the last).
    for (std::size_t line : {std::size_t{70}, std::size_t{132}}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", line " + std::to_string(line));
            std::copy(c.cell.begin(), c.cell.end(), d.screenTexts.begin() + 21 * line);
            Generate();
            EXPECT_EQ(Str(image, 16039 + 21 * line, 21), c.expected);
            // Whatever the cell holds, the blocks behind the texts stay in place.
            EXPECT_EQ(image[18832], 0xD8);
        }
    }
}

TEST_F(ImageTest, TerminalSettingsAreTranslatedForTheFirmware) {
    struct Case {
        std::size_t offset;
        Byte stored, sent;
    };
    const Case cases[] = {
        {1, 0, 1},  {1, 1, 11},  {1, 5, 11},      {5, 0, 1},    {5, 4, 5},    {5, 255, 0},
        {27, 3, 4}, {28, 4, 5},  {29, 1, 2},      {30, 3, '3'}, {30, 9, '9'}, {31, 2, 3},
        {32, 0, 1}, {115, 4, 5}, {137, 0, 1},     {138, 3, 4},  {139, 2, 3},  {2, 0x2C, 0x2C},
        {33, 6, 6}, {256, 4, 4}, {0, 0x32, 0x32}, {114, 9, 9},  {116, 7, 7},
    };
    for (const Case& c : cases) {
        d.terminalSettings[c.offset] = c.stored;
        Generate();
        EXPECT_EQ(image[18887 + c.offset], c.sent) << c.offset << ": " << int(c.stored);
        // The definition itself keeps the stored value.
        EXPECT_EQ(d.terminalSettings[c.offset], c.stored);
    }
}

TEST_F(ImageTest, CalculatorMovesDownWhenALookupDatabaseIsInUse) {
    struct Case {
        const char* name;
        Byte stored;
        int db;  // 0 none
        Byte memberLength, fieldCount;
        Byte sent;
    };
    const Case cases[] = {
        {"no database", '8', 0, 0, 0, '8'},
        {"database 2 in use", '8', 2, 12, 2, '9'},
        {"database 3 in use, digit 5", '5', 3, 1, 1, '9'},
        {"fields but no record length", '8', 1, 0, 3, '8'},
        {"record length but no fields", '9', 1, 20, 0, '8'},
        {"not a digit", 'C', 2, 12, 2, 'C'},
        {"not a digit, no database", ' ', 0, 0, 0, ' '},
    };
    for (const Case& c : cases) {
        SetUp();
        d.terminalSettings[150] = c.stored;
        if (c.db != 0) {
            Lookup(d, c.db).MemberLength() = c.memberLength;
            Lookup(d, c.db).FieldCount() = c.fieldCount;
        }
        Generate();
        EXPECT_EQ(image[18887 + 150], c.sent) << c.name;
        EXPECT_EQ(d.terminalSettings[150], c.stored) << c.name;
    }
}

TEST_F(ImageTest, GeneratingTwiceGivesTheSameImageAndLeavesTheDefinitionAlone) {
    Menu(d, 0).ItemText(0)[0] = 'M';
    d.terminalSettings[1] = 1;
    Lookup(d, 1).MemberLength() = 5;
    Lookup(d, 1).FieldCount() = 1;
    d.screenTexts[50] = 'Q';
    auto before = std::make_unique<Definition>(d);
    ProgramImage first = Generate();
    ProgramImage second = Generate();
    EXPECT_EQ(first, second);
    for (auto [now, then] :
         {std::pair{std::span<const Byte>(d.menuTable), std::span<const Byte>(before->menuTable)},
          {d.formTable, before->formTable},
          {d.screenTexts, before->screenTexts},
          {d.terminalSettings, before->terminalSettings},
          {d.lookupTable, before->lookupTable}})
        EXPECT_TRUE(std::ranges::equal(now, then));
}

}  // namespace
}  // namespace fw
