#include "comm/lookupdownload.h"

#include <gtest/gtest.h>

#include <sstream>

#include "comm/download.h"
#include "fakes.h"

namespace fw::test {
namespace {

using Strings = std::vector<std::string>;

int RunLookup(Rig& rig, TransferOutcome* outcome = nullptr) {
    return RunDownload(rig.ws, rig, rig, rig.clock, kDownloadLookup, outcome);
}

// Sends the bytes as a lookup file to a terminal that acknowledges everything; returns what
// went out after the handshake.
Strings Send(Rig& rig, const std::string& bytes, int* result = nullptr) {
    if (rig.link->replies.empty()) Ack(*rig.link, 64);
    rig.files.push_back(rig.folder.Write("db.txt", bytes));
    const int r = RunLookup(rig);
    if (result) *result = r;
    if (rig.link->sent.empty()) return {};
    EXPECT_EQ(rig.link->sent.front(), "VORTEK\r");
    return {rig.link->sent.begin() + 1, rig.link->sent.end()};
}

TEST(LookupDownload, LineFraming) {
    struct Case {
        const char* name;
        std::string file;
        Strings packets;
    };
    const std::string over = "OVER\r";
    std::string longLine(253, 'Z');  // 253 × 0x5A = 22770 = 0x58F2
    const Case cases[] = {
        {"two lines, the last without CR",
         Bytes({0x41, 0x42, 13, 10, 0x43}),
         {Bytes({0x41, 0x42, 0x00, 0x83, 13}), Bytes({0x43, 0x00, 0x43, 13}), over}},
        {"empty file", "", {over}},
        {"empty lines", "\r\n\r\n", {Bytes({0, 0, 13}), Bytes({0, 0, 13}), over}},
        // 0xFF + 0x0E = 269 = 0x010D: the low byte 13 goes out as 14.
        {"sum low byte 13", Bytes({0xFF, 0x0E, 13}), {Bytes({0xFF, 0x0E, 0x01, 0x0E, 13}), over}},
        // 13 × 0xFF + 0x0E = 3329 = 0x0D01: the high byte 13 goes out as 14.
        {"sum high byte 13",
         std::string(13, '\xFF') + "\x0E\r",
         {std::string(13, '\xFF') + "\x0E\x0E\x01\r", over}},
        {"cp1251 bytes add as 128..255",
         Bytes({0xC0, 0xE0, 13}),  // 192 + 224 = 416 = 0x01A0
         {Bytes({0xC0, 0xE0, 0x01, 0xA0, 13}), over}},
        {"LF-only line ends make one line",
         "ab\ncd\n",
         {Bytes({'a', 'b', 'c', 'd', 0x01, 0x8A, 13}), over}},
        {"LF inside a line is dropped", "a\nb\r", {Bytes({'a', 'b', 0x00, 0xC3, 13}), over}},
        {"253 bytes fit the packet", longLine + "\r", {longLine + "\x58\xF2\r", over}},
    };
    for (const Case& c : cases) {
        Rig rig;
        int result = 0;
        EXPECT_EQ(Send(rig, c.file, &result), c.packets) << c.name;
        EXPECT_EQ(result, 1) << c.name;
        EXPECT_EQ(rig.messages, Shown{kDownloaded}) << c.name;
    }
}

TEST(LookupDownload, LineTooLongIsRefusedBeforeAnythingIsSent) {
    for (bool finalCr : {true, false}) {
        Rig rig;
        std::string file = "first\r\nsecond\r\n" + std::string(254, 'x');
        if (finalCr) file += "\r\nlast\r\n";
        int result = 0;
        EXPECT_TRUE(Send(rig, file, &result).empty());
        EXPECT_EQ(result, -1);
        EXPECT_TRUE(rig.opened.empty());  // not even the link was opened
        ASSERT_EQ(rig.messages.size(), 1u);
        const std::u16string& text = rig.messages[0].text;
        EXPECT_EQ(rig.messages[0].caption, u"Ошибка");
        EXPECT_NE(text.find(u"Строка 3 "), std::u16string::npos) << finalCr;
        EXPECT_NE(text.find((rig.folder / "db.txt").u16string()), std::u16string::npos);
        EXPECT_NE(text.find(u"(254 байт)"), std::u16string::npos);
    }
    // A file that grew a long line after the check stops at that line with the same message.
    Rig rig;
    Ack(*rig.link, 4);
    std::istringstream grown("first\r\n" + std::string(254, 'x'));
    EXPECT_FALSE(SendLookupFile(rig.session, grown, rig.folder / "db.txt"));
    EXPECT_EQ(rig.link->sent.size(), 1u);
    ASSERT_EQ(rig.messages.size(), 1u);
    EXPECT_NE(rig.messages[0].text.find(u"Строка 2 "), std::u16string::npos);
    EXPECT_NE(rig.messages[0].text.find(u"(254 байт)"), std::u16string::npos);
}

TEST(LookupDownload, CancelledChoiceAndFilesOrLinksThatDoNotOpenEndTheRun) {
    Rig cancelled;
    EXPECT_EQ(RunLookup(cancelled), 0);
    EXPECT_EQ(cancelled.dialogs,
              std::vector<std::u16string>{
                  u"open; Файлы БД {*.TXT} *.TXT; Все файлы (*.*) *.*; .TXT; "
                  u"must exist; no read-only box; starts from the previous choice"});
    EXPECT_TRUE(cancelled.opened.empty());

    // Nothing to read as a lookup: never sent as an empty one, and the link is not opened.
    for (const char* name : {"missing.txt", "folder", "/dev/null", "link-to-folder"}) {
        Rig rig;
        std::filesystem::create_directory(rig.folder / "folder");
        std::filesystem::create_directory_symlink(rig.folder / "folder",
                                                  rig.folder / "link-to-folder");
        rig.files.push_back(rig.folder / name);
        Ack(*rig.link, 10);
        TransferOutcome outcome;
        EXPECT_EQ(RunLookup(rig, &outcome), -1) << name;
        EXPECT_EQ(Ended(outcome), "failed 1161") << name;
        EXPECT_EQ(rig.messages, (Shown{{u"Error", u"Cannot open the file!", MessageIcon::Warning}}))
            << name;
        EXPECT_TRUE(rig.opened.empty()) << name;
    }

    Rig noLink;  // the file is fine but the link does not open, which the opener has reported
    noLink.next = 1;
    noLink.files.push_back(noLink.folder.Write("db.txt", "a\r\n"));
    EXPECT_EQ(RunLookup(noLink), -1);
    EXPECT_TRUE(noLink.messages.empty());
}

TEST(LookupDownload, FailedLineEndsWithTheRetryQuestionWhichAsksForTheFileAgain) {
    Rig rig;
    Ack(*rig.link, 2);  // the handshake and line 1
    rig.link->replies.push_back(Answer("FULL"));
    rig.answers = {kIdYes};
    int result = -7;
    EXPECT_EQ(Send(rig, "one\rtwo\rthree\r", &result).size(), 2u);  // line 2 went out once
    EXPECT_EQ(result, 0);  // the second file choice was cancelled
    EXPECT_EQ(rig.dialogs.size(), 2u);
    EXPECT_EQ(rig.messages, (Shown{kMemoryFull, kRetryQuestion}));
    EXPECT_EQ(rig.link->closes, std::vector{false});
}

TEST(LookupDownload, ProgressFollowsTheBytesRead) {
    Rig rig;
    // 300 bytes: chunks of 128, 128 and 44.
    std::string file;
    for (int i = 0; i < 30; ++i)
        file += "123456789\r";
    ASSERT_EQ(Send(rig, file).size(), 31u);
    std::vector<int> after;  // what the bar showed once the lines of each chunk were sent
    for (int v : rig.progress)
        if (after.empty() || after.back() != v) after.push_back(v);
    EXPECT_EQ(after, (std::vector<int>{0, 42, 85, 100}));
}

}  // namespace
}  // namespace fw::test
