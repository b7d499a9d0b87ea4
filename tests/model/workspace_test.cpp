#include "model/workspace.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/codepage.h"
#include "model/strings.h"
#include "support/temp_folder.h"

namespace fw {
namespace {

std::unique_ptr<Workspace> Started(const test::TempFolder& dir) {
    auto ws = std::make_unique<Workspace>();
    StartWorkspace(*ws, dir.Path());
    return ws;
}

std::vector<std::u16string> Paths(std::initializer_list<const char16_t*> paths) {
    std::vector<std::u16string> out;
    for (const char16_t* p : paths)
        out.emplace_back(p);
    return out;
}

TEST(RecentFiles, MostRecentFirstAndAtMostFour) {
    test::TempFolder dir;
    auto ws = Started(dir);
    for (const char* name : {"a.FWW", "b.FWW", "c.FWW", "d.FWW"})
        UpdateRecentFiles(*ws, name);
    EXPECT_EQ(ws->settings.recentFiles, Paths({u"d.FWW", u"c.FWW", u"b.FWW", u"a.FWW"}));

    // A fifth project pushes the oldest out.
    UpdateRecentFiles(*ws, "e.FWW");
    EXPECT_EQ(ws->settings.recentFiles, Paths({u"e.FWW", u"d.FWW", u"c.FWW", u"b.FWW"}));
    EXPECT_EQ(ws->settings.lastProjectPath, u"e.FWW");

    // Opening one that is listed moves it to the front; nothing drops out.
    UpdateRecentFiles(*ws, "c.FWW");
    EXPECT_EQ(ws->settings.recentFiles, Paths({u"c.FWW", u"e.FWW", u"d.FWW", u"b.FWW"}));
    UpdateRecentFiles(*ws, "c.FWW");
    EXPECT_EQ(ws->settings.recentFiles, Paths({u"c.FWW", u"e.FWW", u"d.FWW", u"b.FWW"}));

    // The comparison is exact: another spelling is another project.
    UpdateRecentFiles(*ws, "C.FWW");
    EXPECT_EQ(ws->settings.recentFiles, Paths({u"C.FWW", u"c.FWW", u"e.FWW", u"d.FWW"}));
}

TEST(RecentFiles, ShellHearsFirstThenTheFileIsRewritten) {
    test::TempFolder dir;
    auto ws = Started(dir);
    UpdateRecentFiles(*ws, "first.FWW");

    const std::u16string second = (dir.Path() / "second.FWW").u16string();
    int calls = 0;
    std::string fileDuringCall;
    ws->recentFilesChanged = [&] {
        ++calls;
        EXPECT_EQ(ws->settings.recentFiles.front(), second);
        fileDuringCall = dir.Read(kSettingsFileName);
    };
    UpdateRecentFiles(*ws, dir.Path() / "second.FWW");
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(fileDuringCall.find("second.FWW"), std::string::npos);

    Settings onDisk;
    ASSERT_TRUE(ReadSettings(onDisk, dir.Path()));
    EXPECT_EQ(onDisk.lastProjectPath, second);
    EXPECT_EQ(onDisk.recentFiles, (std::vector<std::u16string>{second, u"first.FWW"}));
}

TEST(Start, LanguageNamedInTheSettingsProvidesTheDefaultTexts) {
    test::TempFolder dir;
    dir.Write(kSettingsFileName, "Unknow\r0\r0\r1\r0\ret=0\rnport=65535\r0\r0\rTest\r");
    // A 23-character first line for the utilities menu; the terminal shows 20 of them.
    dir.Write("test.lng",
              "Test\r\n761=" + EncodeCp1251(u"Настройка программы ТСД") + "\r\n1121=Fehler\r\n");
    dir.Write("other.lng", "Other\r\n761=wrong one\r\n");
    auto ws = Started(dir);
    EXPECT_TRUE(ws->language.loaded);
    EXPECT_EQ(ws->language.list.size(), 2u);
    EXPECT_EQ(CellToUtf16(ScreenTextLine(ws->definition, 3, 0)), u"Настройка программы ");
    EXPECT_EQ(CellToUtf16(ScreenTextLine(ws->definition, 3, 1)), u"2. Browse Data      ");

    MessageRequest seen;
    struct Presenter : MessagePresenter {
        MessageRequest* seen;
        int Show(const MessageRequest& r) override {
            *seen = r;
            return kIdOk;
        }
    } presenter;
    presenter.seen = &seen;
    EXPECT_EQ(ShowMessage(*ws, kCaptionError, 1171, MessageIcon::Warning), 0);
    ws->presenter = &presenter;
    EXPECT_EQ(ShowMessage(*ws, kCaptionError, 1171, MessageIcon::Warning), kIdOk);
    EXPECT_EQ(seen.caption, u"Fehler");
    EXPECT_EQ(seen.text, u"Format mismatch !!!");
}

TEST(Start, WithoutAMatchingLanguageTheBuiltInTextsAreUsed) {
    test::TempFolder none;
    auto ws = Started(none);
    EXPECT_FALSE(ws->language.loaded);
    EXPECT_EQ(ws->settings.networkPort, 65535);
    EXPECT_EQ(CellToUtf16(ScreenTextLine(ws->definition, 3, 0)), u"1. Program Settings ");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(ws->definition.formatTag.data())),
              "M740-5.01");

    test::TempFolder dir;
    dir.Write(kSettingsFileName, "Unknow\r0\r0\r1\r0\ret=0\rnport=65535\r0\r0\r0\r");
    dir.Write("test.lng", "Test\r\n761=unused\r\n");
    auto other = Started(dir);
    EXPECT_EQ(other->language.list.size(), 1u);
    EXPECT_FALSE(other->language.loaded);
    EXPECT_EQ(CellToUtf16(ScreenTextLine(other->definition, 3, 0)), u"1. Program Settings ");
}

}  // namespace
}  // namespace fw
