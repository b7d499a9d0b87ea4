#include "comm/upload.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "fakes.h"
#include "session.h"

namespace fw::test {
namespace {

// A record as the terminal frames it: sequence byte, data, the sum's low and high byte (13
// sent as 14) and CR.
std::string Rec(int sequence, const std::string& data) {
    std::string r(1, static_cast<char>(sequence));
    r += data;
    unsigned sum = 0;
    for (char c : r)
        sum += static_cast<std::uint8_t>(c);
    auto esc = [](unsigned b) { return static_cast<char>(b == 13 ? 14 : b); };
    r += esc(sum & 0xFF);
    r += esc((sum >> 8) & 0xFF);
    r += '\r';
    return r;
}

struct UploadRig {
    explicit UploadRig(bool serial = true) {
        ws.programDirectory = folder.Path();
        auto owned = std::make_unique<ScriptedLink>(clock, serial);
        link = owned.get();
        opener.links.push_back(std::move(owned));
        dataFile = folder.Path() / "data.txt";
        ui.files.push_back(dataFile);
    }
    // The terminal answers "READ\r" with "ACK\r" and the first transmission, then sends the
    // next transmission after each answer of the PC.
    void Terminal(const std::vector<std::string>& transmissions, std::uint32_t delayMs = 3) {
        Reply first{{"ACK\r", 2, false}};
        if (!transmissions.empty()) first.push_back({transmissions[0], delayMs, false});
        link->replies.push_back(first);
        for (std::size_t i = 1; i < transmissions.size(); ++i)
            link->replies.push_back(Answer(transmissions[i], delayMs));
    }
    int Run() { return RunUpload(ws, opener, ui, clock); }
    // What the PC sent after "READ\r".
    std::vector<std::string> Answers() const {
        return {link->sent.begin() + (link->sent.empty() ? 0 : 1), link->sent.end()};
    }

    TempFolder folder;
    Workspace ws;
    FakeClock clock;
    ScriptedUi ui;
    ScriptedOpener opener;
    ScriptedLink* link;
    std::filesystem::path dataFile;
};

TEST(Upload, RecordsAreCheckedAndWrittenOnceInOrder) {
    using V = std::vector<std::string>;
    const std::string ack = "ACK\r", nak = "NAK\r", over = "OVER\r";
    std::string longest(251, 'd');
    struct Case {
        const char* name;
        V terminal;
        V answers;
        std::string file;
    };
    const Case cases[] = {
        // Worked out by hand: S = 0 + 0x41 + 0x42 + 0x43 = 198 = 0x00C6, low byte first.
        {"one record", V{Bytes({0x00, 0x41, 0x42, 0x43, 0xC6, 0x00, 0x0D}), over}, V{ack},
         "ABC\r\n"},
        {"repeated record", V{Rec(0, "A"), Rec(0, "A"), Rec(1, "B"), over}, V{ack, ack, ack},
         "A\r\nB\r\n"},
        {"out of sequence", V{Rec(0, "A"), Rec(1, "B"), Rec(5, "X"), Rec(2, "C"), over},
         V{ack, ack, nak, ack}, "A\r\nB\r\nC\r\n"},
        {"bad checksum", V{Bytes({0x00, 0x41, 0x42, 0x43, 0xC7, 0x00, 0x0D}), Rec(0, "ABC"), over},
         V{nak, ack}, "ABC\r\n"},
        // S = 0 + 0x41 + 0xCC = 269 = 0x010D: the low byte travels as 14.
        {"sum low byte 13", V{Bytes({0x00, 0x41, 0xCC, 0x0E, 0x01, 0x0D}), over}, V{ack},
         Bytes({0x41, 0xCC, 0x0D, 0x0A})},
        {"too short for a record", V{Bytes({0x00, 0x0D}), Rec(0, "A"), over}, V{nak, ack}, "A\r\n"},
        {"empty data", V{Rec(0, ""), over}, V{ack}, "\r\n"},
        {"sequence after 9 is 0",
         V{Rec(0, "0"), Rec(1, "1"), Rec(2, "2"), Rec(3, "3"), Rec(4, "4"), Rec(5, "5"),
           Rec(6, "6"), Rec(7, "7"), Rec(8, "8"), Rec(9, "9"), Rec(0, "a"), Rec(0, "a"), over},
         V(12, ack), "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\na\r\n"},
        {"longest record", V{Rec(0, longest), over}, V{ack}, longest + "\r\n"},
        {"data bytes kept as they are", V{Rec(0, Bytes({0, 10, 0xFF, 0xC0})), over}, V{ack},
         Bytes({0, 10, 0xFF, 0xC0, 13, 10})},
        {"bytes after the CR dropped", V{Rec(0, "A") + Rec(1, "B"), Rec(1, "B"), over}, V{ack, ack},
         "A\r\nB\r\n"},
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
        EXPECT_EQ(rig.link->closes, 1) << c.name;
        EXPECT_FALSE(rig.link->closedWithPurge) << c.name;
    }
}

TEST(Upload, RecordSplitAcrossReadsIsPutTogether) {
    UploadRig rig;
    const std::string r = Rec(0, "HELLO");
    rig.link->replies.push_back(Reply{{"ACK\r", 1, false},
                                      {r.substr(0, 1), 100, false},
                                      {r.substr(1, 3), 100, false},
                                      {r.substr(4), 100, false}});
    rig.link->replies.push_back(Answer("OVER\r"));
    EXPECT_EQ(rig.Run(), 1);
    EXPECT_EQ(ReadFile(rig.dataFile), "HELLO\r\n");
}

TEST(Upload, OverlongLineIsCutAndEndsInATimeOut) {
    const std::string lines[] = {
        std::string(1, '\0') + std::string(299, 'x'),
        std::string(1, '\0') + std::string(299, 'x') + '\r',
        Rec(0, std::string(252, 'd')),  // one data byte more than a record can hold
    };
    for (const std::string& line : lines) {
        UploadRig rig;
        rig.Terminal({line, Rec(0, "A"), "OVER\r"});
        EXPECT_EQ(rig.Run(), 1);
        EXPECT_EQ(rig.Answers(), (std::vector<std::string>{"NAK\r", "ACK\r"}));
        EXPECT_EQ(ReadFile(rig.dataFile), "A\r\n");
    }
}

TEST(Upload, RecordDeadlineDependsOnUploadLinkTypeAndExtraTimeout) {
    struct Case {
        std::uint8_t uploadType;
        std::int32_t extra;
        std::uint32_t ms;
    };
    const Case cases[] = {
        {kLinkSerial, 0, 500},  {kLinkSerialSpp, 0, 5000}, {kLinkWifi, 3, 8000},
        {kLinkSerial, 2, 2500}, {kLinkSerial, 999, 30500},  // capped at the 30 s the preferences
                                                            // allow
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.uploadLinkType = c.uploadType;
        settings.extraTimeout = c.extra;
        EXPECT_EQ(RecordDeadlineMs(settings), c.ms);
        for (std::uint32_t delay : {c.ms - 1, c.ms + 1}) {
            UploadRig rig;
            rig.ws.settings = settings;
            rig.Terminal({Rec(0, "A"), "OVER\r"}, delay);
            EXPECT_EQ(rig.Run(), 1) << c.ms << " " << delay;
            const bool inTime = delay < c.ms;
            EXPECT_EQ(rig.Answers().front(), inTime ? "ACK\r" : "NAK\r") << c.ms << " " << delay;
            for (std::uint32_t t : rig.link->receiveTimeouts)
                EXPECT_LE(t, 3000u);
        }
    }
}

TEST(Upload, EleventhTimeOutInARowEndsTheUploadAndDeletesTheFile) {
    UploadRig rig;
    rig.Terminal({Rec(0, "A")});  // then silence
    const std::uint64_t start = rig.clock.NowMs();
    EXPECT_EQ(rig.Run(), -1);
    std::vector<std::string> expected{"ACK\r"};
    expected.insert(expected.end(), 10, "NAK\r");
    EXPECT_EQ(rig.Answers(), expected);
    // 2 ms to "ACK\r", 3 ms to the record, 1 ms pauses after the 11 answers, 11 × 500 ms waits.
    EXPECT_EQ(rig.clock.NowMs() - start, 2u + 3u + 11u + 11u * 500u);
    ASSERT_EQ(rig.ui.messages.size(), 1u);
    EXPECT_EQ(rig.ui.messages[0].caption, u"Error");
    EXPECT_EQ(rig.ui.messages[0].text, u"Time out!");
    EXPECT_EQ(rig.ui.messages[0].icon, MessageIcon::None);
    EXPECT_FALSE(std::filesystem::exists(rig.dataFile));
}

TEST(Upload, TenTimeOutsThenARecordGoesOn) {
    UploadRig rig;
    Reply silent;
    rig.link->replies.push_back(Answer("ACK\r"));
    for (int i = 0; i < 10; ++i)
        rig.link->replies.push_back(silent);  // reply to NAKs 1..9
    rig.link->replies.pop_back();
    rig.link->replies.push_back(Answer(Rec(0, "late")));  // the reply to the tenth NAK
    rig.link->replies.push_back(Answer("OVER\r"));
    EXPECT_EQ(rig.Run(), 1);
    EXPECT_EQ(rig.Answers().size(), 11u);
    EXPECT_EQ(rig.Answers().back(), "ACK\r");
    EXPECT_EQ(ReadFile(rig.dataFile), "late\r\n");
}

TEST(Upload, DisconnectInTheMiddleEndsWithoutWaitingOutTheDeadlines) {
    UploadRig rig(false);
    rig.link->replies.push_back(Reply{{"ACK\r", 1, false}, {Rec(0, "A"), 1, false}});
    rig.link->replies.push_back(Reply{{Rec(1, "B").substr(0, 2), 1, false}, {"", 1, true}});
    const std::uint64_t start = rig.clock.NowMs();
    EXPECT_EQ(rig.Run(), -1);
    EXPECT_LT(rig.clock.NowMs() - start, 100u);
    EXPECT_FALSE(std::filesystem::exists(rig.dataFile));
}

TEST(Upload, FailureTable) {
    struct Case {
        const char* name;
        std::function<void(UploadRig&)> setup;
        int result;
        std::vector<std::u16string> messages;
        bool fileKept;
    };
    const Case cases[] = {
        {"no answer to READ", [](UploadRig&) {}, 0, {u"Time out!", u"No data received!"}, false},
        {"OVER before any record",
         [](UploadRig& r) { r.Terminal({"OVER\r"}); },
         0,
         {u"No data received!"},
         false},
        {"file cannot be created",
         [](UploadRig& r) { r.ui.files = {r.folder.Path() / "no-such-folder" / "data.txt"}; },
         -2,
         {u"File open/create failed!"},
         false},
        {"link cannot be opened", [](UploadRig& r) { r.opener.links.clear(); }, -3, {}, true},
        {"dialog cancelled", [](UploadRig& r) { r.ui.files.clear(); }, 0, {}, false},
    };
    for (const Case& c : cases) {
        UploadRig rig;
        c.setup(rig);
        EXPECT_EQ(rig.Run(), c.result) << c.name;
        std::vector<std::u16string> texts;
        for (const auto& m : rig.ui.messages)
            texts.push_back(m.text);
        EXPECT_EQ(texts, c.messages) << c.name;
        EXPECT_EQ(std::filesystem::exists(rig.dataFile), c.fileKept) << c.name;
        if (c.fileKept) {
            EXPECT_EQ(ReadFile(rig.dataFile), "") << c.name;
        }
    }
    UploadRig rig;
    rig.Run();
    ASSERT_EQ(rig.ui.messages.size(), 2u);
    EXPECT_EQ(rig.ui.messages[0].caption, u"Error");
    EXPECT_EQ(rig.ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(rig.ui.messages[1].caption, u"Upload Data");
    EXPECT_EQ(rig.link->sent, std::vector<std::string>(3, "READ\r"));
}

TEST(Upload, SuccessOffersToViewTheFile) {
    for (int answer : {kIdYes, kIdNo}) {
        UploadRig rig;
        rig.Terminal({Rec(0, "A"), Rec(1, "B"), "OVER\r"});
        rig.ui.answers = {answer};
        EXPECT_EQ(rig.Run(), 2);
        ASSERT_EQ(rig.ui.messages.size(), 1u);
        EXPECT_EQ(rig.ui.messages[0].caption, u"Upload Data");
        EXPECT_EQ(rig.ui.messages[0].text, u"Done : 2 records received.\nView the received data?");
        EXPECT_EQ(rig.ui.messages[0].buttons, MessageButtons::YesNo);
        EXPECT_EQ(rig.ui.messages[0].icon, MessageIcon::Question);
        const std::vector<std::filesystem::path> viewed =
            answer == kIdYes ? std::vector<std::filesystem::path>{rig.dataFile}
                             : std::vector<std::filesystem::path>{};
        EXPECT_EQ(rig.ui.viewed, viewed);
        const FileDialogRequest& r = rig.ui.fileRequests.at(0);
        EXPECT_TRUE(r.save);
        EXPECT_TRUE(r.promptOverwrite);
        EXPECT_FALSE(r.startFromPrevious);
        ASSERT_EQ(r.filters.size(), 2u);
        EXPECT_EQ(r.filters[0].description, u"Файлы данных {*.TXT}");
        EXPECT_EQ(r.filters[1].description, u"Все файлы (*.*)");
    }
}

TEST(Upload, LanguageFileWordsTheRecordsReceivedQuestion) {
    Language language;
    EXPECT_EQ(RecordsReceivedText(language, 7),
              u"Done : 7 records received.\nView the received data?");
    language.loaded = true;
    language.table[kRecordsReceivedTextBefore] = u"Принято записей: ";
    language.table[kRecordsReceivedTextAfter] = u". Открыть файл?";
    EXPECT_EQ(RecordsReceivedText(language, 7), u"Принято записей: 7. Открыть файл?");
}

TEST(Upload, TimingsFollowTheEndOfTheUpload) {
    UploadRig rig;
    std::ofstream(rig.folder.Path() / "EnablePerfomanceCounters.txt").put('1');
    rig.Terminal({Rec(0, "A"), "OVER\r"}, 10);
    ASSERT_EQ(rig.Run(), 1);
    ASSERT_EQ(rig.ui.messages.size(), 2u);
    EXPECT_EQ(rig.ui.messages[0].caption, u"Upload Data");
    EXPECT_EQ(rig.ui.messages[0].icon, MessageIcon::Information);
    // "ACK\r" after 2 ms, the record 10 ms later, "OVER\r" 10 ms after the PC's answer.
    EXPECT_EQ(rig.ui.messages[0].text,
              u"Upload Data\r\n"
              u"Общее время выгрузки - 22 мсек.\r\n"
              u"send: time=0 (Avg=0) мксек., count=2\r\n"
              u"recv: time=21000 (Avg=7000) мксек., count=3\r\n");
}

}  // namespace
}  // namespace fw::test
