// The terminal texts as the Startup page lists them: 26 groups named 1581..1606, each of up to
// eight rows. A group is one screen-text group (list entry i is group i + 2) with three
// differences, which is why the list's sizes add up to 131 while groups 2..27 hold 129 lines:
// the main menu shows its three items without the blank fourth line, the upload-port menu its
// five first lines without the later "5. SD card", and the program-settings menu shows its
// items without the title, with the buzzer (a utility line of TerminalSettings) as the seventh;
// the last group continues with the other four utility lines. So every row is a real cell of
// ScreenTexts or of TerminalSettings, and the three lines not listed keep their bytes.
#pragma once

#include <span>

#include "model/codes.h"
#include "model/definition.h"

namespace fw {

inline constexpr int kTextGroupCount = 26;
inline constexpr int kTextGroupRows = 8;

struct TextRow {
    bool utility = false;  // a utility line of TerminalSettings, else a screen-text line
    int group = 0;         // screen-text group 2..27 (for a screen-text line)
    int line = 0;          // line of that group, or the utility line 0..4
};

// Rows of list entry i (0..25); 0 outside the list.
constexpr int TextGroupRowCount(int index) {
    return index >= 0 && index < kTextGroupCount ? codes::kScreenTextGroupListLines[index] : 0;
}

// The cell behind row r of list entry i; callers keep r below TextGroupRowCount(i).
constexpr TextRow TextGroupRow(int index, int row) {
    constexpr int kProgramSettings = 6;  // list entry of group 8
    constexpr int kLastEntry = kTextGroupCount - 1;
    const int group = index + 2;
    if (index == kProgramSettings) {
        if (row < 6) return {false, group, row + 1};
        if (row == 6) return {true, 0, 1};  // "7.Buzzer"
        return {false, group, row};
    }
    if (index == kLastEntry && row >= kScreenTextGroups[group - 1].lines) {
        constexpr int kContinued[] = {0, 2, 3,
                                      4};  // calculator, key click, barcode read, warning beep
        return {true, 0, kContinued[row - kScreenTextGroups[group - 1].lines]};
    }
    return {false, group, row};
}

// Every row names a cell that exists, and no cell is listed twice.
consteval bool TextGroupRowsAreCells() {
    bool screenSeen[kScreenLineCount] = {};
    bool utilitySeen[kUtilityLineCount] = {};
    int rows = 0;
    for (int i = 0; i < kTextGroupCount; ++i) {
        if (TextGroupRowCount(i) > kTextGroupRows) return false;
        for (int r = 0; r < TextGroupRowCount(i); ++r, ++rows) {
            const TextRow row = TextGroupRow(i, r);
            bool* seen = nullptr;
            if (row.utility) {
                if (row.line < 0 || row.line >= kUtilityLineCount) return false;
                seen = &utilitySeen[row.line];
            } else {
                if (row.group < 2 || row.group > kScreenTextGroupCount || row.line < 0 ||
                    row.line >= kScreenTextGroups[row.group - 1].lines)
                    return false;
                seen = &screenSeen[ScreenTextGroupFirstLine(row.group) + row.line];
            }
            if (*seen) return false;
            *seen = true;
        }
    }
    return rows == 131;
}
static_assert(TextGroupRowsAreCells());

std::span<Byte, kTextCellSize> TextRowCell(Definition& d, const TextRow& row);
std::span<const Byte, kTextCellSize> TextRowCell(const Definition& d, const TextRow& row);
// The built-in text of the row in the definition's default tables.
const std::u16string& TextRowDefault(const Definition& d, const TextRow& row);

}  // namespace fw
