// The program image at the offsets the terminal reads, worked out from the block sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "generator/image.h"
#include "model/defaults.h"
#include "model/definition.h"
#include "model/language.h"

namespace fw {
namespace {

std::vector<Byte> ImageBytes(const ProgramImage& image, std::size_t offset, std::size_t size) {
    return std::vector<Byte>(image.begin() + offset, image.begin() + offset + size);
}

std::vector<Byte> PaddedLine(const std::string& text) {
    std::vector<Byte> out(text.begin(), text.end());
    out.resize(20, ' ');
    out.push_back(0);
    return out;
}

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
    EXPECT_EQ(ImageBytes(image, 20832, 68), std::vector<Byte>(68, 0));
    // Group 1 has no texts: four lines of blanks on the screen.
    for (int line = 0; line < 4; ++line)
        EXPECT_EQ(ImageBytes(image, 16039 + 21 * line, 21), PaddedLine("")) << line;
    EXPECT_EQ(ImageBytes(image, 16039 + 4 * 21, 21), PaddedLine("1. Collect data"));
    // The last screen line, group 27 line 2, ends right before the symbology options.
    EXPECT_EQ(ImageBytes(image, 18811, 21), PaddedLine("[ ESC ]   to cancel"));
    EXPECT_EQ(ImageBytes(image, 18832, 6), std::vector<Byte>({0xD8, 0x57, 0x80, 0x06, 0xE0, 0x80}));
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
    EXPECT_EQ(ImageBytes(image, 19977, 4), std::vector<Byte>({0xCF, 0xE5, 0xF0, 0xE5}));
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
        std::vector<Byte> cell;  // 21 bytes
        std::vector<Byte> expected;
    };
    std::vector<Byte> twenty(20, 'A');
    twenty.push_back(0);
    std::vector<Byte> unterminated(21, 'B');
    std::vector<Byte> twentyB(20, 'B');
    twentyB.push_back(0);
    std::vector<Byte> stale = {'O', 'K', 0, 'x', 'y', 'z'};
    stale.resize(21, 'q');
    const Case cases[] = {
        {"exactly twenty characters", twenty, twenty},
        {"empty", std::vector<Byte>(21, 0), PaddedLine("")},
        {"no terminator in the cell", unterminated, twentyB},
        {"bytes behind the terminator", stale, PaddedLine("OK")},
        {"eight-bit text",
         {0xC4, 0xE0, 0},
         [] {
             auto v = PaddedLine("");
             v[0] = 0xC4;
             v[1] = 0xE0;
             return v;
         }()},
    };
    // Group 14, line 2 (line 70 of 133) and group 27, line 2 (the last).
    for (std::size_t line : {std::size_t{70}, std::size_t{132}}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + ", line " + std::to_string(line));
            std::vector<Byte> cell = c.cell;
            cell.resize(21, 0);
            std::copy(cell.begin(), cell.end(), d.screenTexts.begin() + 21 * line);
            Generate();
            EXPECT_EQ(ImageBytes(image, 16039 + 21 * line, 21), c.expected);
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
