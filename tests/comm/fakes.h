// A clock that only moves when asked, a link that plays a script of terminal answers against
// it, and a transfer UI that records what the user would have seen.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "comm/clock.h"
#include "comm/link.h"
#include "comm/transferui.h"

namespace fw::test {

class FakeClock final : public Clock {
  public:
    std::uint64_t NowMs() override { return us_ / 1000; }
    std::uint64_t NowUs() override { return us_; }
    void SleepMs(std::uint32_t ms) override {
        sleptMs += ms;
        Advance(ms);
    }
    void Advance(std::uint64_t ms) { us_ += ms * 1000; }
    void AdvanceUs(std::uint64_t us) { us_ += us; }

    std::uint64_t sleptMs = 0;

  private:
    std::uint64_t us_ = 1'000'000'000;  // far from zero, so no deadline arithmetic underflows
};

// Bytes the terminal sends, delayMs after the previous piece of the same reply (the first one
// after the PC's send). A disconnect piece breaks the link when it is reached.
struct Piece {
    std::string bytes;
    std::uint32_t delayMs = 0;
    bool disconnect = false;
};
using Reply = std::vector<Piece>;

// Each Send takes the next scripted reply (none left: the terminal stays silent). A piece is
// delivered whole by one Receive when it fits, else in buffer-sized parts.
class ScriptedLink final : public Link {
  public:
    ScriptedLink(FakeClock& clock, bool serial) : clock_(clock), serial_(serial) {}

    SendResult Send(std::span<const std::uint8_t> bytes) override;
    ReceiveResult Receive(std::span<std::uint8_t> buffer, std::uint32_t timeoutMs) override;
    void PurgeInput() override;
    bool IsSerial() const override { return serial_; }
    void Close(bool purgeInput) override {
        ++closes;
        closedWithPurge = purgeInput;
    }

    // Bytes that arrive without being asked for (before the first send).
    void Queue(const Reply& reply);

    std::deque<Reply> replies;
    std::vector<std::string> sent;
    std::vector<std::uint32_t> receiveTimeouts;
    std::uint64_t sendCostUs = 0;             // how long each send takes
    std::optional<std::size_t> failSendFrom;  // sends from this index on fail
    bool shortSends = false;                  // every send puts out one byte less than asked
    int purges = 0;
    int closes = 0;
    bool closedWithPurge = false;

  private:
    struct Arrival {
        std::string bytes;
        std::uint64_t atMs;
        bool disconnect;
    };
    void Schedule(const Reply& reply);

    FakeClock& clock_;
    bool serial_;
    bool broken_ = false;
    std::deque<Arrival> incoming_;
};

class ScriptedOpener final : public LinkOpener {
  public:
    // Each OpenLink hands out the next link; none left fails the open. The scripted links stay
    // here, so a test can look at them after the run dropped its handle.
    std::unique_ptr<Link> OpenLink(LinkDirection direction) override;

    std::deque<std::unique_ptr<ScriptedLink>> links;
    std::vector<std::unique_ptr<ScriptedLink>> used;
    std::vector<LinkDirection> opened;
};

struct ShownMessage {
    std::u16string caption;
    std::u16string text;
    MessageIcon icon;
    MessageButtons buttons;
};

class ScriptedUi final : public TransferUi {
  public:
    int Show(const MessageRequest& request) override;
    bool ChooseFile(const FileDialogRequest& request, std::filesystem::path& chosen) override;
    void OpenProgress(std::u16string_view title, std::u16string_view text) override;
    void SetProgress(int value) override { progress.push_back(value); }
    void CloseProgress() override {
        if (progressOpen) ++progressClosed;
        progressOpen = false;
    }
    void OpenForViewing(const std::filesystem::path& file) override { viewed.push_back(file); }

    // Buttons pressed for questions, in order; when none is left a question gets "No".
    std::deque<int> answers;
    // Files chosen, in order; when none is left the dialog is cancelled.
    std::deque<std::filesystem::path> files;

    std::vector<ShownMessage> messages;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<int> progress;
    std::u16string progressTitle, progressText;
    bool progressOpen = false;
    int progressOpened = 0;
    int progressClosed = 0;
    std::vector<std::filesystem::path> viewed;
};

// Helpers for writing scripts.
std::string Bytes(std::initializer_list<int> values);
Reply Answer(std::string bytes, std::uint32_t delayMs = 0);

}  // namespace fw::test
