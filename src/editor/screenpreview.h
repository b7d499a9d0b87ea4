// The terminal's 20-column screen for one form, as the terminal shows it while the form is
// collected: each line's prompt, then the input area of the line's length, continued over the
// extension lines that follow it. Used by the Form page's preview and meant for the simulator.
#pragma once

#include <array>
#include <string>

#include "model/definition.h"

namespace fw::editor {

inline constexpr int kScreenColumns = 20;
inline constexpr int kScreenRows = 8;

enum class CellKind : unsigned char { Blank, Prompt, Input };

struct ScreenCell {
    char16_t ch = u' ';
    CellKind kind = CellKind::Blank;
    friend bool operator==(const ScreenCell&, const ScreenCell&) = default;
};

struct FormScreen {
    std::array<std::array<ScreenCell, kScreenColumns>, kScreenRows> rows{};
    // The date-and-time stamp the record gets, e.g. "DD/MM/YY HH:MM", and where: 0 none,
    // 1 top of the record, 2 bottom (the stored code; anything else counts as none).
    std::u16string stamp;
    int stampPosition = 0;

    // The 20 characters of a row, input cells included as shown.
    std::u16string RowText(int row) const;
    // Where the input area of a row starts and how many cells it has (0 when none).
    int InputStart(int row) const;
    int InputCells(int row) const;
};

// Reads only the given form of the definition; any byte values are accepted. A form number
// outside 0..9 gives a blank screen.
FormScreen PreviewFormScreen(const Definition& definition, int form);
// One group of the terminal's own texts as the Startup page lists them (0..25), a line per
// row, each cut to the screen's width. An entry outside the list gives a blank screen.
FormScreen PreviewScreenTexts(const Definition& definition, int group);

// The first screen of menu 0..9: the caption on the top line when the menu shows one, then the
// items in their places, a blank item as a blank line. With a caption the eighth item is
// below the first screen. Any byte values are accepted; a menu outside 0..9 gives a blank
// screen.
FormScreen PreviewMenuScreen(const Definition& definition, int menu);

}  // namespace fw::editor
