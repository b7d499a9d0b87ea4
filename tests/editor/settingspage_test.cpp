#include "editor/settingspage.h"

#include "editor/commit.h"
#include "editor_support.h"
#include "model/codepage.h"

namespace fw::editor::test {
namespace {

using SettingsPageTest = EditorTest;

Byte& At(EditingSession& s, std::size_t offset) {
    return s.working.terminalSettings[offset];
}

TEST_F(SettingsPageTest, EachListStoresItsCodeAtItsByte) {
    struct Case {
        SettingsList list;
        std::size_t offset;
        int lastIndex;
    };
    // Offsets and list lengths worked out from the terminal settings layout.
    for (Case c : {Case{SettingsList::UploadPort, 5, 4},
                   {SettingsList::DownloadPort, 27, 4},
                   {SettingsList::ModemSpeed, 115, 4},
                   {SettingsList::BaudRate, 28, 4},
                   {SettingsList::Backlight, 29, 1},
                   {SettingsList::DataDeletion, 31, 2},
                   {SettingsList::EntryOption, 32, 2},
                   {SettingsList::KeyClick, 137, 5},
                   {SettingsList::GoodReadBeep, 138, 3},
                   {SettingsList::WarningBeep, 139, 3},
                   {SettingsList::Vibration, 257, 5},
                   {SettingsList::Volume, 259, 2}}) {
        SCOPED_TRACE(c.offset);
        // The modem speed is only offered while a port is the modem.
        At(s, 5) = c.list == SettingsList::ModemSpeed ? 2 : 0;
        At(s, 27) = 0;
        ASSERT_TRUE(SelectSetting(s, c.list, c.lastIndex).Accepted());
        EXPECT_EQ(At(s, c.offset), c.lastIndex);
        const ListView view = ViewSettingsPage(s).lists[static_cast<std::size_t>(c.list)];
        EXPECT_EQ(view.entries.size(), static_cast<std::size_t>(c.lastIndex + 1));
        EXPECT_EQ(view.selected, c.lastIndex);
        const Block<kTerminalSettingsSize> before = s.working.terminalSettings;
        EXPECT_TRUE(SelectSetting(s, c.list, c.lastIndex + 1).Refused());
        EXPECT_TRUE(SelectSetting(s, c.list, -1).Refused());
        EXPECT_EQ(s.working.terminalSettings, before);
    }
}

TEST_F(SettingsPageTest, ThePortsDecideWhatIsEnabled) {
    struct Case {
        int upload, download;
        bool uploadPhone, downloadPhone, modemSpeed, baudRate, network;
    };
    for (Case c : {Case{2, 2, true, true, true, false, false},
                   {2, 0, true, false, true, true, false},
                   {1, 2, false, true, true, true, false},
                   {0, 3, false, false, false, true, false},
                   {4, 1, false, false, false, true, true},
                   {0, 4, false, false, false, true, true}}) {
        SCOPED_TRACE(testing::Message() << c.upload << "/" << c.download);
        At(s, 5) = static_cast<Byte>(c.upload);
        At(s, 27) = static_cast<Byte>(c.download);
        const SettingsPageView v = ViewSettingsPage(s);
        EXPECT_EQ(v.uploadPhoneEnabled, c.uploadPhone);
        EXPECT_EQ(v.downloadPhoneEnabled, c.downloadPhone);
        EXPECT_EQ(v.lists[static_cast<std::size_t>(SettingsList::ModemSpeed)].enabled,
                  c.modemSpeed);
        EXPECT_EQ(v.lists[static_cast<std::size_t>(SettingsList::BaudRate)].enabled, c.baudRate);
        EXPECT_EQ(v.networkEnabled, c.network);
        EXPECT_EQ(SelectSetting(s, SettingsList::BaudRate, 3).Accepted(), c.baudRate);
        EXPECT_EQ(SelectSetting(s, SettingsList::ModemSpeed, 3).Accepted(), c.modemSpeed);
        At(s, 28) = At(s, 115) = 0;
    }
}

TEST_F(SettingsPageTest, ListsShowTheirTexts) {
    const SettingsPageView v = ViewSettingsPage(s);
    const auto& click = v.lists[static_cast<std::size_t>(SettingsList::KeyClick)].entries;
    EXPECT_EQ(click[0].text, u"Mute");
    EXPECT_EQ(click[1].text, u"Tone 1");
    EXPECT_EQ(click[5].text, u"Tone 5");
    EXPECT_EQ(v.lists[static_cast<std::size_t>(SettingsList::UploadPort)].entries[3].text,
              u"Bluetooth SPP");
    EXPECT_EQ(v.lists[static_cast<std::size_t>(SettingsList::BaudRate)].entries[4].text,
              u"9600 bps");
    EXPECT_EQ(v.lists[static_cast<std::size_t>(SettingsList::Vibration)].entries[2].text,
              u"2 сек.");
}

TEST_F(SettingsPageTest, PhoneNumbersAreCutToTwentyAndStoredInTheCodePage) {
    Terminal(s.working).UploadPhone()[20] = 0;
    const Block<kTerminalSettingsSize> before = s.working.terminalSettings;
    EXPECT_FALSE(EditPhone(s, PhoneOf::Upload, u"123").stored) << "not a modem port";
    EXPECT_EQ(s.working.terminalSettings, before);

    At(s, 5) = 2;
    At(s, 27) = 2;
    const EditResult r = EditPhone(s, PhoneOf::Upload, u"+7 (495) 123-45-67 доб. 89");
    EXPECT_EQ(r.shown, u"+7 (495) 123-45-67 д");
    EXPECT_EQ(At(s, 6 + 19), 0xE4) << "д in windows-1251";
    EXPECT_EQ(At(s, 6 + 20), 0);
    EditPhone(s, PhoneOf::Download, u"0042");
    EXPECT_EQ(CellToUtf16(Terminal(s.working).DownloadPhone()), u"0042");
    EXPECT_EQ(At(s, 116), '0');
}

TEST_F(SettingsPageTest, TheBacklightTimeoutKeepsOneDigit) {
    struct Case {
        int old;
        std::u16string_view typed;
        int stored;
    };
    for (Case c : {Case{2, u"27", 7},
                   {2, u"72", 7},
                   {2, u"7", 7},
                   {2, u"0", 1},
                   {2, u"", 1},
                   {2, u"x", 1},
                   {2, u"2a", 1},
                   {5, u"05", 5},
                   {3, u"30", 1},
                   {4, u"44", 4},
                   {9, u"19", 1}}) {
        SCOPED_TRACE(testing::Message() << c.old << " then " << EncodeCp1251(c.typed));
        At(s, 30) = static_cast<Byte>(c.old);
        const EditResult r = EditBacklightTimeout(s, c.typed);
        EXPECT_EQ(At(s, 30), c.stored);
        EXPECT_EQ(r.shown, NumberText(c.stored));
    }
}

TEST_F(SettingsPageTest, ThePromptDurationAndItsTwoWaits) {
    SettingsPageState page = OpenSettingsPage(s);
    EXPECT_EQ(At(s, 33), 6);
    struct Case {
        std::u16string_view typed;
        int stored;
    };
    for (Case c : {Case{u"150", 15}, {u"07", 7}, {u"99", 99}, {u"4", 4}}) {
        const EditResult r = EditPromptDuration(s, page, c.typed);
        EXPECT_EQ(At(s, 33), c.stored);
        EXPECT_EQ(r.shown, NumberText(c.stored));
    }
    ASSERT_TRUE(SelectPromptWait(s, page, false).Accepted());
    EXPECT_EQ(At(s, 33), 0);
    SettingsPageView v = ViewSettingsPage(s);
    EXPECT_FALSE(v.stayOnLcd);
    EXPECT_FALSE(v.promptDurationEnabled);
    EXPECT_FALSE(EditPromptDuration(s, page, u"12").stored) << "the edit is disabled";
    ASSERT_TRUE(SelectPromptWait(s, page, true).Accepted());
    EXPECT_EQ(At(s, 33), 4) << "the last duration comes back";

    EditPromptDuration(s, page, u"1x");
    EXPECT_EQ(At(s, 33), 0) << "not a number";

    ASSERT_TRUE(SelectSetting(s, SettingsList::EntryOption, 0).Accepted());
    v = ViewSettingsPage(s);
    EXPECT_FALSE(v.promptWaitEnabled);
    EXPECT_TRUE(SelectPromptWait(s, page, true).Refused());
}

TEST_F(SettingsPageTest, ResetRestoresTheDefaultsButNotTheVolume) {
    SettingsPageState page = OpenSettingsPage(s);
    for (std::size_t i = 5; i < 150; ++i)
        At(s, i) = 3;
    At(s, 257) = 4;
    At(s, 259) = 2;
    At(s, 1) = 1;    // program start: the Startup page's
    At(s, 256) = 1;  // reader type: the Barcode page's
    ResetSettings(s, page);
    struct Expect {
        std::size_t offset;
        int value;
    };
    for (Expect e : {Expect{5, 0}, {27, 0}, {115, 0}, {28, 0},  {29, 0},  {30, 2},  {31, 0},
                     {32, 1},      {33, 6}, {137, 2}, {138, 1}, {139, 2}, {257, 0}, {6, 0},
                     {116, 0},     {34, 0}, {45, 0},  {140, 0}, {142, 0}, {58, 0},  {64, 0},
                     {259, 2},     {46, 3}, {1, 1},   {256, 1}, {82, 3}}) {
        SCOPED_TRACE(e.offset);
        EXPECT_EQ(At(s, e.offset), e.value);
    }
}

TEST_F(SettingsPageTest, CommitTakesThePagesBytesAndLeavesTheOthers) {
    Definition& d = ws->definition;
    Terminal(d).UploadPort() = 3;  // Bluetooth when the sheet opened
    Terminal(d).DownloadPort() = 1;
    s = OpenSession(d, ws->language);
    for (std::size_t i = 0; i < kTerminalSettingsSize; ++i)
        At(s, i) = 0xA5;
    At(s, 5) = 0;
    At(s, 27) = 3;
    CommitSheet(s, *ws);
    const auto& t = d.terminalSettings;
    EXPECT_EQ(t[5], 0);
    EXPECT_EQ(t[27], 3);
    for (std::size_t i : {28u, 33u, 34u, 50u, 58u, 64u, 82u, 115u, 130u, 139u, 142u, 257u, 259u})
        EXPECT_EQ(t[i], 0xA5) << i;
    // The delimiters (kept by the Startup page apart from the bytes) belong to another page; the
    // reserved bytes are nobody's to edit.
    for (std::size_t i : {0u, 2u, 57u, 65u, 83u, 143u, 261u})
        EXPECT_NE(t[i], 0xA5) << i;
    EXPECT_EQ(t[255], 1) << "the upload port was Bluetooth before";
}

TEST_F(SettingsPageTest, OutOfRangeBytesAreShownWithoutChange) {
    At(s, 5) = 9;
    At(s, 137) = 200;
    At(s, 30) = 50;
    At(s, 33) = 150;
    const Block<kTerminalSettingsSize> before = s.working.terminalSettings;
    const SettingsPageView v = ViewSettingsPage(s);
    EXPECT_EQ(v.lists[static_cast<std::size_t>(SettingsList::UploadPort)].selected, -1);
    EXPECT_EQ(v.lists[static_cast<std::size_t>(SettingsList::KeyClick)].selected, -1);
    EXPECT_EQ(v.backlightTimeout, u"50");
    EXPECT_EQ(v.promptDuration, u"150");
    EXPECT_TRUE(v.stayOnLcd);
    EXPECT_EQ(s.working.terminalSettings, before);
    EXPECT_EQ(OpenSettingsPage(s).keptDuration, 6);
}

}  // namespace
}  // namespace fw::editor::test
