#include "comm/answer.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "session.h"

namespace fw::test {
namespace {

const std::uint8_t kCmd[] = {'V', 'O', 'R', 'T', 'E', 'K', '\r'};

TEST(Answer, DeadlineDependsOnDownloadLinkTypeAndExtraTimeout) {
    struct Case {
        std::uint8_t downloadType;
        std::uint8_t uploadType;
        std::int32_t extra;
        std::uint64_t ms;
    };
    const Case cases[] = {
        {kLinkSerial, kLinkSerial, 0, 2000},     {kLinkSerialSpp, kLinkSerial, 0, 6000},
        {kLinkWifi, kLinkSerial, 30, 36000},     {kLinkSerial, kLinkWifi, 5, 7000},
        {kLinkSerial, kLinkSerial, 1000, 32000},  // a hand-edited file cannot stretch it past 30 s
        {kLinkSerial, kLinkSerial, -7, 2000},
    };
    for (const Case& c : cases) {
        SessionRig rig;
        rig.ws->settings.downloadLinkType = c.downloadType;
        rig.ws->settings.uploadLinkType = c.uploadType;
        rig.ws->settings.extraTimeout = c.extra;
        const std::uint64_t start = rig.clock.NowMs();
        SendCommand(*rig.session, kCmd);  // the terminal stays silent
        EXPECT_EQ(rig.clock.NowMs() - start, c.ms) << int(c.downloadType) << " " << c.extra;
        EXPECT_EQ(rig.session->answer.Text(), "");
        for (std::uint32_t t : rig.link.receiveTimeouts)
            EXPECT_LE(t, 1000u);
    }
}

TEST(Answer, WhatIsKeptOfTheTerminalsAnswer) {
    struct Case {
        const char* name;
        Reply reply;
        std::string kept;
        std::uint64_t ms;  // how long the wait lasted
    };
    const Case cases[] = {
        {"plain", Answer("ACK\r", 30), "ACK\r", 30},
        {"split across reads", Reply{{"A", 10, false}, {"C", 900, false}, {"K\r", 900, false}},
         "ACK\r", 1810},
        {"just before the deadline", Answer("ACK\r", 1999), "ACK\r", 1999},
        {"just after the deadline", Answer("ACK\r", 2001), "", 2000},
        {"half an answer, then silence", Answer("AC", 5), "AC", 2000},
        {"twelve bytes without CR", Answer("ABCDEFGHIJKL", 5), "ABCDEFGHIJ", 2000},
        {"CR past the tenth byte is never stored", Answer("ABCDEFGHIJK\r"), "ABCDEFGHIJ", 2000},
        {"bytes after the CR dropped", Answer("ACK\rNAK\r"), "ACK\r", 0},
        {"FULL has no CR", Answer("FULL", 100), "FULL", 2000},
        {"disconnect ends the wait", Reply{{"AC", 10, false}, {"", 10, true}}, "AC", 20},
    };
    for (const Case& c : cases) {
        SessionRig rig;
        rig.link.replies.push_back(c.reply);
        const std::uint64_t start = rig.clock.NowMs();
        SendCommand(*rig.session, kCmd);
        EXPECT_EQ(rig.session->answer.Text(), c.kept) << c.name;
        EXPECT_EQ(rig.clock.NowMs() - start, c.ms) << c.name;
        EXPECT_LE(rig.session->answer.length, 10u) << c.name;
    }
}

TEST(Answer, SerialPurgesStaleInputBeforeACommandWifiDoesNot) {
    for (bool serial : {true, false}) {
        SessionRig rig(serial);
        rig.link.Queue(Answer("ACK\r"));  // a late answer to an earlier command
        rig.link.replies.push_back(Answer("NAK\r", 50));
        SendCommand(*rig.session, kCmd);
        EXPECT_EQ(rig.link.purges, serial ? 1 : 0);
        EXPECT_EQ(rig.session->answer.Text(), serial ? "NAK\r" : "ACK\r");
        EXPECT_EQ(rig.link.sent, std::vector<std::string>{"VORTEK\r"});
    }
}

TEST(Answer, FailedSendLeavesNoAnswerAndDoesNotWait) {
    SessionRig rig;
    rig.link.failSendFrom = 0;
    rig.link.replies.push_back(Answer("ACK\r"));
    const std::uint64_t start = rig.clock.NowMs();
    SendCommand(*rig.session, kCmd);
    EXPECT_EQ(rig.session->answer.Text(), "");
    EXPECT_EQ(rig.clock.NowMs(), start);
}

TEST(Answer, LinkOperationsAreTimedByOutcome) {
    SessionRig rig;
    rig.session->timings.enabled = true;
    rig.link.sendCostUs = 150;
    rig.link.replies.push_back(Reply{{"", 0, false}, {"ACK\r", 300, false}});
    SendCommand(*rig.session, kCmd);  // send, "recv nothing", then "recv"
    rig.link.shortSends = true;
    rig.link.replies.push_back(Answer("ACK\r", 1500));
    SendCommand(*rig.session, kCmd);  // "send wrong", a 1000 ms time-out, then "recv"
    rig.link.failSendFrom = 2;
    SendCommand(*rig.session, kCmd);  // "send failed"
    EXPECT_EQ(FormatTimings(rig.session->timings),
              u"send: time=150 (Avg=150) мксек., count=1\r\n"
              u"recv: time=800000 (Avg=400000) мксек., count=2\r\n"
              u"send failed: time=150 (Avg=150) мксек., count=1\r\n"
              u"send wrong: time=150 (Avg=150) мксек., count=1\r\n"
              u"recv nothing: time=0 (Avg=0) мксек., count=1\r\n"
              u"recv timeout: time=1000000 (Avg=1000000) мксек., count=1\r\n");
}

}  // namespace
}  // namespace fw::test
