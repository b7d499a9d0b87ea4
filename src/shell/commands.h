// The commands of the main window: their ids, the texts of the popup menu "PopMenuM740" and
// the accelerators. Every user command reaches the main window as one of these ids.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

enum CommandId : int {
    kCmdNew = 1010,
    kCmdOpen = 1020,
    kCmdSave = 1030,
    kCmdSaveAs = 1040,
    kCmdExit = 1090,
    kCmdEdit = 2000,
    kCmdPreferences = 2100,
    kCmdDownloadApplication = 3020,
    kCmdReceiveData = 3030,
    kCmdDownloadLookupFile = 3040,
    kCmdRecentFirst = 3300,  // 3300 + i opens recent file i
    kCmdRecentLast = 3309,
    kCmdAbout = 9030,
    kCmdOpenStartupProject = 32770,  // posted by the shell to itself at start
    kCmdDownloadProgram = 40001,
    kCmdSdExport = 40003,
};

struct MenuEntry {
    int id;  // 0 for a separator
    std::u16string_view text;
    std::u16string_view key;  // the accelerator's key with Ctrl ("N", "Space"); empty for none
    // The language table entry that replaces the text when a language file gives one.
    int languageId;
    // What replaces it under a Russian language file that does not give it.
    std::u16string_view russianText = {};
};

// The popup menu in order, before the recent files are inserted. Recent files go in at
// kRecentFilesPosition, followed by a separator, between "&Receive Data" and "A&bout...".
inline constexpr std::array<MenuEntry, 16> kPopupMenu{{
    {kCmdNew, u"&New\tCtrl+N", u"N", 1101},
    {kCmdOpen, u"&Open...\tCtrl+O", u"O", 1102},
    {kCmdSave, u"&Save\tCtrl+S", u"S", 1103},
    {kCmdSaveAs, u"Save &As...", {}, 1104},
    {0, {}, {}, 0},
    {kCmdEdit, u"&Edit\tCtrl+E", u"E", 1105},
    {kCmdPreferences, u"&Preferences...", u"Space", 1106},
    {0, {}, {}, 0},
    {kCmdDownloadProgram, u"Download &Program", u"P", 1792, u"Загрузить прошивку"},
    {kCmdDownloadApplication, u"&Download Application", u"D", 1107},
    {kCmdDownloadLookupFile, u"Download &Lookup File", u"L", 1108},
    {kCmdSdExport, u"Download Lookup to SD-card", {}, 1793, u"Загрузить базу данных на SD-карту"},
    {kCmdReceiveData, u"&Receive Data", u"U", 1109},
    {0, {}, {}, 0},
    {kCmdAbout, u"A&bout...", {}, 1110},
    {kCmdExit, u"E&xit\tAlt+F4", {}, 1111},
}};
inline constexpr int kRecentFilesPosition = 14;

struct Language;

// One item of the popup menu as it is shown: its id (0 for a separator) and its text.
struct MenuItem {
    int id;
    std::u16string text;
    bool operator==(const MenuItem&) const = default;
};

// The popup menu's items: the table's texts, each replaced by the language table's entry when a
// language is in use and has one, and the recent files with their separator. An item that the
// language leaves out keeps the menu's own text, or its Russian one when the language in use is
// Russian, so that a language never mixes in texts of another.
std::vector<MenuItem> PopupMenuItems(const Language& language,
                                     const std::vector<std::u16string>& recentFiles,
                                     bool russianLanguage = false);

// "&%d:  " of index + 1 and the path; a path longer than 40 units shows its first 15 units,
// "..." and its last 22.
std::u16string RecentFileMenuText(int index, std::u16string_view path);

}  // namespace fw
