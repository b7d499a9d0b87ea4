// formwright-cli as a user runs it: real files in a temporary folder, exit codes and output.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli_support.h"

namespace fw {
namespace {

using test::Cli;
using test::kSample;
using test::ToolFolder;
using test::ToolResult;
using namespace test::file;

TEST(Cli, NewWritesTheFormatTheNameSelectsAndImageWritesTheProgramImage) {
    ToolFolder dir;
    const std::pair<const char*, std::size_t> cases[] = {{"a.FWW", kExtendedSize},
                                                         {"b.fww", kExtendedSize},
                                                         {"c.FWX", kBaseSize},
                                                         {"d.txt", kBaseSize}};
    for (const auto& [name, size] : cases) {
        SCOPED_TRACE(name);
        const ToolResult r = Cli(dir, std::string("new ") + name);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(dir.Read(name).size(), size);
    }

    const ToolResult r = Cli(dir, "image a.FWW -o a.img");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string image = dir.Read("a.img");
    ASSERT_EQ(image.size(), kImageSize);
    EXPECT_EQ(image.substr(kImageSize - 68), std::string(68, '\0'));
    // The main menu's first line: screen texts start at 16039, group 2 after group 1's 4 lines.
    EXPECT_EQ(image.substr(16039 + 4 * 21, 21), std::string("1. Collect data     \0", 21));
    // A base-format project gives an image of the same size.
    EXPECT_EQ(Cli(dir, "image c.FWX --output c.img").exitCode, 0);
    EXPECT_EQ(dir.Read("c.img").size(), kImageSize);
}

TEST(Cli, ConvertGoesThroughTheBaseFormatAndBack) {
    ToolFolder dir;
    dir.Write("sample.FWW", test::ReadFile(kSample));
    ASSERT_EQ(Cli(dir, "convert sample.FWW s.FWX").exitCode, 0);
    ASSERT_EQ(Cli(dir, "convert s.FWX s.FWW").exitCode, 0);
    const std::string original = dir.Read("sample.FWW");
    const std::string base = dir.Read("s.FWX");
    const std::string back = dir.Read("s.FWW");
    ASSERT_EQ(base.size(), kBaseSize);
    ASSERT_EQ(back.size(), kExtendedSize);
    // Everything up to ReaderOptions2 survives the trip.
    EXPECT_EQ(back.substr(0, 19167), original.substr(0, 19167));
    // The variables live only in the extended format: the renamed first one is a default
    // name again ("Переменная1", windows-1251) at VariableNames, file offset 20089.
    EXPECT_NE(original.substr(20089, 12), back.substr(20089, 12));
    EXPECT_EQ(back.substr(20089, 12),
              std::string("\xCF\xE5\xF0\xE5\xEC\xE5\xED\xED\xE0\xFF\x31\0", 12));
}

TEST(Cli, CheckListsWhatNormalisationWouldRepair) {
    ToolFolder dir;
    ASSERT_EQ(Cli(dir, "new ok.FWW").exitCode, 0);
    ToolResult r = Cli(dir, "check ok.FWW");
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("nothing to repair"), std::string::npos);

    // Form 1, line 1: a text line with lengths beyond 80.
    std::string damaged = dir.Read("ok.FWW");
    damaged[kFormTable + 29] = 1;     // LineType text
    damaged[kFormTable + 213] = 90;   // MinLength
    damaged[kFormTable + 221] = 100;  // MaxLength
    dir.Write("bad.FWW", damaged);
    r = Cli(dir, "check bad.FWW");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("form 1, line 1: MinLength 90 -> 80"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("form 1, line 1: MaxLength 100 -> 80"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("form 1: LastInputLine 0 -> 1"), std::string::npos) << r.out;
    // Checking repairs nothing on disk.
    EXPECT_EQ(dir.Read("bad.FWW"), damaged);
}

// A value that no entry of its list has is shown as the number stored, never as a value the
// terminal would understand; a repaired byte is named by its own offset.
TEST(Cli, ShowAndCheckNameTheValueThatIsStored) {
    ToolFolder dir;
    ASSERT_EQ(Cli(dir, "new p.FWW").exitCode, 0);
    std::string bytes = dir.Read("p.FWW");
    bytes[kFormTable + 29] = 1;          // form 1, line 1: text, so that the form is shown
    bytes[kFormTable + 20] = 7;          // FormLookup: there is no database 7
    bytes[kFormTable + 1199] = 30;       // ErrorTarget: beyond menu 10 (21)
    bytes[kTerminalSettings + 137] = 9;  // KeyClick: tones go to 5
    bytes[kTerminalSettings + 257] = 6;  // Vibration: at most 5 s
    bytes[kReaderOptions2 + 2] = 9;      // a display format beyond its list
    dir.Write("p.FWW", bytes);

    const ToolResult shown = Cli(dir, "show p.FWW");
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    for (const char* words : {"lookup: invalid (7)", "on error: invalid (30)",
                              "key click: invalid (9)", "vibration: invalid (6)"})
        EXPECT_NE(shown.out.find(words), std::string::npos) << words << "\n" << shown.out;

    const ToolResult checked = Cli(dir, "check p.FWW");
    EXPECT_EQ(checked.exitCode, 1);
    EXPECT_NE(checked.out.find("ReaderOptions2 byte 2: Byte 9 -> 0"), std::string::npos)
        << checked.out;
}

// Menus in words from their bytes: items by number with where they lead (a target no list has
// shown as stored), and the definition-wide choice of separate data files; "check" names the
// menu and field that a save would pad or count.
TEST(Cli, ShowAndCheckDescribeMenusAndTheSeparateDataFiles) {
    ToolFolder dir;
    ASSERT_EQ(Cli(dir, "new m.FWW").exitCode, 0);
    std::string bytes = dir.Read("m.FWW");
    constexpr std::size_t kMenu3 = kMenuTable + 2 * 350;
    bytes[kMenu3 + 1] = 1;  // HasCaption
    bytes.replace(kMenu3 + 2, 5, std::string("Main\0", 5));
    bytes.replace(kMenu3 + 23 + 2 * 21, 8, std::string("3.Count\0", 8));  // item 3 only
    bytes[kMenu3 + 233] = 12;                                             // Esc: menu 2
    bytes[kMenu3 + 234 + 2] = 25;      // item 3 leads beyond menu 10
    bytes[kTerminalSettings + 4] = 1;  // separate data files
    dir.Write("m.FWW", bytes);

    const ToolResult r = Cli(dir, "show m.FWW --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    test::Json root;
    ASSERT_TRUE(test::ParseJson(r.out, root)) << r.out;
    const test::Json& d = root["definition"];
    EXPECT_EQ(d["terminal"]["separate data files"].kind, test::Json::Bool);
    EXPECT_EQ(d["terminal"]["separate data files"].text, "true");
    ASSERT_EQ(d["menus"].items.size(), 1u);
    const test::Json& menu = d["menus"][0];
    EXPECT_EQ(menu["menu"].Int(), 3);
    EXPECT_EQ(menu["esc"].text, "menu 2");
    EXPECT_EQ(menu["items"][0]["item"].Int(), 3);
    EXPECT_EQ(menu["items"][0]["target"].text, "invalid (25)");

    const ToolResult words = Cli(dir, "show m.FWW");
    EXPECT_NE(words.out.find("separate data files: yes"), std::string::npos) << words.out;

    const ToolResult checked = Cli(dir, "check m.FWW");
    EXPECT_EQ(checked.exitCode, 1);
    for (const char* line :
         {"menu 3: Caption \"Main\" -> \"Main                \"", "menu 3: ItemCount 0 -> 1"})
        EXPECT_NE(checked.out.find(line), std::string::npos) << line << "\n" << checked.out;
}

TEST(Cli, RefusedFilesAreNamedOnStderrAndFail) {
    ToolFolder dir;
    ASSERT_EQ(Cli(dir, "new new.FWW").exitCode, 0);
    std::string bytes = dir.Read("new.FWW");
    bytes.replace(0, 9, "M740-6.00");
    dir.Write("future.FWW", bytes);

    for (const char* command : {"show future.FWW", "check future.FWW", "image future.FWW -o x.img",
                                "convert future.FWW y.FWW"}) {
        SCOPED_TRACE(command);
        const ToolResult r = Cli(dir, command);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find("Format mismatch !!!"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("future.FWW"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "x.img"));
    EXPECT_FALSE(std::filesystem::exists(dir / "y.FWW"));

    const ToolResult missing = Cli(dir, "show none.FWW");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("none.FWW"), std::string::npos);
}

// A folder, a device or a pipe named as the project: a line that names it and why, exit 1,
// never a hang waiting for a pipe's writer and never a success.
TEST(Cli, WhatIsNotAProjectFileIsNamedAndRefused) {
    ToolFolder dir;
    std::filesystem::create_directory(dir / "folder.FWW");
    ASSERT_EQ(mkfifo((dir / "pipe.FWW").c_str(), 0600), 0);
    const std::pair<std::string, std::string> cases[] = {
        {"folder.FWW", "a folder"},
        {"pipe.FWW", "a device or pipe"},
        {"/dev/null", "a device or pipe"},
        {"none.FWW", "no such file"},
        {std::string(300, 'n') + ".FWW", "File name too long"},
    };
    for (const auto& [name, why] : cases) {
        SCOPED_TRACE(name);
        const ToolResult r = Cli(dir, "show " + name);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find("cannot open " + name + ": "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(why), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(Cli, UsageErrorsExitWithTwoAndHelpWithZero) {
    ToolFolder dir;
    // Each misses an argument, has one too many, or names a command or an option that does
    // not exist.
    for (const char* usageError : {"", "frobnicate", "new", "new p.FWW extra", "image p.FWW",
                                   "image p.FWW -o", "convert p.FWW", "show p.FWW --yaml"}) {
        SCOPED_TRACE(usageError);
        const ToolResult r = Cli(dir, usageError);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_NE(r.err.find("usage"), std::string::npos) << r.err;
    }
    for (const char* command : {"new", "image", "convert", "show", "check"}) {
        SCOPED_TRACE(command);
        const ToolResult r = Cli(dir, command + std::string(" --help"));
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out.rfind(std::string("usage: formwright-cli ") + command, 0), 0u) << r.out;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "p.FWW"));
}

// Without Qt the tool has no links; its help says which commands that leaves out, and asking
// for one of them says why it is missing instead of calling it unknown.
TEST(Cli, HelpSaysWhichTransferCommandsThisBuildLacks) {
    ToolFolder dir;
    const ToolResult help = Cli(dir, "--help");
    ASSERT_EQ(help.exitCode, 0);
    for (const char* command : {"new", "image", "convert", "show", "check"})
        EXPECT_NE(help.out.find(std::string("\n  ") + command + " "), std::string::npos) << command;
    const std::string lacking = "not available: download download-lookup receive\n";
#ifdef FW_CLI_WITHOUT_LINKS
    EXPECT_NE(help.out.find(lacking), std::string::npos) << help.out;
    EXPECT_EQ(help.out.find("\n  download "), std::string::npos) << help.out;
    for (const char* command : {"download p.FWW", "download-lookup l.txt", "receive r.txt"}) {
        SCOPED_TRACE(command);
        const ToolResult r = Cli(dir, command);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find("needs the terminal links"), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "r.txt"));
#else
    EXPECT_EQ(help.out.find(lacking), std::string::npos) << help.out;
    for (const char* command : {"download", "download-lookup", "receive"})
        EXPECT_NE(help.out.find(std::string("\n  ") + command + " "), std::string::npos) << command;
#endif
}

TEST(Cli, ShowDescribesTheProjectForPeopleAndAsJson) {
    ToolFolder dir;
    dir.Write("sample.FWW", test::ReadFile(kSample));
    const ToolResult text = Cli(dir, "show sample.FWW");
    ASSERT_EQ(text.exitCode, 0) << text.err;
    for (const char* words :
         {"record action: save & update", "type: serial number", "target: form 3", "branch: totals",
          "layout: delimiter ';'", "start: menu 1", "Part number"})
        EXPECT_NE(text.out.find(words), std::string::npos) << words;

    // What the JSON says of the sample's application is the sample's own test.
    const ToolResult r = Cli(dir, "show sample.FWW --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    test::Json root;
    ASSERT_TRUE(test::ParseJson(r.out, root)) << r.out;
    EXPECT_EQ(root["project"].text, "sample.FWW");
    EXPECT_EQ(root["format"].text, "extended");
    const test::Json& d = root["definition"];
    for (const char* key :
         {"forms", "menus", "lookups", "terminal", "network", "variables", "screen texts"})
        EXPECT_NE(d[key].kind, test::Json::Null) << key;
    EXPECT_EQ(d["screen texts"].items.size(), 27u);
    // Texts are UTF-8: the second variable keeps its Russian default name.
    EXPECT_EQ(d["variables"][1].text, "Переменная2");
}

// The startup settings and the terminal's texts as the Startup page lists them; check points out
// what the terminal would take badly and normalisation leaves alone.
TEST(Cli, ShowAndCheckTellTheStartupSettingsAndTexts) {
    constexpr std::size_t kScreenTexts = 16051;
    constexpr std::size_t kSettingsTitle = kScreenTexts + 21 * 35;  // group 8, its title
    ToolFolder dir;
    ASSERT_EQ(Cli(dir, "new p.FWW").exitCode, 0);
    std::string bytes = dir.Read("p.FWW");
    bytes[kTerminalSettings + 1] = 1;    // menu 1
    bytes[kTerminalSettings + 2] = ';';  // first delimiter
    bytes[kTerminalSettings + 3] = 13;   // second delimiter: a carriage return
    bytes[kTerminalSettings + 260] = 1;  // SD card
    bytes.replace(kSettingsTitle + 21, 21, std::string(21, 'X'));  // no end in its cell
    dir.Write("p.FWW", bytes);

    const ToolResult r = Cli(dir, "show p.FWW --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    test::Json root;
    ASSERT_TRUE(test::ParseJson(r.out, root)) << r.out;
    const test::Json& startup = root["definition"]["startup"];
    EXPECT_EQ(startup["program start"].text, "menu 1");
    EXPECT_EQ(startup["data placement"].text, "SD card");
    ASSERT_EQ(startup["field delimiters"].items.size(), 2u);
    EXPECT_EQ(startup["field delimiters"][0]["character"].text, ";");
    EXPECT_EQ(startup["field delimiters"][1]["code"].Int(), 13);
    const test::Json& groups = startup["terminal texts"];
    ASSERT_EQ(groups.items.size(), 26u);
    std::size_t lines = 0;
    for (const test::Json& g : groups.items)
        lines += g["lines"].items.size();
    EXPECT_EQ(lines, 131u);
    EXPECT_EQ(groups[6]["group"].text, "settings");
    EXPECT_EQ(groups[6]["size"].text, "8x20");
    EXPECT_EQ(groups[6]["lines"][0].text, std::string(21, 'X'));
    EXPECT_EQ(groups[6]["lines"][6].text, "7.Buzzer            ");
    EXPECT_EQ(groups[25]["lines"][3].text, "8. Calculator       ");

    const ToolResult text = Cli(dir, "show p.FWW");
    EXPECT_NE(text.out.find("program start: menu 1"), std::string::npos) << text.out;

    const ToolResult checked = Cli(dir, "check p.FWW");
    EXPECT_NE(checked.out.find("note: startup: field delimiter 2 is 13"), std::string::npos)
        << checked.out;
    EXPECT_NE(checked.out.find("note: terminal texts, settings, line 1: no end within its cell"),
              std::string::npos)
        << checked.out;
    EXPECT_EQ(dir.Read("p.FWW"), bytes);
}

// Every setting of a database is named in words from its list; a byte no list entry has is
// shown as the number stored.
TEST(Cli, ShowNamesEverySettingOfALookupDatabase) {
    ToolFolder dir;
    ASSERT_EQ(Cli(dir, "new p.FWW").exitCode, 0);
    std::string bytes = dir.Read("p.FWW");
    const std::size_t db2 = kLookupTable + 122;
    bytes[db2 + 0] = 30;  // MemberLength
    bytes[db2 + 1] = 2;   // FieldCount
    bytes[db2 + 2] = 5;   // KeyField: past the two fields
    bytes[db2 + 11] = 16;
    bytes[db2 + 12] = 14;
    bytes[db2 + 21] = 9;  // NoMatchAction beyond its list
    bytes[db2 + 23] = 1;  // ReadOnce
    bytes[db2 + 41] = 1;  // SeveralFound: let the user choose
    bytes[db2 + 42] = 1;  // SearchWithFilter
    bytes[db2 + 43] = 1;  // FilterMode: separately
    bytes[db2 + 44] = 2;  // DateTimeField: field 2
    dir.Write("p.FWW", bytes);

    const ToolResult r = Cli(dir, "show p.FWW --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    test::Json root;
    ASSERT_TRUE(test::ParseJson(r.out, root)) << r.out;
    const test::Json& lookups = root["definition"]["lookups"];
    ASSERT_EQ(lookups.items.size(), 1u);
    const test::Json& db = lookups[0];
    EXPECT_EQ(db["database"].text, "2");
    EXPECT_EQ(db["name"].text, "2nd lookup file");
    EXPECT_EQ(db["several found"].text, "let the user choose");
    EXPECT_EQ(db["search with filter"].text, "true");
    EXPECT_EQ(db["apply filters"].text, "separately");
    EXPECT_EQ(db["no match"].text, "invalid (9)");
    EXPECT_EQ(db["read once"].text, "true");
    EXPECT_EQ(db["key field"].text, "invalid (5)");
    EXPECT_EQ(db["date and time field"].kind, test::Json::Null);
    EXPECT_EQ(db["fields"][1]["date and time"].text, "true");
    EXPECT_EQ(db["fields"][1]["length"].text, "14");

    const ToolResult text = Cli(dir, "show p.FWW");
    ASSERT_EQ(text.exitCode, 0) << text.err;
    for (const char* words : {"several found: let the user choose", "apply filters: separately",
                              "key field: invalid (5)"})
        EXPECT_NE(text.out.find(words), std::string::npos) << words << "\n" << text.out;
}

// Form 1: line 1 takes the year of AI(17) from its own barcode, line 3 the whole barcode, and
// line 2 sends its weight to line 4; one mask. The offsets come from the block layouts.
TEST(Cli, ShowNamesEachFormsBarcodeRulesAndTheWeightMasks) {
    ToolFolder dir;
    ASSERT_EQ(Cli(dir, "new p.FWW").exitCode, 0);
    std::string bytes = dir.Read("p.FWW");
    for (std::size_t line = 0; line < 4; ++line)
        bytes[kFormTable + 29 + line] = 1;  // text
    bytes[kFormTable + 1139 + 1] = 2;       // WeightSourceKeep of line 2: the code
    bytes[kReaderOptions2] = 1;
    bytes[kFieldLinks + 0] = 1;
    bytes[kFieldLinks + 8] = 26;
    bytes[kFieldLinks + 2] = 1;
    bytes[kFieldLinks + 8 + 2] = 0;
    bytes[kBarcodeRules] = 1;
    bytes.replace(kBarcodeRules + 1, 13, std::string("21CCCCCWWWWW\0", 13));
    bytes[kBarcodeRules + 661] = 1;
    bytes[kBarcodeRules + 662 + 1] = 1;
    bytes[kBarcodeRules + 742 + 1] = 4;
    dir.Write("p.FWW", bytes);

    const ToolResult text = Cli(dir, "show p.FWW");
    ASSERT_EQ(text.exitCode, 0) << text.err;
    for (const char* words :
         {"AI(17) только год", "<Штрихкод полностью>", "source keeps: code", "21CCCCCWWWWW"})
        EXPECT_NE(text.out.find(words), std::string::npos) << words << "\n" << text.out;

    const ToolResult r = Cli(dir, "show p.FWW --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    test::Json root;
    ASSERT_TRUE(test::ParseJson(r.out, root)) << r.out;
    const test::Json& d = root["definition"];
    const test::Json& parsing = d["forms"][0]["barcode parsing"];
    ASSERT_EQ(parsing["gs1 rules"].items.size(), 2u) << r.out;
    EXPECT_EQ(parsing["gs1 rules"][0]["line"].Int(), 1);
    EXPECT_EQ(parsing["gs1 rules"][0]["item"].Int(), 26);
    EXPECT_EQ(parsing["gs1 rules"][1]["line"].Int(), 3);
    EXPECT_EQ(parsing["gs1 rules"][1]["from line"].Int(), 1);
    ASSERT_EQ(parsing["weight rules"].items.size(), 1u);
    EXPECT_EQ(parsing["weight rules"][0]["line"].Int(), 2);
    EXPECT_EQ(parsing["weight rules"][0]["to line"].Int(), 4);
    EXPECT_EQ(d["weight barcodes"]["use"].text, "true");
    ASSERT_EQ(d["weight barcodes"]["masks"].items.size(), 1u);
    EXPECT_EQ(d["weight barcodes"]["masks"][0].text, "21CCCCCWWWWW");
}

}  // namespace
}  // namespace fw
