#include "simterminal.h"

#include <utility>

namespace fw::sim {

namespace {

constexpr std::string_view kDownloadHello = "VORTEK\r";
constexpr std::string_view kUploadHello = "READ\r";
constexpr std::string_view kAck = "ACK\r";
constexpr std::string_view kNak = "NAK\r";
constexpr std::string_view kOver = "OVER\r";
constexpr std::string_view kFull = "FULL";
constexpr std::size_t kImageSize = 20900;
constexpr std::size_t kImageData = 100;
constexpr std::size_t kImagePacket = 103;
constexpr int kImagePackets = 209;
// Longer than any packet a PC may send; a buffer that grows past it without a CR is noise.
constexpr std::size_t kLongestLine = 300;

std::uint8_t Escaped(unsigned value) {
    const auto b = static_cast<std::uint8_t>(value & 0xFF);
    return b == 13 ? 14 : b;
}

bool Uses(Fault& fault, int packet) {
    if (!fault.Active() || fault.at != packet) return false;
    --fault.times;
    return true;
}

SimAction Send(std::string_view bytes) {
    SimAction a;
    a.kind = SimAction::Kind::kSend;
    a.bytes = std::string(bytes);
    return a;
}

SimAction Event(SimAction::Kind kind, std::string bytes = {}, std::string text = {}) {
    SimAction a;
    a.kind = kind;
    a.bytes = std::move(bytes);
    a.text = std::move(text);
    return a;
}

// An image packet: 100 data bytes, their sum high byte first, the block number.
bool ImagePacketValid(std::string_view p, int block) {
    if (p.size() < kImagePacket) return false;
    const std::uint16_t sum = ByteSum(p.substr(0, kImageData));
    return static_cast<std::uint8_t>(p[100]) == (sum >> 8) &&
           static_cast<std::uint8_t>(p[101]) == (sum & 0xFF) &&
           static_cast<std::uint8_t>(p[102]) == static_cast<std::uint8_t>(block & 0xFF);
}

// A lookup line packet: the line's bytes (no CR, no LF), the sum high byte first with 13 sent
// as 14, CR.
bool LookupPacketValid(std::string_view p) {
    if (p.size() < 3 || p.back() != '\r') return false;
    const std::string_view line = p.substr(0, p.size() - 3);
    if (line.find_first_of("\r\n") != std::string_view::npos) return false;
    const std::uint16_t sum = ByteSum(line);
    return static_cast<std::uint8_t>(p[p.size() - 3]) == Escaped(sum >> 8) &&
           static_cast<std::uint8_t>(p[p.size() - 2]) == Escaped(sum);
}

}  // namespace

std::uint16_t ByteSum(std::string_view bytes) {
    std::uint32_t sum = 0;
    for (const char c : bytes)
        sum += static_cast<std::uint8_t>(c);
    return static_cast<std::uint16_t>(sum);
}

std::string FrameRecord(int sequence, std::string_view data) {
    std::string r;
    r.reserve(data.size() + 4);
    r.push_back(static_cast<char>(sequence));
    r.append(data);
    const std::uint16_t sum = ByteSum(r);
    r.push_back(static_cast<char>(Escaped(sum)));
    r.push_back(static_cast<char>(Escaped(sum >> 8)));
    r.push_back('\r');
    return r;
}

SimTerminal::SimTerminal(SimOptions options) : options_(std::move(options)) {}

std::string SimTerminal::State() const {
    switch (phase_) {
        case Phase::kIdle:
            return "idle";
        case Phase::kSilent:
            return "hung up";
        case Phase::kUpload:
            return "upload, record " + std::to_string(packet_);
        case Phase::kDownload:
            break;
    }
    const char* what = framing_ == DownloadMode::kImage    ? "image"
                       : framing_ == DownloadMode::kLookup ? "lookup file"
                                                           : "download";
    return std::string(what) + ", packet " + std::to_string(packet_);
}

void SimTerminal::LinkLost() {
    phase_ = Phase::kIdle;
    buffer_.clear();
}

void SimTerminal::Receive(std::string_view bytes, std::vector<SimAction>& actions) {
    buffer_.append(bytes);
    switch (phase_) {
        case Phase::kIdle:
        case Phase::kSilent:
            Idle(actions);
            break;
        case Phase::kDownload:
            Download(actions);
            break;
        case Phase::kUpload:
            Upload(actions);
            break;
    }
}

void SimTerminal::Idle(std::vector<SimAction>& actions) {
    const std::size_t down = buffer_.find(kDownloadHello);
    const std::size_t up = buffer_.find(kUploadHello);
    if (down == std::string::npos && up == std::string::npos) {
        // Keep only what could still become the start of a hello.
        if (buffer_.size() > kDownloadHello.size())
            buffer_.erase(0, buffer_.size() - kDownloadHello.size());
        return;
    }
    const bool upload = up < down;
    buffer_.clear();
    Hello(actions, upload);
}

void SimTerminal::Hello(std::vector<SimAction>& actions, bool upload) {
    buffer_.clear();
    if (options_.ignoreHello > 0) {
        --options_.ignoreHello;
        phase_ = Phase::kIdle;
        return;
    }
    if (upload) {
        StartUpload(actions);
    } else {
        StartDownload(actions);
    }
}

void SimTerminal::StartDownload(std::vector<SimAction>& actions) {
    ++stats_.handshakes;
    phase_ = Phase::kDownload;
    framing_ = options_.mode;
    packet_ = 0;
    accepted_ = 0;
    image_.assign(kImageSize, '\0');
    lookup_.clear();
    actions.push_back(Send(kAck));
}

void SimTerminal::Download(std::vector<SimAction>& actions) {
    // The PC writes a command in one piece, so a hello that arrives alone starts over (the PC
    // retried after a failure).
    if (buffer_ == kDownloadHello || buffer_ == kUploadHello) {
        Hello(actions, buffer_ == kUploadHello);
        return;
    }
    while (phase_ == Phase::kDownload && !buffer_.empty()) {
        if (framing_ == DownloadMode::kAuto) {
            const std::size_t cr = buffer_.find('\r');
            if (buffer_.size() >= kImagePacket && ImagePacketValid(buffer_, 0)) {
                framing_ = DownloadMode::kImage;
            } else if (cr != std::string::npos &&
                       (cr + 1 == buffer_.size() || buffer_.size() >= kImagePacket) &&
                       (LookupPacketValid(std::string_view(buffer_).substr(0, cr + 1)) ||
                        buffer_.compare(0, cr + 1, kOver) == 0)) {
                framing_ = DownloadMode::kLookup;
            } else if (buffer_.size() >= kImagePacket) {
                ++stats_.packetsRejected;
                buffer_.clear();
                actions.push_back(Send(kNak));
                return;
            } else {
                return;  // too little to tell yet
            }
        }
        const bool more =
            framing_ == DownloadMode::kImage ? TryImagePacket(actions) : TryLookupPacket(actions);
        if (!more) return;
    }
}

bool SimTerminal::TryImagePacket(std::vector<SimAction>& actions) {
    if (buffer_.size() < kImagePacket) return false;
    const std::string p = buffer_.substr(0, kImagePacket);
    buffer_.erase(0, kImagePacket);
    if (ImagePacketValid(p, packet_)) {
        if (AnswerFault(actions)) return true;
        image_.replace(static_cast<std::size_t>(packet_) * kImageData, kImageData, p, 0,
                       kImageData);
        Accepted(actions);
    } else if (packet_ > 0 && ImagePacketValid(p, packet_ - 1)) {
        // Our "ACK\r" went missing and the PC sent the block again.
        ++stats_.repeatsAcknowledged;
        actions.push_back(Send(kAck));
    } else {
        ++stats_.packetsRejected;
        actions.push_back(Send(kNak));
    }
    return true;
}

bool SimTerminal::TryLookupPacket(std::vector<SimAction>& actions) {
    const std::size_t cr = buffer_.find('\r');
    if (cr == std::string::npos) {
        if (buffer_.size() > kLongestLine) {
            ++stats_.packetsRejected;
            buffer_.clear();
            actions.push_back(Send(kNak));
        }
        return false;
    }
    const std::string p = buffer_.substr(0, cr + 1);
    buffer_.erase(0, cr + 1);
    if (p == kDownloadHello || p == kUploadHello) {
        Hello(actions, p == kUploadHello);
        return false;
    }
    if (p == kOver) {
        if (AnswerFault(actions)) return true;
        actions.push_back(Send(kAck));
        actions.push_back(Event(SimAction::Kind::kLookupStored, lookup_));
        phase_ = Phase::kIdle;
        return false;
    }
    if (!LookupPacketValid(p)) {
        ++stats_.packetsRejected;
        actions.push_back(Send(kNak));
        return true;
    }
    if (AnswerFault(actions)) return true;
    lookup_.append(p, 0, p.size() - 3);
    lookup_.append("\r\n");
    Accepted(actions);
    return true;
}

bool SimTerminal::AnswerFault(std::vector<SimAction>& actions) {
    if (Uses(options_.noAnswer, packet_)) return true;
    if (Uses(options_.full, packet_)) {
        actions.push_back(Send(kFull));
        actions.push_back(Event(SimAction::Kind::kAborted, {},
                                "memory full at packet " + std::to_string(packet_)));
        phase_ = Phase::kIdle;
        return true;
    }
    if (Uses(options_.badChecksum, packet_)) {
        ++stats_.packetsRejected;
        actions.push_back(Send(kNak));
        return true;
    }
    if (Uses(options_.partial, packet_)) {
        actions.push_back(Send(kAck.substr(0, 2)));
        return true;
    }
    if (Uses(options_.garbage, packet_)) {
        actions.push_back(Send(Noise()));
        return true;
    }
    return false;
}

std::string SimTerminal::Noise() {
    std::string noise;
    for (int i = 0; i < 8; ++i) {
        noise_ ^= noise_ << 13;
        noise_ ^= noise_ >> 17;
        noise_ ^= noise_ << 5;
        char c = static_cast<char>(noise_ & 0xFF);
        if (c == '\r' || c == '\0') c = '?';
        noise.push_back(c);
    }
    noise.push_back('\r');
    return noise;
}

void SimTerminal::Accepted(std::vector<SimAction>& actions) {
    ++stats_.packetsAccepted;
    ++accepted_;
    ++packet_;
    actions.push_back(Send(kAck));
    if (framing_ == DownloadMode::kImage && packet_ == kImagePackets) {
        actions.push_back(Event(SimAction::Kind::kImageStored, image_));
        phase_ = Phase::kIdle;
        return;
    }
    if (options_.disconnectAfter >= 0 && accepted_ >= options_.disconnectAfter) {
        options_.disconnectAfter = -1;
        actions.push_back(Event(SimAction::Kind::kDisconnect));
        actions.push_back(Event(SimAction::Kind::kAborted, {},
                                "hung up after " + std::to_string(accepted_) + " packets"));
        phase_ = Phase::kSilent;
    }
}

void SimTerminal::StartUpload(std::vector<SimAction>& actions) {
    ++stats_.handshakes;
    phase_ = Phase::kUpload;
    packet_ = 0;
    accepted_ = 0;
    repeatPending_ = false;
    actions.push_back(Send(kAck));
    // The PC reads its answer in chunks and drops what follows the CR, so the first record
    // must not ride in the same chunk as the "ACK\r".
    SimAction pause;
    pause.kind = SimAction::Kind::kPause;
    pause.pauseMs = options_.uploadStartDelayMs;
    actions.push_back(pause);
    SendRecord(actions);
}

void SimTerminal::SendRecord(std::vector<SimAction>& actions) {
    if (packet_ >= static_cast<int>(options_.records.size())) {
        actions.push_back(Send(kOver));
        actions.push_back(Event(SimAction::Kind::kUploadDone));
        phase_ = Phase::kIdle;
        return;
    }
    ++stats_.recordsSent;
    const std::string& data = options_.records[static_cast<std::size_t>(packet_)];
    int sequence = packet_ % 10;
    if (Uses(options_.noAnswer, packet_)) return;
    if (Uses(options_.outOfSequence, packet_)) sequence = (sequence + 5) % 10;
    std::string record = FrameRecord(sequence, data);
    if (Uses(options_.badChecksum, packet_)) {
        char& low = record[record.size() - 3];
        low = static_cast<char>(low ^ (low == 12 ? 2 : 1));
    } else if (Uses(options_.partial, packet_)) {
        record.resize(record.size() / 2);
    } else if (Uses(options_.garbage, packet_)) {
        record = Noise();
    }
    actions.push_back(Send(record));
}

void SimTerminal::Upload(std::vector<SimAction>& actions) {
    std::size_t cr;
    while (phase_ == Phase::kUpload && (cr = buffer_.find('\r')) != std::string::npos) {
        const std::string line = buffer_.substr(0, cr + 1);
        buffer_.erase(0, cr + 1);
        if (line == kDownloadHello || line == kUploadHello) {
            Hello(actions, line == kUploadHello);
            return;
        }
        if (line == kNak) {
            ++stats_.naksReceived;
            SendRecord(actions);
        } else if (line == kAck) {
            ++stats_.acksReceived;
            if (repeatPending_) {
                // The PC acknowledged the record sent twice: on with the next one.
                repeatPending_ = false;
                ++packet_;
            } else {
                ++accepted_;
                if (options_.disconnectAfter >= 0 && accepted_ >= options_.disconnectAfter) {
                    options_.disconnectAfter = -1;
                    actions.push_back(Event(SimAction::Kind::kDisconnect));
                    actions.push_back(
                        Event(SimAction::Kind::kAborted, {},
                              "hung up after " + std::to_string(accepted_) + " records"));
                    phase_ = Phase::kSilent;
                    return;
                }
                if (options_.repeatRecord == packet_) {
                    options_.repeatRecord = -1;
                    repeatPending_ = true;
                } else {
                    ++packet_;
                }
            }
            SendRecord(actions);
        }
        // Anything else is not an answer the terminal knows; it waits for one.
    }
    if (buffer_.size() > kLongestLine) buffer_.clear();
}

}  // namespace fw::sim
