// The command menu's texts and the recent-file items, the command line and the version label.
#include <gtest/gtest.h>

#include "model/language.h"
#include "shell/commands.h"
#include "shell/filedialogs.h"
#include "shell/mainwindow.h"
#include "shell/version.h"
#include "support/temp_folder.h"

namespace fw {
namespace {

TEST(PopupMenu, BuiltInTextsInMenuOrderWithRecentFilesBeforeAbout) {
    const std::vector<MenuItem> builtIn = {
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
    const Language english;
    EXPECT_EQ(PopupMenuItems(english, {}), builtIn);

    std::vector<MenuItem> withRecent = builtIn;
    withRecent.insert(
        withRecent.begin() + 14,
        {{3300, u"&1:  /p/a.FWW"}, {3301, u"&2:  /p/b.FWW"}, {3302, u"&3:  /p/c.FWW"}, {0, u""}});
    EXPECT_EQ(PopupMenuItems(english, {u"/p/a.FWW", u"/p/b.FWW", u"/p/c.FWW"}), withRecent);
}

TEST(PopupMenu, LanguageReplacesEveryItemItGivesAndNoOther) {
    Language lang;
    lang.loaded = true;
    for (int id : {1101, 1102, 1103, 1104, 1106, 1107, 1108, 1109, 1110, 1111, 1792}) {
        const std::string s = "L" + std::to_string(id);
        lang.table[static_cast<std::size_t>(id)] = std::u16string(s.begin(), s.end());
    }
    // Entries the language file leaves out (1105, 1793) keep the menu's own texts: a language
    // never brings in texts of another one.
    std::vector<std::u16string> texts;
    for (const MenuItem& item : PopupMenuItems(lang, {u"/x.FWW"}))
        texts.push_back(item.text);
    const std::vector<std::u16string> expected = {
        u"L1101", u"L1102", u"L1103",       u"L1104", u"",      u"&Edit\tCtrl+E",
        u"L1106", u"",      u"L1792",       u"L1107", u"L1108", u"Download Lookup to SD-card",
        u"L1109", u"",      u"&1:  /x.FWW", u"",      u"L1110", u"L1111"};
    EXPECT_EQ(texts, expected);

    // Under a Russian language file the items it leaves out without an English text of
    // their own take the Russian one.
    const std::vector<MenuItem> russian = PopupMenuItems(lang, {}, true);
    EXPECT_EQ(russian[8].text, u"L1792");
    EXPECT_EQ(russian[11].text, u"Загрузить базу данных на SD-карту");
    EXPECT_EQ(russian[5].text, u"&Edit\tCtrl+E");

    lang.loaded = false;  // a table that is not in force changes nothing
    EXPECT_EQ(PopupMenuItems(lang, {}), PopupMenuItems(Language(), {}));
    EXPECT_EQ(PopupMenuItems(lang, {}, true), PopupMenuItems(Language(), {}));
}

TEST(PopupMenu, EnglishSampleLeavesNoRussianItem) {
    Language lang;
    ParseLanguageText(lang,
                      test::ReadFile(std::filesystem::path(FW_SOURCE_DIR) / "samples/English.lng"));
    lang.loaded = true;
    for (const MenuItem& item : PopupMenuItems(lang, {})) {
        for (char16_t ch : item.text)
            EXPECT_FALSE(ch >= 0x0400 && ch <= 0x04FF) << item.id;
    }
}

TEST(PopupMenu, LongRecentPathsShowTheirHeadAndTail) {
    const std::u16string forty = u"/home/user/projects/stock/counting/a.FWW";
    ASSERT_EQ(forty.size(), 40u);
    EXPECT_EQ(RecentFileMenuText(0, forty), u"&1:  " + forty);
    // 41 units: the first 15, "...", the last 22.
    EXPECT_EQ(RecentFileMenuText(3, u"/home/user/projects/stock/counting/ab.FWW"),
              u"&4:  /home/user/proj.../stock/counting/ab.FWW");
    EXPECT_EQ(RecentFileMenuText(9, u"x"), u"&10:  x");
}

TEST(CommandLine, QuotesAreDroppedAndThePathIsCut) {
    EXPECT_EQ(ProjectPathFromCommandLine(u"\"/data/My Projects/a.FWW\""),
              u"/data/My Projects/a.FWW");
    EXPECT_EQ(ProjectPathFromCommandLine(u"/a\"b\"c.FWW"), u"/abc.FWW");
    EXPECT_EQ(ProjectPathFromCommandLine(u"\"\""), u"");
    const std::u16string longLine(300, u'a');
    EXPECT_EQ(ProjectPathFromCommandLine(u"\"" + longLine + u"\""), std::u16string(255, u'a'));
}

TEST(VersionData, LabelAndYearFromTheVersionBlock) {
    struct Case {
        QString fileVersion, copyright, label, year;
        bool error;
    };
    const QString phrase = QString::fromUtf16(kRightsPhrase);
    const Case cases[] = {
        {"5.0.0.0", phrase + "2026", "5.00 (5.0.0.0)", "2026", false},
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

    // This program's own version block reads without an error.
    const VersionInfo own = ReadVersionInfo("/opt/fw/formwright", ProgramVersionBlock());
    EXPECT_TRUE(own.error.isEmpty());
    EXPECT_EQ(own.versionLabel, QStringLiteral("5.01 (5.1.0.0)"));
    EXPECT_EQ(own.releaseYear.size(), 4);
}

// The file dialogs name each filter's pattern once, where the dialog reads it.
TEST(FileDialogFilter, NamesThePatternOnce) {
    struct Case {
        std::u16string description, pattern;
        QString shown;
    };
    const Case cases[] = {
        {u"Файлы БД {*.TXT}", u"*.TXT", "Файлы БД (*.TXT)"},
        {u"Все файлы (*.*)", u"*.*", "Все файлы (*.*)"},
        {u"Formwright files (*.FWW)", u"*.FWW", "Formwright files (*.FWW)"},
        {u"Data files", u"*.TXT", "Data files (*.TXT)"},
        {u"Data {*.DAT}", u"*.TXT", "Data {*.DAT} (*.TXT)"},  // braces around another pattern
    };
    for (const Case& c : cases)
        EXPECT_EQ(DialogNameFilter({c.description, c.pattern}), c.shown) << c.shown.toStdString();
}

}  // namespace
}  // namespace fw
