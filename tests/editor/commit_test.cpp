#include "editor/commit.h"

#include "editor/formpage.h"
#include "editor_support.h"

namespace fw::editor::test {
namespace {

using CommitTest = EditorTest;

TEST_F(CommitTest, DelimitedDatabasesAreLaidOutFromTheirFieldLengths) {
    DefineDatabase(1, {5, 10, 3});
    Lookup(s.working, 1).Delimiter() = ',';
    DefineDatabase(2, {5, 10, 3});  // fixed-length: kept as laid out
    Lookup(s.working, 2).FieldOffset(2) = 40;
    Lookup(s.working, 3).Delimiter() = ';';
    Lookup(s.working, 3).FieldCount() = 1;
    Lookup(s.working, 3).FieldLength(0) = 200;
    Lookup(s.working, 3).FieldLength(1) = 9;  // beyond the field count: not laid out
    CommitSheet(s, *ws);

    const auto d1 = Lookup(ws->definition, 1);
    EXPECT_EQ((std::array<int, 3>{d1.FieldOffset(0), d1.FieldOffset(1), d1.FieldOffset(2)}),
              (std::array<int, 3>{1, 7, 18}));
    EXPECT_EQ(d1.MemberLength(), 20);
    EXPECT_EQ(Lookup(ws->definition, 2).FieldOffset(2), 40);
    EXPECT_EQ(Lookup(ws->definition, 2).MemberLength(), 18);
    EXPECT_EQ(Lookup(ws->definition, 3).MemberLength(), 200);
    EXPECT_EQ(Lookup(ws->definition, 3).FieldOffset(1), 1);
    EXPECT_EQ(Terminal(ws->definition).UtilityLine(0)[0], '9') << "a database is in use";
    EXPECT_TRUE(ws->definitionModified);
}

TEST_F(CommitTest, TheSheetsBlocksBecomeTheDefinitionAndNoOthers) {
    SelectForm(s, 2);
    SelectNextTarget(s, 15);
    FieldLink(s.working, 2).LinkLine(3) = 2;
    s.working.readerOptions2[0] = 1;
    Rules(s.working).WeightMaskCount() = 3;
    Variables(s.working).Name(4)[0] = 'Q';
    Network(s.working).Dhcp() = 1;
    Menu(s.working, 0).HasCaption() = 1;          // the menu page commits its own copy
    Terminal(s.working).SeparateDataFiles() = 1;  // and this flag
    Terminal(s.working).StartTarget() = 1;        // the startup page's
    const Byte reserved = ws->definition.terminalSettings[57];
    s.working.terminalSettings[57] = static_cast<Byte>(reserved + 1);  // no page's
    Terminal(ws->definition).UtilityLine(0)[0] = '9';
    CommitSheet(s, *ws);

    const Definition& d = ws->definition;
    EXPECT_EQ(Form(d, 2).NextTarget(), 15);
    EXPECT_EQ(FieldLink(d, 2).LinkLine(3), 2);
    EXPECT_EQ(d.readerOptions2[0], 1);
    EXPECT_EQ(Rules(d).WeightMaskCount(), 3);
    EXPECT_EQ(Variables(d).Name(4)[0], 'Q');
    EXPECT_EQ(Network(d).Dhcp(), 1);
    EXPECT_EQ(Menu(d, 0).HasCaption(), 1);
    EXPECT_EQ(Terminal(d).SeparateDataFiles(), 1);
    EXPECT_EQ(Terminal(d).StartTarget(), 1);
    EXPECT_EQ(d.terminalSettings[57], reserved);
    EXPECT_EQ(Terminal(d).UtilityLine(0)[0], '8') << "no database in use";
}

TEST_F(CommitTest, LinesWithoutDataLoseTheirDataProperties) {
    struct Case {
        Byte type;
        Byte saveFieldData;
        bool cleared;
    };
    const Case cases[] = {{kLineNil, 0, true},         {kLineText, 0, false},
                          {kLinePrompt, 0, true},      {kLinePause, 0, true},
                          {kLineAlphameric, 0, false}, {kLineLookup, 0, true},
                          {kLineLookup, 1, false},     {kLineSerial, 0, false}};
    FormRecord f = Form(s.working, 5);
    for (int i = 0; i < kLinesPerForm; ++i) {
        f.LineType(i) = cases[i].type;
        f.InitialValueFlag(i) = cases[i].saveFieldData;
        f.PrefixFlag(i) = f.SuffixFlag(i) = f.FixedLengthFlag(i) = 1;
        f.PrefixCode(i)[0] = 'P';
        f.SuffixCode(i)[9] = 'S';
        f.InitialValue(i)[1] = '7';
        f.FixedLength(i) = 12;
        f.Alignment(i) = 3;
        f.InputMark(i) = '_';
    }
    CommitSheet(s, *ws);
    const auto d = Form(ws->definition, 5);
    for (int i = 0; i < kLinesPerForm; ++i) {
        SCOPED_TRACE(i);
        const int kept = cases[i].cleared ? 0 : 1;
        EXPECT_EQ(d.PrefixFlag(i), kept);
        EXPECT_EQ(d.SuffixFlag(i), kept);
        EXPECT_EQ(d.PrefixCode(i)[0], kept * 'P');
        EXPECT_EQ(d.SuffixCode(i)[9], kept * 'S');
        EXPECT_EQ(d.InitialValue(i)[1], kept * '7');
        EXPECT_EQ(d.FixedLength(i), kept * 12);
        EXPECT_EQ(d.Alignment(i), kept * 3);
        if (cases[i].type != kLineNil) {
            EXPECT_EQ(d.InputMark(i), kept * '_');
        }
        if (cases[i].type == kLineLookup) {
            EXPECT_EQ(d.InitialValueFlag(i), cases[i].saveFieldData);
        }
    }
}

}  // namespace
}  // namespace fw::editor::test
