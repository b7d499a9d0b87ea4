#include "editor/startuppage.h"

#include <cstring>
#include <set>

#include "editor/commit.h"
#include "editor/screenpreview.h"
#include "editor_support.h"
#include "model/codepage.h"
#include "model/projectfile.h"
#include "model/test_support.h"
#include "model/textgroups.h"
#include "model/unicode.h"
#include "support/temp_folder.h"

namespace fw::editor::test {
namespace {

using fw::test::RecordingPresenter;
using fw::test::TempFolder;

class StartupPageTest : public EditorTest {
  protected:
    StartupPageTest() { ws->presenter = &presenter; }

    TerminalSettingsRecord T() { return Terminal(s.working); }
    std::string CellBytes(std::span<const Byte, kTextCellSize> cell) {
        return std::string(cell.begin(), cell.end());
    }
    std::string Row(int group, int row) {
        return CellBytes(TextRowCell(std::as_const(s.working), TextGroupRow(group, row)));
    }
    // The bytes of the two blocks the page edits.
    std::string Blocks(const Definition& d) {
        return std::string(d.screenTexts.begin(), d.screenTexts.end()) +
               std::string(d.terminalSettings.begin(), d.terminalSettings.end());
    }

    RecordingPresenter presenter;
};

TEST_F(StartupPageTest, DelimiterCodesAreCorrectedAndThirteenIsRefused) {
    ASSERT_TRUE(SelectDelimiterCount(s, 2).Accepted());
    struct Case {
        std::u16string typed;
        int code;
        std::u16string shown;
    };
    const Case cases[] = {
        {u"59", 59, u"59"},    {u"300", 255, u"255"},
        {u"007", 7, u"7"},     {u"", 0, u"0"},
        {u"4a", 0, u"0"},      {u"-5", 0, u"0"},
        {u"255", 255, u"255"}, {u"99999999999", 255, u"255"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(EditDelimiterCode(s, 1, c.typed).Accepted());
        EXPECT_EQ(T().DelimiterCode2(), c.code) << "typed " << Utf16ToUtf8(c.typed);
        EXPECT_EQ(ViewStartupPage(s).delimiters[1].code, c.shown);
    }

    ASSERT_TRUE(EditDelimiterCode(s, 0, u"9").Accepted());
    const Outcome refused = EditDelimiterCode(s, 0, u"13");
    EXPECT_TRUE(refused.Refused());
    EXPECT_EQ(refused.text, u"Invalid value!");
    EXPECT_EQ(refused.caption, u"Warning");
    EXPECT_EQ(refused.icon, MessageIcon::Warning);
    EXPECT_EQ(T().DelimiterCode1(), 9);
    EXPECT_EQ(ViewStartupPage(s).delimiters[0].code, u"9") << "the old code comes back";
    // A carriage return typed or pasted as the character is the same code.
    EXPECT_TRUE(EditDelimiterCharacter(s, 0, u"\r").Refused());
    EXPECT_EQ(T().DelimiterCode1(), 9);
}

TEST_F(StartupPageTest, CharacterAndCodeShowEachOther) {
    ASSERT_TRUE(SelectDelimiterCount(s, 2).Accepted());
    ASSERT_TRUE(EditDelimiterCharacter(s, 0, u";").Accepted());
    EXPECT_EQ(T().DelimiterCode1(), ';');
    EXPECT_EQ(ViewStartupPage(s).delimiters[0].code, u"59");

    ASSERT_TRUE(EditDelimiterCharacter(s, 1, u"Жx").Accepted()) << "longer input is cut";
    EXPECT_EQ(T().DelimiterCode2(), 0xC6);
    ASSERT_TRUE(EditDelimiterCharacter(s, 1, u"\u4e2d").Accepted());
    EXPECT_EQ(T().DelimiterCode2(), kCp1251DefaultChar) << "not in the code page";

    ASSERT_TRUE(EditDelimiterCode(s, 1, u"124").Accepted());
    const StartupPageView v = ViewStartupPage(s);
    EXPECT_EQ(v.delimiters[1].character, u"|");
    ASSERT_TRUE(EditDelimiterCode(s, 1, u"0").Accepted());
    EXPECT_EQ(ViewStartupPage(s).delimiters[1].character, u"");
}

TEST_F(StartupPageTest, DelimiterCountDecidesWhatIsEnabledAndStored) {
    ASSERT_TRUE(SelectDelimiterCount(s, 2).Accepted());
    ASSERT_TRUE(EditDelimiterCode(s, 0, u"59").Accepted());
    ASSERT_TRUE(EditDelimiterCode(s, 1, u"9").Accepted());

    struct Case {
        int count;
        int first, second;
        bool firstEnabled, secondEnabled;
    };
    for (const Case& c :
         {Case{0, 0, 0, false, false}, Case{1, 59, 0, true, false}, Case{2, 59, 9, true, true}}) {
        ASSERT_TRUE(SelectDelimiterCount(s, c.count).Accepted());
        const StartupPageView v = ViewStartupPage(s);
        EXPECT_EQ(v.delimiterCount.selected, c.count);
        EXPECT_EQ(v.delimiters[0].enabled, c.firstEnabled);
        EXPECT_EQ(v.delimiters[1].enabled, c.secondEnabled);
        // A disabled edit keeps its code for when the count comes back.
        EXPECT_EQ(v.delimiters[1].code, u"9");

        CommitSheet(s, *ws);
        EXPECT_EQ(Terminal(ws->definition).DelimiterCode1(), c.first) << "count " << c.count;
        EXPECT_EQ(Terminal(ws->definition).DelimiterCode2(), c.second) << "count " << c.count;
    }

    ASSERT_TRUE(SelectDelimiterCount(s, 1).Accepted());
    EXPECT_TRUE(EditDelimiterCode(s, 1, u"7").Refused()) << "a disabled edit takes nothing";
    EXPECT_TRUE(SelectDelimiterCount(s, 3).Refused());
    EXPECT_TRUE(SelectDelimiterCount(s, -1).Refused());
    EXPECT_EQ(ViewStartupPage(s).delimiterCount.selected, 1);
}

TEST_F(StartupPageTest, StartAndPlacementStoreTheirCodes) {
    ASSERT_TRUE(SelectStartTarget(s, 1).Accepted());
    ASSERT_TRUE(SelectPlacement(s, 1).Accepted());
    EXPECT_EQ(T().StartTarget(), 1);
    EXPECT_EQ(T().DataPlacement(), 1);
    StartupPageView v = ViewStartupPage(s);
    EXPECT_EQ(v.startTarget.entries[1].text, u"menu 1");
    EXPECT_EQ(v.placement.entries[1].text, u"На SD карте");
    EXPECT_EQ(v.startTarget.selected, 1);

    const std::string before = Blocks(s.working);
    EXPECT_TRUE(SelectStartTarget(s, 2).Refused());
    EXPECT_TRUE(SelectPlacement(s, -1).Refused());
    EXPECT_TRUE(SelectTextGroup(s, 26).Refused());
    EXPECT_EQ(Blocks(s.working), before);

    CommitSheet(s, *ws);
    EXPECT_EQ(Terminal(ws->definition).StartTarget(), 1);
    EXPECT_EQ(Terminal(ws->definition).DataPlacement(), 1);
}

TEST_F(StartupPageTest, GroupListShowsEachGroupWithItsSize) {
    const StartupPageView v = ViewStartupPage(s);
    ASSERT_EQ(v.textGroup.entries.size(), 26u);
    EXPECT_EQ(v.textGroup.entries[0].text, u"Main menu (3x20)");
    EXPECT_EQ(v.textGroup.entries[6].text, u"Settings (8x20)");
    EXPECT_EQ(v.textGroup.entries[25].text, u"Misc - continuous (7x20)");
    EXPECT_EQ(v.textGroup.selected, 0);
    ASSERT_EQ(v.rows.size(), 3u);
    EXPECT_EQ(v.rows[0].builtIn, u"1. Collect data     ");
    EXPECT_EQ(v.rows[2].text, u"3. Utilities        ");
}

// Writing a different text into every row of every group reaches 131 different cells: the
// rows of the program-settings menu and of the last group reach the utility lines, and the
// three lines the list does not show keep their bytes.
TEST_F(StartupPageTest, EveryRowIsItsOwnCell) {
    const std::string mainBlank = CellBytes(ScreenTextLine(s.working, 2, 3));
    const std::string sdCard = CellBytes(ScreenTextLine(s.working, 9, 5));
    const std::string settingsTitle = CellBytes(ScreenTextLine(s.working, 8, 0));
    std::set<std::string> cells;
    int rows = 0;
    for (int g = 0; g < kTextGroupCount; ++g) {
        ASSERT_TRUE(SelectTextGroup(s, g).Accepted());
        const int n = static_cast<int>(ViewStartupPage(s).rows.size());
        for (int r = 0; r < n; ++r, ++rows) {
            const std::string text = "g" + std::to_string(g) + "r" + std::to_string(r);
            ASSERT_TRUE(EditTextRow(s, r, std::u16string(text.begin(), text.end())).Accepted());
        }
        EXPECT_TRUE(EditTextRow(s, n, u"x").Refused()) << "group " << g;
    }
    EXPECT_EQ(rows, 131);
    for (int line = 0; line < static_cast<int>(kScreenLineCount); ++line)
        cells.insert(CellBytes(std::span<const Byte, kTextCellSize>(
            s.working.screenTexts.data() + kTextCellSize * line, kTextCellSize)));
    for (int u = 0; u < kUtilityLineCount; ++u)
        cells.insert(CellBytes(T().UtilityLine(u)));
    for (int g = 0; g < kTextGroupCount; ++g)
        for (int r = 0; r < TextGroupRowCount(g); ++r)
            EXPECT_TRUE(
                cells.contains(fw::test::Cell("g" + std::to_string(g) + "r" + std::to_string(r))));

    EXPECT_EQ(Row(6, 6), fw::test::Cell("g6r6"));
    EXPECT_EQ(CellBytes(T().UtilityLine(1)), fw::test::Cell("g6r6")) << "the buzzer";
    EXPECT_EQ(CellBytes(ScreenTextLine(s.working, 8, 1)), fw::test::Cell("g6r0"));
    EXPECT_EQ(CellBytes(T().UtilityLine(0)), fw::test::Cell("g25r3")) << "the calculator";
    EXPECT_EQ(CellBytes(T().UtilityLine(4)), fw::test::Cell("g25r6"));
    EXPECT_EQ(CellBytes(ScreenTextLine(s.working, 2, 3)), mainBlank);
    EXPECT_EQ(CellBytes(ScreenTextLine(s.working, 9, 5)), sdCard);
    EXPECT_EQ(CellBytes(ScreenTextLine(s.working, 8, 0)), settingsTitle);
}

TEST_F(StartupPageTest, LinesAreCutToTwentyAndStoredInTheCodePage) {
    ASSERT_TRUE(SelectTextGroup(s, 3).Accepted());
    ScreenTextLine(s.working, 5, 1)[20] = 'z';  // a byte after the text: an edit clears it
    ASSERT_TRUE(EditTextRow(s, 1, u"Вы уверены? Да, конечно").Accepted());
    EXPECT_EQ(Row(3, 1), EncodeCp1251(u"Вы уверены? Да, коне") + std::string(1, '\0'));
    EXPECT_EQ(ViewStartupPage(s).rows[1].text, u"Вы уверены? Да, коне") << "written back";

    ASSERT_TRUE(EditTextRow(s, 2, u"\u4e2d1").Accepted());
    EXPECT_EQ(ViewStartupPage(s).rows[2].text, u"?1");
    ASSERT_TRUE(EditTextRow(s, 3, u"").Accepted());
    EXPECT_EQ(Row(3, 3), std::string(21, '\0'));
}

// Bytes a file may hold that the page never writes are shown as they are and, untouched, go
// back into the definition as they came.
TEST_F(StartupPageTest, OddBytesAreViewedAndCommittedUnchanged) {
    Definition& d = ws->definition;
    Terminal(d).StartTarget() = 7;
    Terminal(d).DataPlacement() = 200;
    Terminal(d).DelimiterCode1() = 0;
    Terminal(d).DelimiterCode2() = 13;
    std::ranges::fill(ScreenTextLine(d, 4, 0), Byte{0xE0});  // unterminated
    std::ranges::fill(Terminal(d).UtilityLine(3), Byte{'u'});
    ScreenTextLine(d, 2, 0)[5] = 0;
    ScreenTextLine(d, 2, 0)[10] = 'x';  // bytes after the terminator
    const std::string before = Blocks(d);
    s = OpenSession(d, ws->language);

    StartupPageView v = ViewStartupPage(s);
    EXPECT_EQ(v.startTarget.selected, -1);
    EXPECT_EQ(v.placement.selected, -1);
    EXPECT_EQ(v.delimiterCount.selected, 2);
    EXPECT_EQ(v.delimiters[1].code, u"13");
    ASSERT_TRUE(SelectTextGroup(s, 2).Accepted());
    v = ViewStartupPage(s);
    EXPECT_EQ(v.rows[0].text, std::u16string(20, u'а'));
    ASSERT_TRUE(SelectTextGroup(s, 25).Accepted());
    EXPECT_EQ(ViewStartupPage(s).rows[5].text, std::u16string(20, u'u'));
    const FormScreen screen = PreviewScreenTexts(s.working, 25);
    EXPECT_EQ(screen.RowText(5), std::u16string(20, u'u'));

    CommitSheet(s, *ws);
    std::string after = Blocks(d);
    // The calculator's digit follows the databases on every commit; the rest is as it came.
    after[kScreenTextsSize + 150] = before[kScreenTextsSize + 150];
    EXPECT_EQ(after, before);
}

TEST_F(StartupPageTest, ResetRestoresTheBuiltInValues) {
    ASSERT_TRUE(SelectStartTarget(s, 1).Accepted());
    ASSERT_TRUE(SelectPlacement(s, 1).Accepted());
    ASSERT_TRUE(SelectDelimiterCount(s, 2).Accepted());
    ASSERT_TRUE(EditDelimiterCode(s, 1, u"9").Accepted());
    ASSERT_TRUE(SelectTextGroup(s, 25).Accepted());
    ASSERT_TRUE(EditTextRow(s, 4, u"changed").Accepted());
    ASSERT_TRUE(SelectTextGroup(s, 1).Accepted());
    ASSERT_TRUE(EditTextRow(s, 0, u"changed").Accepted());
    std::ranges::fill(ScreenTextLine(s.working, 9, 5), Byte{'q'});

    ASSERT_TRUE(ResetStartupPage(s).Accepted());
    EXPECT_EQ(T().StartTarget(), 0);
    EXPECT_EQ(T().DataPlacement(), 0);
    EXPECT_EQ(T().DelimiterCode1(), 44);
    EXPECT_EQ(T().DelimiterCode2(), 0);
    const StartupPageView v = ViewStartupPage(s);
    EXPECT_EQ(v.delimiterCount.selected, 1);
    EXPECT_EQ(v.textGroup.selected, 0);
    EXPECT_EQ(CellBytes(T().UtilityLine(2)), fw::test::Padded("1.Key Click"));
    EXPECT_EQ(Blocks(s.working), Blocks(ws->definition)) << "a new definition's values";
}

TEST_F(StartupPageTest, PreviewShowsTheChosenGroup) {
    FormScreen screen = PreviewScreenTexts(s.working, 6);
    EXPECT_EQ(screen.RowText(0), u"1.Upload Interface  ");
    EXPECT_EQ(screen.RowText(6), u"7.Buzzer            ");
    EXPECT_EQ(screen.RowText(7), u"8.View Settings     ");
    screen = PreviewScreenTexts(s.working, 21);  // a group of four rows
    EXPECT_EQ(screen.RowText(0), u"Try to connect...   ");
    EXPECT_EQ(screen.RowText(4), std::u16string(20, u' '));
    EXPECT_EQ(PreviewScreenTexts(s.working, 26).RowText(0), std::u16string(20, u' '));
}

class ImportTextsTest : public StartupPageTest {
  protected:
    // A project of the given tag whose texts all read "imported": screen lines "i<line>",
    // utility lines "u<n>".
    std::string ProjectFile(const char* tag, Byte layout, bool extended) {
        auto d = std::make_unique<Definition>(ws->definition);
        for (int line = 0; line < static_cast<int>(kScreenLineCount); ++line)
            fw::test::SetCell(
                std::span<Byte>(d->screenTexts.data() + kTextCellSize * line, kTextCellSize),
                "i" + std::to_string(line));
        for (int u = 0; u < kUtilityLineCount; ++u)
            fw::test::SetCell(Terminal(*d).UtilityLine(u), "u" + std::to_string(u));
        Terminal(*d).SettingsLayout() = layout;
        std::string bytes = SerialiseProject(*d, extended);
        std::memcpy(bytes.data(), tag, std::strlen(tag));
        return bytes;
    }
    std::string Line(int group, int line) {
        return fw::test::Cell("i" + std::to_string(ScreenTextGroupFirstLine(group) + line));
    }

    TempFolder dir;
};

TEST_F(ImportTextsTest, FilesOfEachVersionGiveTheirTexts) {
    struct Case {
        const char* tag;
        Byte layout;
        bool extended;
    };
    for (const Case& c :
         {Case{"M740-4.07", 1, false}, Case{"M740-5.00", 2, true}, Case{"M740-5.01", 0x32, true}}) {
        SCOPED_TRACE(c.tag);
        s = OpenSession(ws->definition, ws->language);
        ws->currentProjectPath = dir.Path() / "current.FWW";
        ASSERT_TRUE(SelectTextGroup(s, 4).Accepted());
        const auto file = dir.Write(c.extended ? "other.FWW" : "other.FWX",
                                    ProjectFile(c.tag, c.layout, c.extended));
        const std::string reserved = CellBytes(ScreenTextLine(s.working, 1, 0));
        const std::string settingsTitle = CellBytes(ScreenTextLine(s.working, 8, 0));

        ASSERT_TRUE(ImportStartupTexts(s, *ws, file).Accepted());
        EXPECT_TRUE(presenter.shown.empty());
        EXPECT_EQ(ws->currentProjectPath, dir.Path() / "current.FWW")
            << "a Save must not write over the imported file";
        EXPECT_EQ(ViewStartupPage(s).textGroup.selected, 0) << "the first group again";

        EXPECT_EQ(Row(0, 0), Line(2, 0));
        EXPECT_EQ(CellBytes(ScreenTextLine(s.working, 9, 5)), Line(9, 5));
        EXPECT_EQ(Row(25, 2), Line(27, 2));
        EXPECT_EQ(CellBytes(ScreenTextLine(s.working, 1, 0)), reserved);
        EXPECT_EQ(CellBytes(ScreenTextLine(s.working, 8, 0)), settingsTitle);
        EXPECT_EQ(Row(6, 0), Line(8, 1));
        EXPECT_EQ(Row(6, 7), Line(8, 7));
        if (c.layout >= 2) {
            EXPECT_EQ(Row(6, 6), fw::test::Cell("u1"));
            EXPECT_EQ(Row(25, 3), fw::test::Cell("u0"));
            EXPECT_EQ(Row(25, 6), fw::test::Cell("u4"));
        } else {
            // An old file has no utility lines: the buzzer is the built-in one, the other
            // four keep the lines the project has.
            EXPECT_EQ(Row(6, 6), fw::test::Padded("7.Buzzer"));
            EXPECT_EQ(Row(25, 4), fw::test::Padded("1.Key Click"));
        }
    }
}

TEST_F(ImportTextsTest, FailuresSayWhyAndChangeNothing) {
    const std::string good = ProjectFile("M740-5.01", 0x32, true);
    std::string otherModel = good;
    otherModel.replace(0, 4, "M750");
    struct Case {
        const char* what;
        std::filesystem::path file;
        std::u16string text;
    };
    const Case cases[] = {
        {"missing", dir.Path() / "gone.FWW",
         u"Не удалось открыть файл:\r\n" + (dir.Path() / "gone.FWW").u16string()},
        {"a folder", dir.Path(), u"Не удалось открыть файл:\r\n" + dir.Path().u16string()},
        {"not a project", dir.Write("notes.FWW", "just some text\r\n"), u"Format mismatch !!!"},
        {"another model", dir.Write("other.FWW", otherModel), u"Format mismatch !!!"},
        {"cut inside TerminalSettings", dir.Write("short.FWW", good.substr(0, 19000)),
         u"Format mismatch !!!"},
        {"only the tag", dir.Write("tag.FWW", good.substr(0, 10)), u"Format mismatch !!!"},
    };
    ASSERT_TRUE(SelectTextGroup(s, 5).Accepted());
    const std::string before = Blocks(s.working);
    for (const Case& c : cases) {
        const Outcome o = ImportStartupTexts(s, *ws, c.file);
        EXPECT_TRUE(o.Refused()) << c.what;
        EXPECT_EQ(o.text, c.text) << c.what;
        EXPECT_EQ(o.caption, u"Error") << c.what;
        EXPECT_EQ(Blocks(s.working), before) << c.what;
        EXPECT_EQ(ViewStartupPage(s).textGroup.selected, 5) << c.what;
    }
    // Exactly long enough: the texts and the blocks read after them.
    EXPECT_TRUE(
        ImportStartupTexts(s, *ws, dir.Write("exact.FWW", good.substr(0, 19167))).Accepted());
}

}  // namespace
}  // namespace fw::editor::test
