#include "comm/links/seriallink.h"

namespace fw {

SerialLink::SerialLink(std::unique_ptr<QSerialPort> port, LinkWaitStyle style)
    : DeviceLink(*port, style), port_(std::move(port)) {
    QObject::connect(port_.get(), &QSerialPort::errorOccurred, port_.get(),
                     [this](QSerialPort::SerialPortError) { Wake(); });
}

SerialLink::~SerialLink() {
    Close(false);
}

std::unique_ptr<SerialLink> SerialLink::Open(const SerialLinkConfig& config,
                                             SerialOpenResult& result) {
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(QString::fromStdString(config.device.string()));
    port->setReadBufferSize(0);
    if (!port->open(QIODevice::ReadWrite)) {
        result = SerialOpenResult::kCannotOpen;
        return nullptr;
    }
    const SerialPortSetup& setup = config.setup;
    const bool configured =
        port->setBaudRate(setup.baudRate) && port->setDataBits(QSerialPort::Data8) &&
        port->setParity(QSerialPort::NoParity) && port->setStopBits(QSerialPort::OneStop) &&
        port->setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        port->close();
        result = SerialOpenResult::kCannotConfigure;
        return nullptr;
    }
    // Serial-SPP adapters want DTR and RTS held on; the others leave them off. A line that
    // the device does not have fails here, and that is fine.
    port->setDataTerminalReady(setup.holdModemLines);
    port->setRequestToSend(setup.holdModemLines);
    port->clearError();
    result = SerialOpenResult::kOk;
    std::unique_ptr<SerialLink> link(new SerialLink(std::move(port), config.waitStyle));
    link->WatchCancel(config.cancel);
    return link;
}

bool SerialLink::Broken() const {
    // A device that was unplugged or hung up (a pseudo-terminal whose other side closed) fails
    // its reads from then on, and its descriptor stays readable: waiting on it would spin.
    const QSerialPort::SerialPortError error = port_->error();
    return !port_->isOpen() || error == QSerialPort::ResourceError ||
           error == QSerialPort::PermissionError || error == QSerialPort::ReadError ||
           error == QSerialPort::WriteError;
}

void SerialLink::PushOutput() {
    port_->flush();
}

void SerialLink::DropOutput() {
    port_->clear(QSerialPort::Output);
}

void SerialLink::PurgeInput() {
    if (port_->isOpen()) port_->clear(QSerialPort::Input);
}

void SerialLink::Close(bool purgeInput) {
    if (!port_->isOpen()) return;
    if (purgeInput) port_->clear(QSerialPort::Input);
    port_->close();
}

}  // namespace fw
