#include "editor/screenpreview.h"

#include <algorithm>

#include "editor/stampdlg.h"
#include "model/codepage.h"
#include "model/textgroups.h"

namespace fw::editor {
namespace {

// Lines whose input can continue over extension lines: the ones the user types or scans into.
bool TakesInput(Byte type) {
    return (type >= kLineText && type <= kLineBoolean) || type == kLineAlphameric ||
           type == kLineWeight || type == kLineSerial;
}

// Every line but nil and extension shows its prompt.
bool ShowsPrompt(Byte type) {
    return type != kLineNil && type != kLineExtension && type <= kLineSerial;
}

// An input line is followed by at most this many extension lines; later ones stay blank.
constexpr int kMaxExtensionLines = 4;
constexpr int kMaxInputLength = 80;

void FillInput(std::array<ScreenCell, kScreenColumns>& row, int start, int cells, char16_t mark) {
    for (int c = start; c < start + cells; ++c) {
        row[static_cast<std::size_t>(c)] = ScreenCell{mark, CellKind::Input};
    }
}

// A text cell on a screen row, 20 characters at most even when the cell lacks its terminator.
void PutCell(std::array<ScreenCell, kScreenColumns>& row, std::span<const Byte, kTextCellSize> cell,
             CellKind kind) {
    const std::u16string text = CellToUtf16(cell).substr(0, kScreenColumns);
    for (std::size_t c = 0; c < text.size(); ++c)
        row[c] = ScreenCell{text[c], kind};
}

}  // namespace

std::u16string FormScreen::RowText(int row) const {
    std::u16string text;
    if (row < 0 || row >= kScreenRows) return text;
    for (const ScreenCell& cell : rows[static_cast<std::size_t>(row)])
        text += cell.ch;
    return text;
}

int FormScreen::InputStart(int row) const {
    if (row < 0 || row >= kScreenRows) return 0;
    const auto& r = rows[static_cast<std::size_t>(row)];
    const auto it = std::find_if(r.begin(), r.end(),
                                 [](const ScreenCell& c) { return c.kind == CellKind::Input; });
    return static_cast<int>(it - r.begin());
}

int FormScreen::InputCells(int row) const {
    if (row < 0 || row >= kScreenRows) return 0;
    const auto& r = rows[static_cast<std::size_t>(row)];
    return static_cast<int>(std::count_if(
        r.begin(), r.end(), [](const ScreenCell& c) { return c.kind == CellKind::Input; }));
}

FormScreen PreviewFormScreen(const Definition& definition, int form) {
    FormScreen screen;
    if (form < 0 || form >= kFormCount) return screen;
    const ConstFormRecord f = Form(definition, form);

    for (int line = 0; line < kScreenRows; ++line) {
        const Byte type = f.LineType(line);
        if (!ShowsPrompt(type)) continue;
        auto& row = screen.rows[static_cast<std::size_t>(line)];
        // A damaged cell may lack its terminator; the screen shows 20 characters at most.
        const std::u16string prompt = CellToUtf16(f.LinePrompt(line)).substr(0, kScreenColumns);
        for (std::size_t c = 0; c < prompt.size(); ++c)
            row[c] = ScreenCell{prompt[c], CellKind::Prompt};
        if (!TakesInput(type)) continue;

        // The input follows the prompt on its line and goes on over the extension lines below,
        // a whole line each; without one it ends at the edge of the screen.
        const Byte markByte = f.InputMark(line);
        const char16_t mark = markByte == 0 ? u' ' : Cp1251ToUtf16(markByte);
        int left = std::min<int>(f.MaxLength(line), kMaxInputLength);
        const int first = std::min(left, kScreenColumns - static_cast<int>(prompt.size()));
        FillInput(row, static_cast<int>(prompt.size()), first, mark);
        left -= first;
        for (int ext = line + 1; ext < kScreenRows && ext <= line + kMaxExtensionLines &&
                                 f.LineType(ext) == kLineExtension;
             ++ext) {
            const int cells = std::min(left, kScreenColumns);
            FillInput(screen.rows[static_cast<std::size_t>(ext)], 0, cells, mark);
            left -= cells;
        }
    }

    const Byte position = f.DateTimePosition();
    if (position == 1 || position == 2) {
        screen.stampPosition = position;
        const std::u16string date = StampDatePattern(f);
        const std::u16string time = StampTimePattern(f);
        screen.stamp = date;
        if (!date.empty() && !time.empty()) screen.stamp += u' ';
        screen.stamp += time;
    }
    return screen;
}

FormScreen PreviewScreenTexts(const Definition& definition, int group) {
    FormScreen screen;
    const int rows = std::min(TextGroupRowCount(group), kScreenRows);
    for (int r = 0; r < rows; ++r) {
        const std::u16string text =
            CellToUtf16(TextRowCell(definition, TextGroupRow(group, r))).substr(0, kScreenColumns);
        auto& row = screen.rows[static_cast<std::size_t>(r)];
        for (std::size_t c = 0; c < text.size(); ++c)
            row[c] = ScreenCell{text[c], CellKind::Prompt};
    }
    return screen;
}

FormScreen PreviewMenuScreen(const Definition& definition, int menu) {
    FormScreen screen;
    if (menu < 0 || menu >= kMenuCount) return screen;
    const ConstMenuRecord m = Menu(definition, menu);
    std::size_t row = 0;
    if (m.HasCaption() != 0) PutCell(screen.rows[row++], m.Caption(), CellKind::Prompt);
    for (int item = 0; item < kMenuItems && row < screen.rows.size(); ++item, ++row)
        PutCell(screen.rows[row], m.ItemText(item), CellKind::Prompt);
    return screen;
}

}  // namespace fw::editor
