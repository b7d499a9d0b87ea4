// The character grid editor: short strings that hold terminal key codes, control characters and
// references to the application's variables are built here cell by cell from the 256 byte
// values. The rules live here; the Qt grid only shows this state and passes the user's clicks.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "editor/fielddlg.h"
#include "editor/outcome.h"
#include "editor/session.h"
#include "model/definition.h"

namespace fw::editor {

// What a target holds, and so which names its characters have.
enum class GridKind : std::uint8_t {
    LineCode = 0,        // a field's prefix or suffix code: key names
    CodeIdentifier = 1,  // a reader code identifier: key names
    Hexadecimal = 2,     // a Wi-Fi pass phrase or key: control codes by their hex digits
};

inline constexpr Byte kVariableReference = 0x1D;
inline constexpr int kGridSize = 17;  // one label row and column, then 16 x 16 cells
inline constexpr std::size_t kGridNibbleBytes = 5;

// The name of a byte value in the table of the kind; empty for a value without one.
std::u16string CharacterName(GridKind kind, Byte code);
// Whether a click on the cell appends its character.
bool CanChoose(GridKind kind, Byte code);

// Where a composed string is stored: the characters (zero-filled after the last one) and, for
// key-name kinds, the companion nibbles, one per character with the first in the low nibble.
struct GridTarget {
    GridKind kind = GridKind::LineCode;
    int minimum = 0;
    int maximum = 0;
    std::span<Byte> text;
    std::span<Byte> nibbles;
};
// The prefix or suffix code of a line of a form record.
GridTarget LineCodeTarget(FormRecord form, int line, LineCode which);
// A code identifier: two characters and the byte of their two nibbles.
GridTarget CodeIdentifierTarget(std::span<Byte, 2> characters, Byte& nibbles);
// The Wi-Fi pass phrase of a network settings block.
GridTarget PassPhraseTarget(NetworkSettingsRecord network);
// WEP key 0..3, as long as the block's key size says (5 or 13 characters).
GridTarget WepKeyTarget(NetworkSettingsRecord network, int key);

// The editor's state while the grid is open.
struct CharGrid {
    GridKind kind = GridKind::LineCode;
    int minimum = 0;
    int maximum = 0;
    std::vector<Byte> raw;  // the characters composed so far, in the 8-bit code page
    std::array<Byte, kGridNibbleBytes> nibbles{};
    std::array<std::u16string, kVariableCount> variableNames;
    std::u16string displayText;
    std::u16string savedDisplayText;  // the target's text when the grid opened
    Byte selected = 0x20;             // column in the high nibble, row in the low one
};

// Loads the target's characters and nibbles; variable references are named from the working
// copy's variable names.
CharGrid OpenCharGrid(const GridTarget& target, const Definition& working);
// The text a target control shows for what the target holds now.
std::u16string TargetDisplayText(const GridTarget& target, const Definition& working);
// For each of the first count characters a blank and its name; a variable reference is named
// by the variable its nibble holds.
std::u16string BuildDisplayText(GridKind kind, std::span<const Byte> raw,
                                std::span<const Byte> nibbles,
                                const std::array<std::u16string, kVariableCount>& variableNames,
                                std::size_t count);

// Nibble of character i (0..9) of a nibble array, first character in the low nibble.
Byte CharacterNibble(std::span<const Byte> nibbles, std::size_t i);

enum class CellClick {
    Ignored,            // a label, outside the cells, or a code that cannot be chosen
    Appended,           // the character is in the string
    TooManyCharacters,  // the string is full; nothing was added
    ChooseVariable,     // a variable reference: AppendVariable with the user's choice
};
// A click on the cell at column, row of the 17 x 17 grid (0 is the label row or column).
CellClick ClickCell(CharGrid& grid, int column, int row);
// Appends a reference to variable 1..10; refused when the string is full or the number wrong.
Outcome AppendVariable(CharGrid& grid, int variable);
// Arrow keys: the selection moves by whole cells and stays inside the 16 x 16 cells.
void MoveSelection(CharGrid& grid, int columns, int rows);
// "Clear": an empty string.
void ClearGrid(CharGrid& grid);
// OK: refused below the target's minimum, with caption "Ошибка"; the grid then stays open.
Outcome ConfirmGrid(const CharGrid& grid);
// Writes the composed string (and for key-name kinds its nibbles) into the target's storage.
void WriteBack(const CharGrid& grid, const GridTarget& target);

// ---- the field dialogs' codes --------------------------------------------------------------

// The prefix or suffix code of the current line as the field dialogs show it.
std::u16string LineCodeText(const EditingSession& session, LineCode which);
// The grid loaded with the current line's prefix or suffix code.
CharGrid OpenLineCodeGrid(const EditingSession& session, LineCode which);
// The grid's string as the line's code, through the properties dialog of the line's type
// (refused when the code is switched off).
Outcome StoreGridLineCode(EditingSession& session, LineCode which, const CharGrid& grid);

}  // namespace fw::editor
