// The serial link on a pseudo-terminal, and the COM number mapping. A port that cannot be opened
// is reported as the command-line tests show.
#include <gtest/gtest.h>

#include "comm/links/comport.h"
#include "comm/links/seriallink.h"
#include "harness.h"

namespace fw::test {
namespace {

std::unique_ptr<SerialLink> OpenOn(const SimProcess& sim, LinkWaitStyle style,
                                   std::uint8_t baudRateIndex = 0, bool spp = false) {
    SerialLinkConfig config;
    config.device = sim.PtyName();
    config.waitStyle = style;
    config.setup = SerialPortSetupFor(spp ? kLinkSerialSpp : kLinkSerial, baudRateIndex);
    SerialOpenResult result = SerialOpenResult::kCannotOpen;
    auto link = SerialLink::Open(config, result);
    EXPECT_EQ(result, SerialOpenResult::kOk);
    return link;
}

TEST(SerialLink, BaudRateIndexSelectsTheRateAndTheLineIs8N1WithoutFlowControl) {
    SimProcess sim(Args("--pty"));
    ASSERT_TRUE(sim.Started());
    const struct {
        std::uint8_t index;
        std::int32_t baud;
        bool spp;
    } cases[] = {{0, 115200, false}, {1, 57600, true}, {2, 38400, true},
                 {3, 19200, false},  {4, 9600, false}, {7, 115200, false}};
    for (const auto& c : cases) {
        // A pseudo-terminal has no modem lines; Serial-SPP still opens.
        auto link = OpenOn(sim, LinkWaitStyle::kEventLoop, c.index, c.spp);
        ASSERT_NE(link, nullptr) << int(c.index);
        EXPECT_TRUE(link->IsSerial());
        const QSerialPort& port = link->Port();
        EXPECT_EQ(port.baudRate(), c.baud) << int(c.index);
        EXPECT_EQ(port.dataBits(), QSerialPort::Data8);
        EXPECT_EQ(port.parity(), QSerialPort::NoParity);
        EXPECT_EQ(port.stopBits(), QSerialPort::OneStop);
        EXPECT_EQ(port.flowControl(), QSerialPort::NoFlowControl);
        link->Close(true);
    }
}

TEST(SerialPortSetup, ModemLinesAreHeldForSerialSppOnly) {
    const struct {
        std::uint8_t type, index;
        SerialPortSetup setup;
    } cases[] = {
        {kLinkSerial, 2, {38400, false}},
        {kLinkSerialSpp, 2, {38400, true}},
        {kLinkSerialSpp, 4, {9600, true}},
        {kLinkWifi, 0, {115200, false}},
        {kLinkSerial, 200, {115200, false}},  // an index the preferences never offer
        {7, 1, {57600, false}},               // nor a link type
    };
    for (const auto& c : cases)
        EXPECT_EQ(SerialPortSetupFor(c.type, c.index), c.setup)
            << int(c.type) << " " << int(c.index);
}

TEST(SerialLink, SilenceTimesOutPurgedInputIsGoneAndAHangUpBreaksTheLink) {
    for (const LinkWaitStyle style : {LinkWaitStyle::kEventLoop, LinkWaitStyle::kBlocking}) {
        SimProcess sim(Args("--pty"));
        ASSERT_TRUE(sim.Started());
        auto link = OpenOn(sim, style);
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(ReceiveText(*link, 30), "(time-out)");
        ASSERT_TRUE(SendText(*link, "VORTEK\r"));
        EXPECT_EQ(ReceiveText(*link, 3000), "ACK\r");
        // An answer that arrives but is purged before it is read never reaches the reader.
        ASSERT_TRUE(SendText(*link, "VORTEK\r"));
        ASSERT_EQ(ReceiveText(*link, 3000, 1), "A");
        link->PurgeInput();
        EXPECT_EQ(ReceiveText(*link, 100), "(time-out)");
        sim.Kill();
        // Not a quiet line: the other side is gone, and the flows stop waiting for it.
        EXPECT_EQ(ReceiveText(*link, 1000), "(failed)");
    }
}

TEST(ComPortDevice, DosdevicesLinkWinsOverTheSerialDeviceName) {
    TempFolder dir;
    EXPECT_EQ(ComPortDevice(1, dir.Path()), "/dev/ttyS0");
    EXPECT_EQ(ComPortDevice(12, dir.Path()), "/dev/ttyS11");
    const std::filesystem::path target = dir.Write("adapter", "");
    std::filesystem::create_directories(dir / "dosdevices");
    std::filesystem::create_symlink(target, dir / "dosdevices" / "com12");
    EXPECT_EQ(ComPortDevice(12, dir.Path()), std::filesystem::canonical(target));
    EXPECT_EQ(ComPortDevice(11, dir.Path()), "/dev/ttyS10");
}

}  // namespace
}  // namespace fw::test
