#include "editor/stampdlg.h"

#include <string>

#include "editor_support.h"

namespace fw::editor::test {
namespace {

using StampTest = EditorTest;

void Check(EditingSession& s, std::initializer_list<StampFlag> flags) {
    for (StampFlag f : flags)
        ASSERT_TRUE(SetStampFlag(s, f, true).Accepted());
}

TEST_F(StampTest, DatePreviewFollowsStyleDigitsAndSeparator) {
    Check(s, {StampFlag::Year, StampFlag::Month, StampFlag::Day, StampFlag::DateSeparator});
    ASSERT_TRUE(SelectYearDigits(s, 1).Accepted());
    ASSERT_TRUE(EditDateSeparator(s, u"/").Accepted());
    ASSERT_TRUE(SelectDateStyle(s, 2).Accepted());
    EXPECT_EQ(ViewStampDialog(s).datePreview, u"Date Format : DD/MM/YY");

    struct Case {
        int style, digits;
        bool year, month, day, separator;
        std::u16string preview;
    };
    const Case cases[] = {
        {0, 0, true, true, true, true, u"Date Format : YYYY/MM/DD"},
        {1, 1, true, true, true, true, u"Date Format : MM/DD/YY"},
        {2, 1, true, true, true, false, u"Date Format : DDMMYY"},
        {2, 1, true, false, true, true, u"Date Format : DD/YY"},
        {0, 0, false, true, true, true, u"Date Format : MM/DD"},
        {1, 0, true, true, false, true, u"Date Format : MM/YYYY"},
        {1, 0, false, false, false, true, u"Date Format : "},
        {7, 1, true, true, true, true, u"Date Format : YY/MM/DD"},  // a style the list lacks
    };
    for (const Case& c : cases) {
        F().DateStyle() = static_cast<Byte>(c.style);
        F().YearDigits() = static_cast<Byte>(c.digits);
        ASSERT_TRUE(SetStampFlag(s, StampFlag::Year, c.year).Accepted());
        ASSERT_TRUE(SetStampFlag(s, StampFlag::Month, c.month).Accepted());
        ASSERT_TRUE(SetStampFlag(s, StampFlag::Day, c.day).Accepted());
        ASSERT_TRUE(SetStampFlag(s, StampFlag::DateSeparator, c.separator).Accepted());
        EXPECT_EQ(ViewStampDialog(s).datePreview, c.preview);
    }
}

TEST_F(StampTest, TimePreviewAndSeparatorsTakeOneCharacter) {
    Check(s, {StampFlag::Hour, StampFlag::Second, StampFlag::TimeSeparator});
    ASSERT_TRUE(SetStampFlag(s, StampFlag::Minute, false).Accepted());
    EXPECT_EQ(F().StampMinute(), 0);
    ASSERT_TRUE(EditTimeSeparator(s, u"-:").Accepted());
    EXPECT_EQ(F().TimeSeparator()[0], '-');
    EXPECT_EQ(F().TimeSeparator()[1], 0);
    EXPECT_EQ(ViewStampDialog(s).timePreview, u"Time Format : HH-SS");
    Check(s, {StampFlag::Minute});
    EXPECT_EQ(ViewStampDialog(s).timePreview, u"Time Format : HH-MM-SS");
    ASSERT_TRUE(SetStampFlag(s, StampFlag::TimeSeparator, false).Accepted());
    EXPECT_EQ(ViewStampDialog(s).timePreview, u"Time Format : HHMMSS");
    ASSERT_TRUE(EditTimeSeparator(s, u"").Accepted());
    EXPECT_EQ(F().TimeSeparator()[0], 0);
}

TEST_F(StampTest, ListsAndFlagsStoreTheirBytesAndCancelRestoresThem) {
    const auto before = Record();
    const Snapshot snap = OpenStampDialog(s);
    ASSERT_TRUE(SelectStampPosition(s, 2).Accepted());
    Check(s, {StampFlag::Separate});
    EXPECT_EQ(F().DateTimePosition(), 2);
    EXPECT_EQ(F().SeparateDateTime(), 1);
    EXPECT_TRUE(ViewStampDialog(s).separate);
    EXPECT_EQ(ViewStampDialog(s).position.selected, 2);
    const auto changed = Record();
    EXPECT_TRUE(SelectStampPosition(s, 3).Refused());
    EXPECT_TRUE(SelectDateStyle(s, -1).Refused());
    EXPECT_TRUE(SelectYearDigits(s, 2).Refused());
    EXPECT_EQ(Record(), changed);
    RestoreSnapshot(s, snap);
    EXPECT_EQ(Record(), before);
}

TEST_F(StampTest, OutOfRangeBytesViewWithoutChange) {
    F().DateTimePosition() = 9;
    F().DateStyle() = 200;
    F().YearDigits() = 5;
    F().DateSeparatorOn() = 1;
    F().DateSeparator()[0] = '.';
    F().DateSeparator()[1] = '.';  // no terminator
    F().StampDay() = 1;
    F().StampMonth() = 1;
    F().StampYear() = 0;
    const auto before = Record();
    const StampDialogView v = ViewStampDialog(s);
    EXPECT_EQ(v.position.selected, -1);
    EXPECT_EQ(v.dateStyle.selected, -1);
    EXPECT_EQ(v.yearDigits.selected, -1);
    EXPECT_EQ(v.datePreview, u"Date Format : MM..DD");
    EXPECT_EQ(Record(), before);
}

}  // namespace
}  // namespace fw::editor::test
