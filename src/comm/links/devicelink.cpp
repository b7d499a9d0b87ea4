#include "comm/links/devicelink.h"

#include <QDeadlineTimer>

namespace fw {

namespace {
constexpr int kSendLimitMs = 1000;
}

DeviceLink::DeviceLink(QIODevice& device, LinkWaitStyle style) : device_(device), style_(style) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, &loop_, [this] { loop_.quit(); });
    QObject::connect(&device_, &QIODevice::readyRead, &loop_, [this] { loop_.quit(); });
    QObject::connect(&device_, &QIODevice::bytesWritten, &loop_, [this] { loop_.quit(); });
    QObject::connect(&device_, &QIODevice::aboutToClose, &loop_, [this] { loop_.quit(); });
}

void DeviceLink::Wake() {
    loop_.quit();
}

void DeviceLink::Wait(int ms, bool forWrite) {
    if (ms <= 0 || Cancelled()) return;
    if (style_ == LinkWaitStyle::kBlocking) {
        if (forWrite) {
            device_.waitForBytesWritten(ms);
        } else {
            device_.waitForReadyRead(ms);
        }
        return;
    }
    const CancelSignal::WakeScope wake(cancel_, [this] { loop_.quit(); });
    timer_.start(ms);
    loop_.exec();
    timer_.stop();
}

SendResult DeviceLink::Send(std::span<const std::uint8_t> bytes) {
    if (Cancelled()) return {false, 0, true};
    if (Broken()) return {};
    const qint64 n = device_.write(reinterpret_cast<const char*>(bytes.data()),
                                   static_cast<qint64>(bytes.size()));
    if (n < 0) return {};
    PushOutput();
    const QDeadlineTimer deadline(kSendLimitMs, Qt::PreciseTimer);
    while (device_.bytesToWrite() > 0 && !Broken() && !Cancelled() && !deadline.hasExpired())
        Wait(static_cast<int>(deadline.remainingTime()), true);
    if (device_.bytesToWrite() > 0) {
        DropOutput();
        return {false, 0, Cancelled()};
    }
    return {true, static_cast<std::size_t>(n)};
}

ReceiveResult DeviceLink::Receive(std::span<std::uint8_t> buffer, std::uint32_t timeoutMs) {
    if (Cancelled()) return {ReceiveStatus::kCancelled, 0};
    if (buffer.empty()) return {ReceiveStatus::kOk, 0};
    if (device_.bytesAvailable() == 0 && !Broken()) {
        const QDeadlineTimer deadline(static_cast<qint64>(timeoutMs), Qt::PreciseTimer);
        while (device_.bytesAvailable() == 0 && !Broken() && !Cancelled() && !deadline.hasExpired())
            Wait(static_cast<int>(deadline.remainingTime()), false);
        if (Cancelled()) return {ReceiveStatus::kCancelled, 0};
    }
    const qint64 n = device_.bytesAvailable() > 0
                         ? device_.read(reinterpret_cast<char*>(buffer.data()),
                                        static_cast<qint64>(buffer.size()))
                         : 0;
    if (n > 0) return {ReceiveStatus::kOk, static_cast<std::size_t>(n)};
    if (Broken()) return {ReceiveStatus::kFailed, 0};
    return {ReceiveStatus::kTimeout, 0};
}

}  // namespace fw
