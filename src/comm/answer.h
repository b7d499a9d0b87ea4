// Commands to the terminal and its one-line answers ("ACK\r", "FULL").
#pragma once

#include <cstdint>
#include <span>

#include "comm/transfer.h"
#include "model/settings.h"

namespace fw {

// How long the terminal may take to answer a command: (extraTimeout + 2 k) seconds, k = 3 when
// downloadLinkType is Serial-SPP or Wi-Fi, else 1. The download link type decides even for the
// upload's "READ\r".
std::uint32_t AnswerDeadlineMs(const Settings& settings);

// Purges a serial link's input, sends the command and reads the answer line into s.answer.
// When the send fails the answer stays empty.
void SendCommand(TransferSession& s, std::span<const std::uint8_t> command);

// Reads one answer line into s.answer: up to the first CR (kept), at most 10 bytes, or what
// arrived by the answer deadline.
void ReadAnswerLine(TransferSession& s);

}  // namespace fw
