// The download run: the program image (mode 0) or a lookup file (mode 1) sent to the terminal
// in acknowledged packets after the "VORTEK\r" handshake.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "comm/clock.h"
#include "comm/link.h"
#include "comm/outcome.h"
#include "comm/transfer.h"
#include "comm/transferui.h"
#include "generator/image.h"
#include "model/workspace.h"

namespace fw {

enum DownloadMode : int { kDownloadProgram = 0, kDownloadLookup = 1 };

inline constexpr int kHandshakeAttempts = 3;
inline constexpr int kPacketAttempts = 7;
inline constexpr std::size_t kImagePacketSize = 103;  // 100 data bytes, sum (high, low), block

// Returns 1 when the run ended (success, or a failure the user chose not to retry), 0 when the
// lookup file choice or the transfer was cancelled (no message then), -1 when the file or the link
// could not be opened (or the lookup file has a line too long to send). outcome, when given, says
// how the run ended.
int RunDownload(Workspace& ws, LinkOpener& opener, TransferUi& ui, Clock& clock, DownloadMode mode,
                TransferOutcome* outcome = nullptr);

// "VORTEK\r" until the terminal answers "ACK\r", 3 attempts; after them the progress window
// is closed and "Terminal is not ready!" shown. A cancel ends it at once, quietly.
bool TerminalHandshake(TransferSession& s);

// Sends the first n bytes of s.packet until "ACK\r", 7 attempts; "FULL" stops at once. On
// failure the progress window is closed and the user told why; on a cancel, nothing is said.
bool SendPacket(TransferSession& s, std::size_t n);

// Fills s.packet with image packet i.
void FillImagePacket(TransferSession& s, const ProgramImage& image, std::size_t i);

// Normalises the definition, builds the image and sends its 209 packets.
bool SendImage(TransferSession& s);

// The progress window as a run opens it: the language file's title and text when one is
// loaded, else "Progress" and "Downloading...".
void OpenProgressWindow(TransferSession& s);
std::u16string ProgressTitle(const Language& language);

}  // namespace fw
