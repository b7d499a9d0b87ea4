// Random reader blocks, as a project file may hold them, edited through the symbology
// parameter dialogs. Every dialog shows any bits without crashing; a refused control changes
// nothing; a dialog's OK changes only the bytes its table names; Cancel gives back every byte.
//
// Input: the reader bytes (ReaderOptions, SymbologyOptions, ReaderExtra, then the code
// identifier bytes and ReaderOptions2's formats), then steps of three bytes: the dialog, the
// control and its value. A dialog byte with its high bit set closes the open dialog: OK when
// bit 6 is set, else Cancel.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "editing_input.h"
#include "editor/session.h"
#include "model/defaults.h"
#include "model/workspace.h"
#include "reader/symbologydlg.h"

namespace {

using namespace fw;
using namespace fw::reader;

using fuzz::Input;

template <class Block>
void Fill(Input& in, Block& block, std::size_t from, std::size_t count) {
    for (std::size_t i = from; i < from + count && i < block.size(); ++i)
        block[i] = in.Next();
}

bool SameBytes(const ReaderSnapshot& a, const ReaderSnapshot& b) {
    return a.readerOptions == b.readerOptions && a.symbologyOptions == b.symbologyOptions &&
           a.readerExtra == b.readerExtra && a.terminalSettings == b.terminalSettings &&
           a.readerOptions2 == b.readerOptions2 && a.variableNames == b.variableNames;
}

std::span<const Byte> Bytes(const ReaderSnapshot& s, Area area) {
    switch (area) {
        case Area::ReaderOptions:
            return s.readerOptions;
        case Area::SymbologyOptions:
            return s.symbologyOptions;
        case Area::ReaderExtra:
            return s.readerExtra;
        case Area::TerminalSettings:
            return s.terminalSettings;
        case Area::ReaderOptions2:
            return s.readerOptions2;
    }
    return {};
}

// Whether the dialog names that byte in a control or a clearing rule.
bool Owns(const DialogTemplate& d, Area area, std::size_t byte) {
    for (const Control& c : d.controls)
        if (c.area == area && (c.byte == byte || (c.kind == Kind::CodeId && c.byte + 1u == byte)))
            return true;
    for (const ClearBits& c : d.clearOnOpen)
        if (c.area == area && c.byte == byte) return true;
    for (const ClearBits& c : d.clearOnOk)
        if (c.area == area && c.byte == byte) return true;
    return false;
}

void CheckOnlyOwned(const DialogTemplate& d, const ReaderSnapshot& was, const ReaderSnapshot& now) {
    for (const Area area : {Area::ReaderOptions, Area::SymbologyOptions, Area::ReaderExtra,
                            Area::TerminalSettings, Area::ReaderOptions2}) {
        const auto a = Bytes(was, area), b = Bytes(now, area);
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i] != b[i] && !Owns(d, area, i)) std::abort();
    }
    // Only the code identifiers have companion bytes among the variable names.
    if (!d.codeIdSets && was.variableNames != now.variableNames) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Workspace& base = fuzz::NewWorkspace();
    Input in{data, size};
    editor::EditingSession s = editor::OpenSession(base.definition, base.language);
    Fill(in, s.working.readerOptions, 0, kReaderOptionsSize);
    Fill(in, s.working.symbologyOptions, 0, kSymbologyOptionsSize);
    Fill(in, s.working.readerExtra, 0, kReaderExtraSize);
    Fill(in, s.working.terminalSettings, kCodeIdSwitchByte, 31);
    Fill(in, s.working.readerOptions2, 0, 6);

    const auto templates = Templates();
    const DialogTemplate* open = nullptr;
    ReaderSnapshot snapshot{};
    while (!in.Empty()) {
        const std::uint8_t which = in.Next();
        const std::uint8_t control = in.Next();
        const std::uint8_t value = in.Next();
        if (which & 0x80) {
            if (open == nullptr) continue;
            if (which & 0x40) {
                AcceptDialog(s, *open);
                CheckOnlyOwned(*open, snapshot, TakeReaderSnapshot(s));
            } else {
                RestoreReaderSnapshot(s, snapshot);
                if (!SameBytes(snapshot, TakeReaderSnapshot(s))) std::abort();
            }
            open = nullptr;
            continue;
        }
        if (open == nullptr) {
            open = &templates[which % templates.size()];
            snapshot = TakeReaderSnapshot(s);
            OpenDialog(s, *open);
        }
        const ReaderSnapshot before = TakeReaderSnapshot(s);
        const int index = static_cast<int>(control % (open->controls.size() + 2)) - 1;
        const int v = static_cast<int>(value) - 8;
        if (open->codeIdSets && control >= 0xF0) {
            FillCodeIds(s, v % 8);
        } else if (open->codeIdSets && control >= 0xE0) {
            SetCodeId(s, v, {{value, control}, static_cast<Byte>(value ^ control)});
        } else if (SetControl(s, *open, index, v).Refused() &&
                   !SameBytes(before, TakeReaderSnapshot(s))) {
            std::abort();
        }
        const DialogView view = ViewDialog(s, *open);
        if (view.controls.size() != open->controls.size()) std::abort();
        for (const ControlView& c : view.controls)
            if (c.selected < -1 || c.selected >= static_cast<int>(c.choices.size())) std::abort();
        if (index >= 0 && static_cast<std::size_t>(index) < open->controls.size()) {
            const Control& c = open->controls[static_cast<std::size_t>(index)];
            const std::u16string typed(1, static_cast<char16_t>(value));
            (void)TypedNumber(CorrectTyped(c, typed + typed));
        }
    }
    return 0;
}
