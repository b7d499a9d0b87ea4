// The operations dialog of a field line: saving the line's data into a variable and filling
// the line from one. Each stores 0 when off, else 1 + the variable's index.
#pragma once

#include "editor/outcome.h"
#include "editor/session.h"

namespace fw::editor {

struct OperationsDialogView {
    int formNumber = 0, lineNumber = 0;  // "Форма №", "Строка №"
    bool save = false;  // "Сохранить данные строки в переменную"
    bool saveEnabled = false;
    ListView saveVariable;
    bool fill = false;  // "Заполнить строку из переменной"
    bool fillEnabled = false;
    ListView fillVariable;
};
Snapshot OpenOperationsDialog(EditingSession& session);
OperationsDialogView ViewOperationsDialog(const EditingSession& session);

enum class Operation { SaveToVariable, FillFromVariable };
// Checking takes the first variable; unchecking stores 0.
Outcome SetOperation(EditingSession& session, Operation which, bool on);
Outcome SelectOperationVariable(EditingSession& session, Operation which, int index);

}  // namespace fw::editor
