#include "model/strings.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "model/codepage.h"
#include "model/definition.h"
#include "model/unicode.h"
#include "support/temp_folder.h"

namespace fw {
namespace {

TEST(BuiltInStrings, TextsAreTheSystemsOwn) {
    struct Case {
        int id;
        std::u16string text;
    };
    // Texts the other tests do not already meet. List texts that the program follows with a
    // number end in blanks; a menu text carries its accelerator after a real tab.
    const Case cases[] = {
        {kCaptionDownload, u"Download"},
        {kCaptionUpload, u"Upload Data"},
        {1166, u"Failed to download, would you like to retry?"},
        {1203, u"Все файлы (*.*)"},
        {1529, u"Serial-SPP"},
        {1381, u"MOD 10  Double-Add-Double (next high)"},
        {1640, u"Calculator"},
        {1803, u"2D сканер"},
        {2103, u" OPCC"},
        {1213, u"menu  "},
        {1606, u"Misc - continuous "},
        {1101, u"&New\tCtrl+N"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(HasBuiltInString(c.id)) << c.id;
        EXPECT_EQ(BuiltInString(c.id), c.text) << c.id;
    }
    for (int id : {-1, 0, 1011, 1799, 1800, 99999})
        EXPECT_FALSE(HasBuiltInString(id) || !BuiltInString(id).empty()) << id;
}

TEST(BuiltInStrings, ScreenDefaultsAreTwentyCharactersWide) {
    int checked = 0;
    for (int g = 2; g <= kScreenTextGroupCount; ++g) {
        const ScreenTextGroupInfo& info = kScreenTextGroups[g - 1];
        for (int k = 0; k < info.lines; ++k) {
            int id = info.firstStringId + k;
            if (g == 2 && k == 3) continue;  // the main menu's spacer is no string
            if (id == 1011) continue;
            ASSERT_TRUE(HasBuiltInString(id)) << id;
            if (id == 806) continue;
            EXPECT_EQ(BuiltInString(id).size(), 20u) << id;
            ++checked;
        }
    }
    for (int id = kUtilityFirstStringId; id < kUtilityFirstStringId + kUtilityLineCount; ++id) {
        EXPECT_EQ(BuiltInString(id).size(), 20u) << id;
        ++checked;
    }
    EXPECT_EQ(checked, 131);
    EXPECT_EQ(BuiltInString(822), u"              Modem ");
    EXPECT_EQ(BuiltInString(806), u"5. SD card");
}

TEST(BuiltInStrings, RussianTextsAreMadeOfCharactersTheCodePageHas) {
    for (int id = 0; id < 3000; ++id) {
        std::u16string text = BuiltInString(id);
        EXPECT_EQ(DecodeCp1251(EncodeCp1251(text)), text) << id;
    }
}

TEST(BuiltInStrings, TableFileIsSortedAndEveryLineIsLoaded) {
    std::istringstream table(
        test::ReadFile(std::filesystem::path(FW_SOURCE_DIR) / "resources/strings.tsv"));
    int previous = -1, lines = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') continue;
        ASSERT_NE(line.find('\t'), std::string::npos) << line;
        const int id = std::stoi(line);
        EXPECT_GT(id, previous) << "out of order or repeated: " << id;
        EXPECT_EQ(line.find('\r'), std::string::npos) << id;
        EXPECT_FALSE(BuiltInString(id).empty()) << id;
        previous = id;
        ++lines;
    }
    int loaded = 0;
    for (int id = 0; id < 100000; ++id)
        loaded += HasBuiltInString(id) ? 1 : 0;
    EXPECT_GT(lines, 0);
    EXPECT_EQ(loaded, lines);
}

}  // namespace
}  // namespace fw
