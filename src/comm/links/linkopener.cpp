#include "comm/links/linkopener.h"

#include <QCoreApplication>

#include "comm/links/comport.h"
#include "comm/links/seriallink.h"
#include "comm/links/wifilink.h"
#include "comm/transfertexts.h"
#include "model/language.h"
#include "model/strings.h"

namespace fw {

std::int32_t BaudRateFor(std::uint8_t baudRateIndex) {
    return baudRateIndex < std::size(kBaudRates) ? kBaudRates[baudRateIndex] : kBaudRates[0];
}

SerialPortSetup SerialPortSetupFor(std::uint8_t linkType, std::uint8_t baudRateIndex) {
    SerialPortSetup setup;
    setup.baudRate = BaudRateFor(baudRateIndex);
    setup.holdModemLines = linkType == kLinkSerialSpp;
    return setup;
}

void EnsureQtApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "formwright";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

QtLinkOpener::QtLinkOpener(Workspace& ws, MessagePresenter& presenter, ConnectionWaiter& waiter,
                           LinkOpenerConfig config)
    : ws_(ws), presenter_(presenter), waiter_(waiter), config_(std::move(config)) {}

std::filesystem::path QtLinkOpener::SerialDevice() const {
    if (config_.device.empty()) return ComPortDevice(ws_.settings.comPort, ws_.programDirectory);
    // A bare name would be taken for a port name under /dev; a link is followed to the device
    // so that the port's lock names what is really opened.
    std::error_code ec;
    const std::filesystem::path device = std::filesystem::canonical(config_.device, ec);
    return ec ? std::filesystem::absolute(config_.device, ec) : device;
}

std::unique_ptr<Link> QtLinkOpener::OpenLink(LinkDirection direction) {
    EnsureQtApplication();
    failure_ = {};
    const Settings& settings = ws_.settings;
    const std::uint8_t type =
        direction == LinkDirection::kDownload ? settings.downloadLinkType : settings.uploadLinkType;
    if (type == kLinkWifi) {
        WifiWaitOutcome outcome;
        auto link = WaitForTerminal(static_cast<std::uint32_t>(settings.networkPort),
                                    config_.waitStyle, waiter_, outcome, config_.cancel);
        if (link) return link;
        if (outcome.kind == WifiWaitOutcome::kError) {
            MessageRequest request;
            request.caption = outcome.waitStepError
                                  ? std::u16string(kWaitErrorCaption)
                                  : LoadUiString(ws_.language, direction == LinkDirection::kDownload
                                                                   ? kCaptionDownload
                                                                   : kCaptionUpload);
            request.text = outcome.message;
            request.icon = MessageIcon::Error;
            presenter_.Show(request);
        } else {
            failure_.cancelled = true;
        }
        return nullptr;
    }

    SerialLinkConfig serial;
    serial.device = SerialDevice();
    serial.setup = SerialPortSetupFor(type, settings.baudRateIndex);
    serial.waitStyle = config_.waitStyle;
    serial.cancel = config_.cancel;
    SerialOpenResult result = SerialOpenResult::kOk;
    auto link = SerialLink::Open(serial, result);
    if (result == SerialOpenResult::kCannotOpen) {
        failure_.messageId = kTextCannotOpenComPort;
        ShowMessageById(presenter_, ws_.language, kCaptionError, kTextCannotOpenComPort,
                        MessageIcon::Warning);
    } else if (result == SerialOpenResult::kCannotConfigure) {
        failure_.messageId = kTextCommStateError;
        ShowMessageById(presenter_, ws_.language, kCaptionError, kTextCommStateError,
                        MessageIcon::Warning);
    }
    return link;
}

}  // namespace fw
