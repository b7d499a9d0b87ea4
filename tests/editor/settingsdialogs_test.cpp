#include "editor/formpage.h"
#include "editor/functionkeydlg.h"
#include "editor/networkdlg.h"
#include "editor/securitydlg.h"
#include "editor/variablesdlg.h"
#include "editor_support.h"
#include "model/codepage.h"

namespace fw::editor::test {
namespace {

class SettingsDialogTest : public EditorTest {
  protected:
    Byte& At(std::size_t offset) { return s.working.terminalSettings[offset]; }
};

// ---- security ---------------------------------------------------------------------------

using SecurityTest = SettingsDialogTest;

TEST_F(SecurityTest, ThePasswordKeepsTenDigitsAndLatinLetters) {
    struct Case {
        std::u16string_view typed;
        std::u16string_view kept;
        std::u16string_view warning;
    };
    for (Case c : {Case{u"abcdefghijk", u"abcdefghij", u"Password is too long!!!"},
                   {u"ab!c", u"abc", u"Invalid character!!!"},
                   {u"Пароль1", u"1", u"Invalid character!!!"},
                   {u"A1 b2", u"A1b2", u"Invalid character!!!"},
                   {u"Zz09", u"Zz09", u""},
                   {u"", u"", u""}}) {
        SCOPED_TRACE(EncodeCp1251(c.typed));
        SecurityDialog d = OpenSecurityDialog(s);
        const EditResult r = EditPassword(s, d, c.typed);
        EXPECT_EQ(r.shown, c.kept);
        EXPECT_EQ(r.warning, c.warning);
        EXPECT_EQ(r.caption, c.warning.empty() ? u"" : u"Warning");
        EXPECT_EQ(ViewSecurityDialog(d).password, c.kept);
        const std::string bytes = EncodeCp1251(c.kept);
        EXPECT_EQ(d.settings[46 + bytes.size()], 0);
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), d.settings.begin() + 46));
    }
}

TEST_F(SecurityTest, ProtectingTheSettingsMenuLocksItsEntries) {
    SecurityDialog d = OpenSecurityDialog(s);
    ASSERT_TRUE(SetSecurityFlag(d, 7, true).Accepted());
    ASSERT_TRUE(SetSecurityFlag(d, 0, true).Accepted());
    const SecurityDialogView v = ViewSecurityDialog(d);
    for (int i = 0; i < kSecurityFlagCount; ++i)
        EXPECT_EQ(v.flags[static_cast<std::size_t>(i)].enabled, i < 6) << i;
    EXPECT_EQ(v.flags[12].caption, u"Key Click");
    EXPECT_TRUE(SetSecurityFlag(d, 7, false).Refused());
    EXPECT_TRUE(SetSecurityFlag(d, 13, true).Refused());
    EXPECT_TRUE(SetSecurityFlag(d, 3, true).Accepted());
    EXPECT_TRUE(SetSecurityFlag(d, 15, true).Refused());
    ASSERT_TRUE(SetSecurityFlag(d, 0, false).Accepted());
    ASSERT_TRUE(SetSecurityFlag(d, 14, true).Accepted());
    EXPECT_EQ(d.settings[34 + 7], 1);
    EXPECT_EQ(d.settings[34 + 3], 1);
    EXPECT_EQ(d.settings[142], 1);
}

TEST_F(SecurityTest, OkHandsOverFlagsAndPasswordAndCancelNothing) {
    const Block<kTerminalSettingsSize> before = s.working.terminalSettings;
    SecurityDialog d = OpenSecurityDialog(s);
    SetSecurityFlag(d, 11, true);
    SetSecurityFlag(d, 12, true);
    EditPassword(s, d, u"k3y");
    d.settings[5] = 4;  // not the dialog's to hand over
    EXPECT_EQ(s.working.terminalSettings, before) << "the dialog edits its own copy";
    ConfirmSecurityDialog(s, d);
    EXPECT_EQ(At(45), 1);
    EXPECT_EQ(At(140), 1);
    EXPECT_EQ(CellToUtf16(Terminal(s.working).Password()), u"k3y");
    EXPECT_EQ(At(5), 0);
}

// ---- function keys ------------------------------------------------------------------------

using FunctionKeyTest = SettingsDialogTest;

TEST_F(FunctionKeyTest, KeysAreChosenOnlyWhileTheMappingIsOn) {
    FunctionKeyDialog d = OpenFunctionKeyDialog(s);
    EXPECT_FALSE(ViewFunctionKeyDialog(s, d).keys[0].enabled);
    EXPECT_TRUE(SelectFunctionKey(d, 0, 3).Refused());
    ASSERT_TRUE(SetFunctionKeysEnabled(d, true).Accepted());
    ASSERT_TRUE(SelectFunctionKey(d, 6, 20).Accepted());
    ASSERT_TRUE(SelectFunctionKey(d, 0, 19).Accepted());
    EXPECT_TRUE(SelectFunctionKey(d, 7, 1).Refused());
    EXPECT_TRUE(SelectFunctionKey(d, 1, 21).Refused());
    const FunctionKeyDialogView v = ViewFunctionKeyDialog(s, d);
    EXPECT_EQ(v.keys[6].entries[20].text, u"Текст ТСД");
    EXPECT_EQ(v.keys[0].entries[19].text, u"Calculator");
    EXPECT_EQ(v.keys[6].selected, 20);
    EXPECT_EQ(At(64), 0) << "nothing reaches the page before OK";
    ConfirmFunctionKeyDialog(s, d);
    EXPECT_EQ(At(82), 1);
    EXPECT_EQ(At(58), 19);
    EXPECT_EQ(At(64), 20);
}

TEST_F(FunctionKeyTest, UnknownStoredFunctionsStayAsTheyAre) {
    At(60) = 77;
    At(82) = 5;
    FunctionKeyDialog d = OpenFunctionKeyDialog(s);
    const FunctionKeyDialogView v = ViewFunctionKeyDialog(s, d);
    EXPECT_TRUE(v.enabled);
    EXPECT_EQ(v.keys[2].selected, -1);
    ConfirmFunctionKeyDialog(s, d);
    EXPECT_EQ(At(60), 77);
    EXPECT_EQ(At(82), 5);
}

// ---- variables ----------------------------------------------------------------------------

using VariablesTest = SettingsDialogTest;

TEST_F(VariablesTest, ANameAlreadyTakenSnapsBack) {
    VariablesDialog d = OpenVariablesDialog(s);
    EditResult r = EditVariableName(d, 2, u"Переменная1");
    EXPECT_FALSE(r.stored);
    EXPECT_EQ(r.shown, u"Переменная2");
    r = EditVariableName(d, 2, u"Количество на складе в упаковках");
    EXPECT_TRUE(r.stored);
    EXPECT_EQ(r.shown, u"Количество на складе");
    EXPECT_EQ(ViewVariablesDialog(d)[1], u"Количество на складе");
    EXPECT_FALSE(EditVariableName(d, 5, u"Количество на складе и ещё").stored)
        << "equal once cut to twenty";
    EXPECT_FALSE(EditVariableName(d, 11, u"x").stored);
}

TEST_F(VariablesTest, OkRefusesEmptyAndEqualNamesInOrder) {
    const Block<kVariableNamesSize> before = s.working.variableNames;
    VariablesDialog d = OpenVariablesDialog(s);
    ASSERT_TRUE(EditVariableName(d, 3, u"").stored);
    Outcome o = ConfirmVariablesDialog(s, d);
    ASSERT_TRUE(o.Refused());
    EXPECT_EQ(o.text, u"Имя переменной №3 не задано");
    EXPECT_EQ(s.working.variableNames, before);

    ResetVariableNames(d);
    EXPECT_EQ(ViewVariablesDialog(d)[2], u"Переменная3");
    // A loaded file may already hold equal names.
    StoreCellText(VariableNamesRecord(d.names.data()).Name(5), u"Переменная2");
    StoreCellText(VariableNamesRecord(d.names.data()).Name(9), u"Переменная7");
    o = ConfirmVariablesDialog(s, d);
    ASSERT_TRUE(o.Refused());
    EXPECT_EQ(o.text, u"Имена Переменнной 2 и Переменной 5 совпадают");
    EXPECT_EQ(s.working.variableNames, before);
}

TEST_F(VariablesTest, AcceptedNamesShowInTheFormsLists) {
    Variables(s.working).VariableNibbles()[0] = 0x37;
    VariablesDialog d = OpenVariablesDialog(s);
    d.names[210] = 0;  // the dialog hands over the names only
    ASSERT_TRUE(EditVariableName(d, 4, u"Склад").stored);
    ASSERT_TRUE(ConfirmVariablesDialog(s, d).Accepted());
    EXPECT_EQ(VariableListView(s, 4).entries[3].text, u"Склад");
    EXPECT_EQ(Variables(s.working).VariableNibbles()[0], 0x37);
}

// ---- network ------------------------------------------------------------------------------

using NetworkTest = SettingsDialogTest;

TEST_F(NetworkTest, TheCheckBoxesAndTheEncryptionDecideWhatIsEnabled) {
    NetworkDialog d = OpenNetworkDialog(s);
    NetworkDialogView v = ViewNetworkDialog(s, d);
    EXPECT_FALSE(v.dhcpEnabled || v.ssidEnabled || v.encryption.enabled || v.addresses[0].enabled);
    EXPECT_TRUE(SelectEncryption(d, 1).Refused());
    EXPECT_TRUE(SetAddressPart(d, NetAddress::Server, 0, 10).Refused());
    ASSERT_TRUE(SetNetworkFlag(d, NetFlag::Use, true).Accepted());
    struct Case {
        int encryption;
        bool wep, wpa, eap;
    };
    for (Case c : {Case{0, false, false, false},
                   {1, true, false, false},
                   {2, false, true, false},
                   {3, false, true, false},
                   {4, false, false, true}}) {
        SCOPED_TRACE(c.encryption);
        ASSERT_TRUE(SelectEncryption(d, c.encryption).Accepted());
        v = ViewNetworkDialog(s, d);
        EXPECT_EQ(v.wepEnabled, c.wep);
        EXPECT_EQ(v.wepKeyLength.enabled, c.wep);
        EXPECT_EQ(v.wpaEnabled, c.wpa);
        EXPECT_EQ(v.eapEnabled, c.eap);
        EXPECT_EQ(EditEapText(d, EapText::Login, u"user").stored, c.eap);
        EXPECT_EQ(StoreWpaKey(d, std::array<Byte, 1>{'k'}).Accepted(), c.wpa);
    }
    EXPECT_TRUE(v.addresses[1].enabled);
    ASSERT_TRUE(SetNetworkFlag(d, NetFlag::Dhcp, true).Accepted());
    v = ViewNetworkDialog(s, d);
    EXPECT_TRUE(v.addresses[0].enabled) << "the server is always set by hand";
    for (int a = 1; a < kNetAddressCount; ++a)
        EXPECT_FALSE(v.addresses[static_cast<std::size_t>(a)].enabled) << a;
    EXPECT_TRUE(SetAddressPart(d, NetAddress::Gateway, 0, 1).Refused());
}

TEST_F(NetworkTest, AddressesPortAndTextsGoToTheirBytes) {
    NetworkDialog d = OpenNetworkDialog(s);
    SetNetworkFlag(d, NetFlag::Use, true);
    for (int part = 0; part < 4; ++part) {
        ASSERT_TRUE(SetAddressPart(d, NetAddress::Server, part, 192 - part).Accepted());
        ASSERT_TRUE(SetAddressPart(d, NetAddress::Dns, part, 8).Accepted());
    }
    ASSERT_TRUE(SetAddressPart(d, NetAddress::SubnetMask, 3, 255).Accepted());
    EXPECT_TRUE(SetAddressPart(d, NetAddress::SubnetMask, 3, 256).Refused());
    EXPECT_TRUE(SetAddressPart(d, NetAddress::SubnetMask, 4, 1).Refused());
    EXPECT_EQ((std::array<Byte, 4>{d.settings[0], d.settings[1], d.settings[2], d.settings[3]}),
              (std::array<Byte, 4>{192, 191, 190, 189}));
    EXPECT_EQ(d.settings[23], 8);
    EXPECT_EQ(d.settings[15], 255);
    EXPECT_EQ(ViewNetworkDialog(s, d).addresses[0].parts, (std::array<int, 4>{192, 191, 190, 189}));

    struct Port {
        std::u16string_view typed;
        int value;
    };
    for (Port p : {Port{u"8080", 8080},
                   {u"080", 80},
                   {u"70000", 65535},
                   {u"99999999999", 65535},
                   {u"8a", 0},
                   {u"", 0},
                   {u"65535", 65535},
                   {u"256", 256}}) {
        SCOPED_TRACE(EncodeCp1251(p.typed));
        const EditResult r = EditServerPort(d, p.typed);
        EXPECT_EQ(r.shown, NumberText(p.value));
        EXPECT_EQ(d.settings[4], p.value & 0xFF) << "low byte first";
        EXPECT_EQ(d.settings[5], p.value >> 8);
    }

    const std::u16string ssid(40, u'ж');
    EXPECT_EQ(EditSsid(d, ssid).shown, ssid.substr(0, 32));
    EXPECT_EQ(d.settings[24 + 31], 0xE6);
    EXPECT_EQ(d.settings[24 + 32], 0);
    SelectEncryption(d, 4);
    EditEapText(d, EapText::Password, std::u16string(50, u'p'));
    EXPECT_EQ(d.settings[150 + 31], 'p');
    EXPECT_EQ(d.settings[150 + 32], 0);
}

TEST_F(NetworkTest, ANewWepKeyLengthClearsTheKeys) {
    NetworkDialog d = OpenNetworkDialog(s);
    SetNetworkFlag(d, NetFlag::Use, true);
    SelectEncryption(d, 1);
    ASSERT_TRUE(SelectWepSetting(d, WepList::KeyLength, 1).Accepted());
    const std::array<Byte, 16> key{'A', 'B', ' ', 0x01, 0xFF, 0x7F, 'x', 'y',
                                   'z', '0', '1', '2',  '3',  '4',  '5', '6'};
    for (int k = 0; k < kWepKeyCount; ++k)
        ASSERT_TRUE(StoreWepKey(d, k, key).Accepted());
    EXPECT_EQ(d.settings[61 + 12], '3');
    EXPECT_EQ(d.settings[61 + 13], 0) << "thirteen characters at most";
    EXPECT_EQ(ViewNetworkDialog(s, d).wepKeys[3], u" A B SP 01 FF 7F x y z 0 1 2 3");
    ASSERT_TRUE(SelectWepSetting(d, WepList::KeyLength, 1).Accepted());
    EXPECT_EQ(d.settings[61 + 14 * 3], 'A') << "the same length keeps the keys";
    ASSERT_TRUE(SelectWepSetting(d, WepList::KeyLength, 0).Accepted());
    for (std::size_t i = 61; i < 117; ++i)
        EXPECT_EQ(d.settings[i], 0) << i;
    ASSERT_TRUE(StoreWepKey(d, 0, key).Accepted());
    EXPECT_EQ(d.settings[61 + 5], 0) << "five characters for 64 bits";

    ASSERT_TRUE(SelectWepSetting(d, WepList::Authentication, 0).Accepted());
    EXPECT_EQ(d.settings[58], 1) << "the first entry, open, stores 1";
    ASSERT_TRUE(SelectWepSetting(d, WepList::ActiveKey, 3).Accepted());
    EXPECT_EQ(d.settings[60], 3);
    EXPECT_TRUE(SelectWepSetting(d, WepList::ActiveKey, 4).Refused());
}

TEST_F(NetworkTest, OkHandsOverTheBlockAndCancelNothing) {
    const Block<kNetworkSettingsSize> before = s.working.networkSettings;
    NetworkDialog d = OpenNetworkDialog(s);
    SetNetworkFlag(d, NetFlag::Use, true);
    EditSsid(d, u"store-7");
    EXPECT_EQ(s.working.networkSettings, before);
    ConfirmNetworkDialog(s, d);
    EXPECT_EQ(Network(s.working).UseNetworkSettings(), 1);
    EXPECT_EQ(CellToUtf16(Network(s.working).Ssid()), u"store-7");
}

TEST_F(NetworkTest, AnyStoredBytesAreShownWithoutChange) {
    for (std::size_t i = 0; i < kNetworkSettingsSize; ++i)
        s.working.networkSettings[i] = static_cast<Byte>(0xF0 + i % 16);
    const NetworkDialog d = OpenNetworkDialog(s);
    const NetworkDialogView v = ViewNetworkDialog(s, d);
    EXPECT_EQ(v.encryption.selected, -1);
    EXPECT_EQ(v.wepAuthentication.selected, -1);
    EXPECT_EQ(v.wpaKey.size(), 63u * 3) << "every byte named by its hexadecimal digits";
    EXPECT_EQ(v.wpaKey.substr(0, 6), u" F7 F8");
    EXPECT_EQ(d.settings, s.working.networkSettings);
}

}  // namespace
}  // namespace fw::editor::test
