#include "editor/barcodeparsing.h"

#include <vector>

#include "editor/fielddlg.h"
#include "editor/fieldlines.h"
#include "editor_support.h"

namespace fw::editor::test {
namespace {

constexpr int kYearOf17 = 26;  // "AI(17) только год"

// A form of text lines with both features on, the dialog opened on `line` (0..7).
class BarcodeParsingTest : public EditorTest {
  protected:
    BarcodeParsingTest() {
        s.currentForm = 2;
        for (int i = 0; i < kLinesPerForm; ++i)
            F().LineType(i) = kLineText;
        Rules(s.working).WeightBarcodeEnabled() = 1;
        s.working.readerOptions2[0] = 1;
    }
    BarcodeParsingDialog Open(int line) {
        s.currentLine = line;
        return OpenBarcodeParsingDialog(s);
    }
    // Line numbers (1..8) a list offers.
    static std::vector<int> Numbers(const ListView& list) {
        std::vector<int> n;
        for (const ListEntry& e : list.entries)
            n.push_back(e.code);
        return n;
    }
    void Link(int target, int source, int item) {
        FieldLink(s.working, s.currentForm).LinkLine(target) = static_cast<Byte>(source + 1);
        FieldLink(s.working, s.currentForm).LinkValue(target) = static_cast<Byte>(item);
    }
    void WeightRule(int source, int target) {
        Rules(s.working).WeightTransferFlag(s.currentForm, source) = 1;
        Rules(s.working).WeightTargetLine(s.currentForm, source) = static_cast<Byte>(target + 1);
    }
    Definition Bytes() const { return s.working; }
    bool Same(const Definition& before) const {
        return before.formTable == s.working.formTable &&
               before.barcodeRules == s.working.barcodeRules &&
               before.fieldLinks == s.working.fieldLinks;
    }
};

TEST_F(BarcodeParsingTest, WeightTargetsAreLaterLinesNobodyElseUses) {
    // Line 8 has no later line; line 7 can only send to line 8.
    EXPECT_FALSE(ViewBarcodeParsing(s, Open(7)).weightRuleEnabled);
    EXPECT_EQ(Numbers(ViewBarcodeParsing(s, Open(6)).weightTarget), std::vector<int>{8});

    // Line 2 weighs into 4, line 3 into 5 of its own, line 6 receives GS1 data from line 1.
    WeightRule(1, 3);
    WeightRule(2, 4);
    Link(5, 0, kYearOf17);
    // From line 2: 3 is a weight source, 5 another's target, 6 a GS1 target; its own 4 stays.
    const BarcodeParsingView v = ViewBarcodeParsing(s, Open(1));
    EXPECT_EQ(Numbers(v.weightTarget), (std::vector<int>{4, 7, 8}));
    EXPECT_TRUE(v.weightRule);
    EXPECT_EQ(v.weightTarget.selected, 0);
    // From line 1 the GS1 targets leave out the weight lines 4 and 5 and the fed line 6.
    EXPECT_EQ(Numbers(ViewBarcodeParsing(s, Open(0)).gs1Target), (std::vector<int>{1, 2, 3, 7, 8}));
}

TEST_F(BarcodeParsingTest, TheWeightBoxFollowsTheSourceLineAndTheFeature) {
    struct Case {
        int type;
        bool feature;
        bool enabled;
    };
    const Case cases[] = {
        {kLineText, true, true},       {kLineInteger, true, true}, {kLineBoolean, true, false},
        {kLineFixedData, true, false}, {kLineWeight, true, false}, {kLineText, false, false},
    };
    for (const Case& c : cases) {
        F().LineType(0) = static_cast<Byte>(c.type);
        Rules(s.working).WeightBarcodeEnabled() = c.feature ? 1 : 0;
        WeightRule(0, 3);
        const BarcodeParsingView v = ViewBarcodeParsing(s, Open(0));
        SCOPED_TRACE(testing::Message() << "type " << c.type << " feature " << c.feature);
        EXPECT_EQ(v.weightRuleEnabled, c.enabled);
        EXPECT_EQ(v.weightTarget.enabled, c.feature);
        EXPECT_EQ(v.keepInSource.enabled, c.feature);
        const Definition before = Bytes();
        if (!c.enabled) {
            EXPECT_TRUE(SetWeightRule(s, false).Refused());
            EXPECT_TRUE(Same(before));
        }
    }
}

TEST_F(BarcodeParsingTest, TheWeightRuleMakesItsTargetTheWeightLineAndGivesItBack) {
    F().MaxLength(4) = 40;
    Open(1);
    // The list offers 3..8; choosing 5 first needs the rule on.
    EXPECT_TRUE(SelectWeightTarget(s, 2).Refused());
    ASSERT_TRUE(SetWeightRule(s, true).Accepted());
    EXPECT_EQ(Rules(s.working).WeightTargetLine(2, 1), 3);
    EXPECT_EQ(F().LineType(2), kLineWeight);
    ASSERT_TRUE(SelectWeightTarget(s, 2).Accepted());
    EXPECT_EQ(Rules(s.working).WeightTargetLine(2, 1), 5);
    EXPECT_EQ(F().LineType(2), kLineReal);
    EXPECT_EQ(F().LineType(4), kLineWeight);
    EXPECT_EQ(F().MaxLength(4), 16);
    // The Form page shows the weight line as a disabled "real".
    const FieldLineView line5 = ViewFieldLines(s).lines[4];
    EXPECT_FALSE(line5.type.enabled);
    EXPECT_EQ(line5.type.selected, 3);

    ASSERT_TRUE(SelectWeightSourceKeep(s, 2).Accepted());
    EXPECT_EQ(F().WeightSourceKeep(1), 2);
    ASSERT_TRUE(SetWeightRule(s, false).Accepted());
    EXPECT_EQ(Rules(s.working).WeightTransferFlag(2, 1), 0);
    EXPECT_EQ(F().LineType(4), kLineReal);
    EXPECT_TRUE(SelectWeightSourceKeep(s, 0).Refused());
    EXPECT_EQ(F().WeightSourceKeep(1), 2);
}

TEST_F(BarcodeParsingTest, AddingRulesRefusesTheWholeBarcodeIntoItsOwnLine) {
    BarcodeParsingDialog d = Open(0);
    // The whole barcode into line 1 itself: refused, nothing written.
    const Definition before = Bytes();
    const Outcome whole = AddGs1Rule(s, d);
    EXPECT_EQ(whole.text, u"Нельзя перенести весь штрихкод в то же поле, в которое он был считан!");
    EXPECT_TRUE(Same(before));
    // Only the year of AI(17) into line 1 itself is fine.
    ASSERT_TRUE(SelectGs1Item(d, kYearOf17).Accepted());
    ASSERT_TRUE(AddGs1Rule(s, d).Accepted());
    EXPECT_EQ(FieldLink(s.working, 2).LinkLine(0), 1);
    EXPECT_EQ(FieldLink(s.working, 2).LinkValue(0), kYearOf17);
    // The whole barcode into an unused line 4 makes it a text line.
    F().LineType(3) = kLineNil;
    ASSERT_TRUE(SelectGs1Item(d, 0).Accepted());
    ASSERT_TRUE(SelectGs1Target(s, d, 2).Accepted());  // line 1 is taken: 2, 3, 4...
    ASSERT_TRUE(AddGs1Rule(s, d).Accepted());
    EXPECT_EQ(FieldLink(s.working, 2).LinkLine(3), 1);
    EXPECT_EQ(F().LineType(3), kLineText);

    const BarcodeParsingView v = ViewBarcodeParsing(s, d);
    ASSERT_EQ(v.rules.size(), 2u);
    EXPECT_EQ(v.rules[0].target, 1);
    EXPECT_EQ(v.rules[0].item, u"AI(17) только год");
    EXPECT_EQ(v.rules[1].target, 4);
    EXPECT_EQ(v.rules[1].item, u"<Штрихкод полностью>");
    EXPECT_EQ(v.gs1Description, u"Описание '<Штрихкод полностью>'");
    // A line fed from here reads the whole barcode; the properties dialog keeps partial off.
    EXPECT_FALSE(ViewFieldDialog(s, OpenFieldDialog(s)).partialEnabled);
}

TEST_F(BarcodeParsingTest, NoTargetAndRemovalsSayWhy) {
    BarcodeParsingDialog d = Open(5);
    ASSERT_TRUE(SelectGs1Item(d, 1).Accepted());
    EXPECT_EQ(RemoveGs1Rules(s, {}).text, u"Нет строк для удаления");
    EXPECT_EQ(RemoveAllGs1Rules(s).text, u"Нет строк для удаления");
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(AddGs1Rule(s, d).Accepted()) << i;
    const Definition full = Bytes();
    EXPECT_EQ(AddGs1Rule(s, d).text, u"Нет поля, в которое можно осуществить перенос");
    EXPECT_TRUE(ViewBarcodeParsing(s, d).gs1Target.entries.empty());
    EXPECT_FALSE(ViewBarcodeParsing(s, d).addEnabled);
    EXPECT_EQ(RemoveGs1Rules(s, {}).text, u"Необходимо выделить строку(и) в списке для удаления");
    EXPECT_TRUE(Same(full));
    const int rows[] = {0, 2};
    ASSERT_TRUE(RemoveGs1Rules(s, rows).Accepted());
    const BarcodeParsingView v = ViewBarcodeParsing(s, d);
    ASSERT_EQ(v.rules.size(), 1u);
    EXPECT_EQ(v.rules[0].target, 7);
    ASSERT_TRUE(RemoveAllGs1Rules(s).Accepted());
    EXPECT_TRUE(ViewBarcodeParsing(s, d).rules.empty());
}

TEST_F(BarcodeParsingTest, Gs1RulesWaitForTheReaderAndAWholeBarcode) {
    Link(3, 0, 4);
    for (int blocker = 0; blocker < 2; ++blocker) {
        s.working.readerOptions2[0] = blocker == 0 ? 0 : 1;
        F().ReadPartialBarcode(0) = blocker == 1 ? 1 : 0;
        BarcodeParsingDialog d = Open(0);
        ASSERT_TRUE(SelectGs1Item(d, 4).Accepted());
        const BarcodeParsingView v = ViewBarcodeParsing(s, d);
        EXPECT_FALSE(v.gs1Item.enabled);
        EXPECT_FALSE(v.gs1Target.enabled);
        EXPECT_FALSE(v.addEnabled);
        EXPECT_FALSE(v.removeAllEnabled);
        EXPECT_EQ(v.rules.size(), 1u);  // shown all the same
        const Definition before = Bytes();
        EXPECT_TRUE(AddGs1Rule(s, d).Refused());
        EXPECT_TRUE(RemoveAllGs1Rules(s).Refused());
        EXPECT_TRUE(Same(before)) << blocker;
    }
}

TEST_F(BarcodeParsingTest, DamagedBytesAreShownWithoutBeingChanged) {
    Link(2, 0, 240);                          // an item past the list
    WeightRule(0, 8);                         // a weight target past the last line
    FieldLink(s.working, 2).LinkLine(5) = 9;  // a source past the last line
    F().WeightSourceKeep(0) = 7;
    const Definition before = Bytes();
    BarcodeParsingDialog d = Open(0);
    d.gs1Item = 300;
    d.gs1Target = 40;
    const BarcodeParsingView v = ViewBarcodeParsing(s, d);
    EXPECT_TRUE(Same(before));
    ASSERT_EQ(v.rules.size(), 1u);
    EXPECT_EQ(v.rules[0].item, u"240");
    EXPECT_FALSE(v.weightRule);
    EXPECT_EQ(v.weightTarget.selected, 0);
    EXPECT_EQ(v.keepInSource.selected, -1);
    EXPECT_EQ(v.gs1Item.selected, 233);
    EXPECT_EQ(v.gs1Target.selected, 0);
    // The damaged row can still be removed.
    const int row = 0;
    ASSERT_TRUE(RemoveGs1Rules(s, std::span(&row, 1)).Accepted());
    EXPECT_EQ(FieldLink(s.working, 2).LinkLine(2), 0);
}

TEST_F(BarcodeParsingTest, CancelGivesBackTheRulesAndTheFieldTypes) {
    WeightRule(0, 2);
    F().LineType(2) = kLineWeight;
    Link(4, 0, 1);
    const Definition before = Bytes();
    BarcodeParsingDialog d = Open(0);
    ASSERT_TRUE(SelectWeightTarget(s, 2).Accepted());  // of 2, 3, 4, 6..: from 3 to 4
    ASSERT_TRUE(SelectGs1Item(d, kYearOf17).Accepted());
    ASSERT_TRUE(AddGs1Rule(s, d).Accepted());
    ASSERT_FALSE(Same(before));
    EXPECT_EQ(F().LineType(3), kLineWeight);
    CancelBarcodeParsingDialog(s, d);
    EXPECT_TRUE(Same(before));
    EXPECT_EQ(F().LineType(2), kLineWeight);

    // The field properties dialog beneath gives back what the parsing dialog's OK kept.
    s.currentLine = 0;
    const FieldDialog field = OpenFieldDialog(s);
    Open(0);
    ASSERT_TRUE(SetWeightRule(s, false).Accepted());
    CancelFieldDialog(s, field);
    EXPECT_TRUE(Same(before));
}

}  // namespace
}  // namespace fw::editor::test
