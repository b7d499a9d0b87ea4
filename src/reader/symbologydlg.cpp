#include "reader/symbologydlg.h"

#include <algorithm>
#include <string>
#include <utility>

#include "model/codepage.h"

namespace fw::reader {
namespace {

using editor::EditingSession;
using editor::Outcome;

std::span<Byte> Bytes(Definition& d, Area area) {
    switch (area) {
        case Area::ReaderOptions:
            return d.readerOptions;
        case Area::SymbologyOptions:
            return d.symbologyOptions;
        case Area::ReaderExtra:
            return d.readerExtra;
        case Area::TerminalSettings:
            return d.terminalSettings;
        case Area::ReaderOptions2:
            return d.readerOptions2;
    }
    return {};
}
std::span<const Byte> Bytes(const Definition& d, Area area) {
    return Bytes(const_cast<Definition&>(d), area);
}

std::u16string Decimal(int n) {
    std::u16string text;
    for (const char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

// The mask of a range's value, shifted down: 0xFF for a whole byte.
unsigned RangeMask(layout::BitRange bits) {
    return bits.count == 0 ? 0xFFu : (1u << bits.count) - 1;
}

unsigned Read(const EditingSession& s, Area area, std::uint16_t byte, layout::BitRange bits) {
    const std::span<const Byte> bytes = Bytes(s.working, area);
    if (byte >= bytes.size()) return 0;
    return bits.count == 0 ? bytes[byte] : layout::GetBits(bytes[byte], bits);
}
unsigned Read(const EditingSession& s, const Control& c) {
    return Read(s, c.area, c.byte, c.bits);
}

// Writes the bits of `value` under `mask` (both within the range) and leaves every other bit.
void Write(EditingSession& s, Area area, std::uint16_t byte, layout::BitRange bits, unsigned value,
           unsigned mask) {
    const std::span<Byte> bytes = Bytes(s.working, area);
    if (byte >= bytes.size()) return;
    const unsigned first = bits.count == 0 ? 0 : bits.first;
    const unsigned old = bytes[byte];
    const unsigned shifted = (mask & RangeMask(bits)) << first;
    bytes[byte] = static_cast<Byte>((old & ~shifted) | ((value << first) & shifted));
}
void Write(EditingSession& s, const Control& c, unsigned value) {
    Write(s, c.area, c.byte, c.bits, value, RangeMask(c.bits));
}

unsigned ReadMask(const Choice& choice, const Control& c) {
    return choice.readMask == 0 ? RangeMask(c.bits) : choice.readMask;
}
unsigned WriteMask(const Choice& choice, const Control& c) {
    return choice.writeMask == 0 ? RangeMask(c.bits) : choice.writeMask;
}

int SelectedChoice(const EditingSession& s, const Control& c) {
    const unsigned v = Read(s, c);
    for (std::size_t i = 0; i < c.choices.size(); ++i) {
        const unsigned mask = ReadMask(c.choices[i], c);
        if ((v & mask) == (c.choices[i].value & mask)) return static_cast<int>(i);
    }
    return -1;
}

// The value a control stands for in the rules: a box 0 or 1, a group its choice, else the bits.
int ControlValue(const EditingSession& s, const Control& c) {
    switch (c.kind) {
        case Kind::Check:
            return Read(s, c) != 0 ? 1 : 0;
        case Kind::Radio:
        case Kind::List:
            return SelectedChoice(s, c);
        default:
            return static_cast<int>(Read(s, c));
    }
}

std::u16string CaptionText(const EditingSession& s, const Caption& caption) {
    if (caption.id != 0) {
        std::u16string text = editor::UiText(s, caption.id);
        if (!text.empty() || caption.text.empty()) return text;
    }
    return std::u16string(caption.text);
}

// Sets one control without the rules that follow from it.
bool SetRaw(EditingSession& s, const Control& c, int value) {
    switch (c.kind) {
        case Kind::Check:
            Write(s, c, value != 0 ? 1u : 0u);
            return true;
        case Kind::Radio:
        case Kind::List: {
            if (value < 0 || static_cast<std::size_t>(value) >= c.choices.size()) return false;
            const Choice& choice = c.choices[static_cast<std::size_t>(value)];
            Write(s, c.area, c.byte, c.bits, choice.value, WriteMask(choice, c));
            return true;
        }
        case Kind::Number:
            Write(s, c, static_cast<unsigned>(std::clamp(value, 0, c.maximum)));
            return true;
        case Kind::Character:
            if (value < 0 || value > 0xFF) return false;
            Write(s, c, static_cast<unsigned>(value));
            return true;
        case Kind::CodeId:
            return false;
    }
    return false;
}

bool InDialog(const DialogTemplate& d, int control) {
    return control >= 0 && static_cast<std::size_t>(control) < d.controls.size();
}

// The mode of the length pattern as the rules count it: 2D 0..3, 1D 0 fixed / 1 max-min.
int LengthMode(const EditingSession& s, const DialogTemplate& d) {
    return static_cast<int>(Read(s, d.controls[static_cast<std::size_t>(d.lengths.mode)]));
}

void ClearAll(EditingSession& s, std::span<const ClearBits> clears) {
    for (const ClearBits& c : clears)
        Write(s, c.area, c.byte, c.bits, 0, RangeMask(c.bits));
}

// Key names of the character grid's code-identifier table.
constexpr std::u16string_view kKeyNames[] = {
    u"Ins", u"Del", u"Home", u"End",   u"Up",   u"Down",  u"Left",
    u"BS",  u"HT",  u"LF",   u"Right", u"PgUp", u"Enter", u"PgDn",
};

std::u16string KeyName(const EditingSession& s, Byte code, int variable) {
    if (code == 0 || code == 0x1E || code == 0x1F) return {};
    if (code <= 0x0E) return std::u16string(kKeyNames[code - 1]);
    if (code <= 0x1A) return u"F" + Decimal(code - 0x0E);
    if (code == 0x1B) return u"ESC";
    if (code == 0x1C) return u"Exec";
    if (code == 0x1D) {
        if (variable >= 1 && variable <= kVariableCount) return editor::VariableName(s, variable);
        return u"Пер.";
    }
    if (code == 0x20) return u"SP";
    if (code < 0x7F) return std::u16string(1, static_cast<char16_t>(code));
    if (code == 0x7F) return u"DEL";
    return Decimal(code);
}

}  // namespace

ReaderSnapshot TakeReaderSnapshot(const EditingSession& session) {
    const Definition& w = session.working;
    return {w.readerOptions,    w.symbologyOptions, w.readerExtra,
            w.terminalSettings, w.readerOptions2,   w.variableNames};
}

void RestoreReaderSnapshot(EditingSession& session, const ReaderSnapshot& snapshot) {
    Definition& w = session.working;
    w.readerOptions = snapshot.readerOptions;
    w.symbologyOptions = snapshot.symbologyOptions;
    w.readerExtra = snapshot.readerExtra;
    w.terminalSettings = snapshot.terminalSettings;
    w.readerOptions2 = snapshot.readerOptions2;
    w.variableNames = snapshot.variableNames;
}

void OpenDialog(EditingSession& session, const DialogTemplate& dialog) {
    ClearAll(session, dialog.clearOnOpen);
}

DialogView ViewDialog(const EditingSession& session, const DialogTemplate& dialog) {
    DialogView view;
    view.title = CaptionText(session, dialog.title);
    for (const Control& c : dialog.controls) {
        ControlView cv;
        cv.kind = c.kind;
        cv.caption = CaptionText(session, c.caption);
        switch (c.kind) {
            case Kind::Check:
                cv.checked = Read(session, c) != 0;
                break;
            case Kind::Radio:
            case Kind::List:
                for (const Choice& choice : c.choices)
                    cv.choices.push_back(CaptionText(session, choice.caption));
                cv.selected = SelectedChoice(session, c);
                break;
            case Kind::Number:
                cv.number = static_cast<int>(Read(session, c));
                break;
            case Kind::Character:
                if (const unsigned v = Read(session, c); v != 0)
                    cv.text = std::u16string(1, Cp1251ToUtf16(static_cast<std::uint8_t>(v)));
                break;
            case Kind::CodeId:
                cv.text =
                    CodeIdDisplayText(session, GetCodeId(session, (c.byte - kFirstCodeIdByte) / 2));
                break;
        }
        view.controls.push_back(std::move(cv));
    }

    if (dialog.lengths.mode >= 0) {
        const int mode = LengthMode(session, dialog);
        ControlView& first = view.controls[static_cast<std::size_t>(dialog.lengths.first)];
        ControlView& second = view.controls[static_cast<std::size_t>(dialog.lengths.second)];
        int firstId = 0, secondId = 0;
        if (dialog.lengths.oneD) {
            firstId = mode == 0 ? 407 : 405;
            secondId = mode == 0 ? 408 : 406;
        } else {
            firstId = mode == 3 ? 2061 : 2063;
            secondId = mode == 3 ? 2062 : 2064;
            first.enabled = mode >= 1;
            second.enabled = mode >= 2;
        }
        first.caption = editor::UiText(session, firstId);
        second.caption = editor::UiText(session, secondId);
    }

    const bool gs1 = session.working.readerOptions2[0] != 0;
    for (const EnableRule& rule : dialog.enables) {
        if (!InDialog(dialog, rule.control)) continue;
        bool on = !(rule.offWhileGs1 && gs1);
        for (const int need : rule.needs)
            if (InDialog(dialog, need) &&
                ControlValue(session, dialog.controls[static_cast<std::size_t>(need)]) == 0)
                on = false;
        view.controls[static_cast<std::size_t>(rule.control)].enabled = on;
    }
    if (dialog.codeIdSets)
        view.codeIdButtonsEnabled = Read(session, Area::TerminalSettings, kCodeIdSwitchByte, {});
    return view;
}

unsigned ControlBits(const EditingSession& session, const Control& control) {
    return Read(session, control);
}

Outcome SetControl(EditingSession& session, const DialogTemplate& dialog, int control, int value) {
    if (!InDialog(dialog, control)) return Outcome::Refuse();
    const Control& c = dialog.controls[static_cast<std::size_t>(control)];
    if (!SetRaw(session, c, value)) return Outcome::Refuse();

    if (control == dialog.lengths.mode && !dialog.lengths.oneD) {
        const int mode = LengthMode(session, dialog);
        if (mode >= 1) SetRaw(session, dialog.controls[dialog.lengths.first], 0);
        if (mode >= 2) SetRaw(session, dialog.controls[dialog.lengths.second], 0);
    }
    for (const Exclusion& x : dialog.exclusions)
        if (x.when == control && (x.whenValue == -1 ? value != 0 : value == x.whenValue) &&
            InDialog(dialog, x.then))
            SetRaw(session, dialog.controls[static_cast<std::size_t>(x.then)], x.thenValue);
    return Outcome::Accept();
}

int TypedNumber(std::u16string_view text) {
    long long n = 0;
    for (const char16_t ch : text) {
        if (ch < u'0' || ch > u'9') return 0;
        n = std::min<long long>(n * 10 + (ch - u'0'), 1'000'000);
    }
    return static_cast<int>(n);
}

std::u16string CorrectTyped(const Control& control, std::u16string_view typed) {
    const bool number = !typed.empty() && std::ranges::all_of(typed, [](char16_t ch) {
        return ch >= u'0' && ch <= u'9';
    });
    const auto text = [](int n) { return Decimal(n); };
    const int value = number ? TypedNumber(typed) : 0;
    switch (control.typing) {
        case Typing::Length:
        case Typing::Position: {
            const int cap = control.typing == Typing::Length ? 127 : 255;
            if (!number) return u"0";
            if (value > cap) return text(cap);
            if (typed.size() >= 2 && typed[0] == u'0') return text(value);
            return std::u16string(typed);
        }
        case Typing::FirstLength1D:
            if (typed.empty()) return {};
            if (!number || value > 127) return u"127";
            return std::u16string(typed);
        case Typing::SecondLength1D:
            if (typed.empty()) return {};
            if (!number) return u"1";
            if (value > control.maximum) return text(control.maximum);
            return std::u16string(typed);
        case Typing::Plain:
            if (typed.empty()) return {};
            if (!number) return u"0";
            if (value > control.maximum) return text(control.maximum);
            return std::u16string(typed);
    }
    return std::u16string(typed);
}

void AcceptDialog(EditingSession& session, const DialogTemplate& dialog) {
    const LengthRule& rule = dialog.lengths;
    if (rule.mode >= 0) {
        const Control& modeControl = dialog.controls[static_cast<std::size_t>(rule.mode)];
        const Control& firstControl = dialog.controls[static_cast<std::size_t>(rule.first)];
        const Control& secondControl = dialog.controls[static_cast<std::size_t>(rule.second)];
        const int mode = LengthMode(session, dialog);
        int first = static_cast<int>(Read(session, firstControl));
        int second = static_cast<int>(Read(session, secondControl));
        if (rule.oneD) {
            if (first == 0) first = 1;
            second = second > first ? first : (second == 0 ? 1 : second);
        } else {
            if (mode == 0) first = 0;
            if (mode < 2) second = 0;
            if (first == 0 && second == 0) Write(session, modeControl, 0);
            if (mode == 2 && second > first) std::swap(first, second);
        }
        // A length that a file brought in beyond what the field holds is capped, not cut.
        const auto capped = [](const Control& c, int v) {
            return std::min<int>(v, static_cast<int>(RangeMask(c.bits)));
        };
        Write(session, firstControl, static_cast<unsigned>(capped(firstControl, first)));
        Write(session, secondControl, static_cast<unsigned>(capped(secondControl, second)));
    }
    ClearAll(session, dialog.clearOnOk);
}

CodeIdValue GetCodeId(const EditingSession& session, int index) {
    CodeIdValue v;
    if (index < 0 || index >= kCodeIdCount) return v;
    const auto& t = session.working.terminalSettings;
    v.chars = {t[kFirstCodeIdByte + 2 * index], t[kFirstCodeIdByte + 2 * index + 1]};
    v.nibbles = Variables(session.working).VariableNibbles()[static_cast<std::size_t>(index)];
    return v;
}

Outcome SetCodeId(EditingSession& session, int index, const CodeIdValue& value) {
    if (index < 0 || index >= kCodeIdCount) return Outcome::Refuse();
    auto& t = session.working.terminalSettings;
    t[kFirstCodeIdByte + 2 * index] = value.chars[0];
    t[kFirstCodeIdByte + 2 * index + 1] = value.chars[1];
    Variables(session.working).VariableNibbles()[static_cast<std::size_t>(index)] = value.nibbles;
    return Outcome::Accept();
}

Outcome FillCodeIds(EditingSession& session, int set) {
    if (set < 0 || set > kCodeIdSetCount) return Outcome::Refuse();
    const auto ids = CodeIdSet(set);
    for (int i = 0; i < kCodeIdCount; ++i) {
        const std::string_view id = ids[static_cast<std::size_t>(i)];
        CodeIdValue v;
        for (std::size_t k = 0; k < std::min<std::size_t>(id.size(), 2); ++k)
            v.chars[k] = static_cast<Byte>(id[k]);
        SetCodeId(session, i, v);
    }
    return Outcome::Accept();
}

std::u16string CodeIdDisplayText(const EditingSession& session, const CodeIdValue& value) {
    std::u16string text;
    for (std::size_t k = 0; k < value.chars.size() && value.chars[k] != 0; ++k) {
        const int variable = k == 0 ? value.nibbles & 0x0F : value.nibbles >> 4;
        text += u' ';
        text += KeyName(session, value.chars[k], variable);
    }
    return text;
}

namespace {

editor::GridTarget CodeIdTarget(Definition& d, int index) {
    const std::size_t at = kFirstCodeIdByte + 2 * static_cast<std::size_t>(index);
    return editor::CodeIdentifierTarget(
        std::span<Byte, 2>(d.terminalSettings.data() + at, 2),
        Variables(d).VariableNibbles()[static_cast<std::size_t>(index)]);
}

}  // namespace

editor::CharGrid OpenCodeIdGrid(const EditingSession& session, int index) {
    Definition working = session.working;
    return editor::OpenCharGrid(CodeIdTarget(working, std::clamp(index, 0, kCodeIdCount - 1)),
                                working);
}

Outcome StoreCodeIdGrid(EditingSession& session, int index, const editor::CharGrid& grid) {
    if (index < 0 || index >= kCodeIdCount || grid.kind != editor::GridKind::CodeIdentifier)
        return Outcome::Refuse();
    const Outcome confirmed = editor::ConfirmGrid(grid);
    if (!confirmed.Accepted()) return confirmed;
    editor::WriteBack(grid, CodeIdTarget(session.working, index));
    return Outcome::Accept();
}

}  // namespace fw::reader
