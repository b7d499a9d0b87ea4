#include <gtest/gtest.h>

#include "reader/gs1list.h"

namespace fw::reader {
namespace {

// A rule stores the item's position, so a shifted entry would send files to the wrong item.
TEST(Gs1List, HoldsEveryItemAtItsStoredPosition) {
    EXPECT_EQ(kGs1Items.size(), 234u);
    const std::pair<int, std::u16string_view> positions[] = {
        {0, u"<Штрихкод полностью>"},
        {1, u"AI(0)"},
        {28, u"AI(17) только день"},
        {43, u"AI(310y)"},
        {99, u"AI(391y) с расшифровкой валюты"},
        {146, u"AI(703s) порядковый номер процесса (s)"},
        {197, u"AI(8007)"},
        {198, u"AI(8007) целиком"},
        {212, u"AI(8100) только U.P.C. префикс"},
        {214, u"AI(8101) целиком"},
        {217, u"AI(8101) целиком"},
        {233, u"AI(99)"},
    };
    for (const auto& [index, text] : positions)
        EXPECT_EQ(Gs1ItemText(index), text) << index;
}

TEST(Gs1List, AnIndexOutsideTheListReadsAsNothing) {
    for (int index : {-1, 234, 240, 255})
        EXPECT_TRUE(Gs1ItemText(index).empty()) << index;
}

}  // namespace
}  // namespace fw::reader
