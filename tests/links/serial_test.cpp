// The serial link on a pseudo-terminal: the line settings, the COM number mapping and the
// messages when a port cannot be opened.
#include <gtest/gtest.h>

#include "comm/links/comport.h"
#include "comm/links/linkopener.h"
#include "comm/links/seriallink.h"
#include "harness.h"

namespace fw::test {
namespace {

TEST(SerialLink, BaudRateIndexSelectsTheRateAndTheLineIs8N1WithoutFlowControl) {
    SimProcess sim({QStringLiteral("--pty")});
    ASSERT_TRUE(sim.Started());
    const struct {
        std::uint8_t index;
        std::int32_t baud;
        bool spp;
    } cases[] = {{0, 115200, false}, {1, 57600, true}, {2, 38400, true},
                 {3, 19200, false},  {4, 9600, false}, {7, 115200, false}};
    for (const auto& c : cases) {
        SerialLinkConfig config;
        config.device = sim.PtyName();
        config.baudRate = BaudRateFor(c.index);
        config.holdModemLines = c.spp;
        SerialOpenResult result = SerialOpenResult::kCannotOpen;
        auto link = SerialLink::Open(config, result);
        // A pseudo-terminal has no modem lines; Serial-SPP still opens.
        ASSERT_EQ(result, SerialOpenResult::kOk) << int(c.index);
        ASSERT_NE(link, nullptr);
        EXPECT_TRUE(link->IsSerial());
        EXPECT_EQ(link->Port().baudRate(), c.baud) << int(c.index);
        EXPECT_EQ(link->Port().dataBits(), QSerialPort::Data8);
        EXPECT_EQ(link->Port().parity(), QSerialPort::NoParity);
        EXPECT_EQ(link->Port().stopBits(), QSerialPort::OneStop);
        EXPECT_EQ(link->Port().flowControl(), QSerialPort::NoFlowControl);
        link->Close(true);
    }
}

TEST(SerialLink, SilentLineTimesOutAndPurgedInputIsGone) {
    SimProcess sim({QStringLiteral("--pty")});
    ASSERT_TRUE(sim.Started());
    for (const LinkWaitStyle style : {LinkWaitStyle::kEventLoop, LinkWaitStyle::kBlocking}) {
        SerialLinkConfig config;
        config.device = sim.PtyName();
        config.waitStyle = style;
        SerialOpenResult result;
        auto link = SerialLink::Open(config, result);
        ASSERT_NE(link, nullptr);
        std::array<std::uint8_t, 16> buffer{};
        EXPECT_EQ(link->Receive(buffer, 30).status, ReceiveStatus::kTimeout);

        const std::string hello = "VORTEK\r";
        ASSERT_TRUE(
            link->Send({reinterpret_cast<const std::uint8_t*>(hello.data()), hello.size()}).ok);
        const ReceiveResult got = link->Receive(buffer, 3000);
        ASSERT_EQ(got.status, ReceiveStatus::kOk);
        EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + static_cast<long>(got.count)),
                  "ACK\r");
        // An answer that arrives but is purged before it is read never reaches the reader.
        ASSERT_TRUE(
            link->Send({reinterpret_cast<const std::uint8_t*>(hello.data()), hello.size()}).ok);
        ASSERT_TRUE(link->Receive(std::span(buffer).first(1), 3000).count == 1);
        link->PurgeInput();
        EXPECT_EQ(link->Receive(buffer, 100).status, ReceiveStatus::kTimeout);
        link->Close(true);
    }
}

TEST(SerialLink, TerminalThatHangsUpBreaksTheLink) {
    for (const LinkWaitStyle style : {LinkWaitStyle::kEventLoop, LinkWaitStyle::kBlocking}) {
        SimProcess sim({QStringLiteral("--pty")});
        ASSERT_TRUE(sim.Started());
        SerialLinkConfig config;
        config.device = sim.PtyName();
        config.waitStyle = style;
        SerialOpenResult result;
        auto link = SerialLink::Open(config, result);
        ASSERT_NE(link, nullptr);
        const std::string hello = "VORTEK\r";
        ASSERT_TRUE(
            link->Send({reinterpret_cast<const std::uint8_t*>(hello.data()), hello.size()}).ok);
        std::array<std::uint8_t, 16> buffer{};
        ASSERT_EQ(link->Receive(buffer, 3000).status, ReceiveStatus::kOk);
        sim.Kill();
        // Not a quiet line: the other side is gone, and the flows stop waiting for it.
        EXPECT_EQ(link->Receive(buffer, 1000).status, ReceiveStatus::kFailed);
    }
}

TEST(SerialLink, PortThatCannotBeOpenedIsReported) {
    TempFolder dir;
    auto ws = MakeWorkspace(dir.Path());
    RecordingUi ui;
    SilentWaiter waiter;
    LinkOpenerConfig config;
    config.device = dir.Path() / "no-such-device";
    QtLinkOpener opener(*ws, ui, waiter, config);
    EXPECT_EQ(opener.OpenLink(LinkDirection::kDownload), nullptr);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(Utf8(ui.shown[0].caption), "Error");
    EXPECT_EQ(Utf8(ui.shown[0].text), "Cannot open the COM port!");
}

TEST(ComPortDevice, DosdevicesLinkWinsOverTheSerialDeviceName) {
    TempFolder dir;
    EXPECT_EQ(ComPortDevice(1, dir.Path()), "/dev/ttyS0");
    EXPECT_EQ(ComPortDevice(12, dir.Path()), "/dev/ttyS11");
    const std::filesystem::path target = dir.Path() / "adapter";
    WriteFile(target, "");
    std::filesystem::create_directories(dir.Path() / "dosdevices");
    std::filesystem::create_symlink(target, dir.Path() / "dosdevices" / "com12");
    EXPECT_EQ(ComPortDevice(12, dir.Path()), std::filesystem::canonical(target));
    EXPECT_EQ(ComPortDevice(11, dir.Path()), "/dev/ttyS10");
}

}  // namespace
}  // namespace fw::test
