#include "model/strings.h"

#include <cstddef>
#include <string_view>
#include <unordered_map>

#include "model/unicode.h"

namespace fw {

// Compiled in from resources/strings.tsv.
extern const unsigned char kStringTableData[];
extern const std::size_t kStringTableDataSize;

namespace {

std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\\' || i + 1 == text.size()) {
            out.push_back(c);
            continue;
        }
        char next = text[i + 1];
        switch (next) {
            case 'r':
                out.push_back('\r');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 't':
                out.push_back('\t');
                break;
            case '\\':
                out.push_back('\\');
                break;
            default:  // not an escape: keep both characters
                out.push_back(c);
                out.push_back(next);
                break;
        }
        ++i;
    }
    return out;
}

using StringTable = std::unordered_map<int, std::u16string>;

StringTable ParseTable() {
    StringTable table;
    std::string_view data(reinterpret_cast<const char*>(kStringTableData), kStringTableDataSize);
    while (!data.empty()) {
        std::size_t end = data.find('\n');
        std::string_view line = data.substr(0, end);
        data = end == std::string_view::npos ? std::string_view() : data.substr(end + 1);
        // A checkout with CR LF line ends must not put a CR at the end of every text.
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos || tab == 0) continue;
        int id = 0;
        bool digits = true;
        for (char c : line.substr(0, tab)) {
            if (c < '0' || c > '9' || id > 100000) {
                digits = false;
                break;
            }
            id = id * 10 + (c - '0');
        }
        if (!digits) continue;
        table.emplace(id, Utf8ToUtf16(Unescape(line.substr(tab + 1))));
    }
    return table;
}

const StringTable& Table() {
    static const StringTable table = ParseTable();
    return table;
}

}  // namespace

std::u16string BuiltInString(int id) {
    const StringTable& table = Table();
    auto it = table.find(id);
    return it == table.end() ? std::u16string() : it->second;
}

std::span<const int> LanguageOnlyTextIds() {
    static constexpr int kIds[] = {
        11,    // the preferences' title
        1135,  // the text before the number of received records
        1136,  // the text after it
        1137,  // the progress window's title
        1138,  // the progress window's text
    };
    return kIds;
}

bool HasBuiltInString(int id) {
    return Table().count(id) != 0;
}

}  // namespace fw
