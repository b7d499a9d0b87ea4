#include "editor/lookupfielddlg.h"

#include <algorithm>

namespace fw::editor {
namespace {

int Line(const EditingSession& session) {
    return std::clamp(session.currentLine, 0, kLinesPerForm - 1);
}
// A lookup line keeps "Save field data" in the byte other types use for the initial value.
bool SavesData(const EditingSession& session) {
    return session.Form().InitialValueFlag(Line(session)) != 0;
}

}  // namespace

Snapshot OpenLookupFieldDialog(EditingSession& session) {
    return TakeSnapshot(session);
}

LookupFieldDialogView ViewLookupFieldDialog(const EditingSession& session) {
    const ConstFormRecord f = session.Form();
    const int line = Line(session);
    LookupFieldDialogView v;
    v.formNumber = session.currentForm + 1;
    v.lineNumber = line + 1;
    v.saveData = v.enabled = SavesData(session);
    v.fixedLength = f.FixedLengthFlag(line) != 0;
    v.fixedLengthValue = f.FixedLength(line);
    v.alignment = CodedListView(session, codes::kAlignments, f.Alignment(line));
    v.alignment.enabled = v.enabled && v.fixedLength;
    v.prefix = f.PrefixFlag(line) != 0;
    v.suffix = f.SuffixFlag(line) != 0;
    std::ranges::copy(f.PrefixCode(line), v.prefixCode.begin());
    std::ranges::copy(f.SuffixCode(line), v.suffixCode.begin());
    return v;
}

void ConfirmLookupFieldDialog(EditingSession& session) {
    session.Form().InputMark(Line(session)) = 0;
}

Outcome SetLookupFieldFlag(EditingSession& session, LookupFieldFlag flag, bool on) {
    FormRecord f = session.Form();
    const int line = Line(session);
    if (flag == LookupFieldFlag::SaveData) {
        f.InitialValueFlag(line) = on ? 1 : 0;
        return Outcome::Accept();
    }
    if (!SavesData(session)) return Outcome::Refuse();
    Byte& b = flag == LookupFieldFlag::FixedLength ? f.FixedLengthFlag(line)
              : flag == LookupFieldFlag::Prefix    ? f.PrefixFlag(line)
                                                   : f.SuffixFlag(line);
    b = on ? 1 : 0;
    return Outcome::Accept();
}

Outcome EditLookupFixedLength(EditingSession& session, std::u16string_view text) {
    if (!SavesData(session)) return Outcome::Refuse();
    return EditFixedLength(session, text);
}

Outcome SelectLookupAlignment(EditingSession& session, int index) {
    if (!SavesData(session)) return Outcome::Refuse();
    return SelectAlignment(session, index);
}

Outcome StoreLookupLineCode(EditingSession& session, LineCode which, std::span<const Byte, 10> code,
                            std::span<const Byte, 5> nibbles) {
    if (!SavesData(session)) return Outcome::Refuse();
    return StoreLineCode(session, which, code, nibbles);
}

}  // namespace fw::editor
