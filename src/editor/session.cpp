#include "editor/session.h"

#include <algorithm>

#include "model/codepage.h"

namespace fw::editor {

EditingSession OpenSession(const Definition& definition, const Language& language) {
    EditingSession s;
    s.working = definition;
    s.language = &language;
    const ConstTerminalSettingsRecord t = Terminal(definition);
    s.startup.delimiterCodes = {t.DelimiterCode1(), t.DelimiterCode2()};
    s.startup.delimiterCount = t.DelimiterCode2() != 0 ? 2 : t.DelimiterCode1() != 0 ? 1 : 0;
    return s;
}

Snapshot TakeSnapshot(const EditingSession& session) {
    Snapshot snap;
    snap.form = session.currentForm;
    const Byte* from = session.Form().Data();
    std::copy_n(from, kFormRecordSize, snap.record.begin());
    return snap;
}

void RestoreSnapshot(EditingSession& session, const Snapshot& snapshot) {
    std::ranges::copy(snapshot.record, fw::Form(session.working, snapshot.form).Data());
}

std::u16string UiText(const EditingSession& session, int id) {
    static const Language none;
    return LoadUiString(session.language ? *session.language : none, id);
}

int FormDatabase(const EditingSession& session) {
    const int db = session.Form().FormLookup();
    return db >= 1 && db <= kLookupCount ? db : 0;
}

int FormFieldCount(const EditingSession& session) {
    const int db = FormDatabase(session);
    if (db == 0) return kFieldsPerLookup;
    return std::min<int>(Lookup(session.working, db).FieldCount(), kFieldsPerLookup);
}

bool FormHasDefinedDatabase(const EditingSession& session) {
    const int db = FormDatabase(session);
    return db != 0 && Lookup(session.working, db).FieldCount() != 0;
}

std::u16string VariableName(const EditingSession& session, int variable) {
    return CellToUtf16(Variables(session.working).Name(variable));
}

ListView CodedListView(const EditingSession& session, const codes::CodedList& list, int stored) {
    ListView view;
    for (const codes::Code& c : list.entries)
        view.entries.push_back(
            {codes::EntryText(c, c.textId != 0 ? UiText(session, c.textId) : u""), c.code});
    view.selected = codes::IndexOfCode(list, stored);
    return view;
}

ListView NumberListView(int n, int stored) {
    ListView view;
    for (int i = 1; i <= n; ++i) {
        std::u16string text;
        for (char c : std::to_string(i))
            text += static_cast<char16_t>(c);
        view.entries.push_back({text, i});
    }
    view.selected = stored >= 1 && stored <= n ? stored - 1 : -1;
    return view;
}

ListView VariableListView(const EditingSession& session, int stored) {
    ListView view;
    for (int v = 1; v <= kVariableCount; ++v)
        view.entries.push_back({VariableName(session, v), v});
    view.selected = stored >= 1 && stored <= kVariableCount ? stored - 1 : -1;
    return view;
}

int SerialLine(const EditingSession& session) {
    for (int i = 0; i < kLinesPerForm; ++i)
        if (session.Form().LineType(i) == kLineSerial) return i;
    return -1;
}

}  // namespace fw::editor
