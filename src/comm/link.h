// The byte pipe to the terminal as the transfer flows see it. The serial and Wi-Fi links (on Qt)
// implement it; tests give a scripted link.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace fw {

// Which link setting a transfer uses: downloads use downloadLinkType, the upload uploadLinkType.
enum class LinkDirection : int { kDownload = 1, kUpload = 2 };

struct SendResult {
    bool ok = false;         // the write completed (within 1000 ms)
    std::size_t sent = 0;    // bytes that went out; fewer than asked still counts as ok
    bool cancelled = false;  // the transfer was cancelled before the bytes went out
};

enum class ReceiveStatus {
    kOk,         // a read completed; count bytes arrived (0 is possible)
    kTimeout,    // nothing arrived within the time-out
    kFailed,     // the link is broken (port error, connection closed or reset)
    kCancelled,  // the transfer was cancelled; the wait ended at once
};

struct ReceiveResult {
    ReceiveStatus status = ReceiveStatus::kTimeout;
    std::size_t count = 0;
};

class Link {
  public:
    virtual ~Link() = default;

    // Sends the bytes, waiting at most 1000 ms for them to go out. Like Receive, it ends at once
    // when the transfer's cancel request (see cancel.h) is made before or during the wait.
    virtual SendResult Send(std::span<const std::uint8_t> bytes) = 0;

    // Waits up to timeoutMs for bytes and returns at once with whatever has arrived, at most
    // buffer.size() bytes. The wait must cost no processor time and keep the windows painted;
    // the flows rely on it and never poll.
    virtual ReceiveResult Receive(std::span<std::uint8_t> buffer, std::uint32_t timeoutMs) = 0;

    // Drops bytes that arrived but were not read yet.
    virtual void PurgeInput() = 0;

    // Serial links purge their input before every command; Wi-Fi does not.
    virtual bool IsSerial() const = 0;

    // Ends the link. purgeInput: a serial link drops unread input first (the end of a download;
    // not a retry, not an upload). Closing twice is harmless.
    virtual void Close(bool purgeInput) = 0;
};

// Why an open gave no link: the user cancelled the wait for the terminal, or the id of the
// message that was shown (0 for a text built in code).
struct LinkOpenFailure {
    bool cancelled = false;
    int messageId = 0;
};

class LinkOpener {
  public:
    virtual ~LinkOpener() = default;

    // Why the last OpenLink returned nothing.
    virtual LinkOpenFailure LastOpenFailure() const { return {}; }

    // Opens the link that the direction's link type selects (for Wi-Fi: waits for the terminal
    // to connect, which the user may cancel). Returns nothing when it could not be opened; the
    // failure has already been reported to the user and nothing stays open.
    virtual std::unique_ptr<Link> OpenLink(LinkDirection direction) = 0;
};

}  // namespace fw
