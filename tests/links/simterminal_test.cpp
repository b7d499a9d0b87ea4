// The virtual terminal's own checks, in-process: the end-to-end tests trust it to refuse what a
// terminal would refuse.
#include <gtest/gtest.h>

#include "simterminal.h"

namespace fw::test {
namespace {

using sim::SimAction;
using sim::SimTerminal;

std::string Sent(const std::vector<SimAction>& actions) {
    std::string out;
    for (const SimAction& a : actions)
        if (a.kind == SimAction::Kind::kSend) out += a.bytes;
    return out;
}

std::string ImagePacket(std::uint8_t fill, int block, int sumDelta = 0) {
    std::string p(100, static_cast<char>(fill));
    const unsigned sum = 100u * fill + static_cast<unsigned>(sumDelta);
    p.push_back(static_cast<char>((sum >> 8) & 0xFF));
    p.push_back(static_cast<char>(sum & 0xFF));
    p.push_back(static_cast<char>(block));
    return p;
}

TEST(SimTerminal, ImagePacketsAreCheckedForSumAndBlockNumber) {
    sim::SimOptions options;
    options.mode = sim::DownloadMode::kImage;
    SimTerminal terminal(options);
    std::vector<SimAction> actions;
    terminal.Receive("VORTEK\r", actions);
    EXPECT_EQ(Sent(actions), "ACK\r");

    const struct {
        std::string packet;
        std::string answer;
    } steps[] = {
        {ImagePacket(0xFF, 0), "ACK\r"},  // 0x63 0x9C: the sum of 100 × 0xFF
        {ImagePacket(0xFF, 0), "ACK\r"},  // sent again after a lost answer
        {ImagePacket(1, 1, 1), "NAK\r"},  // wrong sum
        {ImagePacket(1, 2), "NAK\r"},     // block 2 while 1 is due
        {ImagePacket(1, 1), "ACK\r"},
    };
    for (const auto& step : steps) {
        actions.clear();
        terminal.Receive(step.packet, actions);
        EXPECT_EQ(Sent(actions), step.answer);
    }
    EXPECT_EQ(static_cast<std::uint8_t>(ImagePacket(0xFF, 0)[100]), 0x63);
    EXPECT_EQ(static_cast<std::uint8_t>(ImagePacket(0xFF, 0)[101]), 0x9C);
    EXPECT_EQ(terminal.Stats().packetsAccepted, 2);
    EXPECT_EQ(terminal.Stats().packetsRejected, 2);
    EXPECT_EQ(terminal.Stats().repeatsAcknowledged, 1);
}

TEST(SimTerminal, LookupLinesWithABadSumOrALineFeedAreRefused) {
    SimTerminal terminal({});
    std::vector<SimAction> actions;
    terminal.Receive("VORTEK\r", actions);
    const struct {
        std::string packet;
        std::string answer;
    } steps[] = {
        {std::string("AB\x00\x83\r", 5), "ACK\r"},
        {std::string("AB\x00\x84\r", 5), "NAK\r"},
        {std::string("A\nB\x00\x8D\r", 6), "NAK\r"},
        {"OVER\r", "ACK\r"},
    };
    for (const auto& step : steps) {
        actions.clear();
        terminal.Receive(step.packet, actions);
        EXPECT_EQ(Sent(actions), step.answer);
    }
    ASSERT_FALSE(actions.empty());
    EXPECT_EQ(actions.back().kind, SimAction::Kind::kLookupStored);
    EXPECT_EQ(actions.back().bytes, "AB\r\n");
}

}  // namespace
}  // namespace fw::test
