#include "editor/variablesdlg.h"

#include <algorithm>

#include "model/codepage.h"

namespace fw::editor {
namespace {

std::u16string Replace(std::u16string text, int n) {
    const std::size_t at = text.find(u"%d");
    return text.replace(at, 2, NumberText(n));
}

// Names compare as the terminal stores them: 8-bit, at most 20 characters.
std::string StoredName(std::span<const Byte, kTextCellSize> cell) {
    return EncodeCp1251(CellToUtf16(cell));
}

}  // namespace

VariablesDialog OpenVariablesDialog(const EditingSession& session) {
    return {session.working.variableNames};
}

Outcome ConfirmVariablesDialog(EditingSession& session, const VariablesDialog& dialog) {
    const ConstVariableNamesRecord names(dialog.names.data());
    for (int i = 1; i <= kVariableCount; ++i)
        if (StoredName(names.Name(i)).empty())
            return Outcome::Refuse(Replace(u"Имя переменной №%d не задано", i));
    for (int i = 1; i <= kVariableCount; ++i)
        for (int j = i + 1; j <= kVariableCount; ++j)
            if (StoredName(names.Name(i)) == StoredName(names.Name(j)))
                return Outcome::Refuse(
                    Replace(Replace(u"Имена Переменнной %d и Переменной %d совпадают", i), j));
    const VariableNamesRecord to = Variables(session.working);
    for (int i = 1; i <= kVariableCount; ++i)
        std::ranges::copy(names.Name(i), to.Name(i).begin());
    return Outcome::Accept();
}

std::array<std::u16string, kVariableCount> ViewVariablesDialog(const VariablesDialog& dialog) {
    std::array<std::u16string, kVariableCount> view;
    const ConstVariableNamesRecord names(dialog.names.data());
    for (int i = 1; i <= kVariableCount; ++i)
        view[static_cast<std::size_t>(i - 1)] = CellToUtf16(names.Name(i));
    return view;
}

EditResult EditVariableName(VariablesDialog& dialog, int variable, std::u16string_view text) {
    if (variable < 1 || variable > kVariableCount) return EditResult::NotTaken({});
    const VariableNamesRecord names(dialog.names.data());
    const std::u16string cut = CutText(text, kTextCellChars);
    const std::string stored = EncodeCp1251(cut);
    for (int j = 1; j <= kVariableCount; ++j)
        if (j != variable && StoredName(names.Name(j)) == stored)
            return EditResult::NotTaken(CellToUtf16(names.Name(variable)));
    StoreCellText(names.Name(variable), cut);
    return EditResult::Taken(cut);
}

void ResetVariableNames(VariablesDialog& dialog) {
    const VariableNamesRecord names(dialog.names.data());
    for (int i = 1; i <= kVariableCount; ++i)
        StoreCellText(names.Name(i), Replace(u"Переменная%d", i));
}

}  // namespace fw::editor
