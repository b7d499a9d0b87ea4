#include "comm/answer.h"

#include <algorithm>
#include <array>

namespace fw {

namespace {

constexpr std::size_t kAnswerChunk = 16;
constexpr std::uint32_t kAnswerReceiveMs = 1000;
constexpr std::uint8_t kCr = 13;

// The preferences offer 0..30 seconds; a hand-edited settings file must not stretch a wait
// beyond that.
std::uint32_t ExtraSeconds(const Settings& settings) {
    return static_cast<std::uint32_t>(std::clamp(settings.extraTimeout, 0, 30));
}

}  // namespace

std::uint32_t AnswerDeadlineMs(const Settings& settings) {
    const std::uint32_t k =
        (settings.downloadLinkType == kLinkSerialSpp || settings.downloadLinkType == kLinkWifi) ? 3
                                                                                                : 1;
    return (ExtraSeconds(settings) + 2 * k) * 1000;
}

void SendCommand(TransferSession& s, std::span<const std::uint8_t> command) {
    // A late answer to the previous command must not pass for the answer to this one.
    if (s.link.IsSerial()) s.link.PurgeInput();
    s.answer.Clear();
    if (!LinkSend(s, command)) return;
    ReadAnswerLine(s);
}

void ReadAnswerLine(TransferSession& s) {
    AnswerBuffer& answer = s.answer;
    answer.Clear();
    const std::uint64_t deadline = s.clock.NowMs() + AnswerDeadlineMs(s.ws.settings);
    std::array<std::uint8_t, kAnswerChunk> chunk{};
    for (;;) {
        const std::uint64_t now = s.clock.NowMs();
        if (now >= deadline) return;
        const auto wait =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(kAnswerReceiveMs, deadline - now));
        chunk.fill(0);
        const ReceiveResult got = LinkReceive(s, chunk, wait);
        // A broken link brings nothing more before the deadline; waiting would only delay the
        // next attempt. A cancelled transfer waits for nothing.
        if (got.status == ReceiveStatus::kFailed || got.status == ReceiveStatus::kCancelled) return;
        for (std::size_t i = 0; i < got.count && answer.length < kAnswerMax; ++i) {
            answer.bytes[answer.length++] = chunk[i];
            if (chunk[i] == kCr) return;
        }
    }
}

}  // namespace fw
