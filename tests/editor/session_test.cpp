#include "editor/session.h"

#include <functional>

#include "editor/branchdlg.h"
#include "editor/formpage.h"
#include "editor/serialdlg.h"
#include "editor_support.h"

namespace fw::editor::test {
namespace {

using SessionTest = EditorTest;

TEST_F(SessionTest, EditsStayInTheWorkingCopy) {
    const Definition before = ws->definition;
    DefineDatabase(1, {4, 4});
    SelectFormLookup(s, 1);
    SelectEscTarget(s, 3);
    SelectBranch(s, 0, 11);
    SelectTotalMultiplier(s, 0, 5);
    Variables(s.working).Name(1)[0] = 'X';
    EXPECT_EQ(ws->definition.formTable, before.formTable);
    EXPECT_EQ(ws->definition.lookupTable, before.lookupTable);
    EXPECT_EQ(ws->definition.variableNames, before.variableNames);
    EXPECT_FALSE(ws->definitionModified);
}

TEST_F(SessionTest, CancelOfADialogRestoresTheWholeRecord) {
    DefineDatabase(1, {4, 4, 4});
    F().FormLookup() = 1;
    ASSERT_TRUE(SelectForm(s, 7).Accepted());
    F().FormLookup() = 1;
    const std::vector<std::pair<const char*, std::function<void()>>> dialogs = {
        {"branch", [&] { SelectBranch(s, 3, 13); }},
        {"totals", [&] { SelectTotalSumField(s, 1, 2), SelectTotalMultiplier(s, 1, 6); }},
        {"balance",
         [&] {
             SelectFilterField(s, FilterOf::Balance, 0, 1);
             SelectFilterComparison(s, FilterOf::Balance, 0, 2);
         }},
        {"serial numbers", [&] { SelectSerialStore(s, 2), SelectSerialQuantityField(s, 2); }},
    };
    for (const auto& [name, edit] : dialogs) {
        SCOPED_TRACE(name);
        const auto before = Record();
        const Snapshot snap = TakeSnapshot(s);
        edit();
        ASSERT_NE(Record(), before) << "the dialog's edits did nothing";
        RestoreSnapshot(s, snap);
        EXPECT_EQ(Record(), before);
    }
}

TEST_F(SessionTest, OuterCancelUndoesAConfirmedInnerDialog) {
    DefineDatabase(2, {4, 4, 4, 4, 4});
    F().FormLookup() = 2;
    const auto original = Record();

    const Snapshot branch = TakeSnapshot(s);
    ASSERT_TRUE(SelectBranch(s, 1, 11).Accepted());
    const auto afterBranch = Record();

    const Snapshot totals = TakeSnapshot(s);
    ASSERT_TRUE(SelectTotalMultiplier(s, 1, 6).Accepted());
    RestoreSnapshot(s, totals);  // inner Cancel
    EXPECT_EQ(Record(), afterBranch) << "inner Cancel keeps the outer dialog's edits";

    const Snapshot again = TakeSnapshot(s);
    ASSERT_TRUE(SelectTotalMultiplier(s, 1, 6).Accepted());
    (void)again;  // inner OK keeps its edits
    EXPECT_EQ(F().TotalMultiplier(1), 9);

    RestoreSnapshot(s, branch);  // outer Cancel
    EXPECT_EQ(Record(), original);
}

// A loaded file may hold any byte; the pages show what they can and change nothing by looking.
TEST_F(SessionTest, OutOfRangeBytesViewWithoutChange) {
    F().FnBranch(0) = 200;
    F().FnBranch(1) = 14;
    F().EscTarget() = 99;
    F().ErrorTarget() = 255;
    F().FormLookup() = 40;
    F().RecordAction() = 77;
    F().NotFoundAction() = 9;
    F().SerialStore() = 8;
    F().SerialPartVariable() = 0;
    F().TotalMultiplier(0) = 200;
    F().TotalFilterField(0) = 30;
    F().BalanceCompare(0) = 7;
    F().LineType(0) = kLineSerial;
    Lookup(s.working, 1).FieldCount() = 250;
    const Definition before = s.working;

    const FormPageView page = ViewFormPage(s);
    EXPECT_EQ(page.escTarget.selected, -1);
    EXPECT_EQ(page.errorTarget.selected, -1);
    EXPECT_EQ(page.lookup.selected, -1);
    EXPECT_EQ(page.recordAction.selected, -1);
    EXPECT_EQ(page.notFoundAction.selected, -1);
    EXPECT_FALSE(page.serialPropertiesEnabled) << "database 40 does not exist";
    const BranchDialogView branch = ViewBranchDialog(s);
    EXPECT_EQ(branch.branch[0].selected, 0) << "a branch above 13 reads as disable";
    EXPECT_EQ(branch.branch[1].selected, 0);
    const TotalsDialogView totals = ViewTotalsDialog(s, 0);
    EXPECT_EQ(totals.multiplier.selected, -1);
    EXPECT_EQ(totals.filter.field.selected, -1);
    const SerialDialogView serial = ViewSerialDialog(s);
    EXPECT_EQ(serial.store.selected, -1);
    EXPECT_EQ(serial.partVariable.selected, -1);
    F().FormLookup() = 1;
    EXPECT_EQ(ViewSerialDialog(s).quantityField.entries.size(), 8u) << "at most eight fields";
    EXPECT_EQ(ViewTotalsDialog(s, 0).sumField.entries.size(), 8u);
    F().FormLookup() = 40;

    EXPECT_EQ(s.working.formTable, before.formTable);
    EXPECT_EQ(s.working.lookupTable, before.lookupTable);

    // Until the user chooses, and then only the byte chosen.
    ASSERT_TRUE(SelectBranch(s, 0, 2).Accepted());
    EXPECT_EQ(F().FnBranch(0), 2);
    EXPECT_EQ(F().FnBranch(1), 14);

    // The branch dialog stores what it shows; its Cancel gives the file's byte back.
    const Snapshot opened = OpenBranchDialog(s);
    EXPECT_EQ(F().FnBranch(1), 0);
    EXPECT_EQ(F().FnBranch(0), 2);
    RestoreSnapshot(s, opened);
    EXPECT_EQ(F().FnBranch(1), 14);
}

}  // namespace
}  // namespace fw::editor::test
