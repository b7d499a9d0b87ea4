// Cancel in every phase of the download, the lookup download and the upload: the run ends at
// the wait that is running (or before the next one), closes the link, asks nothing and says
// nothing, and leaves no received file.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>

#include "comm/download.h"
#include "comm/upload.h"
#include "fakes.h"

namespace fw {

// Outcomes by name in a failure's message (internal: other test files may print them too).
static void PrintTo(TransferEnd end, std::ostream* os) {
    constexpr const char* kNames[] = {"completed", "retry declined", "cancelled", "failed"};
    *os << kNames[static_cast<int>(end)];
}

namespace test {
namespace {

struct CancelRig;

// A scripted link whose person presses Cancel at a moment of the fake clock. As the real links
// do, a wait that runs across that moment ends there, and a link that watches the request
// refuses every later operation at once. One that does not watch it (watches = false) leaves
// the flows to see the request on their own.
class PressableLink final : public Link {
  public:
    PressableLink(CancelRig& rig, LinkScript& script);

    SendResult Send(std::span<const std::uint8_t> bytes) override;
    ReceiveResult Receive(std::span<std::uint8_t> buffer, std::uint32_t timeoutMs) override;
    void PurgeInput() override { inner_.PurgeInput(); }
    bool IsSerial() const override { return inner_.IsSerial(); }
    void Close(bool purgeInput) override { inner_.Close(purgeInput); }

  private:
    CancelRig& rig_;
    LinkScript& script_;
    ScriptedLink inner_;
};

struct CancelRig : Rig {
    // The person presses Cancel: the request, and what had gone out by then.
    void Press() {
        if (pressedAtMs) return;
        pressedAtMs = clock.NowMs();
        sentAtPress = link->sent.size();
        Cancel().Request();
    }

    std::unique_ptr<Link> OpenLink(LinkDirection direction) override {
        opened.push_back(direction);
        if (pressOnOpen) {
            Press();  // "Отмена" while waiting for a Wi-Fi terminal
            return nullptr;
        }
        if (next >= links.size()) return nullptr;
        return std::make_unique<PressableLink>(*this, links[next++]);
    }
    void SetProgress(int value) override {
        Rig::SetProgress(value);
        if (pressAtProgress && value >= *pressAtProgress) Press();
    }
    int Show(const MessageRequest& r) override {
        progressOpenAtAMessage = progressOpenAtAMessage || progressOpen;
        const int answer = Rig::Show(r);
        if (pressOnQuestion && r.buttons == MessageButtons::YesNo) Press();
        return answer;
    }

    // When the person presses Cancel: delayMs after the PC's send number afterSends (1-based),
    // in the middle of the wait for its answer; or when the bar reaches a value; or while a
    // question is asked; or while the link is being opened.
    std::optional<std::size_t> afterSends;
    std::uint32_t delayMs = 0;
    std::optional<int> pressAtProgress;
    bool pressOnQuestion = false;
    bool pressOnOpen = false;
    bool watches = true;

    std::optional<std::uint64_t> pressAtMs;  // set once the send is made
    std::optional<std::uint64_t> pressedAtMs;
    std::size_t sentAtPress = 0;
    bool progressOpenAtAMessage = false;  // a message behind the progress window
};

PressableLink::PressableLink(CancelRig& rig, LinkScript& script)
    : rig_(rig), script_(script), inner_(rig.clock, script) {}

SendResult PressableLink::Send(std::span<const std::uint8_t> bytes) {
    if (rig_.watches && rig_.Cancel().Requested()) return {false, 0, true};
    const SendResult result = inner_.Send(bytes);
    if (rig_.afterSends && script_.sent.size() == *rig_.afterSends)
        rig_.pressAtMs = rig_.clock.NowMs() + rig_.delayMs;
    return result;
}

ReceiveResult PressableLink::Receive(std::span<std::uint8_t> buffer, std::uint32_t timeoutMs) {
    // A flow that reads on after kCancelled would spin: the link does not wait any more.
    if (++script_.receives > 100000) throw std::runtime_error("receives go on after the cancel");
    if (rig_.watches && rig_.Cancel().Requested()) return {ReceiveStatus::kCancelled, 0};
    const std::uint64_t now = rig_.clock.NowMs();
    if (rig_.pressAtMs && !rig_.pressedAtMs && now + timeoutMs >= *rig_.pressAtMs) {
        const bool bytesFirst =
            !script_.incoming.empty() && script_.incoming.front().atMs <= *rig_.pressAtMs;
        if (!bytesFirst) {
            rig_.clock.us = std::max(now, *rig_.pressAtMs) * 1000;
            rig_.Press();
            return {ReceiveStatus::kCancelled, 0};
        }
    }
    return inner_.Receive(buffer, timeoutMs);
}

const std::string kAck = "ACK\r";

enum class Flow { kImage, kLookup, kUpload };

int RunFlow(Flow run, CancelRig& rig, TransferOutcome* outcome = nullptr) {
    if (run == Flow::kUpload) return RunUpload(rig.ws, rig, rig, rig.clock, outcome);
    return RunDownload(rig.ws, rig, rig, rig.clock,
                       run == Flow::kImage ? kDownloadProgram : kDownloadLookup, outcome);
}

struct Case {
    const char* name;
    Flow run;
    int acks;  // sends the terminal answers "ACK\r" first
    // Cancel delayMs after the PC's send number afterSends (1-based), or else when the bar
    // reaches pressAtProgress, with a link that leaves the flow to see the request itself.
    std::optional<std::size_t> afterSends;
    std::uint32_t delayMs;
    std::optional<int> pressAtProgress;
    int result;
    std::size_t sends;  // what the PC sent in all; nothing goes out after the press
    std::function<void(CancelRig&)> more = {};
    Shown messages = {};
};

TEST(Cancel, EndsTheRunAtItsNextWaitQuietlyAndLeavesNoFile) {
    const auto retryQuestion = [](CancelRig& r) {
        r.link->replies.push_back(Answer("FULL"));
        r.AddLink();
        r.answers = {kIdYes};  // the question is answered, but the cancel wins
        r.pressOnQuestion = true;
    };
    const auto thirdRecordLate = [](CancelRig& r) {
        r.ws.settings.uploadLinkType = kLinkWifi;  // 5 s a record
        r.link->replies.push_back(Reply{{kAck, 2}, {Rec(0, "first"), 3}});
        r.link->replies.push_back(Reply{{Rec(1, "second"), 3}});
    };
    const Shown retryShown{kMemoryFull, kRetryQuestion};
    using enum Flow;
    const Case cases[] = {
        {"handshake, first wait for an answer", kImage, 0, 1, 1500, {}, 0, 1},
        {"image, wait for packet 20's answer", kImage, 1 + 20, 1 + 21, 700, {}, 0, 1 + 21},
        {"image, between packets 9 and 10", kImage, 1 + 209, {}, 0, 10, 0, 1 + 10},
        {"lookup, wait for line 3's answer", kLookup, 1 + 2, 1 + 3, 200, {}, 0, 1 + 3},
        {"lookup, retry question", kLookup, 1, {}, 0, {}, 1, 2, retryQuestion, retryShown},
        {"upload, wait for READ's answer", kUpload, 0, 1, 100, {}, 0, 1},
        // "READ\r" and two "ACK\r" go out; the third record is 4 s late.
        {"upload, wait for the third record", kUpload, 0, 3, 4000, {}, 0, 3, thirdRecordLate},
        {"upload, before READ", kUpload, 0, {}, 0, kProgressBusy, 0, 0},  // the window is up
    };
    for (const Case& c : cases) {
        CancelRig rig;
        const std::filesystem::path data = rig.folder / "data.txt";
        rig.files = {c.run == Flow::kUpload ? data
                                            : rig.folder.Write("db.txt", "1\r\n2\r\n3\r\n4")};
        Ack(*rig.link, c.acks);
        rig.afterSends = c.afterSends;
        rig.delayMs = c.delayMs;
        rig.pressAtProgress = c.pressAtProgress;
        rig.watches = !c.pressAtProgress;
        if (c.more) c.more(rig);
        TransferOutcome outcome;
        EXPECT_EQ(RunFlow(c.run, rig, &outcome), c.result) << c.name;
        EXPECT_EQ(outcome.end, TransferEnd::kCancelled) << c.name;
        ASSERT_TRUE(rig.pressedAtMs) << c.name;
        // Not one more wait after the press: at most the 1 ms pause after a packet.
        EXPECT_LE(rig.clock.NowMs() - *rig.pressedAtMs, 1u) << c.name;
        EXPECT_EQ(rig.link->sent.size(), c.sends) << c.name;
        EXPECT_EQ(rig.sentAtPress, c.sends) << c.name;
        EXPECT_EQ(rig.messages, c.messages) << c.name;
        EXPECT_EQ(rig.progressWindows.size(), 1u) << c.name;
        EXPECT_FALSE(rig.progressOpen) << c.name;
        EXPECT_FALSE(rig.progressOpenAtAMessage) << c.name;
        EXPECT_EQ(rig.opened.size(), 1u) << c.name;  // no second run
        EXPECT_EQ(rig.link->closes.size(), 1u) << c.name;
        EXPECT_FALSE(std::filesystem::exists(data)) << c.name;
    }
}

TEST(Cancel, WaitForTheTerminalCancelledIsACancelNotAFailure) {
    for (const Flow run : {Flow::kImage, Flow::kUpload}) {
        CancelRig rig;
        const std::filesystem::path data = rig.folder / "data.txt";
        rig.files = {data};
        rig.pressOnOpen = true;
        TransferOutcome outcome;
        EXPECT_EQ(RunFlow(run, rig, &outcome), run == Flow::kUpload ? -3 : -1);
        EXPECT_EQ(outcome.end, TransferEnd::kCancelled);
        EXPECT_TRUE(rig.messages.empty());
        EXPECT_TRUE(rig.progressWindows.empty());
        // The upload's file was made before the wait; nothing of it is left.
        EXPECT_FALSE(std::filesystem::exists(data));
    }
}

TEST(Cancel, TheHandshakeAndTheUploadShowTheProgressWindowWhileTheyWait) {
    // A silent terminal: the window is up for the handshake's attempts and closed before the
    // message that ends them.
    for (const Flow run : {Flow::kImage, Flow::kUpload}) {
        CancelRig rig;
        rig.files = {rig.folder / "data.txt"};
        EXPECT_EQ(RunFlow(run, rig), run == Flow::kUpload ? 0 : 1);
        EXPECT_EQ(rig.progressWindows,
                  std::vector<std::u16string>{run == Flow::kUpload ? u"Progress: Upload Data"
                                                                   : u"Progress: Downloading..."});
        EXPECT_EQ(rig.progress, std::vector<int>{run == Flow::kUpload ? kProgressBusy : 0});
        EXPECT_FALSE(rig.progressOpenAtAMessage);
        ASSERT_FALSE(rig.messages.empty());
        EXPECT_EQ(rig.messages[0].text,
                  run == Flow::kUpload ? u"Time out!" : u"Terminal is not ready!");
    }
}

}  // namespace
}  // namespace test
}  // namespace fw
