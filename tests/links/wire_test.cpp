// Transfers end to end against m740-sim, over a real TCP connection on 127.0.0.1 and over a
// real pseudo-terminal pair, with the bytes on the wire checked as the terminal saw them.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "comm/clock.h"
#include "comm/download.h"
#include "comm/upload.h"
#include "generator/image.h"
#include "harness.h"
#include "model/normalise.h"

namespace fw::test {
namespace {

struct Transport {
    const char* name;
    bool wifi;
    LinkWaitStyle style;
};
void PrintTo(const Transport& transport, std::ostream* os) {
    *os << transport.name;
}

class WireTest : public ::testing::TestWithParam<Transport> {
  protected:
    // Starts the simulator on the transport and points the settings at it.
    void StartSim(QStringList args, int sessions = 1) {
        ws_ = MakeWorkspace(dir_.Path());
        Settings& settings = ws_->settings;
        args << Args("--out", dir_ / "out", "--wire-log", dir_ / "wire", "--sessions", sessions);
        const std::uint8_t type = GetParam().wifi ? kLinkWifi : kLinkSerial;
        settings.downloadLinkType = settings.uploadLinkType = type;
        if (GetParam().wifi) {
            settings.networkPort = FreePort();
            args << Args("--tcp", TcpAddress(settings.networkPort));
        } else {
            // COM7 reaches the pseudo-terminal the way a user maps a port on this platform.
            settings.comPort = 7;
            std::filesystem::create_directories(dir_ / "dosdevices");
            args << Args("--pty", "--pty-link", dir_ / "dosdevices" / "com7");
        }
        sim_ = std::make_unique<SimProcess>(args);
        ASSERT_TRUE(sim_->Started());
        LinkOpenerConfig config;
        config.waitStyle = GetParam().style;
        opener_ = std::make_unique<QtLinkOpener>(*ws_, ui_, waiter_, config);
    }
    int Download(DownloadMode mode = kDownloadProgram) {
        return RunDownload(*ws_, *opener_, ui_, SystemClock(), mode);
    }
    std::string FromPc() const { return dir_.Read("wire.in"); }
    std::string ToPc() const { return dir_.Read("wire.out"); }

    // The image the download sends: the definition normalised, then generated.
    ProgramImage ExpectedImage() const {
        Definition copy = ws_->definition;
        NormaliseDefinition(copy);
        ProgramImage image{};
        GenerateProgramImage(copy, image);
        return image;
    }

    TempFolder dir_;
    std::unique_ptr<Workspace> ws_;
    std::unique_ptr<SimProcess> sim_;
    std::unique_ptr<QtLinkOpener> opener_;
    RecordingUi ui_;
    SilentWaiter waiter_;
};

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

// Image packets from the layout: 100 data bytes, their sum high byte first, the block number.
std::string ImagePackets(const ProgramImage& image, int first, int last) {
    std::string out;
    for (int i = first; i <= last; ++i) {
        unsigned sum = 0;
        for (int k = 0; k < 100; ++k) {
            const std::uint8_t b = image[static_cast<std::size_t>(i * 100 + k)];
            out.push_back(static_cast<char>(b));
            sum += b;
        }
        out += {static_cast<char>(sum >> 8), static_cast<char>(sum & 0xFF), static_cast<char>(i)};
    }
    return out;
}

TEST_P(WireTest, FullTerminalStopsAtOnceAndTheRetrySendsTheWholeImage) {
    StartSim(Args("--full", 5), 2);
    ui_.answers = {kIdYes};
    const ProgramImage image = ExpectedImage();
    EXPECT_EQ(Download(), 1);
    EXPECT_TRUE(sim_->Finish()) << sim_->Output();
    EXPECT_EQ(ui_.shown,
              (std::vector<std::string>{"Error: Memory full for Terminal!",
                                        "Error: Failed to download, would you like to retry?",
                                        "Download: Downloaded completely!"}));
    EXPECT_EQ(ui_.lastProgress, 100);
    // Packet 5 is tried once only, then the whole run starts again from the handshake; the
    // last block is 208 (0xD0).
    EXPECT_EQ(FromPc(),
              "VORTEK\r" + ImagePackets(image, 0, 5) + "VORTEK\r" + ImagePackets(image, 0, 208));
    EXPECT_EQ(ToPc(), Repeat("ACK\r", 6) + "FULL" + Repeat("ACK\r", 210));
    EXPECT_EQ(dir_.Read("out/image-1.bin"), std::string(image.begin(), image.end()));
}

TEST_P(WireTest, LookupFileGoesOutLineByLine) {
    StartSim({});
    // No CR after the last line; the middle line's sum is 269 (0x010D), so its low byte
    // goes out as 14; 0xFF is counted as 255.
    ui_.files = {dir_.Write("goods.txt", "AB\r\n\xFF\x0E\r\nC")};
    EXPECT_EQ(Download(kDownloadLookup), 1);
    EXPECT_TRUE(sim_->Finish()) << sim_->Output();
    EXPECT_EQ(ui_.shown, std::vector<std::string>{"Download: Downloaded completely!"});
    EXPECT_EQ(FromPc(), std::string("VORTEK\r"
                                    "\x41\x42\x00\x83\r"
                                    "\xFF\x0E\x01\x0E\r"
                                    "\x43\x00\x43\r"
                                    "OVER\r",
                                    7 + 5 + 5 + 4 + 5));
    EXPECT_EQ(ToPc(), Repeat("ACK\r", 5));
    EXPECT_EQ(dir_.Read("out/lookup-1.txt"), "AB\r\n\xFF\x0E\r\nC\r\n");
}

TEST_P(WireTest, UploadKeepsEachRecordOnceAndRefusesBadOnes) {
    // Record 0 arrives twice, record 1 first with sequence 6, record 2 first with a wrong sum;
    // record 3 sums to 269, so its low byte is sent as 14; record 10 wraps to sequence 0.
    std::string lines = "ABC\nline two\nthird\nd\xA6\n",
                expected = "ABC\r\nline two\r\nthird\r\nd\xA6\r\n";
    for (int i = 4; i <= 10; ++i) {
        lines += "r" + std::to_string(i) + "\n";
        expected += "r" + std::to_string(i) + "\r\n";
    }
    StartSim(Args("--records", dir_.Write("records.txt", lines), "--repeat", 0, "--out-of-sequence",
                  1, "--bad-checksum", 2));
    ui_.files = {dir_ / "received.txt"};
    EXPECT_EQ(RunUpload(*ws_, *opener_, ui_, SystemClock()), 11);
    EXPECT_TRUE(sim_->Finish()) << sim_->Output();
    EXPECT_EQ(dir_.Read("received.txt"), expected);

    const std::string toPc = ToPc();
    const std::string firstRecords(
        "ACK\r"
        "\x00\x41\x42\x43\xC6\x00\r"
        "\x00\x41\x42\x43\xC6\x00\r"
        "\x06line two\x28\x03\r"
        "\x01line two\x23\x03\r"
        "\x02third\x1C\x02\r"
        "\x02third\x1D\x02\r"
        "\x03\x64\xA6\x0E\x01\r",
        4 + 7 + 7 + 12 + 12 + 9 + 9 + 6);
    EXPECT_EQ(toPc.substr(0, firstRecords.size()), firstRecords);
    EXPECT_EQ(toPc.substr(toPc.size() - 5), "OVER\r");
    EXPECT_EQ(FromPc(), "READ\rACK\rACK\rNAK\rACK\rNAK\rACK\rACK\r" + Repeat("ACK\r", 7));
}

const Transport kTransports[] = {
    {"TcpEventLoop", true, LinkWaitStyle::kEventLoop},
    {"TcpBlocking", true, LinkWaitStyle::kBlocking},
    {"PtyEventLoop", false, LinkWaitStyle::kEventLoop},
    {"PtyBlocking", false, LinkWaitStyle::kBlocking},
};
const auto kTransportName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(Links, WireTest, ::testing::ValuesIn(kTransports), kTransportName);

// A serial line cannot hang up; a TCP connection can.
class TcpOnlyTest : public WireTest {};

TEST_P(TcpOnlyTest, TerminalHangingUpFailsThePacketAtOnce) {
    StartSim(Args("--disconnect-after", 3));
    EXPECT_EQ(Download(), 1);
    EXPECT_TRUE(sim_->Finish()) << sim_->Output();
    EXPECT_EQ(ui_.shown,
              (std::vector<std::string>{"Error: Error on downloading!",
                                        "Error: Failed to download, would you like to retry?"}));
    EXPECT_EQ(ToPc(), Repeat("ACK\r", 4));
}

INSTANTIATE_TEST_SUITE_P(Links, TcpOnlyTest, ::testing::ValuesIn(kTransports, kTransports + 2),
                         kTransportName);

}  // namespace
}  // namespace fw::test
