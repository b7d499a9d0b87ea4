#include "comm/links/wifilink.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QTcpServer>
#include <QTimer>

#include <cerrno>

#include "model/system.h"

namespace fw {

namespace {

// The system's error number for a socket error that Qt reports by kind, so that the message
// ends with the system's own wording as elsewhere.
int SystemCode(QAbstractSocket::SocketError error) {
    switch (error) {
        case QAbstractSocket::AddressInUseError:
            return EADDRINUSE;
        case QAbstractSocket::SocketAccessError:
            return EACCES;
        case QAbstractSocket::SocketAddressNotAvailableError:
            return EADDRNOTAVAIL;
        case QAbstractSocket::SocketResourceError:
            return EMFILE;
        case QAbstractSocket::UnsupportedSocketOperationError:
            return EAFNOSUPPORT;
        case QAbstractSocket::RemoteHostClosedError:
            return ECONNRESET;
        case QAbstractSocket::NetworkError:
            return ENETDOWN;
        case QAbstractSocket::SocketTimeoutError:
            return ETIMEDOUT;
        default:
            return EINVAL;
    }
}

std::u16string SetupError(const char16_t* call, int code) {
    return u"Ошибка настройки соединения (" + std::u16string(call) + u"): (" +
           SystemErrorText(code) + u")";
}

}  // namespace

WifiLink::WifiLink(std::unique_ptr<QTcpSocket> socket, LinkWaitStyle style)
    : DeviceLink(*socket, style), socket_(std::move(socket)) {
    // Stop-and-wait: every packet must leave at once, not wait for the last one's TCP ACK.
    socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    QObject::connect(socket_.get(), &QTcpSocket::disconnected, socket_.get(), [this] { Wake(); });
    QObject::connect(socket_.get(), &QTcpSocket::errorOccurred, socket_.get(),
                     [this](QAbstractSocket::SocketError) { Wake(); });
}

WifiLink::~WifiLink() {
    Close(false);
}

bool WifiLink::Broken() const {
    return socket_->state() != QAbstractSocket::ConnectedState;
}

void WifiLink::PushOutput() {
    socket_->flush();
}

void WifiLink::DropOutput() {
    // A send that timed out fails on its own: the connection stays, so that a terminal that
    // was busy for a moment still hears the next attempt. A socket cannot take back what it
    // already queued; those bytes still go out when the terminal reads again.
}

void WifiLink::PurgeInput() {
    socket_->readAll();
}

void WifiLink::Close(bool) {
    if (socket_->state() == QAbstractSocket::UnconnectedState && !socket_->isOpen()) return;
    socket_->disconnectFromHost();
    if (socket_->state() != QAbstractSocket::UnconnectedState) socket_->abort();
    socket_->close();
}

std::unique_ptr<WifiLink> WaitForTerminal(std::uint32_t port, LinkWaitStyle style,
                                          ConnectionWaiter& waiter, WifiWaitOutcome& outcome,
                                          CancelSignal* cancel) {
    outcome = {};
    if (port < 1 || port > 65535) {
        outcome.message = SetupError(u"getaddrinfo", EINVAL);
        return nullptr;
    }
    QTcpServer server;
    server.setListenBacklogSize(1);
    server.setMaxPendingConnections(1);
    if (!server.listen(QHostAddress::AnyIPv4, static_cast<quint16>(port))) {
        // One call creates, binds and listens; the error says which step failed.
        const QAbstractSocket::SocketError error = server.serverError();
        const bool noSocket = error == QAbstractSocket::SocketResourceError ||
                              error == QAbstractSocket::UnsupportedSocketOperationError;
        outcome.message = SetupError(noSocket ? u"socket" : u"bind", SystemCode(error));
        return nullptr;
    }

    QEventLoop loop;
    QTimer dots;
    int dotCount = 0;
    std::unique_ptr<QTcpSocket> socket;
    dots.setInterval(kWaitDotsIntervalMs);
    QObject::connect(&dots, &QTimer::timeout, &loop, [&] {
        dotCount = (dotCount + 1) % 4;
        waiter.SetText(std::u16string(kWaitText) + std::u16string(dotCount, u'.'));
    });
    QObject::connect(&server, &QTcpServer::newConnection, &loop, [&] {
        if (socket) return;
        QTcpSocket* accepted = server.nextPendingConnection();
        if (accepted == nullptr) return;
        accepted->setParent(nullptr);
        socket.reset(accepted);
        // One terminal per transfer: nobody else gets in once it is connected.
        server.close();
        outcome.kind = WifiWaitOutcome::kConnected;
        loop.exit(1);
    });
    QObject::connect(&server, &QTcpServer::acceptError, &loop,
                     [&](QAbstractSocket::SocketError error) {
                         outcome.kind = WifiWaitOutcome::kError;
                         outcome.waitStepError = true;
                         outcome.message = SetupError(u"accept", SystemCode(error));
                         loop.exit(0);
                     });
    outcome.kind = WifiWaitOutcome::kCancelled;
    bool cancelled = false;
    const auto requested = [cancel] { return cancel != nullptr && cancel->Requested(); };
    const CancelSignal::WakeScope wake(cancel, [&] { loop.exit(0); });
    waiter.Open(kWaitTitle, kWaitText, kWaitCancel, [&] {
        cancelled = true;
        if (cancel != nullptr) cancel->Request();
        loop.exit(0);
    });
    dots.start();
    // Showing the step may already have run events (a connection, a cancel); a signal may
    // have come before the wait began.
    if (!socket && !cancelled && !requested() && outcome.kind == WifiWaitOutcome::kCancelled)
        loop.exec();
    dots.stop();
    waiter.Close();
    server.close();
    if (requested()) {
        // A terminal that got in just as the person gave up is sent away again.
        socket.reset();
        outcome.kind = WifiWaitOutcome::kCancelled;
    }
    if (!socket) return nullptr;
    auto link = std::make_unique<WifiLink>(std::move(socket), style);
    link->WatchCancel(cancel);
    return link;
}

}  // namespace fw
