// The Startup page: where the program starts, where collected data is kept, the field
// delimiters of uploaded records, and the texts of the terminal's own screens, group by group,
// with the import of another project's texts and "Reset". Each control is one operation; what
// the page shows is ViewStartupPage.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "editor/outcome.h"
#include "editor/session.h"
#include "model/workspace.h"

namespace fw::editor {

// The delimiter code the terminal ends a record with, so never a field delimiter.
inline constexpr int kRefusedDelimiter = 13;
inline constexpr int kResetDelimiter = 44;  // ","

struct DelimiterView {
    std::u16string code;       // decimal
    std::u16string character;  // the code's character, empty for 0
    bool enabled = false;
};

struct TextRowView {
    std::u16string builtIn;  // the built-in text of the line, as the label shows it
    std::u16string text;     // the line's own text, at most 20 characters
};

struct StartupPageView {
    ListView startTarget;     // "Program start from :"
    ListView placement;       // "В памяти ТСД", "На SD карте"
    ListView delimiterCount;  // "Number of Delimiter :": "nil", " 1 ", " 2 "
    std::array<DelimiterView, 2> delimiters;
    ListView textGroup;             // "Redefine Prompts and Messages :", names with "(3x20)"
    std::vector<TextRowView> rows;  // the chosen group's, at most eight
};
StartupPageView ViewStartupPage(const EditingSession& session);

Outcome SelectStartTarget(EditingSession& session, int index);
Outcome SelectPlacement(EditingSession& session, int index);
Outcome SelectDelimiterCount(EditingSession& session, int index);
// The code edit of delimiter 0 or 1: any text; a number above 255 is 255, anything else that
// is not a number 0. The code 13 is refused with "Invalid value!".
Outcome EditDelimiterCode(EditingSession& session, int which, std::u16string_view text);
// The character edit beside it: its first character in the code page; empty stores 0.
Outcome EditDelimiterCharacter(EditingSession& session, int which, std::u16string_view text);
Outcome SelectTextGroup(EditingSession& session, int index);
// Row 0..7 of the chosen group: the first 20 characters, in the code page.
Outcome EditTextRow(EditingSession& session, int row, std::u16string_view text);
// The texts of another project file, read as "Import Prompts and Messages ..." reads them.
// On success the first group is shown; on failure nothing changes and the outcome says why.
Outcome ImportStartupTexts(EditingSession& session, Workspace& ws,
                           const std::filesystem::path& file);
// "Reset": form 1, one delimiter ",", data in the terminal's memory, the built-in texts.
Outcome ResetStartupPage(EditingSession& session);

// The sheet's OK: program start, placement, the delimiters as many as are chosen (the others
// 0), and the texts of the page go to the definition.
void CommitStartupPage(const EditingSession& session, Definition& d);

}  // namespace fw::editor
