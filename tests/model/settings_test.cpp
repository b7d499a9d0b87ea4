#include "model/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_folder.h"

namespace fw {
namespace {

using Paths = std::vector<std::u16string>;

// Settings that differ from the defaults everywhere, so a test sees what a read resets.
Settings Unusual() {
    Settings s;
    s.lastProjectPath = u"old.FWW";
    s.downloadLinkType = s.uploadLinkType = 2;
    s.comPort = 77;
    s.baudRateIndex = 3;
    s.extraTimeout = 9;
    s.networkPort = 4000;
    s.autoPreloadLast = s.alwaysOnTop = 1;
    s.languageName = u"Kept";
    s.recentFiles = {u"r1", u"r2"};
    return s;
}

const std::string kHead = "p\r0\r0\r1\r0\ret=0\rnport=1\r0\r0\rL\r";

TEST(SettingsFile, CurrentLayout) {
    Settings s = Unusual();
    // "Проект" in Windows-1251: П CF р F0 о EE е E5 к EA т F2.
    ParseSettings(s,
                  "\r\rC:\\\xCF\xF0\xEE\xE5\xEA\xF2\\a.FWW\r0\r\r2\r3\r1\ret=5\rnport=5000\r1\r0\r"
                  "English\rC:\\b.FWW\r\r\rD:\\c.FWW\r");
    // The empty fields at the start and in between vanish.
    EXPECT_EQ(s.lastProjectPath, u"C:\\Проект\\a.FWW");
    EXPECT_EQ(s.downloadLinkType, kLinkSerial);
    EXPECT_EQ(s.uploadLinkType, kLinkWifi);
    EXPECT_EQ(s.comPort, 3);
    EXPECT_EQ(s.baudRateIndex, 1);
    EXPECT_EQ(s.extraTimeout, 5);
    EXPECT_EQ(s.networkPort, 5000);
    EXPECT_EQ(s.autoPreloadLast, 1);
    EXPECT_EQ(s.alwaysOnTop, 0);
    EXPECT_EQ(s.languageName, u"English");
    EXPECT_EQ(s.recentFiles, (Paths{u"C:\\b.FWW", u"D:\\c.FWW"}));
}

TEST(SettingsFile, OlderLayoutsAndShortTexts) {
    struct Case {
        std::string bytes;
        std::int32_t extraTimeout, networkPort;
        std::uint8_t autoPreload, onTop;
        std::u16string language;
        std::size_t recent;
    };
    const Case cases[] = {
        // Neither a time-out nor a port: the sixth field is the auto-preload flag.
        {"p\r0\r0\r1\r0\r1\r0\rEnglish\r", 0, 65535, 1, 0, u"English", 0},
        {"p\r0\r0\r1\r0\ret=7\r1\r1\rX\rr1\r", 7, 65535, 1, 1, u"X", 1},
        // A prefix without a value is no prefix: "et=" is read as the flag ('e' - '0').
        {"p\r0\r0\r1\r0\ret=\r1\rX\r", 0, 65535, 'e' - '0', 1, u"X", 0},
        {"p\r0\r0\r1\r0\ret=3\rnport=\r0\rY\r", 3, 65535, 'n' - '0', 0, u"Y", 0},
        // A text that ends right after the time-out keeps the network port it had.
        {"p\r0\r0\r1\r0\ret=2\r", 2, 4000, 0, 0, u"Kept", 0},
        {"p\r0\r0\r1\r0\r", 0, 65535, 0, 0, u"Kept", 0},
        {"p\r0\r0\r1\r0\ret=-4x\rnport=99999999999\r", -4, INT32_MAX, 0, 0, u"Kept", 0},
    };
    for (const Case& c : cases) {
        Settings s = Unusual();
        ParseSettings(s, c.bytes);
        EXPECT_EQ(s.extraTimeout, c.extraTimeout) << c.bytes;
        EXPECT_EQ(s.networkPort, c.networkPort) << c.bytes;
        EXPECT_EQ(s.autoPreloadLast, c.autoPreload) << c.bytes;
        EXPECT_EQ(s.alwaysOnTop, c.onTop) << c.bytes;
        EXPECT_EQ(s.languageName, c.language) << c.bytes;
        EXPECT_EQ(s.recentFiles.size(), c.recent) << c.bytes;
    }
}

TEST(SettingsFile, MissingFileOrEmptyTextGivesDefaults) {
    test::TempFolder dir;
    for (bool fileExists : {false, true}) {
        if (fileExists) dir.Write(kSettingsFileName, std::string("\0p\r2\r", 5));
        Settings s = Unusual();
        EXPECT_EQ(ReadSettings(s, dir.Path()), fileExists);
        EXPECT_EQ(FormatSettings(s), "Unknow\r0\r0\r1\r0\ret=0\rnport=65535\r0\r0\rKept\r");
    }
}

TEST(SettingsFile, LimitsOfTheFile) {
    // A language name of 50 characters keeps 40; a fifth recent file is not read.
    Settings s;
    ParseSettings(s, "p\r0\r0\r1\r0\r0\r0\r" + std::string(50, 'L') + "\ra\rb\rc\rd\re\r");
    EXPECT_EQ(s.languageName, std::u16string(40, u'L'));
    EXPECT_EQ(s.recentFiles, (Paths{u"a", u"b", u"c", u"d"}));

    // Nothing after byte 1299 is read: the recent file that crosses it is cut there.
    test::TempFolder dir;
    dir.Write(kSettingsFileName,
              kHead + std::string(kSettingsFileMax - kHead.size() - 3, 'x') + "\rabcdef\rlater\r");
    EXPECT_TRUE(ReadSettings(s, dir.Path()));
    ASSERT_EQ(s.recentFiles.size(), 2u);
    // A path keeps at most 255 characters.
    EXPECT_EQ(s.recentFiles[0], std::u16string(kPathMax - 1, u'x'));
    EXPECT_EQ(s.recentFiles[1], u"ab");
}

// A recent file that would end past byte 1299 is left out rather than read back cut.
TEST(SettingsFile, WrittenFileStaysWithinTheLimit) {
    Settings s;
    s.lastProjectPath = std::u16string(300, u'p');  // 255 are kept
    s.languageName = std::u16string(60, u'L');      // 40 are kept
    // The path, the 8 numbers, the language and three recent files take 256 + 29 + 41 + 768
    // = 1094 bytes: a fourth file of 204 characters ends right at the limit, 205 do not fit.
    for (std::size_t last : {204u, 205u}) {
        s.recentFiles = {std::u16string(255, u'a'), std::u16string(255, u'b'),
                         std::u16string(255, u'c'), std::u16string(last, u'd')};
        const std::string bytes = FormatSettings(s);
        EXPECT_EQ(bytes.size(), last == 204 ? kSettingsFileMax : 1094u);
        Settings back;
        ParseSettings(back, bytes);
        EXPECT_EQ(back.lastProjectPath, std::u16string(255, u'p'));
        EXPECT_EQ(back.languageName, std::u16string(40, u'L'));
        EXPECT_EQ(back.recentFiles,
                  Paths(s.recentFiles.begin(), s.recentFiles.end() - (last - 204)));
    }
}

TEST(SettingsFile, WrittenFieldsAreReadBack) {
    test::TempFolder dir;
    Settings s;
    s.lastProjectPath = u"C:\\Проект\\a.FWW";
    s.downloadLinkType = 1;
    s.uploadLinkType = 2;
    s.comPort = 3;
    s.baudRateIndex = 4;
    s.extraTimeout = 10;
    s.networkPort = 5000;
    s.autoPreloadLast = 1;
    s.languageName = u"Русский";
    s.recentFiles = {u"C:\\x.FWW", u"", u"D:\\y.FWW"};
    ASSERT_TRUE(WriteSettings(s, dir.Path()));
    // Fields in order, each ended by CR. "Проект" in the path's code page: UTF-8 (П D0 9F
    // р D1 80 о D0 BE е D0 B5 к D0 BA т D1 82) or Windows-1251. The language name is
    // always Windows-1251: Р D0 у F3 с F1 с F1 к EA и E8 й E9.
    const std::string project = kSettingsPathsInUtf8
                                    ? "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB5\xD0\xBA\xD1\x82"
                                    : "\xCF\xF0\xEE\xE5\xEA\xF2";
    EXPECT_EQ(dir.Read(kSettingsFileName),
              "C:\\" + project +
                  "\\a.FWW\r1\r2\r3\r4\ret=10\rnport=5000\r1\r0\r"
                  "\xD0\xF3\xF1\xF1\xEA\xE8\xE9\rC:\\x.FWW\rD:\\y.FWW\r");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "Formwright.ini.tmp"));
    Settings back = Unusual();
    EXPECT_TRUE(ReadSettings(back, dir.Path()));
    EXPECT_EQ(FormatSettings(back), FormatSettings(s));
    EXPECT_EQ(back.recentFiles, (Paths{u"C:\\x.FWW", u"D:\\y.FWW"}));

    // Empty texts would vanish on reading and shift the recent files into their places.
    Settings blank;
    blank.lastProjectPath.clear();
    blank.recentFiles = {u"r.FWW"};
    EXPECT_EQ(FormatSettings(blank), "Unknow\r0\r0\r1\r0\ret=0\rnport=65535\r0\r0\r0\rr.FWW\r");

    EXPECT_FALSE(WriteSettings(s, dir.Path() / "missing"));
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "missing"));
}

// Where the system's paths are UTF-8, a project name that Windows-1251 lacks survives the
// settings file; paths of older files written in Windows-1251 still read, decided path by path.
TEST(SettingsFile, PathsKeepEveryCharacterAndOldFilesStillRead) {
    if (!kSettingsPathsInUtf8) GTEST_SKIP() << "paths keep the Windows code page here";
    test::TempFolder dir;
    Settings s;
    s.lastProjectPath = u"/home/anna/Café.FWW";
    s.languageName = u"Русский";
    s.recentFiles = {u"/home/anna/Café.FWW", u"/data/Ελλάδα/日本.FWW", u"/data/😀.FWW"};
    ASSERT_TRUE(WriteSettings(s, dir.Path()));
    const std::string bytes = dir.Read(kSettingsFileName);
    EXPECT_EQ(bytes.rfind("/home/anna/Caf\xC3\xA9.FWW\r", 0), 0u);
    EXPECT_NE(bytes.find("\r/data/\xF0\x9F\x98\x80.FWW\r"), std::string::npos);
    Settings back;
    ASSERT_TRUE(ReadSettings(back, dir.Path()));
    EXPECT_EQ(back.lastProjectPath, s.lastProjectPath);
    EXPECT_EQ(back.languageName, u"Русский");
    EXPECT_EQ(back.recentFiles, s.recentFiles);

    const struct {
        std::string field;
        std::u16string path;
    } cases[] = {
        // Windows-1251 "Проект": not UTF-8.
        {"C:\\\xCF\xF0\xEE\xE5\xEA\xF2\\a.FWW", u"C:\\Проект\\a.FWW"},
        {"/x/\xE9t\xE9.FWW", u"/x/\u0439t\u0439.FWW"},
        // Sequences UTF-8 does not allow: overlong, a surrogate, beyond U+10FFFF, cut short.
        {"/\xC0\xAF.FWW", u"/\u0410\u0407.FWW"},
        {"/\xED\xA0\x80.FWW", u"/\u043D\u00A0\u0402.FWW"},
        {"/\xF4\x90\x80\x80", u"/\u0444\u0452\u0402\u0402"},
        {"/a\xD0", u"/a\u0420"},
        {"/\xD0\x9F.FWW", u"/П.FWW"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        Settings read;
        ParseSettings(read, c.field + "\r0\r0\r1\r0\ret=0\rnport=1\r0\r0\rL\r" + c.field + "\r");
        EXPECT_EQ(read.lastProjectPath, c.path);
        EXPECT_EQ(read.recentFiles, Paths{c.path});
    }

    // A path of 255 characters that take two bytes each keeps them all.
    s.recentFiles = {std::u16string(255, u'é')};
    s.lastProjectPath = std::u16string(300, u'ж');
    ASSERT_TRUE(WriteSettings(s, dir.Path()));
    ASSERT_TRUE(ReadSettings(back, dir.Path()));
    EXPECT_EQ(back.recentFiles, s.recentFiles);
    EXPECT_EQ(back.lastProjectPath, std::u16string(255, u'ж'));
}

}  // namespace
}  // namespace fw
