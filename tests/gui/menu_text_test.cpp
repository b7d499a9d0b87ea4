// The command menu's texts and the recent-file items, the command line and the version label.
#include <gtest/gtest.h>

#include "model/language.h"
#include "shell/commands.h"
#include "shell/mainwindow.h"
#include "shell/version.h"

namespace fw {
namespace {

std::vector<int> Ids(const std::vector<MenuItem>& items) {
    std::vector<int> ids;
    for (const MenuItem& item : items)
        ids.push_back(item.id);
    return ids;
}

TEST(PopupMenu, BuiltInTextsInMenuOrder) {
    Language builtIn;
    const std::vector<MenuItem> items = PopupMenuItems(builtIn, {});
    const std::vector<MenuItem> expected = {
        {1010, u"&New\tCtrl+N"},
        {1020, u"&Open...\tCtrl+O"},
        {1030, u"&Save\tCtrl+S"},
        {1040, u"Save &As..."},
        {0, u""},
        {2000, u"&Edit\tCtrl+E"},
        {2100, u"&Preferences..."},
        {0, u""},
        {40001, u"Download &Program"},
        {3020, u"&Download Application"},
        {3040, u"Download &Lookup File"},
        {40003, u"Download Lookup to SD-card"},
        {3030, u"&Receive Data"},
        {0, u""},
        {9030, u"A&bout..."},
        {1090, u"E&xit\tAlt+F4"},
    };
    EXPECT_EQ(items, expected);
}

TEST(PopupMenu, RecentFilesStandBetweenReceiveDataAndAbout) {
    Language builtIn;
    const std::vector<std::u16string> recent = {u"/p/a.FWW", u"/p/b.FWW", u"/p/c.FWW"};
    const std::vector<MenuItem> items = PopupMenuItems(builtIn, recent);
    EXPECT_EQ(Ids(items),
              (std::vector<int>{1010, 1020,  1030, 1040, 0,    2000, 2100, 0, 40001, 3020,
                                3040, 40003, 3030, 0,    3300, 3301, 3302, 0, 9030,  1090}));
    EXPECT_EQ(items[14].text, u"&1:  /p/a.FWW");
    EXPECT_EQ(items[15].text, u"&2:  /p/b.FWW");
    EXPECT_EQ(items[16].text, u"&3:  /p/c.FWW");
}

TEST(PopupMenu, LanguageReplacesTextsByPosition) {
    Language lang;
    lang.loaded = true;
    for (int id = 1101; id <= 1111; ++id) {
        const std::string s = "L" + std::to_string(id);
        lang.table[static_cast<std::size_t>(id)] = std::u16string(s.begin(), s.end());
    }
    lang.table[1105].clear();  // an entry the language file leaves out keeps the menu's text
    const std::vector<MenuItem> items = PopupMenuItems(lang, {u"/x.FWW"});
    std::vector<std::u16string> texts;
    for (const MenuItem& item : items)
        texts.push_back(item.text);
    const std::vector<std::u16string> expected = {
        u"L1101", u"L1102", u"L1103",
        u"L1104", u"",      u"&Edit\tCtrl+E",
        u"L1106", u"",      u"Загрузить прошивку",
        u"L1107", u"L1108", u"Загрузить базу данных на SD-карту",
        u"L1109", u"",      u"&1:  /x.FWW",
        u"",      u"L1110", u"L1111"};
    EXPECT_EQ(texts, expected);

    lang.loaded = false;  // a table that is not in force changes nothing
    EXPECT_EQ(PopupMenuItems(lang, {})[0].text, u"&New\tCtrl+N");
    EXPECT_EQ(PopupMenuItems(lang, {})[8].text, u"Download &Program");
}

TEST(PopupMenu, LongRecentPathsShowTheirHeadAndTail) {
    const std::u16string forty = u"/home/user/projects/stock/counting/a.FWW";
    ASSERT_EQ(forty.size(), 40u);
    EXPECT_EQ(RecentFileMenuText(0, forty), u"&1:  " + forty);

    const std::u16string fortyOne = u"/home/user/projects/stock/counting/ab.FWW";
    ASSERT_EQ(fortyOne.size(), 41u);
    // First 15 units, "...", last 22 units.
    EXPECT_EQ(RecentFileMenuText(3, fortyOne), u"&4:  /home/user/proj.../stock/counting/ab.FWW");
    EXPECT_EQ(RecentFileMenuText(9, u"x"), u"&10:  x");
}

TEST(CommandLine, QuotesAreDroppedAndThePathIsCut) {
    EXPECT_EQ(ProjectPathFromCommandLine(u"\"/data/My Projects/a.FWW\""),
              u"/data/My Projects/a.FWW");
    EXPECT_EQ(ProjectPathFromCommandLine(u"/a\"b\"c.FWW"), u"/abc.FWW");
    EXPECT_EQ(ProjectPathFromCommandLine(u""), u"");
    EXPECT_EQ(ProjectPathFromCommandLine(u"\"\""), u"");
    const std::u16string longLine(300, u'a');
    EXPECT_EQ(ProjectPathFromCommandLine(u"\"" + longLine + u"\""), std::u16string(255, u'a'));
}

TEST(VersionData, LabelAndYearFromTheVersionBlock) {
    struct Case {
        QString fileVersion;
        QString copyright;
        QString label;
        QString year;
        bool error;
    };
    const QString phrase = QString::fromUtf16(kRightsPhrase);
    const Case cases[] = {
        {"5.0.0.0", phrase + "2026", "5.00 (5.0.0.0)", "2026", false},
        {"5.1.0.0", phrase + "2026", "5.01 (5.1.0.0)", "2026", false},
        {"12.34.5.6", phrase + "2031", "12.34 (12.34.5.6)", "2031", false},
        {"7", phrase + "2026", "", "", true},                             // no minor number
        {"x.1.0.0", phrase + "2026", "", "", true},                       // no major number
        {"5.1.0.0", "Rights reserved 2026", "5.01 (5.1.0.0)", "", true},  // wrong phrase
        {"5.1.0.0", phrase + QString(40, '9'), "5.01 (5.1.0.0)", QString(31, '9'), false},
    };
    for (const Case& c : cases) {
        const VersionInfo info =
            ReadVersionInfo("/opt/fw/formwright", {c.fileVersion, c.copyright});
        EXPECT_EQ(info.versionLabel, c.label) << c.fileVersion.toStdString();
        EXPECT_EQ(info.releaseYear, c.year) << c.fileVersion.toStdString();
        EXPECT_EQ(!info.error.isEmpty(), c.error) << c.fileVersion.toStdString();
    }
    const VersionInfo noPath = ReadVersionInfo("", {"5.1.0.0", phrase + "2026"});
    EXPECT_TRUE(noPath.error.startsWith("Ошибка определения версии приложения ("));
    EXPECT_TRUE(noPath.versionLabel.isEmpty());
    const VersionInfo bad = ReadVersionInfo("/opt/fw/formwright", {"7", phrase + "2026"});
    EXPECT_TRUE(bad.error.startsWith("Ошибка определения версии приложения (/opt/fw/formwright) "));
    EXPECT_TRUE(bad.error.endsWith(":165"));
}

TEST(VersionData, ThisProgramsVersionReads) {
    const VersionInfo info = ReadVersionInfo("/opt/fw/formwright", ProgramVersionBlock());
    EXPECT_TRUE(info.error.isEmpty());
    EXPECT_EQ(info.versionLabel, QStringLiteral("5.01 (5.1.0.0)"));
    EXPECT_EQ(info.releaseYear.size(), 4);
}

}  // namespace
}  // namespace fw
