// The committed stock-count sample: it is exactly what make-samples writes, it reads as the
// application it claims to be, and its product file fits the database it is meant for.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "run_tool.h"

namespace fw {
namespace {

using test::Json;
using test::ToolFolder;

const std::string kSamples = std::string(FW_SOURCE_DIR) + "/samples/";

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    return parts;
}

TEST(Samples, CommittedFilesAreWhatMakeSamplesWrites) {
    ToolFolder dir;
    const auto r = dir.Run(FW_MAKE_SAMPLES_PATH, {dir.Path().string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* name : {"stock-count.FWW", "products.txt"}) {
        SCOPED_TRACE(name);
        const std::string committed = test::ReadFile(kSamples + name);
        ASSERT_FALSE(committed.empty());
        EXPECT_TRUE(committed == dir.Read(name))
            << "run make-samples samples/ and commit the result";
    }
}

TEST(Samples, StockCountIsAMenuOfThreeFormsOnAProductDatabase) {
    ToolFolder dir;
    const auto r = dir.Run(FW_CLI_PATH, {"show", kSamples + "stock-count.FWW", "--json"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "");  // read without a single message
    Json root;
    ASSERT_TRUE(test::ParseJson(r.out, root)) << r.out;
    const Json& d = root["definition"];

    EXPECT_EQ(d["terminal"]["start"].text, "menu 1");
    EXPECT_EQ(d["menus"].items.size(), 2u);
    EXPECT_EQ(d["menus"][0]["items"].items.size(), 1u);
    EXPECT_EQ(d["menus"][0]["items"][0]["target"].text, "menu 2");
    EXPECT_EQ(d["menus"][1]["items"].items.size(), 3u);
    for (int item = 0; item < 3; ++item)
        EXPECT_EQ(d["menus"][1]["items"][item]["target"].text, "form " + std::to_string(item + 1));

    EXPECT_EQ(d["lookups"].items.size(), 1u);
    const Json& products = d["lookups"][0];
    EXPECT_EQ(products["layout"].text, "delimiter ';'");
    const Json& fields = products["fields"];
    EXPECT_EQ(fields.items.size(), 3u);
    EXPECT_EQ(fields[0]["key"].text, "true");  // the key field is the first
    EXPECT_EQ(fields[1]["key"].kind, Json::Null);
    EXPECT_EQ(d["forms"].items.size(), 3u);
    for (const Json& form : d["forms"].items)
        EXPECT_EQ(form["lookup"].text, "database 1");
    EXPECT_EQ(d["forms"][0]["function keys"][0]["branch"].text, "totals");
    // The serial line of form 3 looks up the key field, as a serial line needs.
    EXPECT_EQ(d["forms"][2]["lines"][2]["type"].text, "serial number");
    EXPECT_EQ(d["forms"][2]["lines"][2]["lookup column"].text, "field 1");

    // Every product line fits the database: a valid EAN-13 key, a name and a quantity
    // within their field lengths, the record within the record length.
    const std::vector<std::string> lines = Split(test::ReadFile(kSamples + "products.txt"), '\n');
    EXPECT_GE(lines.size(), 24u);
    for (std::string line : lines) {
        SCOPED_TRACE(line);
        ASSERT_TRUE(line.ends_with('\r'));
        line.pop_back();
        EXPECT_LE(static_cast<int>(line.size()), products["record length"].Int());
        const std::vector<std::string> values = Split(line, ';');
        ASSERT_EQ(values.size(), 3u);
        for (int f = 0; f < 3; ++f)
            EXPECT_LE(static_cast<int>(values[f].size()), fields[f]["length"].Int());
        const std::string& ean = values[0];
        ASSERT_EQ(ean.size(), 13u);
        int sum = 0;
        for (int i = 0; i < 13; ++i)
            sum += (ean[i] - '0') * (i % 2 == 0 ? 1 : 3);
        EXPECT_EQ(sum % 10, 0);
        EXPECT_EQ(values[2].find_first_not_of("0123456789"), std::string::npos);
    }
}

}  // namespace
}  // namespace fw
