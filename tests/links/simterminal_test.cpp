// The virtual terminal's own checks, in-process: the end-to-end tests trust it to refuse what a
// terminal would refuse.
#include <gtest/gtest.h>

#include "simterminal.h"

namespace fw::test {
namespace {

using sim::SimAction;

// What the terminal answers to each transmission in turn; the last transmission's actions are
// left in last.
std::vector<std::string> Answers(sim::SimTerminal& terminal, const std::vector<std::string>& in,
                                 std::vector<SimAction>& last) {
    std::vector<std::string> out;
    for (const std::string& bytes : in) {
        last.clear();
        terminal.Receive(bytes, last);
        out.emplace_back();
        for (const SimAction& a : last)
            if (a.kind == SimAction::Kind::kSend) out.back() += a.bytes;
    }
    return out;
}

std::string ImagePacket(char fill, int block, char sumHigh, char sumLow) {
    return std::string(100, fill) + sumHigh + sumLow + static_cast<char>(block);
}

TEST(SimTerminal, ImagePacketsAreCheckedForSumAndBlockNumber) {
    sim::SimOptions options;
    options.mode = sim::DownloadMode::kImage;
    sim::SimTerminal terminal(options);
    std::vector<SimAction> last;
    // 100 × 0xFF = 0x639C; 100 × 0x01 = 0x0064.
    EXPECT_EQ(Answers(terminal,
                      {"VORTEK\r", ImagePacket('\xFF', 0, 0x63, '\x9C'),
                       ImagePacket('\xFF', 0, 0x63, '\x9C'),  // sent again after a lost answer
                       ImagePacket(1, 1, 0x00, 0x65),         // wrong sum
                       ImagePacket(1, 2, 0x00, 0x64),         // block 2 while 1 is due
                       ImagePacket(1, 1, 0x00, 0x64)},
                      last),
              (std::vector<std::string>{"ACK\r", "ACK\r", "ACK\r", "NAK\r", "NAK\r", "ACK\r"}));
    EXPECT_EQ(terminal.Stats().packetsAccepted, 2);
    EXPECT_EQ(terminal.Stats().packetsRejected, 2);
    EXPECT_EQ(terminal.Stats().repeatsAcknowledged, 1);
}

TEST(SimTerminal, LookupLinesWithABadSumOrALineFeedAreRefused) {
    sim::SimTerminal terminal({});
    std::vector<SimAction> last;
    EXPECT_EQ(Answers(terminal,
                      {"VORTEK\r", std::string("AB\x00\x83\r", 5), std::string("AB\x00\x84\r", 5),
                       std::string("A\nB\x00\x8D\r", 6), "OVER\r"},
                      last),
              (std::vector<std::string>{"ACK\r", "ACK\r", "NAK\r", "NAK\r", "ACK\r"}));
    ASSERT_FALSE(last.empty());
    EXPECT_EQ(last.back().kind, SimAction::Kind::kLookupStored);
    EXPECT_EQ(last.back().bytes, "AB\r\n");
}

}  // namespace
}  // namespace fw::test
