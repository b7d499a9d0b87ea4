#include "comm/download.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fakes.h"
#include "generator/image.h"
#include "model/normalise.h"

namespace fw::test {
namespace {

int RunProgram(Rig& rig, TransferOutcome* outcome = nullptr) {
    return RunDownload(rig.ws, rig, rig, rig.clock, kDownloadProgram, outcome);
}

TEST(ImagePacket, FramingOfDataSumAndBlockNumber) {
    struct Case {
        std::uint8_t fill;
        std::size_t block;
        int high, low, number;
    };
    // 100 × 0xFF = 25500 = 0x639C; 100 × 0x01 = 0x0064; 13 is not escaped in image packets:
    // 100 × 0x0D = 1300 = 0x0514, and 0x0D bytes go out unchanged.
    const Case cases[] = {
        {0xFF, 0, 0x63, 0x9C, 0x00},
        {0x00, 208, 0x00, 0x00, 0xD0},
        {0x01, 7, 0x00, 0x64, 0x07},
        {0x0D, 100, 0x05, 0x14, 0x64},
    };
    for (const Case& c : cases) {
        Rig rig;
        ProgramImage image{};
        std::fill_n(image.begin() + c.block * 100, 100, c.fill);
        FillImagePacket(rig.session, image, c.block);
        const auto& p = rig.session.packet;
        EXPECT_EQ(std::string(p.begin(), p.begin() + 103),
                  std::string(100, static_cast<char>(c.fill)) + Bytes({c.high, c.low, c.number}));
    }
}

TEST(Download, AcknowledgedImageGoesOutAsHandshakeAnd209PacketsWithProgressAndTimings) {
    Rig rig;
    rig.EnableTimings();
    rig.link->sendCostUs = 100;
    Ack(*rig.link, 1 + 209);
    EXPECT_EQ(RunProgram(rig), 1);

    // The image of what was downloaded: the definition as normalised for the download.
    Definition normalised = rig.ws.definition;
    NormaliseDefinition(normalised);
    ProgramImage image{};
    GenerateProgramImage(normalised, image);
    const auto& sent = rig.link->sent;
    ASSERT_EQ(sent.size(), 210u);
    EXPECT_EQ(sent[0], "VORTEK\r");
    for (std::size_t i = 0; i < 209; ++i) {
        std::string packet(image.begin() + i * 100, image.begin() + i * 100 + 100);
        unsigned sum = 0;
        for (char b : packet)
            sum += static_cast<std::uint8_t>(b);
        packet += Bytes({static_cast<int>(sum >> 8), static_cast<int>(sum & 0xFF), int(i)});
        ASSERT_EQ(sent[1 + i], packet) << i;
    }

    // 0 when the window opens, 5 after packet 0, one more after every odd packet; 100 from
    // packet 189 on, and once more at the end.
    const auto& p = rig.progress;
    ASSERT_EQ(p.size(), 1u + 209u + 1u);
    EXPECT_EQ((std::vector<int>{p[0], p[1], p[2], p[3], p[189], p[190]}),
              (std::vector<int>{0, 5, 6, 6, 99, 100}));
    EXPECT_TRUE(std::is_sorted(p.begin(), p.end()));
    EXPECT_EQ(std::count(p.begin(), p.end(), 100), 21);
    EXPECT_EQ(rig.progressWindows, std::vector<std::u16string>{u"Progress: Downloading..."});
    EXPECT_FALSE(rig.progressOpen);

    // 210 sends of 100 µs, 210 answers after 2 ms each, and a 1 ms pause after each packet.
    EXPECT_EQ(rig.messages, (Shown{{u"Download",
                                    u"Downloaded completely!\r\n"
                                    u"Общее время загрузки - 650 мсек.\r\n"
                                    u"send: time=21000 (Avg=100) мксек., count=210\r\n"
                                    u"recv: time=420000 (Avg=2000) мксек., count=210\r\n",
                                    MessageIcon::Information}}));
    EXPECT_EQ(rig.opened, std::vector<LinkDirection>{LinkDirection::kDownload});
    EXPECT_EQ(rig.link->closes, std::vector{true});  // the end of a download purges
}

TEST(Download, FailuresTellTheUserAndOfferARetry) {
    struct Case {
        const char* name;
        int acks;    // the terminal acknowledges that many transmissions,
        Reply then;  // then answers the next ones so,
        int times;   // that many times
        std::size_t sends;
        std::u16string failure;
        std::string ended;
    };
    const std::u16string notReady = u"Terminal is not ready!", error = u"Error on downloading!";
    const Case cases[] = {
        {"silent terminal", 0, {}, 0, 3, notReady, "retry declined 1145"},
        {"wrong answers to the handshake", 0, Answer("NAK\r"), 3, 3, notReady,
         "retry declined 1145"},
        {"FULL at packet 5", 1 + 5, Answer("FULL"), 1, 1 + 6, u"Memory full for Terminal!",
         "retry declined 1146"},
        {"ACK without CR to packet 3", 1 + 3, Answer("ACK", 10), 7, 1 + 3 + 7, error,
         "retry declined 1168"},
        {"terminal gone after packet 10", 1 + 10, Reply{{"", 5, true}}, 1, 1 + 10 + 7, error,
         "retry declined 1168"},
    };
    for (const Case& c : cases) {
        Rig rig;
        Ack(*rig.link, c.acks);
        rig.link->replies.insert(rig.link->replies.end(), c.times, c.then);
        TransferOutcome outcome;
        EXPECT_EQ(RunProgram(rig, &outcome), 1) << c.name;
        EXPECT_EQ(Ended(outcome), c.ended) << c.name;
        EXPECT_EQ(rig.link->sent.size(), c.sends) << c.name;
        EXPECT_EQ(rig.messages,
                  (Shown{{u"Error", c.failure, MessageIcon::Warning}, kRetryQuestion}))
            << c.name;
        EXPECT_FALSE(rig.progressOpen) << c.name;  // closed before the message
        EXPECT_EQ(rig.link->closes, std::vector{true}) << c.name;
    }
}

TEST(Download, UnansweredPacketIsResentUnchangedAndYesToTheRetryStartsOverOnAFreshLink) {
    Rig rig;
    Ack(*rig.link, 1 + 2);
    rig.link->replies.push_back(Answer("NAK\r"));
    rig.link->replies.push_back(Answer(""));
    Ack(*rig.link, 2);                            // packets 2 (third attempt) and 3
    rig.link->replies.push_back(Answer("FULL"));  // packet 4
    LinkScript* second = rig.AddLink();
    Ack(*second, 1 + 209);
    rig.answers = {kIdYes};
    TransferOutcome outcome;
    EXPECT_EQ(RunProgram(rig, &outcome), 1);
    EXPECT_EQ(Ended(outcome), "completed 0");  // the retry's success, not the first failure
    const auto& sent = rig.link->sent;
    ASSERT_EQ(sent.size(), 1u + 5u + 2u);
    EXPECT_EQ(sent[3], sent[4]);
    EXPECT_EQ(sent[3], sent[5]);
    EXPECT_EQ(static_cast<std::uint8_t>(sent[5][102]), 2);
    EXPECT_EQ(static_cast<std::uint8_t>(sent[6][102]), 3);
    EXPECT_EQ(rig.link->closes, std::vector{false});  // a retry does not purge
    EXPECT_EQ(rig.opened.size(), 2u);
    EXPECT_EQ(second->sent.size(), 210u);
    EXPECT_EQ(second->closes, std::vector{true});
    EXPECT_EQ(rig.messages, (Shown{kMemoryFull, kRetryQuestion, kDownloaded}));
}

TEST(Download, LinkThatDoesNotOpenEndsTheRunAsTheOpenerSays) {
    const struct {
        LinkOpenFailure failure;
        std::string ended;
    } cases[] = {
        {{false, 1162}, "failed 1162"},  // "Cannot open the COM port!"
        {{false, 0}, "failed 0"},        // a Wi-Fi setup error, a text built in code
        {{true, 0}, "cancelled 0"},      // the wait for the terminal cancelled
    };
    for (const auto& c : cases) {
        Rig rig;
        rig.next = 1;
        rig.openFailure = c.failure;
        TransferOutcome outcome;
        EXPECT_EQ(RunProgram(rig, &outcome), -1);
        EXPECT_EQ(Ended(outcome), c.ended);
    }
    // A retry whose link does not open ends as that open says, not as the first failure did.
    Rig rig;
    rig.answers = {kIdYes};
    rig.openFailure = {false, 1169};
    TransferOutcome outcome;
    EXPECT_EQ(RunProgram(rig, &outcome), -1);
    EXPECT_EQ(Ended(outcome), "failed 1169");
    EXPECT_EQ(rig.opened.size(), 2u);
}

}  // namespace
}  // namespace fw::test
