#include "editor/operationsdlg.h"

#include <algorithm>

namespace fw::editor {
namespace {

int Line(const EditingSession& session) {
    return std::clamp(session.currentLine, 0, kLinesPerForm - 1);
}
bool Enabled(const EditingSession& session, Operation which) {
    const int t = session.Form().LineType(Line(session));
    if (which == Operation::SaveToVariable) return t != kLineFixedData && t != kLinePrompt;
    return t != kLineLookup && t != kLineCounter;
}
Byte& Stored(EditingSession& session, Operation which) {
    FormRecord f = session.Form();
    return which == Operation::SaveToVariable ? f.SaveToVariable(Line(session))
                                              : f.FillFromVariable(Line(session));
}

}  // namespace

Snapshot OpenOperationsDialog(EditingSession& session) {
    return TakeSnapshot(session);
}

OperationsDialogView ViewOperationsDialog(const EditingSession& session) {
    const ConstFormRecord f = session.Form();
    const int line = Line(session);
    OperationsDialogView v;
    v.formNumber = session.currentForm + 1;
    v.lineNumber = line + 1;
    v.save = f.SaveToVariable(line) != 0;
    v.saveEnabled = Enabled(session, Operation::SaveToVariable);
    v.saveVariable = VariableListView(session, f.SaveToVariable(line));
    v.saveVariable.enabled = v.save && v.saveEnabled;
    v.fill = f.FillFromVariable(line) != 0;
    v.fillEnabled = Enabled(session, Operation::FillFromVariable);
    v.fillVariable = VariableListView(session, f.FillFromVariable(line));
    v.fillVariable.enabled = v.fill && v.fillEnabled;
    return v;
}

Outcome SetOperation(EditingSession& session, Operation which, bool on) {
    if (!Enabled(session, which)) return Outcome::Refuse();
    Byte& b = Stored(session, which);
    if (!on)
        b = 0;
    else if (b == 0)
        b = 1;
    return Outcome::Accept();
}

Outcome SelectOperationVariable(EditingSession& session, Operation which, int index) {
    if (!Enabled(session, which) || index < 0 || index >= kVariableCount) return Outcome::Refuse();
    Byte& b = Stored(session, which);
    if (b == 0) return Outcome::Refuse();  // the list is off until checked
    b = static_cast<Byte>(index + 1);
    return Outcome::Accept();
}

}  // namespace fw::editor
