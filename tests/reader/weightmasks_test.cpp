#include "reader/weightmasks.h"

#include <gtest/gtest.h>

#include <cstring>

#include "model/defaults.h"

namespace fw::reader {
namespace {

using editor::Answer;

TEST(WeightMaskFormat, AcceptsOnlyOnePrefixOneCodeRunAndOneAmountRun) {
    const std::pair<std::u16string, bool> cases[] = {
        {u"21CCCCCWWWWWF", true},
        {u"22CCCCCFQQQQQ", true},
        {u"21FCFWF", true},
        {u"2CCCCCWWWWW", false},  // one-digit prefix
        {u"21CCCWWWCCF", false},  // two runs of C
        {u"21CCCCCQQWW", false},  // both Q and W
        {u"21WWWWW", false},      // no code
        {u"21CCCCC", false},      // no weight nor quantity
        {u"21CCCWWWFWW", false},  // two runs of W
        {u"21CCC1WWW", false},    // a digit after the prefix
        {u"21cccwww", false},     // lower case
        {u"21CCCXWWW", false},    // a letter masks do not know
        {u"21" + std::u16string(29, u'C') + u"W", true},
        {u"21" + std::u16string(30, u'C') + u"W", false},
        {u"21C" + std::u16string(16, u'W'), true},
        {u"21C" + std::u16string(17, u'W'), false},
        {u"21C" + std::u16string(17, u'Q'), false},
        {u"21" + std::u16string(14, u'C') + std::u16string(16, u'Q'), true},   // 32 characters
        {u"21" + std::u16string(15, u'C') + std::u16string(16, u'Q'), false},  // 33: no slot
    };
    for (const auto& [mask, valid] : cases)
        EXPECT_EQ(ValidWeightMask(mask), valid) << std::string(mask.begin(), mask.end());
}

class WeightMaskDialogTest : public ::testing::Test {
  protected:
    WeightMaskDialogTest() { NewDefinition(d); }
    void Store(std::vector<std::string> masks) {
        BarcodeRulesRecord r = Rules(d);
        r.WeightMaskCount() = static_cast<Byte>(masks.size());
        for (std::size_t i = 0; i < masks.size(); ++i)
            std::memcpy(r.WeightMask(static_cast<int>(i)).data(), masks[i].c_str(),
                        masks[i].size() + 1);
    }
    std::string Slot(int slot) {
        return reinterpret_cast<const char*>(Rules(d).WeightMask(slot).data());
    }
    Definition d{};
};

TEST_F(WeightMaskDialogTest, AddingDropsBlanksAndIgnoresShortText) {
    WeightMaskDialog dialog = OpenWeightMaskDialog(d);
    EXPECT_TRUE(AddWeightMask(dialog, u"21 CCCCC WWWWW").Accepted());
    EXPECT_EQ(dialog.masks, std::vector<std::u16string>{u"21CCCCCWWWWW"});
    // Fewer than five characters: nothing happens and nothing is said.
    const editor::Outcome shortText = AddWeightMask(dialog, u" 2 1 C W ");
    EXPECT_TRUE(shortText.Refused());
    EXPECT_TRUE(shortText.text.empty());
    EXPECT_EQ(AddWeightMask(dialog, u"21CCCWWWCCF").text, u"Неправильный формат маски!");
    EXPECT_EQ(dialog.masks.size(), 1u);
    ConfirmWeightMaskDialog(d, dialog);
    EXPECT_EQ(Rules(d).WeightMaskCount(), 1);
    EXPECT_EQ(Slot(0), "21CCCCCWWWWW");
}

TEST_F(WeightMaskDialogTest, ASamePrefixAsksBeforeReplacing) {
    Store({"21CCCCCWWWWW"});
    WeightMaskDialog dialog = OpenWeightMaskDialog(d);
    const editor::Outcome question = AddWeightMask(dialog, u"21CCCCQQQQ");
    ASSERT_TRUE(question.Asks());
    EXPECT_EQ(question.text, u"Маска с префиксом '21' существует. Заменить?");
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_TRUE(AddWeightMask(dialog, u"21CCCCQQQQ", Answer::No).Refused());
    EXPECT_EQ(dialog.masks, std::vector<std::u16string>{u"21CCCCCWWWWW"});
    EXPECT_TRUE(AddWeightMask(dialog, u"21CCCCQQQQ", Answer::Yes).Accepted());
    EXPECT_EQ(dialog.masks, std::vector<std::u16string>{u"21CCCCQQQQ"});
}

TEST_F(WeightMaskDialogTest, TwentyMasksRefuseANewPrefixButStillReplace) {
    WeightMaskDialog dialog = OpenWeightMaskDialog(d);
    for (int p = 40; p < 60; ++p) {
        const std::u16string mask =
            std::u16string{char16_t(u'0' + p / 10), char16_t(u'0' + p % 10)} + u"CCCWWW";
        ASSERT_TRUE(AddWeightMask(dialog, mask).Accepted()) << p;
    }
    EXPECT_EQ(AddWeightMask(dialog, u"21CCCWWW").text, u"Можно ввести только 20 масок!");
    EXPECT_TRUE(AddWeightMask(dialog, u"45CQ", Answer::Yes).Refused());  // too short, ignored
    EXPECT_TRUE(AddWeightMask(dialog, u"45CCQQ", Answer::Yes).Accepted());
    ConfirmWeightMaskDialog(d, dialog);
    EXPECT_EQ(Rules(d).WeightMaskCount(), 20);
    EXPECT_EQ(Slot(5), "45CCQQ");
    EXPECT_EQ(Slot(19), "59CCCWWW");
}

TEST_F(WeightMaskDialogTest, OkStoresTheListSortedAndLeavesLaterSlotsAlone) {
    Store({"29CCCWWW", "23CCCQQQ", "27CCCWWW"});
    WeightMaskDialog dialog = OpenWeightMaskDialog(d);
    EXPECT_EQ(dialog.masks, (std::vector<std::u16string>{u"23CCCQQQ", u"27CCCWWW", u"29CCCWWW"}));
    const int first = 0;
    EXPECT_TRUE(RemoveWeightMasks(dialog, std::span(&first, 1)).Accepted());
    ConfirmWeightMaskDialog(d, dialog);
    EXPECT_EQ(Rules(d).WeightMaskCount(), 2);
    EXPECT_EQ(Slot(0), "27CCCWWW");
    EXPECT_EQ(Slot(1), "29CCCWWW");
    // The third slot is past the count and keeps what it held.
    EXPECT_EQ(Slot(2), "27CCCWWW");
}

TEST_F(WeightMaskDialogTest, CancelGivesBackEveryByteOfTheBlock) {
    Store({"21CCCCCWWWWW"});
    Rules(d).WeightBarcodeEnabled() = 1;
    Rules(d).WeightTransferFlag(3, 2) = 1;
    const Block<kBarcodeRulesSize> before = d.barcodeRules;
    WeightMaskDialog dialog = OpenWeightMaskDialog(d);
    RemoveAllWeightMasks(dialog);
    ASSERT_TRUE(AddWeightMask(dialog, u"22CCCCCFQQQQQ").Accepted());
    ConfirmWeightMaskDialog(d, dialog);
    ASSERT_NE(d.barcodeRules, before);
    CancelWeightMaskDialog(d, dialog);
    EXPECT_EQ(d.barcodeRules, before);
}

TEST_F(WeightMaskDialogTest, DamagedBytesReadWithoutHarm) {
    // A count above 20 means no masks; a slot without its zero gives at most 32 characters.
    Rules(d).WeightMaskCount() = 21;
    EXPECT_TRUE(StoredWeightMasks(d).empty());
    Rules(d).WeightMaskCount() = 1;
    std::ranges::fill(Rules(d).WeightMask(0), Byte{'7'});
    ASSERT_EQ(StoredWeightMasks(d).size(), 1u);
    EXPECT_EQ(StoredWeightMasks(d)[0], std::u16string(32, u'7'));
    const Block<kBarcodeRulesSize> before = d.barcodeRules;
    WeightMaskDialog dialog = OpenWeightMaskDialog(d);
    const int wild[] = {-3, 7, 0, 0};
    EXPECT_TRUE(RemoveWeightMasks(dialog, wild).Accepted());
    EXPECT_TRUE(dialog.masks.empty());
    CancelWeightMaskDialog(d, dialog);
    EXPECT_EQ(d.barcodeRules, before);
}

}  // namespace
}  // namespace fw::reader
