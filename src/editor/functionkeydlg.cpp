#include "editor/functionkeydlg.h"

namespace fw::editor {

FunctionKeyDialog OpenFunctionKeyDialog(const EditingSession& session) {
    return {session.working.terminalSettings};
}

void ConfirmFunctionKeyDialog(EditingSession& session, const FunctionKeyDialog& dialog) {
    const ConstTerminalSettingsRecord from(dialog.settings.data());
    const TerminalSettingsRecord to = Terminal(session.working);
    to.FnKeysEnabled() = from.FnKeysEnabled();
    for (int k = 0; k < kFnKeyCount; ++k)
        to.FnKeyFunction(k) = from.FnKeyFunction(k);
}

FunctionKeyDialogView ViewFunctionKeyDialog(const EditingSession& session,
                                            const FunctionKeyDialog& dialog) {
    const ConstTerminalSettingsRecord t(dialog.settings.data());
    FunctionKeyDialogView view;
    view.enabled = t.FnKeysEnabled() != 0;
    for (int k = 0; k < kFnKeyCount; ++k) {
        ListView& list = view.keys[static_cast<std::size_t>(k)];
        list = CodedListView(session, codes::kFnFunctions, t.FnKeyFunction(k));
        list.enabled = view.enabled;
    }
    return view;
}

Outcome SetFunctionKeysEnabled(FunctionKeyDialog& dialog, bool on) {
    TerminalSettingsRecord(dialog.settings.data()).FnKeysEnabled() = on ? 1 : 0;
    return Outcome::Accept();
}

Outcome SelectFunctionKey(FunctionKeyDialog& dialog, int key, int index) {
    const TerminalSettingsRecord t(dialog.settings.data());
    if (key < 0 || key >= kFnKeyCount || t.FnKeysEnabled() == 0) return Outcome::Refuse();
    if (index < 0 || index >= static_cast<int>(std::size(codes::kFnFunctionEntries)))
        return Outcome::Refuse();
    t.FnKeyFunction(key) = codes::kFnFunctionEntries[index].code;
    return Outcome::Accept();
}

}  // namespace fw::editor
