#include "comm/download.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "comm/answer.h"
#include "fakes.h"
#include "generator/image.h"
#include "model/normalise.h"
#include "session.h"

namespace fw::test {
namespace {

const std::string kVortek = "VORTEK\r";

struct DownloadRig {
    DownloadRig() {
        ws.programDirectory = folder.Path();
        auto owned = std::make_unique<ScriptedLink>(clock, true);
        link = owned.get();
        opener.links.push_back(std::move(owned));
    }
    // A second link for a retry.
    ScriptedLink* AddLink() {
        auto owned = std::make_unique<ScriptedLink>(clock, true);
        ScriptedLink* l = owned.get();
        opener.links.push_back(std::move(owned));
        return l;
    }
    int Run(DownloadMode mode = kDownloadProgram) {
        return RunDownload(ws, opener, ui, clock, mode);
    }
    std::vector<std::u16string> MessageTexts() const {
        std::vector<std::u16string> out;
        for (const auto& m : ui.messages)
            out.push_back(m.text);
        return out;
    }

    TempFolder folder;
    Workspace ws;
    FakeClock clock;
    ScriptedUi ui;
    ScriptedOpener opener;
    ScriptedLink* link;
};

// The terminal acknowledges every transmission.
void AckAll(ScriptedLink& link, int count) {
    for (int i = 0; i < count; ++i)
        link.replies.push_back(Answer("ACK\r", 2));
}

TEST(ImagePacket, FramingOfDataSumAndBlockNumber) {
    struct Case {
        std::uint8_t fill;
        std::size_t block;
        std::uint8_t high, low, number;
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
        SessionRig rig;
        ProgramImage image{};
        std::fill_n(image.begin() + c.block * 100, 100, c.fill);
        FillImagePacket(*rig.session, image, c.block);
        const auto& p = rig.session->packet;
        EXPECT_TRUE(std::all_of(p.begin(), p.begin() + 100, [&](auto b) { return b == c.fill; }));
        EXPECT_EQ(p[100], c.high);
        EXPECT_EQ(p[101], c.low);
        EXPECT_EQ(p[102], c.number);
    }
}

TEST(Download, AcknowledgedImageGoesOutAsHandshakeAnd209Packets) {
    DownloadRig rig;
    AckAll(*rig.link, 1 + 209);
    EXPECT_EQ(rig.Run(), 1);

    // The image of what was downloaded: the definition as normalised for the download.
    Definition normalised = rig.ws.definition;
    NormaliseDefinition(normalised);
    ProgramImage image{};
    GenerateProgramImage(normalised, image);

    const auto& sent = rig.link->sent;
    ASSERT_EQ(sent.size(), 210u);
    EXPECT_EQ(sent[0], kVortek);
    for (std::size_t i = 0; i < 209; ++i) {
        const std::string& p = sent[1 + i];
        ASSERT_EQ(p.size(), 103u);
        unsigned sum = 0;
        for (std::size_t k = 0; k < 100; ++k) {
            ASSERT_EQ(static_cast<std::uint8_t>(p[k]), image[i * 100 + k]) << i;
            sum += image[i * 100 + k];
        }
        EXPECT_EQ(static_cast<std::uint8_t>(p[100]), sum >> 8) << i;
        EXPECT_EQ(static_cast<std::uint8_t>(p[101]), sum & 0xFF) << i;
        EXPECT_EQ(static_cast<std::uint8_t>(p[102]), i) << i;
    }
    EXPECT_EQ(static_cast<std::uint8_t>(sent.back()[102]), 0xD0);

    ASSERT_EQ(rig.ui.messages.size(), 1u);
    EXPECT_EQ(rig.ui.messages[0].caption, u"Download");
    EXPECT_EQ(rig.ui.messages[0].text, u"Downloaded completely!");
    EXPECT_EQ(rig.ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(rig.opener.opened, std::vector<LinkDirection>{LinkDirection::kDownload});
    EXPECT_EQ(rig.link->closes, 1);
    EXPECT_TRUE(rig.link->closedWithPurge);
    EXPECT_EQ(rig.ui.progressOpened, 1);
    EXPECT_FALSE(rig.ui.progressOpen);
    EXPECT_EQ(rig.ui.progressTitle, u"Progress");
    EXPECT_EQ(rig.ui.progressText, u"Downloading...");
}

TEST(Download, ProgressClimbsFromFiveAndHoldsAtHundredFromPacket189) {
    DownloadRig rig;
    AckAll(*rig.link, 1 + 209);
    ASSERT_EQ(rig.Run(), 1);
    const auto& p = rig.ui.progress;
    ASSERT_EQ(p.size(), 1u + 209u + 1u);
    EXPECT_EQ(p.front(), 0);
    EXPECT_EQ(p[1], 5);  // after packet 0
    EXPECT_EQ(p[2], 6);  // after packet 1
    EXPECT_EQ(p[3], 6);  // after packet 2
    EXPECT_EQ(p[1 + 188], 99);
    EXPECT_EQ(p[1 + 189], 100);
    EXPECT_TRUE(std::all_of(p.begin() + 1 + 189, p.end(), [](int v) { return v == 100; }));
    EXPECT_TRUE(std::is_sorted(p.begin(), p.end()));
}

TEST(Download, FailuresTellTheUserAndOfferARetry) {
    struct Case {
        const char* name;
        std::function<void(ScriptedLink&)> script;
        std::size_t sends;
        std::u16string failure;
    };
    const Case cases[] = {
        {"silent terminal", [](ScriptedLink&) {}, 3, u"Terminal is not ready!"},
        {"wrong answers to the handshake",
         [](ScriptedLink& l) {
             for (int i = 0; i < 3; ++i)
                 l.replies.push_back(Answer("NAK\r"));
         },
         3, u"Terminal is not ready!"},
        {"FULL at packet 5",
         [](ScriptedLink& l) {
             AckAll(l, 1 + 5);
             l.replies.push_back(Answer("FULL"));
         },
         1 + 6, u"Memory full for Terminal!"},
        {"packet 3 never acknowledged",
         [](ScriptedLink& l) {
             AckAll(l, 1 + 3);
             for (int i = 0; i < 7; ++i)
                 l.replies.push_back(Answer("ACK", 10));
         },
         1 + 3 + 7, u"Error on downloading!"},
        {"terminal gone after packet 10",
         [](ScriptedLink& l) {
             AckAll(l, 1 + 10);
             l.replies.push_back(Reply{{"", 5, true}});
         },
         1 + 10 + 7, u"Error on downloading!"},
    };
    for (const Case& c : cases) {
        DownloadRig rig;
        c.script(*rig.link);
        EXPECT_EQ(rig.Run(), 1) << c.name;
        EXPECT_EQ(rig.link->sent.size(), c.sends) << c.name;
        ASSERT_EQ(rig.ui.messages.size(), 2u) << c.name;
        EXPECT_EQ(rig.ui.messages[0].caption, u"Error") << c.name;
        EXPECT_EQ(rig.ui.messages[0].text, c.failure) << c.name;
        EXPECT_EQ(rig.ui.messages[0].icon, MessageIcon::Warning) << c.name;
        EXPECT_EQ(rig.ui.messages[1].text, u"Failed to download, would you like to retry?");
        EXPECT_EQ(rig.ui.messages[1].buttons, MessageButtons::YesNo);
        EXPECT_EQ(rig.ui.messages[1].icon, MessageIcon::Question);
        EXPECT_FALSE(rig.ui.progressOpen) << c.name;  // closed before the message
        EXPECT_EQ(rig.link->closes, 1) << c.name;
        EXPECT_TRUE(rig.link->closedWithPurge) << c.name;
    }
}

TEST(Download, RetriedPacketIsResentUnchanged) {
    DownloadRig rig;
    AckAll(*rig.link, 1 + 2);
    rig.link->replies.push_back(Answer("NAK\r"));
    rig.link->replies.push_back(Answer("", 0));
    AckAll(*rig.link, 209);
    ASSERT_EQ(rig.Run(), 1);
    const auto& sent = rig.link->sent;
    ASSERT_EQ(sent.size(), 1u + 209u + 2u);
    EXPECT_EQ(sent[3], sent[4]);
    EXPECT_EQ(sent[3], sent[5]);
    EXPECT_EQ(static_cast<std::uint8_t>(sent[5][102]), 2);
    EXPECT_EQ(static_cast<std::uint8_t>(sent[6][102]), 3);
    EXPECT_EQ(rig.MessageTexts(), std::vector<std::u16string>{u"Downloaded completely!"});
}

TEST(Download, YesToTheRetryStartsOverOnAFreshLink) {
    DownloadRig rig;
    ScriptedLink* second = rig.AddLink();
    AckAll(*second, 1 + 209);
    rig.ui.answers = {kIdYes};
    EXPECT_EQ(rig.Run(), 1);
    EXPECT_EQ(rig.opener.opened.size(), 2u);
    EXPECT_EQ(rig.link->closes, 1);
    EXPECT_FALSE(rig.link->closedWithPurge);  // a retry does not purge
    EXPECT_EQ(rig.link->sent, std::vector<std::string>(3, kVortek));
    EXPECT_EQ(second->sent.size(), 210u);
    EXPECT_TRUE(second->closedWithPurge);
    EXPECT_EQ(rig.MessageTexts(),
              (std::vector<std::u16string>{u"Terminal is not ready!",
                                           u"Failed to download, would you like to retry?",
                                           u"Downloaded completely!"}));
}

TEST(Download, LinkThatCannotOpenEndsTheRunWithoutAQuestion) {
    DownloadRig rig;
    rig.opener.links.clear();
    EXPECT_EQ(rig.Run(), -1);
    EXPECT_TRUE(rig.ui.messages.empty());  // the opener has told the user
}

TEST(Download, TimingsFollowTheCompletionMessage) {
    DownloadRig rig;
    std::ofstream(rig.folder.Path() / "EnablePerfomanceCounters.txt").put('1');
    AckAll(*rig.link, 1 + 209);
    rig.link->sendCostUs = 100;
    ASSERT_EQ(rig.Run(), 1);
    ASSERT_EQ(rig.ui.messages.size(), 1u);
    // 210 sends of 100 µs, 210 answers after 2 ms each, and a 1 ms pause after each packet.
    EXPECT_EQ(rig.ui.messages[0].text,
              u"Downloaded completely!\r\n"
              u"Общее время загрузки - 650 мсек.\r\n"
              u"send: time=21000 (Avg=100) мксек., count=210\r\n"
              u"recv: time=420000 (Avg=2000) мксек., count=210\r\n");
}

}  // namespace
}  // namespace fw::test
