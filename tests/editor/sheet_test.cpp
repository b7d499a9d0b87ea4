#include "editor/sheet.h"

#include <gtest/gtest.h>

namespace fw::editor::test {
namespace {

TEST(SheetTitle, NamesTheProjectOrANewFile) {
    EXPECT_EQ(SheetTitle(u""), u"Formwright - [ New file ]");
    EXPECT_EQ(SheetTitle(u"Unknow"), u"Formwright - [ New file ]");
    EXPECT_EQ(SheetTitle(u"/home/anna/склад.FWW"), u"Formwright - [ /home/anna/склад.FWW ]");
    EXPECT_EQ(SheetTitle(u"", u"Программа", u"Новый файл"), u"Программа - [ Новый файл ]");
    const std::u16string title = SheetTitle(std::u16string(400, u'я'));
    EXPECT_EQ(title.size(), 299u);
    EXPECT_TRUE(title.starts_with(u"Formwright - [ яя"));
}

}  // namespace
}  // namespace fw::editor::test
