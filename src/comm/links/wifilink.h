// The Wi-Fi link: the PC is a TCP server on networkPort and the terminal connects to it.
#pragma once

#include <QTcpSocket>

#include <cstdint>
#include <memory>
#include <string>

#include "comm/links/connectionwaiter.h"
#include "comm/links/devicelink.h"

namespace fw {

class WifiLink final : public DeviceLink {
  public:
    WifiLink(std::unique_ptr<QTcpSocket> socket, LinkWaitStyle style);
    ~WifiLink() override;

    void PurgeInput() override;
    bool IsSerial() const override { return false; }
    void Close(bool purgeInput) override;

  private:
    bool Broken() const override;
    void PushOutput() override;
    void DropOutput() override;

    std::unique_ptr<QTcpSocket> socket_;
};

// How the wait for the terminal ended. On kError, message holds the text to show and
// waitStepError tells whether it belongs to the waiting step (caption "Ошибка подключения")
// or to setting the server up (caption "Download" or "Upload Data").
struct WifiWaitOutcome {
    enum Kind { kConnected, kCancelled, kError } kind = kError;
    std::u16string message;
    bool waitStepError = false;
};

// Listens on the port (IPv4, any address) while the waiter shows the waiting step, accepts
// exactly one connection and closes the listener at once, whatever the outcome. The transfer's
// cancel request, when given, ends the wait as the waiter's cancel does; the waiter's cancel
// makes that request, so that the whole transfer is called off. The link watches it too.
std::unique_ptr<WifiLink> WaitForTerminal(std::uint32_t port, LinkWaitStyle style,
                                          ConnectionWaiter& waiter, WifiWaitOutcome& outcome,
                                          CancelSignal* cancel = nullptr);

}  // namespace fw
