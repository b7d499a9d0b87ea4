// The project commands as a user meets them: what a cancelled or refused open leaves, the
// save question, recent entries, the project named at start and the language switch.
#include "model/projectcommands.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "model/codepage.h"
#include "model/defaults.h"
#include "model/strings.h"
#include "model/system.h"
#include "model/test_support.h"
#include "model/unicode.h"
#include "support/temp_folder.h"

namespace fw {
namespace {

namespace fs = std::filesystem;
using Paths = std::vector<std::u16string>;

using test::ScriptedDialogs;

class ProjectCommandsTest : public test::WorkspaceTest {
  protected:
    // A project whose first prompt on form 1 says which one it is.
    fs::path Project(const std::string& name, std::u16string_view prompt) {
        Workspace other;
        StartWorkspace(other, dir.Path() / "elsewhere");
        // Text lines: normalisation clears the prompts of unused ones.
        Form(other.definition, 0).LineType(0) = kLineText;
        Form(other.definition, 0).LineType(1) = kLineText;
        StoreCellText(Form(other.definition, 0).LinePrompt(0), prompt);
        other.currentProjectPath = dir.Path() / name;
        EXPECT_EQ(WriteProjectFile(other), 1);
        return other.currentProjectPath;
    }
    std::u16string Prompt() { return CellToUtf16(Form(ws->definition, 0).LinePrompt(0)); }
    std::string Bytes() { return SerialiseProject(ws->definition, true); }
    // The texts shown since the last call.
    std::vector<std::u16string> Shown() {
        std::vector<std::u16string> texts;
        for (const MessageRequest& r : presenter.shown)
            texts.push_back(r.text);
        presenter.shown.clear();
        return texts;
    }

    ScriptedDialogs dialogs;
};

TEST_F(ProjectCommandsTest, OpenThatIsCancelledOrRefusedLeavesTheWorkAsItWas) {
    const fs::path work = Project("work.FWW", u"WORK");
    const fs::path notes = dir.Write("notes.txt", "shopping list\r\nmilk\r\n");
    // An extended file cut inside NetworkSettings: refused after most blocks were read.
    const fs::path cut =
        dir.Write("cut.FWW", test::ReadFile(Project("full.FWW", u"CUT")).substr(0, 20437 + 10));
    fs::create_directory(dir.Path() / "folder.FWW");
    const fs::path fifo = dir.Path() / "pipe.FWW";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

    const struct {
        const char* what;
        std::optional<fs::path> choice;
        OpenOutcome outcome;
        std::u16string message;  // how the shown text starts
        bool namesFile;
    } cases[] = {
        {"cancel", std::nullopt, OpenOutcome::Cancelled, u"", false},
        {"text file", notes, OpenOutcome::Refused, u"Format mismatch !!!", false},
        {"cut file", cut, OpenOutcome::Refused, u"Format mismatch !!!", false},
        {"folder", dir.Path() / "folder.FWW", OpenOutcome::Refused, u"Это папка", true},
        {"missing", dir.Path() / "gone.FWW", OpenOutcome::Refused, u"Файл задачи не найден", true},
        {"device", fs::path("/dev/null"), OpenOutcome::Refused, u"Это не файл задачи", true},
        {"pipe", fifo, OpenOutcome::Refused, u"Это не файл задачи", true},
    };
    for (const bool modified : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (modified ? ", modified" : ""));
            ASSERT_TRUE(LoadProject(*ws, work).loaded);
            ws->definitionModified = modified;
            const std::string before = Bytes();
            presenter.answer = kIdNo;  // to the save question: go on without saving
            dialogs.answers = {c.choice};

            EXPECT_EQ(OpenProjectCommand(*ws, dialogs), c.outcome);
            const std::vector<std::u16string> shown = Shown();
            ASSERT_EQ(shown.size(), (modified ? 1u : 0u) + (c.message.empty() ? 0u : 1u));
            if (!c.message.empty()) {
                EXPECT_EQ(shown.back().rfind(c.message, 0), 0u) << Utf16ToUtf8(shown.back());
                if (c.namesFile) {
                    EXPECT_NE(shown.back().find(c.choice->u16string()), std::u16string::npos);
                }
            }
            EXPECT_EQ(Bytes(), before);
            EXPECT_EQ(ws->definitionModified, modified);
            EXPECT_EQ(ws->currentProjectPath, work);

            // Save still writes the project to its own file, and never to what was chosen.
            const std::string choiceBefore =
                c.choice && fs::is_regular_file(*c.choice) ? test::ReadFile(*c.choice) : "";
            ASSERT_EQ(SaveProjectCommand(*ws, dialogs), 1);
            EXPECT_EQ(test::ReadFile(work), before);
            if (!choiceBefore.empty()) {
                EXPECT_EQ(test::ReadFile(*c.choice), choiceBefore);
            }
        }
    }
}

TEST_F(ProjectCommandsTest, AFileThatFailsToLoadNeverBecomesTheSaveTarget) {
    const fs::path notes = dir.Write("notes.txt", "not a project");
    StoreCellText(Form(ws->definition, 0).LinePrompt(0), u"UNSAVED");
    ws->definitionModified = true;
    presenter.answer = kIdNo;
    dialogs.answers = {notes};
    EXPECT_EQ(OpenProjectCommand(*ws, dialogs), OpenOutcome::Refused);
    EXPECT_TRUE(ws->currentProjectPath.empty());
    EXPECT_EQ(Prompt(), u"UNSAVED");

    // A new definition has no name: Save asks for one, and a cancel writes nothing.
    const std::size_t asked = dialogs.requests.size();
    EXPECT_EQ(SaveProjectCommand(*ws, dialogs), 0);
    EXPECT_EQ(dialogs.requests.size(), asked + 1);
    EXPECT_TRUE(dialogs.requests.back().save);
    EXPECT_EQ(test::ReadFile(notes), "not a project");
    EXPECT_TRUE(ws->definitionModified);
}

TEST_F(ProjectCommandsTest, OpenReadsTheChosenFileOverResetBlocksAndClearsTheMark) {
    const fs::path base = Project("old.FWX", u"OLD");
    ws->definition.readerOptions2[20] = 0x42;  // a base file never gives this block
    ws->definitionModified = true;
    presenter.answer = kIdNo;
    int placed = 0;
    ws->settingsReread = [&] { ++placed; };
    // The settings are read again before the dialog: the last project is offered from them.
    Settings onDisk;
    onDisk.autoPreloadLast = 1;
    onDisk.lastProjectPath = base.u16string();
    ASSERT_TRUE(WriteSettings(onDisk, dir.Path()));
    dialogs.answers = {base};

    EXPECT_EQ(OpenProjectCommand(*ws, dialogs), OpenOutcome::Opened);
    EXPECT_EQ(placed, 1);
    EXPECT_EQ(dialogs.requests.back().initialName, base);
    EXPECT_EQ(ws->currentProjectPath, base);
    EXPECT_FALSE(ws->definitionModified);
    EXPECT_EQ(Prompt(), u"OLD");
    EXPECT_EQ(ws->definition.readerOptions2[20], 0);
    EXPECT_EQ(ws->settings.recentFiles, Paths{base.u16string()});
    Settings reread;
    ReadSettings(reread, dir.Path());
    EXPECT_EQ(reread.recentFiles, Paths{base.u16string()});
}

TEST_F(ProjectCommandsTest, ASaveThatWroteNothingIsToldAndStopsWhatAskedForIt) {
    const fs::path unwritable = dir.Path() / "gone-folder" / "work.FWW";
    ws->currentProjectPath = unwritable;
    StoreCellText(Form(ws->definition, 0).LinePrompt(0), u"EDIT");
    ws->definitionModified = true;
    EXPECT_EQ(SaveProjectCommand(*ws, dialogs), 0);
    EXPECT_EQ(Shown(), std::vector<std::u16string>{u"Ошибка записи файла задачи, проект не "
                                                   u"сохранён:\r\n" +
                                                   unwritable.u16string()});
    EXPECT_TRUE(ws->definitionModified);

    // Yes to the question, and the save fails: New does not go on and the work stays. So
    // when no one is there to answer.
    presenter.answer = kIdYes;
    EXPECT_FALSE(NewProjectCommand(*ws, dialogs));
    const std::vector<std::u16string> shown = Shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], u"Save current program ?");
    ws->presenter = nullptr;
    EXPECT_FALSE(NewProjectCommand(*ws, dialogs));
    ws->presenter = &presenter;
    EXPECT_EQ(Prompt(), u"EDIT");
    EXPECT_EQ(ws->currentProjectPath, unwritable);

    // A cancelled name, or a name Save As takes without writing, says nothing more.
    ws->currentProjectPath.clear();
    EXPECT_EQ(OpenProjectCommand(*ws, dialogs), OpenOutcome::Abandoned);
    dialogs.answers = {dir.Path() / "notes.txt"};
    EXPECT_EQ(SaveProjectAsCommand(*ws, dialogs), 0);
    EXPECT_EQ(Shown().size(), 1u);  // the question before Open
    EXPECT_TRUE(ws->definitionModified);
}

TEST_F(ProjectCommandsTest, RecentEntriesReadOverTheDefinitionAndGoneOnesLeaveTheList) {
    const fs::path a = Project("a.FWX", u"A");
    const fs::path gone = Project("gone.FWW", u"GONE");
    const fs::path notes = dir.Write("notes.FWW", "not a project");
    fs::remove(gone);
    ws->settings.recentFiles = {a.u16string(), gone.u16string(), notes.u16string()};
    int menuRebuilt = 0;
    ws->recentFilesChanged = [&] { ++menuRebuilt; };

    // Read over the current definition: a base file keeps ReaderOptions2 as it was.
    ws->definition.readerOptions2[20] = 0x42;
    ws->definitionModified = true;
    EXPECT_TRUE(OpenRecentProject(*ws, 0));
    EXPECT_EQ(Prompt(), u"A");
    EXPECT_EQ(ws->definition.readerOptions2[20], 0x42);
    EXPECT_EQ(ws->currentProjectPath, a);
    EXPECT_TRUE(Shown().empty());
    // Opening moved it to the front, where it already was.
    EXPECT_EQ(menuRebuilt, 1);

    // A file that is not a project: refused as any open is, and it stays on the list.
    const std::string before = Bytes();
    EXPECT_FALSE(OpenRecentProject(*ws, 2));
    EXPECT_EQ(Shown(), std::vector<std::u16string>{u"Format mismatch !!!"});
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(ws->currentProjectPath, a);

    // The gone file is named, taken off the list and out of the settings file.
    EXPECT_FALSE(OpenRecentProject(*ws, 1));
    const std::vector<std::u16string> shown = Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(gone.u16string()), std::u16string::npos);
    EXPECT_EQ(shown[0].rfind(u"Файл задачи не найден", 0), 0u);
    const Paths left = {a.u16string(), notes.u16string()};
    EXPECT_EQ(ws->settings.recentFiles, left);
    EXPECT_EQ(menuRebuilt, 2);
    Settings onDisk;
    ReadSettings(onDisk, dir.Path());
    EXPECT_EQ(onDisk.recentFiles, left);
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(ws->currentProjectPath, a);
    EXPECT_TRUE(ws->definitionModified);

    EXPECT_FALSE(OpenRecentProject(*ws, 7));  // no such entry
    EXPECT_TRUE(Shown().empty());
}

TEST_F(ProjectCommandsTest, TheStartProjectIsTheCommandLineElseTheLastOneAndFailsSafely) {
    ws->settings.lastProjectPath = u"/last.FWW";
    EXPECT_EQ(StartupProjectPath(*ws, u"\"/named one.FWW\""), fs::path("/named one.FWW"));
    EXPECT_EQ(StartupProjectPath(*ws, u""), fs::path());
    ws->settings.autoPreloadLast = 1;
    EXPECT_EQ(StartupProjectPath(*ws, u""), fs::path("/last.FWW"));
    EXPECT_EQ(StartupProjectPath(*ws, u"/named.FWW"), fs::path("/named.FWW"));
    ws->settings.lastProjectPath = std::u16string(300, u'p');
    EXPECT_EQ(StartupProjectPath(*ws, u"").native().size(), 255u);

    const fs::path good = Project("good.FWW", u"GOOD");
    EXPECT_TRUE(OpenStartupProject(*ws, good));
    EXPECT_EQ(ws->currentProjectPath, good);
    EXPECT_TRUE(Shown().empty());

    EXPECT_FALSE(OpenStartupProject(*ws, {}));
    EXPECT_EQ(Shown(), std::vector<std::u16string>{u"Необходимо задать имя файла"});

    // Whatever the reason, the same two messages name the file; nothing of the work changes.
    fs::create_directory(dir.Path() / "folder.FWW");
    const std::string before = Bytes();
    for (const fs::path& bad :
         {dir.Path() / "missing.FWW", dir.Path() / "folder.FWW", fs::path("/dev/null")}) {
        SCOPED_TRACE(bad.string());
        EXPECT_FALSE(OpenStartupProject(*ws, bad));
        EXPECT_EQ(Shown(), (std::vector<std::u16string>{u"Ошибка загрузки из файла задачи",
                                                        bad.u16string()}));
        EXPECT_EQ(ws->currentProjectPath, good);
        EXPECT_EQ(Bytes(), before);
    }
}

TEST_F(ProjectCommandsTest, FilesTheSystemRefusesAreNamedWithTheSystemsReason) {
    // A name longer than the system allows is refused even for a user who may read anything;
    // a file without read permission is refused unless the user is root.
    std::vector<fs::path> refused = {dir.Path() / (std::string(300, 'n') + ".FWW")};
    if (geteuid() != 0) {
        refused.push_back(Project("locked.FWW", u"LOCKED"));
        fs::permissions(refused.back(), fs::perms::none);
    }
    for (const fs::path& file : refused) {
        const ProjectLoadResult r = LoadProject(*ws, file);
        EXPECT_FALSE(r.loaded);
        EXPECT_EQ(r.problem, ProjectFileProblem::CannotOpen);
        ASSERT_EQ(presenter.shown.size(), 1u);
        EXPECT_EQ(presenter.shown[0].caption, u"Ошибка");
        EXPECT_EQ(presenter.shown[0].text, u"Ошибка открытия файла задачи: (" +
                                               SystemErrorText(r.systemError) + u")\r\n" +
                                               file.u16string());
        EXPECT_TRUE(ws->currentProjectPath.empty());
        presenter.shown.clear();
    }
}

TEST_F(ProjectCommandsTest, ConfirmedPreferencesPutOnlyTheChosenLanguageInForce) {
    dir.Write("a.lng", "Alpha\r\n1131=Save it?\r\n761=Alpha settings\r\n");
    dir.Write("b.lng", "Beta\r\n1121=Beta error\r\n");
    ScanLanguageFiles(ws->language, dir.Path());
    ws->settings.languageName = u"Alpha";
    ws->settings.comPort = 7;
    ApplyPreferences(*ws);
    EXPECT_TRUE(ws->language.loaded);
    EXPECT_EQ(LoadUiString(ws->language, 1131), u"Save it?");
    // The language's terminal texts come with the next new definition.
    ASSERT_TRUE(NewProjectCommand(*ws, dialogs));
    EXPECT_EQ(CellToUtf16(ScreenTextLine(ws->definition, 3, 0)), u"Alpha settings");
    Settings onDisk;
    ReadSettings(onDisk, dir.Path());
    EXPECT_EQ(onDisk.languageName, u"Alpha");
    EXPECT_EQ(onDisk.comPort, 7);

    // Beta has no question of its own: the built-in one shows, not Alpha's.
    ws->settings.languageName = u"Beta";
    ApplyPreferences(*ws);
    EXPECT_EQ(LoadUiString(ws->language, 1131), u"Save current program ?");
    EXPECT_EQ(LoadUiString(ws->language, 1121), u"Beta error");
    ASSERT_TRUE(NewProjectCommand(*ws, dialogs));
    EXPECT_EQ(CellToUtf16(ScreenTextLine(ws->definition, 3, 0)), u"1. Program Settings ");
    ws->definitionModified = true;
    presenter.answer = kIdNo;
    EXPECT_EQ(PromptSaveChanges(*ws, dialogs), kIdNo);
    EXPECT_EQ(presenter.shown.back().text, u"Save current program ?");
}

}  // namespace
}  // namespace fw
