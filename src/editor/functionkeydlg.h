// "Function Key Mapping": what FN+1..FN+7 start on the terminal, and whether the mapping is in
// force. The dialog edits a private copy; OK stores the flag and the seven choices.
#pragma once

#include <array>

#include "editor/settingspage.h"

namespace fw::editor {

inline constexpr int kFnKeyCount = 7;

struct FunctionKeyDialog {
    Block<kTerminalSettingsSize> settings{};
};
FunctionKeyDialog OpenFunctionKeyDialog(const EditingSession& session);
void ConfirmFunctionKeyDialog(EditingSession& session, const FunctionKeyDialog& dialog);

struct FunctionKeyDialogView {
    bool enabled = false;  // "Enable Function Key Mappings"
    std::array<ListView, kFnKeyCount> keys;
};
FunctionKeyDialogView ViewFunctionKeyDialog(const EditingSession& session,
                                            const FunctionKeyDialog& dialog);

Outcome SetFunctionKeysEnabled(FunctionKeyDialog& dialog, bool on);
// Refused while the mapping is switched off.
Outcome SelectFunctionKey(FunctionKeyDialog& dialog, int key, int index);

}  // namespace fw::editor
