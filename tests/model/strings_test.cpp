#include "model/strings.h"

#include <gtest/gtest.h>

#include <set>
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
    const Case cases[] = {
        {kCaptionError, u"Error"},
        {kCaptionWarning, u"Warning"},
        {kCaptionDownload, u"Download"},
        {kCaptionUpload, u"Upload Data"},
        {1131, u"Save current program ?"},
        {1132, u"Downloaded completely!"},
        {1143, u"Too many characters !!!"},
        {1148, u"Invalid value!"},
        {1166, u"Failed to download, would you like to retry?"},
        {1169, u"Error on setting communication state"},
        {1171, u"Format mismatch !!!"},
        {1184, u"Файлы Formwright (*.FWW)"},
        {1207, u"*.FWW"},
        {1203, u"Все файлы (*.*)"},
        {1529, u"Serial-SPP"},
        {1505, u"9600 bps"},
        {1345, u"Серийный номер"},
        {1381, u"MOD 10  Double-Add-Double (next high)"},
        {1621, u"Nil"},
        {1640, u"Calculator"},
        {1803, u"2D сканер"},
        {2103, u" OPCC"},
        // List texts that the program follows with a number end in blanks.
        {1213, u"menu  "},
        {1361, u"field "},
        {1606, u"Misc - continuous "},
        // A menu text carries its accelerator after a real tab.
        {1101, u"&New\tCtrl+N"},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(HasBuiltInString(c.id)) << c.id;
        EXPECT_EQ(BuiltInString(c.id), c.text) << c.id;
    }
}

TEST(BuiltInStrings, MissingIdsGiveNothing) {
    for (int id : {-1, 0, 1011, 1799, 1800, 99999}) {
        EXPECT_FALSE(HasBuiltInString(id)) << id;
        EXPECT_EQ(BuiltInString(id), u"") << id;
    }
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

    EXPECT_EQ(BuiltInString(721), u"1. Collect data     ");
    EXPECT_EQ(BuiltInString(861), u"Baud rate:115200 bps");
    EXPECT_EQ(BuiltInString(822), u"              Modem ");
    EXPECT_EQ(BuiltInString(994), std::u16string(20, u' '));
    EXPECT_EQ(BuiltInString(1002), std::u16string(20, u' '));
    EXPECT_EQ(BuiltInString(1711), u"8. Calculator       ");
    EXPECT_EQ(BuiltInString(806), u"5. SD card");
}

TEST(BuiltInStrings, RussianTextsRoundTripThroughTheCodePage) {
    // "Серийный номер" worked out letter by letter: С D1, е E5, р F0, и E8, й E9, н ED,
    // ы FB, blank 20, о EE, м EC.
    const std::string expected = "\xD1\xE5\xF0\xE8\xE9\xED\xFB\xE9\x20\xED\xEE\xEC\xE5\xF0";
    EXPECT_EQ(EncodeCp1251(BuiltInString(1345)), expected);
    // Every Russian text of the table is made of characters the code page has.
    for (int id = 0; id < 3000; ++id) {
        std::u16string text = BuiltInString(id);
        EXPECT_EQ(DecodeCp1251(EncodeCp1251(text)), text) << id;
    }
}

TEST(BuiltInStrings, TableFileIsSortedAndEveryLineIsLoaded) {
    std::string data =
        test::TempFolder::ReadFile(std::filesystem::path(FW_SOURCE_DIR) / "resources/strings.tsv");
    ASSERT_FALSE(data.empty());
    std::set<int> ids;
    int previous = -1;
    std::size_t pos = 0;
    while (pos < data.size()) {
        std::size_t end = data.find('\n', pos);
        if (end == std::string::npos) end = data.size();
        std::string line = data.substr(pos, end - pos);
        pos = end + 1;
        if (line.empty() || line[0] == '#') continue;
        std::size_t tab = line.find('\t');
        ASSERT_NE(tab, std::string::npos) << line;
        int id = std::stoi(line.substr(0, tab));
        EXPECT_GT(id, previous) << "out of order or repeated: " << id;
        previous = id;
        ids.insert(id);
        EXPECT_EQ(line.find('\r'), std::string::npos) << id;
        EXPECT_FALSE(BuiltInString(id).empty()) << id;
    }
    int loaded = 0;
    for (int id = 0; id < 100000; ++id)
        loaded += HasBuiltInString(id) ? 1 : 0;
    EXPECT_EQ(loaded, static_cast<int>(ids.size()));
}

}  // namespace
}  // namespace fw
