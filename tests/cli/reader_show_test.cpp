// "show" names the scanner engine, how it reads, every symbology it reads and their parameters.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/defaults.h"
#include "model/projectfile.h"
#include "run_tool.h"

namespace fw {
namespace {

using test::Json;
using test::ToolFolder;

class ReaderShowTest : public ::testing::Test {
  protected:
    ReaderShowTest() {
        ResetReaderSettings(d);
        NewDefinition(d);
    }
    Json Show() {
        dir.Write("reader.FWW", SerialiseProject(d, true));
        const test::ToolResult r = dir.Run(FW_CLI_PATH, {"show", "reader.FWW", "--json"});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        Json root;
        EXPECT_TRUE(test::ParseJson(r.out, root)) << r.out;
        return root["definition"]["reader"];
    }
    static std::vector<std::string> Texts(const Json& array) {
        std::vector<std::string> texts;
        for (const Json& item : array.items)
            texts.push_back(item.text);
        return texts;
    }

    Definition d;
    ToolFolder dir;
};

TEST_F(ReaderShowTest, TheLaserEngineShowsItsReadingOptionsAndSymbologies) {
    d.readerOptions[11] = 0x18;  // negative barcodes, redundancy two times
    const Json reader = Show();
    EXPECT_EQ(reader["engine"].text, "1D laser/LED");
    EXPECT_EQ(reader["scan mode"].text, "laser");
    EXPECT_EQ(reader["read redundancy"].text, "two times");
    EXPECT_EQ(reader["time-out"].text, "3 s");
    EXPECT_EQ(reader["negative barcodes"].kind, Json::Bool);
    EXPECT_EQ(reader["negative barcodes"].text, "true");
    EXPECT_EQ(
        Texts(reader["symbologies"]),
        (std::vector<std::string>{"Code 39", "Industrial 25", "Interleave 25", "Codabar", "UPCE",
                                  "EAN8", "EAN13 and UPCA", "Code 93", "Code 128", "EAN128"}));
}

TEST_F(ReaderShowTest, TheTwoDFamilyReadsFromItsOwnBlock) {
    Terminal(d).ReaderType() = 0x03;  // 2D imager with RFID
    d.readerOptions[0] = 0xFF;        // 1D bits say nothing about the 2D engine
    d.symbologyOptions[0] = 0x80;
    d.symbologyOptions[4] = 0x00;
    d.symbologyOptions[5] = 0x00;
    d.symbologyOptions[11] = 0x80;
    d.symbologyOptions[14] = 0x00;
    d.symbologyOptions[27] = 0x00;
    d.symbologyOptions[28] = 0x00;
    d.symbologyOptions[29] = 0x04;
    Json reader = Show();
    EXPECT_EQ(reader["engine"].text, "2D imager");
    EXPECT_EQ(reader["rfid reader"].text, "true");
    EXPECT_EQ(reader["illumination"].text, "internal");
    EXPECT_EQ(reader["time-out"].text, "9 s");
    EXPECT_EQ(Texts(reader["symbologies"]),
              (std::vector<std::string>{"UPC-A", "Code 11", "QR Code"}));

    // The long-range engine cannot read Code 11 or QR Code, whatever their bits hold.
    Terminal(d).ReaderType() = 0x04;
    d.symbologyOptions[31] = 12;
    reader = Show();
    EXPECT_EQ(reader["engine"].text, "1D long range");
    EXPECT_EQ(reader["aiming display"].text, "12 s");
    EXPECT_EQ(Texts(reader["symbologies"]), (std::vector<std::string>{"UPC-A"}));

    // Engine bits no list entry stores are named by their value, not taken for another engine.
    Terminal(d).ReaderType() = 0x08;
    dir.Write("reader.FWW", SerialiseProject(d, true));
    const test::ToolResult words = dir.Run(FW_CLI_PATH, {"show", "reader.FWW"});
    EXPECT_NE(words.out.find("engine: unknown (8)"), std::string::npos) << words.out;
}

// Expected words are the dialogs' built-in captions and choices, worked out from the bytes.
struct Expect {
    const char* symbology;
    const char* parameter;
    std::string value;
};

void ExpectParameters(const Json& reader, const std::vector<Expect>& expected) {
    for (const Expect& e : expected) {
        const Json& value = reader["symbology parameters"][e.symbology][e.parameter];
        EXPECT_EQ(value.text, e.value) << e.symbology << " / " << e.parameter;
    }
}

TEST_F(ReaderShowTest, ANewProjectShowsTheLaserSymbologiesParameters) {
    const Json reader = Show();
    ExpectParameters(reader, {
                                 // byte 5 = 0x2D
                                 {"Code 39", "Transmit Start/Stop Characters", "false"},
                                 {"Code 39", "Verify Checksum", "false"},
                                 {"Code 39", "Transmit Checksum", "true"},
                                 {"Code 39", "Full ASCII", "false"},
                                 // byte 6 = 0x54, bytes 12..13 = 0xFF 0x01: max/min 127..1
                                 {"Industrial 25", "Start / Stop", "Industrial 25"},
                                 {"Industrial 25", "Verify Checksum", "false"},
                                 {"Industrial 25", "Transmit Checksum", "true"},
                                 {"Industrial 25", "Length", "Max / Min Length"},
                                 {"Industrial 25", "Max Length", "127"},
                                 {"Industrial 25", "Min Length", "1"},
                                 // byte 7 = 0x80
                                 {"Codabar", "Start / Stop Characters", "None"},
                             });
    EXPECT_EQ(reader["symbology parameters"]["Industrial 25"]["Max Length"].kind, Json::Number);
    // Only enabled symbologies with a dialog: Italian Pharmacode is off, Code 93 has none.
    EXPECT_EQ(reader["symbology parameters"]["Italian Pharmacode"].kind, Json::Null);
    EXPECT_EQ(reader["symbology parameters"]["Code 93"].kind, Json::Null);
    EXPECT_EQ(reader["code identifiers"]["Enable code ID"].text, "false");
    EXPECT_EQ(reader["code identifiers"]["Code 39"].kind, Json::String);
    // Neither GS1 nor RFID is on in a new project.
    EXPECT_EQ(reader["gs1 display formats"].kind, Json::Null);
    EXPECT_EQ(reader["rfid parameters"].kind, Json::Null);
}

TEST_F(ReaderShowTest, ChangedBytesShowTheirNewWordsAndUnknownValuesTheirNumber) {
    d.readerOptions[5] = 0xC0;   // start/stop and verify on, transmit off
    d.readerOptions[6] = 0x57;   // Industrial 25 start/stop 3: no choice stores it
    d.readerOptions[12] = 0x14;  // fixed lengths 20 and 8
    d.readerOptions[13] = 0x08;
    d.readerOptions2[0] = 1;  // GS1 identifiers on
    d.readerOptions2[1] = 1;
    d.readerOptions2[2] = 4;
    Terminal(d).ReaderType() = 0x02;  // laser with RFID
    d.readerExtra[2] = 17;
    const Json reader = Show();
    ExpectParameters(reader, {
                                 {"Code 39", "Transmit Start/Stop Characters", "true"},
                                 {"Code 39", "Verify Checksum", "true"},
                                 {"Code 39", "Transmit Checksum", "false"},
                                 {"Industrial 25", "Start / Stop", "unknown (3)"},
                                 {"Industrial 25", "Length", "Fixed Length"},
                                 {"Industrial 25", "Fixed Length 1", "20"},
                                 {"Industrial 25", "Fixed Length 2", "8"},
                             });
    EXPECT_EQ(reader["gs1 display formats"]["Год"].text, "4 разряда (ГГГГ)");
    EXPECT_EQ(reader["gs1 display formats"]["Месяц"].text, "Полное название русс.");
    EXPECT_EQ(reader["rfid parameters"]["Прочитать ID метки"].text, "true");
    EXPECT_EQ(reader["rfid parameters"]["Начальная позиция"].text, "17");

    // The words reach the plain report too.
    dir.Write("reader.FWW", SerialiseProject(d, true));
    const test::ToolResult words = dir.Run(FW_CLI_PATH, {"show", "reader.FWW"});
    EXPECT_NE(words.out.find("Start / Stop: unknown (3)"), std::string::npos) << words.out;
}

TEST_F(ReaderShowTest, TheTwoDEngineShowsItsOwnDialogsParameters) {
    Terminal(d).ReaderType() = 0x01;
    d.readerOptions[0] = 0xFF;     // 1D symbologies say nothing about the 2D engine
    d.symbologyOptions[2] = 0x8E;  // add-ons bits 3..1 = 7: no choice stores it
    const Json reader = Show();
    ExpectParameters(reader, {
                                 // byte 1 = 0x57: preamble bits 7..6 = 1, checksum bit 1
                                 {"UPC-A", "Преамбула", "Системный символ"},
                                 {"UPC-A", "Дополнение", "unknown (7)"},
                                 {"UPC-A", "Передавать контрольную сумму", "true"},
                                 // byte 5 = 0x80: no verification, lengths any
                                 {"Code 39", "Проверять контрольную сумму", "false"},
                                 {"Code 39", "Code 39 в формате ASCII", "false"},
                             });
    EXPECT_EQ(reader["symbology parameters"]["Industrial 25"].kind, Json::Null);
    EXPECT_EQ(reader["symbology parameters"]["Code 39"]["Transmit Checksum"].kind, Json::Null);
}

}  // namespace
}  // namespace fw
