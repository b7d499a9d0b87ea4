#include "editor/settingspage.h"

#include <algorithm>
#include <utility>

#include "model/codepage.h"

namespace fw::editor {
namespace {

constexpr int kDefaultDuration = 6;
constexpr int kMaxDuration = 99;
constexpr std::size_t kPhoneChars = 20;

bool IsNumber(std::u16string_view text) {
    return !text.empty() &&
           std::ranges::all_of(text, [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

// Each list of the page: the field it stores into and its entries, in SettingsList order.
struct ListField {
    std::string_view field;
    const codes::CodedList& list;
};
const ListField kListFields[kSettingsListCount] = {
    {"UploadPort", codes::kPorts},         {"DownloadPort", codes::kPorts},
    {"ModemSpeed", codes::kSpeeds},        {"TerminalBaudRate", codes::kSpeeds},
    {"Backlight", codes::kBacklight},      {"DataDeletion", codes::kDataDeletion},
    {"EntryOption", codes::kEntryOptions}, {"KeyClick", codes::kKeyClicks},
    {"GoodReadBeep", codes::kBeeps},       {"WarningBeep", codes::kBeeps},
    {"Vibration", codes::kVibration},      {"Volume", codes::kVolumes},
};
std::size_t Offset(std::string_view field) {
    return layout::Find(layout::kTerminalSettings, field).offset;
}

bool Modem(int port) {
    return port == codes::kPortModem;
}

// Which lists the ports leave usable.
bool ListEnabled(ConstTerminalSettingsRecord t, SettingsList list) {
    if (list == SettingsList::ModemSpeed) return Modem(t.UploadPort()) || Modem(t.DownloadPort());
    if (list == SettingsList::BaudRate) return !(Modem(t.UploadPort()) && Modem(t.DownloadPort()));
    return true;
}

bool PromptWaitEnabled(int entryOption) {
    return entryOption != 0;
}

// The key click reads "Tone 1" .. "Tone 5" after "Mute".
ListView KeyClickView(const EditingSession& session, int stored) {
    ListView view = CodedListView(session, codes::kKeyClicks, stored);
    for (std::size_t i = 1; i < view.entries.size(); ++i)
        view.entries[i].text =
            UiText(session, codes::kToneId) + u" " + NumberText(codes::kKeyClickEntries[i].number);
    return view;
}

// The bytes the page and its dialogs own, by field name; the other pages commit the rest of
// the terminal settings themselves.
constexpr std::string_view kOwnedFields[] = {
    "UploadPort",       "UploadPhone",   "DownloadPort",  "TerminalBaudRate", "Backlight",
    "BacklightTimeout", "DataDeletion",  "EntryOption",   "PromptDuration",   "SecurityFlags",
    "Password",         "FnKeyFunction", "FnKeysEnabled", "ModemSpeed",       "DownloadPhone",
    "KeyClick",         "GoodReadBeep",  "WarningBeep",   "SecurityFlags2",   "Vibration",
    "Volume",
};

struct ResetValue {
    std::string_view field;
    Byte value;
};
// "Reset": the page's defaults; the volume keeps what the user set.
constexpr ResetValue kResetValues[] = {
    {"UploadPort", 0},     {"DownloadPort", 0},     {"ModemSpeed", 0},   {"TerminalBaudRate", 0},
    {"Backlight", 0},      {"BacklightTimeout", 2}, {"DataDeletion", 0}, {"EntryOption", 1},
    {"PromptDuration", 6}, {"KeyClick", 2},         {"GoodReadBeep", 1}, {"WarningBeep", 2},
    {"Vibration", 0},
};

}  // namespace

std::u16string CutText(std::u16string_view text, std::size_t max) {
    return std::u16string(text.substr(0, max));
}

std::u16string NumberText(int n) {
    std::u16string text;
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

SettingsPageState OpenSettingsPage(const EditingSession& session) {
    SettingsPageState page;
    const int stored = Terminal(session.working).PromptDuration();
    if (stored >= 1 && stored <= kMaxDuration) page.keptDuration = stored;
    return page;
}

SettingsPageView ViewSettingsPage(const EditingSession& session) {
    SettingsPageView view;
    const ConstTerminalSettingsRecord t = Terminal(session.working);
    for (int i = 0; i < kSettingsListCount; ++i) {
        const auto list = static_cast<SettingsList>(i);
        const ListField& lf = kListFields[i];
        const int stored = session.working.terminalSettings[Offset(lf.field)];
        ListView& v = view.lists[static_cast<std::size_t>(i)];
        v = list == SettingsList::KeyClick ? KeyClickView(session, stored)
                                           : CodedListView(session, lf.list, stored);
        v.enabled = ListEnabled(t, list);
    }
    view.uploadPhone = CellToUtf16(t.UploadPhone());
    view.downloadPhone = CellToUtf16(t.DownloadPhone());
    view.uploadPhoneEnabled = Modem(t.UploadPort());
    view.downloadPhoneEnabled = Modem(t.DownloadPort());
    view.backlightTimeout = NumberText(t.BacklightTimeout());
    view.promptWaitEnabled = PromptWaitEnabled(t.EntryOption());
    view.stayOnLcd = t.PromptDuration() != 0;
    view.promptDuration = NumberText(t.PromptDuration());
    view.promptDurationEnabled = view.promptWaitEnabled && view.stayOnLcd;
    view.networkEnabled =
        t.UploadPort() == codes::kPortWifi || t.DownloadPort() == codes::kPortWifi;
    return view;
}

Outcome SelectSetting(EditingSession& session, SettingsList list, int index) {
    const int n = static_cast<int>(list);
    if (n < 0 || n >= kSettingsListCount) return Outcome::Refuse();
    if (!ListEnabled(Terminal(std::as_const(session.working)), list)) return Outcome::Refuse();
    const ListField& lf = kListFields[n];
    if (index < 0 || index >= static_cast<int>(lf.list.entries.size())) return Outcome::Refuse();
    session.working.terminalSettings[Offset(lf.field)] =
        lf.list.entries[static_cast<std::size_t>(index)].code;
    return Outcome::Accept();
}

EditResult EditPhone(EditingSession& session, PhoneOf which, std::u16string_view text) {
    const TerminalSettingsRecord t = Terminal(session.working);
    const bool upload = which == PhoneOf::Upload;
    const auto cell = upload ? t.UploadPhone() : t.DownloadPhone();
    if (!Modem(upload ? t.UploadPort() : t.DownloadPort()))
        return EditResult::NotTaken(CellToUtf16(cell));
    const std::u16string cut = CutText(text, kPhoneChars);
    StoreCellText(cell, cut);
    return EditResult::Taken(cut);
}

EditResult EditBacklightTimeout(EditingSession& session, std::u16string_view text) {
    Byte& timeout = Terminal(session.working).BacklightTimeout();
    const int old = timeout;
    int value = 1;
    if (IsNumber(text)) {
        if (text.size() == 1) {
            value = text[0] - u'0';
        } else if (text[0] == u'0') {
            value = old;
        } else {
            // The edit holds one digit: of two, keep the one just typed.
            const int tens = text[0] - u'0';
            value = tens == old ? text[1] - u'0' : tens;
        }
        if (value < 1) value = 1;
    }
    timeout = static_cast<Byte>(value);
    return EditResult::Taken(NumberText(value));
}

EditResult EditPromptDuration(EditingSession& session, SettingsPageState& page,
                              std::u16string_view text) {
    const TerminalSettingsRecord t = Terminal(session.working);
    Byte& duration = t.PromptDuration();
    if (!PromptWaitEnabled(t.EntryOption()) || duration == 0)
        return EditResult::NotTaken(NumberText(duration));
    int value = 0;
    if (IsNumber(text)) {
        for (char16_t c : text.substr(0, 2))
            value = value * 10 + (c - u'0');
    }
    duration = static_cast<Byte>(value);
    if (value > 0) page.keptDuration = value;
    return EditResult::Taken(NumberText(value));
}

Outcome SelectPromptWait(EditingSession& session, const SettingsPageState& page, bool stayOnLcd) {
    const TerminalSettingsRecord t = Terminal(session.working);
    if (!PromptWaitEnabled(t.EntryOption())) return Outcome::Refuse();
    if (stayOnLcd) {
        if (t.PromptDuration() == 0)
            t.PromptDuration() = static_cast<Byte>(
                page.keptDuration >= 1 && page.keptDuration <= kMaxDuration ? page.keptDuration
                                                                            : kDefaultDuration);
    } else {
        t.PromptDuration() = 0;
    }
    return Outcome::Accept();
}

void ResetSettings(EditingSession& session, SettingsPageState& page) {
    Block<kTerminalSettingsSize>& bytes = session.working.terminalSettings;
    for (const ResetValue& r : kResetValues)
        bytes[Offset(r.field)] = r.value;
    const TerminalSettingsRecord t = Terminal(session.working);
    std::ranges::fill(t.UploadPhone(), Byte{0});
    std::ranges::fill(t.DownloadPhone(), Byte{0});
    for (int i = 0; i < 12; ++i)
        t.SecurityFlags(i) = 0;
    for (int i = 0; i < 3; ++i)
        t.SecurityFlags2(i) = 0;
    for (int k = 0; k < 7; ++k)
        t.FnKeyFunction(k) = 0;
    page.keptDuration = kDefaultDuration;
}

void CommitSettingsPage(const EditingSession& session, Definition& definition) {
    const ConstTerminalSettingsRecord before = Terminal(std::as_const(definition));
    const Byte bluetooth =
        static_cast<Byte>((before.UploadPort() == codes::kPortBluetooth ? 1 : 0) |
                          (before.DownloadPort() == codes::kPortBluetooth ? 2 : 0));
    const Block<kTerminalSettingsSize>& from = session.working.terminalSettings;
    Block<kTerminalSettingsSize>& to = definition.terminalSettings;
    for (std::string_view name : kOwnedFields) {
        const layout::Field f = layout::Find(layout::kTerminalSettings, name);
        const std::size_t size = f.width * static_cast<std::size_t>(f.count);
        std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(f.offset), size,
                    to.begin() + static_cast<std::ptrdiff_t>(f.offset));
    }
    Terminal(definition).BluetoothPorts() = bluetooth;
}

}  // namespace fw::editor
