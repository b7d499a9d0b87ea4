// The committed stock-count sample: it is exactly what make-samples writes, it reads as the
// application it claims to be, and its product file fits the database it is meant for.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/defaults.h"
#include "model/projectfile.h"
#include "run_tool.h"

namespace fw {
namespace {

using test::ToolFolder;

const std::string kSamples = std::string(FW_SOURCE_DIR) + "/samples/";

class NoPresenter : public MessagePresenter {
  public:
    int Show(const MessageRequest&) override {
        ++shown;
        return kIdOk;
    }
    int shown = 0;
};

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
        const std::string committed = ToolFolder::Read(kSamples + name);
        ASSERT_FALSE(committed.empty());
        EXPECT_TRUE(committed == ToolFolder::Read(dir / name))
            << "run make-samples samples/ and commit the result";
    }
}

TEST(Samples, StockCountIsAMenuOfThreeFormsOnAProductDatabase) {
    auto ws = std::make_unique<Workspace>();
    NoPresenter presenter;
    ws->presenter = &presenter;
    LoadDefaultTexts(ws->definition, ws->language);
    ResetReaderSettings(ws->definition);
    NewDefinition(ws->definition);
    const std::string bytes = ToolFolder::Read(kSamples + "stock-count.FWW");
    ASSERT_EQ(bytes.size(), kExtendedFileSize);
    ASSERT_EQ(ReadProjectBytes(*ws, bytes, true), 1);
    EXPECT_EQ(presenter.shown, 0);
    const Definition& d = ws->definition;

    EXPECT_EQ(Terminal(d).StartTarget(), 1);  // menu 1
    EXPECT_EQ(Menu(d, 0).ItemTarget(0), 12);  // menu 1 leads to menu 2
    EXPECT_EQ(Menu(d, 1).ItemCount(), 3);
    for (int item = 0; item < 3; ++item)
        EXPECT_EQ(Menu(d, 1).ItemTarget(item), item + 1);

    const ConstLookupRecord products = Lookup(d, 1);
    EXPECT_TRUE(products.InUse());
    EXPECT_EQ(products.FieldCount(), 3);
    EXPECT_EQ(products.KeyField(), 0);
    EXPECT_EQ(products.Delimiter(), ';');
    for (int form = 0; form < 3; ++form)
        EXPECT_EQ(Form(d, form).FormLookup(), 1);
    EXPECT_EQ(Form(d, 0).FnBranch(0), 11);  // totals
    EXPECT_EQ(Form(d, 2).LineType(2), kLineSerial);
    EXPECT_EQ(Form(d, 2).LineLookupField(2), 1);  // the key field, as the serial line needs

    // Every product line fits the database: a valid EAN-13 key, a name and a quantity
    // within their field lengths, the record within the member length.
    const std::string file = ToolFolder::Read(kSamples + "products.txt");
    const std::vector<std::string> lines = Split(file, '\n');
    EXPECT_GE(lines.size(), 24u);
    for (std::string line : lines) {
        SCOPED_TRACE(line);
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(line.back(), '\r');
        line.pop_back();
        EXPECT_LE(line.size(), products.MemberLength());
        const std::vector<std::string> fields = Split(line, ';');
        ASSERT_EQ(fields.size(), 3u);
        for (int f = 0; f < 3; ++f)
            EXPECT_LE(fields[f].size(), products.FieldLength(f));
        const std::string& ean = fields[0];
        ASSERT_EQ(ean.size(), 13u);
        int sum = 0;
        for (int i = 0; i < 13; ++i)
            sum += (ean[i] - '0') * (i % 2 == 0 ? 1 : 3);
        EXPECT_EQ(sum % 10, 0);
        EXPECT_EQ(fields[2].find_first_not_of("0123456789"), std::string::npos);
    }
}

}  // namespace
}  // namespace fw
