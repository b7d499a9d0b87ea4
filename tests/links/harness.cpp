#include "harness.h"

#include <QTcpServer>

#include <fstream>
#include <random>
#include <sstream>

#include "comm/links/linkopener.h"
#include "model/messages.h"

namespace fw::test {

std::uint16_t FreePort() {
    EnsureQtApplication();
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

SimProcess::SimProcess(const QStringList& args) {
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

SimProcess::~SimProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool SimProcess::Finish(int ms) {
    // The links' event loops may already have seen it end.
    const bool ended = process_.state() == QProcess::NotRunning || process_.waitForFinished(ms);
    if (!ended) {
        process_.kill();
        process_.waitForFinished(5000);
    }
    output_ += process_.readAllStandardOutput().toStdString();
    const bool ok =
        ended && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    if (!ok)
        output_ += "\n(the simulator " +
                   std::string(!ended ? "had to be stopped"
                               : process_.exitStatus() == QProcess::CrashExit
                                   ? "crashed"
                                   : "exited with " + std::to_string(process_.exitCode())) +
                   ")";
    return ok;
}

void SimProcess::Kill() {
    process_.kill();
    process_.waitForFinished(5000);
}

std::string SimProcess::Output() {
    output_ += process_.readAllStandardOutput().toStdString();
    return output_;
}

int RecordingUi::Show(const MessageRequest& request) {
    shown.push_back({request.caption, request.text});
    if (request.buttons == MessageButtons::YesNo ||
        request.buttons == MessageButtons::YesNoCancel) {
        if (answers.empty()) return kIdNo;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return kIdOk;
}

bool RecordingUi::ChooseFile(const FileDialogRequest&, std::filesystem::path& chosen) {
    if (files.empty()) return false;
    chosen = files.front();
    files.pop_front();
    return true;
}

std::vector<std::string> RecordingUi::Texts() const {
    std::vector<std::string> texts;
    for (const Shown& s : shown)
        texts.push_back(Utf8(s.text));
    return texts;
}

void RecordingWaiter::Open(std::u16string_view title, std::u16string_view text,
                           std::u16string_view cancelButton, std::function<void()> cancel) {
    texts = {std::u16string(title), std::u16string(text), std::u16string(cancelButton)};
    cancel_ = std::move(cancel);
}

void RecordingWaiter::SetText(std::u16string_view text) {
    texts.emplace_back(text);
    if (cancelAfterTicks > 0 && static_cast<int>(texts.size()) - 3 == cancelAfterTicks) cancel_();
}

std::unique_ptr<Workspace> MakeWorkspace(const std::filesystem::path& programDirectory) {
    auto ws = std::make_unique<Workspace>();
    StartWorkspace(*ws, programDirectory);
    return ws;
}

std::string Utf8(std::u16string_view text) {
    return QString::fromStdU16String(std::u16string(text)).toStdString();
}

}  // namespace fw::test
