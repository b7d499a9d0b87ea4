// "show" names the scanner engine, how it reads and every symbology it reads.
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

}  // namespace
}  // namespace fw
