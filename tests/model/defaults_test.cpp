// A new definition, byte by byte: the offsets and values here are taken from the block
// layouts, not from the code that writes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "model/defaults.h"
#include "model/definition.h"
#include "model/language.h"

namespace fw {
namespace {

constexpr Byte kStale = 0xA5;  // what a previously loaded file left behind

struct ByteAt {
    std::size_t offset;
    Byte value;
};

std::vector<Byte> Bytes(std::initializer_list<int> values) {
    std::vector<Byte> out;
    for (int v : values)
        out.push_back(static_cast<Byte>(v));
    return out;
}

template <std::size_t N>
std::vector<Byte> Slice(const Block<N>& block, std::size_t offset, std::size_t size) {
    return std::vector<Byte>(block.begin() + offset, block.begin() + offset + size);
}

// Text bytes (8-bit) followed by blanks up to 20 characters and a zero byte.
std::vector<Byte> PaddedCell(const std::string& text) {
    std::vector<Byte> out(text.begin(), text.end());
    out.resize(20, ' ');
    out.push_back(0);
    return out;
}
std::vector<Byte> TextThenZero(const std::string& text) {
    std::vector<Byte> out(text.begin(), text.end());
    out.push_back(0);
    return out;
}

// Every block of a definition as a span, in file order.
std::vector<std::span<Byte>> AllBlocks(Definition& d) {
    return {d.formatTag,     d.reservedWord,     d.readerOptions,  d.menuTable,
            d.formTable,     d.lookupTable,      d.screenTexts,    d.symbologyOptions,
            d.readerExtra,   d.terminalSettings, d.readerOptions2, d.barcodeRules,
            d.variableNames, d.networkSettings,  d.fieldLinks};
}

class NewDefinitionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Start from a definition full of stale bytes so that every reset is visible.
        for (std::span<Byte> block : AllBlocks(d))
            std::ranges::fill(block, kStale);
        LoadDefaultTexts(d, Language{});
        ResetReaderSettings(d);
        NewDefinition(d);
    }
    Definition d;
};

TEST_F(NewDefinitionTest, FormsStartAsEmptyFormsThatReturnToThemselves) {
    // Form 0 starts at 0, form 3 at 3645, form 9 at 10935 within the form table.
    for (auto [form, base] : {std::pair{0, 0}, std::pair{3, 3645}, std::pair{9, 10935}}) {
        SCOPED_TRACE(form);
        const std::vector<ByteAt> expected = {
            {0, 0},    {1, 0},    {2, Byte(form + 1)},
            {3, 0},    {4, 1},    {5, 1},
            {6, 0},    {7, 1},    {8, 1},
            {9, 1},    {10, '/'}, {11, 0},
            {12, 0},   {13, 1},   {14, 1},
            {15, 1},   {16, 1},   {17, ':'},
            {18, 0},   {19, 0},   {20, 0},
            {1013, 0}, {1014, 0}, {1163, 1},
            {1164, 1}, {1165, 0}, {1198, 0},
            {1199, 0},
        };
        for (const ByteAt& e : expected)
            EXPECT_EQ(d.formTable[base + e.offset], e.value) << "offset " << e.offset;
        for (int line = 0; line < 8; ++line) {
            SCOPED_TRACE(line);
            EXPECT_EQ(d.formTable[base + 21 + line], 0);   // LineLookupField
            EXPECT_EQ(d.formTable[base + 29 + line], 0);   // LineType nil
            EXPECT_EQ(d.formTable[base + 205 + line], 2);  // InputSource both
            EXPECT_EQ(d.formTable[base + 213 + line], 0);  // MinLength
            EXPECT_EQ(d.formTable[base + 221 + line], 80);
            EXPECT_EQ(d.formTable[base + 533 + line], 20);  // PartialLength
            EXPECT_EQ(d.formTable[base + 597 + line], 1);   // AutoEnter
            EXPECT_EQ(d.formTable[base + 605 + line], 0);   // InputMark
            for (std::size_t k = 0; k < 21; ++k)
                EXPECT_EQ(d.formTable[base + 37 + 21 * line + k], 0) << "prompt byte " << k;
            EXPECT_EQ(d.formTable[base + 613 + 50 * line], 0);  // LineText50 first byte
        }
        for (int key = 0; key < 4; ++key) {
            SCOPED_TRACE(key);
            EXPECT_EQ(d.formTable[base + 1023 + key], 0);  // FnBranch
            EXPECT_EQ(d.formTable[base + 1166 + key], 1);  // TotalSumField
            EXPECT_EQ(d.formTable[base + 1170 + key], 0);  // TotalMultiplier
            EXPECT_EQ(d.formTable[base + 1174 + key], 0);  // BalanceFilterField
            EXPECT_EQ(d.formTable[base + 1178 + key], 1);  // BalanceFilterVariable
            EXPECT_EQ(d.formTable[base + 1182 + key], 0);  // BalanceCompare
            EXPECT_EQ(d.formTable[base + 1186 + key], 0);  // TotalFilterField
            EXPECT_EQ(d.formTable[base + 1190 + key], 1);  // TotalFilterVariable
            EXPECT_EQ(d.formTable[base + 1194 + key], 0);  // TotalCompare
        }
    }
    EXPECT_TRUE(
        std::all_of(d.fieldLinks.begin(), d.fieldLinks.end(), [](Byte b) { return b == 0; }));
}

TEST_F(NewDefinitionTest, LookupDatabasesStartUndefined) {
    for (int db = 0; db < 3; ++db) {
        SCOPED_TRACE(db);
        const std::size_t base = 122 * db;
        EXPECT_EQ(d.lookupTable[base + 0], 0);  // MemberLength
        EXPECT_EQ(d.lookupTable[base + 1], 0);  // FieldCount
        EXPECT_EQ(d.lookupTable[base + 2], 0);  // KeyField
        for (int f = 0; f < 8; ++f) {
            EXPECT_EQ(d.lookupTable[base + 3 + f], 1);  // FieldOffset
            EXPECT_EQ(d.lookupTable[base + 11 + f], 0);
            EXPECT_EQ(d.lookupTable[base + 24 + f], 0);
            EXPECT_EQ(d.lookupTable[base + 32 + f], 0);
        }
        EXPECT_EQ(d.lookupTable[base + 19], 0);
        EXPECT_EQ(d.lookupTable[base + 20], 1);  // CanBeUploaded
        for (std::size_t off : {21, 22, 23, 40, 41, 42, 43, 44})
            EXPECT_EQ(d.lookupTable[base + off], 0) << off;
    }
}

TEST_F(NewDefinitionTest, TerminalSettingsTakeTheirNewValues) {
    const std::vector<ByteAt> expected = {
        {0, 0x32}, {1, 0},   {2, 0x2C}, {3, 0},   {4, 0},   {5, 0},   {6, 0},   {26, 0},
        {27, 0},   {28, 0},  {29, 0},   {30, 2},  {31, 0},  {32, 1},  {33, 6},  {34, 0},
        {45, 0},   {46, 0},  {56, 0},   {57, 0},  {58, 0},  {64, 0},  {65, 0},  {68, 0},
        {84, 0},   {114, 0}, {115, 0},  {116, 0}, {136, 0}, {137, 2}, {138, 1}, {139, 2},
        {140, 0},  {142, 0}, {143, 0},  {149, 0}, {256, 0}, {257, 0}, {260, 0},
    };
    for (const ByteAt& e : expected)
        EXPECT_EQ(d.terminalSettings[e.offset], e.value) << "offset " << e.offset;
}

TEST_F(NewDefinitionTest, BytesOutsideTheNewValuesKeepWhatWasLoaded) {
    std::set<std::size_t> keptForm;
    for (std::size_t off = 1200; off <= 1214; ++off)
        keptForm.insert(off);
    for (int line = 0; line < 8; ++line)
        for (std::size_t k = 1; k < 50; ++k)
            keptForm.insert(613 + 50 * line + k);
    std::set<std::size_t> keptTerminal = {255, 258, 259};
    for (std::size_t off = 69; off <= 83; ++off)
        keptTerminal.insert(off);
    for (std::size_t off = 261; off <= 267; ++off)
        keptTerminal.insert(off);

    // Every byte is either kept or reset: none of the new values happens to be 0xA5.
    for (std::size_t off = 0; off < d.formTable.size(); ++off)
        EXPECT_EQ(d.formTable[off] == kStale, keptForm.count(off % 1215) == 1) << off;
    for (std::size_t off = 0; off < d.menuTable.size(); ++off)
        EXPECT_EQ(d.menuTable[off], off % 350 >= 250 ? kStale : 0) << off;
    for (std::size_t off = 0; off < d.lookupTable.size(); ++off)
        EXPECT_EQ(d.lookupTable[off] == kStale, off % 122 >= 45) << off;
    for (std::size_t off = 0; off < d.terminalSettings.size(); ++off)
        EXPECT_EQ(d.terminalSettings[off] == kStale, keptTerminal.count(off) == 1) << off;

    // The format tag and the reserved word are not part of a new definition.
    EXPECT_TRUE(
        std::all_of(d.formatTag.begin(), d.formatTag.end(), [](Byte b) { return b == kStale; }));
    EXPECT_EQ(d.reservedWord[0], kStale);
    EXPECT_EQ(d.reservedWord[1], kStale);
    // Screen texts and the other blocks are written in full.
    for (std::span<const Byte> block :
         {std::span<const Byte>(d.screenTexts), std::span<const Byte>(d.symbologyOptions),
          std::span<const Byte>(d.readerExtra), std::span<const Byte>(d.readerOptions2),
          std::span<const Byte>(d.barcodeRules), std::span<const Byte>(d.variableNames),
          std::span<const Byte>(d.networkSettings), std::span<const Byte>(d.fieldLinks)})
        EXPECT_EQ(std::ranges::find(block, kStale), block.end());
}

TEST_F(NewDefinitionTest, ReaderSettingsTakeTheReaderDefaults) {
    EXPECT_EQ(Slice(d.readerOptions, 0, 23),
              Bytes({0x9B, 0xC9, 0x00, 0x3F, 0x80, 0x2D, 0x54, 0x80, 0x00, 0x19, 0x3D, 0x00,
                     0xFF, 0x01, 0xFE, 0x01, 0xFF, 0x01, 0xFF, 0x01, 0x66, 0x03, 0xC3}));
    EXPECT_EQ(Slice(d.symbologyOptions, 0, 32),
              Bytes({0xD8, 0x57, 0x80, 0x06, 0xE0, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x00, 0x00, 0xFF, 0x80, 0xE0, 0x9C, 0x39, 0x00}));
    EXPECT_EQ(Slice(d.symbologyOptions, 32, 13), std::vector<Byte>(13, 0));
    EXPECT_EQ(Slice(d.readerExtra, 0, 10),
              Bytes({0x80, 0x2C, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(Slice(d.readerOptions2, 0, 100), std::vector<Byte>(100, 0));
}

TEST(ResetReaderSettingsTest, LeavesTheReaderTypeAndEverythingElseAlone) {
    Definition d;
    d.terminalSettings[256] = 4;  // long-range engine
    d.formTable[0] = 7;
    d.readerOptions2[0] = 1;
    ResetReaderSettings(d);
    EXPECT_EQ(d.terminalSettings[256], 4);
    EXPECT_EQ(d.formTable[0], 7);
    EXPECT_EQ(d.readerOptions2[0], 0);
    EXPECT_EQ(d.readerOptions[0], 0x9B);
}

TEST_F(NewDefinitionTest, WeightRulesPointEachLineAtTheNextButOne) {
    for (int form = 0; form < 10; ++form) {
        for (int line = 0; line < 8; ++line) {
            EXPECT_EQ(d.barcodeRules[662 + 8 * form + line], 0);  // WeightTransferFlags
            EXPECT_EQ(d.barcodeRules[742 + 8 * form + line], line < 7 ? line + 2 : 0)
                << form << "/" << line;
        }
    }
    EXPECT_EQ(d.barcodeRules[0], 0);
    EXPECT_EQ(d.barcodeRules[661], 0);
    EXPECT_TRUE(std::all_of(d.networkSettings.begin(), d.networkSettings.end(),
                            [](Byte b) { return b == 0; }));
}

TEST_F(NewDefinitionTest, VariablesAreNamedInTheTerminalCodePage) {
    // "Переменная" in windows-1251.
    const std::vector<Byte> stem =
        Bytes({0xCF, 0xE5, 0xF0, 0xE5, 0xEC, 0xE5, 0xED, 0xED, 0xE0, 0xFF});
    for (int v = 1; v <= 10; ++v) {
        SCOPED_TRACE(v);
        std::vector<Byte> expected = stem;
        for (char c : std::to_string(v))
            expected.push_back(static_cast<Byte>(c));
        expected.resize(21, 0);  // the block was cleared, so the cell's tail is zero too
        EXPECT_EQ(Slice(d.variableNames, 21 * (v - 1), 21), expected);
    }
    EXPECT_EQ(Slice(d.variableNames, 210, 138), std::vector<Byte>(138, 0));
    EXPECT_EQ(DefaultVariableName(7), u"Переменная7");
    EXPECT_EQ(DefaultVariableName(10), u"Переменная10");
}

TEST_F(NewDefinitionTest, ScreenTextsComeFromTheBuiltInTexts) {
    struct Line {
        std::size_t offset;  // within the screen texts (file offset - 16051)
        std::string text;
    };
    const std::vector<Line> lines = {
        {84, "1. Collect data"},                  // group 2, line 0
        {105, "2. Upload data"},                  // group 2, line 1
        {168, "1. Program Settings"},             // group 3, line 0
        {168 + 7 * 21, "8. Load Lookup File"},    // group 3, line 7
        {735, " [PROGRAM SETTINGS]"},             // group 8, line 0
        {1155, "Baud rate:115200 bps"},           // group 11, line 0
        {1155 + 4 * 21, "Baud rate:  9600 bps"},  // group 11, line 4
        {2373, "Modem Initialize..."},            // group 24, line 0
        {2730, "F8:Edit      F9:Del"},            // group 27, line 0
        {2772, "[ ESC ]   to cancel"},            // group 27, line 2, the last line
    };
    for (const Line& l : lines)
        EXPECT_EQ(Slice(d.screenTexts, l.offset, 21), PaddedCell(l.text)) << l.text;

    // The main menu's fourth line is twenty blanks; group 1 has no texts; id 1011 has none.
    EXPECT_EQ(Slice(d.screenTexts, 147, 21), PaddedCell(""));
    EXPECT_EQ(Slice(d.screenTexts, 0, 84), std::vector<Byte>(84, 0));
    EXPECT_EQ(Slice(d.screenTexts, 2394, 21), std::vector<Byte>(21, 0));

    const std::vector<std::string> utility = {"8. Calculator", "7.Buzzer", "1.Key Click",
                                              "2.Barcode Read", "3.Warning Beep"};
    for (std::size_t k = 0; k < utility.size(); ++k)
        EXPECT_EQ(Slice(d.terminalSettings, 150 + 21 * k, 21), PaddedCell(utility[k]))
            << utility[k];
}

TEST(LoadDefaultTextsTest, TakesTranslatedTextsCutToTheScreenWidth) {
    Definition d;
    Language lang;
    lang.loaded = true;
    lang.table[721] = u"Сбор данных на складе и в магазине";  // longer than the screen
    lang.table[722] = u"2. 数据";                             // outside the code page
    lang.table[1711] = u"9. Калькулятор";
    LoadDefaultTexts(d, lang);
    // Loading texts never changes the blocks themselves.
    EXPECT_EQ(Slice(d.screenTexts, 0, d.screenTexts.size()),
              std::vector<Byte>(d.screenTexts.size(), 0));

    EXPECT_EQ(d.defaults.screenLines[4], u"Сбор данных на склад");
    EXPECT_EQ(d.defaults.utilityLines[0], u"9. Калькулятор");
    NewDefinition(d);
    // "Сбор данных на склад" in windows-1251.
    EXPECT_EQ(Slice(d.screenTexts, 84, 21),
              Bytes({0xD1, 0xE1, 0xEE, 0xF0, 0x20, 0xE4, 0xE0, 0xED, 0xED, 0xFB, 0xF5,
                     0x20, 0xED, 0xE0, 0x20, 0xF1, 0xEA, 0xEB, 0xE0, 0xE4, 0x00}));
    EXPECT_EQ(Slice(d.screenTexts, 105, 6), TextThenZero("2. ??"));
    EXPECT_EQ(Slice(d.terminalSettings, 150, 15),
              Bytes({'9', '.', ' ', 0xCA, 0xE0, 0xEB, 0xFC, 0xEA, 0xF3, 0xEB, 0xFF, 0xF2, 0xEE,
                     0xF0, 0x00}));
    // Untranslated ids fall back to the built-in table.
    EXPECT_EQ(Slice(d.screenTexts, 126, 21), PaddedCell("3. Utilities"));
}

TEST(WriteFormatTagTest, WritesModelAndVersion) {
    Definition d;
    d.formatTag.fill(0xEE);
    WriteFormatTag(d);
    EXPECT_EQ(Slice(d.formatTag, 0, 10), TextThenZero("M740-5.01"));
}

}  // namespace
}  // namespace fw
