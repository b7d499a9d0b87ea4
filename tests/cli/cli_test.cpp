// formwright-cli as a user runs it: real files in a temporary folder, exit codes and output.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "run_tool.h"

namespace fw {
namespace {

using test::ToolFolder;
using test::ToolResult;

constexpr std::size_t kBaseSize = 19267;
constexpr std::size_t kExtendedSize = 20844;
constexpr std::size_t kImageSize = 20900;
constexpr std::size_t kFormTable = 3535;  // file offset of form 1

ToolResult Cli(const ToolFolder& dir, const std::vector<std::string>& args) {
    return dir.Run(FW_CLI_PATH, args);
}

// Just enough JSON to see that the output parses and to look at its keys.
struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> members;
    const Json& operator[](const std::string& key) const {
        static const Json none;
        auto it = members.find(key);
        return it == members.end() ? none : it->second;
    }
};

class JsonParser {
  public:
    explicit JsonParser(const std::string& s) : s_(s) {}
    bool Parse(Json& out) {
        if (!Value(out)) return false;
        Blanks();
        return pos_ == s_.size();
    }

  private:
    void Blanks() {
        while (pos_ < s_.size() &&
               (s_[pos_] == ' ' || s_[pos_] == '\n' || s_[pos_] == '\r' || s_[pos_] == '\t'))
            ++pos_;
    }
    bool Literal(const char* word) {
        const std::string w(word);
        if (s_.compare(pos_, w.size(), w) != 0) return false;
        pos_ += w.size();
        return true;
    }
    bool String(std::string& out) {
        if (pos_ >= s_.size() || s_[pos_] != '"') return false;
        ++pos_;
        while (pos_ < s_.size() && s_[pos_] != '"') {
            const unsigned char c = s_[pos_];
            if (c < 0x20) return false;
            if (c == '\\') {
                if (++pos_ >= s_.size()) return false;
                const char e = s_[pos_];
                if (e == 'u') {
                    if (pos_ + 4 >= s_.size()) return false;
                    for (int i = 1; i <= 4; ++i)
                        if (!std::isxdigit(static_cast<unsigned char>(s_[pos_ + i]))) return false;
                    pos_ += 4;
                    out += '?';
                } else if (std::string("\"\\/bfnrt").find(e) == std::string::npos) {
                    return false;
                } else {
                    out += e;
                }
            } else {
                out += static_cast<char>(c);
            }
            ++pos_;
        }
        if (pos_ >= s_.size()) return false;
        ++pos_;
        return true;
    }
    bool Value(Json& v) {
        Blanks();
        if (pos_ >= s_.size()) return false;
        const char c = s_[pos_];
        if (c == '{') {
            v.kind = Json::Object;
            ++pos_;
            Blanks();
            if (pos_ < s_.size() && s_[pos_] == '}') return ++pos_, true;
            for (;;) {
                Blanks();
                std::string key;
                if (!String(key)) return false;
                Blanks();
                if (pos_ >= s_.size() || s_[pos_++] != ':') return false;
                if (!Value(v.members[key])) return false;
                Blanks();
                if (pos_ >= s_.size()) return false;
                if (s_[pos_] == '}') return ++pos_, true;
                if (s_[pos_++] != ',') return false;
            }
        }
        if (c == '[') {
            v.kind = Json::Array;
            ++pos_;
            Blanks();
            if (pos_ < s_.size() && s_[pos_] == ']') return ++pos_, true;
            for (;;) {
                v.items.emplace_back();
                if (!Value(v.items.back())) return false;
                Blanks();
                if (pos_ >= s_.size()) return false;
                if (s_[pos_] == ']') return ++pos_, true;
                if (s_[pos_++] != ',') return false;
            }
        }
        if (c == '"') {
            v.kind = Json::String;
            return String(v.text);
        }
        if (Literal("true") || Literal("false")) return v.kind = Json::Bool, true;
        if (Literal("null")) return true;
        const std::size_t start = pos_;
        if (s_[pos_] == '-') ++pos_;
        while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_])))
            ++pos_;
        v.kind = Json::Number;
        v.text = s_.substr(start, pos_ - start);
        return pos_ > start && v.text != "-";
    }

    const std::string& s_;
    std::size_t pos_ = 0;
};

TEST(Cli, NewWritesTheFormatTheNameSelectsAndImageWritesTheProgramImage) {
    ToolFolder dir;
    const struct {
        const char* name;
        std::size_t size;
    } cases[] = {{"a.FWW", kExtendedSize},
                 {"b.fww", kExtendedSize},
                 {"c.FWX", kBaseSize},
                 {"d.txt", kBaseSize}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ToolResult r = Cli(dir, {"new", (dir / c.name).string()});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(ToolFolder::Read(dir / c.name).size(), c.size);
    }

    const ToolResult r =
        Cli(dir, {"image", (dir / "a.FWW").string(), "-o", (dir / "a.img").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string image = ToolFolder::Read(dir / "a.img");
    ASSERT_EQ(image.size(), kImageSize);
    EXPECT_EQ(image.substr(kImageSize - 68), std::string(68, '\0'));
    // The main menu's first line: screen texts start at 16039, group 2 after group 1's 4 lines.
    EXPECT_EQ(image.substr(16039 + 4 * 21, 21), std::string("1. Collect data     \0", 21));
    // A base-format project gives an image of the same size.
    EXPECT_EQ(Cli(dir, {"image", (dir / "c.FWX").string(), "--output", (dir / "c.img").string()})
                  .exitCode,
              0);
    EXPECT_EQ(ToolFolder::Read(dir / "c.img").size(), kImageSize);
}

TEST(Cli, ConvertGoesThroughTheBaseFormatAndBack) {
    ToolFolder dir;
    const std::string sample = std::string(FW_SOURCE_DIR) + "/samples/stock-count.FWW";
    ASSERT_EQ(Cli(dir, {"convert", sample, (dir / "s.FWX").string()}).exitCode, 0);
    ASSERT_EQ(Cli(dir, {"convert", (dir / "s.FWX").string(), (dir / "s.FWW").string()}).exitCode,
              0);
    const std::string original = ToolFolder::Read(sample);
    const std::string base = ToolFolder::Read(dir / "s.FWX");
    const std::string back = ToolFolder::Read(dir / "s.FWW");
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
    ASSERT_EQ(Cli(dir, {"new", (dir / "ok.FWW").string()}).exitCode, 0);
    ToolResult r = Cli(dir, {"check", (dir / "ok.FWW").string()});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("nothing to repair"), std::string::npos);

    // Form 1, line 1: a text line with lengths beyond 80.
    std::string damaged = ToolFolder::Read(dir / "ok.FWW");
    damaged[kFormTable + 29] = 1;     // LineType text
    damaged[kFormTable + 213] = 90;   // MinLength
    damaged[kFormTable + 221] = 100;  // MaxLength
    ToolFolder::Write(dir / "bad.FWW", damaged);
    r = Cli(dir, {"check", (dir / "bad.FWW").string()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("form 1, line 1: MinLength 90 -> 80"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("form 1, line 1: MaxLength 100 -> 80"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("form 1: LastInputLine 0 -> 1"), std::string::npos) << r.out;
    // Checking repairs nothing on disk.
    EXPECT_EQ(ToolFolder::Read(dir / "bad.FWW"), damaged);
}

TEST(Cli, RefusedFilesAreNamedOnStderrAndFail) {
    ToolFolder dir;
    ASSERT_EQ(Cli(dir, {"new", (dir / "new.FWW").string()}).exitCode, 0);
    std::string bytes = ToolFolder::Read(dir / "new.FWW");
    bytes.replace(0, 9, "M740-6.00");
    const std::string refused = (dir / "future.FWW").string();
    ToolFolder::Write(refused, bytes);

    for (const std::vector<std::string>& args : {std::vector<std::string>{"show", refused},
                                                 {"check", refused},
                                                 {"image", refused, "-o", (dir / "x.img").string()},
                                                 {"convert", refused, (dir / "y.FWW").string()}}) {
        SCOPED_TRACE(args[0]);
        const ToolResult r = Cli(dir, args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find("Format mismatch !!!"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(refused), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "x.img"));
    EXPECT_FALSE(std::filesystem::exists(dir / "y.FWW"));

    const ToolResult missing = Cli(dir, {"show", (dir / "none.FWW").string()});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("none.FWW"), std::string::npos);
}

TEST(Cli, UsageErrorsExitWithTwoAndHelpWithZero) {
    ToolFolder dir;
    const std::string project = (dir / "p.FWW").string();
    const std::vector<std::string> usageErrors[] = {
        {},
        {"frobnicate"},
        {"new"},
        {"new", project, "extra"},
        {"image", project},
        {"image", project, "-o"},
        {"convert", project},
        {"show", project, "--yaml"},
    };
    for (const auto& args : usageErrors) {
        SCOPED_TRACE(args.empty() ? "(none)" : args[0]);
        const ToolResult r = Cli(dir, args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_NE(r.err.find("usage"), std::string::npos) << r.err;
    }
    for (const char* command : {"new", "image", "convert", "show", "check"}) {
        SCOPED_TRACE(command);
        const ToolResult r = Cli(dir, {command, "--help"});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out.rfind(std::string("usage: formwright-cli ") + command, 0), 0u) << r.out;
    }
    EXPECT_FALSE(std::filesystem::exists(project));
}

TEST(Cli, ShowDescribesTheProjectForPeopleAndAsJson) {
    ToolFolder dir;
    const std::string sample = std::string(FW_SOURCE_DIR) + "/samples/stock-count.FWW";

    const ToolResult text = Cli(dir, {"show", sample});
    ASSERT_EQ(text.exitCode, 0) << text.err;
    for (const char* words :
         {"record action: save & update", "type: serial number", "target: form 3", "branch: totals",
          "layout: delimiter ';'", "start: menu 1", "Part number"})
        EXPECT_NE(text.out.find(words), std::string::npos) << words;

    const ToolResult r = Cli(dir, {"show", sample, "--json"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    Json root;
    ASSERT_TRUE(JsonParser(r.out).Parse(root)) << r.out;
    ASSERT_EQ(root.kind, Json::Object);
    EXPECT_EQ(root["project"].text, sample);
    EXPECT_EQ(root["format"].text, "extended");
    const Json& d = root["definition"];
    for (const char* key :
         {"forms", "menus", "lookups", "terminal", "network", "variables", "screen texts"})
        EXPECT_NE(d[key].kind, Json::Null) << key;
    ASSERT_EQ(d["forms"].items.size(), 3u);
    EXPECT_EQ(d["forms"].items[2]["lines"].items.size(), 8u);
    EXPECT_EQ(d["forms"].items[2]["lines"].items[2]["type"].text, "serial number");
    ASSERT_EQ(d["menus"].items.size(), 2u);
    EXPECT_EQ(d["menus"].items[1]["items"].items[1]["target"].text, "form 2");
    ASSERT_EQ(d["lookups"].items.size(), 1u);
    EXPECT_EQ(d["lookups"].items[0]["fields"].items.size(), 3u);
    EXPECT_EQ(d["screen texts"].items.size(), 27u);
    // Texts are UTF-8: the second variable keeps its Russian default name.
    EXPECT_EQ(d["variables"].items[1].text, "Переменная2");
}

}  // namespace
}  // namespace fw
