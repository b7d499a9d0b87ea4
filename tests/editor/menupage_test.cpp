#include "editor/menupage.h"

#include <string>
#include <vector>

#include "editor/commit.h"
#include "editor/screenpreview.h"
#include "editor_support.h"
#include "model/codepage.h"

namespace fw::editor::test {
namespace {

class MenuPageTest : public EditorTest {
  protected:
    MenuPageTest() { OpenMenuPage(s); }
    MenuRecord M(int n) { return Menu(s.working, n); }
    std::vector<Byte> Menus() const {
        return {s.working.menuTable.begin(), s.working.menuTable.end()};
    }
    std::string Cell(std::span<const Byte, kTextCellSize> cell) const {
        return {cell.begin(), cell.end()};
    }
};

TEST_F(MenuPageTest, ListsStoreTargetCodesOnTheShownMenuOnly) {
    ASSERT_TRUE(SelectMenu(s, 6).Accepted());
    EXPECT_TRUE(SelectMenuEscTarget(s, 12).Accepted());  // menu 2
    EXPECT_TRUE(SelectItemTarget(s, 0, 10).Accepted());  // form 10
    EXPECT_TRUE(SelectItemTarget(s, 7, 20).Accepted());  // menu 10, the last item shown
    EXPECT_EQ(M(6).MenuEscTarget(), 12);
    EXPECT_EQ(M(6).ItemTarget(0), 10);
    EXPECT_EQ(M(6).ItemTarget(7), 20);
    EXPECT_EQ(M(0).MenuEscTarget(), 0) << "another menu changed";

    const MenuPageView view = ViewMenuPage(s);
    EXPECT_EQ(view.menu.entries[6].text, u"menu  7");
    EXPECT_EQ(view.menu.selected, 6);
    EXPECT_EQ(view.items[7].target.selected, 20);

    // What no list offers, and the two items the page does not edit, change nothing.
    const auto before = Menus();
    EXPECT_TRUE(SelectMenuEscTarget(s, 21).Refused());
    EXPECT_TRUE(SelectItemTarget(s, 8, 1).Refused());
    EXPECT_TRUE(EditItemText(s, 8, u"ninth").Refused());
    EXPECT_TRUE(SelectMenu(s, 10).Refused());
    EXPECT_EQ(Menus(), before);
    EXPECT_EQ(s.currentMenu, 6);
}

// The rule for "Pass down", after showing a menu and after every change of a data box.
TEST_F(MenuPageTest, PassDownFollowsTheSavedDataAndTheSeparateFiles) {
    struct Case {
        const char* what;
        bool separate, saveCaption, saveItem;
        bool passDownAfter, enabled;
    };
    const Case cases[] = {
        {"separate files, caption saved: set and fixed", true, true, false, true, false},
        {"separate files, item saved: set and fixed", true, false, true, true, false},
        {"separate files, nothing saved: cleared and fixed", true, false, false, false, false},
        {"own files, caption saved: the user's choice", false, true, false, false, true},
        {"own files, item saved: the user's choice", false, false, true, false, true},
        {"own files, nothing saved: cleared and fixed", false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(ResetMenus(s).Accepted());
        ASSERT_TRUE(SetMenuFlag(s, MenuFlag::SeparateDataFiles, c.separate).Accepted());
        ASSERT_TRUE(SetMenuFlag(s, MenuFlag::SaveCaption, c.saveCaption).Accepted());
        ASSERT_TRUE(SetMenuFlag(s, MenuFlag::SaveSelectedItem, c.saveItem).Accepted());
        EXPECT_EQ(M(0).PassDown(), c.passDownAfter ? 1 : 0);
        EXPECT_EQ(ViewMenuPage(s).passDownEnabled, c.enabled);
        // The box takes a click only while it is enabled.
        EXPECT_EQ(SetMenuFlag(s, MenuFlag::PassDown, !c.passDownAfter).Accepted(), c.enabled);
        EXPECT_EQ(M(0).PassDown() != 0, c.enabled ? !c.passDownAfter : c.passDownAfter);
    }

    // Both ways: a pass-down the user chose goes when the last saved flag goes, and comes back
    // only by the rule of separate files.
    ASSERT_TRUE(ResetMenus(s).Accepted());
    ASSERT_TRUE(SetMenuFlag(s, MenuFlag::SaveSelectedItem, true).Accepted());
    ASSERT_TRUE(SetMenuFlag(s, MenuFlag::PassDown, true).Accepted());
    ASSERT_TRUE(SetMenuFlag(s, MenuFlag::SaveSelectedItem, false).Accepted());
    EXPECT_EQ(M(0).PassDown(), 0);
    ASSERT_TRUE(SetMenuFlag(s, MenuFlag::SaveCaption, true).Accepted());
    EXPECT_EQ(M(0).PassDown(), 0) << "saving again does not choose for the user";
    ASSERT_TRUE(SetMenuFlag(s, MenuFlag::SeparateDataFiles, true).Accepted());
    EXPECT_EQ(M(0).PassDown(), 1);
    ASSERT_TRUE(SetMenuFlag(s, MenuFlag::SeparateDataFiles, false).Accepted());
    EXPECT_EQ(M(0).PassDown(), 1) << "now the user's to change";
    EXPECT_TRUE(ViewMenuPage(s).passDownEnabled);
}

TEST_F(MenuPageTest, ShowingAMenuBringsItsPassDownInLine) {
    // Menu 4 as a file may hold it: saved caption but no pass-down, under separate files.
    M(3).SaveCaption() = 1;
    M(3).PassDown() = 0;
    // Menu 5: pass-down with nothing saved.
    M(4).PassDown() = 1;
    Terminal(s.working).SeparateDataFiles() = 1;
    EXPECT_EQ(M(3).PassDown(), 0) << "not shown yet, not touched";
    ASSERT_TRUE(SelectMenu(s, 3).Accepted());
    EXPECT_EQ(M(3).PassDown(), 1);
    EXPECT_EQ(M(4).PassDown(), 1) << "only the shown menu";
    ASSERT_TRUE(SelectMenu(s, 4).Accepted());
    EXPECT_EQ(M(4).PassDown(), 0);

    // The page's first showing applies the rule to menu 1.
    M(0).PassDown() = 1;
    s.currentMenu = 5;
    OpenMenuPage(s);
    EXPECT_EQ(s.currentMenu, 0);
    EXPECT_EQ(M(0).PassDown(), 0);
}

// A loaded file may hold any byte. The page shows such a menu as well as it can and changes
// none of its bytes until the user edits one, and then only that one.
TEST_F(MenuPageTest, OutOfRangeBytesAreShownUnchangedUntilEdited) {
    MenuRecord m = M(2);
    m.HasCaption() = 7;
    std::ranges::fill(m.Caption(), Byte{'C'});  // no terminator
    m.MenuEscTarget() = 40;
    m.ItemTarget(2) = 255;
    m.SaveCaption() = 9;
    m.SaveSelectedItem() = 0;
    m.PassDown() = 5;
    Terminal(s.working).SeparateDataFiles() = 3;
    const auto before = Menus();

    ASSERT_TRUE(SelectMenu(s, 2).Accepted());
    ASSERT_EQ(Menus(), before) << "9 and 5 already mean saved and passed down";
    const MenuPageView view = ViewMenuPage(s);
    EXPECT_TRUE(view.captionEnabled);
    EXPECT_EQ(view.caption, std::u16string(20, u'C'));
    EXPECT_EQ(view.escTarget.selected, -1);
    EXPECT_EQ(view.items[2].target.selected, -1);
    EXPECT_TRUE(view.passDown);
    EXPECT_TRUE(view.separateDataFiles);

    // Checking what is already checked leaves the odd byte as it is.
    ASSERT_TRUE(SetMenuFlag(s, MenuFlag::Caption, true).Accepted());
    ASSERT_TRUE(SetMenuFlag(s, MenuFlag::SaveCaption, true).Accepted());
    ASSERT_TRUE(SetMenuFlag(s, MenuFlag::SeparateDataFiles, true).Accepted());
    EXPECT_EQ(Menus(), before);
    EXPECT_EQ(Terminal(s.working).SeparateDataFiles(), 3);

    // One edit: the caption cell gets its text and terminator, nothing else moves.
    ASSERT_TRUE(EditMenuCaption(s, u"Main").Accepted());
    auto after = Menus();
    const std::size_t caption = 2 * kMenuRecordSize + 2;
    EXPECT_EQ(std::string(after.begin() + caption, after.begin() + caption + 5),
              std::string("Main\0", 5));
    std::copy_n(before.begin() + caption, 5, after.begin() + caption);
    EXPECT_EQ(after, before);
}

TEST_F(MenuPageTest, TextsAreCutToTwentyAndStoredInTheCodePage) {
    ASSERT_TRUE(SelectMenu(s, 1).Accepted());
    // Bytes after the terminator carry nothing; the edit writes only the text and its zero.
    std::ranges::fill(M(1).ItemText(3), Byte{'x'});

    ASSERT_TRUE(EditItemText(s, 3, u"1234567890123456789012345").Accepted());
    EXPECT_EQ(Cell(M(1).ItemText(3)), std::string("12345678901234567890") + '\0');
    EXPECT_EQ(ViewMenuPage(s).items[3].text, u"12345678901234567890");

    ASSERT_TRUE(EditItemText(s, 0, u"1.Приёмка €").Accepted());
    EXPECT_EQ(Cell(M(1).ItemText(0)).substr(0, 12),
              "1.\xCF\xF0\xE8\xB8\xEC\xEA\xE0 \x88" + std::string(1, '\0'));
    ASSERT_TRUE(EditItemText(s, 1, u"日本").Accepted());
    EXPECT_EQ(ViewMenuPage(s).items[1].text, u"??") << "what the code page lacks";

    // The caption takes text only while the menu shows a caption.
    EXPECT_TRUE(EditMenuCaption(s, u"STOCK").Refused());
    EXPECT_EQ(M(1).Caption()[0], 0);
    EXPECT_FALSE(ViewMenuPage(s).captionEnabled);
    ASSERT_TRUE(SetMenuFlag(s, MenuFlag::Caption, true).Accepted());
    ASSERT_TRUE(EditMenuCaption(s, u"STOCK CONTROL AND RECEIVING").Accepted());
    EXPECT_EQ(ViewMenuPage(s).caption, u"STOCK CONTROL AND RE");
}

// A saved text is padded with blanks to 20 characters: the edit shows it without them, so that
// typing at its end adds to the text; while typing, the user's own blanks stay.
TEST(MenuText, PaddingIsNotShownButTypedBlanksAreKept) {
    const std::u16string padded = u"5.Count             ";
    struct Case {
        const char* what;
        std::u16string_view stored, shown, expected;
    };
    const Case cases[] = {
        {"a saved text on a fresh edit", padded, u"", u"5.Count"},
        {"a saved text the edit shows", padded, u"5.Count", u"5.Count"},
        {"a blank cell", u"                    ", u"", u""},
        {"a blank being typed", u"5.Count ", u"5.Count ", u"5.Count "},
        {"another menu's text", u"1.Stock", u"5.Count", u"1.Stock"},
        {"a character the code page lacks", u"5.?", u"5.日", u"5.?"},
        {"cut: the stored text, blank and all", u"3.Count at the back ", u"3.Count at the back d",
         u"3.Count at the back "},
        {"full width without padding", u"12345678901234567890", u"", u"12345678901234567890"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MenuTextToShow(c.stored, c.shown), c.expected) << c.what;
}

TEST_F(MenuPageTest, ResetClearsEveryMenuAndTheSeparateFilesButNotTheUnknownBytes) {
    // Every byte of every menu set: what Reset clears is told apart from what it keeps.
    s.working.menuTable.fill(0x11);
    Terminal(s.working).SeparateDataFiles() = 1;
    ASSERT_TRUE(SelectMenu(s, 8).Accepted());

    ASSERT_TRUE(ResetMenus(s).Accepted());
    EXPECT_EQ(s.currentMenu, 0);
    EXPECT_EQ(Terminal(s.working).SeparateDataFiles(), 0);
    for (int n = 0; n < kMenuCount; ++n) {
        SCOPED_TRACE(n);
        const Byte* b = M(n).Data();
        EXPECT_EQ(std::vector<Byte>(b + 1, b + 248), std::vector<Byte>(247, 0))
            << "flags, caption, ten items, their targets and Esc are cleared";
        EXPECT_EQ(b[0], 0x11);
        EXPECT_EQ(std::vector<Byte>(b + 248, b + 350), std::vector<Byte>(102, 0x11));
    }
}

TEST_F(MenuPageTest, OkCommitsTheMenusAndTheSeparateFilesFlag) {
    ASSERT_TRUE(SelectMenu(s, 9).Accepted());
    ASSERT_TRUE(EditItemText(s, 2, u"Count").Accepted());
    ASSERT_TRUE(SetMenuFlag(s, MenuFlag::SeparateDataFiles, true).Accepted());
    CommitSheet(s, *ws);
    EXPECT_EQ(ws->definition.menuTable, s.working.menuTable);
    EXPECT_EQ(Terminal(ws->definition).SeparateDataFiles(), 1);
}

TEST(MenuScreen, ShowsTheCaptionLineThenTheItemsInTheirPlaces) {
    auto d = std::make_unique<Definition>();
    MenuRecord m = Menu(*d, 4);
    StoreCellText(m.Caption(), u"STOCK");
    StoreCellText(m.ItemText(0), u"1.Count");
    StoreCellText(m.ItemText(2), u"3.Serial numbers");
    StoreCellText(m.ItemText(7), u"8.Eighth");
    std::ranges::fill(m.ItemText(1), Byte{'#'});  // no terminator: 20 shown

    const auto rows = [](const FormScreen& screen) {
        std::vector<std::u16string> text;
        for (int r = 0; r < kScreenRows; ++r)
            text.push_back(screen.RowText(r));
        return text;
    };
    const std::u16string blank(20, u' ');
    EXPECT_EQ(rows(PreviewMenuScreen(*d, 4)),
              (std::vector<std::u16string>{u"1.Count             ", std::u16string(20, u'#'),
                                           u"3.Serial numbers    ", blank, blank, blank, blank,
                                           u"8.Eighth            "}))
        << "without a caption the caption's text is not shown";

    m.HasCaption() = 2;
    const FormScreen withCaption = PreviewMenuScreen(*d, 4);
    EXPECT_EQ(withCaption.RowText(0), u"STOCK               ");
    EXPECT_EQ(withCaption.RowText(1), u"1.Count             ");
    EXPECT_EQ(withCaption.RowText(7), blank) << "item 8 is below the first screen";

    EXPECT_EQ(rows(PreviewMenuScreen(*d, 10)), std::vector<std::u16string>(8, blank));
}

}  // namespace
}  // namespace fw::editor::test
