#include "editor/chargrid.h"

#include <vector>

#include "editor/lookupfielddlg.h"
#include "editor_support.h"
#include "model/codepage.h"

namespace fw::editor::test {
namespace {

using CharGridTest = EditorTest;

// The grid cell (column, row) of a code: one label column and row come first.
void Click(CharGrid& grid, Byte code, CellClick expected = CellClick::Appended) {
    ASSERT_EQ(ClickCell(grid, 1 + (code >> 4), 1 + (code & 0x0F)), expected) << int(code);
}

std::vector<Byte> Bytes(std::span<const Byte> span) {
    return {span.begin(), span.end()};
}

TEST(CharacterNames, EachTableNamesTheCodesItsTargetsUse) {
    struct Case {
        Byte code;
        std::u16string keyName, hexName;
    };
    const Case cases[] = {
        {0x00, u"", u""},        {0x01, u"Ins", u"01"},  {0x08, u"BS", u"08"},
        {0x0D, u"Enter", u"0D"}, {0x0E, u"PgDn", u"0E"}, {0x0F, u"F1", u"0F"},
        {0x1A, u"F12", u"1A"},   {0x1B, u"ESC", u"1B"},  {0x1C, u"Exec", u"1C"},
        {0x1D, u"Пер.", u"1D"},  {0x1E, u"", u"1E"},     {0x1F, u"", u"1F"},
        {0x20, u"SP", u"SP"},    {0x21, u"!", u"!"},     {0x7E, u"~", u"~"},
        {0x7F, u"DEL", u"7F"},   {0x80, u"128", u"80"},  {0xC0, u"192", u"C0"},
        {0xFF, u"255", u"FF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.code));
        EXPECT_EQ(CharacterName(GridKind::LineCode, c.code), c.keyName);
        EXPECT_EQ(CharacterName(GridKind::CodeIdentifier, c.code), c.keyName);
        EXPECT_EQ(CharacterName(GridKind::Hexadecimal, c.code), c.hexName);
    }
}

TEST_F(CharGridTest, LabelsAndUnchoosableCellsChangeNothing) {
    Byte nibbles = 0;
    std::array<Byte, 2> id{};
    struct Case {
        GridKind kind;
        int column, row;
        bool appends;
    };
    const Case cases[] = {
        {GridKind::LineCode, 0, 5, false},         // row label
        {GridKind::LineCode, 3, 0, false},         // column label
        {GridKind::LineCode, 0, 0, false},         // the corner
        {GridKind::LineCode, 17, 2, false},        // outside the cells
        {GridKind::LineCode, 1, 1, false},         // 0x00
        {GridKind::LineCode, 1, 11, false},        // 0x0A
        {GridKind::LineCode, 1, 14, false},        // 0x0D
        {GridKind::CodeIdentifier, 2, 15, false},  // 0x1E
        {GridKind::CodeIdentifier, 2, 16, false},  // 0x1F
        {GridKind::Hexadecimal, 1, 1, false},      // 0x00 has no name in any table
        {GridKind::Hexadecimal, 1, 11, true},      // 0x0A is a byte of a key like any other
        {GridKind::Hexadecimal, 2, 15, true},      // 0x1E
        {GridKind::LineCode, 1, 10, true},         // 0x09
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << "," << c.row);
        GridTarget target = c.kind == GridKind::Hexadecimal ? PassPhraseTarget(Network(s.working))
                                                            : CodeIdentifierTarget(id, nibbles);
        target.kind = c.kind;
        CharGrid grid = OpenCharGrid(target, s.working);
        const CellClick click = ClickCell(grid, c.column, c.row);
        EXPECT_EQ(click, c.appends ? CellClick::Appended : CellClick::Ignored);
        EXPECT_EQ(grid.raw.size(), c.appends ? 1u : 0u);
        EXPECT_EQ(grid.displayText.empty(), !c.appends);
        EXPECT_EQ(grid.selected, c.appends ? 16 * (c.column - 1) + c.row - 1 : 0x20)
            << "an ignored click leaves the selection";
    }
}

TEST_F(CharGridTest, CodeIdentifierTakesTwoCharactersAndKeepsItsStorageUntilWrittenBack) {
    std::array<Byte, 2> id{'Q', 0};
    Byte nibbles = 0x50;
    const GridTarget target = CodeIdentifierTarget(id, nibbles);
    CharGrid grid = OpenCharGrid(target, s.working);
    EXPECT_EQ(grid.displayText, u" Q");
    ClearGrid(grid);
    Click(grid, 0x0F);
    ASSERT_EQ(AppendVariable(grid, 2).kind, Outcome::Kind::Accepted);
    Click(grid, 'Z', CellClick::TooManyCharacters);
    EXPECT_EQ(grid.selected, 'Z') << "the refused cell is still the selected one";
    EXPECT_EQ(grid.raw, (std::vector<Byte>{0x0F, 0x1D}));
    EXPECT_EQ(grid.displayText, u" F1 Переменная2");
    EXPECT_EQ(id, (std::array<Byte, 2>{'Q', 0})) << "nothing is stored before OK";
    EXPECT_EQ(nibbles, 0x50);

    ASSERT_TRUE(ConfirmGrid(grid).Accepted());
    WriteBack(grid, target);
    EXPECT_EQ(id, (std::array<Byte, 2>{0x0F, 0x1D}));
    EXPECT_EQ(nibbles, 0x20) << "first character low, the second's variable 2 high";
    EXPECT_EQ(TargetDisplayText(target, s.working), u" F1 Переменная2");
}

TEST_F(CharGridTest, PassPhraseNeedsEightCharacters) {
    const GridTarget target = PassPhraseTarget(Network(s.working));
    CharGrid grid = OpenCharGrid(target, s.working);
    for (Byte c : {'s', 'e', 'c', 'r', 'e', 't', '1'})
        Click(grid, c);
    const Outcome refused = ConfirmGrid(grid);
    EXPECT_TRUE(refused.Refused());
    EXPECT_EQ(refused.text, u"Слишком мало символов!!!");
    EXPECT_EQ(refused.caption, u"Ошибка");
    Click(grid, kVariableReference);  // a plain byte here, not a variable
    EXPECT_TRUE(ConfirmGrid(grid).Accepted());
    WriteBack(grid, target);
    EXPECT_EQ(CellToUtf16(Network(s.working).WpaKey()), u"secret1\x1D");
    EXPECT_EQ(TargetDisplayText(target, s.working), u" s e c r e t 1 1D");
    EXPECT_EQ(AppendVariable(grid, 1).kind, Outcome::Kind::Refused);
}

TEST_F(CharGridTest, WepKeysAreAsLongAsTheKeySize) {
    for (const auto& [keySize, length] : {std::pair{0, 5}, std::pair{1, 13}}) {
        SCOPED_TRACE(keySize);
        NetworkSettingsRecord net = Network(s.working);
        net.WepKeyLength() = static_cast<Byte>(keySize);
        const int key = 2 + keySize;
        const GridTarget target = WepKeyTarget(net, key);
        CharGrid grid = OpenCharGrid(target, s.working);
        for (int i = 0; i < length - 1; ++i)
            Click(grid, 0xA0);
        EXPECT_TRUE(ConfirmGrid(grid).Refused());
        Click(grid, 0x0D);
        EXPECT_TRUE(ConfirmGrid(grid).Accepted());
        Click(grid, 0x41, CellClick::TooManyCharacters);
        WriteBack(grid, target);
        EXPECT_EQ(net.WepKey(key)[static_cast<std::size_t>(length - 1)], 0x0D);
        EXPECT_EQ(net.WepKey(key)[static_cast<std::size_t>(length)], 0);
        EXPECT_EQ(Bytes(net.WepKey(0)), std::vector<Byte>(14, 0)) << "only the chosen key";
    }
}

TEST_F(CharGridTest, VariableReferenceIsNamedAndItsNibbleStoredInTheLowHalfFirst) {
    StoreCellText(Variables(s.working).Name(3), u"Склад");
    s.currentLine = 4;
    F().LineType(4) = kLineText;
    F().PrefixFlag(4) = 1;
    CharGrid grid = OpenLineCodeGrid(s, LineCode::Prefix);
    Click(grid, 'A');
    Click(grid, 0x0E);
    Click(grid, kVariableReference, CellClick::ChooseVariable);
    EXPECT_EQ(grid.raw.size(), 2u) << "nothing is added until the variable is chosen";
    EXPECT_TRUE(AppendVariable(grid, 0).Refused());
    EXPECT_TRUE(AppendVariable(grid, 11).Refused());
    ASSERT_TRUE(AppendVariable(grid, 3).Accepted());
    ASSERT_TRUE(AppendVariable(grid, 10).Accepted());
    EXPECT_EQ(grid.displayText, u" A PgDn Склад Переменная10");
    ASSERT_TRUE(StoreGridLineCode(s, LineCode::Prefix, grid).Accepted());

    EXPECT_EQ(Bytes(F().PrefixCode(4)),
              (std::vector<Byte>{'A', 0x0E, 0x1D, 0x1D, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Bytes(F().PrefixCodeNibbles(4)), (std::vector<Byte>{0x00, 0xA3, 0, 0, 0}));
    EXPECT_EQ(Bytes(F().SuffixCodeNibbles(4)), std::vector<Byte>(5, 0));
    EXPECT_EQ(LineCodeText(s, LineCode::Prefix), u" A PgDn Склад Переменная10");
    EXPECT_EQ(OpenLineCodeGrid(s, LineCode::Prefix).savedDisplayText,
              u" A PgDn Склад Переменная10");

    // A reference whose stored number is no variable keeps its bytes and reads as a reference.
    F().PrefixCodeNibbles(4)[1] = 0xFC;
    EXPECT_EQ(LineCodeText(s, LineCode::Prefix), u" A PgDn Пер. Пер.");
}

TEST_F(CharGridTest, LineCodesGoThroughTheirDialogsRules) {
    s.currentLine = 1;
    F().LineType(1) = kLineLookup;
    F().SuffixFlag(1) = 1;
    CharGrid grid = OpenLineCodeGrid(s, LineCode::Suffix);
    for (int i = 0; i < 10; ++i)
        Click(grid, static_cast<Byte>('0' + i));
    Click(grid, 'X', CellClick::TooManyCharacters);
    const auto before = Record();
    EXPECT_TRUE(StoreGridLineCode(s, LineCode::Suffix, grid).Refused())
        << "a lookup line without \"Save field data\" takes no code";
    EXPECT_EQ(Record(), before);

    F().InitialValueFlag(1) = 1;  // "Save field data"
    ASSERT_TRUE(StoreGridLineCode(s, LineCode::Suffix, grid).Accepted());
    EXPECT_EQ(CellToUtf16(F().SuffixCode(1)), u"0123456789") << "ten characters, no terminator";
    EXPECT_EQ(F().PrefixCode(1)[0], 0);
    EXPECT_EQ(LineCodeText(s, LineCode::Suffix), u" 0 1 2 3 4 5 6 7 8 9");

    F().LineType(1) = kLineInteger;
    F().SuffixFlag(1) = 0;
    ClearGrid(grid);
    EXPECT_TRUE(StoreGridLineCode(s, LineCode::Suffix, grid).Refused()) << "suffix switched off";
    F().SuffixFlag(1) = 1;
    ASSERT_TRUE(StoreGridLineCode(s, LineCode::Suffix, grid).Accepted());
    EXPECT_EQ(Bytes(F().SuffixCode(1)), std::vector<Byte>(10, 0)) << "an emptied code";
}

TEST_F(CharGridTest, ArrowsKeepTheSelectionOnTheCells) {
    Byte nibbles = 0;
    std::array<Byte, 2> id{};
    CharGrid grid = OpenCharGrid(CodeIdentifierTarget(id, nibbles), s.working);
    MoveSelection(grid, -5, 0);
    EXPECT_EQ(grid.selected, 0x00);
    MoveSelection(grid, 0, 3);
    EXPECT_EQ(grid.selected, 0x03);
    MoveSelection(grid, 20, 20);
    EXPECT_EQ(grid.selected, 0xFF);
    MoveSelection(grid, -1, -16);
    EXPECT_EQ(grid.selected, 0xE0);
}

}  // namespace
}  // namespace fw::editor::test
