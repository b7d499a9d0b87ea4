// Normalisation repairs a definition in place; offsets below come from the record layouts.
#include "model/normalise.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/codepage.h"
#include "model/defaults.h"
#include "model/definition.h"
#include "model/projectfile.h"
#include "model/test_support.h"

namespace fw {
namespace {

using test::Cell;
using test::Padded;
using test::SetCell;
using test::Str;

// Line types by letter, each letter at the position of its type code: - nil, T text,
// I integer, R real, L letter, A auto, B boolean, K lookup, F fixed data, P prompt, C counter,
// D pass down, X extension, U pause, N alphameric, W weight, S serial number, ? unknown.
Byte TypeOf(char letter) {
    return static_cast<Byte>(std::string_view("-TIRLABKFPCDXUNWS?").find(letter));
}

// The byte of a definition that a project file keeps at offset.
Byte& AtFileOffset(Definition& d, std::size_t offset) {
    const std::span<Byte> blocks[] = {
        d.formatTag,      d.reservedWord, d.readerOptions,    d.menuTable,       d.formTable,
        d.lookupTable,    d.screenTexts,  d.symbologyOptions, d.readerExtra,     d.terminalSettings,
        d.readerOptions2, d.barcodeRules, d.variableNames,    d.networkSettings, d.fieldLinks};
    for (std::span<Byte> block : blocks) {
        if (offset < block.size()) return block[offset];
        offset -= block.size();
    }
    throw std::out_of_range("beyond the extended format");
}

class NormaliseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetReaderSettings(d);
        NewDefinition(d);
    }
    // Database db (1..3) with the given number of fields, key field counted from 0.
    void DefineDatabase(int db, int fields, int keyField = 0) {
        LookupRecord l = Lookup(d, db);
        l.MemberLength() = static_cast<Byte>(10 * fields);
        l.FieldCount() = static_cast<Byte>(fields);
        l.KeyField() = static_cast<Byte>(keyField);
    }
    Definition d;
};

TEST_F(NormaliseTest, LengthsAreCappedAtEighty) {
    struct Case {
        Byte min, max, expMin, expMax;
    };
    const Case cases[] = {
        {90, 100, 80, 80}, {10, 5, 5, 5}, {0, 81, 0, 80}, {255, 255, 80, 80}, {3, 80, 3, 80},
    };
    for (const Case& c : cases) {
        FormRecord f = Form(d, 4);
        f.LineType(2) = kLineText;
        f.MinLength(2) = c.min;
        f.MaxLength(2) = c.max;
        NormaliseLengths(d);
        EXPECT_EQ(f.MinLength(2), c.expMin) << int(c.min) << "/" << int(c.max);
        EXPECT_EQ(f.MaxLength(2), c.expMax) << int(c.min) << "/" << int(c.max);
    }
}

// What a line keeps depends on its type: an unused line loses its prompt (the lengths pass
// clears the whole cell, the menus-and-lines pass only ends the text); only lines whose data
// a database can give keep a lookup field; input lines count for LastInputLine; some types
// can neither save to nor fill from a variable.
TEST_F(NormaliseTest, WhatALineKeepsFollowsItsType) {
    struct Case {
        char type;
        int used, field, input, save, fill;
    };
    const Case cases[] = {{'-', 0, 0, 0, 0, 0}, {'T', 1, 1, 1, 1, 1}, {'I', 1, 1, 1, 1, 1},
                          {'R', 1, 1, 1, 1, 1}, {'L', 1, 1, 1, 1, 1}, {'A', 1, 1, 1, 1, 1},
                          {'B', 1, 1, 1, 1, 1}, {'K', 1, 1, 0, 1, 0}, {'F', 1, 0, 0, 0, 1},
                          {'P', 1, 0, 0, 0, 1}, {'C', 1, 0, 0, 1, 0}, {'D', 1, 0, 0, 0, 0},
                          {'X', 0, 0, 0, 0, 0}, {'U', 1, 0, 1, 0, 0}, {'N', 1, 1, 1, 1, 1},
                          {'W', 1, 1, 1, 1, 1}, {'S', 1, 1, 1, 1, 1}, {'?', 1, 0, 0, 1, 1}};
    std::string typed = Cell("Qty");
    typed[10] = 'x';  // stale bytes behind the terminator
    std::string ended = typed;
    ended[0] = 0;
    for (const Case& c : cases) {
        for (auto pass : {&NormaliseLengths, &NormaliseMenusAndLines, &NormaliseSettings}) {
            SCOPED_TRACE(std::to_string(c.type) +
                         (pass == &NormaliseLengths ? " lengths" : " other pass"));
            SetUp();
            FormRecord f = Form(d, 1);
            f.LineType(5) = TypeOf(c.type);
            SetCell(f.LinePrompt(5), typed);
            f.LineLookupField(5) = 3;
            f.SaveToVariable(5) = 4;
            f.FillFromVariable(5) = 9;
            pass(d);
            if (pass == &NormaliseSettings) {
                EXPECT_EQ(f.SaveToVariable(5), c.save ? 4 : 0);
                EXPECT_EQ(f.FillFromVariable(5), c.fill ? 9 : 0);
                continue;
            }
            const std::string unused = pass == &NormaliseLengths ? Cell("") : ended;
            EXPECT_EQ(Str(f.LinePrompt(5)), c.used ? typed : unused);
            EXPECT_EQ(f.LineLookupField(5), c.field ? 3 : 0);
            if (pass == &NormaliseMenusAndLines) {
                EXPECT_EQ(f.LastInputLine(), c.input ? 6 : 0);
            }
        }
    }
}

// Menu texts fill the screen width; an item counts when it shows something, wherever it is.
TEST_F(NormaliseTest, MenuTextsArePaddedAndTheirItemsCounted) {
    MenuRecord m = Menu(d, 3);
    std::string typed = Cell("Shop");
    typed[12] = 'z';
    SetCell(m.Caption(), typed);
    SetCell(m.ItemText(0), "1. Receive");
    SetCell(m.ItemText(1), "   ");
    SetCell(m.ItemText(2), "3. Ship");
    SetCell(m.ItemText(4), "\x01\x02");                  // control characters only
    SetCell(m.ItemText(6), "\xCF\xF0\xE8\xE5\xEC");      // "Прием": bytes above 0x7F count
    SetCell(m.ItemText(8), std::string(20, ' ') + "X");  // beyond the screen width
    m.ItemCount() = 9;
    NormaliseMenusAndLines(d);
    EXPECT_EQ(Str(m.Caption()), typed);  // not shown, so stored as typed
    EXPECT_EQ(m.ItemCount(), 3);
    EXPECT_EQ(Str(m.ItemText(1)), Padded(""));
    EXPECT_EQ(Str(m.ItemText(2)), Padded("3. Ship"));
    EXPECT_EQ(Str(m.ItemText(8)), Padded(""));
    EXPECT_EQ(Str(m.ItemText(9)), Padded(""));

    m.HasCaption() = 1;
    NormaliseMenusAndLines(d);
    EXPECT_EQ(Str(m.Caption()), Padded("Shop"));
    // A caption without a terminator is cut to the screen width.
    std::ranges::fill(m.Caption(), Byte{'W'});
    NormaliseMenusAndLines(d);
    EXPECT_EQ(Str(m.Caption()), Padded(std::string(20, 'W')));
}

TEST_F(NormaliseTest, LastInputLineIsTheLastLineTheUserFillsIn) {
    const std::pair<const char*, Byte> cases[] = {
        {"T---C---", 1}, {"T------U", 8}, {"-B---SX-", 6}, {"FPKDX---", 0}, {"--WNA--?", 5}};
    for (auto [types, expected] : cases) {
        FormRecord f = Form(d, 7);
        for (int i = 0; i < 8; ++i)
            f.LineType(i) = TypeOf(types[i]);
        NormaliseMenusAndLines(d);
        EXPECT_EQ(f.LastInputLine(), expected) << types;
    }
}

TEST_F(NormaliseTest, SerialNumberLineSearchesTheKeyField) {
    DefineDatabase(2, 4, /*keyField=*/2);
    FormRecord f = Form(d, 5);
    f.FormLookup() = 2;
    f.LineType(1) = kLineSerial;
    f.LineLookupField(1) = 7;
    f.SerialStore() = 2;
    f.PrefixFlag(1) = 1;
    f.SuffixInSearch(1) = 1;
    NormaliseSettings(d);
    EXPECT_EQ(f.LineLookupField(1), 3);
    EXPECT_EQ(f.PrefixInSearch(1), 1);
    EXPECT_EQ(f.SuffixInSearch(1), 0);  // the line has no suffix

    // Serial numbers kept in the data file do not put the prefix into the search.
    f.SerialStore() = 0;
    f.PrefixInSearch(1) = 0;
    NormaliseSettings(d);
    EXPECT_EQ(f.PrefixInSearch(1), 0);

    // Without a database there is no key field to take: the line keeps its field.
    FormRecord g = Form(d, 6);
    g.LineType(0) = kLineSerial;
    g.LineLookupField(0) = 5;
    NormaliseSettings(d);
    EXPECT_EQ(g.LineLookupField(0), 5);
}

// Each row puts values, one at a time, into one byte of the definition, named by its offset
// in a project file (form fields of form 9 at line 4 or FN key 2), and says what is left.
TEST_F(NormaliseTest, SettingsOutOfRangeAreRepaired) {
    constexpr std::size_t kForm = 3535 + 8 * 1215, kLine = 4, kKey = 2;
    constexpr std::size_t kOptions2 = 19167, kRules = 19267, kNet = 20437;
    const std::vector<std::pair<Byte, Byte>> kNibbles = {{0xB4, 0x14}, {0x4C, 0x41}, {0xA9, 0xA9},
                                                         {0xFF, 0x11}, {0xAA, 0xAA}, {0x0B, 0x01}};
    struct Case {
        const char* field;
        std::size_t offset;
        int fields;  // of form 9's database; 0 = the form has none
        std::vector<std::pair<Byte, Byte>> values;
    };
    const Case cases[] = {
        {"SaveToVariable", kForm + 1115 + kLine, 0, {{11, 0}, {10, 10}}},
        {"FillFromVariable", kForm + 1123 + kLine, 0, {{200, 0}, {10, 10}}},
        {"KeepWholeBarcode", kForm + 1131 + kLine, 0, {{7, 1}}},
        {"WeightSourceKeep", kForm + 1139 + kLine, 0, {{3, 0}, {2, 2}}},
        {"PrefixInSearch", kForm + 1147 + kLine, 0, {{5, 1}}},
        {"SuffixInSearch", kForm + 1155 + kLine, 0, {{9, 1}}},
        {"SerialPartVariable", kForm + 1163, 0, {{0, 1}, {11, 1}, {10, 10}}},
        {"SerialQuantityField", kForm + 1164, 3, {{4, 1}, {3, 3}, {0, 1}}},
        {"SerialStore", kForm + 1165, 0, {{4, 0}, {2, 0}}},  // database 2 is not defined
        {"SerialStore", kForm + 1165, 3, {{3, 3}}},
        {"TotalSumField", kForm + 1166 + kKey, 0, {{0, 1}, {8, 8}, {9, 1}}},
        {"TotalSumField", kForm + 1166 + kKey, 3, {{4, 1}, {3, 3}}},
        // 9..18 are variables 1..10 and stay whatever the database has.
        {"TotalMultiplier", kForm + 1170 + kKey, 3, {{12, 12}, {9, 9}, {5, 0}, {3, 3}, {18, 18}}},
        {"TotalMultiplier", kForm + 1170 + kKey, 0, {{5, 5}, {19, 0}}},
        {"BalanceFilterField", kForm + 1174 + kKey, 3, {{4, 0}, {3, 3}}},
        {"BalanceFilterVariable", kForm + 1178 + kKey, 0, {{0, 1}, {11, 1}, {10, 10}}},
        {"BalanceCompare", kForm + 1182 + kKey, 0, {{3, 0}, {2, 2}}},
        {"TotalFilterField", kForm + 1186 + kKey, 0, {{9, 0}, {8, 8}}},
        {"TotalFilterVariable", kForm + 1190 + kKey, 0, {{10, 10}, {0, 1}, {11, 1}}},
        {"TotalCompare", kForm + 1194 + kKey, 0, {{2, 2}, {4, 0}}},
        {"ReaderOptions2 byte 1", kOptions2 + 1, 0, {{2, 0}, {1, 1}}},
        {"ReaderOptions2 byte 2", kOptions2 + 2, 0, {{5, 0}, {4, 4}}},
        {"ReaderOptions2 byte 3", kOptions2 + 3, 0, {{2, 0}, {1, 1}}},
        {"ReaderOptions2 byte 4", kOptions2 + 4, 0, {{5, 0}, {4, 4}}},
        {"ReaderOptions2 byte 5", kOptions2 + 5, 0, {{3, 0}, {2, 2}}},
        {"WeightBarcodeEnabled", kRules, 0, {{2, 0}, {1, 1}}},
        {"WeightMaskCount", kRules + 661, 0, {{21, 0}, {20, 20}}},
        {"WeightTransferFlags, form 5 line 1", kRules + 662 + 8 * 4, 0, {{5, 1}}},
        {"WeightTransferFlags, form 5 line 7", kRules + 662 + 8 * 4 + 6, 0, {{1, 1}}},
        // The last line has nowhere to pass a weight.
        {"WeightTransferFlags, form 5 line 8", kRules + 662 + 8 * 4 + 7, 0, {{1, 0}}},
        // A source line's weight goes to a line below it.
        {"WeightTargetLine, line 1", kRules + 742 + 8 * 9, 0, {{1, 2}, {9, 2}, {8, 8}, {2, 2}}},
        {"WeightTargetLine, line 4", kRules + 742 + 8 * 9 + 3, 0, {{4, 5}, {5, 5}}},
        {"WeightTargetLine, line 7", kRules + 742 + 8 * 9 + 6, 0, {{7, 8}, {8, 8}}},
        // Nibble values run 0..10: a damaged nibble becomes 1, its neighbour stays.
        {"PrefixCodeNibbles", kForm + 1035 + 5 * kLine, 0, kNibbles},
        {"SuffixCodeNibbles", kForm + 1075 + 5 * 7 + 4, 0, kNibbles},
        {"VariableNibbles", 20089 + 210 + 14, 0, kNibbles},
        {"Dhcp", kNet + 7, 0, {{3, 1}, {0, 0}}},
        {"Encryption", kNet + 57, 0, {{5, 0}, {4, 4}}},
        {"ActiveWepKey", kNet + 60, 0, {{4, 0}, {3, 3}}},
    };
    for (const Case& c : cases) {
        for (auto [in, out] : c.values) {
            SetUp();
            FormRecord f = Form(d, 8);
            f.LineType(kLine) = kLineText;
            f.PrefixFlag(kLine) = 1;
            f.SuffixFlag(kLine) = 1;
            if (c.fields != 0) {
                DefineDatabase(3, c.fields);
                f.FormLookup() = 3;
            }
            AtFileOffset(d, c.offset) = in;
            NormaliseSettings(d);
            EXPECT_EQ(AtFileOffset(d, c.offset), out)
                << c.field << " " << int(in) << ", " << c.fields;
        }
    }
    // The prefix and suffix only take part in the search when the line has them.
    FormRecord f = Form(d, 3);
    f.PrefixInSearch(4) = 1;
    f.SuffixInSearch(4) = 1;
    NormaliseSettings(d);
    EXPECT_EQ(f.PrefixInSearch(4), 0);
    EXPECT_EQ(f.SuffixInSearch(4), 0);
}

TEST_F(NormaliseTest, WepKeyLengthFollowsTheAuthentication) {
    struct Case {
        Byte authentication, keyLength, expected;
    };
    // Open or shared key keep 128-bit keys and take anything else as 64-bit; an unknown mode
    // forces 128-bit keys.
    for (Case c : {Case{0, 1, 1}, Case{1, 7, 0}, Case{1, 0, 0}, Case{2, 0, 1}}) {
        Network(d).WepAuthentication() = c.authentication;
        Network(d).WepKeyLength() = c.keyLength;
        NormaliseSettings(d);
        EXPECT_EQ(Network(d).WepAuthentication(), c.authentication);
        EXPECT_EQ(Network(d).WepKeyLength(), c.expected) << int(c.authentication);
    }
}

TEST_F(NormaliseTest, Gs1TransferClearsSettingsByte258) {
    for (Byte gs1 : {1, 2, 0}) {
        d.readerOptions2[0] = gs1;
        Terminal(d).SettingsByte258() = 7;
        NormaliseSettings(d);
        EXPECT_EQ(d.readerOptions2[0], gs1 == 1 ? 1 : 0);
        EXPECT_EQ(Terminal(d).SettingsByte258(), gs1 == 1 ? 0 : 7);
    }
}

TEST_F(NormaliseTest, ErasedVariableNameComesBack) {
    VariableNamesRecord v = Variables(d);
    std::ranges::fill(v.Name(4), Byte{0});
    StoreCellText(v.Name(5), u"Склад");
    NormaliseSettings(d);
    EXPECT_EQ(Str(v.Name(4)), Cell(test::kVariableStem + "4"));
    EXPECT_EQ(CellToUtf16(v.Name(5)), u"Склад");
}

// A line takes the parsed barcode of itself or of a line above it (LinkLine 1..8), only when
// its type can hold one; identifier 0 is the whole barcode, which the line itself already
// has; identifiers run to 233. The source line is then scanned whole.
TEST_F(NormaliseTest, FieldLinksAreRepaired) {
    struct Case {
        char type;
        int line;
        Byte link, value, expLink, expValue;
    };
    const Case cases[] = {{'T', 3, 2, 5, 2, 5},   {'I', 3, 4, 0, 0, 0},  {'S', 3, 4, 9, 4, 9},
                          {'T', 3, 5, 9, 0, 9},   {'K', 3, 1, 9, 0, 9},  {'C', 3, 1, 9, 0, 9},
                          {'W', 3, 1, 9, 0, 9},   {'N', 0, 1, 9, 1, 9},  {'T', 3, 1, 233, 1, 233},
                          {'T', 3, 1, 234, 1, 0}, {'T', 3, 0, 250, 0, 0}};
    for (const Case& c : cases) {
        SetUp();
        FormRecord f = Form(d, 1);
        f.LineType(c.line) = TypeOf(c.type);
        for (int i = 0; i < 8; ++i)
            f.ReadPartialBarcode(i) = 1;
        FieldLink(d, 1).LinkLine(c.line) = c.link;
        FieldLink(d, 1).LinkValue(c.line) = c.value;
        NormaliseSettings(d);
        SCOPED_TRACE(std::string(1, c.type) + " line " + std::to_string(c.line) + " link " +
                     std::to_string(c.link) + " value " + std::to_string(c.value));
        EXPECT_EQ(FieldLink(d, 1).LinkLine(c.line), c.expLink);
        EXPECT_EQ(FieldLink(d, 1).LinkValue(c.line), c.expValue);
        // The source line is scanned whole, so its partial read goes.
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(f.ReadPartialBarcode(i), c.expLink == i + 1 ? 0 : 1) << "line " << i;
    }
}

// A definition normalised once is consistent: normalising it again changes nothing. Any
// bytes at all are accepted.
TEST(NormaliseDefinitionTest, SecondRunChangesNothing) {
    for (unsigned seed : {1u, 2u, 3u, 42u, 1234u}) {
        SCOPED_TRACE(seed);
        auto d = std::make_unique<Definition>();
        std::mt19937 rng(seed);
        auto random = [&rng](int below) { return static_cast<Byte>(rng() % below); };
        for (std::size_t offset = 0; offset < kExtendedFileSize; ++offset)
            AtFileOffset(*d, offset) = random(256);
        // Small values make the rules between fields bite more often.
        for (int n = 0; n < 10; ++n) {
            Form(*d, n).FormLookup() = random(5);
            for (int i = 0; i < 8; ++i) {
                Form(*d, n).LineType(i) = random(18);
                FieldLink(*d, n).LinkLine(i) = random(9);
                FieldLink(*d, n).LinkValue(i) = random(3);
            }
        }
        for (int db = 1; db <= 3; ++db)
            Lookup(*d, db).FieldCount() = random(9);
        if (seed % 2) Variables(*d).Name(seed % 10 + 1)[0] = 0;

        NormaliseDefinition(*d);
        const std::string once = SerialiseProject(*d, true);
        NormaliseDefinition(*d);
        EXPECT_EQ(SerialiseProject(*d, true), once);
    }
}

TEST_F(NormaliseTest, NewDefinitionIsAlreadyConsistent) {
    auto before = std::make_unique<Definition>(d);
    NormaliseDefinition(d);
    // Only the menus change: their empty texts are padded for the screen.
    EXPECT_EQ(Menu(d, 0).ItemCount(), 0);
    EXPECT_EQ(Str(Menu(d, 0).ItemText(9)), Padded(""));
    EXPECT_EQ(Menu(d, 0).Caption()[0], 0);
    before->menuTable = d.menuTable;
    EXPECT_EQ(SerialiseProject(d, true), SerialiseProject(*before, true));
}

using FixUpFormsTest = NormaliseTest;

TEST_F(FixUpFormsTest, WeightLinesBecomeRealWhenWeightBarcodesAreOff) {
    FormRecord f = Form(d, 0);
    f.LineType(2) = kLineWeight;
    Rules(d).WeightBarcodeEnabled() = 1;
    FixUpForms(d);
    EXPECT_EQ(f.LineType(2), kLineWeight);
    Rules(d).WeightBarcodeEnabled() = 0;
    FixUpForms(d);
    EXPECT_EQ(f.LineType(2), kLineReal);
}

TEST_F(FixUpFormsTest, LongPromptIsCut) {
    FormRecord f = Form(d, 0);
    f.LineType(1) = kLineText;
    std::ranges::fill(f.LinePrompt(1), Byte{'P'});
    FixUpForms(d);
    EXPECT_EQ(Str(f.LinePrompt(1)), Cell(std::string(20, 'P')));
}

TEST_F(FixUpFormsTest, InputContinuesOverExtensionLines) {
    // Every line that is neither nil nor an extension gets the case's prompt and MaxLength,
    // AutoEnter 3 and mark '>'; extension lines start at 77, AutoEnter 2 and mark '<'.
    struct Case {
        const char* types;
        const char* prompt;
        Byte maxLength;
        Byte maxAfter[8];
        const char* autoEnter;  // per line after the fix-up; the mark follows it
    };
    const Case cases[] = {
        {"TXX-----", "Descr", 60, {60, 45, 25, 80, 80, 80, 80, 80}, "33311111"},
        {"TXX-----", "Descr", 10, {10, 0, 0, 80, 80, 80, 80, 80}, "33311111"},
        {"--SXXX--", "", 80, {80, 80, 80, 60, 40, 20, 80, 80}, "11333311"},
        // A fifth extension line is not reached; it keeps what it had.
        {"NXXXXX--", "", 80, {80, 60, 40, 20, 0, 77, 80, 80}, "33333211"},
        // The text line starts a chain of its own.
        {"IXTX----", "No", 40, {40, 22, 40, 22, 80, 80, 80, 80}, "33331111"},
        // A fixed-data line has no input to continue.
        {"FX------", "", 40, {40, 77, 80, 80, 80, 80, 80, 80}, "32111111"},
        {"------TX", "", 70, {80, 80, 80, 80, 80, 80, 70, 50}, "11111133"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.types) + " " + c.prompt + " " + std::to_string(c.maxLength));
        SetUp();
        FormRecord f = Form(d, 9);
        for (int i = 0; i < 8; ++i) {
            const bool first = c.types[i] != '-' && c.types[i] != 'X';
            f.LineType(i) = TypeOf(c.types[i]);
            f.MaxLength(i) = first ? c.maxLength : 77;
            f.AutoEnter(i) = first ? 3 : 2;
            f.InputMark(i) = first ? '>' : '<';
            if (first) SetCell(f.LinePrompt(i), c.prompt);
        }
        FixUpForms(d);
        for (int i = 0; i < 8; ++i) {
            const int autoEnter = c.autoEnter[i] - '0';
            EXPECT_EQ(f.MaxLength(i), c.maxAfter[i]) << "line " << i;
            EXPECT_EQ(f.AutoEnter(i), autoEnter) << "line " << i;
            EXPECT_EQ(f.InputMark(i), autoEnter == 3   ? '>'
                                      : autoEnter == 2 ? '<'
                                                       : 0)
                << "line " << i;
        }
    }
}

TEST_F(FixUpFormsTest, UnusedLinesAreCleared) {
    // Line 6's fields, in record order: where each starts, how many bytes, and what a nil and
    // an extension line hold there afterwards (kJunk: what was there stays). They are
    // LineLookupField, LinePrompt, InputSource, MinLength, MaxLength, FixedLengthFlag,
    // Alignment, FixedLength, InitialValueFlag, InitialValue (first byte, the rest),
    // PrefixFlag, PrefixCode, SuffixFlag, SuffixCode, ReadPartialBarcode, PartialStart,
    // PartialLength, CheckLeadingCode, LeadingCode, AutoEnter, InputMark, LineText50 (first
    // byte, the rest). An extension line keeps the MaxLength, AutoEnter and InputMark that
    // the line it continues gave it.
    constexpr int kJunk = 'J';
    struct Field {
        std::size_t offset, width;
        int nil, extension;
    };
    const Field fields[] = {
        {21 + 6, 1, 0, 0},      {37 + 21 * 6, 21, 0, 0},     {205 + 6, 1, 2, 2},
        {213 + 6, 1, 0, 0},     {221 + 6, 1, 80, kJunk},     {229 + 6, 1, 0, 0},
        {237 + 6, 1, 0, 0},     {245 + 6, 1, 0, 0},          {253 + 6, 1, 0, 0},
        {261 + 60, 1, 0, 0},    {262 + 60, 9, kJunk, kJunk}, {341 + 6, 1, 0, 0},
        {349 + 60, 10, 0, 0},   {429 + 6, 1, 0, 0},          {437 + 60, 10, 0, 0},
        {517 + 6, 1, 0, 0},     {525 + 6, 1, 0, 0},          {533 + 6, 1, 20, 20},
        {541 + 6, 1, 0, 0},     {549 + 36, 6, 0, 0},         {597 + 6, 1, 1, kJunk},
        {605 + 6, 1, 0, kJunk}, {613 + 300, 1, 0, 0},        {614 + 300, 49, kJunk, kJunk},
    };
    for (Byte type : {kLineNil, kLineExtension}) {
        SetUp();
        FormRecord f = Form(d, 4);
        for (const Field& x : fields)
            std::fill_n(f.Data() + x.offset, x.width, Byte{kJunk});
        f.LineType(6) = type;
        FixUpForms(d);
        for (const Field& x : fields) {
            const int value = type == kLineNil ? x.nil : x.extension;
            EXPECT_EQ(Str(d.formTable, 4 * 1215 + x.offset, x.width),
                      std::string(x.width, char(value)))
                << "offset " << x.offset << ", type " << int(type);
        }
    }
}

}  // namespace
}  // namespace fw
