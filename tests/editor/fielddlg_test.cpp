#include "editor/fielddlg.h"

#include <string>

#include "editor_support.h"
#include "model/codepage.h"

namespace fw::editor::test {
namespace {

using FieldDialogTest = EditorTest;

TEST_F(FieldDialogTest, InitialValueIsFilteredByTheLineType) {
    struct Case {
        int type;
        std::u16string typed, kept;
    };
    const Case cases[] = {
        {kLineReal, u"12.3.4", u"12.34"},
        {kLineInteger, u"12.3.4", u"1234"},
        {kLineAuto, u"-1a.5", u"1.5"},
        {kLineWeight, u"0.250kg", u"0.250"},
        {kLineInteger, u"12345678901", u"123456789"},
        {kLineBoolean, u"X", u""},
        {kLineBoolean, u"yes", u"y"},
        {kLineBoolean, u"0", u"0"},
        {kLineAlphameric, u"AB12-34", u"AB12"},
        {kLineAlphameric, u"Ящик7 б", u"Ящик7"},
        {kLineText, u"a-b c", u"a-b c"},
        {kLineText, u"длинный текст", u"длинный т"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        F().LineType(0) = static_cast<Byte>(c.type);
        ASSERT_TRUE(EditInitialValue(s, c.typed).Accepted());
        const FieldDialog dialog = OpenFieldDialog(s);
        EXPECT_EQ(ViewFieldDialog(s, dialog).initialText, c.kept);
        EXPECT_EQ(CellToUtf16(F().InitialValue(0)), c.kept);
    }
}

TEST_F(FieldDialogTest, FixedDataLinesTakeNoInputProperties) {
    s.currentLine = 2;
    F().LineType(2) = kLineFixedData;
    FieldDialog dialog = OpenFieldDialog(s);
    const FieldDialogView v = ViewFieldDialog(s, dialog);
    EXPECT_FALSE(v.initialEnabled);
    EXPECT_FALSE(v.inputMarkEnabled);
    EXPECT_FALSE(v.partialEnabled);
    EXPECT_FALSE(v.checkDigitEnabled);
    EXPECT_FALSE(v.autoEnter.enabled);
    EXPECT_FALSE(v.decimalPlaces.enabled);
    EXPECT_EQ(v.lineNumber, 3);

    const auto before = Record();
    EXPECT_TRUE(EditInitialValue(s, u"1").Refused());
    EXPECT_TRUE(SetFieldFlag(s, dialog, FieldFlag::PartialBarcode, true).Refused());
    EXPECT_TRUE(SetFieldFlag(s, dialog, FieldFlag::CheckDigit, true).Refused());
    EXPECT_TRUE(SelectAutoEnter(s, 2).Refused());
    EXPECT_TRUE(SelectDecimalPlaces(s, 2).Refused());
    EXPECT_EQ(Record(), before);
    // Fixed length is for every type.
    ASSERT_TRUE(SetFieldFlag(s, dialog, FieldFlag::FixedLength, true).Accepted());
    ASSERT_TRUE(EditFixedLength(s, u"300").Accepted());
    EXPECT_EQ(F().FixedLength(2), 255);
    ASSERT_TRUE(EditFixedLength(s, u"1x").Accepted());
    EXPECT_EQ(F().FixedLength(2), 0);
}

TEST_F(FieldDialogTest, OkPutsMarkSearchFlagsAndPartialReadingInRange) {
    F().LineType(0) = kLineText;
    FieldDialog dialog = OpenFieldDialog(s);
    ASSERT_TRUE(SetFieldFlag(s, dialog, FieldFlag::InputMark, true).Accepted());
    EXPECT_TRUE(ViewFieldDialog(s, dialog).inputMark) << "checked before a mark is typed";
    ASSERT_TRUE(EditInputMark(s, u"#!").Accepted());
    EXPECT_EQ(F().InputMark(0), '#');
    ASSERT_TRUE(SetFieldFlag(s, dialog, FieldFlag::Prefix, true).Accepted());
    ASSERT_TRUE(SetFieldFlag(s, dialog, FieldFlag::PrefixInSearch, true).Accepted());
    EXPECT_TRUE(SetFieldFlag(s, dialog, FieldFlag::SuffixInSearch, true).Refused());
    ASSERT_TRUE(SetFieldFlag(s, dialog, FieldFlag::PartialBarcode, true).Accepted());
    ASSERT_TRUE(EditPartialStart(s, u"0").Accepted());
    ASSERT_TRUE(EditPartialLength(s, u"120").Accepted());
    ASSERT_TRUE(SetFieldFlag(s, dialog, FieldFlag::Prefix, false).Accepted());
    ASSERT_TRUE(SetFieldFlag(s, dialog, FieldFlag::InputMark, false).Accepted());
    EXPECT_EQ(F().InputMark(0), '#') << "the mark goes only at OK";
    ConfirmFieldDialog(s, dialog);
    EXPECT_EQ(F().InputMark(0), 0);
    EXPECT_EQ(F().PrefixInSearch(0), 0);
    EXPECT_EQ(F().PartialStart(0), 1);
    EXPECT_EQ(F().PartialLength(0), 80);

    // A stored mark shows checked when the dialog opens.
    F().InputMark(0) = '*';
    EXPECT_TRUE(ViewFieldDialog(s, OpenFieldDialog(s)).inputMark);
}

TEST_F(FieldDialogTest, SerialNumbersInADatabaseKeepTheirSearchFlags) {
    F().LineType(0) = kLineSerial;
    F().SerialStore() = 2;
    FieldDialog dialog = OpenFieldDialog(s);
    ASSERT_TRUE(SetFieldFlag(s, dialog, FieldFlag::Suffix, true).Accepted());
    ASSERT_TRUE(SetFieldFlag(s, dialog, FieldFlag::SuffixInSearch, true).Accepted());
    EXPECT_TRUE(SetFieldFlag(s, dialog, FieldFlag::SuffixInSearch, false).Refused());
    EXPECT_EQ(F().SuffixInSearch(0), 1);
    F().SerialStore() = 0;
    EXPECT_TRUE(SetFieldFlag(s, dialog, FieldFlag::SuffixInSearch, false).Accepted());
}

TEST_F(FieldDialogTest, ListsAndCodesStoreWhatTheyShow) {
    F().LineType(0) = kLineReal;
    FieldDialog dialog = OpenFieldDialog(s);
    EXPECT_TRUE(SelectCheckDigit(s, 2).Refused()) << "the list is off until checked";
    ASSERT_TRUE(SetFieldFlag(s, dialog, FieldFlag::CheckDigit, true).Accepted());
    EXPECT_EQ(F().CheckDigit(0), 1);
    ASSERT_TRUE(SelectCheckDigit(s, 7).Accepted());
    EXPECT_EQ(F().CheckDigit(0), 8);
    EXPECT_EQ(ViewFieldDialog(s, dialog).checkDigitMethod.selected, 7);
    ASSERT_TRUE(SelectDecimalPlaces(s, 3).Accepted());
    EXPECT_EQ(F().DecimalPlaces(0), 3);
    EXPECT_TRUE(SelectAutoEnter(s, 4).Refused());
    ASSERT_TRUE(SelectAutoEnter(s, 3).Accepted());
    EXPECT_EQ(F().AutoEnter(0), 3);

    ASSERT_TRUE(SetFieldFlag(s, dialog, FieldFlag::LeadingCode, true).Accepted());
    ASSERT_TRUE(EditLeadingCode(s, u"4607123").Accepted());
    EXPECT_EQ(ViewFieldDialog(s, dialog).leadingCodeText, u"46071");

    const std::array<Byte, 10> code{'A', 0x81, 'B', 0};
    const std::array<Byte, 5> nibbles{0x12, 0, 0, 0, 0};
    EXPECT_TRUE(StoreLineCode(s, LineCode::Suffix, code, nibbles).Refused());
    ASSERT_TRUE(SetFieldFlag(s, dialog, FieldFlag::Suffix, true).Accepted());
    ASSERT_TRUE(StoreLineCode(s, LineCode::Suffix, code, nibbles).Accepted());
    EXPECT_EQ(ViewFieldDialog(s, dialog).suffixCode, code);
    EXPECT_EQ(F().SuffixCodeNibbles(0)[0], 0x12);
}

TEST_F(FieldDialogTest, OutOfRangeBytesViewWithoutChangeAndCancelRestores) {
    F().LineType(0) = kLineReal;
    F().CheckDigit(0) = 40;
    F().Alignment(0) = 9;
    F().DecimalPlaces(0) = 200;
    std::ranges::fill(F().InitialValue(0), Byte{'9'});
    std::ranges::fill(F().LeadingCode(0), Byte{'7'});
    const auto before = Record();
    FieldDialog dialog = OpenFieldDialog(s);
    const FieldDialogView v = ViewFieldDialog(s, dialog);
    EXPECT_TRUE(v.checkDigit);
    EXPECT_EQ(v.checkDigitMethod.selected, -1);
    EXPECT_EQ(v.alignment.selected, -1);
    EXPECT_EQ(v.decimalPlaces.selected, -1);
    EXPECT_EQ(v.initialText, std::u16string(10, u'9'));
    EXPECT_EQ(v.leadingCodeText, std::u16string(6, u'7'));
    EXPECT_EQ(Record(), before);

    ASSERT_TRUE(EditInitialValue(s, u"1.5").Accepted());
    ASSERT_TRUE(SetFieldFlag(s, dialog, FieldFlag::CheckDigit, false).Accepted());
    ASSERT_TRUE(SetFieldFlag(s, dialog, FieldFlag::CheckDigit, true).Accepted());
    EXPECT_EQ(F().CheckDigit(0), 1);
    RestoreSnapshot(s, dialog.snapshot);
    EXPECT_EQ(Record(), before);
}

TEST_F(FieldDialogTest, CancelRestoresTheBarcodeRulesAndLinksToo) {
    s.currentForm = 3;
    s.currentLine = 1;
    F().LineType(1) = kLineText;
    const Definition original = s.working;
    FieldDialog dialog = OpenFieldDialog(s);
    EXPECT_TRUE(ViewFieldDialog(s, dialog).partialEnabled);
    // What the barcode-parsing dialog may leave behind before the Cancel.
    FieldLink(s.working, 3).LinkLine(4) = 2;
    FieldLink(s.working, 3).LinkValue(4) = 17;
    Rules(s.working).WeightTransferFlag(3, 1) = 1;
    EXPECT_FALSE(ViewFieldDialog(s, dialog).partialEnabled) << "line 2 now feeds GS1 rules";
    EXPECT_TRUE(SetFieldFlag(s, dialog, FieldFlag::PartialBarcode, true).Refused());
    ASSERT_TRUE(EditInitialValue(s, u"abc").Accepted());
    CancelFieldDialog(s, dialog);
    EXPECT_EQ(s.working.formTable, original.formTable);
    EXPECT_EQ(s.working.fieldLinks, original.fieldLinks);
    EXPECT_EQ(s.working.barcodeRules, original.barcodeRules);
}

}  // namespace
}  // namespace fw::editor::test
