// The eight field lines of the Form page: each line's type, prompt, input source, lookup column
// and lengths. Each control is one operation on the current form; `line` is 0..7.
#pragma once

#include <array>
#include <string>

#include "editor/outcome.h"
#include "editor/session.h"

namespace fw::editor {

struct FieldLineView {
    ListView type;  // a weight line shows "real" with the list disabled
    std::u16string prompt;
    bool promptEnabled = false;
    bool moreEnabled = false;        // "more..."
    bool operationsEnabled = false;  // "+"
    ListView inputSource;
    ListView lookupColumn;
    int minLength = 0;
    int maxLength = 0;
    bool lengthsEnabled = false;
};
struct FieldLinesView {
    std::array<FieldLineView, kLinesPerForm> lines;
};
FieldLinesView ViewFieldLines(const EditingSession& session);

// The type list index; a second serial-number line on the form is refused.
Outcome SelectLineType(EditingSession& session, int line, int index);
Outcome SelectInputSource(EditingSession& session, int line, int index);
Outcome SelectLookupColumn(EditingSession& session, int line, int index);
// The prompt as typed; more than 20 characters are cut and the view shows the cut text.
Outcome EditPrompt(EditingSession& session, int line, std::u16string_view text);
// The lengths as typed: a number is capped at 80 (16 for a weight line), anything else is 0. A
// boolean line's lengths are 1, set when the type is chosen.
Outcome EditMinLength(EditingSession& session, int line, std::u16string_view text);
Outcome EditMaxLength(EditingSession& session, int line, std::u16string_view text);

// Brings the current form's lines in line with the barcode rules, as the page does when it
// refreshes after the rules changed: a weight target becomes the weight line (its max length at
// most 16), a weight line that no longer receives a weight becomes "real", and a GS1 target
// without a type becomes "text".
void ApplyBarcodeRules(EditingSession& session);
// With the weight-barcode feature off no line receives a weight: every weight line of every
// form becomes "real" again, not only those of the form on show.
void ReleaseWeightLines(EditingSession& session);

// Whether a line type is one of the numeric types that offer the minus and plus columns.
bool NumericLineType(int type);
// The number a length edit stores for the typed text, before the per-type rules.
int TypedLength(std::u16string_view text);

}  // namespace fw::editor
