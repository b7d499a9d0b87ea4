#include "model/workspace.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/codepage.h"
#include "model/strings.h"
#include "model/test_support.h"
#include "support/temp_folder.h"

namespace fw {
namespace {

std::unique_ptr<Workspace> Started(const test::TempFolder& dir) {
    auto ws = std::make_unique<Workspace>();
    StartWorkspace(*ws, dir.Path());
    return ws;
}

using Paths = std::vector<std::u16string>;

TEST(RecentFiles, MostRecentFirstAndAtMostFour) {
    test::TempFolder dir;
    auto ws = Started(dir);
    for (const char* name : {"a.FWW", "b.FWW", "c.FWW", "d.FWW"})
        UpdateRecentFiles(*ws, name);
    EXPECT_EQ(ws->settings.recentFiles, (Paths{u"d.FWW", u"c.FWW", u"b.FWW", u"a.FWW"}));

    // A fifth project pushes the oldest out.
    UpdateRecentFiles(*ws, "e.FWW");
    EXPECT_EQ(ws->settings.recentFiles, (Paths{u"e.FWW", u"d.FWW", u"c.FWW", u"b.FWW"}));
    EXPECT_EQ(ws->settings.lastProjectPath, u"e.FWW");

    // Opening one that is listed moves it to the front; nothing drops out.
    UpdateRecentFiles(*ws, "c.FWW");
    EXPECT_EQ(ws->settings.recentFiles, (Paths{u"c.FWW", u"e.FWW", u"d.FWW", u"b.FWW"}));
    UpdateRecentFiles(*ws, "c.FWW");
    EXPECT_EQ(ws->settings.recentFiles, (Paths{u"c.FWW", u"e.FWW", u"d.FWW", u"b.FWW"}));

    // The comparison is exact: another spelling is another project.
    UpdateRecentFiles(*ws, "C.FWW");
    EXPECT_EQ(ws->settings.recentFiles, (Paths{u"C.FWW", u"c.FWW", u"e.FWW", u"d.FWW"}));
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
    EXPECT_EQ(onDisk.recentFiles, (Paths{second, u"first.FWW"}));
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
    EXPECT_EQ(test::Str(ws->definition.formatTag), std::string("M740-5.01", 10));

    // Messages go through the language too, once something can show them.
    test::RecordingPresenter presenter;
    EXPECT_EQ(ShowMessage(*ws, kCaptionError, 1171, MessageIcon::Warning), 0);
    ws->presenter = &presenter;
    EXPECT_EQ(ShowMessage(*ws, kCaptionError, 1171, MessageIcon::Warning), kIdOk);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].caption, u"Fehler");
    EXPECT_EQ(presenter.shown[0].text, u"Format mismatch !!!");
}

TEST(Start, WithoutAMatchingLanguageTheBuiltInTextsAreUsed) {
    test::TempFolder none;
    test::TempFolder unnamed;
    unnamed.Write(kSettingsFileName, "Unknow\r0\r0\r1\r0\ret=0\rnport=65535\r0\r0\r0\r");
    unnamed.Write("test.lng", "Test\r\n761=unused\r\n");
    for (const test::TempFolder* dir : {&none, &unnamed}) {
        auto ws = Started(*dir);
        EXPECT_EQ(ws->language.list.size(), dir == &none ? 0u : 1u);
        EXPECT_FALSE(ws->language.loaded);
        EXPECT_EQ(ws->settings.networkPort, 65535);
        EXPECT_EQ(CellToUtf16(ScreenTextLine(ws->definition, 3, 0)), u"1. Program Settings ");
    }
}

}  // namespace
}  // namespace fw
