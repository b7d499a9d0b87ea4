#include "comm/lookupdownload.h"

#include <gtest/gtest.h>

#include "comm/download.h"
#include "fakes.h"
#include "session.h"

namespace fw::test {
namespace {

struct LookupRig {
    LookupRig() {
        ws.programDirectory = folder.Path();
        auto owned = std::make_unique<ScriptedLink>(clock, true);
        link = owned.get();
        opener.links.push_back(std::move(owned));
        // Every packet acknowledged.
        for (int i = 0; i < 64; ++i)
            link->replies.push_back(Answer("ACK\r", 1));
    }
    // Sends the file's bytes as a lookup file; returns the packets after the handshake.
    std::vector<std::string> Send(const std::string& bytes) {
        ui.files.push_back(folder.Write("db.txt", bytes));
        result = RunDownload(ws, opener, ui, clock, kDownloadLookup);
        if (link->sent.empty()) return {};
        EXPECT_EQ(link->sent.front(), "VORTEK\r");
        return {link->sent.begin() + 1, link->sent.end()};
    }

    TempFolder folder;
    Workspace ws;
    FakeClock clock;
    ScriptedUi ui;
    ScriptedOpener opener;
    ScriptedLink* link;
    int result = 0;
};

TEST(LookupDownload, LineFraming) {
    using V = std::vector<std::string>;
    struct Case {
        const char* name;
        std::string file;
        V packets;
    };
    const std::string over = "OVER\r";
    std::string longLine(253, 'Z');  // 253 × 0x5A = 22770 = 0x58F2
    const Case cases[] = {
        {"two lines, the last without CR", Bytes({0x41, 0x42, 13, 10, 0x43}),
         V{Bytes({0x41, 0x42, 0x00, 0x83, 13}), Bytes({0x43, 0x00, 0x43, 13}), over}},
        {"empty file", "", V{over}},
        {"empty lines", "\r\n\r\n", V{Bytes({0, 0, 13}), Bytes({0, 0, 13}), over}},
        // 0xFF + 0x0E = 269 = 0x010D: the low byte 13 goes out as 14.
        {"sum low byte 13", Bytes({0xFF, 0x0E, 13}), V{Bytes({0xFF, 0x0E, 0x01, 0x0E, 13}), over}},
        // 13 × 0xFF + 0x0E = 3329 = 0x0D01: the high byte 13 goes out as 14.
        {"sum high byte 13", std::string(13, '\xFF') + "\x0E\r",
         V{std::string(13, '\xFF') + "\x0E\x0E\x01\r", over}},
        {"cp1251 bytes add as 128..255", Bytes({0xC0, 0xE0, 13}),  // 192 + 224 = 416 = 0x01A0
         V{Bytes({0xC0, 0xE0, 0x01, 0xA0, 13}), over}},
        {"LF-only line ends make one line", "ab\ncd\n",
         V{Bytes({'a', 'b', 'c', 'd', 0x01, 0x8A, 13}), over}},
        {"LF inside a line is dropped", "a\nb\r", V{Bytes({'a', 'b', 0x00, 0xC3, 13}), over}},
        {"253 bytes fit the packet", longLine + "\r", V{longLine + "\x58\xF2\r", over}},
    };
    for (const Case& c : cases) {
        LookupRig rig;
        EXPECT_EQ(rig.Send(c.file), c.packets) << c.name;
        EXPECT_EQ(rig.result, 1) << c.name;
        ASSERT_FALSE(rig.ui.messages.empty()) << c.name;
        EXPECT_EQ(rig.ui.messages.back().text, u"Downloaded completely!") << c.name;
    }
}

TEST(LookupDownload, LineTooLongIsRefusedBeforeAnythingIsSent) {
    for (bool finalCr : {true, false}) {
        LookupRig rig;
        std::string file = "first\r\nsecond\r\n" + std::string(254, 'x');
        if (finalCr) file += "\r\nlast\r\n";
        EXPECT_TRUE(rig.Send(file).empty());
        EXPECT_EQ(rig.result, -1);
        EXPECT_TRUE(rig.opener.opened.empty());  // not even the link was opened
        ASSERT_EQ(rig.ui.messages.size(), 1u);
        const std::u16string& text = rig.ui.messages[0].text;
        EXPECT_EQ(rig.ui.messages[0].caption, u"Ошибка");
        EXPECT_NE(text.find(u"Строка 3 "), std::u16string::npos) << finalCr;
        EXPECT_NE(text.find((rig.folder.Path() / "db.txt").u16string()), std::u16string::npos);
        EXPECT_NE(text.find(u"(254 байт)"), std::u16string::npos);
    }
}

TEST(LookupDownload, FileChoiceAndFileFailures) {
    {
        LookupRig rig;  // cancelled
        EXPECT_EQ(RunDownload(rig.ws, rig.opener, rig.ui, rig.clock, kDownloadLookup), 0);
        ASSERT_EQ(rig.ui.fileRequests.size(), 1u);
        const FileDialogRequest& r = rig.ui.fileRequests[0];
        EXPECT_FALSE(r.save);
        EXPECT_TRUE(r.mustExist);
        EXPECT_TRUE(r.startFromPrevious);
        EXPECT_EQ(r.defaultExtension, u"TXT");
        ASSERT_EQ(r.filters.size(), 2u);
        EXPECT_EQ(r.filters[0].description, u"Файлы БД {*.TXT}");
        EXPECT_EQ(r.filters[0].pattern, u"*.TXT");
        EXPECT_EQ(r.filters[1].description, u"Все файлы (*.*)");
        EXPECT_EQ(r.filters[1].pattern, u"*.*");
        EXPECT_TRUE(rig.opener.opened.empty());
    }
    {
        LookupRig rig;  // vanished before it could be opened
        rig.ui.files.push_back(rig.folder.Path() / "missing.txt");
        EXPECT_EQ(RunDownload(rig.ws, rig.opener, rig.ui, rig.clock, kDownloadLookup), -1);
        ASSERT_EQ(rig.ui.messages.size(), 1u);
        EXPECT_EQ(rig.ui.messages[0].caption, u"Error");
        EXPECT_EQ(rig.ui.messages[0].text, u"Cannot open the file!");
        EXPECT_TRUE(rig.opener.opened.empty());
    }
}

TEST(LookupDownload, FailedLineEndsWithTheRetryQuestionWhichAsksForTheFileAgain) {
    LookupRig rig;
    rig.link->replies.clear();
    rig.link->replies.push_back(Answer("ACK\r"));  // handshake
    rig.link->replies.push_back(Answer("ACK\r"));  // line 1
    rig.link->replies.push_back(Answer("FULL"));   // line 2
    rig.ui.answers = {kIdYes};
    EXPECT_EQ(rig.Send("one\rtwo\rthree\r").size(), 2u);  // line 2 went out once
    EXPECT_EQ(rig.result, 0);                             // the second file choice was cancelled
    EXPECT_EQ(rig.ui.fileRequests.size(), 2u);
    EXPECT_EQ(rig.ui.messages.size(), 2u);
    EXPECT_EQ(rig.ui.messages[0].text, u"Memory full for Terminal!");
    EXPECT_FALSE(rig.link->closedWithPurge);
}

TEST(LookupDownload, ProgressFollowsTheBytesRead) {
    LookupRig rig;
    // 300 bytes: chunks of 128, 128 and 44.
    std::string file;
    for (int i = 0; i < 30; ++i)
        file += "123456789\r";
    ASSERT_EQ(rig.Send(file).size(), 31u);
    std::vector<int> after;  // what the bar showed once the lines of each chunk were sent
    for (int v : rig.ui.progress)
        if (after.empty() || after.back() != v) after.push_back(v);
    EXPECT_EQ(after, (std::vector<int>{0, 42, 85, 100}));
}

}  // namespace
}  // namespace fw::test
