// Any bytes from the wire, cut into pieces that arrive at any time, to the record receiver.
// It never crashes, never waits past its deadlines, answers only "READ\r", "ACK\r" or "NAK\r",
// and writes nothing but whole records, each its data and CR LF.
//
// Input: one byte of settings (bit 0 serial link, bits 1-2 uploadLinkType, bits 3-4
// extraTimeout, bit 5 the terminal answers the first "READ\r" with "ACK\r" by itself), then
// pieces. A piece's header byte: bits 0-4 its length (31: the next byte is the length, 30: the
// terminal disconnects), bits 5-6 its delay (0, 50, 600 or 4000 ms), bit 7 starts the reply to
// the PC's next send (else the piece follows the previous one in the same reply).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "comm/answer.h"
#include "comm/clock.h"
#include "comm/link.h"
#include "comm/transfer.h"
#include "comm/transferui.h"
#include "comm/upload.h"
#include "model/workspace.h"

namespace {

class FuzzClock final : public fw::Clock {
  public:
    std::uint64_t NowMs() override { return us / 1000; }
    std::uint64_t NowUs() override { return us; }
    void SleepMs(std::uint32_t ms) override { us += std::uint64_t{ms} * 1000; }
    std::uint64_t us = 0;
};

struct Piece {
    std::string bytes;
    std::uint32_t delayMs = 0;
    bool disconnect = false;
};
using Reply = std::vector<Piece>;

class FuzzLink final : public fw::Link {
  public:
    FuzzLink(FuzzClock& clock, bool serial) : clock_(clock), serial_(serial) {}

    fw::SendResult Send(std::span<const std::uint8_t> bytes) override {
        sent.emplace_back(bytes.begin(), bytes.end());
        if (broken_) return {false, 0};
        if (!replies.empty()) {
            std::uint64_t at = clock_.NowMs();
            for (const Piece& p : replies.front()) {
                at += p.delayMs;
                incoming_.push_back({p.bytes, at, p.disconnect});
            }
            replies.pop_front();
        }
        return {true, bytes.size()};
    }

    fw::ReceiveResult Receive(std::span<std::uint8_t> buffer, std::uint32_t timeoutMs) override {
        // A receive loop that the clock does not bound is a fault of the receiver.
        if (++receives > 1'000'000) std::abort();
        if (broken_) return {fw::ReceiveStatus::kFailed, 0};
        const std::uint64_t now = clock_.NowMs();
        if (incoming_.empty() || incoming_.front().atMs > now + timeoutMs) {
            clock_.us += std::uint64_t{timeoutMs} * 1000;
            return {fw::ReceiveStatus::kTimeout, 0};
        }
        Arrival& next = incoming_.front();
        if (next.atMs > now) clock_.us = next.atMs * 1000;
        if (next.disconnect) {
            broken_ = true;
            return {fw::ReceiveStatus::kFailed, 0};
        }
        const std::size_t n = std::min(buffer.size(), next.bytes.size());
        std::copy_n(next.bytes.begin(), n, buffer.begin());
        received += next.bytes.substr(0, n);
        next.bytes.erase(0, n);
        if (next.bytes.empty()) incoming_.pop_front();
        return {fw::ReceiveStatus::kOk, n};
    }

    void PurgeInput() override {
        const std::uint64_t now = clock_.NowMs();
        while (!incoming_.empty() && incoming_.front().atMs <= now && !incoming_.front().disconnect)
            incoming_.pop_front();
    }
    bool IsSerial() const override { return serial_; }
    void Close(bool) override {}

    std::deque<Reply> replies;
    std::vector<std::string> sent;
    std::string received;
    std::uint64_t receives = 0;

  private:
    struct Arrival {
        std::string bytes;
        std::uint64_t atMs;
        bool disconnect;
    };
    FuzzClock& clock_;
    bool serial_;
    bool broken_ = false;
    std::deque<Arrival> incoming_;
};

class QuietUi final : public fw::TransferUi {
  public:
    int Show(const fw::MessageRequest&) override { return fw::kIdNo; }
    bool ChooseFile(const fw::FileDialogRequest&, std::filesystem::path&) override { return false; }
    void OpenProgress(std::u16string_view, std::u16string_view) override {}
    void SetProgress(int) override {}
    void CloseProgress() override {}
    void OpenForViewing(const std::filesystem::path&) override {}
};

std::deque<Reply> DecodeReplies(const std::uint8_t* data, std::size_t size, bool ackFirst) {
    static constexpr std::uint32_t kDelays[] = {0, 50, 600, 4000};
    std::deque<Reply> replies;
    replies.emplace_back();
    if (ackFirst) replies.back().push_back({"ACK\r", 0, false});
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t h = data[i++];
        Piece piece;
        piece.delayMs = kDelays[(h >> 5) & 3];
        std::size_t length = h & 0x1F;
        if (length == 30) {
            piece.disconnect = true;
            length = 0;
        } else if (length == 31) {
            length = i < size ? data[i++] : 0;
        }
        length = std::min(length, size - i);
        piece.bytes.assign(reinterpret_cast<const char*>(data + i), length);
        i += length;
        if ((h & 0x80) != 0 && !replies.back().empty()) replies.emplace_back();
        replies.back().push_back(std::move(piece));
    }
    return replies;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static fw::Workspace* ws = new fw::Workspace();  // the definition is large; build it once
    if (size == 0) return 0;
    const std::uint8_t flags = data[0];
    ws->settings = fw::Settings{};
    ws->settings.uploadLinkType = static_cast<std::uint8_t>((flags >> 1) & 3);
    ws->settings.extraTimeout = (flags >> 3) & 3;

    FuzzClock clock;
    FuzzLink link(clock, (flags & 1) != 0);
    link.replies = DecodeReplies(data + 1, size - 1, (flags & 0x20) != 0);
    QuietUi ui;
    fw::TransferSession session(*ws, ui, clock, link);
    std::ostringstream out;

    const int result = fw::ReceiveRecords(session, out);
    const std::string written = out.str();

    if (result < -1) std::abort();
    // Only whole records: data without CR, then CR LF; never more than the wire carried.
    std::size_t records = 0;
    std::size_t lineStart = 0;
    for (std::size_t k = 0; k < written.size(); ++k) {
        if (written[k] != '\r') continue;
        if (k + 1 >= written.size() || written[k + 1] != '\n') std::abort();
        if (k - lineStart > fw::kRecordMax - 4) std::abort();
        ++records;
        lineStart = k + 2;
    }
    if (lineStart != written.size()) std::abort();
    if (result >= 0 && records != static_cast<std::size_t>(result)) std::abort();
    if (records >
        static_cast<std::size_t>(std::count(link.received.begin(), link.received.end(), '\r')))
        std::abort();

    // Only the protocol's words, "READ\r" only in the handshake.
    std::size_t reads = 0;
    for (const std::string& s : link.sent) {
        if (s == "READ\r") {
            if (++reads > 3 || reads != static_cast<std::size_t>(&s - &link.sent[0]) + 1)
                std::abort();
        } else if (s != "ACK\r" && s != "NAK\r") {
            std::abort();
        }
    }
    // Every wait within its deadline: the handshake's three answers, then for each attempt
    // the record deadline and the receive that crosses it, and a 1 ms pause after each answer.
    const std::uint64_t answers = link.sent.size() - reads;
    const std::uint64_t attempt = fw::RecordDeadlineMs(ws->settings) + fw::kRecordReceiveTimeoutMs;
    const std::uint64_t bound =
        3ull * fw::AnswerDeadlineMs(ws->settings) + (answers + 1) * attempt + answers;
    if (clock.us > bound * 1000) std::abort();
    return 0;
}
