// The Settings page: the terminal's ports, speeds, backlight, data deletion, entry options and
// sounds. The page edits the working copy of the terminal settings; its dialogs (security,
// function keys, variables, network) edit private copies and hand them back on OK.
#pragma once

#include <string>
#include <utility>

#include "editor/outcome.h"
#include "editor/session.h"

namespace fw::editor {

// What an edit field shows after the user changed it, and the warning to show when the text
// had to be corrected (empty: none). Every edit stores what it shows.
struct EditResult {
    std::u16string shown;
    std::u16string warning;
    std::u16string caption;  // of the warning
    bool stored = true;      // false: the text was not taken and the edit shows the old value

    static EditResult Taken(std::u16string shown) {
        EditResult r;
        r.shown = std::move(shown);
        return r;
    }
    static EditResult NotTaken(std::u16string shown) {
        EditResult r = Taken(std::move(shown));
        r.stored = false;
        return r;
    }
};

enum class SettingsList {
    UploadPort,
    DownloadPort,
    ModemSpeed,
    BaudRate,
    Backlight,
    DataDeletion,
    EntryOption,
    KeyClick,
    GoodReadBeep,
    WarningBeep,
    Vibration,
    Volume,
};
inline constexpr int kSettingsListCount = 12;

enum class PhoneOf { Upload, Download };

// What the page keeps beside the bytes: the prompt duration that "Stay on the LCD" gives back
// after "Press any key to continue" stored 0.
struct SettingsPageState {
    int keptDuration = 6;
};
SettingsPageState OpenSettingsPage(const EditingSession& session);

struct SettingsPageView {
    std::array<ListView, kSettingsListCount> lists;  // in SettingsList order
    std::u16string uploadPhone;
    std::u16string downloadPhone;
    bool uploadPhoneEnabled = false;
    bool downloadPhoneEnabled = false;
    std::u16string backlightTimeout;
    bool stayOnLcd = false;         // else "Press any key to continue"
    bool promptWaitEnabled = true;  // the two radios
    std::u16string promptDuration;
    bool promptDurationEnabled = false;
    bool networkEnabled = false;  // "Сетевые настройки"
};
SettingsPageView ViewSettingsPage(const EditingSession& session);

Outcome SelectSetting(EditingSession& session, SettingsList list, int index);
EditResult EditPhone(EditingSession& session, PhoneOf which, std::u16string_view text);
EditResult EditBacklightTimeout(EditingSession& session, std::u16string_view text);
EditResult EditPromptDuration(EditingSession& session, SettingsPageState& page,
                              std::u16string_view text);
// "Stay on the LCD" (true) or "Press any key to continue" (false).
Outcome SelectPromptWait(EditingSession& session, const SettingsPageState& page, bool stayOnLcd);
// "Reset": the page's values, the protection flags and the function keys to their defaults;
// the volume, the password and everything the other pages own stay.
void ResetSettings(EditingSession& session, SettingsPageState& page);

// Part of the sheet's OK: the bytes this page and its dialogs edit go from the working copy to
// the definition; the Bluetooth byte remembers which ports were Bluetooth before the commit.
void CommitSettingsPage(const EditingSession& session, Definition& definition);

// ---- helpers the settings dialogs share -----------------------------------------------------

// Cuts text to at most max characters (UTF-16 units).
std::u16string CutText(std::u16string_view text, std::size_t max);
// The decimal text of a number.
std::u16string NumberText(int n);

}  // namespace fw::editor
