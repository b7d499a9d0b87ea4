#include "shell/commands.h"

#include <algorithm>
#include <string>

#include "model/language.h"

namespace fw {

namespace {

constexpr std::size_t kRecentPathShown = 40;
constexpr std::size_t kRecentPathHead = 15;
constexpr std::size_t kRecentPathTail = 22;

}  // namespace

std::u16string RecentFileMenuText(int index, std::u16string_view path) {
    std::u16string text = u"&";
    for (char c : std::to_string(index + 1))
        text += static_cast<char16_t>(c);
    text += u":  ";
    if (path.size() > kRecentPathShown) {
        text += path.substr(0, kRecentPathHead);
        text += u"...";
        text += path.substr(path.size() - kRecentPathTail);
    } else {
        text += path;
    }
    return text;
}

std::vector<MenuItem> PopupMenuItems(const Language& language,
                                     const std::vector<std::u16string>& recentFiles,
                                     bool russianLanguage) {
    std::vector<MenuItem> items;
    items.reserve(kPopupMenu.size() + recentFiles.size() + 1);
    for (const MenuEntry& entry : kPopupMenu) {
        std::u16string text(entry.text);
        if (language.loaded && entry.languageId > 0 && entry.languageId < kLanguageTableSize) {
            const std::u16string& translated = language.table[entry.languageId];
            if (!translated.empty())
                text = translated.substr(0, kUiTextMax);
            else if (russianLanguage && !entry.russianText.empty())
                text = entry.russianText;
        }
        items.push_back({entry.id, std::move(text)});
    }
    // The list never holds more than ten entries: their ids are 3300..3309.
    const std::size_t count =
        std::min<std::size_t>(recentFiles.size(), kCmdRecentLast - kCmdRecentFirst + 1);
    auto at = items.begin() + kRecentFilesPosition;
    for (std::size_t i = 0; i < count; ++i) {
        at = items.insert(at, {kCmdRecentFirst + static_cast<int>(i),
                               RecentFileMenuText(static_cast<int>(i), recentFiles[i])});
        ++at;
    }
    if (count > 0) items.insert(at, {0, {}});
    return items;
}

}  // namespace fw
