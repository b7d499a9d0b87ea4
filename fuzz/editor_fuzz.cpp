// Random edits of random definitions through the sheet's operations. Every operation takes
// any index on any bytes without crashing; a refused choice or an unanswered question leaves
// the working copy as it was; a dialog's Cancel gives back the exact form bytes it found; the
// working copy always normalises and commits.
//
// The character grid is opened on a line's codes or on the Wi-Fi keys, clicked anywhere, and
// written back; its string never grows past its target's limit.
// The barcode-parsing and weight-mask dialogs run on the same working copy.
//
// Input: a sequence of steps. A step's first byte picks the operation, the next two are its
// arguments (a list index, a key, an answer). Poke steps write any byte of the form table or
// the lookup table, the weight-barcode rules or the parsing links of the working copy, as a
// loaded file could hold it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editing_input.h"
#include "editor/barcodeparsing.h"
#include "editor/branchdlg.h"
#include "editor/chargrid.h"
#include "editor/commit.h"
#include "editor/fielddlg.h"
#include "editor/fieldlines.h"
#include "editor/formpage.h"
#include "editor/functionkeydlg.h"
#include "editor/lookupfielddlg.h"
#include "editor/lookuppage.h"
#include "editor/menupage.h"
#include "editor/networkdlg.h"
#include "editor/operationsdlg.h"
#include "editor/screenpreview.h"
#include "editor/securitydlg.h"
#include "editor/serialdlg.h"
#include "editor/session.h"
#include "editor/settingspage.h"
#include "editor/stampdlg.h"
#include "editor/startuppage.h"
#include "editor/variablesdlg.h"
#include "model/codepage.h"
#include "model/defaults.h"
#include "model/normalise.h"
#include "model/projectfile.h"
#include "model/workspace.h"
#include "reader/weightmasks.h"

namespace {

using namespace fw;
using namespace fw::editor;

using fuzz::Input;

// Small signed indexes reach both ends of every list and just past them.
int Index(std::uint8_t b) {
    return static_cast<int>(b % 32) - 2;
}
Answer AnswerOf(std::uint8_t b) {
    return static_cast<Answer>(b % 3);
}

using fuzz::CheckList;

void ViewEverything(const EditingSession& s) {
    const FormPageView page = ViewFormPage(s);
    for (const ListView* l : {&page.form, &page.escTarget, &page.nextTarget, &page.errorTarget,
                              &page.lookup, &page.recordAction, &page.notFoundAction})
        CheckList(*l);
    const BranchDialogView branch = ViewBranchDialog(s);
    for (const ListView& l : branch.branch)
        CheckList(l);
    for (int key = 0; key < kFnGroups; ++key) {
        const TotalsDialogView totals = ViewTotalsDialog(s, key);
        CheckList(totals.sumField);
        CheckList(totals.multiplier);
        CheckList(totals.filter.field);
        CheckList(ViewBalanceDialog(s, key).field);
    }
    const SerialDialogView serial = ViewSerialDialog(s);
    CheckList(serial.quantityField);
    CheckList(serial.store);
    for (const FieldLineView& line : ViewFieldLines(s).lines)
        for (const ListView* l : {&line.type, &line.inputSource, &line.lookupColumn})
            CheckList(*l);
    const StampDialogView stamp = ViewStampDialog(s);
    for (const ListView* l : {&stamp.position, &stamp.yearDigits, &stamp.dateStyle})
        CheckList(*l);
    const FieldDialogView field = ViewFieldDialog(s, FieldDialog{});
    for (const ListView* l :
         {&field.alignment, &field.decimalPlaces, &field.checkDigitMethod, &field.autoEnter})
        CheckList(*l);
    CheckList(ViewLookupFieldDialog(s).alignment);
    const OperationsDialogView ops = ViewOperationsDialog(s);
    CheckList(ops.saveVariable);
    CheckList(ops.fillVariable);
    const StartupPageView startup = ViewStartupPage(s);
    for (const ListView* l :
         {&startup.startTarget, &startup.placement, &startup.delimiterCount, &startup.textGroup})
        CheckList(*l);
    if (startup.rows.size() > 8) std::abort();
    for (const TextRowView& row : startup.rows)
        if (row.text.size() > 20) std::abort();
    const FormScreen texts = PreviewScreenTexts(s.working, s.startup.textGroup);
    for (int r = 0; r < kScreenRows; ++r)
        if (static_cast<int>(texts.RowText(r).size()) != kScreenColumns) std::abort();
    for (int db = 0; db < kLookupCount; ++db) {
        const LookupPageView lookup = ViewLookupPage(s, db, db == 1);
        for (const ListView* l :
             {&lookup.database, &lookup.fieldCount, &lookup.placement, &lookup.noMatch,
              &lookup.wrongFormat, &lookup.severalFound, &lookup.filterMode})
            CheckList(*l);
        for (const LookupFieldRow& row : lookup.fields)
            if (row.offsetEnabled && !row.enabled) std::abort();
    }
    // The preview stays within its 20 x 8 cells whatever the record holds.
    const FormScreen screen = PreviewFormScreen(s.working, s.currentForm);
    for (int r = 0; r < kScreenRows; ++r)
        if (static_cast<int>(screen.RowText(r).size()) != kScreenColumns ||
            screen.InputStart(r) < 0 ||
            screen.InputStart(r) + screen.InputCells(r) > kScreenColumns)
            std::abort();
    const MenuPageView menu = ViewMenuPage(s);
    CheckList(menu.menu);
    CheckList(menu.escTarget);
    for (const MenuItemView& item : menu.items) {
        CheckList(item.target);
        if (item.text.size() > kTextCellChars) std::abort();
    }
    if (menu.caption.size() > kTextCellChars) std::abort();
    // The previews stay within their 20 x 8 cells whatever the records hold.
    for (const FormScreen& screen :
         {PreviewFormScreen(s.working, s.currentForm), PreviewMenuScreen(s.working, s.currentMenu)})
        for (int r = 0; r < kScreenRows; ++r)
            if (static_cast<int>(screen.RowText(r).size()) != kScreenColumns ||
                screen.InputStart(r) < 0 ||
                screen.InputStart(r) + screen.InputCells(r) > kScreenColumns)
                std::abort();
}

// A typed text of up to 24 characters of the code page.
std::u16string Typed(std::uint8_t length, std::uint8_t first) {
    std::u16string text;
    for (int i = 0; i < length % 25; ++i)
        text += Cp1251ToUtf16(static_cast<std::uint8_t>(first + 7 * i));
    return text;
}

// One operation of the Menu page, or a byte of the menus or of the separate-files flag poked
// as a loaded file could hold it.
Outcome MenuStep(EditingSession& s, std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    const int item = Index(b) % 10;
    switch (c % 9) {
        case 0:
            s.working.menuTable[(a << 8 | b) % kMenuTableSize] = c;
            return {};
        case 1:
            Terminal(s.working).SeparateDataFiles() = a;
            return {};
        case 2:
            return SelectMenu(s, Index(a));
        case 3:
            return SelectMenuEscTarget(s, Index(a));
        case 4:
            return SelectItemTarget(s, item, Index(a));
        case 5:
            return SetMenuFlag(s, static_cast<MenuFlag>(a % 6), b & 1);
        case 6:
            return a & 1 ? EditMenuCaption(s, Typed(b, c)) : EditItemText(s, item, Typed(a, c));
        case 7:
            return a == 0 ? ResetMenus(s) : (OpenMenuPage(s), Outcome::Accept());
        default: {
            // What an edit shows is at most a cell's text or what the user typed.
            const std::u16string stored = Typed(a, c);
            const std::u16string shown = MenuTextToShow(stored, Typed(b, c));
            if (shown.size() > std::max(stored.size(), std::size_t{kTextCellChars})) std::abort();
            return {};
        }
    }
}

struct OpenDialog {
    Snapshot snapshot;
    std::vector<Byte> formTable;
    bool onlyThisForm = true;  // false once an operation may have reached beyond the record
};

// The Settings page and its dialogs. The dialogs edit their own copies, so nothing but the
// page's operations and a dialog's OK may change the working copy, and a refused edit none.
struct SettingsDialogs {
    SettingsPageState page;
    SecurityDialog security;
    FunctionKeyDialog keys;
    VariablesDialog variables;
    NetworkDialog network;
};

void SettingsStep(EditingSession& s, SettingsDialogs& d, std::uint8_t a, std::uint8_t b,
                  std::uint8_t c) {
    const Definition before = s.working;
    const std::u16string text = Typed(b, c);
    bool mayChange = false;  // the working copy
    bool changed = true;     // the operation says it took the change
    switch (a % 24) {
        case 0:
            s.working.terminalSettings[(b << 8 | c) % kTerminalSettingsSize] = c;
            s.working.networkSettings[(c << 8 | b) % kNetworkSettingsSize] = b;
            s.working.variableNames[(b * 7 + c) % kVariableNamesSize] = c;
            return;
        case 1:
            changed = SelectSetting(s, static_cast<SettingsList>(b % 13), Index(c)).Accepted();
            mayChange = true;
            break;
        case 2:
            changed = EditPhone(s, c & 1 ? PhoneOf::Upload : PhoneOf::Download, text).stored;
            mayChange = true;
            break;
        case 3:
            EditBacklightTimeout(s, text);
            mayChange = true;
            break;
        case 4:
            changed = EditPromptDuration(s, d.page, text).stored;
            mayChange = true;
            break;
        case 5:
            changed = SelectPromptWait(s, d.page, c & 1).Accepted();
            mayChange = true;
            break;
        case 6:
            ResetSettings(s, d.page);
            mayChange = true;
            break;
        case 7:
            d = {OpenSettingsPage(s), OpenSecurityDialog(s), OpenFunctionKeyDialog(s),
                 OpenVariablesDialog(s), OpenNetworkDialog(s)};
            break;
        case 8:
            SetSecurityFlag(d.security, Index(b), c & 1);
            break;
        case 9:
            EditPassword(s, d.security, text);
            break;
        case 10:
            SetFunctionKeysEnabled(d.keys, c & 1);
            SelectFunctionKey(d.keys, Index(b) % 9, Index(c));
            break;
        case 11:
            EditVariableName(d.variables, Index(b) % 12, text);
            break;
        case 12:
            if (c & 1) ResetVariableNames(d.variables);
            changed = ConfirmVariablesDialog(s, d.variables).Accepted();
            mayChange = true;
            break;
        case 13:
            SetNetworkFlag(d.network, c & 1 ? NetFlag::Use : NetFlag::Dhcp, b & 1);
            break;
        case 14:
            SetAddressPart(d.network, static_cast<NetAddress>(b % 6), Index(c) % 5, c * 3 - 100);
            break;
        case 15:
            EditServerPort(d.network, text);
            EditSsid(d.network, Typed(c, b));
            break;
        case 16:
            EditEapText(d.network, b & 1 ? EapText::Login : EapText::Password, text);
            break;
        case 17:
            SelectEncryption(d.network, Index(b));
            SelectWepSetting(d.network, static_cast<WepList>(c % 3), Index(b));
            break;
        case 18: {
            std::vector<Byte> key(b % 80, c);
            StoreWepKey(d.network, Index(b) % 6, key);
            StoreWpaKey(d.network, key);
            // The same through the grid, key 4 being the pass phrase and 5 none.
            CharGrid grid = OpenKeyGrid(s, d.network, c % 6);
            for (int i = 0; i < b % 70; ++i)
                ClickCell(grid, 1 + (c + i) % 16, 1 + (b + i) % 16);
            StoreKeyGrid(d.network, c % 6, grid);
            break;
        }
        case 19:
            ConfirmSecurityDialog(s, d.security);
            mayChange = true;
            break;
        case 20:
            ConfirmFunctionKeyDialog(s, d.keys);
            mayChange = true;
            break;
        case 21:
            ConfirmNetworkDialog(s, d.network);
            mayChange = true;
            break;
        default: {
            // The sheet's OK takes the page's bytes and leaves the other pages' alone.
            Workspace ws;
            ws.definition = s.working;
            ws.definition.terminalSettings[1] ^= 0xFF;
            CommitSheet(s, ws);
            if (ws.definition.terminalSettings[1] !=
                static_cast<Byte>(s.working.terminalSettings[1] ^ 0xFF))
                std::abort();
            return;
        }
    }
    if ((!mayChange || !changed) && (s.working.terminalSettings != before.terminalSettings ||
                                     s.working.variableNames != before.variableNames ||
                                     s.working.networkSettings != before.networkSettings))
        std::abort();
    const Definition after = s.working;
    const SettingsPageView page = ViewSettingsPage(s);
    for (const ListView& l : page.lists)
        CheckList(l);
    for (const ListView& l : ViewFunctionKeyDialog(s, d.keys).keys)
        CheckList(l);
    const NetworkDialogView net = ViewNetworkDialog(s, d.network);
    for (const ListView* l :
         {&net.encryption, &net.wepAuthentication, &net.wepKeyLength, &net.activeWepKey})
        CheckList(*l);
    ViewSecurityDialog(d.security);
    ViewVariablesDialog(d.variables);
    // A view never writes.
    if (s.working.terminalSettings != after.terminalSettings ||
        s.working.networkSettings != after.networkSettings)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Workspace* const fresh = &fuzz::NewWorkspace();
    EditingSession s = OpenSession(fresh->definition, fresh->language);
    std::vector<OpenDialog> dialogs;
    FieldDialog fieldDialog = OpenFieldDialog(s);
    SettingsDialogs settings{OpenSettingsPage(s), OpenSecurityDialog(s), OpenFunctionKeyDialog(s),
                             OpenVariablesDialog(s), OpenNetworkDialog(s)};
    CharGrid grid = OpenLineCodeGrid(s, LineCode::Prefix);
    std::size_t gridLimit = static_cast<std::size_t>(grid.maximum);
    BarcodeParsingDialog parsing = OpenBarcodeParsingDialog(s);
    reader::WeightMaskDialog masks = reader::OpenWeightMaskDialog(s.working);
    Input in{data, size};

    while (!in.Empty()) {
        const std::uint8_t op = in.Next();
        const std::uint8_t a = in.Next();
        const std::uint8_t b = in.Next();
        const std::uint8_t c = in.Next();
        const int key = Index(a) % 6;
        const int line = Index(a) % 10;
        const Definition before = s.working;
        bool recordOnly = true;
        Outcome o;
        // The Lookup page's database and field, each reaching just past its ends.
        const int database = Index(c) % 4;
        const int field = Index(a) % 9;
        switch (op % 64) {
            case 0:
                s.working.formTable[(a << 8 | b) % kFormTableSize] = c;
                recordOnly = false;
                break;
            case 1:
                s.working.lookupTable[(a << 8 | b) % kLookupTableSize] = c;
                recordOnly = false;
                break;
            case 2:
                o = SelectForm(s, Index(a));
                recordOnly = false;
                break;
            case 3:
                o = SelectEscTarget(s, Index(a));
                break;
            case 4:
                o = SelectNextTarget(s, Index(a));
                break;
            case 5:
                o = SelectErrorTarget(s, Index(a));
                break;
            case 6:
                o = SelectRecordAction(s, Index(a));
                break;
            case 7:
                o = SelectNotFoundAction(s, Index(a));
                break;
            case 8:
                o = SelectFormLookup(s, Index(a) % 6, AnswerOf(b));
                break;
            case 9:
                o = SelectBranch(s, key, Index(b), AnswerOf(c));
                break;
            case 10:
                o = SelectTotalSumField(s, key, Index(b));
                break;
            case 11:
                o = SelectTotalMultiplier(s, key, Index(b));
                break;
            case 12:
                o = SelectFilterField(s, c & 1 ? FilterOf::Totals : FilterOf::Balance, key,
                                      Index(b));
                break;
            case 13:
                o = SelectFilterVariable(s, c & 1 ? FilterOf::Totals : FilterOf::Balance, key,
                                         Index(b));
                break;
            case 14:
                o = SelectFilterComparison(s, c & 1 ? FilterOf::Totals : FilterOf::Balance, key,
                                           Index(b));
                break;
            case 15:
                o = SelectSerialPartVariable(s, Index(a));
                break;
            case 16:
                o = SelectSerialQuantityField(s, Index(a));
                break;
            case 17:
                o = SelectSerialStore(s, Index(a));
                break;
            case 18:
            case 19:
                dialogs.push_back(
                    {TakeSnapshot(s), {s.working.formTable.begin(), s.working.formTable.end()}});
                continue;
            case 20:
                if (!dialogs.empty()) {
                    const OpenDialog d = dialogs.back();
                    dialogs.pop_back();
                    RestoreSnapshot(s, d.snapshot);
                    if (d.onlyThisForm && !std::equal(d.formTable.begin(), d.formTable.end(),
                                                      s.working.formTable.begin()))
                        std::abort();
                }
                continue;
            case 21:
                if (!dialogs.empty()) dialogs.pop_back();  // OK
                continue;
            case 22:
                ConfirmSerialDialog(s);
                recordOnly = false;
                break;
            case 23: {
                Workspace ws;
                ws.definition = s.working;
                CommitSheet(s, ws);
                if (!ws.definitionModified) std::abort();
                // Delimiters beyond the chosen count are stored as none.
                if ((s.startup.delimiterCount < 1 &&
                     Terminal(ws.definition).DelimiterCode1() != 0) ||
                    (s.startup.delimiterCount < 2 && Terminal(ws.definition).DelimiterCode2() != 0))
                    if (!ws.definitionModified || ws.definition.menuTable != s.working.menuTable)
                        std::abort();
                continue;
            }
            case 24:
                s.working.fieldLinks[(a << 8 | b) % kFieldLinksSize] = c;
                recordOnly = false;
                break;
            case 25:
                s.working.barcodeRules[(a << 8 | b) % kBarcodeRulesSize] = c;
                recordOnly = false;
                break;
            case 26:
                if (c & 1) {
                    ApplyBarcodeRules(s);
                    break;
                }
                s.currentLine = line;  // the dialogs take any line
                continue;
            case 27:
                o = SelectLineType(s, line, Index(b));
                recordOnly = false;  // may release a weight rule
                break;
            case 28:
                o = c & 1 ? SelectInputSource(s, line, Index(b))
                          : SelectLookupColumn(s, line, Index(b));
                break;
            case 29:
                o = c % 3 == 0   ? EditPrompt(s, line, Typed(b, c))
                    : c % 3 == 1 ? EditMinLength(s, line, Typed(b, c))
                                 : EditMaxLength(s, line, Typed(b, c));
                break;
            case 30:
                o = c % 3 == 0   ? SelectStampPosition(s, Index(a))
                    : c % 3 == 1 ? SelectYearDigits(s, Index(a))
                                 : SelectDateStyle(s, Index(a));
                break;
            case 31:
                o = SetStampFlag(s, static_cast<StampFlag>(a % 9), b & 1);
                break;
            case 32:
                o = c & 1 ? EditDateSeparator(s, Typed(a, b)) : EditTimeSeparator(s, Typed(a, b));
                break;
            case 33:
                fieldDialog = OpenFieldDialog(s);
                continue;
            case 34:
                o = SetFieldFlag(s, fieldDialog, static_cast<FieldFlag>(a % 11), b & 1);
                break;
            case 35: {
                const std::u16string text = Typed(a, b);
                switch (c % 6) {
                    case 0:
                        o = EditFixedLength(s, text);
                        break;
                    case 1:
                        o = EditPartialStart(s, text);
                        break;
                    case 2:
                        o = EditPartialLength(s, text);
                        break;
                    case 3:
                        o = EditInitialValue(s, text);
                        break;
                    case 4:
                        o = EditInputMark(s, text);
                        break;
                    default:
                        o = EditLeadingCode(s, text);
                }
                break;
            }
            case 36:
                o = c % 4 == 0   ? SelectAlignment(s, Index(a))
                    : c % 4 == 1 ? SelectDecimalPlaces(s, Index(a))
                    : c % 4 == 2 ? SelectCheckDigit(s, Index(a))
                                 : SelectAutoEnter(s, Index(a));
                break;
            case 37: {
                std::array<Byte, 10> code{};
                std::array<Byte, 5> nibbles{};
                code.fill(b);
                nibbles.fill(c);
                const LineCode which = a & 1 ? LineCode::Prefix : LineCode::Suffix;
                o = a & 2 ? StoreLineCode(s, which, code, nibbles)
                          : StoreLookupLineCode(s, which, code, nibbles);
                break;
            }
            case 38:
                ConfirmFieldDialog(s, fieldDialog);
                break;
            case 39:
                // Another dialog may have moved to another form since this one opened.
                CancelFieldDialog(s, fieldDialog);
                recordOnly = false;
                break;
            case 40:
                o = c % 3 == 0   ? SetLookupFieldFlag(s, static_cast<LookupFieldFlag>(a % 4), b & 1)
                    : c % 3 == 1 ? EditLookupFixedLength(s, Typed(a, b))
                                 : SelectLookupAlignment(s, Index(a));
                break;
            case 41:
                ConfirmLookupFieldDialog(s);
                break;
            case 42:
                o = SetOperation(s, a & 1 ? Operation::SaveToVariable : Operation::FillFromVariable,
                                 b & 1);
                break;
            case 43:
                o = SelectOperationVariable(
                    s, a & 1 ? Operation::SaveToVariable : Operation::FillFromVariable, Index(b));
                break;
            case 44:
                s.working.terminalSettings[(a << 8 | b) % kTerminalSettingsSize] = c;
                recordOnly = false;
                break;
            case 45:
                s.working.screenTexts[(a << 8 | b) % kScreenTextsSize] = c;
                recordOnly = false;
                break;
            case 46:
                o = c % 4 == 0   ? SelectStartTarget(s, Index(a))
                    : c % 4 == 1 ? SelectPlacement(s, Index(a))
                    : c % 4 == 2 ? SelectDelimiterCount(s, Index(a) % 5)
                                 : SelectTextGroup(s, Index(a));
                break;
            case 47:
                o = c & 1 ? EditDelimiterCode(s, Index(a) % 3, Typed(b, c))
                          : EditDelimiterCharacter(s, Index(a) % 3, Typed(b, c));
                if (o.Accepted() &&
                    (Terminal(s.working).DelimiterCode1() == 13 ||
                     Terminal(s.working).DelimiterCode2() == 13) &&
                    Terminal(before).DelimiterCode1() != 13 &&
                    Terminal(before).DelimiterCode2() != 13)
                    std::abort();
                break;
            case 48:
                o = EditTextRow(s, Index(a) % 10, Typed(b, c));
                break;
            case 49:
                o = ResetStartupPage(s);
                break;
            case 50: {
                // Another project's texts: a new definition's file with a few bytes of the
                // input over it, cut anywhere.
                static const std::string file = SerialiseProject(fresh->definition, true);
                std::string bytes = file.substr(0, (a << 8 | b) * 81 % (file.size() + 1));
                if (!bytes.empty()) bytes[c % bytes.size()] = static_cast<char>(a ^ b);
                static const std::filesystem::path path =
                    std::filesystem::temp_directory_path() / "fw-editor-fuzz-import.FWW";
                Workspace ws;
                ws.definition = s.working;
                {
                    std::FILE* f = std::fopen(path.string().c_str(), "wb");
                    if (f == nullptr) continue;
                    std::fwrite(bytes.data(), 1, bytes.size(), f);
                    std::fclose(f);
                }
                o = ImportStartupTexts(s, ws, path);
                std::error_code ignored;
                std::filesystem::remove(path, ignored);
                recordOnly = false;
                break;
            }
            case 51:
                SettingsStep(s, settings, a, b, c);
                continue;
            case 52:
                switch (b % 5) {
                    case 0:
                        o = EditDelimiter(s, database, Typed(a, b));
                        break;
                    case 1:
                        o = ChooseDelimiter(s, database, Typed(a, c));
                        break;
                    case 2:
                        o = EditMemberLength(s, database, Typed(a, b));
                        break;
                    case 3:
                        o = EditFieldOffset(s, database, field, Typed(b, a));
                        break;
                    default:
                        o = EditFieldLength(s, database, field, Typed(b, a));
                        break;
                }
                break;
            case 53:
                switch (b % 7) {
                    case 0:
                        o = SelectKeyField(s, database, field);
                        break;
                    case 1:
                        o = ToggleDateTimeField(s, database, field);
                        break;
                    case 2:
                        o = SetDatabaseFieldFlag(s, database, field,
                                                 static_cast<DatabaseFieldFlag>(b / 7 % 2), a & 1);
                        break;
                    case 3:
                        o = SetDatabaseFlag(s, database, static_cast<DatabaseFlag>(b / 7 % 2),
                                            a & 1);
                        break;
                    case 4:
                        o = SetReadOnce(s, database, a & 1);
                        break;
                    default:
                        o = ChooseFixedLength(s, database);
                        break;
                }
                recordOnly = false;
                break;
            case 54: {
                Outcome (*const lists[])(EditingSession&, int, int) = {
                    SelectNoMatchAction, SelectWrongFormatAction, SelectPlacement,
                    SelectSeveralFound, SelectFilterMode};
                if (b % 6 == 5)
                    o = SelectFieldCount(s, database, Index(a) % 12, AnswerOf(b / 6));
                else
                    o = lists[b % 6](s, database, Index(a));
                recordOnly = false;
                break;
            }
            case 55:
                ResetLookups(s);
                recordOnly = false;
                break;
            case 56:
                o = MenuStep(s, a, b, c);
                break;
            case 57: {
                NetworkSettingsRecord net = Network(s.working);
                switch (a % 4) {
                    case 0:
                    case 1:
                        grid = OpenLineCodeGrid(s, a % 4 ? LineCode::Suffix : LineCode::Prefix);
                        break;
                    case 2:
                        net.WpaKey()[b % 64] = c;
                        grid = OpenCharGrid(PassPhraseTarget(net), s.working);
                        break;
                    default:
                        net.WepKeyLength() = c;
                        grid = OpenCharGrid(WepKeyTarget(net, Index(b)), s.working);
                        break;
                }
                gridLimit = std::max(grid.raw.size(), static_cast<std::size_t>(grid.maximum));
                break;
            }
            case 58:
                switch (c % 5) {
                    case 0:
                        if (ClickCell(grid, Index(a), Index(b)) == CellClick::ChooseVariable)
                            o = AppendVariable(grid, Index(c));
                        break;
                    case 1:
                        MoveSelection(grid, Index(a), Index(b));
                        break;
                    case 2:
                        ClearGrid(grid);
                        break;
                    case 3:
                        o = grid.kind == GridKind::LineCode
                                ? StoreGridLineCode(s, a & 1 ? LineCode::Prefix : LineCode::Suffix,
                                                    grid)
                                : Outcome::Refuse();
                        break;
                    default:
                        if (grid.kind == GridKind::Hexadecimal && ConfirmGrid(grid).Accepted())
                            WriteBack(grid, PassPhraseTarget(Network(s.working)));
                        break;
                }
                if (grid.raw.size() > gridLimit) std::abort();
                break;
            case 59:
                if (c & 1)
                    CancelBarcodeParsingDialog(s, parsing);
                else
                    parsing = OpenBarcodeParsingDialog(s);
                s.working.readerOptions2[0] = (c >> 1) & 1;  // GS1 transfer, as the page sets it
                recordOnly = false;
                break;
            case 60:
                o = c % 3 == 0   ? SetWeightRule(s, b & 1)
                    : c % 3 == 1 ? SelectWeightTarget(s, Index(a))
                                 : SelectWeightSourceKeep(s, Index(a));
                recordOnly = false;  // the rules live outside the form record
                break;
            case 61:
                // Item indexes reach past the 234 items.
                o = c % 3 == 0   ? SelectGs1Item(parsing, static_cast<int>(a) - 10)
                    : c % 3 == 1 ? SelectGs1Target(s, parsing, Index(b))
                                 : AddGs1Rule(s, parsing);
                recordOnly = false;
                break;
            case 62: {
                const int rows[] = {Index(a), Index(b)};
                o = c & 1 ? RemoveAllGs1Rules(s)
                          : RemoveGs1Rules(s, std::span(rows, static_cast<std::size_t>(c % 3)));
                recordOnly = false;
                break;
            }
            case 63: {
                // The mask dialog keeps its list apart; only OK and Cancel write the block.
                const int selected[] = {Index(b), Index(c)};
                switch (a % 6) {
                    case 0:
                        masks = reader::OpenWeightMaskDialog(s.working);
                        continue;
                    case 1:
                        reader::AddWeightMask(masks, Typed(b, c), AnswerOf(c));
                        continue;
                    case 2:
                        reader::RemoveWeightMasks(masks, selected);
                        continue;
                    case 3:
                        reader::RemoveAllWeightMasks(masks);
                        continue;
                    case 4:
                        reader::ConfirmWeightMaskDialog(s.working, masks);
                        if (static_cast<std::size_t>(Rules(s.working).WeightMaskCount()) !=
                            std::min<std::size_t>(masks.masks.size(), reader::kMaxWeightMasks))
                            std::abort();
                        break;
                    default:
                        reader::CancelWeightMaskDialog(s.working, masks);
                        if (s.working.barcodeRules != masks.saved) std::abort();
                }
                recordOnly = false;
                break;
            }
        }
        if (!recordOnly)
            for (OpenDialog& d : dialogs)
                d.onlyThisForm = false;
        if (!o.Accepted() && (s.working.formTable != before.formTable ||
                              s.working.lookupTable != before.lookupTable ||
                              s.working.barcodeRules != before.barcodeRules ||
                              s.working.fieldLinks != before.fieldLinks ||
                              s.working.terminalSettings != before.terminalSettings ||
                              s.working.screenTexts != before.screenTexts))
            if (!o.Accepted() && (s.working.formTable != before.formTable ||
                                  s.working.lookupTable != before.lookupTable ||
                                  s.working.barcodeRules != before.barcodeRules ||
                                  s.working.fieldLinks != before.fieldLinks ||
                                  s.working.menuTable != before.menuTable ||
                                  s.working.terminalSettings != before.terminalSettings))
                std::abort();
        ViewEverything(s);
        const BarcodeParsingView view = ViewBarcodeParsing(s, parsing);
        for (const ListView* l :
             {&view.weightTarget, &view.keepInSource, &view.gs1Item, &view.gs1Target})
            CheckList(*l);
        Definition normalised = s.working;
        NormaliseDefinition(normalised);
    }
    return 0;
}
