// A new definition, byte by byte: the offsets and values here are taken from the block
// layouts, not from the code that writes them.
#include <gtest/gtest.h>

#include <string>

#include "model/defaults.h"
#include "model/definition.h"
#include "model/language.h"
#include "model/test_support.h"

namespace fw {
namespace {

using namespace std::string_literals;
using test::Cell;
using test::Padded;
using test::Str;

constexpr char kStale = '\xA5';  // what a previously loaded file left behind
constexpr int kKeep = -1;        // a byte that a new definition leaves as it was loaded

// A record's expected bytes: zero, except for runs of one value.
struct ByteRun {
    std::size_t offset, count;
    int value;
};
std::string Expected(std::size_t size, std::span<const ByteRun> runs) {
    std::string out(size, '\0');
    for (const ByteRun& r : runs)
        out.replace(r.offset, r.count, r.count, r.value == kKeep ? kStale : char(r.value));
    return out;
}
std::string Expected(std::size_t size, std::initializer_list<ByteRun> runs) {
    return Expected(size, std::span<const ByteRun>(runs.begin(), runs.size()));
}

class NewDefinitionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Start from a definition full of stale bytes so that every reset is visible.
        const std::span<Byte> blocks[] = {d.formatTag,        d.reservedWord,     d.readerOptions,
                                          d.menuTable,        d.formTable,        d.lookupTable,
                                          d.screenTexts,      d.symbologyOptions, d.readerExtra,
                                          d.terminalSettings, d.readerOptions2,   d.barcodeRules,
                                          d.variableNames,    d.networkSettings,  d.fieldLinks};
        for (std::span<Byte> block : blocks)
            std::ranges::fill(block, Byte(kStale));
        LoadDefaultTexts(d, Language{});
        ResetReaderSettings(d);
        NewDefinition(d);
    }
    Definition d;
};

TEST_F(NewDefinitionTest, RecordsTakeTheirNewValuesAndKeepWhatNothingInterprets) {
    for (int n = 0; n < 10; ++n) {
        SCOPED_TRACE(n);
        // Every form returns to itself; all lines are nil, both sources, 80 characters long.
        // ByteRuns: date and time stamps, separators "/" and ":", per-line defaults, the serial,
        // totals and filter defaults, and the reserved tail as loaded.
        const ByteRun formByteRuns[] = {{2, 1, n + 1}, {4, 2, 1},    {7, 3, 1},        {10, 1, '/'},
                                        {13, 4, 1},    {17, 1, ':'}, {205, 8, 2},      {221, 8, 80},
                                        {533, 8, 20},  {597, 8, 1},  {1163, 2, 1},     {1166, 4, 1},
                                        {1178, 4, 1},  {1190, 4, 1}, {1200, 15, kKeep}};
        std::string form = Expected(1215, formByteRuns);
        for (int line = 0; line < 8; ++line)
            form.replace(613 + 50 * line + 1, 49, 49, kStale);  // LineText50 keeps its tail
        EXPECT_EQ(Str(d.formTable, 1215 * n, 1215), form);
        EXPECT_EQ(Str(d.menuTable, 350 * n, 350), Expected(350, {{250, 100, kKeep}}));
    }
    for (int db = 0; db < 3; ++db)
        EXPECT_EQ(Str(d.lookupTable, 122 * db, 122),
                  Expected(122, {{3, 8, 1}, {20, 1, 1}, {45, 77, kKeep}}));

    const ByteRun terminalByteRuns[] = {
        {0, 1, 0x32}, {2, 1, 0x2C}, {30, 1, 2},  {32, 1, 1},      {33, 1, 6},      {69, 15, kKeep},
        {137, 1, 2},  {138, 1, 1},  {139, 1, 2}, {255, 1, kKeep}, {258, 2, kKeep}, {261, 7, kKeep}};
    std::string terminal = Expected(268, terminalByteRuns);
    const char* utility[] = {"8. Calculator", "7.Buzzer", "1.Key Click", "2.Barcode Read",
                             "3.Warning Beep"};
    for (int k = 0; k < 5; ++k)
        terminal.replace(150 + 21 * k, 21, Padded(utility[k]));
    EXPECT_EQ(Str(d.terminalSettings), terminal);

    // Weight rules point every line at the next but one.
    std::string rules(822, '\0');
    for (int n = 0; n < 10; ++n)
        for (int i = 0; i < 7; ++i)
            rules[742 + 8 * n + i] = char(i + 2);
    EXPECT_EQ(Str(d.barcodeRules), rules);
    // The block is cleared first, so each name cell's tail is zero too.
    std::string names;
    for (int v = 1; v <= 10; ++v)
        names += Cell(test::kVariableStem + std::to_string(v));
    names.resize(348, '\0');
    EXPECT_EQ(Str(d.variableNames), names);
    EXPECT_EQ(Str(d.networkSettings) + Str(d.fieldLinks), std::string(247 + 160, '\0'));
    // The format tag and the reserved word are not part of a new definition.
    EXPECT_EQ(Str(d.formatTag) + Str(d.reservedWord), std::string(12, kStale));
}

TEST(ResetReaderSettingsTest, SetsTheReaderDefaultsAndLeavesTheReaderTypeAlone) {
    Definition d;
    d.terminalSettings[256] = 4;  // long-range engine
    d.formTable[0] = 7;
    d.symbologyOptions.fill(0xEE);
    d.readerOptions2.fill(1);
    ResetReaderSettings(d);
    EXPECT_EQ(Str(d.readerOptions),
              "\x9B\xC9\x00\x3F\x80\x2D\x54\x80\x00\x19\x3D\x00\xFF\x01\xFE\x01\xFF\x01\xFF\x01"
              "\x66\x03\xC3"s);
    EXPECT_EQ(Str(d.symbologyOptions), "\xD8\x57\x80\x06\xE0\x80"s + std::string(8, '\0') +
                                           "\x80"s + std::string(11, '\0') +
                                           "\xFF\x80\xE0\x9C\x39"s + std::string(14, '\0'));
    EXPECT_EQ(Str(d.readerExtra), "\x80\x2C\x00\x80"s + std::string(6, '\0'));
    EXPECT_EQ(Str(d.readerOptions2), std::string(100, '\0'));
    EXPECT_EQ(d.terminalSettings[256], 4);
    EXPECT_EQ(d.formTable[0], 7);
}

TEST_F(NewDefinitionTest, ScreenTextsComeFromTheBuiltInTexts) {
    struct Line {
        std::size_t offset;  // within the screen texts (file offset - 16051)
        std::string text;
    };
    const Line lines[] = {
        {84, Padded("1. Collect data")},                // group 2, line 0
        {147, Padded("")},                              // group 2, line 3: a spacer
        {168, Padded("1. Program Settings")},           // group 3, line 0
        {168 + 7 * 21, Padded("8. Load Lookup File")},  // group 3, line 7
        {735, Padded(" [PROGRAM SETTINGS]")},           // group 8, line 0
        {1155, Padded("Baud rate:115200 bps")},         // group 11, line 0
        {2373, Padded("Modem Initialize...")},          // group 24, line 0
        {2394, Cell("")},                               // group 24, line 1: id 1011 has no text
        {2772, Padded("[ ESC ]   to cancel")},          // group 27, line 2, the last line
        {0, std::string(84, '\0')},                     // group 1 has no texts
    };
    for (const Line& l : lines)
        EXPECT_EQ(Str(d.screenTexts, l.offset, l.text.size()), l.text) << l.offset;
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
    EXPECT_EQ(Str(d.screenTexts), std::string(d.screenTexts.size(), '\0'));
    EXPECT_EQ(d.defaults.screenLines[4], u"Сбор данных на склад");

    NewDefinition(d);
    // "Сбор данных на склад" and "Калькулятор" in windows-1251.
    EXPECT_EQ(Str(d.screenTexts, 84, 21),
              "\xD1\xE1\xEE\xF0 \xE4\xE0\xED\xED\xFB\xF5 \xED\xE0 \xF1\xEA\xEB\xE0\xE4\0"s);
    EXPECT_EQ(Str(d.screenTexts, 105, 6), "2. ??\0"s);
    EXPECT_EQ(Str(d.terminalSettings, 150, 15),
              "9. \xCA\xE0\xEB\xFC\xEA\xF3\xEB\xFF\xF2\xEE\xF0\0"s);
    // Untranslated ids fall back to the built-in table.
    EXPECT_EQ(Str(d.screenTexts, 126, 21), Padded("3. Utilities"));
}

}  // namespace
}  // namespace fw
