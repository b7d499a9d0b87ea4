#include "model/language.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "model/codepage.h"
#include "model/messages.h"
#include "model/strings.h"
#include "model/test_support.h"
#include "support/temp_folder.h"

namespace fw {
namespace {

// "Русский" in Windows-1251: Р D0, у F3, с F1, с F1, к EA, и E8, й E9.
const std::string kRussian = "\xD0\xF3\xF1\xF1\xEA\xE8\xE9";

std::unique_ptr<Language> Parsed(std::string_view bytes) {
    auto language = std::make_unique<Language>();
    ParseLanguageText(*language, bytes);
    language->loaded = true;
    return language;
}

TEST(LanguageFile, DisplayNameIsTheFirstLine) {
    struct Case {
        std::string bytes;
        std::u16string name;
    };
    const Case cases[] = {
        {kRussian + "\r\n761=x\r\n", u"Русский"},
        {"English\r\n", u"English"},
        {"English", u"English"},
        {"", u""},
        {"\r\nEnglish\r\n", u""},
        // Only the first 100 bytes are looked at.
        {std::string(120, 'a') + "\r\n", std::u16string(100, u'a')},
        {std::string("Eng\0lish\r\n", 10), u"Eng"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LanguageDisplayName(c.bytes), c.name) << c.bytes;
}

TEST(LanguageFile, LinesFillTheTable) {
    auto lang = Parsed(kRussian +
                       "\r\n"
                       "761=\xD3\xF2\xE8\xEB\xE8\xF2\xFB\r\n"  // Утилиты
                       "1121=Fehler\r\n"
                       "\r\n"
                       "  1122=Achtung\r\n"
                       "1123=\r\n"
                       "1124=a=b\r\n"
                       "5=" +
                       std::string(81, 'z') +  // one too many
                       "\r\n"
                       "1800=too far\r\n"
                       "99999999999=much too far\r\n"
                       "-3=negative\r\n"
                       "a line without a sign\r\n"
                       "1131=last line without its end");
    EXPECT_EQ(lang->table[761], u"Утилиты");
    EXPECT_EQ(lang->table[1121], u"Fehler");
    EXPECT_EQ(lang->table[1122], u"Achtung");
    EXPECT_EQ(lang->table[1123], u"");
    EXPECT_EQ(lang->table[1124], u"a=b");
    EXPECT_EQ(lang->table[5], std::u16string(80, u'z'));
    // Stray ids are skipped; the lines after them still count.
    EXPECT_EQ(lang->table[1131], u"last line without its end");
    // The display name is not an entry.
    EXPECT_EQ(lang->table[0], u"");
}

// "id=" and a bare line feed has no text at all, not even the carriage return.
TEST(LanguageFile, AnIdWithoutAnyTextEndsTheFile) {
    auto lang = Parsed("X\r\n761=kept\r\n762=\n763=never read\r\n");
    EXPECT_EQ(lang->table[761], u"kept");
    EXPECT_EQ(lang->table[763], u"");
}

TEST(LanguageFile, OnlyTheFirst17000BytesCount) {
    std::string bytes = "X\r\n";
    bytes += "1=" + std::string(kLanguageFileMax - bytes.size() - 2 - 10, 'p') + "\r\n";
    // 8 bytes are left: "2=abcdef" fits, its CR LF and the next entry do not.
    bytes += "2=abcdefgh\r\n3=gone\r\n";
    auto lang = Parsed(bytes);
    EXPECT_EQ(lang->table[2], u"abcdef");
    EXPECT_EQ(lang->table[3], u"");
}

TEST(LanguageFile, ANewLanguageReplacesTheOldOne) {
    Language lang;
    ParseLanguageText(lang, "A\r\n761=first\r\n762=only in A\r\n");
    ParseLanguageText(lang, "B\r\n761=second\r\n");
    EXPECT_EQ(lang.table[761], u"second");
    EXPECT_EQ(lang.table[762], u"");
}

TEST(LanguageFiles, ScanListsFilesByNameUpToTwenty) {
    test::TempFolder dir;
    dir.Write("b.lng", "Beta\r\n1=x\r\n");
    dir.Write("a.lng", kRussian + "\r\n");
    dir.Write("c.LNG", std::string(45, 'N') + "\r\n");
    dir.Write("d.lng", "\r\n1=nameless\r\n");  // the scan stops here
    dir.Write("e.lng", "Epsilon\r\n");
    dir.Write("notes.txt", "Not a language\r\n");
    Language lang;
    ASSERT_EQ(ScanLanguageFiles(lang, dir.Path()), 3);
    EXPECT_EQ(lang.list[0].name, u"Русский");
    EXPECT_EQ(lang.list[0].path, dir.Path() / "a.lng");
    EXPECT_EQ(lang.list[1].name, u"Beta");
    EXPECT_EQ(lang.list[2].name, std::u16string(kLanguageNameMax, u'N'));

    test::TempFolder many;
    for (int i = 0; i < 25; ++i)
        many.Write("l" + std::to_string(100 + i) + ".lng", "L\r\n");
    EXPECT_EQ(ScanLanguageFiles(lang, many.Path()), kMaxLanguages);
    EXPECT_EQ(lang.list.size(), static_cast<std::size_t>(kMaxLanguages));
    EXPECT_EQ(ScanLanguageFiles(lang, many.Path() / "missing"), 0);
    EXPECT_TRUE(lang.list.empty());
}

TEST(LanguageFiles, ReadLoadsTheFirstOpenFileWhoseNameMatches) {
    test::TempFolder dir;
    dir.Write("a.lng", "English\r\n1121=Oops\r\n");
    dir.Write("b.lng", kRussian + "\r\n1121=\xCE\xF8\xE8\xE1\xEA\xE0\r\n");  // Ошибка
    dir.Write("c.lng", kRussian + "\r\n1121=second\r\n");
    dir.Write("d.lng", std::string(45, 'N') + "\r\n1=long\r\n");
    Language lang;
    ASSERT_EQ(ScanLanguageFiles(lang, dir.Path()), 4);

    EXPECT_TRUE(ReadLanguageFile(lang, u"Русский"));
    EXPECT_TRUE(lang.loaded);
    EXPECT_EQ(LoadUiString(lang, 1121), u"Ошибка");

    for (const char16_t* name : {u"english", u"0", u""}) {
        EXPECT_FALSE(ReadLanguageFile(lang, name));
        EXPECT_FALSE(lang.loaded);
        EXPECT_EQ(LoadUiString(lang, 1121), u"Error");
    }

    // A name kept to 40 characters still finds its file.
    EXPECT_TRUE(ReadLanguageFile(lang, std::u16string(40, u'N')));
    EXPECT_TRUE(ReadLanguageFile(lang, std::u16string(45, u'N')));
    EXPECT_FALSE(ReadLanguageFile(lang, std::u16string(39, u'N')));

    // A file that has gone since the scan gives way to the next of the same name.
    std::filesystem::remove(dir.Path() / "b.lng");
    EXPECT_TRUE(ReadLanguageFile(lang, u"Русский"));
    EXPECT_EQ(LoadUiString(lang, 1121), u"second");
    std::filesystem::remove(dir.Path() / "c.lng");
    EXPECT_FALSE(ReadLanguageFile(lang, u"Русский"));
    EXPECT_FALSE(lang.loaded);
}

TEST(UiStrings, LanguageEntryWinsOnlyWhereItHasOne) {
    auto lang = Parsed("X\r\n1121=Fehlermeldung\r\n1122=\r\n");
    EXPECT_EQ(LoadUiString(*lang, 1121), u"Fehlermeldung");
    EXPECT_EQ(LoadUiString(*lang, 1121, 7), u"Fehler");
    EXPECT_EQ(LoadUiString(*lang, 1122), u"Warning");  // empty entry: built-in text
    EXPECT_EQ(LoadUiString(*lang, 1122, 4), u"War");
    EXPECT_EQ(LoadUiString(*lang, 1122, 0), u"");
    EXPECT_EQ(LoadUiString(*lang, 1801), u"Тип считывателя");  // beyond the table
    EXPECT_EQ(LoadUiString(*lang, 1011), u"");
    EXPECT_EQ(LoadUiString(*lang, -5), u"");
    lang->loaded = false;
    EXPECT_EQ(LoadUiString(*lang, 1121), u"Error");
}

TEST(Messages, CaptionAndTextComeFromTheirIds) {
    test::RecordingPresenter presenter;
    presenter.answer = kIdYes;
    auto lang = Parsed("X\r\n1123=Laden\r\n");
    EXPECT_EQ(ShowMessageById(presenter, *lang, kCaptionDownload, 1132, MessageIcon::Information,
                              MessageButtons::YesNo, u"12 ms"),
              kIdYes);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].caption, u"Laden");
    EXPECT_EQ(presenter.shown[0].text, u"Downloaded completely!\r\n12 ms");
    EXPECT_EQ(presenter.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(presenter.shown[0].buttons, MessageButtons::YesNo);

    // Without a text there is nothing to show.
    EXPECT_EQ(ShowMessageById(presenter, *lang, kCaptionError, 1011, MessageIcon::Error), 0);
    EXPECT_EQ(ShowMessageById(presenter, *lang, 1011, 1132, MessageIcon::Error), 0);
    EXPECT_EQ(presenter.shown.size(), 1u);
}

bool HasCyrillic(std::u16string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char16_t ch) { return ch >= 0x0400 && ch <= 0x04FF; });
}

// Choosing the English sample must leave no Russian text anywhere a language file reaches:
// every id below 1800 that has a built-in text, and every id only a language file gives.
TEST(EnglishSample, GivesEveryTextALanguageFileCanCarryWithoutRussian) {
    std::string bytes =
        test::ReadFile(std::filesystem::path(FW_SOURCE_DIR) / "samples/English.lng");
    ASSERT_FALSE(bytes.empty());
    EXPECT_LE(bytes.size(), kLanguageFileMax) << "the program reads no further";
    EXPECT_EQ(LanguageDisplayName(bytes), u"English");
    auto lang = Parsed(bytes);

    std::vector<int> ids(LanguageOnlyTextIds().begin(), LanguageOnlyTextIds().end());
    int russianBuiltIn = 0;
    for (int id = 0; id < kLanguageTableSize; ++id) {
        if (!HasBuiltInString(id)) continue;
        ids.push_back(id);
        if (HasCyrillic(BuiltInString(id))) ++russianBuiltIn;
    }
    EXPECT_GT(russianBuiltIn, 0) << "the check would prove nothing";
    for (int id : ids) {
        const std::u16string& english = lang->table[static_cast<std::size_t>(id)];
        EXPECT_FALSE(english.empty()) << id;
        EXPECT_FALSE(HasCyrillic(english)) << id;
        // What the program shows is the file's text, not a built-in one.
        EXPECT_EQ(LoadUiString(*lang, id), english.substr(0, kUiTextMax)) << id;
    }
}

}  // namespace
}  // namespace fw
