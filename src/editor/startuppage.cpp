#include "editor/startuppage.h"

#include <algorithm>
#include <memory>

#include "model/codepage.h"
#include "model/defaults.h"
#include "model/definition.h"
#include "model/projectfile.h"
#include "model/strings.h"
#include "model/textgroups.h"

namespace fw::editor {
namespace {

constexpr int kNilId = 1211;
constexpr int kInvalidValueId = 1148;  // "Invalid value!"
constexpr int kFirstGroupNameId = 1581;
constexpr int kCannotOpenFileId = 1769;  // "Не удалось открыть файл:"

// An import reads the screen texts and, right after them, the blocks up to TerminalSettings:
// a file that ends earlier is not a project file.
constexpr std::size_t kImportedFileEnd = kFormatTagSize + kReservedWordSize + kReaderOptionsSize +
                                         kMenuTableSize + kFormTableSize + kLookupTableSize +
                                         kScreenTextsSize + kSymbologyOptionsSize +
                                         kReaderExtraSize + kTerminalSettingsSize;

std::u16string Decimal(int value) {
    std::u16string text;
    for (char c : std::to_string(value))
        text += static_cast<char16_t>(c);
    return text;
}

// A delimiter edit's number: digits only, at most 255; anything else 0.
int DelimiterValue(std::u16string_view text) {
    if (text.empty()) return 0;
    int value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return 0;
        value = std::min(value * 10 + (c - u'0'), 256);
    }
    return std::min(value, 255);
}

// The working bytes always hold what the commit will store, so every page and the preview
// see the delimiters as they will be.
void StoreDelimiters(EditingSession& s) {
    TerminalSettingsRecord t = Terminal(s.working);
    const StartupState& st = s.startup;
    t.DelimiterCode1() = static_cast<Byte>(st.delimiterCount >= 1 ? st.delimiterCodes[0] : 0);
    t.DelimiterCode2() = static_cast<Byte>(st.delimiterCount >= 2 ? st.delimiterCodes[1] : 0);
}

Outcome RefuseDelimiter(const EditingSession& s) {
    Outcome o = Outcome::Refuse(UiText(s, kInvalidValueId));
    o.caption = UiText(s, kCaptionWarning);
    return o;
}

Outcome StoreDelimiter(EditingSession& s, int which, int code) {
    if (which < 0 || which > 1 || which >= s.startup.delimiterCount) return Outcome::Refuse();
    if (code == kRefusedDelimiter) return RefuseDelimiter(s);
    s.startup.delimiterCodes[static_cast<std::size_t>(which)] = code;
    StoreDelimiters(s);
    return Outcome::Accept();
}

void StoreText(std::span<Byte, kTextCellSize> cell, std::u16string_view text) {
    std::ranges::fill(cell, Byte{0});
    StoreCellText(cell, text.substr(0, kTextCellSize - 1));
}

// What a cell shows: its text up to the zero byte, never more than the screen's 20 columns.
std::u16string RowText(std::span<const Byte, kTextCellSize> cell) {
    std::u16string text = CellToUtf16(cell);
    if (text.size() > kTextCellSize - 1) text.resize(kTextCellSize - 1);
    return text;
}

constexpr int kProgramSettingsEntry = 6;  // list entry of group 8

// Where row r of list entry i sits in what ImportScreenTexts fills: the page's shape, with the
// program-settings group already in list order and the four continued utility lines apart.
std::span<Byte, kTextCellSize> ImportedCell(ImportedTexts& t, int index, int row) {
    const TextRow cell = TextGroupRow(index, row);
    if (cell.utility && index != kProgramSettingsEntry)
        return t.utilityLines[static_cast<std::size_t>(cell.line == 0 ? 0 : cell.line - 1)];
    const int group = index + 2;
    const int line = index == kProgramSettingsEntry ? row : cell.line;
    return std::span<Byte, kTextCellSize>(
        t.screenTexts.data() + kTextCellSize * (ScreenTextGroupFirstLine(group) + line),
        kTextCellSize);
}

}  // namespace

StartupPageView ViewStartupPage(const EditingSession& s) {
    const ConstTerminalSettingsRecord t = Terminal(s.working);
    StartupPageView v;
    v.startTarget = CodedListView(s, codes::kStartTargets, t.StartTarget());
    v.placement = CodedListView(s, codes::kPlacements, t.DataPlacement());
    v.delimiterCount.entries = {{UiText(s, kNilId), 0}, {u" 1 ", 1}, {u" 2 ", 2}};
    v.delimiterCount.selected = std::clamp(s.startup.delimiterCount, 0, 2);
    for (int i = 0; i < 2; ++i) {
        DelimiterView& d = v.delimiters[static_cast<std::size_t>(i)];
        const int code = s.startup.delimiterCodes[static_cast<std::size_t>(i)];
        d.code = Decimal(code);
        if (code != 0) d.character = std::u16string(1, Cp1251ToUtf16(static_cast<Byte>(code)));
        d.enabled = s.startup.delimiterCount > i;
    }
    for (int i = 0; i < kTextGroupCount; ++i)
        v.textGroup.entries.push_back(
            {UiText(s, kFirstGroupNameId + i) + u"(" + Decimal(TextGroupRowCount(i)) + u"x20)", i});
    const int group = s.startup.textGroup;
    v.textGroup.selected = group >= 0 && group < kTextGroupCount ? group : -1;
    for (int r = 0; r < TextGroupRowCount(group); ++r) {
        const TextRow row = TextGroupRow(group, r);
        v.rows.push_back({TextRowDefault(s.working, row), RowText(TextRowCell(s.working, row))});
    }
    return v;
}

Outcome SelectStartTarget(EditingSession& s, int index) {
    if (index < 0 || index >= static_cast<int>(codes::kStartTargets.entries.size()))
        return Outcome::Refuse();
    Terminal(s.working).StartTarget() = codes::kStartTargets.entries[index].code;
    return Outcome::Accept();
}

Outcome SelectPlacement(EditingSession& s, int index) {
    if (index < 0 || index >= static_cast<int>(codes::kPlacements.entries.size()))
        return Outcome::Refuse();
    Terminal(s.working).DataPlacement() = codes::kPlacements.entries[index].code;
    return Outcome::Accept();
}

Outcome SelectDelimiterCount(EditingSession& s, int index) {
    if (index < 0 || index > 2) return Outcome::Refuse();
    s.startup.delimiterCount = index;
    StoreDelimiters(s);
    return Outcome::Accept();
}

Outcome EditDelimiterCode(EditingSession& s, int which, std::u16string_view text) {
    return StoreDelimiter(s, which, DelimiterValue(text));
}

Outcome EditDelimiterCharacter(EditingSession& s, int which, std::u16string_view text) {
    return StoreDelimiter(s, which, text.empty() ? 0 : Utf16ToCp1251(text.front()));
}

Outcome SelectTextGroup(EditingSession& s, int index) {
    if (index < 0 || index >= kTextGroupCount) return Outcome::Refuse();
    s.startup.textGroup = index;
    return Outcome::Accept();
}

Outcome EditTextRow(EditingSession& s, int row, std::u16string_view text) {
    if (row < 0 || row >= TextGroupRowCount(s.startup.textGroup)) return Outcome::Refuse();
    StoreText(TextRowCell(s.working, TextGroupRow(s.startup.textGroup, row)), text);
    return Outcome::Accept();
}

Outcome ImportStartupTexts(EditingSession& s, Workspace& ws, const std::filesystem::path& file) {
    const ProjectFileBytes read = ReadProjectFileBytes(file);
    if (read.problem != ProjectFileProblem::None) {
        Outcome o = Outcome::Refuse(UiText(s, kCannotOpenFileId) + u"\r\n" + file.u16string());
        o.caption = UiText(s, kCaptionError);
        return o;
    }
    const std::string_view model(kModel);
    if (read.bytes.size() < kImportedFileEnd || !read.bytes.starts_with(model)) {
        Outcome o = Outcome::Refuse(UiText(s, kFormatMismatchId));
        o.caption = UiText(s, kCaptionError);
        return o;
    }

    // The import fills the page's texts in the page's shape; start from what the page holds
    // so that whatever the file does not replace stays.
    auto imported = std::make_unique<ImportedTexts>();
    imported->screenTexts = s.working.screenTexts;
    for (int i : {kProgramSettingsEntry, kTextGroupCount - 1})
        for (int r = 0; r < TextGroupRowCount(i); ++r)
            std::ranges::copy(TextRowCell(s.working, TextGroupRow(i, r)),
                              ImportedCell(*imported, i, r).begin());

    // The import reads the file named as the current project; the project keeps its own name,
    // so that the next Save does not write over the file the texts came from.
    const std::filesystem::path project = ws.currentProjectPath;
    ws.currentProjectPath = file;
    const int ok = ImportScreenTexts(ws, *imported);
    ws.currentProjectPath = project;
    if (ok == 0) return Outcome::Refuse();  // the file changed under us; the import said why

    // Lines the page does not list come over as they are, except the settings menu's title,
    // which the import does not read.
    for (int g = 2; g <= kScreenTextGroupCount; ++g) {
        if (g == kProgramSettingsEntry + 2) continue;
        const std::size_t first = kTextCellSize * ScreenTextGroupFirstLine(g);
        const std::size_t size = kTextCellSize * kScreenTextGroups[g - 1].lines;
        std::copy_n(imported->screenTexts.begin() + first, size,
                    s.working.screenTexts.begin() + first);
    }
    for (int i = 0; i < kTextGroupCount; ++i)
        for (int r = 0; r < TextGroupRowCount(i); ++r)
            std::ranges::copy(ImportedCell(*imported, i, r),
                              TextRowCell(s.working, TextGroupRow(i, r)).begin());
    s.startup.textGroup = 0;
    return Outcome::Accept();
}

Outcome ResetStartupPage(EditingSession& s) {
    TerminalSettingsRecord t = Terminal(s.working);
    t.StartTarget() = codes::CodeOf(codes::kStartTargets, "form 1");
    t.DataPlacement() = codes::CodeOf(codes::kPlacements, "terminal memory");
    s.startup.delimiterCount = 1;
    s.startup.delimiterCodes[0] = kResetDelimiter;
    StoreDelimiters(s);
    s.startup.textGroup = 0;
    for (int g = 2; g <= kScreenTextGroupCount; ++g)
        for (int line = 0; line < kScreenTextGroups[g - 1].lines; ++line)
            StoreText(ScreenTextLine(s.working, g, line),
                      TextRowDefault(s.working, {false, g, line}));
    for (int u = 0; u < kUtilityLineCount; ++u)
        StoreText(t.UtilityLine(u), TextRowDefault(s.working, {true, 0, u}));
    return Outcome::Accept();
}

void CommitStartupPage(const EditingSession& s, Definition& d) {
    const ConstTerminalSettingsRecord w = Terminal(s.working);
    TerminalSettingsRecord t = Terminal(d);
    t.StartTarget() = w.StartTarget();
    t.DataPlacement() = w.DataPlacement();
    const StartupState& st = s.startup;
    t.DelimiterCode1() = static_cast<Byte>(st.delimiterCount >= 1 ? st.delimiterCodes[0] : 0);
    t.DelimiterCode2() = static_cast<Byte>(st.delimiterCount >= 2 ? st.delimiterCodes[1] : 0);
    d.screenTexts = s.working.screenTexts;
    for (int u = 0; u < kUtilityLineCount; ++u)
        std::ranges::copy(w.UtilityLine(u), t.UtilityLine(u).begin());
}

}  // namespace fw::editor
