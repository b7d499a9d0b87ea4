#include "editor/lookupfielddlg.h"

#include "editor/operationsdlg.h"
#include "editor_support.h"

namespace fw::editor::test {
namespace {

using LookupFieldTest = EditorTest;
using OperationsTest = EditorTest;

TEST_F(LookupFieldTest, SaveFieldDataGatesTheOtherProperties) {
    s.currentLine = 1;
    F().LineType(1) = kLineLookup;
    F().InputMark(1) = '>';
    const auto before = Record();
    const Snapshot snap = OpenLookupFieldDialog(s);
    EXPECT_FALSE(ViewLookupFieldDialog(s).enabled);
    const std::array<Byte, 10> code{'X', 0};
    const std::array<Byte, 5> nibbles{};
    EXPECT_TRUE(SetLookupFieldFlag(s, LookupFieldFlag::Prefix, true).Refused());
    EXPECT_TRUE(EditLookupFixedLength(s, u"8").Refused());
    EXPECT_TRUE(StoreLookupLineCode(s, LineCode::Prefix, code, nibbles).Refused());
    EXPECT_EQ(Record(), before);

    ASSERT_TRUE(SetLookupFieldFlag(s, LookupFieldFlag::SaveData, true).Accepted());
    EXPECT_EQ(F().InitialValueFlag(1), 1) << "kept in the initial-value flag's byte";
    ASSERT_TRUE(SetLookupFieldFlag(s, LookupFieldFlag::FixedLength, true).Accepted());
    ASSERT_TRUE(EditLookupFixedLength(s, u"8").Accepted());
    ASSERT_TRUE(SelectLookupAlignment(s, 3).Accepted());
    ASSERT_TRUE(SetLookupFieldFlag(s, LookupFieldFlag::Prefix, true).Accepted());
    ASSERT_TRUE(StoreLookupLineCode(s, LineCode::Prefix, code, nibbles).Accepted());
    const LookupFieldDialogView v = ViewLookupFieldDialog(s);
    EXPECT_TRUE(v.enabled);
    EXPECT_EQ(v.fixedLengthValue, 8);
    EXPECT_EQ(v.alignment.selected, 3);
    EXPECT_EQ(v.prefixCode, code);
    ConfirmLookupFieldDialog(s);
    EXPECT_EQ(F().InputMark(1), 0);

    RestoreSnapshot(s, snap);
    EXPECT_EQ(Record(), before);
}

TEST_F(OperationsTest, VariablesAreStoredOnePlusTheIndexWhereTheTypeAllows) {
    F().LineType(0) = kLineText;
    ASSERT_TRUE(SetOperation(s, Operation::SaveToVariable, true).Accepted());
    EXPECT_EQ(F().SaveToVariable(0), 1);
    ASSERT_TRUE(SelectOperationVariable(s, Operation::SaveToVariable, 9).Accepted());
    EXPECT_EQ(F().SaveToVariable(0), 10);
    EXPECT_EQ(ViewOperationsDialog(s).saveVariable.selected, 9);
    EXPECT_TRUE(SelectOperationVariable(s, Operation::SaveToVariable, 10).Refused());
    EXPECT_TRUE(SelectOperationVariable(s, Operation::FillFromVariable, 2).Refused())
        << "unchecked";
    ASSERT_TRUE(SetOperation(s, Operation::SaveToVariable, false).Accepted());
    EXPECT_EQ(F().SaveToVariable(0), 0);
    EXPECT_FALSE(ViewOperationsDialog(s).saveVariable.enabled);

    struct Case {
        int type;
        bool save, fill;
    };
    const Case cases[] = {{kLineFixedData, false, true},
                          {kLinePrompt, false, true},
                          {kLineLookup, true, false},
                          {kLineCounter, true, false},
                          {kLineInteger, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        F().LineType(0) = static_cast<Byte>(c.type);
        const OperationsDialogView v = ViewOperationsDialog(s);
        EXPECT_EQ(v.saveEnabled, c.save);
        EXPECT_EQ(v.fillEnabled, c.fill);
        EXPECT_EQ(SetOperation(s, Operation::SaveToVariable, true).Accepted(), c.save);
        EXPECT_EQ(SetOperation(s, Operation::FillFromVariable, true).Accepted(), c.fill);
        F().SaveToVariable(0) = F().FillFromVariable(0) = 0;
    }

    // A variable the list does not have is shown unselected and kept.
    F().LineType(0) = kLineText;
    F().FillFromVariable(0) = 40;
    const auto before = Record();
    EXPECT_EQ(ViewOperationsDialog(s).fillVariable.selected, -1);
    EXPECT_TRUE(ViewOperationsDialog(s).fill);
    ASSERT_TRUE(SetOperation(s, Operation::FillFromVariable, true).Accepted());
    EXPECT_EQ(Record(), before);
}

}  // namespace
}  // namespace fw::editor::test
