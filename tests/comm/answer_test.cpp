#include "comm/answer.h"

#include <gtest/gtest.h>

#include "comm/timings.h"
#include "fakes.h"

namespace fw::test {
namespace {

const std::uint8_t kCmd[] = {'V', 'O', 'R', 'T', 'E', 'K', '\r'};

// The answer deadline is (extraTimeout + 2 k) s, k = 3 when downloadLinkType is Serial-SPP or
// Wi-Fi, else 1; a hand-edited settings file cannot stretch it past the preferences' 30 s.
TEST(Answer, WhatIsKeptOfTheTerminalsAnswerAndHowLongItIsAwaited) {
    struct Case {
        const char* name;
        Reply reply;
        std::string kept;
        std::uint64_t ms;  // how long the wait lasted
        std::uint8_t downloadType = kLinkSerial;
        std::int32_t extra = 0;
        std::uint8_t uploadType = kLinkSerial;
        bool sendFails = false;
    };
    const Case cases[] = {
        {"split across reads", Reply{{"A", 10}, {"C", 900}, {"K\r", 900}}, "ACK\r", 1810},
        {"just before the deadline", Answer("ACK\r", 1999), "ACK\r", 1999},
        {"just after the deadline", Answer("ACK\r", 2001), "", 2000},
        {"half an answer, then silence", Answer("AC", 5), "AC", 2000},
        {"twelve bytes without CR", Answer("ABCDEFGHIJKL", 5), "ABCDEFGHIJ", 2000},
        {"CR past the tenth byte is never stored", Answer("ABCDEFGHIJK\r"), "ABCDEFGHIJ", 2000},
        {"bytes after the CR dropped", Answer("ACK\rNAK\r"), "ACK\r", 0},
        {"disconnect ends the wait", Reply{{"AC", 10}, {"", 10, true}}, "AC", 20},
        {"failed send: no answer, no wait", Answer("ACK\r"), "", 0, kLinkSerial, 0, kLinkSerial,
         true},
        {"Serial-SPP", {}, "", 6000, kLinkSerialSpp},
        {"Wi-Fi and 30 s extra", {}, "", 36000, kLinkWifi, 30},
        {"the upload link type does not count", {}, "", 7000, kLinkSerial, 5, kLinkWifi},
        {"extra capped", {}, "", 32000, kLinkSerial, 1000},
        {"negative extra", {}, "", 2000, kLinkSerial, -7},
    };
    for (const Case& c : cases) {
        Rig rig;
        rig.ws.settings.downloadLinkType = c.downloadType;
        rig.ws.settings.uploadLinkType = c.uploadType;
        rig.ws.settings.extraTimeout = c.extra;
        rig.link->replies.push_back(c.reply);
        rig.link->failSends = c.sendFails;
        const std::uint64_t start = rig.clock.NowMs();
        SendCommand(rig.session, kCmd);
        EXPECT_EQ(rig.session.answer.Text(), c.kept) << c.name;
        EXPECT_EQ(rig.clock.NowMs() - start, c.ms) << c.name;
        EXPECT_LE(rig.session.answer.length, 10u) << c.name;
        EXPECT_LE(rig.link->longestWait, 1000u) << c.name;
    }
}

TEST(Answer, SerialPurgesStaleInputBeforeACommandWifiDoesNot) {
    for (bool serial : {true, false}) {
        Rig rig(serial);
        // A late answer to an earlier command has arrived.
        rig.link->Queue(Answer("ACK\r"), rig.clock.NowMs());
        rig.link->replies.push_back(Answer("NAK\r", 50));
        SendCommand(rig.session, kCmd);
        EXPECT_EQ(rig.link->purges, serial ? 1 : 0);
        EXPECT_EQ(rig.session.answer.Text(), serial ? "NAK\r" : "ACK\r");
        EXPECT_EQ(rig.link->sent, std::vector<std::string>{"VORTEK\r"});
    }
}

// Each link operation counts under its outcome. The report lists the categories that counted
// anything, in a fixed order, with the average truncated; it is empty when switched off.
TEST(Timings, LinkOperationsAreReportedByOutcome) {
    Rig rig;
    TransferTimings& timings = rig.session.timings;
    rig.link->sendCostUs = 150;
    rig.link->replies.push_back(Answer("ACK\r"));
    SendCommand(rig.session, kCmd);
    EXPECT_EQ(FormatTimings(timings), u"");

    timings.enabled = true;
    rig.link->replies.push_back(Reply{{"", 0}, {"ACK\r", 300}});
    SendCommand(rig.session, kCmd);  // send, "recv nothing", then "recv"
    rig.link->shortSends = true;
    rig.link->replies.push_back(Answer("ACK\r", 1500));
    SendCommand(rig.session, kCmd);  // "send wrong", a 1000 ms time-out, then "recv"
    rig.link->failSends = true;
    SendCommand(rig.session, kCmd);  // "send failed"
    rig.link->failSends = false;
    rig.link->shortSends = false;
    rig.link->sendCostUs = 151;
    rig.link->replies.push_back(Reply{{"", 0, true}});
    SendCommand(rig.session, kCmd);  // send, "recv failed"
    EXPECT_EQ(FormatTimings(timings),
              u"send: time=301 (Avg=150) мксек., count=2\r\n"
              u"recv: time=800000 (Avg=400000) мксек., count=2\r\n"
              u"send failed: time=150 (Avg=150) мксек., count=1\r\n"
              u"recv failed: time=0 (Avg=0) мксек., count=1\r\n"
              u"send wrong: time=150 (Avg=150) мксек., count=1\r\n"
              u"recv nothing: time=0 (Avg=0) мксек., count=1\r\n"
              u"recv timeout: time=1000000 (Avg=1000000) мксек., count=1\r\n");
    ResetTimings(timings);
    EXPECT_EQ(FormatTimings(timings), u"");
}

}  // namespace
}  // namespace fw::test
