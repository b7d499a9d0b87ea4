// What check notes beyond its repairs: stored values that a save keeps although the terminal
// would take them badly, named by record and field, in words and in JSON.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli_support.h"

namespace fw {
namespace {

using test::Cli;
using test::kSample;
using test::ToolFolder;
using test::ToolResult;
using namespace test::file;

std::vector<std::string> NoteLines(const std::string& out) {
    std::vector<std::string> notes;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with("note: ")) notes.push_back(line);
    return notes;
}

struct Damage {
    std::size_t offset;
    std::string bytes;
    std::string note;  // the whole line check prints for it
};

// Each damaged value on its own in a new project: the note names it, nothing else is noted,
// and since a save keeps the value the exit code still says there is nothing to repair.
TEST(CliCheckNotes, NameEachValueASaveKeepsAndTheTerminalWouldTakeBadly) {
    const std::string caption(21, 'C');
    const std::string ssid(33, 's');
    const Damage cases[] = {
        // Menus: where the Esc key and the items lead; a caption the menu does not show is
        // not padded by a save.
        {kMenuTable + kMenuSize + 234 + 2, "\x28",
         "note: menu 2, item 3: ItemTarget 40: a code its list does not offer"},
        {kMenuTable + 233, "\x15",
         "note: menu 1: MenuEscTarget 21: a code its list does not offer"},
        {kMenuTable + 246, "\x02", "note: menu 1: PassDown 2: outside 0..1"},
        {kMenuTable + 2, caption,
         "note: menu 1: Caption \"" + caption + "\": no end within its 21 bytes"},
        // Forms: targets, actions, branches, line settings.
        {kFormTable + 1, "\x19", "note: form 1: EscTarget 25: a code its list does not offer"},
        {kFormTable + 19, "\x09", "note: form 1: RecordAction 9: a code its list does not offer"},
        {kFormTable + 2 * kFormSize + 1023 + 1, "\x0E",
         "note: form 3, FN+2: FnBranch 14: a code its list does not offer"},
        {kFormTable + kFormSize + 1198, "\x07",
         "note: form 2: NotFoundAction 7: a code its list does not offer"},
        {kFormTable + 1199, "\x1E", "note: form 1: ErrorTarget 30: a code its list does not offer"},
        {kFormTable + 29 + 4, "\x11",
         "note: form 1, line 5: LineType 17: a code its list does not offer"},
        {kFormTable + 597 + 7, "\x04",
         "note: form 1, line 8: AutoEnter 4: a code its list does not offer"},
        {kFormTable + 1015, "\x09",
         "note: form 1, line 1: CheckDigit 9: a code its list does not offer"},
        // Lookup databases.
        {kLookupTable + 21, "\x06",
         "note: database 1: NoMatchAction 6: a code its list does not offer"},
        {kLookupTable + kLookupSize + 41, "\x02",
         "note: database 2: SeveralFound 2: a code its list does not offer"},
        {kLookupTable + 2 * kLookupSize + 19, "\x0D",
         "note: database 3: Delimiter 13: 13, the code that ends a record"},
        // The Settings page, the Startup page's placement, the reader engine.
        {kTerminalSettings + 5, "\x05",
         "note: TerminalSettings: UploadPort 5: a code its list does not offer"},
        {kTerminalSettings + 30, std::string(1, '\0'),
         "note: TerminalSettings: BacklightTimeout 0: outside 1..9"},
        {kTerminalSettings + 33, "\x78",
         "note: TerminalSettings: PromptDuration 120: outside 0..99"},
        {kTerminalSettings + 58 + 6, "\x15",
         "note: TerminalSettings FN+7: FnKeyFunction 21: a code its list does not offer"},
        {kTerminalSettings + 259, "\x03",
         "note: TerminalSettings: Volume 3: a code its list does not offer"},
        {kTerminalSettings + 260, "\x02",
         "note: TerminalSettings: DataPlacement 2: a code its list does not offer"},
        {kTerminalSettings + 256, "\x08",
         "note: TerminalSettings: ReaderType 8: no engine the reader list offers"},
        // The network values.
        {kNetworkSettings + 6, "\x02", "note: NetworkSettings: UseNetworkSettings 2: outside 0..1"},
        // With a key length that open authentication allows, so that a save repairs nothing.
        {kNetworkSettings + 58, "\x02\x01",
         "note: NetworkSettings: WepAuthentication 2: a code its list does not offer"},
        {kNetworkSettings + 24, ssid,
         "note: NetworkSettings: Ssid \"" + ssid + "\": no end within its 33 bytes"},
    };
    ToolFolder dir;
    ASSERT_EQ(Cli(dir, "new new.FWW").exitCode, 0);
    const std::string fresh = dir.Read("new.FWW");
    for (const Damage& c : cases) {
        SCOPED_TRACE(c.note);
        std::string bytes = fresh;
        bytes.replace(c.offset, c.bytes.size(), c.bytes);
        dir.Write("p.FWW", bytes);
        const ToolResult r = Cli(dir, "check p.FWW");
        EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
        EXPECT_EQ(NoteLines(r.out), std::vector<std::string>{c.note}) << r.out;
        EXPECT_NE(r.out.find("nothing to repair"), std::string::npos) << r.out;
    }
}

// Which codes a value may take follows the rest of the definition: a database read only once
// offers only the actions that insert, in its own settings and in the forms that search it,
// and the key field must be one of the fields the database has.
TEST(CliCheckNotes, FollowTheDatabaseAValueDependsOn) {
    ToolFolder dir;
    ASSERT_EQ(Cli(dir, "new p.FWW").exitCode, 0);
    std::string bytes = dir.Read("p.FWW");
    bytes[kLookupTable + 0] = 20;  // record length
    bytes[kLookupTable + 1] = 3;   // three fields
    bytes[kLookupTable + 2] = 0;   // the first is the key
    bytes[kLookupTable + 21] = 2;  // insert to lookup file
    bytes[kFormTable + 20] = 1;    // form 1 searches database 1
    bytes[kFormTable + 1198] = 1;  // continue
    dir.Write("p.FWW", bytes);
    ToolResult r = Cli(dir, "check p.FWW");
    EXPECT_TRUE(NoteLines(r.out).empty()) << r.out;

    bytes[kLookupTable + 23] = 1;  // read once: "continue" is no longer offered
    bytes[kLookupTable + 2] = 3;   // a fourth field as the key
    dir.Write("p.FWW", bytes);
    r = Cli(dir, "check p.FWW");
    const std::vector<std::string> expected = {
        "note: form 1: NotFoundAction 1: a code its list does not offer",
        "note: database 1: KeyField 3: outside 0..2",
    };
    EXPECT_EQ(NoteLines(r.out), expected) << r.out;

    bytes[kLookupTable + 21] = 0;  // continue, which a read-once database does not offer
    bytes[kLookupTable + 2] = 2;
    bytes[kFormTable + 1198] = 3;  // insert to lookup file
    dir.Write("p.FWW", bytes);
    r = Cli(dir, "check p.FWW");
    EXPECT_EQ(NoteLines(r.out),
              std::vector<std::string>{
                  "note: database 1: NoMatchAction 0: a code its list does not offer"})
        << r.out;
}

// A value a save repairs is listed once, as a repair: the notes look at what the terminal
// would get. The JSON form carries the same repairs and notes, and the same exit code.
TEST(CliCheckNotes, RepairsAreNotNotedAndJsonSaysTheSame) {
    ToolFolder dir;
    ASSERT_EQ(Cli(dir, "new p.FWW").exitCode, 0);
    std::string bytes = dir.Read("p.FWW");
    bytes[kFormTable + 29] = 1;          // form 1, line 1: text
    bytes[kFormTable + 221] = 100;       // MaxLength, cut to 80 by a save
    bytes[kFormTable + 1166] = 9;        // TotalSumField beyond the fields, set to 1
    bytes[kTerminalSettings + 137] = 9;  // KeyClick, kept
    bytes[kTerminalSettings + 3] = 13;   // the second delimiter ends a record
    dir.Write("p.FWW", bytes);

    const ToolResult text = Cli(dir, "check p.FWW");
    EXPECT_EQ(text.exitCode, 1);
    const std::vector<std::string> notes = {
        "note: TerminalSettings: KeyClick 9: a code its list does not offer",
        "note: startup: field delimiter 2 is 13, the code that ends a record",
    };
    std::vector<std::string> shown = NoteLines(text.out);
    std::sort(shown.begin(), shown.end());
    EXPECT_EQ(shown, notes) << text.out;
    EXPECT_NE(text.out.find("form 1, line 1: MaxLength 100 -> 80"), std::string::npos);
    EXPECT_NE(text.out.find("form 1, FN+1: TotalSumField 9 -> 1"), std::string::npos);

    const ToolResult json = Cli(dir, "check p.FWW --json");
    EXPECT_EQ(json.exitCode, 1);
    test::Json root;
    ASSERT_TRUE(test::ParseJson(json.out, root)) << json.out;
    EXPECT_EQ(root["format"].text, "extended");
    bool maxLength = false;
    for (const test::Json& repair : root["repairs"].items)
        if (repair["field"].text == "MaxLength") {
            maxLength = true;
            EXPECT_EQ(repair["where"].text, "form 1, line 1");
            EXPECT_EQ(repair["before"].text, "100");
            EXPECT_EQ(repair["after"].text, "80");
        }
    EXPECT_TRUE(maxLength) << json.out;
    ASSERT_EQ(root["notes"].items.size(), 2u) << json.out;
    const test::Json& startup = root["notes"][0];
    EXPECT_EQ(startup["where"].text, "startup");
    EXPECT_EQ(startup["field"].kind, test::Json::Null);
    EXPECT_EQ(startup["problem"].text, "field delimiter 2 is 13, the code that ends a record");
    const test::Json& keyClick = root["notes"][1];
    EXPECT_EQ(keyClick["where"].text, "TerminalSettings");
    EXPECT_EQ(keyClick["field"].text, "KeyClick");
    EXPECT_EQ(keyClick["value"].text, "9");
    EXPECT_EQ(keyClick["problem"].text, "a code its list does not offer");
    EXPECT_EQ(dir.Read("p.FWW"), bytes);  // checking changes nothing on disk
}

// The committed sample and a new project check clean, in words and in JSON.
TEST(CliCheckNotes, TheSampleAndANewProjectHaveNothingToNote) {
    ToolFolder dir;
    ASSERT_EQ(Cli(dir, "new p.FWW").exitCode, 0);
    ASSERT_EQ(Cli(dir, "new p.FWX").exitCode, 0);
    for (const std::string& project : {kSample, std::string("p.FWW"), std::string("p.FWX")}) {
        SCOPED_TRACE(project);
        const ToolResult text = Cli(dir, "check " + project);
        EXPECT_EQ(text.exitCode, 0) << text.out << text.err;
        EXPECT_TRUE(NoteLines(text.out).empty()) << text.out;
        const ToolResult json = Cli(dir, "check " + project + " --json");
        EXPECT_EQ(json.exitCode, 0);
        test::Json root;
        ASSERT_TRUE(test::ParseJson(json.out, root)) << json.out;
        EXPECT_EQ(root["notes"].kind, test::Json::Array);
        EXPECT_TRUE(root["notes"].items.empty()) << json.out;
        EXPECT_TRUE(root["repairs"].items.empty()) << json.out;
    }
}

}  // namespace
}  // namespace fw
