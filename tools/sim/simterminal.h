// The terminal's side of the transfer protocols, as a byte-in / actions-out state machine with
// no I/O of its own: m740-sim drives it over TCP, a serial device or a pseudo-terminal, and tests
// may drive it in-process.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fw::sim {

// How the packets after "VORTEK\r" are framed. Auto decides on the first packet: 103 bytes
// forming image block 0 make a program image, a CR-terminated line with a good sum a lookup file.
enum class DownloadMode { kAuto, kImage, kLookup };

// A misbehaviour at one packet (download) or record (upload), numbered from 0, for `times`
// attempts of it. Faults are used up across transfers, so a retry by the PC gets through.
struct Fault {
    int at = -1;
    int times = 1;
    bool Active() const { return at >= 0 && times > 0; }
};

struct SimOptions {
    DownloadMode mode = DownloadMode::kAuto;
    std::vector<std::string> records;       // sent one by one after "READ\r" (data bytes, no CR)
    int ignoreHello = 0;                    // "VORTEK\r" / "READ\r" left unanswered this many times
    std::uint32_t uploadStartDelayMs = 50;  // pause after "ACK\r" to "READ\r" before record 0

    Fault noAnswer;            // the packet is not answered at all
    Fault full;                // "FULL" (the transfer stops)
    Fault badChecksum;         // download: answered "NAK\r" as if corrupted; upload: a wrong sum
    Fault partial;             // download: "AC" and silence; upload: half a record without CR
    Fault garbage;             // a line of noise instead of the answer or the record
    Fault outOfSequence;       // upload: the record with a wrong sequence number
    int repeatRecord = -1;     // upload: this record is sent a second time after its "ACK\r"
    int disconnectAfter = -1;  // hang up after this many packets or records were accepted
};

struct SimAction {
    enum class Kind {
        kSend,          // bytes to the PC
        kPause,         // wait pauseMs before the next action
        kDisconnect,    // hang up (TCP: close; serial: ignore everything until the next hello)
        kImageStored,   // a whole program image arrived (bytes)
        kLookupStored,  // a lookup file arrived (bytes: its lines, each ended by CR LF)
        kUploadDone,    // all records were sent and "OVER\r" followed
        kAborted,       // the transfer ended early ("FULL" or a hang-up); text says why
    };
    Kind kind = Kind::kSend;
    std::string bytes;
    std::uint32_t pauseMs = 0;
    std::string text;
};

struct SimStats {
    int handshakes = 0;
    int packetsAccepted = 0;  // image packets and lookup lines
    int packetsRejected = 0;  // bad sum, wrong block number, malformed
    int repeatsAcknowledged = 0;
    int recordsSent = 0;  // transmissions, resends included
    int acksReceived = 0;
    int naksReceived = 0;
};

class SimTerminal {
  public:
    explicit SimTerminal(SimOptions options);

    // Bytes from the PC. What the terminal does about them is appended to actions, in order.
    void Receive(std::string_view bytes, std::vector<SimAction>& actions);

    // The link went down (TCP closed); a transfer in progress is abandoned.
    void LinkLost();

    const SimStats& Stats() const { return stats_; }
    // A short description of the transfer in progress, for logs ("image, packet 17").
    std::string State() const;

  private:
    enum class Phase { kIdle, kDownload, kUpload, kSilent };

    void Idle(std::vector<SimAction>& actions);
    void Download(std::vector<SimAction>& actions);
    void Upload(std::vector<SimAction>& actions);
    void StartDownload(std::vector<SimAction>& actions);
    void StartUpload(std::vector<SimAction>& actions);
    bool TryImagePacket(std::vector<SimAction>& actions);
    bool TryLookupPacket(std::vector<SimAction>& actions);
    // Applies the answer faults to the current packet; true when one took the answer's place
    // (the packet then counts as not received).
    bool AnswerFault(std::vector<SimAction>& actions);
    void Accepted(std::vector<SimAction>& actions);
    // Eight random bytes and a CR: a line that is no answer and no record.
    std::string Noise();
    void SendRecord(std::vector<SimAction>& actions);
    void Hello(std::vector<SimAction>& actions, bool upload);

    SimOptions options_;
    SimStats stats_;
    Phase phase_ = Phase::kIdle;
    DownloadMode framing_ = DownloadMode::kAuto;
    std::string buffer_;
    std::string image_;
    std::string lookup_;
    int packet_ = 0;    // next packet expected (download) or record being sent (upload)
    int accepted_ = 0;  // packets or records accepted in this transfer
    bool repeatPending_ = false;
    std::uint32_t noise_ = 0x2545F491u;
};

// Sums used by the framings, for tests and the simulator alike.
std::uint16_t ByteSum(std::string_view bytes);
// The terminal's record: sequence byte, data, sum low then high (13 sent as 14), CR.
std::string FrameRecord(int sequence, std::string_view data);

}  // namespace fw::sim
