// The symbology parameter dialogs' rules on the editing session: what a dialog shows, one
// operation per control, the corrections made while typing, and what OK does beyond the
// controls (the length rules, bits a dialog clears). Every dialog is run from its table in
// symbologies.h.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "editor/chargrid.h"
#include "editor/outcome.h"
#include "editor/session.h"
#include "reader/symbologies.h"

namespace fw::reader {

// The bytes a symbology dialog may change, as it found them; Cancel gives them back.
struct ReaderSnapshot {
    Block<kReaderOptionsSize> readerOptions{};
    Block<kSymbologyOptionsSize> symbologyOptions{};
    Block<kReaderExtraSize> readerExtra{};
    Block<kTerminalSettingsSize> terminalSettings{};
    Block<kReaderOptions2Size> readerOptions2{};
    Block<kVariableNamesSize> variableNames{};
};
ReaderSnapshot TakeReaderSnapshot(const editor::EditingSession& session);
void RestoreReaderSnapshot(editor::EditingSession& session, const ReaderSnapshot& snapshot);

struct ControlView {
    Kind kind = Kind::Check;
    std::u16string caption;
    bool enabled = true;
    bool checked = false;                 // a check box
    std::vector<std::u16string> choices;  // a radio group or list
    int selected = -1;                    // -1: the stored bits are no choice offered
    int number = 0;                       // a number edit
    std::u16string text;                  // a character edit, a code identifier's display text
};

struct DialogView {
    std::u16string title;
    std::vector<ControlView> controls;
    bool codeIdButtonsEnabled = false;  // "Set 1".."Set 5" and "Clear"
};

// Runs what the dialog does as it opens (some clear bits that no control shows); take the
// snapshot before.
void OpenDialog(editor::EditingSession& session, const DialogTemplate& dialog);
DialogView ViewDialog(const editor::EditingSession& session, const DialogTemplate& dialog);
// The bits a control's range holds as stored (0 when its byte lies past its block), so that a
// value no choice offers can still be named.
unsigned ControlBits(const editor::EditingSession& session, const Control& control);

// Sets control `control`: a box to 0 or 1, a radio group or list to its choice `value`, a
// number to `value` (capped at its maximum), a character edit to the 8-bit character `value`
// (0 for none). A mode change of the length pattern clears the lengths it enables, and choices
// that exclude each other follow. A choice the control does not offer is refused and changes
// nothing.
editor::Outcome SetControl(editor::EditingSession& session, const DialogTemplate& dialog,
                           int control, int value);

// What a number edit shows after the user typed `typed` into it.
std::u16string CorrectTyped(const Control& control, std::u16string_view typed);
// The number a corrected edit text stands for (0 for empty).
int TypedNumber(std::u16string_view text);

// OK: the length rules, and the bits the dialog clears.
void AcceptDialog(editor::EditingSession& session, const DialogTemplate& dialog);

// ---- code identifiers ----------------------------------------------------------------------

// Identifier i (0..14): its two 8-bit characters (the second 0 for one character) and its
// companion byte of variable nibbles (first character in the low nibble).
struct CodeIdValue {
    std::array<Byte, 2> chars{};
    Byte nibbles = 0;
};
CodeIdValue GetCodeId(const editor::EditingSession& session, int index);
editor::Outcome SetCodeId(editor::EditingSession& session, int index, const CodeIdValue& value);
// "Set 1".."Set 5" (set 1..5) fill all 15 identifiers from the predefined set; set 0 ("Clear")
// empties them.
editor::Outcome FillCodeIds(editor::EditingSession& session, int set);
// An identifier as its display text: a blank and the key name of each character, the
// variable's name for a variable reference.
std::u16string CodeIdDisplayText(const editor::EditingSession& session, const CodeIdValue& value);
// Identifier i in the character grid: opened on its stored characters and nibbles, and stored
// back once the grid's OK accepts it.
editor::CharGrid OpenCodeIdGrid(const editor::EditingSession& session, int index);
editor::Outcome StoreCodeIdGrid(editor::EditingSession& session, int index,
                                const editor::CharGrid& grid);

}  // namespace fw::reader
