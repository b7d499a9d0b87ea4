#include "model/system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "model/unicode.h"

namespace fw {
namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\r' || c == u'\n' || c == u'\t';
}

TEST(SystemErrors, CodeColonAndTheSystemsWords) {
    std::u16string text = SystemErrorText(ENOENT);
    std::size_t colon = text.find(u':');
    ASSERT_NE(colon, std::u16string::npos);
    EXPECT_EQ(Utf16ToUtf8(text.substr(0, colon)), std::to_string(ENOENT));
    // Words follow the colon, and nothing blank ends the text.
    ASSERT_GT(text.size(), colon + 1);
    EXPECT_FALSE(IsBlank(text[colon + 1]));
    EXPECT_FALSE(IsBlank(text.back()));
}

TEST(SystemErrors, NumbersWithoutAMessageSaySo) {
    std::u16string text = SystemErrorText(987654);
    const std::u16string tail = u":FormatMessage failed to find message for error code 987654";
    ASSERT_GT(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    // What stands before it is the number of the failed look-up.
    for (char16_t c : text.substr(0, text.size() - tail.size()))
        EXPECT_TRUE(c >= u'0' && c <= u'9');
}

TEST(ProgramFolder, IsTheExecutablesFolderUntilSetOtherwise) {
#if defined(__linux__)
    EXPECT_EQ(ProgramDirectory(), std::filesystem::read_symlink("/proc/self/exe").parent_path());
#endif
    const std::filesystem::path before = ProgramDirectory();
    SetProgramDirectory("/somewhere/else");
    EXPECT_EQ(ProgramDirectory(), std::filesystem::path("/somewhere/else"));
    SetProgramDirectory(before);
}

}  // namespace
}  // namespace fw
