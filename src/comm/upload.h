// Receiving the records the terminal collected: "READ\r", then numbered, checksummed records
// each answered "ACK\r" or "NAK\r", until "OVER\r". Accepted records go to a text file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

#include "comm/clock.h"
#include "comm/link.h"
#include "comm/outcome.h"
#include "comm/transfer.h"
#include "comm/transferui.h"
#include "model/workspace.h"

namespace fw {

inline constexpr int kUploadHandshakeAttempts = 3;
inline constexpr std::size_t kRecordBufferSize = 256;
inline constexpr std::size_t kRecordMax = 255;  // bytes of a record that are kept
inline constexpr std::size_t kRecordChunk = 256;
inline constexpr std::uint32_t kRecordReceiveTimeoutMs = 3000;
inline constexpr int kMaxRecordTimeouts = 10;  // the next one ends the upload

// Language-file ids of the two texts around the count in the records-received question.
inline constexpr int kRecordsReceivedTextBefore = 1135;
inline constexpr int kRecordsReceivedTextAfter = 1136;

// How long one record may take to arrive: (k + 2 extraTimeout) × 500 ms, k = 10 when
// uploadLinkType is Serial-SPP or Wi-Fi, else 1.
std::uint32_t RecordDeadlineMs(const Settings& settings);

// Returns the number of records received (> 0); 0 when nothing was received or the file choice
// or the upload was cancelled; -1 after a time-out; -2 when the file cannot be created (or the
// received records could not be written); -3 when the link cannot be opened. The records
// replace the chosen file only when some were received; on every other end (a cancel among
// them, which shows no message) an existing file stays as it was and nothing is left beside it.
// outcome, when given, says how the run ended.
int RunUpload(Workspace& ws, LinkOpener& opener, TransferUi& ui, Clock& clock,
              TransferOutcome* outcome = nullptr);

// The upload on an open link: returns the number of records written to out, 0 when the
// terminal did not answer "READ\r", -1 after eleven time-outs in a row. A cancel ends it at
// once with the records written so far and s.cancelled set; the progress window is closed
// before any message.
int ReceiveRecords(TransferSession& s, std::ostream& out);

// "Done : %d records received.\nView the received data?", or the language file's two texts
// with the count between them when a language is loaded.
std::u16string RecordsReceivedText(const Language& language, int count);

}  // namespace fw
