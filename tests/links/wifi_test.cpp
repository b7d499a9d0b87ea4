// The Wi-Fi link's waiting step: the dot animation, cancelling, one terminal per transfer and
// the messages when the server cannot be set up.
#include <gtest/gtest.h>

#include <QTcpServer>
#include <QTcpSocket>

#include <cerrno>

#include "comm/links/linkopener.h"
#include "harness.h"

namespace fw::test {
namespace {

constexpr char16_t kBase[] = u"Ожидание подключения терминала";

TEST(WifiLink, WaitingStepAnimatesDotsAndCancelsWithoutAMessage) {
    TempFolder dir;
    auto ws = MakeWorkspace(dir.Path());
    ws->settings.downloadLinkType = kLinkWifi;
    const std::uint16_t port = FreePort();
    ws->settings.networkPort = port;
    RecordingUi ui;
    RecordingWaiter waiter;
    waiter.cancelAfterTicks = 4;
    QtLinkOpener opener(*ws, ui, waiter);

    EXPECT_EQ(opener.OpenLink(LinkDirection::kDownload), nullptr);
    EXPECT_TRUE(ui.shown.empty());
    const std::u16string base(kBase);
    EXPECT_EQ(waiter.texts,
              (std::vector<std::u16string>{u"Ожидание подключения", base, u"Отмена", base + u".",
                                           base + u"..", base + u"...", base}));
    EXPECT_EQ(waiter.closed, 1);
    // The listener is gone: a terminal now finds nobody there.
    QTcpSocket late;
    late.connectToHost(QHostAddress::LocalHost, port);
    EXPECT_FALSE(late.waitForConnected(2000));
}

TEST(WifiLink, OnlyTheFirstTerminalGetsIn) {
    TempFolder dir;
    auto ws = MakeWorkspace(dir.Path());
    const std::uint16_t port = FreePort();
    ws->settings.uploadLinkType = kLinkWifi;
    ws->settings.networkPort = port;
    SimProcess sim({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(port),
                    QStringLiteral("--sessions"), QStringLiteral("1")});
    ASSERT_TRUE(sim.Started());
    RecordingUi ui;
    RecordingWaiter waiter;
    QtLinkOpener opener(*ws, ui, waiter);

    auto link = opener.OpenLink(LinkDirection::kUpload);
    ASSERT_NE(link, nullptr);
    EXPECT_FALSE(link->IsSerial());
    EXPECT_EQ(waiter.closed, 1);
    QTcpSocket second;
    second.connectToHost(QHostAddress::LocalHost, port);
    EXPECT_FALSE(second.waitForConnected(2000));
    EXPECT_EQ(second.error(), QAbstractSocket::ConnectionRefusedError);

    // The connection itself carries bytes both ways.
    const std::string hello = "READ\r";
    EXPECT_TRUE(link->Send({reinterpret_cast<const std::uint8_t*>(hello.data()), hello.size()}).ok);
    std::array<std::uint8_t, 16> answer{};
    const ReceiveResult got = link->Receive(answer, 3000);
    ASSERT_EQ(got.status, ReceiveStatus::kOk);
    EXPECT_EQ(std::string(answer.begin(), answer.begin() + static_cast<long>(got.count)), "ACK\r");
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

class WifiSetupTest : public ::testing::TestWithParam<SetupFailure> {};

TEST_P(WifiSetupTest, ServerThatCannotStartIsReportedUnderTheTransfersCaption) {
    const SetupFailure& c = GetParam();
    TempFolder dir;
    auto ws = MakeWorkspace(dir.Path());
    ws->settings.downloadLinkType = kLinkWifi;
    ws->settings.uploadLinkType = kLinkWifi;
    QTcpServer squatter;
    if (c.portTaken) {
        ASSERT_TRUE(squatter.listen(QHostAddress::AnyIPv4, 0));
        ws->settings.networkPort = squatter.serverPort();
    } else {
        ws->settings.networkPort = 70000;
    }
    RecordingUi ui;
    RecordingWaiter waiter;
    QtLinkOpener opener(*ws, ui, waiter);

    EXPECT_EQ(opener.OpenLink(c.direction), nullptr);
    EXPECT_TRUE(waiter.texts.empty());  // no waiting step without a server
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(Utf8(ui.shown[0].caption), c.caption);
    const std::string text = Utf8(ui.shown[0].text);
    const std::string prefix =
        "Ошибка настройки соединения (" + c.call + "): (" + std::to_string(c.code) + ":";
    EXPECT_EQ(text.substr(0, prefix.size()), prefix) << text;
    EXPECT_EQ(text.back(), ')');
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
