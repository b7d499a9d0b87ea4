// A clock that only moves when asked, a link that plays a script of terminal answers against
// it, and a rig that puts them around one transfer.
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "comm/clock.h"
#include "comm/link.h"
#include "comm/outcome.h"
#include "comm/timings.h"
#include "comm/transfer.h"
#include "comm/transferui.h"
#include "model/workspace.h"
#include "support/temp_folder.h"

namespace fw::test {

class FakeClock final : public Clock {
  public:
    std::uint64_t NowMs() override { return us / 1000; }
    std::uint64_t NowUs() override { return us; }
    void SleepMs(std::uint32_t ms) override { us += ms * 1000ull; }

    std::uint64_t us = 1'000'000'000;  // far from zero, so no deadline arithmetic underflows
};

// Bytes the terminal sends, delayMs after the previous piece of the same reply (the first one
// after the PC's send). A disconnect piece breaks the link when it is reached.
struct Piece {
    std::string bytes;
    std::uint32_t delayMs = 0;
    bool disconnect = false;
};
using Reply = std::vector<Piece>;

inline Reply Answer(std::string bytes, std::uint32_t delayMs = 0) {
    return {Piece{std::move(bytes), delayMs}};
}

inline std::string Bytes(std::initializer_list<int> values) {
    return {values.begin(), values.end()};
}

// A terminal's script for one link and what the PC did on it. Each send takes the next reply
// (none left: the terminal stays silent).
struct LinkScript {
    // The reply's pieces arrive from nowMs on; before the first send: bytes nobody asked for.
    void Queue(const Reply& reply, std::uint64_t nowMs) {
        for (const Piece& p : reply)
            incoming.push_back({p, nowMs += p.delayMs});
    }

    bool serial = true;
    std::deque<Reply> replies;
    std::vector<std::string> sent;
    std::uint32_t longestWait = 0;  // the longest time-out a receive was given
    std::uint64_t sendCostUs = 0;   // how long each send takes
    bool failSends = false;
    bool shortSends = false;  // every send puts out one byte less than asked
    int receives = 0, purges = 0;
    std::vector<bool> closes;  // whether each close purged the input
    bool broken = false;
    struct Arrival : Piece {
        std::uint64_t atMs;
    };
    std::deque<Arrival> incoming;
};

// Plays a script against the fake clock. A piece is delivered whole by one receive when it
// fits, else in buffer-sized parts.
class ScriptedLink final : public Link {
  public:
    ScriptedLink(FakeClock& clock, LinkScript& script) : clock_(clock), s_(script) {}

    SendResult Send(std::span<const std::uint8_t> bytes) override {
        s_.sent.emplace_back(bytes.begin(), bytes.end());
        clock_.us += s_.sendCostUs;
        if (s_.broken || s_.failSends) return {false, 0};
        if (!s_.replies.empty()) {
            s_.Queue(s_.replies.front(), clock_.NowMs());
            s_.replies.pop_front();
        }
        return {true, bytes.size() - (s_.shortSends && !bytes.empty() ? 1 : 0)};
    }
    ReceiveResult Receive(std::span<std::uint8_t> buffer, std::uint32_t timeoutMs) override {
        // A flow that keeps reading a link that never waits would spin forever; fail the test.
        if (++s_.receives > 100000) throw std::runtime_error("receive loop runs away");
        s_.longestWait = std::max(s_.longestWait, timeoutMs);
        if (s_.broken) return {ReceiveStatus::kFailed, 0};
        const std::uint64_t now = clock_.NowMs();
        if (s_.incoming.empty() || s_.incoming.front().atMs > now + timeoutMs) {
            clock_.us += timeoutMs * 1000ull;
            return {ReceiveStatus::kTimeout, 0};
        }
        LinkScript::Arrival& next = s_.incoming.front();
        if (next.atMs > now) clock_.us += (next.atMs - now) * 1000;
        if (next.disconnect) {
            s_.broken = true;
            return {ReceiveStatus::kFailed, 0};
        }
        const std::size_t n = std::min(buffer.size(), next.bytes.size());
        std::copy_n(next.bytes.begin(), n, buffer.begin());
        next.bytes.erase(0, n);
        if (next.bytes.empty()) s_.incoming.pop_front();
        return {ReceiveStatus::kOk, n};
    }
    void PurgeInput() override {
        ++s_.purges;
        while (!s_.incoming.empty() && s_.incoming.front().atMs <= clock_.NowMs() &&
               !s_.incoming.front().disconnect)
            s_.incoming.pop_front();
    }
    bool IsSerial() const override { return s_.serial; }
    void Close(bool purgeInput) override { s_.closes.push_back(purgeInput); }

  private:
    FakeClock& clock_;
    LinkScript& s_;
};

// The terminal answers the next n transmissions "ACK\r", 2 ms after each.
inline void Ack(LinkScript& link, int n) {
    link.replies.insert(link.replies.end(), n, Answer("ACK\r", 2));
}

// A record as the terminal frames it: sequence byte, data, the sum's low and high byte (13
// sent as 14) and CR.
inline std::string Rec(int sequence, const std::string& data) {
    std::string r = static_cast<char>(sequence) + data;
    unsigned sum = 0;
    for (char c : r)
        sum += static_cast<std::uint8_t>(c);
    for (unsigned b : {sum & 0xFF, (sum >> 8) & 0xFF})
        r += static_cast<char>(b == 13 ? 14 : b);
    return r + '\r';
}

struct ShownMessage {
    std::u16string caption, text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    bool operator==(const ShownMessage&) const = default;
};
using Shown = std::vector<ShownMessage>;
inline void PrintTo(const ShownMessage& m, std::ostream* os) {
    *os << testing::PrintToString(m.caption) << ": " << testing::PrintToString(m.text) << " (icon "
        << int(m.icon) << ", buttons " << int(m.buttons) << ")";
}

// How a download run ends, and the memory-full stop.
inline const ShownMessage kDownloaded{u"Download", u"Downloaded completely!",
                                      MessageIcon::Information};
inline const ShownMessage kRetryQuestion{u"Error", u"Failed to download, would you like to retry?",
                                         MessageIcon::Question, MessageButtons::YesNo};
inline const ShownMessage kMemoryFull{u"Error", u"Memory full for Terminal!", MessageIcon::Warning};

// How a run ended, readable in a failure: the end, the message id and the records received.
inline std::string Ended(const TransferOutcome& o) {
    const char* ends[] = {"completed", "retry declined", "cancelled", "failed"};
    std::string out = ends[static_cast<int>(o.end)] + (" " + std::to_string(o.messageId));
    return o.records != 0 ? out + " (" + std::to_string(o.records) + " records)" : out;
}

// A file dialog as the person sees it.
inline std::u16string Describe(const FileDialogRequest& r) {
    std::u16string out = r.save ? u"save" : u"open";
    for (const FileFilter& f : r.filters)
        out += u"; " + f.description + u" " + f.pattern;
    out += u"; ." + r.defaultExtension + (r.mustExist ? u"; must exist" : u"");
    out += r.promptOverwrite ? u"; asks before overwriting" : u"";
    out += r.hideReadOnly ? u"; no read-only box" : u"";
    return out + (r.startFromPrevious ? u"; starts from the previous choice" : u"");
}

// One transfer in a folder of its own. The rig plays the person at the PC, who answers from a
// script, and the link opener: a run opens rig.link first, then the links AddLink gives for
// retries; none left fails the open. The tests of single steps use the session on rig.link.
struct Rig : TransferUi, LinkOpener {
    explicit Rig(bool serial = true) : link(AddLink(serial)), session(ws, *this, clock, onLink) {
        ws.programDirectory = folder.Path();
    }
    LinkScript* AddLink(bool serial = true) {
        links.push_back({});
        links.back().serial = serial;
        return &links.back();
    }
    void EnableTimings() const { folder.Write("EnablePerfomanceCounters.txt", "1"); }

    int Show(const MessageRequest& r) override {
        messages.push_back({r.caption, r.text, r.icon, r.buttons});
        int answer = r.buttons == MessageButtons::YesNo ? kIdNo : kIdOk;
        if (answer == kIdNo && !answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        return answer;
    }
    bool ChooseFile(const FileDialogRequest& request, std::filesystem::path& chosen) override {
        dialogs.push_back(Describe(request));
        if (files.empty()) return false;
        chosen = files.front();
        files.pop_front();
        return true;
    }
    void OpenProgress(std::u16string_view title, std::u16string_view text) override {
        progressWindows.push_back(std::u16string(title) + u": " + std::u16string(text));
        progressOpen = true;
    }
    void SetProgress(int value) override { progress.push_back(value); }
    void CloseProgress() override { progressOpen = false; }
    void OpenForViewing(const std::filesystem::path& file) override { viewed.push_back(file); }
    std::unique_ptr<Link> OpenLink(LinkDirection direction) override {
        opened.push_back(direction);
        if (next >= links.size()) return nullptr;
        return std::make_unique<ScriptedLink>(clock, links[next++]);
    }
    LinkOpenFailure LastOpenFailure() const override { return openFailure; }

    TempFolder folder;
    Workspace ws;
    FakeClock clock;
    std::deque<LinkScript> links;
    std::size_t next = 0;  // the link the next open hands out
    std::vector<LinkDirection> opened;
    LinkOpenFailure openFailure;  // what the opener says when it has no link left
    LinkScript* link;
    ScriptedLink onLink{clock, *link};
    TransferSession session;
    std::deque<int> answers;                  // buttons for questions in order; then "No"
    std::deque<std::filesystem::path> files;  // files chosen in order; then a cancel
    Shown messages;
    std::vector<std::u16string> dialogs;  // each file dialog as Describe gives it
    std::vector<int> progress;
    std::vector<std::u16string> progressWindows;  // "title: text" of each one opened
    bool progressOpen = false;
    std::vector<std::filesystem::path> viewed;
};

}  // namespace fw::test
