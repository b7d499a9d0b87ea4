// Language files ("*.lng" in the program's folder) and the look-up of every UI text.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

inline constexpr int kLanguageTableSize = 1800;
inline constexpr std::size_t kUiTextMax = 80;       // characters of one UI text
inline constexpr std::size_t kUiTextCapacity = 81;  // with the terminator
inline constexpr int kMaxLanguages = 20;
inline constexpr std::size_t kLanguageNameMax = 40;
inline constexpr std::size_t kLanguageFileMax = 17000;

struct LanguageEntry {
    std::u16string name;  // display name, at most 40 characters
    std::filesystem::path path;
};

struct Language {
    std::array<std::u16string, kLanguageTableSize> table;  // empty = not translated
    bool loaded = false;                                   // LanguageLoaded
    std::vector<LanguageEntry> list;                       // at most kMaxLanguages
};

// Lists the "*.lng" files of the folder (at most 20); returns how many.
int ScanLanguageFiles(Language& language, const std::filesystem::path& programDirectory);
// Fills the table from the listed file whose display name equals languageName; returns
// whether one was loaded (callers store that in language.loaded).
bool ReadLanguageFile(Language& language, std::u16string_view languageName);
// The table part of ReadLanguageFile, on the file's bytes (at most 17000 are used).
void ParseLanguageText(Language& language, std::string_view bytes);
// The display name of a language file: the text before the first CR in its first 100 bytes.
std::u16string LanguageDisplayName(std::string_view firstBytes);

// The text of a UI string: the language's entry when one is loaded, the id is below 1800 and
// the entry is not empty; otherwise the built-in text. Cut to capacity - 1 characters.
std::u16string LoadUiString(const Language& language, int id,
                            std::size_t capacity = kUiTextCapacity);

}  // namespace fw
