// The symbology parameter dialogs as data: each dialog is a table of controls, each control a
// bit range of one reader block with its coding, so that every dialog is read and written by the
// same few lines of code instead of bit twiddling of its own. A dialog's name is the template's
// name, which the Barcode page's "more..." buttons carry.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/layout.h"

namespace fw::reader {

// The block a control's bits live in, in the editing session's working definition.
enum class Area : std::uint8_t {
    ReaderOptions,     // the laser/LED engine's settings
    SymbologyOptions,  // the 2D and long-range engines' settings
    ReaderExtra,       // the RFID reader
    TerminalSettings,  // code identifiers, the EAN128 separator replacement
    ReaderOptions2,    // GS1 display formats
};

enum class Kind : std::uint8_t {
    Check,      // one box: the range is non-zero
    Radio,      // radio buttons, one per choice
    List,       // a drop-down list, one entry per choice
    Number,     // a number edit
    Character,  // a one-character edit, stored as one 8-bit character
    CodeId,     // a code identifier: two characters at the byte, a companion nibble byte
};

// How a number edit corrects what is typed into it.
enum class Typing : std::uint8_t {
    Plain,           // digits only, capped at the control's maximum
    Length,          // 2D lengths: not a number -> 0, 128 or more -> 127, "05" -> 5
    FirstLength1D,   // not a number (and not empty) -> 127, 128 or more -> 127
    SecondLength1D,  // not a number (and not empty) -> 1
    Position,        // RFID: not a number -> 0, 256 or more -> 255, "05" -> 5
};

// A text: the string id it is looked up by (0: none), else the built-in literal.
struct Caption {
    int id = 0;
    std::u16string_view text{};
};

// One choice of a radio group or a list. value is written into the control's range under
// writeMask and recognised under readMask (0 for either: the whole range), so that a choice may
// own only some bits of the range or be recognised by fewer bits than it writes.
struct Choice {
    Caption caption;
    std::uint8_t value = 0;
    std::uint8_t readMask = 0;
    std::uint8_t writeMask = 0;
};

struct Control {
    Kind kind = Kind::Check;
    Area area = Area::ReaderOptions;
    std::uint16_t byte = 0;
    layout::BitRange bits{};  // count 0: the whole byte
    Caption caption{};
    std::span<const Choice> choices{};
    int maximum = 255;  // a number's largest value
    Typing typing = Typing::Plain;
    std::string_view name{};  // the widget's object name
};

// The length pattern: a mode control and the two length edits whose labels and enabling follow it.
struct LengthRule {
    int mode = -1;  // control index; -1: the dialog has no lengths
    int first = -1;
    int second = -1;
    bool oneD = false;  // the laser engine's fixed / max-min pattern
};

// Setting control `when` to `whenValue` (-1: to anything but 0) sets control `then` to
// `thenValue`: two choices that exclude each other.
struct Exclusion {
    int when = 0;
    int whenValue = 0;
    int then = 0;
    int thenValue = 0;
};

// Control `control` is enabled only while every control in `needs` (-1: none) is checked, and,
// with offWhileGs1, only while the GS1 application identifiers are off.
struct EnableRule {
    int control = 0;
    std::array<int, 3> needs{-1, -1, -1};
    bool offWhileGs1 = false;
};

// Bits a dialog clears as it opens or on OK (bits no control shows).
struct ClearBits {
    Area area = Area::ReaderOptions;
    std::uint16_t byte = 0;
    layout::BitRange bits{};
};

struct DialogTemplate {
    std::string_view name;
    Caption title;
    std::span<const Control> controls;
    LengthRule lengths{};
    std::span<const Exclusion> exclusions{};
    std::span<const EnableRule> enables{};
    std::span<const ClearBits> clearOnOpen{};
    std::span<const ClearBits> clearOnOk{};
    bool codeIdSets = false;  // the "Set 1".."Set 5" and "Clear" buttons
};

// Every dialog of the family that edits reader bits (the weight-mask dialog is not one of them).
std::span<const DialogTemplate> Templates();
// The dialog of that template name, or null.
const DialogTemplate* FindTemplate(std::string_view name);

// The index of the control with that object name in the dialog, or -1.
int FindControl(const DialogTemplate& dialog, std::string_view name);

// Code identifiers: 15 of two characters from TerminalSettings byte 85, their switch at byte 84,
// their companion nibbles in VariableNames byte 210 on.
inline constexpr int kCodeIdCount = 15;
inline constexpr std::uint16_t kCodeIdSwitchByte = 84;
inline constexpr std::uint16_t kFirstCodeIdByte = 85;
inline constexpr int kCodeIdSetCount = 5;
// The predefined identifier sets 1..5, in identifier order.
std::array<std::string_view, kCodeIdCount> CodeIdSet(int set);

// The EAN128 field-separator replacement character.
inline constexpr std::uint16_t kSeparatorReplacementByte = 258;

}  // namespace fw::reader
