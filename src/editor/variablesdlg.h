// "Переменные": the names of the ten variables, which the forms' lists show. The dialog edits
// a private copy; OK takes the names only when none is empty and no two are equal.
#pragma once

#include <array>

#include "editor/settingspage.h"

namespace fw::editor {

struct VariablesDialog {
    Block<kVariableNamesSize> names{};
};
VariablesDialog OpenVariablesDialog(const EditingSession& session);
// The first empty name or the first pair of equal names refuses with its warning and the
// working names stay as they were; otherwise the ten names become the working ones.
Outcome ConfirmVariablesDialog(EditingSession& session, const VariablesDialog& dialog);

// The ten names as the edits show them.
std::array<std::u16string, kVariableCount> ViewVariablesDialog(const VariablesDialog& dialog);

// variable is 1..10. A name equal to another variable's is not taken: the edit shows this
// variable's name again.
EditResult EditVariableName(VariablesDialog& dialog, int variable, std::u16string_view text);
// "Сброс": "Переменная1" .. "Переменная10".
void ResetVariableNames(VariablesDialog& dialog);

}  // namespace fw::editor
