// Random edits of random definitions through the sheet's operations. Every operation takes
// any index on any bytes without crashing; a refused choice or an unanswered question leaves
// the working copy as it was; a dialog's Cancel gives back the exact form bytes it found; the
// working copy always normalises and commits.
//
// The barcode-parsing and weight-mask dialogs run on the same working copy.
//
// Input: a sequence of steps. A step's first byte picks the operation, the next two are its
// arguments (a list index, a key, an answer). Poke steps write any byte of the form table or
// the lookup table, the weight-barcode rules or the parsing links of the working copy, as a
// loaded file could hold it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "editor/barcodeparsing.h"
#include "editor/branchdlg.h"
#include "editor/commit.h"
#include "editor/fielddlg.h"
#include "editor/fieldlines.h"
#include "editor/formpage.h"
#include "editor/lookupfielddlg.h"
#include "editor/operationsdlg.h"
#include "editor/screenpreview.h"
#include "editor/serialdlg.h"
#include "editor/session.h"
#include "editor/stampdlg.h"
#include "model/codepage.h"
#include "model/defaults.h"
#include "model/normalise.h"
#include "model/workspace.h"
#include "reader/weightmasks.h"

namespace {

using namespace fw;
using namespace fw::editor;

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    bool Empty() const { return at >= size; }
    std::uint8_t Next() { return at < size ? data[at++] : 0; }
};

// Small signed indexes reach both ends of every list and just past them.
int Index(std::uint8_t b) {
    return static_cast<int>(b % 32) - 2;
}
Answer AnswerOf(std::uint8_t b) {
    return static_cast<Answer>(b % 3);
}

void CheckList(const ListView& list) {
    if (list.selected < -1 || list.selected >= static_cast<int>(list.entries.size())) std::abort();
}

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
    // The preview stays within its 20 x 8 cells whatever the record holds.
    const FormScreen screen = PreviewFormScreen(s.working, s.currentForm);
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

struct OpenDialog {
    Snapshot snapshot;
    std::vector<Byte> formTable;
    bool onlyThisForm = true;  // false once an operation may have reached beyond the record
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::unique_ptr<Workspace> fresh = [] {
        auto ws = std::make_unique<Workspace>();
        LoadDefaultTexts(ws->definition, ws->language);
        ResetReaderSettings(ws->definition);
        NewDefinition(ws->definition);
        return ws;
    }();
    EditingSession s = OpenSession(fresh->definition, fresh->language);
    std::vector<OpenDialog> dialogs;
    FieldDialog fieldDialog = OpenFieldDialog(s);
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
        switch (op % 49) {
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
                if (c & 1)
                    CancelBarcodeParsingDialog(s, parsing);
                else
                    parsing = OpenBarcodeParsingDialog(s);
                s.working.readerOptions2[0] = (c >> 1) & 1;  // GS1 transfer, as the page sets it
                recordOnly = false;
                break;
            case 45:
                o = c % 3 == 0   ? SetWeightRule(s, b & 1)
                    : c % 3 == 1 ? SelectWeightTarget(s, Index(a))
                                 : SelectWeightSourceKeep(s, Index(a));
                recordOnly = false;  // the rules live outside the form record
                break;
            case 46:
                // Item indexes reach past the 234 items.
                o = c % 3 == 0   ? SelectGs1Item(parsing, static_cast<int>(a) - 10)
                    : c % 3 == 1 ? SelectGs1Target(s, parsing, Index(b))
                                 : AddGs1Rule(s, parsing);
                recordOnly = false;
                break;
            case 47: {
                const int rows[] = {Index(a), Index(b)};
                o = c & 1 ? RemoveAllGs1Rules(s)
                          : RemoveGs1Rules(s, std::span(rows, static_cast<std::size_t>(c % 3)));
                recordOnly = false;
                break;
            }
            case 48: {
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
                              s.working.fieldLinks != before.fieldLinks))
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
