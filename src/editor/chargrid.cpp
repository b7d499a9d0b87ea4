#include "editor/chargrid.h"

#include <algorithm>
#include <utility>

#include "editor/lookupfielddlg.h"
#include "model/codepage.h"
#include "model/layout.h"

namespace fw::editor {
namespace {

constexpr int kCodeIdentifierChars = 2;
constexpr int kLineCodeChars = 10;
constexpr int kPassPhraseMin = 8;
constexpr int kPassPhraseMax = 63;
constexpr int kShortWepKey = 5;
constexpr int kLongWepKey = 13;
constexpr std::size_t kNibbleChars = 2 * kGridNibbleBytes;

// Names of 0x01..0x1D in the key-name table; 0x1E and 0x1F have none.
constexpr const char16_t* kKeyNames[] = {
    u"Ins",   u"Del",  u"Home",  u"End",  u"Up",  u"Down", u"Left", u"BS",   u"HT",   u"LF",
    u"Right", u"PgUp", u"Enter", u"PgDn", u"F1",  u"F2",   u"F3",   u"F4",   u"F5",   u"F6",
    u"F7",    u"F8",   u"F9",    u"F10",  u"F11", u"F12",  u"ESC",  u"Exec", u"Пер.",
};

std::u16string Ascii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

bool KeyNames(GridKind kind) {
    return kind != GridKind::Hexadecimal;
}

std::u16string CharacterDisplayName(GridKind kind, Byte code, Byte nibble,
                                    const std::array<std::u16string, kVariableCount>& names) {
    if (code == kVariableReference && KeyNames(kind) && nibble >= 1 && nibble <= kVariableCount)
        return names[nibble - 1];
    return CharacterName(kind, code);
}

}  // namespace

std::u16string CharacterName(GridKind kind, Byte code) {
    if (code == 0) return {};
    if (code == 0x20) return u"SP";
    if (code >= 0x21 && code <= 0x7E) return std::u16string(1, static_cast<char16_t>(code));
    if (!KeyNames(kind)) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        return {static_cast<char16_t>(kHex[code >> 4]), static_cast<char16_t>(kHex[code & 0x0F])};
    }
    if (code <= kVariableReference) return kKeyNames[code - 1];
    if (code == 0x7F) return u"DEL";
    if (code >= 0x80) return Ascii(std::to_string(code));
    return {};
}

bool CanChoose(GridKind kind, Byte code) {
    if (code == 0) return false;
    if (!KeyNames(kind)) return true;
    return code != 0x0A && code != 0x0D && code != 0x1E && code != 0x1F;
}

GridTarget LineCodeTarget(FormRecord form, int line, LineCode which) {
    const bool prefix = which == LineCode::Prefix;
    return {GridKind::LineCode, 0, kLineCodeChars,
            prefix ? form.PrefixCode(line) : form.SuffixCode(line),
            prefix ? form.PrefixCodeNibbles(line) : form.SuffixCodeNibbles(line)};
}

GridTarget CodeIdentifierTarget(std::span<Byte, 2> characters, Byte& nibbles) {
    return {GridKind::CodeIdentifier, 0, kCodeIdentifierChars, characters,
            std::span<Byte>(&nibbles, 1)};
}

GridTarget PassPhraseTarget(NetworkSettingsRecord network) {
    return {GridKind::Hexadecimal, kPassPhraseMin, kPassPhraseMax, network.WpaKey(), {}};
}

GridTarget WepKeyTarget(NetworkSettingsRecord network, int key) {
    const int length = network.WepKeyLength() == 0 ? kShortWepKey : kLongWepKey;
    return {GridKind::Hexadecimal, length, length, network.WepKey(std::clamp(key, 0, 3)), {}};
}

Byte CharacterNibble(std::span<const Byte> nibbles, std::size_t i) {
    if (i / 2 >= nibbles.size()) return 0;
    return layout::GetNibble(nibbles, i);
}

std::u16string BuildDisplayText(GridKind kind, std::span<const Byte> raw,
                                std::span<const Byte> nibbles,
                                const std::array<std::u16string, kVariableCount>& variableNames,
                                std::size_t count) {
    std::u16string text;
    for (std::size_t i = 0; i < std::min(count, raw.size()); ++i) {
        text += u' ';
        text += CharacterDisplayName(kind, raw[i], CharacterNibble(nibbles, i), variableNames);
    }
    return text;
}

namespace {

CharGrid Load(GridKind kind, int minimum, int maximum, std::span<const Byte> text,
              std::span<const Byte> nibbles, const Definition& working) {
    CharGrid grid;
    grid.kind = kind;
    grid.minimum = minimum;
    grid.maximum = maximum;
    grid.raw.assign(text.begin(), std::ranges::find(text, Byte{0}));
    if (KeyNames(kind))
        std::copy_n(nibbles.begin(), std::min(nibbles.size(), kGridNibbleBytes),
                    grid.nibbles.begin());
    for (int v = 1; v <= kVariableCount; ++v)
        grid.variableNames[v - 1] = CellToUtf16(Variables(working).Name(v));
    grid.displayText =
        BuildDisplayText(grid.kind, grid.raw, grid.nibbles, grid.variableNames, grid.raw.size());
    grid.savedDisplayText = grid.displayText;
    return grid;
}

}  // namespace

CharGrid OpenCharGrid(const GridTarget& target, const Definition& working) {
    return Load(target.kind, target.minimum, target.maximum, target.text, target.nibbles, working);
}

std::u16string TargetDisplayText(const GridTarget& target, const Definition& working) {
    return OpenCharGrid(target, working).displayText;
}

namespace {

void Append(CharGrid& grid, Byte code, Byte variable) {
    const std::size_t i = grid.raw.size();
    grid.raw.push_back(code);
    if (i < kNibbleChars) layout::SetNibble(grid.nibbles, i, variable);
    grid.displayText += u' ';
    grid.displayText += CharacterDisplayName(grid.kind, code, variable, grid.variableNames);
}

}  // namespace

CellClick ClickCell(CharGrid& grid, int column, int row) {
    if (column < 1 || column >= kGridSize || row < 1 || row >= kGridSize) return CellClick::Ignored;
    const auto code = static_cast<Byte>(16 * (column - 1) + (row - 1));
    if (!CanChoose(grid.kind, code)) return CellClick::Ignored;
    grid.selected = code;
    if (std::cmp_greater_equal(grid.raw.size(), grid.maximum)) return CellClick::TooManyCharacters;
    if (code == kVariableReference && KeyNames(grid.kind)) return CellClick::ChooseVariable;
    Append(grid, code, 0);
    return CellClick::Appended;
}

Outcome AppendVariable(CharGrid& grid, int variable) {
    if (!KeyNames(grid.kind) || variable < 1 || variable > kVariableCount ||
        std::cmp_greater_equal(grid.raw.size(), grid.maximum))
        return Outcome::Refuse();
    Append(grid, kVariableReference, static_cast<Byte>(variable));
    return Outcome::Accept();
}

void MoveSelection(CharGrid& grid, int columns, int rows) {
    const int column = std::clamp((grid.selected >> 4) + columns, 0, 15);
    const int row = std::clamp((grid.selected & 0x0F) + rows, 0, 15);
    grid.selected = static_cast<Byte>(16 * column + row);
}

void ClearGrid(CharGrid& grid) {
    grid.raw.clear();
    grid.nibbles.fill(0);
    grid.displayText.clear();
}

Outcome ConfirmGrid(const CharGrid& grid) {
    if (std::cmp_greater_equal(grid.raw.size(), grid.minimum)) return Outcome::Accept();
    Outcome o = Outcome::Refuse(u"Слишком мало символов!!!");
    o.caption = u"Ошибка";
    return o;
}

void WriteBack(const CharGrid& grid, const GridTarget& target) {
    const std::size_t n = std::min(grid.raw.size(), target.text.size());
    std::copy_n(grid.raw.begin(), n, target.text.begin());
    std::fill(target.text.begin() + static_cast<std::ptrdiff_t>(n), target.text.end(), Byte{0});
    if (KeyNames(grid.kind))
        std::copy_n(grid.nibbles.begin(), std::min(target.nibbles.size(), kGridNibbleBytes),
                    target.nibbles.begin());
}

// ---- the field dialogs' codes --------------------------------------------------------------

namespace {

int CurrentLine(const EditingSession& session) {
    return std::clamp(session.currentLine, 0, kLinesPerForm - 1);
}

CharGrid LoadLineCode(const EditingSession& session, LineCode which) {
    const ConstFormRecord form = session.Form();
    const int line = CurrentLine(session);
    const bool prefix = which == LineCode::Prefix;
    return Load(GridKind::LineCode, 0, kLineCodeChars,
                prefix ? form.PrefixCode(line) : form.SuffixCode(line),
                prefix ? form.PrefixCodeNibbles(line) : form.SuffixCodeNibbles(line),
                session.working);
}

}  // namespace

std::u16string LineCodeText(const EditingSession& session, LineCode which) {
    return LoadLineCode(session, which).displayText;
}

CharGrid OpenLineCodeGrid(const EditingSession& session, LineCode which) {
    return LoadLineCode(session, which);
}

Outcome StoreGridLineCode(EditingSession& session, LineCode which, const CharGrid& grid) {
    const Outcome confirmed = ConfirmGrid(grid);
    if (!confirmed.Accepted()) return confirmed;
    std::array<Byte, kLineCodeChars> code{};
    std::copy_n(grid.raw.begin(), std::min<std::size_t>(grid.raw.size(), code.size()),
                code.begin());
    if (session.Form().LineType(CurrentLine(session)) == kLineLookup)
        return StoreLookupLineCode(session, which, code, grid.nibbles);
    return StoreLineCode(session, which, code, grid.nibbles);
}

}  // namespace fw::editor
