// The properties dialog of a lookup line: whether the line's data is saved with the record and,
// when it is, its fixed length and its prefix and suffix codes.
#pragma once

#include <array>
#include <span>

#include "editor/fielddlg.h"
#include "editor/outcome.h"
#include "editor/session.h"

namespace fw::editor {

struct LookupFieldDialogView {
    int formNumber = 0, lineNumber = 0;
    bool saveData = false;  // "Save field data"; the rest is enabled only with it
    bool fixedLength = false;
    int fixedLengthValue = 0;
    ListView alignment;
    bool prefix = false, suffix = false;
    std::array<Byte, 10> prefixCode{}, suffixCode{};
    bool enabled = false;
};
Snapshot OpenLookupFieldDialog(EditingSession& session);
LookupFieldDialogView ViewLookupFieldDialog(const EditingSession& session);
// OK: a lookup line has no input mark.
void ConfirmLookupFieldDialog(EditingSession& session);

enum class LookupFieldFlag { SaveData, FixedLength, Prefix, Suffix };
Outcome SetLookupFieldFlag(EditingSession& session, LookupFieldFlag flag, bool on);
Outcome EditLookupFixedLength(EditingSession& session, std::u16string_view text);
Outcome SelectLookupAlignment(EditingSession& session, int index);
Outcome StoreLookupLineCode(EditingSession& session, LineCode which, std::span<const Byte, 10> code,
                            std::span<const Byte, 5> nibbles);

}  // namespace fw::editor
