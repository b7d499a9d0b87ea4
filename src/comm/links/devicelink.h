// A link over a Qt I/O device (a serial port or a TCP socket): sending with its 1000 ms limit
// and receiving with a time-out, waiting without using the processor.
#pragma once

#include <QEventLoop>
#include <QIODevice>
#include <QTimer>

#include "comm/cancel.h"
#include "comm/link.h"
#include "comm/links/precisetimers.h"

namespace fw {

// How a link waits. kEventLoop runs a nested event loop bounded by the time-out, so that
// windows stay painted and a cancel request (a button, a signal's pipe) ends the wait at once;
// kBlocking sleeps in the device's own wait, for programs that show no window and need not be
// stopped: it sees a cancel request only before and after each wait.
enum class LinkWaitStyle { kEventLoop, kBlocking };

class DeviceLink : public Link {
  public:
    SendResult Send(std::span<const std::uint8_t> bytes) override;
    ReceiveResult Receive(std::span<std::uint8_t> buffer, std::uint32_t timeoutMs) override;

    // The transfer's cancel request, watched by every wait from now on; null: none.
    void WatchCancel(CancelSignal* cancel) { cancel_ = cancel; }

  protected:
    DeviceLink(QIODevice& device, LinkWaitStyle style);

    // The device can carry nothing more: closed, unplugged, connection lost.
    virtual bool Broken() const = 0;
    // Hands what was written to the system now rather than on the next event.
    virtual void PushOutput() = 0;
    // Gives up bytes that could not be sent in time.
    virtual void DropOutput() = 0;
    // Ends a wait early (the subclass connects its error and disconnect signals here).
    void Wake();

  private:
    // Waits for input (or, with forWrite, for output to drain) for at most ms milliseconds.
    void Wait(int ms, bool forWrite);
    bool Cancelled() const { return cancel_ != nullptr && cancel_->Requested(); }

    PreciseTimers preciseTimers_;  // for as long as the link is open
    QIODevice& device_;
    LinkWaitStyle style_;
    QEventLoop loop_;
    QTimer timer_;
    CancelSignal* cancel_ = nullptr;
};

}  // namespace fw
