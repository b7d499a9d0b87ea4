// The Wi-Fi link's waiting step: the dot animation, cancelling, one terminal per transfer and
// the messages when the server cannot be set up; and its waits ending when the transfer is
// cancelled (a receive on a silent terminal is cancelled end to end by the command-line and
// window tests).
#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <ostream>

#include "comm/links/wifilink.h"
#include "harness.h"

namespace fw::test {
namespace {

// A workspace whose transfers both go over Wi-Fi to the port.
std::unique_ptr<Workspace> WifiWorkspace(const TempFolder& dir, std::uint32_t port) {
    auto ws = MakeWorkspace(dir.Path());
    ws->settings.downloadLinkType = kLinkWifi;
    ws->settings.uploadLinkType = kLinkWifi;
    ws->settings.networkPort = port;
    return ws;
}

// Whether a terminal that tries to connect now is turned away: nobody listens any more.
bool Refused(std::uint16_t port) {
    QTcpSocket terminal;
    terminal.connectToHost(QHostAddress::LocalHost, port);
    return !terminal.waitForConnected(2000) &&
           terminal.error() == QAbstractSocket::ConnectionRefusedError;
}

TEST(WifiLink, WaitingStepAnimatesDotsAndCancelsWithoutAMessage) {
    TempFolder dir;
    const std::uint16_t port = FreePort();
    auto ws = WifiWorkspace(dir, port);
    RecordingUi ui;
    RecordingWaiter waiter;
    waiter.cancelAfterTicks = 4;
    QtLinkOpener opener(*ws, ui, waiter);

    EXPECT_EQ(opener.OpenLink(LinkDirection::kDownload), nullptr);
    EXPECT_TRUE(ui.shown.empty());
    const std::u16string base = u"Ожидание подключения терминала";
    EXPECT_EQ(waiter.texts,
              (std::vector<std::u16string>{u"Ожидание подключения", base, u"Отмена", base + u".",
                                           base + u"..", base + u"...", base}));
    EXPECT_EQ(waiter.closed, 1);
    EXPECT_TRUE(Refused(port));  // the listener is gone
}

TEST(WifiLink, OnlyTheFirstTerminalGetsIn) {
    TempFolder dir;
    const std::uint16_t port = FreePort();
    auto ws = WifiWorkspace(dir, port);
    SimProcess sim(Args("--tcp", TcpAddress(port), "--sessions", 1));
    ASSERT_TRUE(sim.Started());
    RecordingUi ui;
    RecordingWaiter waiter;
    QtLinkOpener opener(*ws, ui, waiter);

    auto link = opener.OpenLink(LinkDirection::kUpload);
    ASSERT_NE(link, nullptr);
    EXPECT_FALSE(link->IsSerial());
    EXPECT_EQ(waiter.closed, 1);
    EXPECT_TRUE(Refused(port));
    // The connection itself carries bytes both ways.
    EXPECT_TRUE(SendText(*link, "READ\r"));
    EXPECT_EQ(ReceiveText(*link, 3000), "ACK\r");
    // Then the terminal says it has nothing more; after the PC closes, it is gone too.
    link->Close(false);
    EXPECT_TRUE(sim.Finish());
}

// A terminal that connects while the PC waits and then reads nothing until told to.
class StubbornTerminal final : public ConnectionWaiter {
  public:
    explicit StubbornTerminal(std::uint16_t port) : port_(port) {}
    ~StubbornTerminal() override {
        if (fd >= 0) ::close(fd);
    }
    void Open(std::u16string_view, std::u16string_view, std::u16string_view,
              std::function<void()>) override {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        const int small = 4096;  // so that the PC's sends back up soon
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port_);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        // The listener's backlog completes the connection before it is accepted.
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    }
    void SetText(std::u16string_view) override {}
    void Close() override {}

    int fd = -1;

  private:
    std::uint16_t port_;
};

TEST(WifiLink, SendThatTimesOutFailsAloneAndTheConnectionStays) {
    EnsureQtApplication();
    const std::uint16_t port = FreePort();
    StubbornTerminal terminal(port);
    WifiWaitOutcome outcome;
    auto link = WaitForTerminal(port, LinkWaitStyle::kEventLoop, terminal, outcome);
    ASSERT_NE(link, nullptr);
    // Far more than the system's buffers hold while nobody reads: not out within 1000 ms.
    const std::vector<std::uint8_t> flood(64u << 20, 'x');
    EXPECT_FALSE(link->Send(flood).ok);
    // The terminal speaks again, and the PC still hears it on the same connection.
    ASSERT_EQ(::send(terminal.fd, "ACK\r", 4, 0), 4);
    EXPECT_EQ(ReceiveText(*link, 3000), "ACK\r");
    link->Close(false);
}

TEST(LinkOpener, EachDirectionOpensTheLinkItsOwnSettingNames) {
    const struct {
        std::uint8_t download, upload;
    } cases[] = {{kLinkSerial, kLinkWifi}, {kLinkWifi, kLinkSerialSpp}, {kLinkWifi, kLinkSerial}};
    for (const auto& c : cases) {
        for (const LinkDirection direction : {LinkDirection::kDownload, LinkDirection::kUpload}) {
            const bool wifi =
                (direction == LinkDirection::kDownload ? c.download : c.upload) == kLinkWifi;
            SCOPED_TRACE(std::to_string(c.download) + "/" + std::to_string(c.upload) +
                         (direction == LinkDirection::kDownload ? " download" : " upload"));
            TempFolder dir;
            auto ws = MakeWorkspace(dir.Path());
            ws->settings.downloadLinkType = c.download;
            ws->settings.uploadLinkType = c.upload;
            ws->settings.networkPort = FreePort();
            RecordingUi ui;
            RecordingWaiter waiter;
            waiter.cancelAfterTicks = 1;
            LinkOpenerConfig config;
            config.device = dir / "no-port";
            QtLinkOpener opener(*ws, ui, waiter, config);

            EXPECT_EQ(opener.OpenLink(direction), nullptr);
            const LinkOpenFailure failure = opener.LastOpenFailure();
            if (wifi) {
                EXPECT_EQ(waiter.closed, 1);  // the Wi-Fi wait, cancelled
                EXPECT_TRUE(ui.shown.empty());
                EXPECT_TRUE(failure.cancelled);
            } else {
                EXPECT_EQ(waiter.closed, 0);
                EXPECT_EQ(ui.shown, std::vector<std::string>{"Error: Cannot open the COM port!"});
                EXPECT_FALSE(failure.cancelled);
                EXPECT_EQ(failure.messageId, 1162);
            }
        }
    }
}

struct SetupFailure {
    const char* name;
    LinkDirection direction;
    bool portTaken;  // else the port number is out of range
    std::string caption;
    std::string call;
    int code;
};
void PrintTo(const SetupFailure& failure, std::ostream* os) {
    *os << failure.name;
}

class WifiSetupTest : public ::testing::TestWithParam<SetupFailure> {};

TEST_P(WifiSetupTest, ServerThatCannotStartIsReportedUnderTheTransfersCaption) {
    const SetupFailure& c = GetParam();
    TempFolder dir;
    QTcpServer squatter;
    if (c.portTaken) {
        ASSERT_TRUE(squatter.listen(QHostAddress::AnyIPv4, 0));
    }
    auto ws = WifiWorkspace(dir, c.portTaken ? squatter.serverPort() : 70000);
    RecordingUi ui;
    RecordingWaiter waiter;
    QtLinkOpener opener(*ws, ui, waiter);

    EXPECT_EQ(opener.OpenLink(c.direction), nullptr);
    EXPECT_TRUE(waiter.texts.empty());  // no waiting step without a server
    ASSERT_EQ(ui.shown.size(), 1u);
    const std::string& shown = ui.shown[0];
    const std::string prefix = c.caption + ": Ошибка настройки соединения (" + c.call + "): (" +
                               std::to_string(c.code) + ":";
    EXPECT_EQ(shown.substr(0, prefix.size()), prefix) << shown;
    EXPECT_EQ(shown.back(), ')');
}

const SetupFailure kSetupFailures[] = {
    {"PortTakenOnDownload", LinkDirection::kDownload, true, "Download", "bind", EADDRINUSE},
    {"PortTakenOnUpload", LinkDirection::kUpload, true, "Upload Data", "bind", EADDRINUSE},
    {"PortOutOfRange", LinkDirection::kDownload, false, "Download", "getaddrinfo", EINVAL},
};
INSTANTIATE_TEST_SUITE_P(Links, WifiSetupTest, ::testing::ValuesIn(kSetupFailures),
                         [](const auto& info) { return std::string(info.param.name); });

// Makes the request from the event loop that the link's wait runs, as a Cancel button does.
void RequestSoon(CancelSignal& cancel, int ms = 50) {
    QTimer::singleShot(ms, [&cancel] { cancel.Request(); });
}

TEST(LinkCancel, SendThatTheOtherSideDoesNotTakeEndsOnTheRequest) {
    EnsureQtApplication();
    // The system takes the connection, but nobody accepts it and so nobody reads.
    QTcpServer terminal;
    ASSERT_TRUE(terminal.listen(QHostAddress::LocalHost, 0));
    terminal.pauseAccepting();
    auto socket = std::make_unique<QTcpSocket>();
    socket->connectToHost(QHostAddress::LocalHost, terminal.serverPort());
    ASSERT_TRUE(socket->waitForConnected(5000));
    WifiLink link(std::move(socket), LinkWaitStyle::kEventLoop);
    CancelSignal cancel;
    link.WatchCancel(&cancel);

    // Far more than the system's buffers on both sides hold: the send must wait for room.
    const std::vector<std::uint8_t> flood(64u << 20, 0x55);
    RequestSoon(cancel);
    const SendResult result = link.Send(flood);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.cancelled);
}

TEST(LinkCancel, WaitForTheWifiTerminalEndsOnTheRequestAndItsCancelMakesTheRequest) {
    struct Case {
        const char* name;
        int requestAfterMs;  // -1: made before the wait; 0: by the waiting step's own cancel
    };
    for (const Case c : {Case{"request while waiting", 100}, Case{"request before the wait", -1},
                         Case{"the waiting step's cancel", 0}}) {
        const std::uint16_t port = FreePort();
        CancelSignal cancel;
        RecordingWaiter waiter;
        // The step's own cancel after the first dot; else after ten, should the request fail.
        waiter.cancelAfterTicks = c.requestAfterMs == 0 ? 1 : 10;
        if (c.requestAfterMs < 0) cancel.Request();
        if (c.requestAfterMs > 0) RequestSoon(cancel, c.requestAfterMs);
        WifiWaitOutcome outcome;
        auto link = WaitForTerminal(port, LinkWaitStyle::kEventLoop, waiter, outcome, &cancel);
        EXPECT_EQ(link, nullptr) << c.name;
        EXPECT_EQ(outcome.kind, WifiWaitOutcome::kCancelled) << c.name;
        EXPECT_TRUE(cancel.Requested()) << c.name;
        EXPECT_EQ(waiter.closed, 1) << c.name;
        // Title, text and button, and a dot only when the step's cancel waited for it.
        EXPECT_EQ(waiter.texts.size(), c.requestAfterMs == 0 ? 4u : 3u) << c.name;
        // The listener is gone at once.
        QTcpSocket late;
        late.connectToHost(QHostAddress::LocalHost, port);
        EXPECT_FALSE(late.waitForConnected(2000)) << c.name;
    }
}

}  // namespace
}  // namespace fw::test
