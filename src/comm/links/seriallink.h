// The serial link: a COM port (RS-232, a USB virtual port or a serial Bluetooth profile).
#pragma once

#include <QSerialPort>

#include <filesystem>
#include <memory>

#include "comm/links/devicelink.h"
#include "comm/links/linkopener.h"

namespace fw {

struct SerialLinkConfig {
    std::filesystem::path device;
    SerialPortSetup setup;
    LinkWaitStyle waitStyle = LinkWaitStyle::kEventLoop;
    CancelSignal* cancel = nullptr;  // the transfer's cancel request, which every wait watches
};

enum class SerialOpenResult { kOk, kCannotOpen, kCannotConfigure };

class SerialLink final : public DeviceLink {
  public:
    // 8 data bits, no parity, one stop bit, no flow control. A device without modem lines (a
    // pseudo-terminal, some adapters) is not an error.
    static std::unique_ptr<SerialLink> Open(const SerialLinkConfig& config,
                                            SerialOpenResult& result);
    ~SerialLink() override;

    void PurgeInput() override;
    bool IsSerial() const override { return true; }
    void Close(bool purgeInput) override;

    // What the port was set to, for the preferences and for tests.
    const QSerialPort& Port() const { return *port_; }

  private:
    SerialLink(std::unique_ptr<QSerialPort> port, LinkWaitStyle style);
    bool Broken() const override;
    void PushOutput() override;
    void DropOutput() override;

    std::unique_ptr<QSerialPort> port_;
};

}  // namespace fw
