// The Wi-Fi link's waiting step: the dot animation, cancelling, one terminal per transfer and
// the messages when the server cannot be set up.
#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>

#include <cerrno>
#include <ostream>

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

}  // namespace
}  // namespace fw::test
