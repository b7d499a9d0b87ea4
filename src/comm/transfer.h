// One transfer's state: the open link, the clock, the timings, the last answer and the packet
// being sent. A run creates one after the link opened and drops it when the link is closed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "comm/clock.h"
#include "comm/link.h"
#include "comm/outcome.h"
#include "comm/timings.h"
#include "comm/transferui.h"
#include "model/workspace.h"

namespace fw {

inline constexpr std::size_t kAnswerBufferSize = 256;
inline constexpr std::size_t kAnswerMax = 10;  // bytes of an answer line that are kept
inline constexpr std::size_t kPacketBufferSize = 256;

// The terminal's last answer line: at most 10 bytes, the CR kept when it came, zero-filled.
struct AnswerBuffer {
    std::array<std::uint8_t, kAnswerBufferSize> bytes{};
    std::size_t length = 0;

    void Clear();
    // The answer up to its first zero byte, as the terminal's answers are compared.
    std::string_view Text() const;
    bool Is(std::string_view literal) const { return Text() == literal; }
};

struct TransferSession {
    TransferSession(Workspace& ws, TransferUi& ui, Clock& clock, Link& link)
        : ws(ws), ui(ui), clock(clock), link(link) {}

    Workspace& ws;  // settings (link types, extraTimeout), language, definition
    TransferUi& ui;
    Clock& clock;
    Link& link;
    TransferTimings timings;
    AnswerBuffer answer;
    std::array<std::uint8_t, kPacketBufferSize> packet{};  // a retry resends these bytes
    bool cancelled = false;  // the person asked to stop; nothing more goes over the link
    int failureId = 0;       // the message that said why the transfer failed; 0: built in code
};

// Whether the person asked to stop the transfer; once true it stays true for the session.
bool TransferCancelled(TransferSession& s);

// The link operations with their timings recorded. Once the transfer is cancelled they touch
// the link no more: the send fails and the receive returns kCancelled at once.
bool LinkSend(TransferSession& s, std::span<const std::uint8_t> bytes);
ReceiveResult LinkReceive(TransferSession& s, std::span<std::uint8_t> buffer,
                          std::uint32_t timeoutMs);

// A message by string ids through the workspace's language; returns the button pressed.
int ShowTransferMessage(TransferSession& s, int captionId, int textId, MessageIcon icon,
                        MessageButtons buttons = MessageButtons::Ok,
                        std::u16string_view extra = {});

// How a run ended whose link did not open: cancelled when the person gave up waiting for the
// terminal ("Отмена", a signal), else failed with the opener's message.
TransferOutcome LinkNotOpened(const LinkOpener& opener, TransferUi& ui);

// A number as the messages write it.
std::u16string DecimalText(std::uint64_t value);

}  // namespace fw
