// The Menu page: the ten user menus, one shown at a time, each with an optional caption, eight
// items that lead to the main menu, a form or another menu, and three flags that say what the
// terminal keeps of the choice. The definition-wide "separate data files" flag lives here too.
// Each control is one operation; what the page shows is computed from the working bytes.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "editor/outcome.h"
#include "editor/session.h"

namespace fw::editor {

// The page edits the first eight items; the last two of the record are carried unchanged.
inline constexpr int kMenuPageItems = 8;

// Captions of the page, by string id.
inline constexpr int kMenuNameCaptionId = 1716;    // "Name :"
inline constexpr int kMenuEscCaptionId = 1717;     // "Esc :"
inline constexpr int kMenuNextCaptionId = 1718;    // "Next :"
inline constexpr int kMenuCaptionBoxId = 1719;     // "Menu caption :"
inline constexpr int kSaveCaptionId = 1720;        // "Save caption"
inline constexpr int kSaveSelectedItemId = 1721;   // "Save selected item"
inline constexpr int kPassDownId = 1722;           // "Pass down"
inline constexpr int kSeparateDataFilesId = 1723;  // "Save the collected data for each ..."
inline constexpr int kMenuResetId = 1724;          // "Reset"
inline constexpr int kMenuItemWordId = 1725;       // "Item"
inline constexpr int kMenuPageTitleId = 1642;      // "Menu"

enum class MenuFlag {
    Caption,           // "Menu caption :": the menu shows its caption line
    SaveCaption,       // "Save caption"
    SaveSelectedItem,  // "Save selected item"
    PassDown,          // "Pass down"
    SeparateDataFiles  // for the whole definition, not one menu
};

struct MenuItemView {
    std::u16string text;
    ListView target;  // "Next :"
};

struct MenuPageView {
    ListView menu;       // "Name :"
    ListView escTarget;  // "Esc :"
    bool hasCaption = false;
    std::u16string caption;
    bool captionEnabled = false;
    std::array<MenuItemView, kMenuPageItems> items;
    bool saveCaption = false;
    bool saveSelectedItem = false;
    bool passDown = false;
    bool passDownEnabled = false;
    bool separateDataFiles = false;
};
MenuPageView ViewMenuPage(const EditingSession& session);

// What a caption or item edit is to show, given the stored text and what the edit shows now.
// A saved text is padded with blanks to the full 20 characters; shown with the padding, all
// typed at its end would be cut off, so a full-width text is shown without its trailing
// blanks. An edit that differs from the stored text only by trailing blanks keeps what the
// user typed; an edit of more than 20 characters shows the stored text, cut.
std::u16string MenuTextToShow(std::u16string_view stored, std::u16string_view shown);

// The page shows itself for the first time: menu 1, with the pass-down rule applied to it.
void OpenMenuPage(EditingSession& session);
// Shows another menu (0..9) and brings its "Pass down" in line with the rule.
Outcome SelectMenu(EditingSession& session, int index);
Outcome SelectMenuEscTarget(EditingSession& session, int index);
Outcome SelectItemTarget(EditingSession& session, int item, int index);
// Caption and item texts: more than 20 characters are cut to 20; the page shows the stored
// text back. The caption takes text only while the menu shows a caption.
Outcome EditMenuCaption(EditingSession& session, std::u16string_view text);
Outcome EditItemText(EditingSession& session, int item, std::u16string_view text);
// A check box. "Pass down" is refused while the rule decides it.
Outcome SetMenuFlag(EditingSession& session, MenuFlag flag, bool on);
// "Reset": all ten menus cleared, separate data files off, menu 1 shown.
Outcome ResetMenus(EditingSession& session);

// The sheet's OK: the working menus and the separate-files flag become the definition's.
void CommitMenus(const EditingSession& session, Definition& definition);

}  // namespace fw::editor
