// What the end-to-end link tests share: m740-sim as a child process, a transfer UI that records
// what the person at the PC would have seen, and a workspace in a folder of its own.
#pragma once

#include <QProcess>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "comm/links/connectionwaiter.h"
#include "comm/transferui.h"
#include "model/workspace.h"
#include "support/temp_folder.h"

namespace fw::test {

// A fresh empty folder under the system's temporary folder, removed again by the destructor.

// A TCP port on 127.0.0.1 that nothing listens on right now.
std::uint16_t FreePort();

class SimProcess {
  public:
    // Starts m740-sim with the arguments; with --pty, waits until it named its device.
    explicit SimProcess(const QStringList& args);
    ~SimProcess();

    bool Started() const { return started_; }
    const std::string& PtyName() const { return ptyName_; }
    // Waits for the simulator to end by itself; false when it had to be stopped.
    bool Finish(int ms = 15000);
    // Ends it at once, as a terminal switched off in the middle of a transfer.
    void Kill();
    // Everything it printed on stdout.
    std::string Output();

  private:
    QProcess process_;
    bool started_ = false;
    std::string ptyName_;
    std::string output_;
};

struct Shown {
    std::u16string caption;
    std::u16string text;
};

class RecordingUi final : public TransferUi {
  public:
    int Show(const MessageRequest& request) override;
    bool ChooseFile(const FileDialogRequest& request, std::filesystem::path& chosen) override;
    void OpenProgress(std::u16string_view, std::u16string_view) override { ++progressOpened; }
    void SetProgress(int value) override { lastProgress = value; }
    void CloseProgress() override {}
    void OpenForViewing(const std::filesystem::path& file) override { viewed.push_back(file); }

    std::deque<int> answers;  // buttons for questions in order; then "No"
    std::deque<std::filesystem::path> files;
    std::vector<Shown> shown;
    std::vector<std::filesystem::path> viewed;
    int progressOpened = 0;
    int lastProgress = -1;

    // The texts shown, in order, as UTF-8 for readable failures.
    std::vector<std::string> Texts() const;
};

// Records the waiting step and cancels it after cancelAfterTicks dot updates (0: never).
class RecordingWaiter final : public ConnectionWaiter {
  public:
    void Open(std::u16string_view title, std::u16string_view text, std::u16string_view cancelButton,
              std::function<void()> cancel) override;
    void SetText(std::u16string_view text) override;
    void Close() override { ++closed; }

    int cancelAfterTicks = 0;
    std::vector<std::u16string> texts;  // title, text, button, then every update
    int closed = 0;

  private:
    std::function<void()> cancel_;
};

// A workspace started in its own folder (no settings file, built-in language).
std::unique_ptr<Workspace> MakeWorkspace(const std::filesystem::path& programDirectory);

std::string Utf8(std::u16string_view text);

}  // namespace fw::test
