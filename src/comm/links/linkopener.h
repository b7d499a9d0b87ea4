// Opens the link that the settings choose for a transfer, on Qt: the serial port for
// "RS-232/USB VCOM" and "Serial-SPP", the TCP server and its waiting step for "Wi-Fi".
#pragma once

#include <filesystem>
#include <memory>

#include "comm/link.h"
#include "comm/links/connectionwaiter.h"
#include "comm/links/devicelink.h"
#include "model/messages.h"
#include "model/workspace.h"

namespace fw {

struct LinkOpenerConfig {
    // A device to open instead of the one that comPort names (the command-line tool's
    // --device); empty: the COM port mapping.
    std::filesystem::path device;
    LinkWaitStyle waitStyle = LinkWaitStyle::kEventLoop;
    // The transfer's cancel request (TransferUi::Cancel), which the Wi-Fi wait for the terminal
    // and every wait of the link watch; null: nothing can cancel them but the waiting step.
    CancelSignal* cancel = nullptr;
};

class QtLinkOpener final : public LinkOpener {
  public:
    // Messages go to presenter in the workspace's language; the Wi-Fi waiting step to waiter.
    QtLinkOpener(Workspace& ws, MessagePresenter& presenter, ConnectionWaiter& waiter,
                 LinkOpenerConfig config = {});

    std::unique_ptr<Link> OpenLink(LinkDirection direction) override;
    LinkOpenFailure LastOpenFailure() const override { return failure_; }

    // The device a serial link of these settings opens.
    std::filesystem::path SerialDevice() const;

  private:
    Workspace& ws_;
    MessagePresenter& presenter_;
    ConnectionWaiter& waiter_;
    LinkOpenerConfig config_;
    LinkOpenFailure failure_;
};

// The baud rate that baudRateIndex selects; an index the preferences never offer means the
// first entry, 115200 bit/s.
std::int32_t BaudRateFor(std::uint8_t baudRateIndex);

// How a serial link of this link type and baud rate index sets its port up: 8 data bits, no
// parity, one stop bit, no flow control; DTR and RTS held on for Serial-SPP only.
struct SerialPortSetup {
    std::int32_t baudRate = 115200;
    bool holdModemLines = false;  // DTR and RTS
    bool operator==(const SerialPortSetup&) const = default;
};
SerialPortSetup SerialPortSetupFor(std::uint8_t linkType, std::uint8_t baudRateIndex);

// The links need a Qt application object for their event loops; programs without one (the
// command-line tool, tests) get one here. Does nothing when one exists.
void EnsureQtApplication();

}  // namespace fw
