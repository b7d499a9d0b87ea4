// What the end-to-end link tests share: m740-sim as a child process, a transfer UI that records
// what the person at the PC would have seen, and a workspace in a folder of its own.
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTcpServer>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "comm/link.h"
#include "comm/links/connectionwaiter.h"
#include "comm/links/linkopener.h"
#include "comm/transferui.h"
#include "model/workspace.h"
#include "support/temp_folder.h"

namespace fw::test {

inline QString Q(const char* text) {
    return QString::fromUtf8(text);
}
inline QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
inline QString Q(const std::filesystem::path& path) {
    return Q(path.string());
}
inline QString Q(const QString& text) {
    return text;
}
inline QString Q(int number) {
    return QString::number(number);
}
template <typename... T>
QStringList Args(const T&... parts) {
    return {Q(parts)...};
}

inline std::string Utf8(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text)).toStdString();
}

inline bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// A TCP port on 127.0.0.1 that nothing listens on right now.
inline std::uint16_t FreePort() {
    EnsureQtApplication();
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

inline std::string TcpAddress(std::uint16_t port) {
    return "127.0.0.1:" + std::to_string(port);
}

class SimProcess {
  public:
    // Starts m740-sim with the arguments; with --pty, waits until it named its device.
    explicit SimProcess(const QStringList& args) {
        EnsureQtApplication();
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(FW_SIM_PATH), args);
        started_ = process_.waitForStarted(10000);
        if (!started_ || !args.contains(QStringLiteral("--pty"))) return;
        const std::string marker = "pseudo-terminal ";
        while (process_.waitForReadyRead(10000)) {
            output_ += process_.readAll().toStdString();
            const std::size_t at = output_.find(marker);
            const std::size_t end = output_.find('\n', at);
            if (at != std::string::npos && end != std::string::npos) {
                ptyName_ = output_.substr(at + marker.size(), end - at - marker.size());
                return;
            }
        }
        started_ = false;
    }
    ~SimProcess() { Kill(); }

    bool Started() const { return started_; }
    const std::string& PtyName() const { return ptyName_; }
    // Waits for the simulator to end by itself; false when it failed or had to be stopped.
    bool Finish(int ms = 15000) {
        // The links' event loops may already have seen it end.
        const bool ended = process_.state() == QProcess::NotRunning || process_.waitForFinished(ms);
        if (!ended) Kill();
        const bool ok =
            ended && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
        if (!ok)
            output_ +=
                ended ? "\n(the simulator exited with " + std::to_string(process_.exitCode()) + ")"
                      : "\n(the simulator had to be stopped)";
        return ok;
    }
    // Ends it at once, as a terminal switched off in the middle of a transfer.
    void Kill() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.kill();
        process_.waitForFinished(5000);
    }
    // Everything it printed on stdout.
    std::string Output() { return output_ += process_.readAllStandardOutput().toStdString(); }

  private:
    QProcess process_;
    bool started_ = false;
    std::string ptyName_;
    std::string output_;
};

// Messages are kept as "caption: text" in UTF-8, for readable failures.
class RecordingUi final : public TransferUi {
  public:
    int Show(const MessageRequest& r) override {
        shown.push_back(Utf8(r.caption) + ": " + Utf8(r.text));
        if (r.buttons != MessageButtons::YesNo) return kIdOk;
        if (answers.empty()) return kIdNo;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool ChooseFile(const FileDialogRequest&, std::filesystem::path& chosen) override {
        if (files.empty()) return false;
        chosen = files.front();
        files.pop_front();
        return true;
    }
    void OpenProgress(std::u16string_view, std::u16string_view) override {}
    void SetProgress(int value) override { lastProgress = value; }
    void CloseProgress() override {}
    void OpenForViewing(const std::filesystem::path&) override {}

    std::deque<int> answers;  // buttons for questions in order; then "No"
    std::deque<std::filesystem::path> files;
    std::vector<std::string> shown;
    int lastProgress = -1;
};

// Records the waiting step and cancels it after cancelAfterTicks dot updates (0: never).
class RecordingWaiter final : public ConnectionWaiter {
  public:
    void Open(std::u16string_view title, std::u16string_view text, std::u16string_view cancelButton,
              std::function<void()> cancel) override {
        texts = {std::u16string(title), std::u16string(text), std::u16string(cancelButton)};
        cancel_ = std::move(cancel);
    }
    void SetText(std::u16string_view text) override {
        texts.emplace_back(text);
        if (cancelAfterTicks > 0 && int(texts.size()) - 3 == cancelAfterTicks) cancel_();
    }
    void Close() override { ++closed; }

    int cancelAfterTicks = 0;
    std::vector<std::u16string> texts;  // title, text, button, then every update
    int closed = 0;

  private:
    std::function<void()> cancel_;
};

// A workspace started in its own folder (no settings file, built-in language).
inline std::unique_ptr<Workspace> MakeWorkspace(const std::filesystem::path& programDirectory) {
    auto ws = std::make_unique<Workspace>();
    StartWorkspace(*ws, programDirectory);
    return ws;
}

inline bool SendText(Link& link, std::string_view text) {
    return link.Send({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}).ok;
}

// What one receive of at most max bytes brought, or "(time-out)" or "(failed)".
inline std::string ReceiveText(Link& link, std::uint32_t timeoutMs, std::size_t max = 16) {
    std::vector<std::uint8_t> buffer(max);
    const ReceiveResult got = link.Receive(buffer, timeoutMs);
    if (got.status == ReceiveStatus::kTimeout) return "(time-out)";
    if (got.status == ReceiveStatus::kFailed) return "(failed)";
    return {buffer.begin(), buffer.begin() + static_cast<long>(got.count)};
}

}  // namespace fw::test
