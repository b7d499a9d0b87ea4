#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "model/codepage.h"
#include "model/defaults.h"
#include "model/definition.h"
#include "model/normalise.h"

namespace fw {
namespace {

std::vector<Byte> CellBytes(std::span<const Byte> cell) {
    return std::vector<Byte>(cell.begin(), cell.end());
}

void SetCell(std::span<Byte, kTextCellSize> cell, const std::string& bytes) {
    std::ranges::fill(cell, Byte{0});
    std::copy(bytes.begin(), bytes.end(), cell.begin());
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

TEST_F(NormaliseTest, PromptsAndLookupFieldsFollowTheLineType) {
    struct Case {
        Byte type;
        bool keepsPrompt;
        bool keepsField;
    };
    const Case cases[] = {
        {kLineNil, false, false},
        {kLineExtension, false, false},
        {kLineText, true, true},
        {kLineBoolean, true, true},
        {kLineLookup, true, true},
        {kLineFixedData, true, false},
        {kLinePrompt, true, false},
        {kLineCounter, true, false},
        {kLinePassDown, true, false},
        {kLinePause, true, false},
        {kLineAlphameric, true, true},
        {kLineWeight, true, true},
        {kLineSerial, true, true},
        {17, true, false},
        {200, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.type));
        FormRecord f = Form(d, 1);
        f.LineType(5) = c.type;
        SetCell(f.LinePrompt(5), "Qty");
        f.LinePrompt(5)[10] = 'x';  // stale bytes behind the terminator
        f.LineLookupField(5) = 3;
        NormaliseLengths(d);
        std::vector<Byte> prompt = CellBytes(f.LinePrompt(5));
        if (c.keepsPrompt) {
            EXPECT_EQ(prompt[0], 'Q');
            EXPECT_EQ(prompt[10], 'x');
        } else {
            EXPECT_EQ(prompt, std::vector<Byte>(21, 0));
        }
        EXPECT_EQ(f.LineLookupField(5), c.keepsField ? 3 : 0);
    }
}

TEST_F(NormaliseTest, MenuCaptionIsPaddedOnlyWhenShown) {
    MenuRecord m = Menu(d, 3);
    SetCell(m.Caption(), "Shop");
    m.Caption()[12] = 'z';
    m.HasCaption() = 0;
    NormaliseMenusAndLines(d);
    std::vector<Byte> typed = {'S', 'h', 'o', 'p', 0, 0, 0, 0, 0, 0, 0,
                               0,   'z', 0,   0,   0, 0, 0, 0, 0, 0};
    EXPECT_EQ(CellBytes(m.Caption()), typed);

    m.HasCaption() = 1;
    NormaliseMenusAndLines(d);
    std::vector<Byte> padded = {'S', 'h', 'o', 'p', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', 0};
    EXPECT_EQ(CellBytes(m.Caption()), padded);

    // A caption without a terminator is cut to the screen width.
    std::ranges::fill(m.Caption(), Byte{'W'});
    NormaliseMenusAndLines(d);
    std::vector<Byte> full(20, 'W');
    full.push_back(0);
    EXPECT_EQ(CellBytes(m.Caption()), full);
}

TEST_F(NormaliseTest, ItemCountCountsItemsThatShowSomething) {
    MenuRecord m = Menu(d, 0);
    SetCell(m.ItemText(0), "1. Receive");
    SetCell(m.ItemText(1), "   ");
    SetCell(m.ItemText(2), "3. Ship");
    SetCell(m.ItemText(4), "\x01\x02");                  // control characters only
    SetCell(m.ItemText(6), "\xCF\xF0\xE8\xE5\xEC");      // "Прием": bytes above 0x7F count
    SetCell(m.ItemText(8), std::string(20, ' ') + "X");  // beyond the screen width
    m.ItemCount() = 9;
    NormaliseMenusAndLines(d);
    EXPECT_EQ(m.ItemCount(), 3);
    // The blank item stays where it is, and every item is padded to the full width.
    EXPECT_EQ(CellBytes(m.ItemText(1)), CellBytes(m.ItemText(3)));
    std::vector<Byte> ship = {'3', '.', ' ', 'S', 'h', 'i', 'p', ' ', ' ', ' ', ' ',
                              ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', 0};
    EXPECT_EQ(CellBytes(m.ItemText(2)), ship);
    std::vector<Byte> blank(20, ' ');
    blank.push_back(0);
    EXPECT_EQ(CellBytes(m.ItemText(9)), blank);
    EXPECT_EQ(CellBytes(m.ItemText(8)), blank);
}

TEST_F(NormaliseTest, NilLinesLoseTheirPromptOnEverySave) {
    FormRecord f = Form(d, 2);
    f.LineType(0) = kLineNil;
    SetCell(f.LinePrompt(0), "Item");
    f.LineType(1) = kLineFixedData;
    SetCell(f.LinePrompt(1), "Store 12");
    f.LineLookupField(1) = 2;
    f.LineType(2) = kLineLookup;
    f.LineLookupField(2) = 2;
    NormaliseMenusAndLines(d);
    // This pass only ends the text; the rest of the cell carries no meaning.
    EXPECT_EQ(f.LinePrompt(0)[0], 0);
    EXPECT_EQ(f.LinePrompt(0)[1], 't');
    EXPECT_EQ(CellToUtf16(f.LinePrompt(1)), u"Store 12");
    EXPECT_EQ(f.LineLookupField(1), 0);
    EXPECT_EQ(f.LineLookupField(2), 2);
}

TEST_F(NormaliseTest, LastInputLineIsTheLastLineTheUserFillsIn) {
    struct Case {
        std::vector<Byte> types;
        Byte expected;
    };
    const Case cases[] = {
        {{kLineText, 0, 0, 0, kLineCounter, 0, 0, 0}, 1},
        {{0, 0, 0, 0, 0, 0, 0, 0}, 0},
        {{kLineFixedData, kLinePrompt, kLineLookup, kLinePassDown, kLineExtension, 0, 0, 0}, 0},
        {{kLineText, 0, 0, 0, 0, 0, 0, kLinePause}, 8},
        {{0, kLineBoolean, 0, 0, 0, kLineSerial, kLineExtension, 0}, 6},
        {{0, 0, kLineWeight, kLineAlphameric, kLineAuto, 0, 0, 17}, 5},
    };
    for (const Case& c : cases) {
        FormRecord f = Form(d, 7);
        for (int i = 0; i < 8; ++i)
            f.LineType(i) = c.types[i];
        NormaliseMenusAndLines(d);
        EXPECT_EQ(f.LastInputLine(), c.expected) << int(c.expected);
    }
}

TEST_F(NormaliseTest, DamagedNibblesBecomeOne) {
    struct Case {
        Byte in, out;
    };
    const Case cases[] = {{0xB4, 0x14}, {0x4C, 0x41}, {0xA9, 0xA9}, {0xFF, 0x11},
                          {0xAA, 0xAA}, {0x0B, 0x01}, {0x00, 0x00}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.in));
        FormRecord f = Form(d, 6);
        f.PrefixCodeNibbles(2)[0] = c.in;
        f.SuffixCodeNibbles(7)[4] = c.in;
        Variables(d).VariableNibbles()[14] = c.in;
        NormaliseSettings(d);
        EXPECT_EQ(f.PrefixCodeNibbles(2)[0], c.out);
        EXPECT_EQ(f.SuffixCodeNibbles(7)[4], c.out);
        EXPECT_EQ(Variables(d).VariableNibbles()[14], c.out);
    }
}

TEST_F(NormaliseTest, VariableUseFollowsTheLineType) {
    struct Case {
        Byte type;
        bool keepsSave, keepsFill;
    };
    const Case cases[] = {
        {kLineNil, false, false},       {kLinePassDown, false, false},
        {kLineExtension, false, false}, {kLinePause, false, false},
        {kLineLookup, true, false},     {kLineCounter, true, false},
        {kLineFixedData, false, true},  {kLinePrompt, false, true},
        {kLineText, true, true},        {kLineSerial, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.type));
        FormRecord f = Form(d, 0);
        f.LineType(3) = c.type;
        f.SaveToVariable(3) = 4;
        f.FillFromVariable(3) = 9;
        NormaliseSettings(d);
        EXPECT_EQ(f.SaveToVariable(3), c.keepsSave ? 4 : 0);
        EXPECT_EQ(f.FillFromVariable(3), c.keepsFill ? 9 : 0);
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
    f.SuffixFlag(1) = 0;
    f.SuffixInSearch(1) = 1;
    NormaliseSettings(d);
    EXPECT_EQ(f.LineLookupField(1), 3);
    EXPECT_EQ(f.PrefixInSearch(1), 1);
    EXPECT_EQ(f.SuffixInSearch(1), 0);

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

TEST_F(NormaliseTest, LineSettingsOutOfRangeAreRepaired) {
    struct Case {
        const char* name;
        Byte& (FormRecord::*field)(int) const;
        Byte in, out;
    };
    const Case cases[] = {
        {"SaveToVariable 11", &FormRecord::SaveToVariable, 11, 0},
        {"SaveToVariable 10", &FormRecord::SaveToVariable, 10, 10},
        {"FillFromVariable 200", &FormRecord::FillFromVariable, 200, 0},
        {"KeepWholeBarcode 7", &FormRecord::KeepWholeBarcode, 7, 1},
        {"WeightSourceKeep 3", &FormRecord::WeightSourceKeep, 3, 0},
        {"WeightSourceKeep 2", &FormRecord::WeightSourceKeep, 2, 2},
        {"PrefixInSearch 5", &FormRecord::PrefixInSearch, 5, 1},
        {"SuffixInSearch 9", &FormRecord::SuffixInSearch, 9, 1},
    };
    for (const Case& c : cases) {
        FormRecord f = Form(d, 3);
        f.LineType(4) = kLineText;
        f.PrefixFlag(4) = 1;
        f.SuffixFlag(4) = 1;
        (f.*c.field)(4) = c.in;
        NormaliseSettings(d);
        EXPECT_EQ((f.*c.field)(4), c.out) << c.name;
    }
    // The prefix and suffix only take part in the search when the line has them.
    FormRecord f = Form(d, 3);
    f.PrefixFlag(4) = 0;
    f.SuffixFlag(4) = 0;
    f.PrefixInSearch(4) = 1;
    f.SuffixInSearch(4) = 1;
    NormaliseSettings(d);
    EXPECT_EQ(f.PrefixInSearch(4), 0);
    EXPECT_EQ(f.SuffixInSearch(4), 0);
}

TEST_F(NormaliseTest, TotalsAndSerialSettingsStayWithinTheDatabase) {
    struct Case {
        const char* name;
        int fields;  // of the form's database; 0 = the form has none
        Byte& (FormRecord::*field)(int) const;
        Byte in, out;
    };
    const Case cases[] = {
        {"multiplier variable 4, 3 fields", 3, &FormRecord::TotalMultiplier, 12, 12},
        {"multiplier field 5, 3 fields", 3, &FormRecord::TotalMultiplier, 5, 0},
        {"multiplier field 3, 3 fields", 3, &FormRecord::TotalMultiplier, 3, 3},
        {"multiplier field 5, no database", 0, &FormRecord::TotalMultiplier, 5, 5},
        {"multiplier 19", 0, &FormRecord::TotalMultiplier, 19, 0},
        {"multiplier 18", 3, &FormRecord::TotalMultiplier, 18, 18},
        {"sum field 0", 0, &FormRecord::TotalSumField, 0, 1},
        {"sum field 4, 3 fields", 3, &FormRecord::TotalSumField, 4, 1},
        {"sum field 8, no database", 0, &FormRecord::TotalSumField, 8, 8},
        {"sum field 9, no database", 0, &FormRecord::TotalSumField, 9, 1},
        {"balance filter 4, 3 fields", 3, &FormRecord::BalanceFilterField, 4, 0},
        {"balance filter 3, 3 fields", 3, &FormRecord::BalanceFilterField, 3, 3},
        {"balance variable 0", 0, &FormRecord::BalanceFilterVariable, 0, 1},
        {"balance variable 11", 0, &FormRecord::BalanceFilterVariable, 11, 1},
        {"balance compare 3", 0, &FormRecord::BalanceCompare, 3, 0},
        {"total filter 9, no database", 0, &FormRecord::TotalFilterField, 9, 0},
        {"total variable 10", 0, &FormRecord::TotalFilterVariable, 10, 10},
        {"total variable 0", 0, &FormRecord::TotalFilterVariable, 0, 1},
        {"total compare 2", 0, &FormRecord::TotalCompare, 2, 2},
        {"total compare 4", 0, &FormRecord::TotalCompare, 4, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        FormRecord f = Form(d, 8);
        if (c.fields != 0) {
            DefineDatabase(3, c.fields);
            f.FormLookup() = 3;
        }
        (f.*c.field)(2) = c.in;
        NormaliseSettings(d);
        EXPECT_EQ((f.*c.field)(2), c.out) << c.name;
    }

    struct FormCase {
        const char* name;
        int fields;
        Byte& (FormRecord::*field)() const;
        Byte in, out;
    };
    const FormCase formCases[] = {
        {"part variable 0", 0, &FormRecord::SerialPartVariable, 0, 1},
        {"part variable 11", 0, &FormRecord::SerialPartVariable, 11, 1},
        {"part variable 10", 0, &FormRecord::SerialPartVariable, 10, 10},
        {"quantity field 4, 3 fields", 3, &FormRecord::SerialQuantityField, 4, 1},
        {"quantity field 3, 3 fields", 3, &FormRecord::SerialQuantityField, 3, 3},
        {"quantity field 0", 0, &FormRecord::SerialQuantityField, 0, 1},
        {"store 4", 0, &FormRecord::SerialStore, 4, 0},
        {"store in an undefined database", 0, &FormRecord::SerialStore, 2, 0},
        {"store in a defined database", 3, &FormRecord::SerialStore, 3, 3},
    };
    for (const FormCase& c : formCases) {
        SetUp();
        FormRecord f = Form(d, 8);
        if (c.fields != 0) {
            DefineDatabase(3, c.fields);
            f.FormLookup() = 3;
        }
        (f.*c.field)() = c.in;
        NormaliseSettings(d);
        EXPECT_EQ((f.*c.field)(), c.out) << c.name;
    }
}

TEST_F(NormaliseTest, ErasedVariableNameComesBack) {
    VariableNamesRecord v = Variables(d);
    std::ranges::fill(v.Name(4), Byte{0});
    StoreCellText(v.Name(5), u"Склад");
    NormaliseSettings(d);
    // "Переменная4" in windows-1251.
    std::vector<Byte> expected = {0xCF, 0xE5, 0xF0, 0xE5, 0xEC, 0xE5, 0xED, 0xED, 0xE0, 0xFF, '4',
                                  0,    0,    0,    0,    0,    0,    0,    0,    0,    0};
    EXPECT_EQ(CellBytes(v.Name(4)), expected);
    EXPECT_EQ(CellToUtf16(v.Name(5)), u"Склад");
}

TEST_F(NormaliseTest, WeightRulesAreRepaired) {
    BarcodeRulesRecord r = Rules(d);
    struct Case {
        Byte enabledIn, enabledOut, countIn, countOut;
    };
    for (Case c : {Case{2, 0, 21, 0}, Case{1, 1, 20, 20}, Case{0, 0, 0, 0}}) {
        r.WeightBarcodeEnabled() = c.enabledIn;
        r.WeightMaskCount() = c.countIn;
        NormaliseSettings(d);
        EXPECT_EQ(r.WeightBarcodeEnabled(), c.enabledOut);
        EXPECT_EQ(r.WeightMaskCount(), c.countOut);
    }

    r.WeightTransferFlag(4, 0) = 5;
    r.WeightTransferFlag(4, 6) = 1;
    r.WeightTransferFlag(4, 7) = 1;  // the last line has nowhere to pass a weight
    struct Target {
        int line;
        Byte in, out;
    };
    const Target targets[] = {{0, 1, 2}, {0, 9, 2}, {0, 8, 8}, {0, 2, 2},
                              {3, 4, 5}, {3, 5, 5}, {6, 8, 8}, {6, 7, 8}};
    for (const Target& t : targets) {
        r.WeightTargetLine(9, t.line) = t.in;
        NormaliseSettings(d);
        EXPECT_EQ(r.WeightTargetLine(9, t.line), t.out) << t.line << ":" << int(t.in);
    }
    EXPECT_EQ(r.WeightTransferFlag(4, 0), 1);
    EXPECT_EQ(r.WeightTransferFlag(4, 6), 1);
    EXPECT_EQ(r.WeightTransferFlag(4, 7), 0);
}

TEST_F(NormaliseTest, NetworkSettingsAreRepaired) {
    struct Case {
        Byte dhcp, enc, auth, keyLen, active;
        Byte expDhcp, expEnc, expKeyLen, expActive;
    };
    const Case cases[] = {
        {3, 5, 0, 1, 4, 1, 0, 1, 0},  // open with 128-bit keys stays 128-bit
        {1, 4, 1, 7, 3, 1, 4, 0, 3},  // a bad key length with a valid mode means 64-bit
        {0, 1, 2, 0, 0, 0, 1, 1, 0},  // an unknown mode forces 128-bit keys
        {0, 3, 1, 0, 2, 0, 3, 0, 2},
    };
    for (const Case& c : cases) {
        NetworkSettingsRecord n = Network(d);
        n.Dhcp() = c.dhcp;
        n.Encryption() = c.enc;
        n.WepAuthentication() = c.auth;
        n.WepKeyLength() = c.keyLen;
        n.ActiveWepKey() = c.active;
        NormaliseSettings(d);
        EXPECT_EQ(n.Dhcp(), c.expDhcp);
        EXPECT_EQ(n.Encryption(), c.expEnc);
        EXPECT_EQ(n.WepAuthentication(), c.auth);
        EXPECT_EQ(n.WepKeyLength(), c.expKeyLen);
        EXPECT_EQ(n.ActiveWepKey(), c.expActive);
    }
}

TEST_F(NormaliseTest, ReaderOptionsTwoAreRepaired) {
    struct Case {
        std::vector<Byte> in, out;
        Byte byte258;
    };
    const Case cases[] = {
        {{1, 1, 4, 1, 4, 2}, {1, 1, 4, 1, 4, 2}, 0},  // GS1 on clears byte 258
        {{2, 2, 5, 2, 5, 3}, {0, 0, 0, 0, 0, 0}, 7},
        {{0, 0, 3, 0, 0, 1}, {0, 0, 3, 0, 0, 1}, 7},
    };
    for (const Case& c : cases) {
        std::copy(c.in.begin(), c.in.end(), d.readerOptions2.begin());
        Terminal(d).SettingsByte258() = 7;
        NormaliseSettings(d);
        EXPECT_EQ(std::vector<Byte>(d.readerOptions2.begin(), d.readerOptions2.begin() + 6), c.out);
        EXPECT_EQ(Terminal(d).SettingsByte258(), c.byte258);
    }
}

TEST_F(NormaliseTest, FieldLinksAreRepaired) {
    struct Case {
        const char* name;
        Byte targetType;
        int line;
        Byte link, value;
        Byte expLink, expValue;
    };
    const Case cases[] = {
        {"link from the line above", kLineText, 3, 2, 5, 2, 5},
        {"whole barcode of the line itself", kLineInteger, 3, 4, 0, 0, 0},
        {"part of the line's own barcode", kLineSerial, 3, 4, 9, 4, 9},
        {"link from a line below", kLineText, 3, 5, 9, 0, 9},
        {"target cannot take a parsed value", kLineLookup, 3, 1, 9, 0, 9},
        {"target is a counter", kLineCounter, 3, 1, 9, 0, 9},
        {"weight line target", kLineWeight, 3, 1, 9, 0, 9},
        {"alphameric target", kLineAlphameric, 0, 1, 9, 1, 9},
        {"identifier 233", kLineText, 3, 1, 233, 1, 233},
        {"identifier 234", kLineText, 3, 1, 234, 1, 0},
        {"no link with a bad identifier", kLineText, 3, 0, 250, 0, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        FormRecord f = Form(d, 1);
        f.LineType(c.line) = c.targetType;
        for (int i = 0; i < 8; ++i)
            f.ReadPartialBarcode(i) = 1;
        FieldLink(d, 1).LinkLine(c.line) = c.link;
        FieldLink(d, 1).LinkValue(c.line) = c.value;
        NormaliseSettings(d);
        EXPECT_EQ(FieldLink(d, 1).LinkLine(c.line), c.expLink) << c.name;
        EXPECT_EQ(FieldLink(d, 1).LinkValue(c.line), c.expValue) << c.name;
        // The source line is scanned whole, so its partial read goes.
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(f.ReadPartialBarcode(i), c.expLink == i + 1 ? 0 : 1) << c.name << " " << i;
    }
}

// A definition normalised once is consistent: normalising it again changes nothing. Any
// bytes at all are accepted.
TEST(NormaliseDefinitionTest, SecondRunChangesNothing) {
    for (unsigned seed : {1u, 2u, 3u, 42u, 1234u}) {
        SCOPED_TRACE(seed);
        auto d = std::make_unique<Definition>();
        std::mt19937 rng(seed);
        std::uniform_int_distribution<int> byte(0, 255);
        for (std::span<Byte> block :
             {std::span<Byte>(d->menuTable), std::span<Byte>(d->formTable),
              std::span<Byte>(d->lookupTable), std::span<Byte>(d->terminalSettings),
              std::span<Byte>(d->readerOptions2), std::span<Byte>(d->barcodeRules),
              std::span<Byte>(d->variableNames), std::span<Byte>(d->networkSettings),
              std::span<Byte>(d->fieldLinks)})
            for (Byte& b : block)
                b = static_cast<Byte>(byte(rng));
        // Small values make the rules between fields bite more often.
        for (int n = 0; n < 10; ++n) {
            FormRecord f = Form(*d, n);
            f.FormLookup() = static_cast<Byte>(byte(rng) % 5);
            for (int i = 0; i < 8; ++i)
                f.LineType(i) = static_cast<Byte>(byte(rng) % 18);
            for (int i = 0; i < 8; ++i) {
                FieldLink(*d, n).LinkLine(i) = static_cast<Byte>(byte(rng) % 9);
                FieldLink(*d, n).LinkValue(i) = static_cast<Byte>(byte(rng) % 3);
            }
        }
        for (int db = 1; db <= 3; ++db)
            Lookup(*d, db).FieldCount() = static_cast<Byte>(byte(rng) % 9);
        if (seed % 2) Variables(*d).Name(seed % 10 + 1)[0] = 0;

        NormaliseDefinition(*d);
        auto once = std::make_unique<Definition>(*d);
        NormaliseDefinition(*d);
        EXPECT_EQ(d->menuTable, once->menuTable);
        EXPECT_EQ(d->formTable, once->formTable);
        EXPECT_EQ(d->terminalSettings, once->terminalSettings);
        EXPECT_EQ(d->readerOptions2, once->readerOptions2);
        EXPECT_EQ(d->barcodeRules, once->barcodeRules);
        EXPECT_EQ(d->variableNames, once->variableNames);
        EXPECT_EQ(d->networkSettings, once->networkSettings);
        EXPECT_EQ(d->fieldLinks, once->fieldLinks);
    }
}

TEST(NormaliseDefinitionTest, NewDefinitionIsAlreadyConsistent) {
    auto d = std::make_unique<Definition>();
    ResetReaderSettings(*d);
    NewDefinition(*d);
    auto before = std::make_unique<Definition>(*d);
    NormaliseDefinition(*d);
    // Only the menus change: their empty texts are padded for the screen.
    EXPECT_EQ(d->formTable, before->formTable);
    EXPECT_EQ(d->terminalSettings, before->terminalSettings);
    EXPECT_EQ(d->barcodeRules, before->barcodeRules);
    EXPECT_EQ(d->variableNames, before->variableNames);
    EXPECT_EQ(d->fieldLinks, before->fieldLinks);
    EXPECT_EQ(d->readerOptions2, before->readerOptions2);
    EXPECT_EQ(Menu(*d, 0).ItemCount(), 0);
    EXPECT_EQ(Menu(*d, 0).ItemText(9)[19], ' ');
    EXPECT_EQ(Menu(*d, 0).Caption()[0], 0);
}

class FixUpFormsTest : public NormaliseTest {};

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
    std::vector<Byte> cut(20, 'P');
    cut.push_back(0);
    EXPECT_EQ(CellBytes(f.LinePrompt(1)), cut);
}

TEST_F(FixUpFormsTest, InputContinuesOverExtensionLines) {
    struct After {
        Byte maxLength, autoEnter, inputMark;
    };
    constexpr After kNil{80, 1, 0};
    struct Case {
        const char* name;
        std::vector<Byte> types;  // lines 0..7
        int first;                // the line whose input continues
        std::string prompt;
        Byte maxLength;
        std::vector<After> after;  // lines first+1, first+2, ...
    };
    const Case cases[] = {
        {"5-character prompt, 60",
         {kLineText, 12, 12, 0, 0, 0, 0, 0},
         0,
         "Descr",
         60,
         {{45, 3, '>'}, {25, 3, '>'}, kNil}},
        {"5-character prompt, 10",
         {kLineText, 12, 12, 0, 0, 0, 0, 0},
         0,
         "Descr",
         10,
         {{0, 3, '>'}, {0, 3, '>'}, kNil}},
        {"no prompt",
         {0, 0, kLineSerial, 12, 12, 12, 0, 0},
         2,
         "",
         80,
         {{60, 3, '>'}, {40, 3, '>'}, {20, 3, '>'}, kNil}},
        // A fifth extension line is not reached; it keeps what it had.
        {"at most four extension lines",
         {kLineAlphameric, 12, 12, 12, 12, 12, 0, 0},
         0,
         "",
         80,
         {{60, 3, '>'}, {40, 3, '>'}, {20, 3, '>'}, {0, 3, '>'}, {80, 1, 0}}},
        // The text line starts a chain of its own.
        {"stops at the first other line",
         {kLineInteger, 12, kLineText, 12, 0, 0, 0, 0},
         0,
         "No",
         40,
         {{22, 3, '>'}, {80, 1, 0}, {60, 1, 0}}},
        {"a fixed-data line has no input to continue",
         {kLineFixedData, 12, 0, 0, 0, 0, 0, 0},
         0,
         "",
         40,
         {{80, 1, 0}}},
    };
    for (const Case& c : cases) {
        SetUp();
        FormRecord f = Form(d, 9);
        for (int i = 0; i < 8; ++i) {
            f.LineType(i) = c.types[i];
            f.MaxLength(i) = 80;
        }
        f.MaxLength(c.first) = c.maxLength;
        f.AutoEnter(c.first) = 3;
        f.InputMark(c.first) = '>';
        SetCell(f.LinePrompt(c.first), c.prompt);
        FixUpForms(d);
        EXPECT_EQ(f.MaxLength(c.first), c.maxLength) << c.name;
        for (std::size_t k = 0; k < c.after.size(); ++k) {
            int line = c.first + 1 + static_cast<int>(k);
            SCOPED_TRACE(std::string(c.name) + ", line " + std::to_string(line));
            EXPECT_EQ(f.MaxLength(line), c.after[k].maxLength);
            EXPECT_EQ(f.AutoEnter(line), c.after[k].autoEnter);
            EXPECT_EQ(f.InputMark(line), c.after[k].inputMark);
        }
    }
}

TEST_F(FixUpFormsTest, UnusedLinesAreCleared) {
    for (Byte type : {kLineNil, kLineExtension}) {
        SCOPED_TRACE(int(type));
        SetUp();
        FormRecord f = Form(d, 4);
        f.LineType(6) = type;
        f.LineLookupField(6) = 2;
        SetCell(f.LinePrompt(6), "Old");
        f.MinLength(6) = 4;
        f.MaxLength(6) = 33;
        f.FixedLengthFlag(6) = 1;
        f.Alignment(6) = 2;
        f.FixedLength(6) = 9;
        f.InitialValueFlag(6) = 1;
        std::ranges::fill(f.InitialValue(6), Byte{'I'});
        f.PrefixFlag(6) = 1;
        std::ranges::fill(f.PrefixCode(6), Byte{'p'});
        f.SuffixFlag(6) = 1;
        std::ranges::fill(f.SuffixCode(6), Byte{'s'});
        f.ReadPartialBarcode(6) = 1;
        f.PartialStart(6) = 3;
        f.PartialLength(6) = 7;
        f.CheckLeadingCode(6) = 1;
        std::ranges::fill(f.LeadingCode(6), Byte{'L'});
        f.InputSource(6) = 0;
        f.AutoEnter(6) = 3;
        f.InputMark(6) = '*';
        std::ranges::fill(f.LineText50(6), Byte{'T'});
        FixUpForms(d);

        EXPECT_EQ(f.LineLookupField(6), 0);
        EXPECT_EQ(CellBytes(f.LinePrompt(6)), std::vector<Byte>(21, 0));
        EXPECT_EQ(f.MinLength(6), 0);
        EXPECT_EQ(f.FixedLengthFlag(6), 0);
        EXPECT_EQ(f.Alignment(6), 0);
        EXPECT_EQ(f.FixedLength(6), 0);
        EXPECT_EQ(f.InitialValueFlag(6), 0);
        EXPECT_EQ(f.InitialValue(6)[0], 0);
        EXPECT_EQ(f.InitialValue(6)[1], 'I');
        EXPECT_EQ(f.PrefixFlag(6), 0);
        EXPECT_EQ(CellBytes(f.PrefixCode(6)), std::vector<Byte>(10, 0));
        EXPECT_EQ(f.SuffixFlag(6), 0);
        EXPECT_EQ(CellBytes(f.SuffixCode(6)), std::vector<Byte>(10, 0));
        EXPECT_EQ(f.ReadPartialBarcode(6), 0);
        EXPECT_EQ(f.PartialStart(6), 0);
        EXPECT_EQ(f.PartialLength(6), 20);
        EXPECT_EQ(f.CheckLeadingCode(6), 0);
        EXPECT_EQ(CellBytes(f.LeadingCode(6)), std::vector<Byte>(6, 0));
        EXPECT_EQ(f.InputSource(6), 2);
        EXPECT_EQ(f.LineText50(6)[0], 0);
        EXPECT_EQ(f.LineText50(6)[1], 'T');
        // An extension line keeps what the line it continues gave it.
        const bool nil = type == kLineNil;
        EXPECT_EQ(f.MaxLength(6), nil ? 80 : 33);
        EXPECT_EQ(f.AutoEnter(6), nil ? 1 : 3);
        EXPECT_EQ(f.InputMark(6), nil ? 0 : '*');
    }
}

}  // namespace
}  // namespace fw
