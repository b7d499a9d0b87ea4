// What a number edit does to what the user typed: the rules the preferences' edits and the
// definition editor's number fields share.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/numbercorrection.h"
#include "model/unicode.h"

namespace fw {
namespace {

struct Typed {
    std::u16string text;
    int minimum, maximum, replacement, last;
    std::u16string shown;
    int value;
};

void ExpectCorrections(const std::vector<Typed>& cases) {
    for (const Typed& c : cases) {
        SCOPED_TRACE(Utf16ToUtf8(c.text));
        const NumberCorrection r =
            CorrectNumber(c.text, c.minimum, c.maximum, c.replacement, c.last);
        EXPECT_EQ(r.text, c.shown);
        EXPECT_EQ(r.value, c.value);
    }
}

TEST(NumberCorrection, ClearedFieldShowsTheReplacement) {
    ExpectCorrections({
        {u"", 1, 255, 1, 12, u"1", 1},                  // COM port: the lower bound
        {u"", 0, 30, 0, 4, u"0", 0},                    // extra time-out
        {u"", 1, 65535, 65535, 5000, u"65535", 65535},  // network port: its own stand-in
    });
}

TEST(NumberCorrection, LeadingZerosAreDropped) {
    ExpectCorrections({
        {u"07", 1, 255, 1, 12, u"7", 7},
        {u"007", 0, 30, 0, 4, u"7", 7},
        {u"00", 0, 30, 0, 4, u"0", 0},
        {u"080", 1, 65535, 65535, 5000, u"80", 80},
        {u"0000000000000000000000042", 1, 255, 1, 12, u"42", 42},
    });
}

TEST(NumberCorrection, AboveTheMaximumGoesBackToTheLastGoodValue) {
    ExpectCorrections({
        {u"300", 1, 255, 1, 30, u"30", 30},
        {u"256", 1, 255, 1, 3, u"3", 3},
        {u"31", 0, 30, 0, 4, u"4", 4},
        {u"65536", 1, 65535, 65535, 5000, u"5000", 5000},
        // Far beyond what an int holds: still only "too big".
        {u"99999999999999999999", 1, 65535, 65535, 5000, u"5000", 5000},
        {u"2147483648", 0, 2147483647, 0, 9, u"9", 9},
    });
}

TEST(NumberCorrection, TheBoundsThemselvesAreAccepted) {
    ExpectCorrections({
        {u"1", 1, 255, 1, 12, u"1", 1},
        {u"255", 1, 255, 1, 3, u"255", 255},
        {u"0", 0, 30, 0, 4, u"0", 0},
        {u"30", 0, 30, 0, 4, u"30", 30},
        {u"65535", 1, 65535, 65535, 5000, u"65535", 65535},
        {u"2147483647", 0, 2147483647, 0, 9, u"2147483647", 2147483647},
    });
}

TEST(NumberCorrection, BelowTheMinimumShowsTheReplacement) {
    ExpectCorrections({
        {u"0", 1, 255, 1, 12, u"1", 1},
        {u"000", 1, 255, 1, 12, u"1", 1},
        {u"0", 1, 65535, 65535, 5000, u"65535", 65535},
        {u"4", 5, 9, 5, 7, u"5", 5},
    });
}

TEST(NumberCorrection, AnythingButTheDigitsZeroToNineIsNotANumber) {
    ExpectCorrections({
        {u"1x", 1, 255, 1, 12, u"1", 1},
        {u"x1", 1, 255, 1, 12, u"1", 1},
        {u"-5", 0, 30, 0, 4, u"0", 0},
        {u"+5", 0, 30, 0, 4, u"0", 0},
        {u" 5", 0, 30, 0, 4, u"0", 0},
        {u"5 ", 0, 30, 0, 4, u"0", 0},
        {u"1.5", 0, 30, 0, 4, u"0", 0},
        {u"\u0663", 0, 30, 0, 4, u"0", 0},  // ARABIC-INDIC DIGIT THREE
        {u"\uFF13", 0, 30, 0, 4, u"0", 0},  // FULLWIDTH DIGIT THREE
        {std::u16string(u"1\0"
                        u"2",
                        3),
         0, 30, 0, 4, u"0", 0},                                     // an embedded zero unit
        {u"\xD83D\xDE00", 1, 65535, 65535, 5000, u"65535", 65535},  // a surrogate pair
        {u"\x0031\x0300", 0, 30, 0, 4, u"0", 0},                    // "1" with a combining mark
    });
}

}  // namespace
}  // namespace fw
