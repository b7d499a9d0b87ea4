// The editing session of the definition sheet: a working copy of the definition that every page
// edits, and which form and line the pages are on. Nothing else is kept; the working bytes are
// the only truth, and what a page shows is computed from them.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/codes.h"
#include "model/definition.h"
#include "model/language.h"

namespace fw::editor {

// What the Startup page shows that the bytes do not hold: how many field delimiters are chosen,
// the codes its two delimiter edits hold (a code beyond the count is kept, disabled, for when
// the count comes back), and which group of terminal texts is shown.
struct StartupState {
    int delimiterCount = 0;
    std::array<int, 2> delimiterCodes{};
    int textGroup = 0;
};

struct EditingSession {
    // The whole definition is copied so that the rules can read any block; the commit takes
    // back only the blocks the sheet edits.
    Definition working;
    int currentForm = 0;  // 0..9
    int currentLine = 0;  // 0..7 for a field line, 0..3 for FN+1..FN+4
    int currentMenu = 0;  // 0..9, the menu the Menu page shows
    const Language* language = nullptr;
    StartupState startup;

    FormRecord Form() { return fw::Form(working, currentForm); }
    ConstFormRecord Form() const { return fw::Form(working, currentForm); }
};

// A session on a copy of the definition, on the first form.
EditingSession OpenSession(const Definition& definition, const Language& language);

// The whole record of the current form as a dialog found it. A dialog opened from a dialog
// takes its own, so each Cancel returns the record to where that dialog began.
struct Snapshot {
    int form = 0;
    std::array<Byte, kFormRecordSize> record{};
};
Snapshot TakeSnapshot(const EditingSession& session);
void RestoreSnapshot(EditingSession& session, const Snapshot& snapshot);

// One entry of a list as a page shows it, with the code it stores.
struct ListEntry {
    std::u16string text;
    int code = 0;
};
struct ListView {
    std::vector<ListEntry> entries;
    int selected = -1;  // -1: the stored value is not one the list offers
    bool enabled = true;
};

// ---- helpers the pages share ----------------------------------------------------------------

// A UI text by string id in the session's language.
std::u16string UiText(const EditingSession& session, int id);
// The form's database (1..3), or 0 when it has none or the byte is out of range.
int FormDatabase(const EditingSession& session);
// The field count n that bounds the form's field lists: its database's (at most 8) when it
// has one, else 8.
int FormFieldCount(const EditingSession& session);
// Whether the form has a database with at least one field.
bool FormHasDefinedDatabase(const EditingSession& session);
// A coded list with its entries in the session's language and the stored code selected.
ListView CodedListView(const EditingSession& session, const codes::CodedList& list, int stored);
// The entries "1".."n" storing 1..n.
ListView NumberListView(int n, int stored);
// The ten variable names, storing 1..10.
ListView VariableListView(const EditingSession& session, int stored);
// The name of variable 1..10 from the working variable names.
std::u16string VariableName(const EditingSession& session, int variable);
// The index of the first serial-number line of the current form; -1 for none.
int SerialLine(const EditingSession& session);

}  // namespace fw::editor
