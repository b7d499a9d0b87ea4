// Runs a built program of ours with arguments and collects its exit code and output, and
// keeps a temporary folder for the files it reads and writes; reads the JSON it prints.
#pragma once

#include <sys/wait.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "support/temp_folder.h"

namespace fw::test {

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class ToolFolder : public TempFolder {
  public:
    // Runs program with args (each quoted for the shell) in this folder, so that plain file
    // names stand for files in it; stdout and stderr are captured.
    ToolResult Run(const std::string& program, const std::vector<std::string>& args) const {
        std::string command = "cd " + Quote(Path().string()) + " && " + Quote(program);
        for (const auto& a : args)
            command += " " + Quote(a);
        const int status = std::system((command + " >stdout.txt 2>stderr.txt </dev/null").c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read("stdout.txt"),
                Read("stderr.txt")};
    }

  private:
    static std::string Quote(const std::string& s) {
        std::string q = "'";
        for (char c : s)
            q += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return q + "'";
    }
};

// Just enough JSON to see that the output parses and to look at its values.
struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> members;
    int Int() const { return kind == Number ? std::stoi(text) : -1; }
    // What is not there reads as null.
    const Json& operator[](const std::string& key) const {
        auto it = members.find(key);
        return it == members.end() ? None() : it->second;
    }
    const Json& operator[](std::size_t i) const { return i < items.size() ? items[i] : None(); }
    static const Json& None() {
        static const Json none;
        return none;
    }
};

// Reads one value from pos on; false for anything that is not JSON.
inline bool ParseJson(const std::string& s, std::size_t& pos, Json& v) {
    auto blanks = [&] { pos = std::min(s.size(), s.find_first_not_of(" \t\r\n", pos)); };
    blanks();
    if (pos >= s.size()) return false;
    const char c = s[pos];
    if (c == '{' || c == '[') {
        v.kind = c == '{' ? Json::Object : Json::Array;
        const char close = c == '{' ? '}' : ']';
        ++pos;
        blanks();
        if (pos < s.size() && s[pos] == close) return ++pos, true;
        for (;;) {
            Json key;
            if (v.kind == Json::Object) {
                if (!ParseJson(s, pos, key) || key.kind != Json::String) return false;
                blanks();
                if (pos >= s.size() || s[pos++] != ':') return false;
            }
            if (!ParseJson(s, pos,
                           v.kind == Json::Object ? v.members[key.text] : v.items.emplace_back()))
                return false;
            blanks();
            if (pos >= s.size()) return false;
            if (s[pos] == close) return ++pos, true;
            if (s[pos++] != ',') return false;
        }
    }
    if (c == '"') {
        v.kind = Json::String;
        for (++pos; pos < s.size() && s[pos] != '"'; ++pos) {
            if (static_cast<unsigned char>(s[pos]) < 0x20) return false;
            if (s[pos] != '\\') {
                v.text += s[pos];
            } else if (++pos < s.size() && s[pos] == 'u') {
                for (int i = 0; i < 4; ++i)
                    if (++pos >= s.size() || !std::isxdigit(static_cast<unsigned char>(s[pos])))
                        return false;
                v.text += '?';
            } else if (pos >= s.size() ||
                       std::string_view("\"\\/bfnrt").find(s[pos]) == std::string::npos) {
                return false;
            } else {
                v.text += s[pos];
            }
        }
        return pos++ < s.size();
    }
    for (const std::string word : {"true", "false", "null"})
        if (s.compare(pos, word.size(), word) == 0) {
            v.kind = word == "null" ? Json::Null : Json::Bool;
            v.text = word;
            return pos += word.size(), true;
        }
    const std::size_t start = pos;
    if (s[pos] == '-') ++pos;
    while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos])))
        ++pos;
    v.kind = Json::Number;
    v.text = s.substr(start, pos - start);
    return pos > start && v.text != "-";
}

inline bool ParseJson(const std::string& s, Json& v) {
    std::size_t pos = 0;
    return ParseJson(s, pos, v) && s.find_first_not_of(" \t\r\n", pos) == std::string::npos;
}

}  // namespace fw::test
