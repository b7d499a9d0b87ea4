#include "editor/networkdlg.h"

#include <algorithm>

#include "model/codepage.h"

namespace fw::editor {
namespace {

constexpr int kMaxPort = 65535;

template <class Record>
auto Address(Record n, NetAddress a) {
    switch (a) {
        case NetAddress::Server:
            return n.ServerAddress();
        case NetAddress::Terminal:
            return n.TerminalAddress();
        case NetAddress::SubnetMask:
            return n.SubnetMask();
        case NetAddress::Gateway:
            return n.Gateway();
        case NetAddress::Dns:
            break;
    }
    return n.DnsServer();
}

// What the check boxes and the encryption leave usable.
struct Enabling {
    bool use, terminalAddresses, wep, wpa, eap;
};
Enabling EnablingOf(const NetworkDialog& dialog) {
    const ConstNetworkSettingsRecord n(dialog.settings.data());
    const bool use = n.UseNetworkSettings() != 0;
    const int e = n.Encryption();
    return {use, use && n.Dhcp() == 0, use && e == codes::kEncryptionWep,
            use && (e == codes::kEncryptionWpa || e == codes::kEncryptionWpa2),
            use && e == codes::kEncryptionEap};
}

bool AddressEnabled(const Enabling& e, NetAddress a) {
    return a == NetAddress::Server ? e.use : e.terminalAddresses;
}

const codes::CodedList& WepCodes(WepList list) {
    switch (list) {
        case WepList::Authentication:
            return codes::kWepAuthentications;
        case WepList::KeyLength:
            return codes::kWepKeyLengths;
        case WepList::ActiveKey:
            break;
    }
    return codes::kActiveWepKeys;
}
Byte& WepByte(NetworkSettingsRecord n, WepList list) {
    switch (list) {
        case WepList::Authentication:
            return n.WepAuthentication();
        case WepList::KeyLength:
            return n.WepKeyLength();
        case WepList::ActiveKey:
            break;
    }
    return n.ActiveWepKey();
}

EditResult EditText(std::span<Byte> cell, bool enabled, std::u16string_view text, std::size_t max) {
    if (!enabled) return EditResult::NotTaken(CellToUtf16(cell));
    const std::u16string cut = CutText(text, max);
    StoreCellText(cell, cut);
    return EditResult::Taken(cut);
}

void StoreBytes(std::span<Byte> to, std::span<const Byte> bytes, std::size_t max) {
    std::ranges::fill(to, Byte{0});
    const std::size_t n = std::min({bytes.size(), max, to.size()});
    std::copy_n(bytes.begin(), n, to.begin());
}

// The keys that fit the key length: 5 characters for 64-bit WEP, 13 for 128-bit.
std::size_t WepKeyChars(ConstNetworkSettingsRecord n) {
    return n.WepKeyLength() == 0 ? 5 : kWepKeyChars;
}

}  // namespace

NetworkDialog OpenNetworkDialog(const EditingSession& session) {
    return {session.working.networkSettings};
}

void ConfirmNetworkDialog(EditingSession& session, const NetworkDialog& dialog) {
    session.working.networkSettings = dialog.settings;
}

std::u16string HexDisplayText(std::span<const Byte> bytes, std::size_t max) {
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size() && i < max && bytes[i] != 0; ++i) {
        const Byte b = bytes[i];
        text += u' ';
        if (b == 0x20)
            text += u"SP";
        else if (b > 0x20 && b < 0x7F)
            text += static_cast<char16_t>(b);
        else
            text += std::u16string{kHex[b >> 4], kHex[b & 0x0F]};
    }
    return text;
}

NetworkDialogView ViewNetworkDialog(const EditingSession& session, const NetworkDialog& dialog) {
    const ConstNetworkSettingsRecord n(dialog.settings.data());
    const Enabling e = EnablingOf(dialog);
    NetworkDialogView view;
    view.use = e.use;
    view.dhcp = n.Dhcp() != 0;
    view.dhcpEnabled = e.use;
    for (int a = 0; a < kNetAddressCount; ++a) {
        AddressView& v = view.addresses[static_cast<std::size_t>(a)];
        const auto bytes = Address(n, static_cast<NetAddress>(a));
        std::ranges::copy(bytes, v.parts.begin());
        v.enabled = AddressEnabled(e, static_cast<NetAddress>(a));
    }
    view.serverPort = NumberText(layout::Word(n.ServerPort()));
    view.serverPortEnabled = e.use;
    view.ssid = CellToUtf16(n.Ssid());
    view.ssidEnabled = e.use;
    view.encryption = CodedListView(session, codes::kEncryption, n.Encryption());
    view.encryption.enabled = e.use;
    view.wepEnabled = e.wep;
    view.wepAuthentication =
        CodedListView(session, codes::kWepAuthentications, n.WepAuthentication());
    view.wepKeyLength = CodedListView(session, codes::kWepKeyLengths, n.WepKeyLength());
    view.activeWepKey = CodedListView(session, codes::kActiveWepKeys, n.ActiveWepKey());
    for (ListView* l : {&view.wepAuthentication, &view.wepKeyLength, &view.activeWepKey})
        l->enabled = e.wep;
    for (int k = 0; k < kWepKeyCount; ++k)
        view.wepKeys[static_cast<std::size_t>(k)] = HexDisplayText(n.WepKey(k), kWepKeyChars);
    view.wpaKey = HexDisplayText(n.WpaKey(), kWpaKeyChars);
    view.wpaEnabled = e.wpa;
    view.eapLogin = CellToUtf16(n.EapLogin());
    view.eapPassword = CellToUtf16(n.EapPassword());
    view.eapEnabled = e.eap;
    return view;
}

Outcome SetNetworkFlag(NetworkDialog& dialog, NetFlag flag, bool on) {
    const NetworkSettingsRecord n(dialog.settings.data());
    if (flag == NetFlag::Use) {
        n.UseNetworkSettings() = on ? 1 : 0;
        return Outcome::Accept();
    }
    if (!EnablingOf(dialog).use) return Outcome::Refuse();
    n.Dhcp() = on ? 1 : 0;
    return Outcome::Accept();
}

Outcome SetAddressPart(NetworkDialog& dialog, NetAddress address, int part, int value) {
    const int a = static_cast<int>(address);
    if (a < 0 || a >= kNetAddressCount || part < 0 || part > 3 || value < 0 || value > 255 ||
        !AddressEnabled(EnablingOf(dialog), address))
        return Outcome::Refuse();
    Address(NetworkSettingsRecord(dialog.settings.data()),
            address)[static_cast<std::size_t>(part)] = static_cast<Byte>(value);
    return Outcome::Accept();
}

EditResult EditServerPort(NetworkDialog& dialog, std::u16string_view text) {
    const NetworkSettingsRecord n(dialog.settings.data());
    if (!EnablingOf(dialog).use)
        return EditResult::NotTaken(NumberText(layout::Word(n.ServerPort())));
    int value = 0;
    if (!text.empty() &&
        std::ranges::all_of(text, [](char16_t c) { return c >= u'0' && c <= u'9'; }))
        for (char16_t c : text)
            value = std::min(value * 10 + (c - u'0'), kMaxPort);
    layout::SetWord(n.ServerPort(), static_cast<std::uint16_t>(value));
    return EditResult::Taken(NumberText(value));
}

EditResult EditSsid(NetworkDialog& dialog, std::u16string_view text) {
    return EditText(NetworkSettingsRecord(dialog.settings.data()).Ssid(), EnablingOf(dialog).use,
                    text, kNetTextChars);
}

EditResult EditEapText(NetworkDialog& dialog, EapText which, std::u16string_view text) {
    const NetworkSettingsRecord n(dialog.settings.data());
    return EditText(which == EapText::Login ? n.EapLogin() : n.EapPassword(),
                    EnablingOf(dialog).eap, text, kNetTextChars);
}

Outcome SelectEncryption(NetworkDialog& dialog, int index) {
    if (!EnablingOf(dialog).use || index < 0 ||
        index >= static_cast<int>(std::size(codes::kEncryptionEntries)))
        return Outcome::Refuse();
    NetworkSettingsRecord(dialog.settings.data()).Encryption() =
        codes::kEncryptionEntries[index].code;
    return Outcome::Accept();
}

Outcome SelectWepSetting(NetworkDialog& dialog, WepList list, int index) {
    const codes::CodedList& codes = WepCodes(list);
    if (!EnablingOf(dialog).wep || index < 0 || index >= static_cast<int>(codes.entries.size()))
        return Outcome::Refuse();
    const NetworkSettingsRecord n(dialog.settings.data());
    Byte& byte = WepByte(n, list);
    const Byte code = codes.entries[static_cast<std::size_t>(index)].code;
    if (list == WepList::KeyLength && code != byte)
        for (int k = 0; k < kWepKeyCount; ++k)
            std::ranges::fill(n.WepKey(k), Byte{0});
    byte = code;
    return Outcome::Accept();
}

Outcome StoreWepKey(NetworkDialog& dialog, int key, std::span<const Byte> bytes) {
    if (key < 0 || key >= kWepKeyCount || !EnablingOf(dialog).wep) return Outcome::Refuse();
    const NetworkSettingsRecord n(dialog.settings.data());
    StoreBytes(n.WepKey(key), bytes, WepKeyChars(ConstNetworkSettingsRecord(n.Data())));
    return Outcome::Accept();
}

Outcome StoreWpaKey(NetworkDialog& dialog, std::span<const Byte> bytes) {
    if (!EnablingOf(dialog).wpa) return Outcome::Refuse();
    StoreBytes(NetworkSettingsRecord(dialog.settings.data()).WpaKey(), bytes, kWpaKeyChars);
    return Outcome::Accept();
}

}  // namespace fw::editor
