#include "editor/menupage.h"

#include <algorithm>
#include <string>

#include "model/codepage.h"

namespace fw::editor {
namespace {

MenuRecord CurrentMenu(EditingSession& session) {
    return Menu(session.working, session.currentMenu);
}
ConstMenuRecord CurrentMenu(const EditingSession& session) {
    return Menu(session.working, session.currentMenu);
}

bool ValidItem(int item) {
    return item >= 0 && item < kMenuPageItems;
}

Outcome StoreTarget(Byte& field, int index) {
    if (index < 0 || index >= static_cast<int>(codes::kTargets.entries.size()))
        return Outcome::Refuse();
    field = codes::kTargets.entries[static_cast<std::size_t>(index)].code;
    return Outcome::Accept();
}

bool SeparateFiles(const EditingSession& session) {
    return Terminal(session.working).SeparateDataFiles() != 0;
}

// Writes a flag only when its meaning changes, so that a loaded byte other than 0 and 1 stays
// as it was for as long as it still means "set".
void SetBoolean(Byte& field, bool on) {
    if ((field != 0) != on) field = on ? 1 : 0;
}

bool Saves(const EditingSession& session) {
    const ConstMenuRecord m = CurrentMenu(session);
    return m.SaveCaption() != 0 || m.SaveSelectedItem() != 0;
}

// Whether the rule, not the user, decides "Pass down" of the shown menu: with separate data
// files, or with neither the caption nor the item saved.
bool PassDownDecided(const EditingSession& session) {
    return SeparateFiles(session) || !Saves(session);
}

// Separate data files pass down whatever the menu saves; otherwise "Pass down" stays the user's
// choice while the menu saves something, and without anything saved there is nothing to pass.
void ApplyPassDownRule(EditingSession& session) {
    if (PassDownDecided(session)) SetBoolean(CurrentMenu(session).PassDown(), Saves(session));
}

// The text of a cell as far as the page shows it: a loaded cell may lack its terminator, and a
// cell holds 20 characters.
std::u16string CellShown(std::span<const Byte, kTextCellSize> cell) {
    return CellToUtf16(cell).substr(0, kTextCellChars);
}

std::u16string_view TrimRight(std::u16string_view text) {
    const std::size_t end = text.find_last_not_of(u' ');
    return end == std::u16string_view::npos ? std::u16string_view{} : text.substr(0, end + 1);
}

std::u16string Number(int n) {
    std::u16string text;
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

// Clears what the page edits of a menu; the bytes it does not know keep their values.
void ClearMenu(MenuRecord m) {
    m.HasCaption() = 0;
    std::ranges::fill(m.Caption(), Byte{0});
    for (int item = 0; item < kMenuItems; ++item) {
        std::ranges::fill(m.ItemText(item), Byte{0});
        m.ItemTarget(item) = 0;
    }
    m.MenuEscTarget() = 0;
    m.SaveCaption() = 0;
    m.SaveSelectedItem() = 0;
    m.PassDown() = 0;
    m.ItemCount() = 0;
}

}  // namespace

MenuPageView ViewMenuPage(const EditingSession& session) {
    const ConstMenuRecord m = CurrentMenu(session);
    MenuPageView view;
    for (int n = 1; n <= kMenuCount; ++n)
        view.menu.entries.push_back({UiText(session, codes::kMenuWordId) + Number(n), n - 1});
    view.menu.selected = session.currentMenu;
    view.escTarget = CodedListView(session, codes::kTargets, m.MenuEscTarget());
    view.hasCaption = m.HasCaption() != 0;
    view.caption = CellShown(m.Caption());
    view.captionEnabled = view.hasCaption;
    for (int item = 0; item < kMenuPageItems; ++item) {
        MenuItemView& v = view.items[static_cast<std::size_t>(item)];
        v.text = CellShown(m.ItemText(item));
        v.target = CodedListView(session, codes::kTargets, m.ItemTarget(item));
    }
    view.saveCaption = m.SaveCaption() != 0;
    view.saveSelectedItem = m.SaveSelectedItem() != 0;
    view.passDown = m.PassDown() != 0;
    view.passDownEnabled = !PassDownDecided(session);
    view.separateDataFiles = SeparateFiles(session);
    return view;
}

std::u16string MenuTextToShow(std::u16string_view stored, std::u16string_view shown) {
    if (shown.size() > kTextCellChars) return std::u16string(stored);  // cut: written back
    if (TrimRight(shown) == TrimRight(stored)) return std::u16string(shown);
    if (stored.size() == kTextCellChars) return std::u16string(TrimRight(stored));
    return std::u16string(stored);
}

void OpenMenuPage(EditingSession& session) {
    session.currentMenu = 0;
    ApplyPassDownRule(session);
}

Outcome SelectMenu(EditingSession& session, int index) {
    if (index < 0 || index >= kMenuCount) return Outcome::Refuse();
    session.currentMenu = index;
    ApplyPassDownRule(session);
    return Outcome::Accept();
}

Outcome SelectMenuEscTarget(EditingSession& session, int index) {
    return StoreTarget(CurrentMenu(session).MenuEscTarget(), index);
}

Outcome SelectItemTarget(EditingSession& session, int item, int index) {
    if (!ValidItem(item)) return Outcome::Refuse();
    return StoreTarget(CurrentMenu(session).ItemTarget(item), index);
}

Outcome EditMenuCaption(EditingSession& session, std::u16string_view text) {
    MenuRecord m = CurrentMenu(session);
    if (m.HasCaption() == 0) return Outcome::Refuse();
    StoreCellText(m.Caption(), text.substr(0, kTextCellChars));
    return Outcome::Accept();
}

Outcome EditItemText(EditingSession& session, int item, std::u16string_view text) {
    if (!ValidItem(item)) return Outcome::Refuse();
    StoreCellText(CurrentMenu(session).ItemText(item), text.substr(0, kTextCellChars));
    return Outcome::Accept();
}

Outcome SetMenuFlag(EditingSession& session, MenuFlag flag, bool on) {
    MenuRecord m = CurrentMenu(session);
    switch (flag) {
        case MenuFlag::Caption:
            SetBoolean(m.HasCaption(), on);
            return Outcome::Accept();
        case MenuFlag::SaveCaption:
            SetBoolean(m.SaveCaption(), on);
            break;
        case MenuFlag::SaveSelectedItem:
            SetBoolean(m.SaveSelectedItem(), on);
            break;
        case MenuFlag::PassDown:
            if (PassDownDecided(session)) return Outcome::Refuse();
            SetBoolean(m.PassDown(), on);
            return Outcome::Accept();
        case MenuFlag::SeparateDataFiles:
            SetBoolean(Terminal(session.working).SeparateDataFiles(), on);
            break;
        default:
            return Outcome::Refuse();
    }
    ApplyPassDownRule(session);
    return Outcome::Accept();
}

Outcome ResetMenus(EditingSession& session) {
    for (int n = 0; n < kMenuCount; ++n)
        ClearMenu(Menu(session.working, n));
    Terminal(session.working).SeparateDataFiles() = 0;
    session.currentMenu = 0;
    return Outcome::Accept();
}

void CommitMenus(const EditingSession& session, Definition& definition) {
    definition.menuTable = session.working.menuTable;
    Terminal(definition).SeparateDataFiles() = Terminal(session.working).SeparateDataFiles();
}

}  // namespace fw::editor
