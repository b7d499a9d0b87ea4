// "Security Settings": which menus of the terminal ask for the password, and the password.
// The dialog edits a private copy of the terminal settings; OK hands the flags and the
// password to the page, Cancel drops the copy.
#pragma once

#include <array>

#include "editor/settingspage.h"

namespace fw::editor {

// The twelve flags of SecurityFlags, then the three of SecurityFlags2.
inline constexpr int kSecurityFlagCount = 15;
inline constexpr std::size_t kPasswordChars = 10;

struct SecurityDialog {
    Block<kTerminalSettingsSize> settings{};
};
SecurityDialog OpenSecurityDialog(const EditingSession& session);
void ConfirmSecurityDialog(EditingSession& session, const SecurityDialog& dialog);

struct SecurityFlagView {
    std::u16string caption;
    bool checked = false;
    bool enabled = true;
};
struct SecurityDialogView {
    std::array<SecurityFlagView, kSecurityFlagCount> flags;
    std::u16string password;
};
SecurityDialogView ViewSecurityDialog(const SecurityDialog& dialog);

// A flag that "Settings" covers cannot change while "Settings" is on.
Outcome SetSecurityFlag(SecurityDialog& dialog, int flag, bool on);
// Keeps at most ten digits and Latin letters, telling the user what was removed.
EditResult EditPassword(const EditingSession& session, SecurityDialog& dialog,
                        std::u16string_view text);

}  // namespace fw::editor
