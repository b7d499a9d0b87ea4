#include "comm/upload.h"

#include <gtest/gtest.h>

#include <functional>

#include "fakes.h"

namespace fw::test {
namespace {

using Strings = std::vector<std::string>;
const std::string kAck = "ACK\r", kNak = "NAK\r", kOver = "OVER\r";

struct UploadRig : Rig {
    explicit UploadRig(bool serial = true) : Rig(serial) { files.push_back(dataFile); }
    // The terminal answers "READ\r" with "ACK\r" and the first transmission, then sends the
    // next transmission after each answer of the PC.
    void Terminal(const Strings& transmissions, std::uint32_t delayMs = 3) {
        link->replies.push_back(Reply{{kAck, 2}});
        for (std::size_t i = 0; i < transmissions.size(); ++i) {
            if (i > 0) link->replies.push_back({});
            link->replies.back().push_back({transmissions[i], delayMs});
        }
    }
    int Run() { return RunUpload(ws, *this, *this, clock, &outcome); }
    // What the PC sent after "READ\r".
    Strings Answers() const { return {link->sent.begin() + 1, link->sent.end()}; }

    std::filesystem::path dataFile = folder / "data.txt";
    TransferOutcome outcome;
};

TEST(Upload, RecordsAreCheckedAndWrittenOnceInOrder) {
    std::string longest(251, 'd');
    struct Case {
        const char* name;
        Strings terminal;
        Strings answers;
        std::string file;
    };
    using V = Strings;
    const Case cases[] = {
        // Worked out by hand: S = 0 + 0x41 + 0x42 + 0x43 = 198 = 0x00C6, low byte first.
        {"one record", V{Bytes({0x00, 0x41, 0x42, 0x43, 0xC6, 0x00, 0x0D}), kOver}, V{kAck},
         "ABC\r\n"},
        {"repeated record", V{Rec(0, "A"), Rec(0, "A"), Rec(1, "B"), kOver}, V{kAck, kAck, kAck},
         "A\r\nB\r\n"},
        {"out of sequence", V{Rec(0, "A"), Rec(1, "B"), Rec(5, "X"), Rec(2, "C"), kOver},
         V{kAck, kAck, kNak, kAck}, "A\r\nB\r\nC\r\n"},
        {"bad checksum", V{Bytes({0x00, 0x41, 0x42, 0x43, 0xC7, 0x00, 0x0D}), Rec(0, "ABC"), kOver},
         V{kNak, kAck}, "ABC\r\n"},
        // S = 0 + 0x41 + 0xCC = 269 = 0x010D: the low byte travels as 14.
        {"sum low byte 13", V{Bytes({0x00, 0x41, 0xCC, 0x0E, 0x01, 0x0D}), kOver}, V{kAck},
         Bytes({0x41, 0xCC, 0x0D, 0x0A})},
        {"too short for a record", V{Bytes({0x00, 0x0D}), Rec(0, "A"), kOver}, V{kNak, kAck},
         "A\r\n"},
        {"empty data", V{Rec(0, ""), kOver}, V{kAck}, "\r\n"},
        // S = 0 + 14 × 0xFF = 3570 = 0x0DF2: the high byte travels as 14.
        {"sum high byte 13",
         V{Bytes({0x00}) + std::string(14, '\xFF') + Bytes({0xF2, 0x0E, 0x0D}), kOver}, V{kAck},
         std::string(14, '\xFF') + "\r\n"},
        {"sum high byte 13 sent unescaped",
         V{Bytes({0x00}) + std::string(14, '\xFF') + Bytes({0xF2, 0x0D, 0x0D}), kOver}, V{kNak},
         ""},
        {"9 sent again while 0 is expected",
         V{Rec(0, "0"), Rec(1, "1"), Rec(2, "2"), Rec(3, "3"), Rec(4, "4"), Rec(5, "5"),
           Rec(6, "6"), Rec(7, "7"), Rec(8, "8"), Rec(9, "9"), Rec(9, "9"), Rec(0, "a"), kOver},
         Strings(12, kAck), "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\na\r\n"},
        {"sequence after 9 is 0",
         V{Rec(0, "0"), Rec(1, "1"), Rec(2, "2"), Rec(3, "3"), Rec(4, "4"), Rec(5, "5"),
           Rec(6, "6"), Rec(7, "7"), Rec(8, "8"), Rec(9, "9"), Rec(0, "a"), Rec(0, "a"), kOver},
         Strings(12, kAck), "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\na\r\n"},
        {"longest record", V{Rec(0, longest), kOver}, V{kAck}, longest + "\r\n"},
        {"data bytes kept as they are", V{Rec(0, Bytes({0, 10, 0xFF, 0xC0})), kOver}, V{kAck},
         Bytes({0, 10, 0xFF, 0xC0, 13, 10})},
        {"bytes after the CR dropped", V{Rec(0, "A") + Rec(1, "B"), Rec(1, "B"), kOver},
         V{kAck, kAck}, "A\r\nB\r\n"},
        // A line too long for a record is cut at 255 bytes and ends in a time-out.
        {"overlong line", V{'\0' + std::string(299, 'x'), Rec(0, "A"), kOver}, V{kNak, kAck},
         "A\r\n"},
        {"overlong record", V{'\0' + std::string(299, 'x') + '\r', Rec(0, "A"), kOver},
         V{kNak, kAck}, "A\r\n"},
        {"one data byte too many", V{Rec(0, std::string(252, 'd')), Rec(0, "A"), kOver},
         V{kNak, kAck}, "A\r\n"},
    };
    for (const Case& c : cases) {
        UploadRig rig;
        rig.Terminal(c.terminal);
        int n = 0;  // records end in CR LF; their data never holds a CR
        for (std::size_t at = 0; (at = c.file.find("\r\n", at)) != std::string::npos; at += 2)
            ++n;
        EXPECT_EQ(rig.Run(), n) << c.name;
        EXPECT_EQ(rig.link->sent.front(), "READ\r") << c.name;
        EXPECT_EQ(rig.Answers(), c.answers) << c.name;
        EXPECT_EQ(ReadFile(rig.dataFile), c.file) << c.name;
        EXPECT_EQ(rig.link->closes, std::vector{false}) << c.name;  // an upload does not purge
    }
}

TEST(Upload, RecordSplitAcrossReadsIsPutTogether) {
    UploadRig rig;
    const std::string r = Rec(0, "HELLO");
    rig.link->replies.push_back(
        Reply{{kAck, 1}, {r.substr(0, 1), 100}, {r.substr(1, 3), 100}, {r.substr(4), 100}});
    rig.link->replies.push_back(Answer(kOver));
    EXPECT_EQ(rig.Run(), 1);
    EXPECT_EQ(ReadFile(rig.dataFile), "HELLO\r\n");
}

TEST(Upload, RecordDeadlineIsLookedAtAfterEachWholeReceiveWithoutCr) {
    // Every receive waits 3000 ms; the record's deadline, (k + 2 extraTimeout) × 500 ms, is
    // only looked at after a receive without CR, so a record is accepted up to the end of the
    // first receive that ends past the deadline.
    struct Case {
        std::uint8_t uploadType;
        std::int32_t extra;
        std::uint32_t deadlineMs, acceptedUntilMs;
    };
    const Case cases[] = {
        {kLinkSerial, 0, 500, 3000},      {kLinkSerialSpp, 0, 5000, 6000},
        {kLinkWifi, 3, 8000, 9000},       {kLinkSerial, 2, 2500, 3000},
        {kLinkSerialSpp, 1, 6000, 9000},   // 6000 ms is not past a 6000 ms deadline
        {kLinkSerial, 999, 30500, 33000},  // capped at the preferences' 30 s
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.uploadLinkType = c.uploadType;
        settings.extraTimeout = c.extra;
        EXPECT_EQ(RecordDeadlineMs(settings), c.deadlineMs);
        for (std::uint32_t delay : {c.deadlineMs + 1, c.acceptedUntilMs, c.acceptedUntilMs + 1}) {
            UploadRig rig;
            rig.ws.settings.uploadLinkType = c.uploadType;
            rig.ws.settings.extraTimeout = c.extra;
            rig.Terminal({Rec(0, "A"), kOver}, delay);
            EXPECT_EQ(rig.Run(), 1) << c.deadlineMs << " " << delay;
            EXPECT_EQ(rig.Answers().front(), delay <= c.acceptedUntilMs ? kAck : kNak)
                << c.deadlineMs << " " << delay;
            EXPECT_EQ(rig.link->longestWait, 3000u);
        }
    }
    // A record begun before the deadline and finished within the receive that crosses it.
    UploadRig rig;
    const std::string r = Rec(0, "SLOW");
    rig.link->replies.push_back(Reply{{kAck, 2}, {r.substr(0, 3), 400}, {r.substr(3), 2500}});
    rig.link->replies.push_back(Answer(kOver));
    EXPECT_EQ(rig.Run(), 1);
    EXPECT_EQ(rig.Answers(), Strings{kAck});
}

TEST(Upload, TenTimeOutsInARowAreAnsweredNakAndTheEleventhEndsTheUpload) {
    {
        // Ten time-outs, a record, ten more (a record starts the count again), a record.
        UploadRig rig;
        rig.link->replies.push_back(Answer(kAck));
        rig.link->replies.resize(10);  // silence after NAKs 1..9
        rig.link->replies.push_back(Answer(Rec(0, "late")));
        rig.link->replies.resize(21);  // silence after its ACK and NAKs 1..9
        rig.link->replies.push_back(Answer(Rec(1, "later")));
        rig.link->replies.push_back(Answer(kOver));
        EXPECT_EQ(rig.Run(), 2);
        Strings tenThenOne(10, kNak), expected;
        tenThenOne.push_back(kAck);
        for (int i = 0; i < 2; ++i)
            expected.insert(expected.end(), tenThenOne.begin(), tenThenOne.end());
        EXPECT_EQ(rig.Answers(), expected);
        EXPECT_EQ(ReadFile(rig.dataFile), "late\r\nlater\r\n");
    }
    UploadRig rig;
    rig.Terminal({});  // then silence
    const std::uint64_t start = rig.clock.NowMs();
    EXPECT_EQ(rig.Run(), -1);
    EXPECT_EQ(rig.Answers(), Strings(10, kNak));
    // "ACK\r" after 2 ms, eleven 3000 ms receives and a 1 ms pause after each of the ten NAKs.
    EXPECT_EQ(rig.clock.NowMs() - start, 2u + 11u * 3000u + 10u);
    EXPECT_EQ(rig.messages, (Shown{{u"Error", u"Time out!"}}));
    EXPECT_FALSE(std::filesystem::exists(rig.dataFile));
}

TEST(Upload, DisconnectInTheMiddleEndsWithoutWaitingOutTheDeadlines) {
    UploadRig rig(false);
    rig.link->replies.push_back(Reply{{kAck, 1}, {Rec(0, "A"), 1}});
    rig.link->replies.push_back(Reply{{Rec(1, "B").substr(0, 2), 1}, {"", 1, true}});
    const std::uint64_t start = rig.clock.NowMs();
    EXPECT_EQ(rig.Run(), -1);
    EXPECT_LT(rig.clock.NowMs() - start, 100u);
    EXPECT_FALSE(std::filesystem::exists(rig.dataFile));
}

TEST(Upload, AnEndWithoutRecordsLeavesTheChosenFileAsItWasAndNothingBesideIt) {
    const ShownMessage timeOut{u"Error", u"Time out!", MessageIcon::Warning},
        noData{u"Upload Data", u"No data received!"},
        cannotCreate{u"Error", u"File open/create failed!"}, lost{u"Error", u"Time out!"};
    struct Case {
        const char* name;
        std::function<void(UploadRig&)> setup;
        int result;
        long reads;  // "READ\r" sent
        Shown messages;
        std::string ended;
    };
    const auto target = [](const char* path) {
        return [path](UploadRig& r) { r.files = {r.folder / path}; };
    };
    const auto sends = [](Strings t) { return [t](UploadRig& r) { r.Terminal(t); }; };
    const auto gone = [](UploadRig& r) { r.link->replies = {Reply{{kAck, 1}, {"", 1, true}}}; };
    const auto openFails = [](LinkOpenFailure failure) {
        return [failure](UploadRig& r) {
            r.next = 1;
            r.openFailure = failure;
        };
    };
    const Case cases[] = {
        {"no answer to READ", [](UploadRig&) {}, 0, 3, {timeOut, noData}, "failed 1144"},
        {"OVER first", sends({kOver}), 0, 1, {noData}, "failed 1134"},
        {"eleven time-outs", sends({Rec(0, "A")}), -1, 1, {lost}, "failed 1144"},
        {"terminal gone", gone, -1, 1, {lost}, "failed 1144"},
        {"no such folder", target("nowhere/data.txt"), -2, 0, {cannotCreate}, "failed 1170"},
        {"a folder chosen", target("sub"), -2, 0, {cannotCreate}, "failed 1170"},
        {"port cannot be opened", openFails({false, 1162}), -3, 0, {}, "failed 1162"},
        {"wait for the terminal cancelled", openFails({true, 0}), -3, 0, {}, "cancelled 0"},
        {"dialog cancelled", [](UploadRig& r) { r.files.clear(); }, 0, 0, {}, "cancelled 0"},
    };
    for (const bool existing : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (existing ? ", existing file" : ", new file"));
            UploadRig rig;
            std::filesystem::create_directory(rig.folder / "sub");
            if (existing) rig.folder.Write("data.txt", "records of last week\r\n");
            c.setup(rig);
            EXPECT_EQ(rig.Run(), c.result);
            EXPECT_EQ(std::count(rig.link->sent.begin(), rig.link->sent.end(), "READ\r"), c.reads);
            EXPECT_EQ(rig.messages, c.messages);
            EXPECT_EQ(Ended(rig.outcome), c.ended);
            // The file that was there is there as it was; nothing else was left behind.
            std::vector<std::string> names;
            for (const auto& entry : std::filesystem::directory_iterator(rig.folder.Path()))
                names.push_back(entry.path().filename().string());
            std::sort(names.begin(), names.end());
            EXPECT_EQ(names, (existing ? Strings{"data.txt", "sub"} : Strings{"sub"}));
            if (existing) {
                EXPECT_EQ(rig.folder.Read("data.txt"), "records of last week\r\n");
            }
        }
    }
}

TEST(Upload, SuccessOffersToViewTheFileInTheLanguageFilesWords) {
    for (bool yes : {true, false}) {
        UploadRig rig;
        rig.Terminal({Rec(0, "A"), Rec(1, "B"), kOver});
        rig.answers = {yes ? kIdYes : kIdNo};
        std::u16string question = u"Done : 2 records received.\nView the received data?";
        if (!yes) {
            rig.ws.language.loaded = true;
            rig.ws.language.table[kRecordsReceivedTextBefore] = u"Принято записей: ";
            rig.ws.language.table[kRecordsReceivedTextAfter] = u". Открыть файл?";
            question = u"Принято записей: 2. Открыть файл?";
        }
        EXPECT_EQ(rig.Run(), 2);
        EXPECT_EQ(
            rig.messages,
            (Shown{{u"Upload Data", question, MessageIcon::Question, MessageButtons::YesNo}}));
        EXPECT_EQ(rig.viewed,
                  yes ? std::vector{rig.dataFile} : std::vector<std::filesystem::path>{});
        EXPECT_EQ(rig.dialogs, std::vector<std::u16string>{
                                   u"save; Файлы данных {*.TXT} *.TXT; Все файлы (*.*) *.*; .TXT; "
                                   u"must exist; asks before overwriting; no read-only box"});
    }
}

TEST(Upload, TimingsFollowTheEndOfTheUpload) {
    UploadRig rig;
    rig.EnableTimings();
    rig.Terminal({Rec(0, "A"), kOver}, 10);
    ASSERT_EQ(rig.Run(), 1);
    ASSERT_EQ(rig.messages.size(), 2u);
    // "ACK\r" after 2 ms, the record 10 ms later, "OVER\r" 10 ms after the PC's answer.
    EXPECT_EQ(rig.messages[0], (ShownMessage{u"Upload Data",
                                             u"Upload Data\r\n"
                                             u"Общее время выгрузки - 22 мсек.\r\n"
                                             u"send: time=0 (Avg=0) мксек., count=2\r\n"
                                             u"recv: time=21000 (Avg=7000) мксек., count=3\r\n",
                                             MessageIcon::Information}));
}

}  // namespace
}  // namespace fw::test
