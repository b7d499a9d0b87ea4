// What the project commands leave of the user's work when an open is cancelled or refused,
// as a user meets it: the keys, the file dialog, the messages and the files on disk.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTest>

#include "gui_support.h"
#include "model/codepage.h"
#include "model/projectfile.h"
#include "model/settings.h"

namespace fw {
namespace {

namespace fs = std::filesystem;
using test::DialogScript;
using test::WaitFor;

class ProjectSafetyTest : public test::WindowTest {
  protected:
    ProjectSafetyTest() { fs::create_directories(projects_); }

    // A project with a prompt of its own, so that an empty definition is told apart.
    fs::path Project(const std::string& name) {
        Workspace ws;
        StartWorkspace(ws, dir_ / "nowhere");
        StoreCellText(Form(ws.definition, 0).LinePrompt(0), u"Barcode:");
        Form(ws.definition, 0).LineType(0) = kLineText;
        ws.currentProjectPath = projects_ / name;
        EXPECT_EQ(WriteProjectFile(ws), 1);
        return ws.currentProjectPath;
    }
    std::unique_ptr<MainWindow> StartEditing(const fs::path& project) {
        auto w = Start(project.u16string());
        EXPECT_TRUE(WaitFor([&] { return sheetsOpened_ == 1; }));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        w->activateWindow();
        return w;
    }
    // Ctrl and the key, as the user presses it on the window.
    static void Keys(MainWindow& w, Qt::Key key) {
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, key, Qt::ControlModifier);
    }

    fs::path projects_ = dir_ / "projects";
};

TEST_F(ProjectSafetyTest, OpenThatIsCancelledOrRefusedLeavesWhatSaveWrites) {
    const std::string text = "Shopping list\r\n- milk\r\n";
    const fs::path notes = projects_ / "notes.txt";
    test::WriteFile(notes, text);
    const fs::path work = Project("work.FWW");
    const std::string original = test::ReadFile(work);
    auto w = StartEditing(work);
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

TEST_F(ProjectSafetyTest, ARecentEntryWhoseFileHasGoneIsNamedAndTakenOffTheList) {
    const fs::path kept = Project("kept.FWW");
    const fs::path gone = Project("gone.FWW");
    auto w = StartEditing(kept);
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

TEST_F(ProjectSafetyTest, AProjectNamedWithCharactersOutsideTheOldCodePageReopensAtStart) {
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

TEST_F(ProjectSafetyTest, WhatIsNotAProjectFileIsRefusedAtStartWithoutTheEditor) {
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
