// Random edits of random definitions through the sheet's operations. Every operation takes
// any index on any bytes without crashing; a refused choice or an unanswered question leaves
// the working copy as it was; a dialog's Cancel gives back the exact form bytes it found; the
// working copy always normalises and commits.
//
// Input: a sequence of steps. A step's first byte picks the operation, the next two are its
// arguments (a list index, a key, an answer). Poke steps write any byte of the form table or
// the lookup table of the working copy, as a loaded file could hold it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "editor/branchdlg.h"
#include "editor/commit.h"
#include "editor/formpage.h"
#include "editor/serialdlg.h"
#include "editor/session.h"
#include "model/defaults.h"
#include "model/normalise.h"
#include "model/workspace.h"

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
    Input in{data, size};

    while (!in.Empty()) {
        const std::uint8_t op = in.Next();
        const std::uint8_t a = in.Next();
        const std::uint8_t b = in.Next();
        const std::uint8_t c = in.Next();
        const int key = Index(a) % 6;
        const Definition before = s.working;
        bool recordOnly = true;
        Outcome o;
        switch (op % 24) {
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
        }
        if (!recordOnly)
            for (OpenDialog& d : dialogs)
                d.onlyThisForm = false;
        if (!o.Accepted() && (s.working.formTable != before.formTable ||
                              s.working.lookupTable != before.lookupTable))
            std::abort();
        ViewEverything(s);
        Definition normalised = s.working;
        NormaliseDefinition(normalised);
    }
    return 0;
}
