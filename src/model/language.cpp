#include "model/language.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <system_error>

#include "model/codepage.h"
#include "model/strings.h"

namespace fw {
namespace {

constexpr std::size_t kNameBytes = 100;  // bytes of a file looked at for its display name

bool IsLanguageFile(const std::filesystem::directory_entry& entry) {
    std::error_code ec;
    if (!entry.is_regular_file(ec)) return false;
    // The system lists "*.lng" without regard to case.
    std::string ext = entry.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".lng";
}

std::string ReadPrefix(const std::filesystem::path& path, std::size_t max, bool& opened) {
    std::ifstream in(path, std::ios::binary);
    opened = static_cast<bool>(in);
    if (!opened) return {};
    std::string bytes(max, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(max));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

std::u16string CutName(std::u16string_view name) {
    return std::u16string(name.substr(0, kLanguageNameMax));
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The decimal value of an id text, read the way the system's atoi reads it: leading white
// space, a sign, then digits up to the first other character. -1 when the value cannot be
// an entry of the table.
int ParseId(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value >= kLanguageTableSize) return -1;
    }
    return negative && value != 0 ? -1 : static_cast<int>(value);
}

}  // namespace

std::u16string LanguageDisplayName(std::string_view firstBytes) {
    std::string_view head = firstBytes.substr(0, kNameBytes);
    // The name ends at the first CR; a zero byte ends it as it ends any text, and so does a
    // bare LF, which no name holds.
    std::size_t end = head.find_first_of(std::string_view("\r\n\0", 3));
    return DecodeCp1251(head.substr(0, end));
}

int ScanLanguageFiles(Language& language, const std::filesystem::path& programDirectory) {
    language.list.clear();
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(programDirectory, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (IsLanguageFile(*it)) files.push_back(it->path());
    }
    // The system's listing order is not fixed on every platform; by name it is.
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files) {
        if (static_cast<int>(language.list.size()) >= kMaxLanguages) break;
        bool opened = false;
        std::u16string name = LanguageDisplayName(ReadPrefix(file, kNameBytes, opened));
        if (name.empty()) break;
        // The list keeps 40 characters, as many as the settings keep of the chosen name, so
        // a longer first line still matches the name that was stored for it.
        language.list.push_back({CutName(name), file});
    }
    return static_cast<int>(language.list.size());
}

void ParseLanguageText(Language& language, std::string_view bytes) {
    // A new language replaces the old one completely: no text of an earlier file lingers.
    for (std::u16string& entry : language.table)
        entry.clear();
    bytes = bytes.substr(0, kLanguageFileMax);

    std::size_t firstLineEnd = bytes.find('\n');
    if (firstLineEnd == std::string_view::npos) return;
    std::string_view rest = bytes.substr(firstLineEnd + 1);
    for (;;) {
        std::size_t sign = rest.find('=');
        if (sign == std::string_view::npos) break;
        // The id is read from the line the sign is on, so a stray line without a sign
        // cannot lend its text to the id.
        std::string_view idText = rest.substr(0, sign);
        std::size_t idLine = idText.rfind('\n');
        if (idLine != std::string_view::npos) idText = idText.substr(idLine + 1);
        int id = ParseId(idText);
        rest = rest.substr(sign + 1);
        std::size_t lineEnd = rest.find('\n');
        std::string_view text = rest.substr(0, lineEnd);
        rest = lineEnd == std::string_view::npos ? std::string_view() : rest.substr(lineEnd + 1);
        if (text.empty()) {
            if (id >= 0) language.table[static_cast<std::size_t>(id)].clear();
            break;
        }
        // Ids the table has no room for are skipped; the lines after them still count.
        if (id < 0) continue;
        // The line's CR is not part of the text. A last line without a line end keeps all
        // of its characters.
        if (text.back() == '\r') text.remove_suffix(1);
        std::u16string entry = DecodeCp1251(text);
        if (entry.size() > kUiTextMax) entry.resize(kUiTextMax);
        language.table[static_cast<std::size_t>(id)] = std::move(entry);
    }
}

bool ReadLanguageFile(Language& language, std::u16string_view languageName) {
    std::u16string wanted = CutName(languageName);
    for (const LanguageEntry& entry : language.list) {
        if (entry.name != wanted) continue;
        bool opened = false;
        std::string bytes = ReadPrefix(entry.path, kLanguageFileMax, opened);
        if (!opened) continue;
        ParseLanguageText(language, bytes);
        language.loaded = true;
        return true;
    }
    language.loaded = false;
    return false;
}

std::u16string LoadUiString(const Language& language, int id, std::size_t capacity) {
    if (capacity == 0) return {};
    std::u16string text;
    if (language.loaded && id >= 0 && id < kLanguageTableSize &&
        !language.table[static_cast<std::size_t>(id)].empty()) {
        text = language.table[static_cast<std::size_t>(id)];
    } else {
        text = BuiltInString(id);
    }
    if (text.size() > capacity - 1) text.resize(capacity - 1);
    return text;
}

}  // namespace fw
