#include "editor/fieldlines.h"

#include <string>

#include "editor/formpage.h"
#include "editor_support.h"
#include "model/codepage.h"

namespace fw::editor::test {
namespace {

using FieldLinesTest = EditorTest;

constexpr int kTextIndex = 1, kIntegerIndex = 2, kLookupIndex = 7, kFixedIndex = 8,
              kSerialIndex = 15;

// Gives line 0 every data property, so that a type change shows which it keeps.
void GiveDataProperties(FormRecord f) {
    f.InitialValueFlag(0) = 1;
    StoreCellText(f.InitialValue(0), u"42");
    f.FixedLengthFlag(0) = 1;
    f.FixedLength(0) = 12;
    f.Alignment(0) = 3;
    f.PrefixFlag(0) = f.SuffixFlag(0) = 1;
    f.PrefixCode(0)[0] = 'P';
    f.SuffixCode(0)[0] = 'S';
    f.InputMark(0) = '*';
    f.CheckDigit(0) = 4;
}

TEST_F(FieldLinesTest, TypeChangesKeepDataPropertiesOnlyWithinACompatibleGroup) {
    struct Case {
        int from, toIndex;
        bool keeps;
    };
    const Case cases[] = {
        {kLineInteger, kTextIndex, true},     {kLineText, kFixedIndex, false},
        {kLineAlphameric, kFixedIndex, true}, {kLineLookup, kFixedIndex, true},
        {kLineLookup, kTextIndex, false},     {kLineNil, kLookupIndex, true},
        {kLineSerial, kTextIndex, true},      {kLineCounter, kTextIndex, false},
    };
    for (const Case& c : cases) {
        F().LineType(0) = static_cast<Byte>(c.from);
        GiveDataProperties(F());
        ASSERT_TRUE(SelectLineType(s, 0, c.toIndex).Accepted());
        SCOPED_TRACE(testing::Message() << c.from << " -> index " << c.toIndex);
        EXPECT_EQ(F().InitialValueFlag(0), c.keeps ? 1 : 0);
        EXPECT_EQ(CellToUtf16(F().InitialValue(0)), c.keeps ? u"42" : u"");
        EXPECT_EQ(F().FixedLength(0), c.keeps ? 12 : 0);
        EXPECT_EQ(F().Alignment(0), c.keeps ? 3 : 0);
        EXPECT_EQ(F().PrefixCode(0)[0], c.keeps ? 'P' : 0);
        EXPECT_EQ(F().SuffixFlag(0), c.keeps ? 1 : 0);
        EXPECT_EQ(F().InputMark(0), c.keeps ? '*' : 0);
        EXPECT_EQ(F().CheckDigit(0), c.keeps ? 4 : 0);
    }
}

TEST_F(FieldLinesTest, ASecondSerialNumberLineIsRefusedUntilTheFirstIsGone) {
    ASSERT_TRUE(SelectLineType(s, 1, kSerialIndex).Accepted());
    EXPECT_EQ(F().LineType(1), kLineSerial);
    EXPECT_EQ(ViewFieldLines(s).lines[1].type.selected, kSerialIndex);

    const auto before = Record();
    const Outcome o = SelectLineType(s, 4, kSerialIndex);
    EXPECT_TRUE(o.Refused());
    EXPECT_EQ(o.text,
              u"Тип \"Серийный номер\" может быть выбран только для одного поля текущей формы");
    EXPECT_EQ(o.icon, MessageIcon::Warning);
    EXPECT_EQ(Record(), before);

    ASSERT_TRUE(SelectLineType(s, 1, kTextIndex).Accepted());
    EXPECT_TRUE(SelectLineType(s, 4, kSerialIndex).Accepted());
    // Another form has its own serial-number line.
    ASSERT_TRUE(SelectForm(s, 2).Accepted());
    EXPECT_TRUE(SelectLineType(s, 0, kSerialIndex).Accepted());
}

TEST_F(FieldLinesTest, ASerialNumberLineReadsTheKeyFieldAndSetsTheRecordAction) {
    DefineDatabase(2, {4, 6, 8});
    Lookup(s.working, 2).KeyField() = 2;
    ASSERT_TRUE(SelectFormLookup(s, 2).Accepted());
    ASSERT_TRUE(SelectLineType(s, 3, kSerialIndex).Accepted());
    EXPECT_EQ(F().LineLookupField(3), 3);
    EXPECT_EQ(F().RecordAction(), 2) << "serial numbers in the data file: save & update";
    const FieldLineView line = ViewFieldLines(s).lines[3];
    EXPECT_FALSE(line.lookupColumn.enabled);
    EXPECT_EQ(line.lookupColumn.selected, 3);
    EXPECT_TRUE(SelectLookupColumn(s, 3, 1).Refused());
    EXPECT_FALSE(ViewFormPage(s).recordAction.enabled);
}

TEST_F(FieldLinesTest, OnlyNumericLinesOfferMinusAndPlusColumns) {
    F().LineType(0) = kLineInteger;
    ASSERT_TRUE(SelectLookupColumn(s, 0, 11).Accepted());  // "-field 3"
    EXPECT_EQ(F().LineLookupField(0), 11);
    EXPECT_EQ(ViewFieldLines(s).lines[0].lookupColumn.entries.size(), 25u);

    ASSERT_TRUE(SelectLineType(s, 0, kTextIndex).Accepted());
    EXPECT_EQ(F().LineLookupField(0), 3);
    const FieldLineView line = ViewFieldLines(s).lines[0];
    EXPECT_EQ(line.lookupColumn.entries.size(), 9u);
    EXPECT_EQ(line.lookupColumn.selected, 3);
    EXPECT_TRUE(SelectLookupColumn(s, 0, 9).Refused());

    F().LineType(1) = kLineReal;
    F().LineLookupField(1) = 24;                      // "+field 8"
    ASSERT_TRUE(SelectLineType(s, 1, 4).Accepted());  // letter
    EXPECT_EQ(F().LineLookupField(1), 8);
}

TEST_F(FieldLinesTest, PromptAndLengthsAreCutAsTyped) {
    F().LineType(0) = kLineText;
    ASSERT_TRUE(EditPrompt(s, 0, u"Количество на складе, шт").Accepted());
    EXPECT_EQ(ViewFieldLines(s).lines[0].prompt, u"Количество на складе");
    EXPECT_EQ(F().LinePrompt(0)[0], 0xCA) << "stored in the 8-bit code page";

    struct Case {
        int type;
        std::u16string typed;
        int min, max;
    };
    const Case cases[] = {
        {kLineText, u"120", 80, 80},
        {kLineText, u"7", 7, 7},
        {kLineText, u"7x", 0, 0},
        {kLineText, u"", 0, 0},
        {kLineText, u"99999999999", 80, 80},
        {kLineWeight, u"120", 80, 16},
    };
    for (const Case& c : cases) {
        F().LineType(2) = static_cast<Byte>(c.type);
        SCOPED_TRACE(c.type);
        ASSERT_TRUE(EditMinLength(s, 2, c.typed).Accepted());
        ASSERT_TRUE(EditMaxLength(s, 2, c.typed).Accepted());
        EXPECT_EQ(F().MinLength(2), c.min) << c.type;
        EXPECT_EQ(F().MaxLength(2), c.max) << c.type;
    }
    F().MaxLength(4) = 20;
    ASSERT_TRUE(SelectLineType(s, 4, 6).Accepted());  // boolean
    EXPECT_EQ(F().MinLength(4), 1);
    EXPECT_EQ(F().MaxLength(4), 1);
    EXPECT_TRUE(EditMaxLength(s, 4, u"30").Refused());

    // Lines without lengths or prompt take no edit.
    F().LineType(3) = kLineExtension;
    const auto before = Record();
    EXPECT_TRUE(EditPrompt(s, 3, u"x").Refused());
    EXPECT_TRUE(EditMaxLength(s, 3, u"5").Refused());
    EXPECT_EQ(Record(), before);
}

TEST_F(FieldLinesTest, ControlsFollowTheLineType) {
    struct Case {
        int type;
        bool prompt, more, plus, source, column, lengths;
    };
    const Case cases[] = {
        {kLineNil, false, false, false, false, false, false},
        {kLineText, true, true, true, true, true, true},
        {kLineBoolean, true, true, true, true, true, false},
        {kLineLookup, true, true, true, false, true, false},
        {kLinePassDown, true, false, false, false, false, false},
        {kLineExtension, false, false, false, false, false, false},
        {kLinePause, true, false, false, false, false, false},
        {kLineSerial, true, true, true, true, true, true},
    };
    for (const Case& c : cases) {
        F().LineType(5) = static_cast<Byte>(c.type);
        const FieldLineView v = ViewFieldLines(s).lines[5];
        SCOPED_TRACE(c.type);
        EXPECT_EQ(v.promptEnabled, c.prompt);
        EXPECT_EQ(v.moreEnabled, c.more);
        EXPECT_EQ(v.operationsEnabled, c.plus);
        EXPECT_EQ(v.inputSource.enabled, c.source);
        EXPECT_EQ(v.lookupColumn.enabled, c.column);
        EXPECT_EQ(v.lengthsEnabled, c.lengths);
    }
}

TEST_F(FieldLinesTest, AWeightLineShowsAsRealAndKeepsItsType) {
    F().LineType(0) = kLineWeight;
    F().MaxLength(0) = 40;
    const FieldLineView v = ViewFieldLines(s).lines[0];
    EXPECT_EQ(v.type.selected, 3);
    EXPECT_FALSE(v.type.enabled);
    EXPECT_EQ(v.maxLength, 16);
    EXPECT_EQ(v.lookupColumn.entries.size(), 25u);
    EXPECT_TRUE(SelectLineType(s, 0, kTextIndex).Refused());
    EXPECT_EQ(F().LineType(0), kLineWeight);
}

TEST_F(FieldLinesTest, AGs1TargetTakesOnlyDataTypes) {
    F().LineType(2) = kLineText;
    FieldLink(s.working, 0).LinkLine(2) = 1;  // line 1's barcode feeds line 3
    // While the reader settings transfer no GS1 identifiers the rule feeds nothing.
    s.working.readerOptions2[0] = 0;
    ASSERT_TRUE(SelectLineType(s, 2, kFixedIndex).Accepted());
    ASSERT_TRUE(SelectLineType(s, 2, kTextIndex).Accepted());

    s.working.readerOptions2[0] = 1;
    const auto before = Record();
    const Outcome o = SelectLineType(s, 2, kFixedIndex);
    EXPECT_TRUE(o.Refused());
    EXPECT_EQ(o.text, u"Тип данных не может быть выбран, так как в поле передается GS1 AI");
    EXPECT_TRUE(SelectLineType(s, 2, kLookupIndex).Refused());
    EXPECT_EQ(Record(), before);
    for (int index : {2, 3, 4, 5, 6, 14, kSerialIndex, kTextIndex})
        EXPECT_TRUE(SelectLineType(s, 2, index).Accepted()) << index;
    // Line 4 is fed by nothing: any type.
    EXPECT_TRUE(SelectLineType(s, 3, kFixedIndex).Accepted());
}

TEST_F(FieldLinesTest, AWeightSourceThatNoLongerReadsDataReleasesItsTarget) {
    BarcodeRulesRecord rules = Rules(s.working);
    for (int toIndex : {kLookupIndex, kTextIndex}) {
        F().LineType(1) = kLineInteger;
        F().LineType(4) = kLineWeight;
        rules.WeightTransferFlag(0, 1) = 1;
        rules.WeightTargetLine(0, 1) = 5;
        ASSERT_TRUE(SelectLineType(s, 1, toIndex).Accepted());
        const bool drops = toIndex == kLookupIndex;
        EXPECT_EQ(rules.WeightTransferFlag(0, 1), drops ? 0 : 1);
        EXPECT_EQ(F().LineType(4), drops ? kLineReal : kLineWeight);
    }
}

TEST_F(FieldLinesTest, LinesFollowTheBarcodeRulesOnRefresh) {
    BarcodeRulesRecord rules = Rules(s.working);
    rules.WeightTransferFlag(0, 1) = 1;
    rules.WeightTargetLine(0, 1) = 4;
    F().LineType(3) = kLineInteger;
    F().MaxLength(3) = 30;
    F().LineType(6) = kLineWeight;             // a weight line nothing feeds any more
    FieldLink(s.working, 0).LinkLine(5) = 1;   // GS1 data goes to line 6
    FieldLink(s.working, 0).LinkLine(7) = 20;  // a source the form cannot have
    ApplyBarcodeRules(s);
    EXPECT_EQ(F().LineType(3), kLineInteger) << "the weight feature is off";
    EXPECT_EQ(F().LineType(6), kLineReal);
    EXPECT_EQ(F().LineType(5), kLineNil) << "GS1 transfer is off";
    s.working.readerOptions2[0] = 1;
    ApplyBarcodeRules(s);
    EXPECT_EQ(F().LineType(5), kLineText);
    EXPECT_EQ(F().LineType(7), kLineNil);

    rules.WeightBarcodeEnabled() = 1;
    ApplyBarcodeRules(s);
    EXPECT_EQ(F().LineType(3), kLineWeight);
    EXPECT_EQ(F().MaxLength(3), 16);
    rules.WeightTargetLine(0, 1) = 9;  // outside the form: no target
    ApplyBarcodeRules(s);
    EXPECT_EQ(F().LineType(3), kLineReal);
}

TEST_F(FieldLinesTest, OutOfRangeBytesAreShownAndKeptUntilChanged) {
    F().LineType(0) = 99;
    F().LineLookupField(0) = 40;
    F().InputSource(0) = 200;
    F().MaxLength(0) = 255;
    F().LineType(1) = kLineText;
    F().LineLookupField(1) = 40;
    std::ranges::fill(F().LinePrompt(1), Byte{'A'});  // no terminator
    const auto before = Record();

    const FieldLinesView view = ViewFieldLines(s);
    EXPECT_EQ(view.lines[0].type.selected, -1);
    EXPECT_EQ(view.lines[0].lookupColumn.selected, -1);
    EXPECT_EQ(view.lines[0].inputSource.selected, -1);
    EXPECT_EQ(view.lines[0].maxLength, 255);
    EXPECT_FALSE(view.lines[0].promptEnabled);
    EXPECT_EQ(view.lines[1].lookupColumn.selected, -1);
    EXPECT_EQ(view.lines[1].prompt, std::u16string(21, u'A'));
    EXPECT_EQ(Record(), before);

    // Choosing a type for the damaged line clears what it cannot have carried.
    F().InitialValueFlag(0) = 1;
    ASSERT_TRUE(SelectLineType(s, 0, kTextIndex).Accepted());
    EXPECT_EQ(F().LineType(0), kLineText);
    EXPECT_EQ(F().InitialValueFlag(0), 0);
    EXPECT_EQ(F().LineLookupField(0), 40) << "a column the list does not know stays as it was";

    ASSERT_TRUE(EditPrompt(s, 1, u"Код").Accepted());
    EXPECT_EQ(ViewFieldLines(s).lines[1].prompt, u"Код");
}

TEST_F(FieldLinesTest, ChoicesOutsideTheListsChangeNothing) {
    F().LineType(0) = kLineText;
    const auto before = Record();
    EXPECT_TRUE(SelectLineType(s, 0, 16).Refused());
    EXPECT_TRUE(SelectLineType(s, 8, 1).Refused());
    EXPECT_TRUE(SelectLineType(s, -1, 1).Refused());
    EXPECT_TRUE(SelectInputSource(s, 0, 5).Refused());
    EXPECT_TRUE(SelectLookupColumn(s, 0, -1).Refused());
    EXPECT_EQ(Record(), before);
    ASSERT_TRUE(SelectInputSource(s, 0, 4).Accepted());
    EXPECT_EQ(F().InputSource(0), 4);
}

}  // namespace
}  // namespace fw::editor::test
