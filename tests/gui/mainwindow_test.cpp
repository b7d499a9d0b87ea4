// The main window: its start, its shape and mouse, the menu and the project commands with the
// save question, and what a cancelled or refused open leaves of the work, as a user meets them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTranslator>

#include "gui_support.h"
#include "model/codepage.h"
#include "model/settings.h"
#include "shell/clientwindow.h"
#include "shell/terminaloutline.h"

namespace fw {
namespace {

namespace fs = std::filesystem;
using test::DialogScript;
using test::WaitFor;

constexpr std::uintmax_t kExtendedSize = 20844;

class MainWindowTest : public test::WindowTest {
  protected:
    MainWindowTest() { std::filesystem::create_directories(projects_); }

    // Starts with a project to open and waits for the editor it opens.
    std::unique_ptr<MainWindow> StartEditing(const std::u16string& commandLine) {
        const int sheets = sheetsOpened_;
        auto window = Start(commandLine);
        EXPECT_TRUE(WaitFor([&] { return sheetsOpened_ == sheets + 1; }));
        return window;
    }
    std::filesystem::path Project(const std::string& name) {
        test::WriteSampleProject(projects_ / name);
        return projects_ / name;
    }
    // Ctrl and the key, as the user presses it on the window.
    static void Keys(MainWindow& w, Qt::Key key) {
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, key, Qt::ControlModifier);
    }

    std::filesystem::path projects_ = dir_ / "projects";
};

TEST_F(MainWindowTest, StartsAsAFramelessTerminalAt300By50) {
    auto w = Start();
    EXPECT_EQ(w->objectName(), "Formwright");
    EXPECT_EQ(w->windowTitle(), "Новый проект - Formwright");
    EXPECT_EQ(w->geometry(), QRect(300, 50, 267, 645));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(w->mask(), TerminalOutlineRegion());
    ASSERT_NE(w->client(), nullptr);
    EXPECT_EQ(w->client()->geometry(), QRect(0, 0, 267, 645));
    // No project named: a new definition and no editor.
    EXPECT_TRUE(w->workspace().currentProjectPath.empty());
    EXPECT_EQ(sheetsOpened_, 0);
    EXPECT_FALSE(w->definitionModified());
}

// Which project a start opens is the core's to decide (and tested there); here the window
// opens it with the editor, from the settings it reads at start.
TEST_F(MainWindowTest, StartOpensTheLastProjectWhenTheSettingsSaySo) {
    const auto last = Project("last.FWW");
    Settings s;
    s.lastProjectPath = last.u16string();
    s.autoPreloadLast = 1;
    ASSERT_TRUE(WriteSettings(s, home_));
    EXPECT_EQ(StartEditing({})->workspace().currentProjectPath, last);
}

TEST_F(MainWindowTest, RecentFilesFollowOpensAndSaves) {
    auto w = Start();
    const auto a = Project("a.FWW");
    const auto b = Project("b.FWW");
    const auto saved = projects_ / "saved.FWW";
    DialogScript().Choose(a).Run([&] { w->command(kCmdOpen); });
    DialogScript().Choose(b).Run([&] { w->command(kCmdOpen); });
    DialogScript().Choose(saved).Run([&] { w->command(kCmdSaveAs); });
    const std::vector<std::u16string> expected = {saved.u16string(), b.u16string(), a.u16string()};
    EXPECT_EQ(w->workspace().settings.recentFiles, expected);
    EXPECT_EQ(test::ShownMenu(*w), PopupMenuItems(w->workspace().language, expected));

    // A recent entry from the menu opens that project without asking and without the editor.
    w->setDefinitionModified(true);
    const int sheets = sheetsOpened_;
    QAction* third = w->popupMenu()->findChild<QAction*>("3302");
    ASSERT_NE(third, nullptr);
    third->trigger();
    QApplication::processEvents();
    EXPECT_EQ(w->workspace().currentProjectPath, a);
    EXPECT_EQ(w->workspace().settings.recentFiles.front(), a.u16string());
    EXPECT_EQ(sheetsOpened_, sheets);
}

TEST_F(MainWindowTest, NewOpenAndExitAskToSaveChanges) {
    const auto work = projects_ / "work.FWW";
    const auto other = Project("other.FWW");
    const QStringList question = {"Formwright M740|Save current program ?"};
    for (int command : {kCmdNew, kCmdOpen, kCmdExit}) {
        // 0: unchanged, so nothing is asked; there Open's file dialog is cancelled, which
        // leaves the project as it was.
        for (int answer :
             {int(QMessageBox::Cancel), int(QMessageBox::Yes), int(QMessageBox::No), 0}) {
            SCOPED_TRACE(std::to_string(command) + " " + std::to_string(answer));
            test::WriteSampleProject(work);
            auto w = StartEditing(work.u16string());
            std::filesystem::remove(work);
            w->move(10, 10);
            const int sheets = sheetsOpened_;
            w->setDefinitionModified(answer != 0);
            const bool wentOn = answer != QMessageBox::Cancel;
            const bool chosen = command == kCmdOpen && wentOn && answer != 0;
            DialogScript script;
            if (answer != 0) script.Answer(answer);
            if (chosen) script.Choose(other);
            if (command == kCmdOpen && answer == 0) script.Cancel("FileDialog");
            EXPECT_EQ(script.Run([&] { w->command(command); }),
                      answer != 0 ? question : QStringList());
            // Yes saves first; Cancel abandons the command; otherwise it goes on.
            EXPECT_EQ(std::filesystem::exists(work), answer == QMessageBox::Yes);
            EXPECT_EQ(w->isVisible(), command != kCmdExit || !wentOn);
            // Open places the window at its start again.
            EXPECT_EQ(w->pos(), command == kCmdOpen && wentOn ? QPoint(300, 50) : QPoint(10, 10));
            if (command == kCmdExit) continue;
            EXPECT_EQ(w->definitionModified(), !wentOn);
            const bool renewed = command == kCmdNew && wentOn;
            EXPECT_EQ(sheetsOpened_, sheets + (renewed || chosen ? 1 : 0));
            EXPECT_EQ(w->workspace().currentProjectPath,
                      renewed ? std::filesystem::path() : (chosen ? other : work));
        }
    }
}

// Yes asks for the work to be kept: when no name is given for it, the program stays.
TEST_F(MainWindowTest, ExitStaysWhenTheSaveItWasAskedForIsCancelled) {
    auto w = Start();
    w->setDefinitionModified(true);
    DialogScript().Answer(QMessageBox::Yes).Cancel("FileDialog").Run([&] { w->command(kCmdExit); });
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->definitionModified());
}

TEST_F(MainWindowTest, SaveTurnsABaseFormatNameIntoAnExtendedOne) {
    const auto base = projects_ / "old.FWX";
    ASSERT_EQ(test::WriteSampleProject(base).size(), 19267u);
    auto w = StartEditing(base.u16string());
    w->setDefinitionModified(true);
    w->command(kCmdSave);
    const auto extended = projects_ / "old.FWW";
    EXPECT_EQ(w->workspace().currentProjectPath, extended);
    EXPECT_EQ(std::filesystem::file_size(extended), kExtendedSize);
    EXPECT_FALSE(w->definitionModified());

    // Save As refuses a name that is not a project name and writes nothing.
    w->setDefinitionModified(true);
    DialogScript().Choose(projects_ / "notes.txt").Run([&] { w->command(kCmdSaveAs); });
    EXPECT_FALSE(std::filesystem::exists(projects_ / "notes.txt"));
    EXPECT_TRUE(w->definitionModified());
}

TEST_F(MainWindowTest, MouseDragsTheWindowAndOpensTheMenu) {
    auto w = Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    ClientWindow* client = w->client();

    // A left press anywhere on the picture moves the whole window with the mouse.
    const QPoint start(120, 400);
    const QPoint by(40, 25);
    QTest::mousePress(client, Qt::LeftButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(start + by), QPointF(w->mapToGlobal(start) + by),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(client, &move);
    QTest::mouseRelease(client, Qt::LeftButton, {}, start + by);
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
}

// The title and the picture's tooltip say which project is loaded and whether it has
// unsaved changes, after every command and every change of the mark.
TEST_F(MainWindowTest, TitleAndTooltipShowTheProjectAndItsUnsavedChanges) {
    const auto work = Project("work.FWW");
    auto w = StartEditing(work.u16string());
    const QString path = QDir::toNativeSeparators(QString::fromStdU16String(work.u16string()));
    EXPECT_EQ(w->windowTitle(), "work.FWW - Formwright");
    EXPECT_EQ(w->client()->toolTip(), path);

    w->setDefinitionModified(true);
    EXPECT_EQ(w->windowTitle(), "work.FWW* - Formwright");
    EXPECT_EQ(w->client()->toolTip(), path + "\nЕсть несохранённые изменения");
    EXPECT_EQ(w->client()->accessibleName(), "work.FWW* - Formwright");

    w->command(kCmdSave);
    EXPECT_EQ(w->windowTitle(), "work.FWW - Formwright");

    // Save As names the new file; New (its changes dropped) is a new project again.
    const auto copy = projects_ / "copy.FWW";
    w->setDefinitionModified(true);
    DialogScript().Choose(copy).Run([&] { w->command(kCmdSaveAs); });
    EXPECT_EQ(w->windowTitle(), "copy.FWW - Formwright");
    w->setDefinitionModified(true);
    DialogScript().Answer(QMessageBox::No).Run([&] { w->command(kCmdNew); });
    EXPECT_EQ(w->windowTitle(), "Новый проект - Formwright");
    EXPECT_EQ(w->client()->toolTip(), "Новый проект");

    // The sheet an Open shows already has the opened project in the title above it.
    QString titleUnderSheet;
    w->setCommandHandler(kCmdEdit, [&](QWidget*) { titleUnderSheet = w->windowTitle(); });
    DialogScript().Choose(copy).Run([&] { w->command(kCmdOpen); });
    EXPECT_EQ(titleUnderSheet, "copy.FWW - Formwright");

    // A recent file opened from the menu.
    w->popupMenu()->findChild<QAction*>("3300")->trigger();
    ASSERT_TRUE(WaitFor([&] { return w->windowTitle() == "copy.FWW - Formwright"; }));
}

// Shift+F10 and the Menu key open the command menu at the window with its first item active,
// so that the keyboard alone reaches every command.
TEST_F(MainWindowTest, KeyboardOpensTheMenuAtTheWindow) {
    auto w = Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->activateWindow();
    QMenu* menu = w->popupMenu();
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {{Qt::Key_F10, Qt::ShiftModifier},
                                                              {Qt::Key_Menu, Qt::NoModifier}};
    for (const auto& [key, modifiers] : keys) {
        SCOPED_TRACE(key);
        QTest::keyClick(w.get(), key, modifiers);
        ASSERT_TRUE(WaitFor([&] { return menu->isVisible(); }));
        EXPECT_TRUE(w->geometry().contains(menu->pos()));
        ASSERT_NE(menu->activeAction(), nullptr);
        EXPECT_EQ(menu->activeAction()->data().toInt(), kCmdNew);
        menu->close();
        ASSERT_TRUE(WaitFor([&] { return !menu->isVisible(); }));
    }

    // Down and Enter run the second command, Open.
    QTest::keyClick(w.get(), Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(WaitFor([&] { return menu->isVisible(); }));
    DialogScript script;
    script.Cancel("FileDialog").Run([&] {
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
}

// Qt's own buttons speak the language of the rest: Russian with the built-in texts, English
// under the English language file.
TEST_F(MainWindowTest, QtButtonsFollowTheActiveLanguage) {
    auto buttonTexts = [](MainWindow& w) {
        QStringList texts;
        w.setDefinitionModified(true);
        DialogScript()
            .Expect("MessageBox",
                    [&](QWidget* box) {
                        auto* message = qobject_cast<QMessageBox*>(box);
                        for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                            texts << message->button(b)->text().remove(QLatin1Char('&'));
                        message->button(QMessageBox::Cancel)->click();
                    })
            .Run([&] { w.command(kCmdNew); });
        return texts;
    };
    auto w = Start();
    if (QTranslator probe;
        !probe.load("qtbase_ru", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        GTEST_SKIP() << "Qt's Russian translation (qtbase_ru.qm) is not installed";
    EXPECT_EQ(buttonTexts(*w), QStringList({"Да", "Нет", "Отмена"}));

    ASSERT_NO_FATAL_FAILURE(ChooseEnglish());
    auto english = Start();
    EXPECT_EQ(buttonTexts(*english), QStringList({"Yes", "No", "Cancel"}));
}

TEST_F(MainWindowTest, OpenThatIsCancelledOrRefusedLeavesWhatSaveWrites) {
    const std::string text = "Shopping list\r\n- milk\r\n";
    const fs::path notes = projects_ / "notes.txt";
    test::WriteFile(notes, text);
    const fs::path work = Project("work.FWW");
    const std::string original = test::ReadFile(work);
    auto w = StartEditing(work.u16string());
    w->setDefinitionModified(true);

    // The changes are kept for now and the file dialog is cancelled: nothing changes.
    DialogScript().Answer(QMessageBox::No).Cancel("FileDialog").Run([&] { Keys(*w, Qt::Key_O); });
    EXPECT_TRUE(w->definitionModified());
    EXPECT_EQ(w->workspace().currentProjectPath, work);

    // A text file is refused, and neither opens the editor nor becomes what Save writes.
    EXPECT_EQ(DialogScript().Answer(QMessageBox::No).Choose(notes).Answer(QMessageBox::Ok).Run([&] {
        Keys(*w, Qt::Key_O);
    }),
              QStringList({"Formwright M740|Save current program ?", "Error|Format mismatch !!!"}));
    EXPECT_TRUE(w->definitionModified());
    EXPECT_EQ(w->workspace().currentProjectPath, work);
    EXPECT_EQ(sheetsOpened_, 1);

    Keys(*w, Qt::Key_S);
    EXPECT_FALSE(w->definitionModified());
    EXPECT_EQ(test::ReadFile(work), original);
    EXPECT_EQ(test::ReadFile(notes), text);
}

TEST_F(MainWindowTest, ARecentEntryWhoseFileHasGoneIsNamedAndTakenOffTheList) {
    const fs::path kept = Project("kept.FWW");
    const fs::path gone = Project("gone.FWW");
    auto w = StartEditing(kept.u16string());
    // Both on the list, the gone one first.
    DialogScript().Choose(gone).Run([&] { Keys(*w, Qt::Key_O); });
    DialogScript().Choose(kept).Run([&] { Keys(*w, Qt::Key_O); });
    fs::remove(gone);
    ASSERT_EQ(w->workspace().settings.recentFiles,
              (std::vector<std::u16string>{kept.u16string(), gone.u16string()}));

    QAction* entry = w->popupMenu()->findChild<QAction*>("3301");
    ASSERT_NE(entry, nullptr);
    const QStringList shown = DialogScript().Answer(QMessageBox::Ok).Run([&] { entry->trigger(); });
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(QString::fromStdU16String(gone.u16string())))
        << shown[0].toStdString();

    // What the window shows: the entry is gone from the menu.
    EXPECT_EQ(w->workspace().currentProjectPath, kept);
    EXPECT_EQ(w->popupMenu()->findChild<QAction*>("3301"), nullptr);
}

TEST_F(MainWindowTest, AProjectNamedWithCharactersOutsideTheOldCodePageReopensAtStart) {
    if (!kSettingsPathsInUtf8) GTEST_SKIP() << "paths keep the Windows code page here";
    const fs::path cafe = Project("Café.FWW");
    auto w = Start();
    DialogScript().Choose(cafe).Run([&] { w->command(kCmdOpen); });
    ASSERT_EQ(w->workspace().currentProjectPath, cafe);
    Settings s = w->workspace().settings;
    s.autoPreloadLast = 1;
    ASSERT_TRUE(WriteSettings(s, home_));
    w.reset();

    sheetsOpened_ = 0;
    DialogScript noMessages;  // a message would be a failure, and is closed
    w = Start();
    EXPECT_TRUE(WaitFor([&] { return sheetsOpened_ == 1; }));
    EXPECT_EQ(w->workspace().currentProjectPath, cafe);
    EXPECT_EQ(w->workspace().settings.recentFiles.front(), cafe.u16string());
    QAction* first = w->popupMenu()->findChild<QAction*>("3300");
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->text().endsWith(QStringLiteral("/Café.FWW"))) << first->text().toStdString();
}

TEST_F(MainWindowTest, WhatIsNotAProjectFileIsRefusedAtStartWithoutTheEditor) {
    fs::create_directories(projects_ / "folder.FWW");
    const fs::path fifo = projects_ / "pipe.FWW";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const fs::path& bad :
         {projects_ / "missing.FWW", projects_ / "folder.FWW", fifo, fs::path("/dev/null")}) {
        SCOPED_TRACE(bad.string());
        std::unique_ptr<MainWindow> w;
        EXPECT_EQ(DialogScript().Answer(QMessageBox::Ok).Answer(QMessageBox::Ok).Run([&] {
            w = Start(bad.u16string());
        }),
                  QStringList({"|Ошибка загрузки из файла задачи",
                               "|" + QString::fromStdU16String(bad.u16string())}));
        EXPECT_TRUE(w->workspace().currentProjectPath.empty());
        EXPECT_EQ(sheetsOpened_, 0);
    }
}

}  // namespace
}  // namespace fw
