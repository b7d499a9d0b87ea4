#include "editor/branchdlg.h"

#include "editor/formpage.h"
#include "editor_support.h"

namespace fw::editor::test {
namespace {

using BranchTest = EditorTest;

TEST_F(BranchTest, PropertiesNeedADatabaseAndATotalsOrBalanceBranch) {
    for (int k = 0; k < kFnGroups; ++k)
        ASSERT_TRUE(SelectBranch(s, k, k == 0 ? 11 : k == 1 ? 13 : k == 2 ? 3 : 0).Accepted());
    EXPECT_EQ(F().FnBranch(0), 11);
    EXPECT_EQ(F().FnBranch(2), 3);
    EXPECT_EQ(ViewBranchDialog(s).propertiesEnabled,
              (std::array<bool, 4>{false, false, false, false}));
    DefineDatabase(1, {4});
    F().FormLookup() = 1;
    EXPECT_EQ(ViewBranchDialog(s).propertiesEnabled,
              (std::array<bool, 4>{true, true, false, false}));
}

TEST_F(BranchTest, DeletingTheLastRecordOfAFormThatDoesNotSaveIsAsked) {
    struct Case {
        int recordAction;
        bool asks;
    };
    for (Case c : {Case{0, false},
                   {1, true},
                   {2, false},
                   {3, true},
                   {5, true},
                   {6, false},
                   {7, false},
                   {8, true}}) {
        SCOPED_TRACE(c.recordAction);
        F().RecordAction() = static_cast<Byte>(c.recordAction);
        F().FnBranch(1) = 0;
        Outcome o = SelectBranch(s, 1, 12);
        if (!c.asks) {
            EXPECT_TRUE(o.Accepted());
            EXPECT_EQ(F().FnBranch(1), 12);
            continue;
        }
        ASSERT_TRUE(o.Asks());
        EXPECT_EQ(o.icon, MessageIcon::Warning);
        EXPECT_EQ(o.defaultButton, kIdNo);
        EXPECT_TRUE(o.text.starts_with(u"Для данной формы не задано сохранение в файл."));
        EXPECT_EQ(F().FnBranch(1), 0);
        EXPECT_TRUE(SelectBranch(s, 1, 12, Answer::No).Refused());
        EXPECT_EQ(F().FnBranch(1), 0);
        EXPECT_TRUE(SelectBranch(s, 1, 12, Answer::Yes).Accepted());
        EXPECT_EQ(F().FnBranch(1), 12);
    }
}

TEST_F(BranchTest, MultiplierVariablesAreStoredFromNineWhateverTheFieldCount) {
    struct Case {
        int fields;
        int index;
        int code;
    };
    for (Case c : {Case{3, 4, 9},
                   {3, 3, 3},
                   {3, 13, 18},
                   {5, 6, 9},
                   {5, 5, 5},
                   {5, 0, 0},
                   {8, 9, 9},
                   {1, 2, 9}}) {
        SCOPED_TRACE(testing::Message() << c.fields << " fields, index " << c.index);
        DefineDatabase(1, std::vector<int>(static_cast<std::size_t>(c.fields), 2));
        F().FormLookup() = 1;
        ASSERT_TRUE(SelectTotalMultiplier(s, 2, c.index).Accepted());
        EXPECT_EQ(F().TotalMultiplier(2), c.code);
        const TotalsDialogView view = ViewTotalsDialog(s, 2);
        EXPECT_EQ(view.multiplier.entries.size(), static_cast<std::size_t>(c.fields + 11));
        EXPECT_EQ(view.multiplier.selected, c.index) << "shown back where it was chosen";
    }
    DefineDatabase(1, {2, 2, 2});
    const TotalsDialogView view = ViewTotalsDialog(s, 2);
    EXPECT_EQ(view.multiplier.entries[3].text, u"Поле 3");
    EXPECT_EQ(view.multiplier.entries[4].text, u"Переменная1");
    EXPECT_TRUE(SelectTotalMultiplier(s, 2, 14).Refused()) << "three fields and ten variables";
    F().TotalMultiplier(2) = 5;  // a field the database no longer has
    EXPECT_EQ(ViewTotalsDialog(s, 2).multiplier.selected, -1);
}

TEST_F(BranchTest, FilterGroupsOfTotalsAndBalanceAreSeparate) {
    DefineDatabase(3, {2, 2, 2, 2});
    F().FormLookup() = 3;
    EXPECT_FALSE(ViewBalanceDialog(s, 1).variable.enabled);
    EXPECT_TRUE(SelectFilterVariable(s, FilterOf::Balance, 1, 3).Refused())
        << "no filter field chosen";
    EXPECT_TRUE(SelectFilterField(s, FilterOf::Balance, 1, 5).Refused()) << "four fields";
    ASSERT_TRUE(SelectFilterField(s, FilterOf::Balance, 1, 4).Accepted());
    ASSERT_TRUE(SelectFilterVariable(s, FilterOf::Balance, 1, 9).Accepted());
    ASSERT_TRUE(SelectFilterComparison(s, FilterOf::Balance, 1, 2).Accepted());
    EXPECT_EQ(F().BalanceFilterField(1), 4);
    EXPECT_EQ(F().BalanceFilterVariable(1), 10);
    EXPECT_EQ(F().BalanceCompare(1), 2);
    EXPECT_EQ(F().TotalFilterField(1), 0);

    const FilterView balance = ViewBalanceDialog(s, 1);
    EXPECT_TRUE(balance.comparison.enabled);
    EXPECT_EQ(balance.field.entries[4].text, u"по полю 4");
    EXPECT_EQ(balance.variable.selected, 9);
    EXPECT_FALSE(ViewTotalsDialog(s, 1).filter.comparison.enabled);

    ASSERT_TRUE(SelectTotalSumField(s, 0, 3).Accepted());
    EXPECT_EQ(F().TotalSumField(0), 4);
    EXPECT_TRUE(SelectTotalSumField(s, 0, 4).Refused());
}

}  // namespace
}  // namespace fw::editor::test
