// The main window: its start, its shape and mouse, the menu and the project commands with the
// save question, as a user meets them.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "gui_support.h"
#include "model/settings.h"
#include "shell/clientwindow.h"
#include "shell/commands.h"
#include "shell/mainwindow.h"
#include "shell/terminaloutline.h"

namespace fw {
namespace {

using test::DialogScript;
using test::WaitFor;

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        home_ = std::filesystem::path(dir_.path().toStdString()) / "program";
        projects_ = std::filesystem::path(dir_.path().toStdString()) / "projects";
        std::filesystem::create_directories(home_);
        std::filesystem::create_directories(projects_);
    }

    // Starts the program as the executable does, with this command line.
    std::unique_ptr<MainWindow> Start(const std::u16string& commandLine = {}) {
        auto window = std::make_unique<MainWindow>(ShellOptions{home_, commandLine});
        window->setCommandHandler(kCmdEdit, [this](QWidget*) { ++sheetsOpened_; });
        return window;
    }

    std::filesystem::path Project(const std::string& name) {
        const std::filesystem::path path = projects_ / name;
        test::WriteSampleProject(path);
        return path;
    }

    Settings SettingsFile() {
        Settings s;
        ReadSettings(s, home_);
        return s;
    }

    // The texts of the menu as the user sees them.
    static QStringList MenuTexts(const MainWindow& w) {
        QStringList texts;
        for (QAction* a : w.popupMenu()->actions())
            texts << (a->isSeparator() ? "-" : a->text());
        return texts;
    }
    static std::vector<int> RecentIds(const MainWindow& w) {
        std::vector<int> ids;
        for (QAction* a : w.popupMenu()->actions()) {
            const int id = a->data().toInt();
            if (id >= kCmdRecentFirst && id <= kCmdRecentLast) ids.push_back(id);
        }
        return ids;
    }

    QTemporaryDir dir_;
    std::filesystem::path home_;
    std::filesystem::path projects_;
    int sheetsOpened_ = 0;
};

TEST_F(MainWindowTest, StartsAsAFramelessTerminalAt300By50) {
    auto w = Start();
    QApplication::processEvents();
    EXPECT_EQ(w->objectName(), "Formwright");
    EXPECT_EQ(w->windowTitle(), "Formwright");
    EXPECT_EQ(w->geometry(), QRect(300, 50, 267, 645));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w->mask(), TerminalOutlineRegion());
    ASSERT_NE(w->client(), nullptr);
    EXPECT_EQ(w->client()->objectName(), "Client");
    EXPECT_EQ(w->client()->geometry(), QRect(0, 0, 267, 645));
    EXPECT_EQ(w->popupMenu()->objectName(), "PopMenuM740");
    // No project named: a new definition and no editor.
    EXPECT_TRUE(w->workspace().currentProjectPath.empty());
    EXPECT_EQ(sheetsOpened_, 0);
    EXPECT_FALSE(w->definitionModified());
}

TEST_F(MainWindowTest, ProjectOnTheCommandLineOpensWithTheEditor) {
    const auto path = Project("Stock count.FWW");
    auto w = Start(u"\"" + path.u16string() + u"\"");
    ASSERT_TRUE(WaitFor([&] { return sheetsOpened_ == 1; }));
    EXPECT_EQ(w->workspace().currentProjectPath, path);
    EXPECT_EQ(RecentIds(*w), std::vector<int>{3300});
    EXPECT_EQ(SettingsFile().lastProjectPath, path.u16string());
}

TEST_F(MainWindowTest, ProjectThatCannotBeReadIsReportedAndForgotten) {
    const auto missing = projects_ / "missing.FWW";
    DialogScript script;
    script.Answer(QMessageBox::Ok).Answer(QMessageBox::Ok);
    auto w = Start(missing.u16string());
    ASSERT_TRUE(WaitFor([&] { return script.Done(); }));
    EXPECT_EQ(script.Messages(),
              QStringList({"|Ошибка загрузки из файла задачи",
                           "|" + QString::fromStdU16String(missing.u16string())}));
    EXPECT_TRUE(w->workspace().currentProjectPath.empty());
    EXPECT_EQ(sheetsOpened_, 0);
}

TEST_F(MainWindowTest, AutoPreloadOpensTheLastProject) {
    const auto last = Project("last.FWW");
    Settings s;
    s.lastProjectPath = last.u16string();
    s.autoPreloadLast = 1;
    ASSERT_TRUE(WriteSettings(s, home_));
    {
        auto w = Start();
        ASSERT_TRUE(WaitFor([&] { return sheetsOpened_ == 1; }));
        EXPECT_EQ(w->workspace().currentProjectPath, last);
    }
    // The command line wins over the last project.
    const auto named = Project("named.FWW");
    {
        auto w = Start(named.u16string());
        ASSERT_TRUE(WaitFor([&] { return sheetsOpened_ == 2; }));
        EXPECT_EQ(w->workspace().currentProjectPath, named);
    }
    // Without the setting the program starts empty.
    s = SettingsFile();
    s.autoPreloadLast = 0;
    ASSERT_TRUE(WriteSettings(s, home_));
    auto w = Start();
    QTest::qWait(50);
    EXPECT_EQ(sheetsOpened_, 2);
    EXPECT_TRUE(w->workspace().currentProjectPath.empty());
}

TEST_F(MainWindowTest, RecentFilesFollowOpensAndSaves) {
    auto w = Start();
    std::vector<std::filesystem::path> paths;
    for (const char* name : {"a.FWW", "b.FWW", "c.FWW", "d.FWW", "e.FWW"})
        paths.push_back(Project(name));
    auto open = [&](const std::filesystem::path& path) {
        DialogScript script;
        script.Choose(path);
        w->command(kCmdOpen);
        EXPECT_TRUE(script.Done());
    };
    for (int i = 0; i < 4; ++i)
        open(paths[static_cast<std::size_t>(i)]);
    EXPECT_EQ(RecentIds(*w), (std::vector<int>{3300, 3301, 3302, 3303}));
    QStringList texts = MenuTexts(*w);
    EXPECT_EQ(texts.mid(13, 7),
              QStringList({"-", "&1:  " + QString::fromStdString(paths[3].string()),
                           "&2:  " + QString::fromStdString(paths[2].string()),
                           "&3:  " + QString::fromStdString(paths[1].string()),
                           "&4:  " + QString::fromStdString(paths[0].string()), "-", "A&bout..."}))
        << texts.join('\n').toStdString();

    // The same project again moves to the top; the list keeps its length.
    open(paths[1]);
    std::vector<std::u16string> expected = {paths[1].u16string(), paths[3].u16string(),
                                            paths[2].u16string(), paths[0].u16string()};
    EXPECT_EQ(w->workspace().settings.recentFiles, expected);
    // A fifth project pushes out the oldest.
    open(paths[4]);
    expected = {paths[4].u16string(), paths[1].u16string(), paths[3].u16string(),
                paths[2].u16string()};
    EXPECT_EQ(w->workspace().settings.recentFiles, expected);
    EXPECT_EQ(SettingsFile().recentFiles, expected);
    EXPECT_EQ(RecentIds(*w).size(), 4u);

    // Saving under a new name puts that name first too.
    const auto saved = projects_ / "saved.FWW";
    DialogScript script;
    script.Choose(saved);
    w->command(kCmdSaveAs);
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(w->workspace().settings.recentFiles.front(), saved.u16string());
    // A path over 40 characters shows its first 15 and its last 22.
    const QString savedText = QString::fromStdString(saved.string());
    ASSERT_GT(savedText.size(), 40);
    EXPECT_EQ(MenuTexts(*w)[14], "&1:  " + savedText.left(15) + "..." + savedText.right(22));

    // A recent entry from the menu opens that project without asking and without the editor.
    w->setDefinitionModified(true);
    const int sheets = sheetsOpened_;
    // The list is now saved, e, b, d: the third entry is b.
    QAction* third = w->popupMenu()->findChild<QAction*>("3302");
    ASSERT_NE(third, nullptr);
    third->trigger();
    QApplication::processEvents();
    EXPECT_EQ(w->workspace().currentProjectPath, paths[1]);
    EXPECT_EQ(w->workspace().settings.recentFiles.front(), paths[1].u16string());
    EXPECT_EQ(sheetsOpened_, sheets);
}

TEST_F(MainWindowTest, NewAsksToSaveChanges) {
    const auto path = Project("work.FWW");
    auto w = Start(path.u16string());
    ASSERT_TRUE(WaitFor([&] { return sheetsOpened_ == 1; }));
    std::filesystem::remove(path);

    // Cancel: nothing happens.
    w->setDefinitionModified(true);
    {
        DialogScript script;
        script.Answer(QMessageBox::Cancel);
        w->command(kCmdNew);
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(script.Messages(), QStringList{"Formwright M740|Save current program ?"});
    }
    EXPECT_EQ(w->workspace().currentProjectPath, path);
    EXPECT_TRUE(w->definitionModified());
    EXPECT_EQ(sheetsOpened_, 1);
    EXPECT_FALSE(std::filesystem::exists(path));

    // Yes: saved, then a new definition in the editor.
    {
        DialogScript script;
        script.Answer(QMessageBox::Yes);
        w->command(kCmdNew);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(std::filesystem::file_size(path), 20844u);
    EXPECT_TRUE(w->workspace().currentProjectPath.empty());
    EXPECT_FALSE(w->definitionModified());
    EXPECT_EQ(sheetsOpened_, 2);

    // No: the changes are dropped.
    w->setDefinitionModified(true);
    {
        DialogScript script;
        script.Answer(QMessageBox::No);
        w->command(kCmdNew);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_FALSE(w->definitionModified());
    EXPECT_EQ(sheetsOpened_, 3);

    // Unmodified: no question.
    w->command(kCmdNew);
    EXPECT_EQ(sheetsOpened_, 4);
}

TEST_F(MainWindowTest, OpenAsksToSaveChanges) {
    const auto first = Project("first.FWW");
    const auto second = Project("second.FWW");
    auto w = Start(first.u16string());
    ASSERT_TRUE(WaitFor([&] { return sheetsOpened_ == 1; }));
    const std::string before = test::ReadBytes(first);

    w->setDefinitionModified(true);
    {
        DialogScript script;
        script.Answer(QMessageBox::Cancel);
        w->command(kCmdOpen);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_TRUE(w->definitionModified());
    EXPECT_EQ(w->workspace().currentProjectPath, first);

    // No, then the open dialog is cancelled: the definition stays at its defaults, unsaved.
    {
        DialogScript script;
        script.Answer(QMessageBox::No).Cancel("FileDialog");
        w->command(kCmdOpen);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_FALSE(w->definitionModified());
    EXPECT_EQ(sheetsOpened_, 1);
    EXPECT_EQ(w->geometry().topLeft(), QPoint(300, 50));

    // Yes saves the current project first, then the chosen one opens in the editor.
    w->setDefinitionModified(true);
    std::filesystem::remove(first);
    {
        DialogScript script;
        script.Answer(QMessageBox::Yes).Choose(second);
        w->command(kCmdOpen);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(std::filesystem::file_size(first), 20844u);
    EXPECT_EQ(w->workspace().currentProjectPath, second);
    EXPECT_EQ(sheetsOpened_, 2);
}

TEST_F(MainWindowTest, ExitAsksToSaveChanges) {
    auto w = Start();
    QApplication::processEvents();
    w->setDefinitionModified(true);
    {
        DialogScript script;
        script.Answer(QMessageBox::Cancel);
        w->command(kCmdExit);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->definitionModified());

    // Yes with no project name asks for one; the window closes even when that is cancelled.
    {
        DialogScript script;
        script.Answer(QMessageBox::Yes).Cancel("FileDialog");
        w->command(kCmdExit);
        EXPECT_TRUE(script.Done());
    }
    EXPECT_FALSE(w->isVisible());

    auto again = Start();
    QApplication::processEvents();
    again->setDefinitionModified(true);
    {
        DialogScript script;
        script.Answer(QMessageBox::No);
        again->close();
        EXPECT_TRUE(script.Done());
    }
    EXPECT_FALSE(again->isVisible());

    // Nothing changed: the window closes without a question.
    auto clean = Start();
    QApplication::processEvents();
    clean->command(kCmdExit);
    EXPECT_FALSE(clean->isVisible());
}

TEST_F(MainWindowTest, SaveTurnsABaseFormatNameIntoAnExtendedOne) {
    const auto base = projects_ / "old.FWX";
    const std::string baseBytes = test::WriteSampleProject(base);
    ASSERT_EQ(baseBytes.size(), 19267u);
    auto w = Start(base.u16string());
    ASSERT_TRUE(WaitFor([&] { return sheetsOpened_ == 1; }));
    w->setDefinitionModified(true);
    w->command(kCmdSave);
    const auto extended = projects_ / "old.FWW";
    EXPECT_EQ(w->workspace().currentProjectPath, extended);
    EXPECT_EQ(std::filesystem::file_size(extended), 20844u);
    EXPECT_EQ(test::ReadBytes(base), baseBytes);
    EXPECT_FALSE(w->definitionModified());

    // Save As refuses a name that is not a project name and writes nothing.
    w->setDefinitionModified(true);
    DialogScript script;
    script.Choose(projects_ / "notes.txt");
    w->command(kCmdSaveAs);
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(std::filesystem::exists(projects_ / "notes.txt"));
    EXPECT_EQ(w->workspace().currentProjectPath, projects_ / "notes.txt");
    EXPECT_TRUE(w->definitionModified());
}

TEST_F(MainWindowTest, MouseDragsTheWindowAndOpensTheMenu) {
    auto w = Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    ClientWindow* client = w->client();

    // A left press anywhere on the picture moves the whole window with the mouse.
    const QPoint start(120, 400);
    QTest::mousePress(client, Qt::LeftButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(40, 25)),
                     QPointF(w->mapToGlobal(start) + QPoint(40, 25)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(client, &move);
    QTest::mouseRelease(client, Qt::LeftButton, {}, start + QPoint(40, 25));
    EXPECT_EQ(w->pos(), QPoint(340, 75));

    // A right press opens the menu at the cursor.
    const QPoint at(60, 30);
    QTest::mousePress(client, Qt::RightButton, {}, at);
    ASSERT_TRUE(WaitFor([&] { return w->popupMenu()->isVisible(); }));
    EXPECT_EQ(w->popupMenu()->pos(), w->mapToGlobal(at));
    w->popupMenu()->close();
}

TEST_F(MainWindowTest, AcceleratorsRunTheirCommands) {
    auto w = Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->activateWindow();
    int programs = 0;
    w->setCommandHandler(kCmdDownloadProgram, [&](QWidget*) { ++programs; });
    QTest::keyClick(w.get(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(sheetsOpened_, 1);
    QTest::keyClick(w.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(programs, 1);
    QTest::keyClick(w.get(), Qt::Key_N, Qt::ControlModifier);  // New opens the editor
    EXPECT_EQ(sheetsOpened_, 2);
    // The menu names each accelerator after its text's tab.
    for (QAction* a : w->popupMenu()->actions()) {
        if (a->data().toInt() == kCmdNew) {
            EXPECT_EQ(a->text(), "&New\tCtrl+N");
        }
    }
}

TEST_F(MainWindowTest, AlwaysOnTopPlacesTheWindowAboveOthers) {
    Settings s;
    s.alwaysOnTop = 1;
    ASSERT_TRUE(WriteSettings(s, home_));
    auto w = Start();
    QApplication::processEvents();
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->geometry(), QRect(300, 50, 267, 645));
}

}  // namespace
}  // namespace fw
