// The weight-barcode switch of the Barcode page and the weight lines of the forms.
#include <gtest/gtest.h>

#include "editor/editor_support.h"
#include "editor/formpage.h"
#include "reader/barcodepage.h"

namespace fw::reader::test {
namespace {

using WeightLinesTest = editor::test::EditorTest;

TEST_F(WeightLinesTest, SwitchingWeightBarcodesOffTurnsEveryWeightLineBackIntoReal) {
    SetWeightBarcodesUsed(s, true);
    BarcodeRulesRecord rules = Rules(s.working);
    for (int form : {0, 4}) {
        rules.WeightTransferFlag(form, 0) = 1;
        rules.WeightTargetLine(form, 0) = 3;
        Form(s.working, form).LineType(0) = kLineInteger;
        Form(s.working, form).LineType(2) = kLineWeight;
    }
    Form(s.working, 4).LineType(5) = kLineText;

    SetWeightBarcodesUsed(s, true);
    EXPECT_EQ(Form(s.working, 4).LineType(2), kLineWeight) << "switching on changes no line";

    SetWeightBarcodesUsed(s, false);
    for (int form : {0, 4}) {
        EXPECT_EQ(Form(s.working, form).LineType(2), kLineReal) << form;
        EXPECT_EQ(Form(s.working, form).LineType(0), kLineInteger) << form;
    }
    EXPECT_EQ(Form(s.working, 4).LineType(5), kLineText);
    EXPECT_EQ(rules.WeightTransferFlag(4, 0), 1) << "the rules stay for when the feature returns";

    // Back on, the Form page gives the target its weight type again when it shows the form.
    SetWeightBarcodesUsed(s, true);
    ASSERT_TRUE(editor::SelectForm(s, 4).Accepted());
    EXPECT_EQ(Form(s.working, 4).LineType(2), kLineWeight);
}

}  // namespace
}  // namespace fw::reader::test
