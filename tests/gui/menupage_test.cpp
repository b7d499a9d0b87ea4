// The Menu page on the offscreen platform: what it shows comes from the active language and
// the working copy, typing goes through the page's rules, and the preview follows the menu.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <fstream>
#include <iterator>
#include <utility>

#include "editor/ui/menupage.h"
#include "editor/ui/terminalscreen.h"
#include "gui_support.h"
#include "model/codepage.h"
#include "model/defaults.h"
#include "model/projectfile.h"
#include "model/workspace.h"

namespace fw::editor::ui {
namespace {

class MenuPageWidgetTest : public ::testing::Test {
  protected:
    MenuPageWidgetTest() {
        ParseLanguageText(ws.language,
                          "Test\r\n1642=Menus\r\n1716=Which :\r\n1719=Title line\r\n"
                          "1722=Hand on\r\n1723=One file a form\r\n1725=Entry\r\n");
        ws.language.loaded = true;
        LoadDefaultTexts(ws.definition, ws.language);
        ResetReaderSettings(ws.definition);
        NewDefinition(ws.definition);
        StoreCellText(Menu(ws.definition, 1).ItemText(0), u"2.Receive           ");
        session = OpenSession(ws.definition, ws.language);
    }
    template <class W>
    W* Find(const char* name) {
        auto* w = page->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QStringList Screen() {
        return page->findChild<TerminalScreen*>()->text().split(QLatin1Char('\n'));
    }

    Workspace ws;
    EditingSession session;
    SheetContext context{session, ws, [] {}};
    std::unique_ptr<MenuPage> page;
};

TEST_F(MenuPageWidgetTest, CaptionsComeFromTheLanguageAndTheBuiltInTable) {
    page = std::make_unique<MenuPage>(context, nullptr);
    EXPECT_EQ(page->objectName(), "MENUDLG");
    EXPECT_EQ(page->title(), "Menus");
    EXPECT_EQ(Find<QCheckBox>("hasCaption")->text(), "Title line");
    EXPECT_EQ(Find<QCheckBox>("passDown")->accessibleName(), "Hand on");
    EXPECT_EQ(Find<QCheckBox>("separateDataFiles")->text(), "One file a form");
    EXPECT_EQ(Find<QComboBox>("menuName")->accessibleName(), "Which :");
    EXPECT_EQ(Find<QLineEdit>("itemText3")->accessibleName(), "Entry 3");
    // What the language leaves out is the built-in text.
    EXPECT_EQ(Find<QComboBox>("itemTarget8")->accessibleName(), "Next : 8");
}

TEST_F(MenuPageWidgetTest, TypingChoosingAndCheckingGoThroughTheRules) {
    page = std::make_unique<MenuPage>(context, nullptr);
    page->show();
    auto* name = Find<QComboBox>("menuName");
    name->setCurrentIndex(1);
    QLineEdit* first = Find<QLineEdit>("itemText1");
    EXPECT_EQ(first->text(), "2.Receive") << "shown without its padding";
    first->setFocus();
    first->end(false);
    QTest::keyClicks(first, "d goods");
    EXPECT_EQ(first->text(), "2.Received goods");

    QLineEdit* second = Find<QLineEdit>("itemText2");
    QTest::keyClicks(second, "3.Count at the back door");
    EXPECT_EQ(second->text(), "3.Count at the back ") << "cut to 20 and written back";
    EXPECT_EQ(CellToUtf16(Menu(session.working, 1).ItemText(1)), u"3.Count at the back ");

    // The caption takes text only once its box is checked, and then heads the preview.
    QLineEdit* caption = Find<QLineEdit>("menuCaption");
    EXPECT_FALSE(caption->isEnabled());
    Find<QCheckBox>("hasCaption")->click();
    ASSERT_TRUE(caption->isEnabled());
    QTest::keyClicks(caption, "STOCK");
    const QStringList screen = Screen();
    ASSERT_EQ(screen.size(), 8);
    EXPECT_EQ(screen[0], "STOCK               ");
    EXPECT_EQ(screen[1], "2.Received goods    ");
    EXPECT_EQ(screen[2], "3.Count at the back ");

    // "Pass down" as the rule has it: clickable while the menu saves something, and with
    // separate files set by the rule.
    auto* passDown = Find<QCheckBox>("passDown");
    EXPECT_FALSE(passDown->isEnabled());
    Find<QCheckBox>("saveSelectedItem")->click();
    EXPECT_TRUE(passDown->isEnabled());
    Find<QCheckBox>("separateDataFiles")->click();
    EXPECT_TRUE(passDown->isChecked());
    EXPECT_FALSE(passDown->isEnabled());
}

// The page in the real sheet, opened from the main window.
class MenuSheetTest : public test::WindowTest {
  protected:
    static QWidget* ShowMenuPage(QWidget* sheet) {
        auto* tabs = sheet->findChild<QTabWidget*>(QStringLiteral("pages"));
        EXPECT_NE(tabs, nullptr);
        auto* page = sheet->findChild<QWidget*>(QStringLiteral("MENUDLG"));
        EXPECT_NE(page, nullptr);
        EXPECT_EQ(tabs->indexOf(page), 1) << "the second page";
        tabs->setCurrentWidget(page);
        return page;
    }
    static void Press(QWidget* sheet, QDialogButtonBox::StandardButton which) {
        sheet->findChild<QDialogButtonBox*>(QStringLiteral("sheetButtons"))->button(which)->click();
    }
    std::string Saved() {
        std::ifstream file(project_, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), {}};
    }

    std::filesystem::path project_ = dir_ / "work.FWW";
};

TEST_F(MenuSheetTest, ResetThenCancelKeepsTheMenusAndOkSavesThemWithTheForms) {
    auto w = StartWithSheet(project_);
    {
        MenuRecord m = Menu(w->workspace().definition, 2);
        m.HasCaption() = 1;
        StoreCellText(m.Caption(), u"Kept");
        m.ItemTarget(0) = 14;
    }
    const std::string before = SerialiseProject(w->workspace().definition, false);
    test::DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    QWidget* page = ShowMenuPage(sheet);
                    page->findChild<QCheckBox*>(QStringLiteral("separateDataFiles"))->click();
                    page->findChild<QPushButton*>(QStringLiteral("menuReset"))->click();
                    Press(sheet, QDialogButtonBox::Cancel);
                })
        .Run([&] { PressCtrlE(*w); });
    EXPECT_FALSE(w->definitionModified());
    EXPECT_EQ(SerialiseProject(w->workspace().definition, false), before);

    test::DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    sheet->findChild<QComboBox*>(QStringLiteral("escTarget"))->setCurrentIndex(13);
                    QWidget* page = ShowMenuPage(sheet);
                    page->findChild<QComboBox*>(QStringLiteral("menuName"))->setCurrentIndex(2);
                    QTest::keyClicks(page->findChild<QLineEdit*>(QStringLiteral("itemText4")),
                                     "4.Count");
                    page->findChild<QCheckBox*>(QStringLiteral("separateDataFiles"))->click();
                    Press(sheet, QDialogButtonBox::Ok);
                })
        .Run([&] { w->command(kCmdEdit); });
    ASSERT_TRUE(w->definitionModified());
    w->command(kCmdSave);
    Workspace reread;
    ASSERT_EQ(ReadProjectBytes(reread, Saved(), false), 1);
    const ConstMenuRecord m = Menu(std::as_const(reread.definition), 2);
    EXPECT_EQ(CellToUtf16(m.Caption()), u"Kept                ");
    EXPECT_EQ(m.ItemTarget(0), 14);
    EXPECT_EQ(CellToUtf16(m.ItemText(3)), u"4.Count             ");
    EXPECT_EQ(Terminal(reread.definition).SeparateDataFiles(), 1);
    EXPECT_EQ(Form(reread.definition, 0).EscTarget(), 13) << "the Form page's edit, same save";
}

}  // namespace
}  // namespace fw::editor::ui
