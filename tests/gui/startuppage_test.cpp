// The Startup page in the sheet: its captions from the language file, the group of texts the
// terminal's screen beside it shows, a refused delimiter that comes back, and what OK, Cancel
// and an import leave of the project.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "editor/ui/startuppage.h"
#include "editor/ui/terminalscreen.h"
#include "gui_support.h"
#include "model/codepage.h"
#include "model/projectfile.h"
#include "model/workspace.h"

namespace fw {
namespace {

namespace fs = std::filesystem;
using test::DialogScript;

class StartupPageTest : public test::WindowTest {
  protected:
    // Shows the Startup page of the open sheet and returns it.
    static editor::ui::StartupPage* ShowPage(QWidget* sheet) {
        auto* tabs = sheet->findChild<QTabWidget*>(QStringLiteral("pages"));
        auto* page = sheet->findChild<editor::ui::StartupPage*>(QStringLiteral("STARTUPDLG"));
        EXPECT_NE(page, nullptr);
        if (tabs != nullptr && page != nullptr) tabs->setCurrentWidget(page);
        return page;
    }
    template <class W>
    static W* Child(QWidget* page, const char* name) {
        auto* w = page->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    static void Press(QWidget* sheet, QDialogButtonBox::StandardButton which) {
        sheet->findChild<QDialogButtonBox*>(QStringLiteral("sheetButtons"))->button(which)->click();
    }

    fs::path project_ = dir_ / "work.FWW";
};

TEST_F(StartupPageTest, EditsShowOnTheScreenARefusedCodeComesBackAndOkStoresThem) {
    ASSERT_NO_FATAL_FAILURE(ChooseEnglish());
    auto w = StartWithSheet(project_);
    QString tab, placementName, shown, row1, code;
    const QStringList messages =
        DialogScript()
            .Expect("DefinitionSheet",
                    [&](QWidget* sheet) {
                        QTimer::singleShot(0, sheet, [&, sheet] {
                            QWidget* page = ShowPage(sheet);
                            auto* tabs = sheet->findChild<QTabWidget*>(QStringLiteral("pages"));
                            tab = tabs->tabText(tabs->currentIndex());
                            placementName = Child<QComboBox>(page, "placement")->accessibleName();

                            Child<QComboBox>(page, "textGroup")->setCurrentIndex(6);
                            auto* line1 = Child<QLineEdit>(page, "line1");
                            Type(line1, QStringLiteral("Send collected data now"));
                            row1 = line1->text();
                            shown = Child<editor::ui::TerminalScreen>(page, "preview")->text();

                            auto* code1 = Child<QLineEdit>(page, "delimiterCode1");
                            Type(code1, QStringLiteral("13"));  // 1, then 13: refused
                            code = code1->text();
                            Press(sheet, QDialogButtonBox::Ok);
                        });
                    })
            .Answer(QMessageBox::Ok)
            .Run([&] { PressCtrlE(*w); });

    EXPECT_EQ(tab, "Startup");
    EXPECT_EQ(placementName, "Data placement :") << "the language file's caption";
    EXPECT_EQ(messages, QStringList{"Warning|Invalid value!"});
    EXPECT_EQ(code, "1");
    EXPECT_EQ(row1, "Send collected data ") << "cut to 20 and written back";
    EXPECT_TRUE(shown.startsWith("Send collected data \n2.Download Interface"))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains("7.Buzzer")) << shown.toStdString();

    const Definition& d = w->workspace().definition;
    EXPECT_EQ(Terminal(d).DelimiterCode1(), 1);
    EXPECT_EQ(CellToUtf16(ScreenTextLine(d, 8, 1)), u"Send collected data ");
    EXPECT_TRUE(w->definitionModified());
}

TEST_F(StartupPageTest, ImportFillsThePageAndCancelKeepsTheProject) {
    auto w = StartWithSheet(project_);
    const std::string before = SerialiseProject(w->workspace().definition, true);
    // Another project whose main menu reads differently.
    auto other = std::make_unique<Definition>(w->workspace().definition);
    StoreCellText(ScreenTextLine(*other, 2, 0), u"1. Count stock");
    const fs::path otherFile = dir_ / "other.FWW";
    test::WriteFile(otherFile, SerialiseProject(*other, true));

    QString firstRow, group;
    DialogScript()
        .Expect("DefinitionSheet",
                [&](QWidget* sheet) {
                    auto* page = ShowPage(sheet);
                    Child<QComboBox>(page, "textGroup")->setCurrentIndex(4);
                    page->chooseImportFile = [&] { return std::optional<fs::path>(otherFile); };
                    Child<QPushButton>(page, "importTexts")->click();
                    group = Child<QComboBox>(page, "textGroup")->currentText();
                    firstRow = Child<QLineEdit>(page, "line1")->text();
                    Child<QComboBox>(page, "startTarget")->setCurrentIndex(1);
                    Child<QPushButton>(page, "reset")->click();
                    Press(sheet, QDialogButtonBox::Cancel);
                })
        .Run([&] { PressCtrlE(*w); });
    EXPECT_EQ(group, "Main menu (3x20)");
    EXPECT_EQ(firstRow, "1. Count stock");
    EXPECT_EQ(w->workspace().currentProjectPath, project_);
    EXPECT_FALSE(w->definitionModified());
    EXPECT_EQ(SerialiseProject(w->workspace().definition, true), before);
}

}  // namespace
}  // namespace fw
