#include "comm/transfer.h"

#include <algorithm>
#include <string>

#include "model/messages.h"

namespace fw {

void AnswerBuffer::Clear() {
    bytes.fill(0);
    length = 0;
}

std::string_view AnswerBuffer::Text() const {
    std::size_t n = 0;
    while (n < length && bytes[n] != 0)
        ++n;
    return {reinterpret_cast<const char*>(bytes.data()), n};
}

bool TransferCancelled(TransferSession& s) {
    if (!s.cancelled && s.ui.Cancel().Requested()) s.cancelled = true;
    return s.cancelled;
}

bool LinkSend(TransferSession& s, std::span<const std::uint8_t> bytes) {
    if (TransferCancelled(s)) return false;
    const std::uint64_t start = s.timings.enabled ? s.clock.NowUs() : 0;
    const SendResult result = s.link.Send(bytes);
    // A cancelled operation is no measurement of the link.
    if (result.cancelled || TransferCancelled(s)) {
        s.cancelled = true;
        return false;
    }
    if (s.timings.enabled) {
        const TimingCategory category = !result.ok                   ? TimingCategory::kSendFailed
                                        : result.sent < bytes.size() ? TimingCategory::kSendWrong
                                                                     : TimingCategory::kSend;
        s.timings.Add(category, s.clock.NowUs() - start);
    }
    return result.ok;
}

ReceiveResult LinkReceive(TransferSession& s, std::span<std::uint8_t> buffer,
                          std::uint32_t timeoutMs) {
    if (TransferCancelled(s)) return {ReceiveStatus::kCancelled, 0};
    const std::uint64_t start = s.timings.enabled ? s.clock.NowUs() : 0;
    ReceiveResult result = s.link.Receive(buffer, timeoutMs);
    if (result.status == ReceiveStatus::kCancelled || TransferCancelled(s)) {
        s.cancelled = true;
        return {ReceiveStatus::kCancelled, 0};
    }
    // A link never gets to claim more bytes than the buffer holds.
    result.count = std::min(result.count, buffer.size());
    if (result.status != ReceiveStatus::kOk) result.count = 0;
    if (s.timings.enabled) {
        TimingCategory category = TimingCategory::kRecvFailed;
        if (result.status == ReceiveStatus::kOk)
            category = result.count > 0 ? TimingCategory::kRecv : TimingCategory::kRecvNothing;
        else if (result.status == ReceiveStatus::kTimeout)
            category = TimingCategory::kRecvTimeout;
        s.timings.Add(category, s.clock.NowUs() - start);
    }
    return result;
}

int ShowTransferMessage(TransferSession& s, int captionId, int textId, MessageIcon icon,
                        MessageButtons buttons, std::u16string_view extra) {
    return ShowMessageById(s.ui, s.ws.language, captionId, textId, icon, buttons, extra);
}

TransferOutcome LinkNotOpened(const LinkOpener& opener, TransferUi& ui) {
    const LinkOpenFailure failure = opener.LastOpenFailure();
    TransferOutcome outcome;
    if (failure.cancelled || ui.Cancel().Requested()) {
        outcome.end = TransferEnd::kCancelled;
    } else {
        outcome.end = TransferEnd::kFailed;
        outcome.messageId = failure.messageId;
    }
    return outcome;
}

std::u16string DecimalText(std::uint64_t value) {
    std::u16string out;
    for (char c : std::to_string(value))
        out.push_back(static_cast<char16_t>(c));
    return out;
}

}  // namespace fw
