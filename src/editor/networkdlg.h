// "Сетевые настройки": the server the terminal sends to, its own addresses, and the Wi-Fi
// network with its encryption. The dialog edits a private copy of the network settings; OK
// hands the whole block to the page, Cancel drops it. The WEP keys and the WPA pass phrase
// may hold any byte, so they are composed with the character grid editor and shown here as
// read-only display texts.
#pragma once

#include <array>
#include <span>

#include "editor/settingspage.h"

namespace fw::editor {

enum class NetAddress { Server, Terminal, SubnetMask, Gateway, Dns };
inline constexpr int kNetAddressCount = 5;
inline constexpr int kWepKeyCount = 4;
inline constexpr std::size_t kNetTextChars = 32;  // SSID, EAP login and password
inline constexpr std::size_t kWepKeyChars = 13;
inline constexpr std::size_t kWpaKeyChars = 63;

struct NetworkDialog {
    Block<kNetworkSettingsSize> settings{};
};
NetworkDialog OpenNetworkDialog(const EditingSession& session);
void ConfirmNetworkDialog(EditingSession& session, const NetworkDialog& dialog);

struct AddressView {
    std::array<int, 4> parts{};  // most significant first
    bool enabled = false;
};
struct NetworkDialogView {
    bool use = false;  // "Использовать"
    bool dhcp = false;
    bool dhcpEnabled = false;
    std::array<AddressView, kNetAddressCount> addresses;  // in NetAddress order
    std::u16string serverPort;
    bool serverPortEnabled = false;
    std::u16string ssid;
    bool ssidEnabled = false;
    ListView encryption;
    bool wepEnabled = false;  // the WEP group
    ListView wepAuthentication;
    ListView wepKeyLength;
    ListView activeWepKey;
    std::array<std::u16string, kWepKeyCount> wepKeys;  // display texts
    std::u16string wpaKey;                             // display text
    bool wpaEnabled = false;
    std::u16string eapLogin;
    std::u16string eapPassword;
    bool eapEnabled = false;
};
NetworkDialogView ViewNetworkDialog(const EditingSession& session, const NetworkDialog& dialog);

enum class NetFlag { Use, Dhcp };
Outcome SetNetworkFlag(NetworkDialog& dialog, NetFlag flag, bool on);
// part 0..3, most significant first; value 0..255.
Outcome SetAddressPart(NetworkDialog& dialog, NetAddress address, int part, int value);
EditResult EditServerPort(NetworkDialog& dialog, std::u16string_view text);
EditResult EditSsid(NetworkDialog& dialog, std::u16string_view text);
enum class EapText { Login, Password };
EditResult EditEapText(NetworkDialog& dialog, EapText which, std::u16string_view text);

enum class WepList { Authentication, KeyLength, ActiveKey };
// A new key length clears the four keys, which no longer fit it.
Outcome SelectWepSetting(NetworkDialog& dialog, WepList list, int index);
Outcome SelectEncryption(NetworkDialog& dialog, int index);

// What the character grid editor composed: key 0..3, or the pass phrase. Longer input is cut.
Outcome StoreWepKey(NetworkDialog& dialog, int key, std::span<const Byte> bytes);
Outcome StoreWpaKey(NetworkDialog& dialog, std::span<const Byte> bytes);

// A key as the grid's hexadecimal names show it: for each byte up to the first zero (at most
// max) a blank and its name: "SP" for a blank, 0x21..0x7E the character, every other byte its
// two upper-case hexadecimal digits.
std::u16string HexDisplayText(std::span<const Byte> bytes, std::size_t max);

}  // namespace fw::editor
