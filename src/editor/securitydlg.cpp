#include "editor/securitydlg.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "model/codepage.h"

namespace fw::editor {
namespace {

constexpr int kFirstFlag2 = 12;
constexpr int kWarningId = 1122;
constexpr int kTooLongId = 1141;
constexpr int kInvalidCharacterId = 1142;

// The flags of the individual settings: "Upload Port" .. "Entry Options" and the three sounds.
bool CoveredBySettings(int flag) {
    return flag >= 6;
}

Byte& FlagByte(SecurityDialog& dialog, int flag) {
    const TerminalSettingsRecord t(dialog.settings.data());
    return flag < kFirstFlag2 ? t.SecurityFlags(flag) : t.SecurityFlags2(flag - kFirstFlag2);
}
Byte FlagByte(const SecurityDialog& dialog, int flag) {
    const ConstTerminalSettingsRecord t(dialog.settings.data());
    return flag < kFirstFlag2 ? t.SecurityFlags(flag) : t.SecurityFlags2(flag - kFirstFlag2);
}

bool PasswordCharacter(char16_t c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

}  // namespace

SecurityDialog OpenSecurityDialog(const EditingSession& session) {
    return {session.working.terminalSettings};
}

void ConfirmSecurityDialog(EditingSession& session, const SecurityDialog& dialog) {
    const ConstTerminalSettingsRecord from(dialog.settings.data());
    const TerminalSettingsRecord to = Terminal(session.working);
    for (int i = 0; i < kFirstFlag2; ++i)
        to.SecurityFlags(i) = from.SecurityFlags(i);
    for (int i = 0; i < kSecurityFlagCount - kFirstFlag2; ++i)
        to.SecurityFlags2(i) = from.SecurityFlags2(i);
    std::ranges::copy(from.Password(), to.Password().begin());
}

SecurityDialogView ViewSecurityDialog(const SecurityDialog& dialog) {
    SecurityDialogView view;
    const bool settingsLocked = FlagByte(dialog, 0) != 0;
    for (int i = 0; i < kSecurityFlagCount; ++i) {
        SecurityFlagView& f = view.flags[static_cast<std::size_t>(i)];
        f.caption =
            std::u16string(i < kFirstFlag2 ? codes::kSecurityFlagEntries[i].literal
                                           : codes::kSecurityFlag2Entries[i - kFirstFlag2].literal);
        f.checked = FlagByte(dialog, i) != 0;
        f.enabled = !(settingsLocked && CoveredBySettings(i));
    }
    view.password = CellToUtf16(ConstTerminalSettingsRecord(dialog.settings.data()).Password());
    return view;
}

Outcome SetSecurityFlag(SecurityDialog& dialog, int flag, bool on) {
    if (flag < 0 || flag >= kSecurityFlagCount) return Outcome::Refuse();
    if (CoveredBySettings(flag) && FlagByte(std::as_const(dialog), 0) != 0)
        return Outcome::Refuse();
    FlagByte(dialog, flag) = on ? 1 : 0;
    return Outcome::Accept();
}

EditResult EditPassword(const EditingSession& session, SecurityDialog& dialog,
                        std::u16string_view text) {
    EditResult result;
    if (text.size() > kPasswordChars) {
        text = text.substr(0, kPasswordChars);
        result.warning = UiText(session, kTooLongId);
    }
    std::u16string kept;
    std::ranges::copy_if(text, std::back_inserter(kept), PasswordCharacter);
    if (kept.size() != text.size() && result.warning.empty())
        result.warning = UiText(session, kInvalidCharacterId);
    if (!result.warning.empty()) result.caption = UiText(session, kWarningId);
    StoreCellText(TerminalSettingsRecord(dialog.settings.data()).Password(), kept);
    result.shown = kept;
    return result;
}

}  // namespace fw::editor
