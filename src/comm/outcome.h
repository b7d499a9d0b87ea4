// How a transfer ended, as a type: callers decide on success from this, never from the text of
// a message the user was shown.
#pragma once

namespace fw {

enum class TransferEnd {
    kCompleted,      // every packet acknowledged, or the records received
    kRetryDeclined,  // it failed and the user chose not to try again
    kCancelled,      // the user (or a signal) stopped it
    kFailed,         // it failed without a retry question (file, link, time-out)
};

struct TransferOutcome {
    TransferEnd end = TransferEnd::kFailed;
    int messageId = 0;  // string id of the message that said why it did not complete; 0: none
    int records = 0;    // records received by an upload
};

}  // namespace fw
