// What the widget tests share: the application object on the offscreen platform, a script that
// answers the modal windows a command opens, and folders with sample projects.
#pragma once

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/commands.h"
#include "shell/mainwindow.h"
#include "support/temp_folder.h"

namespace fw::test {

// Answers modal windows in the order they are expected. Each step waits for the active modal
// window with the given object name and acts on it. A step that waits longer than 20 s fails
// the test and closes whatever modal window is open, and so does a modal window that comes
// when no step is left, so that a broken command cannot hang the test program.
class DialogScript {
  public:
    using Action = std::function<void(QWidget*)>;

    DialogScript();

    DialogScript& Expect(const QString& objectName, Action action);
    // A message box: records its caption and text, then presses the standard button.
    DialogScript& Answer(int standardButton);
    // A file dialog: chooses the path.
    DialogScript& Choose(const std::filesystem::path& path);
    DialogScript& Cancel(const QString& objectName);

    // Runs what opens the windows (a command), fails the test unless every step came, and
    // returns "caption|text" of every message box answered, in order.
    QStringList Run(const std::function<void()>& opener);
    bool Done() const { return steps_.empty(); }

  private:
    struct Step {
        QString objectName;
        Action action;
    };
    void Poll();

    std::deque<Step> steps_;
    QStringList messages_;
    QList<QPointer<QWidget>> handled_;  // the windows already answered
    QTimer timer_;
    QElapsedTimer sinceLastStep_;
};

// Processes events until the condition holds or the time is up; returns the condition.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 10000);

// A program folder of its own, and main windows started on it as the executable starts them.
// The definition editor does not open; the test counts how often it would have.
class WindowTest : public ::testing::Test {
  protected:
    WindowTest() { std::filesystem::create_directories(home_); }
    std::unique_ptr<MainWindow> Start(const std::u16string& commandLine = {});
    // Puts the English sample language file beside the program and chooses it in the settings.
    void ChooseEnglish();
    // The window on a sample project written to path, with Edit wired to the real definition
    // sheet; the open at start has counted its one sheet.
    std::unique_ptr<MainWindow> StartWithSheet(const std::filesystem::path& project);
    static void PressCtrlE(MainWindow& w);

    TempFolder dir_;
    std::filesystem::path home_ = dir_ / "program";
    int sheetsOpened_ = 0;
};

// A started window whose downloads and uploads both go over Wi-Fi to a free port, and the
// virtual terminal that connects to that port; a terminal still running at the end is killed.
class WifiWindowTest : public WindowTest {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the terminal with these options besides its address.
    void StartTerminal(const QStringList& options);

    quint16 port_ = 0;
    std::unique_ptr<MainWindow> window_;
    QProcess sim_;
};

// The popup menu as the window shows it.
std::vector<MenuItem> ShownMenu(const MainWindow& window);

// Writes a project file of a new definition (base or extended by the name's last letter) with
// a prompt of its own on form 1, so that an empty definition written over it is told apart.
std::string WriteSampleProject(const std::filesystem::path& path);

}  // namespace fw::test
