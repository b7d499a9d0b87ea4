#include "describe.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "cli.h"

namespace fw::cli {
namespace {

template <std::size_t N>
std::string Pick(const std::array<const char*, N>& words, int code) {
    if (code >= 0 && static_cast<std::size_t>(code) < N) return words[code];
    return "invalid (" + std::to_string(code) + ")";
}

constexpr std::array<const char*, 17> kLineTypes{
    "nil",          "text",      "integer",    "real",
    "letter",       "auto(+/-)", "boolean",    "lookup",
    "fixed data",   "prompt",    "counter",    "pass down",
    "extension",    "pause",     "alphameric", "weight or quantity",
    "serial number"};
constexpr std::array<const char*, 9> kRecordActions{
    "save",          "update lookup",        "save & update",        "pass down",  "output record",
    "output screen", "save & output record", "save & output screen", "do not save"};
constexpr std::array<const char*, 5> kInputSources{"reader", "keypad", "both", "RFID", "all"};
constexpr std::array<const char*, 7> kNotFoundActions{
    "as set for the database",       "continue",
    "show warning message",          "insert to lookup file",
    "show warning message & insert", "clear the screen",
    "show warning & clear screen"};
constexpr std::array<const char*, 6> kNoMatchActions{"continue",
                                                     "show warning message",
                                                     "insert to lookup file",
                                                     "show warning message & insert",
                                                     "clear the screen",
                                                     "show warning & clear screen"};
constexpr std::array<const char*, 3> kWrongFormatActions{
    "stop the download process", "truncate / reformat the record", "skip the record"};
constexpr std::array<const char*, 5> kPorts{"USB VCOM", "RS-232", "Modem", "Bluetooth SPP",
                                            "Wi-Fi"};
constexpr std::array<const char*, 5> kSpeeds{"115200 bit/s", "57600 bit/s", "38400 bit/s",
                                             "19200 bit/s", "9600 bit/s"};
constexpr std::array<const char*, 3> kDataDeletion{"manual", "automatic", "never"};
constexpr std::array<const char*, 3> kEntryOptions{"no prompt", "show record count", "show record"};
constexpr std::array<const char*, 4> kBeeps{"mute", "one beep", "two beeps", "three beeps"};
constexpr std::array<const char*, 3> kVolumes{"low", "middle", "high"};
constexpr std::array<const char*, 21> kFnFunctions{
    "nil",           "collect",       "upload",         "utilities",
    "settings",      "browse data",   "delete data",    "reader test",
    "set date/time", "load program",  "memory & power", "load lookup",
    "upload port",   "download port", "baud rate",      "backlight",
    "data deletion", "entry options", "view settings",  "calculator",
    "terminal text"};
constexpr std::array<const char*, 12> kProtected{
    "settings",         "edit data",        "delete data",   "set date/time",
    "load application", "load lookup file", "upload port",   "download port",
    "baud rate",        "backlight",        "data deletion", "entry options"};
constexpr std::array<const char*, 3> kProtected2{"key click", "barcode good read", "warning beep"};
constexpr std::array<const char*, 5> kEncryption{"none", "WEP", "WPA", "WPA2", "EAP"};
constexpr std::array<const char*, 3> kDatabaseNames{"1st lookup file", "2nd lookup file",
                                                    "3rd lookup file"};
constexpr std::array<const char*, 27> kGroupNames{
    "ReservedLines",        "MainMenuText",       "UtilitiesMenuText",  "DeleteDataText",
    "ConfirmText",          "MemoryPowerText",    "LookupDownloadText", "ProgramSettingsText",
    "UploadViaText",        "DownloadViaText",    "BaudRateText",       "BacklightText",
    "EraseAfterUploadText", "EntryOptionText",    "ViewSettingsText",   "SystemFaultText",
    "UploadFilesText",      "ModemUploadText",    "RecordResultText",   "DeleteRecordText",
    "TransferStatusText",   "PasswordText",       "ConnectText",        "ModemStatusText",
    "InputErrorText",       "DownloadStatusText", "EditKeysText"};

std::string Numbered(const char* word, int n) {
    return std::string(word) + " " + std::to_string(n);
}

std::string LookupColumnName(int code) {
    if (code == 0) return "none";
    if (code <= 8) return Numbered("field", code);
    if (code <= 16) return Numbered("-field", code - 8);
    if (code <= 24) return Numbered("+field", code - 16);
    return "invalid (" + std::to_string(code) + ")";
}

std::string ErrorTargetName(int code) {
    if (code == 0) return "none";
    return TargetName(code - 1);
}

std::string BranchName(int code) {
    if (code == 0) return "disabled";
    if (code <= 10) return Numbered("form", code);
    if (code == 11) return "totals";
    if (code == 12) return "delete last record";
    if (code == 13) return "balance view";
    return "invalid (" + std::to_string(code) + ")";
}

std::string MultiplierName(int code) {
    if (code == 0) return "none";
    if (code <= 8) return Numbered("field", code);
    if (code <= 18) return Numbered("variable", code - 8);
    return "invalid (" + std::to_string(code) + ")";
}

std::string FilterFieldName(int code) {
    return code == 0 ? "none" : Numbered("field", code);
}

std::string CompareName(int code) {
    static constexpr std::array<const char*, 3> kCompare{"whole field", "start of field",
                                                         "end of field"};
    return Pick(kCompare, code);
}

std::string DatabaseName(int code) {
    return code == 0 ? "none" : Numbered("database", code);
}

std::string Address(std::span<const Byte, 4> a) {
    return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." +
           std::to_string(a[3]);
}

bool FormUsed(const Definition& d, int form) {
    const ConstFormRecord f = Form(d, form);
    for (int line = 0; line < kLinesPerForm; ++line)
        if (f.LineType(line) != kLineNil) return true;
    return false;
}

bool MenuUsed(const Definition& d, int menu) {
    const ConstMenuRecord m = Menu(d, menu);
    if (m.HasCaption() != 0) return true;
    for (int item = 0; item < kMenuItems; ++item)
        for (std::size_t k = 0; k < kTextCellChars; ++k) {
            const Byte c = m.ItemText(item)[k];
            if (c == 0) break;
            if (c > 0x20) return true;
        }
    return false;
}

bool ItemUsed(std::span<const Byte, kTextCellSize> cell) {
    for (std::size_t k = 0; k < kTextCellChars && cell[k] != 0; ++k)
        if (cell[k] > 0x20) return true;
    return false;
}

Node DescribeLine(const ConstFormRecord& f, int line) {
    Node n = Node::Object();
    const int type = f.LineType(line);
    n.Add("line", line + 1);
    n.Add("type", LineTypeName(type));
    if (type == kLineNil) return n;
    if (type != kLineExtension) n.Add("prompt", CellText(f.LinePrompt(line)));
    n.Add("input source", Pick(kInputSources, f.InputSource(line)));
    n.Add("min length", static_cast<int>(f.MinLength(line)));
    n.Add("max length", static_cast<int>(f.MaxLength(line)));
    n.Add("lookup column", LookupColumnName(f.LineLookupField(line)));
    if (f.SaveToVariable(line) != 0)
        n.Add("save to variable", static_cast<int>(f.SaveToVariable(line)));
    if (f.FillFromVariable(line) != 0)
        n.Add("fill from variable", static_cast<int>(f.FillFromVariable(line)));
    return n;
}

Node DescribeForm(const Definition& d, int form) {
    const ConstFormRecord f = Form(d, form);
    Node n = Node::Object();
    n.Add("form", form + 1);
    n.Add("esc", TargetName(f.EscTarget()));
    n.Add("next", TargetName(f.NextTarget()));
    n.Add("on error", ErrorTargetName(f.ErrorTarget()));
    n.Add("lookup", DatabaseName(f.FormLookup()));
    n.Add("record action", Pick(kRecordActions, f.RecordAction()));
    n.Add("not found", Pick(kNotFoundActions, f.NotFoundAction()));

    Node keys = Node::Array();
    for (int k = 0; k < kFnGroups; ++k) {
        const int branch = f.FnBranch(k);
        if (branch == 0) continue;
        Node key = Node::Object();
        key.Add("key", "FN+" + std::to_string(k + 1));
        key.Add("branch", BranchName(branch));
        if (branch == 11) {
            key.Add("sum field", Numbered("field", f.TotalSumField(k)));
            key.Add("multiplier", MultiplierName(f.TotalMultiplier(k)));
            key.Add("filter field", FilterFieldName(f.TotalFilterField(k)));
            if (f.TotalFilterField(k) != 0) {
                key.Add("filter variable", static_cast<int>(f.TotalFilterVariable(k)));
                key.Add("compare", CompareName(f.TotalCompare(k)));
            }
        } else if (branch == 13) {
            key.Add("filter field", FilterFieldName(f.BalanceFilterField(k)));
            if (f.BalanceFilterField(k) != 0) {
                key.Add("filter variable", static_cast<int>(f.BalanceFilterVariable(k)));
                key.Add("compare", CompareName(f.BalanceCompare(k)));
            }
        }
        keys.Push(std::move(key));
    }
    n.Add("function keys", std::move(keys));

    bool serial = false;
    for (int line = 0; line < kLinesPerForm; ++line)
        serial |= f.LineType(line) == kLineSerial;
    if (serial) {
        Node s = Node::Object();
        s.Add("part number variable", static_cast<int>(f.SerialPartVariable()));
        s.Add("quantity field", Numbered("field", f.SerialQuantityField()));
        s.Add("stored in",
              f.SerialStore() == 0 ? std::string("data file") : DatabaseName(f.SerialStore()));
        n.Add("serial numbers", std::move(s));
    }

    Node lines = Node::Array();
    for (int line = 0; line < kLinesPerForm; ++line)
        lines.Push(DescribeLine(f, line));
    n.Add("lines", std::move(lines));
    return n;
}

Node DescribeMenu(const Definition& d, int menu) {
    const ConstMenuRecord m = Menu(d, menu);
    Node n = Node::Object();
    n.Add("menu", menu + 1);
    if (m.HasCaption() != 0) n.Add("caption", CellText(m.Caption()));
    n.Add("esc", TargetName(m.MenuEscTarget()));
    Node items = Node::Array();
    for (int item = 0; item < kMenuItems; ++item) {
        if (!ItemUsed(m.ItemText(item))) continue;
        Node i = Node::Object();
        i.Add("item", item + 1);
        i.Add("text", CellText(m.ItemText(item)));
        i.Add("target", TargetName(m.ItemTarget(item)));
        items.Push(std::move(i));
    }
    n.Add("items", std::move(items));
    n.Add("save caption", m.SaveCaption() != 0);
    n.Add("save selected item", m.SaveSelectedItem() != 0);
    n.Add("pass down", m.PassDown() != 0);
    return n;
}

Node DescribeLookup(const Definition& d, int db) {
    const ConstLookupRecord l = Lookup(d, db);
    Node n = Node::Object();
    n.Add("database", db);
    n.Add("name", kDatabaseNames[db - 1]);
    n.Add("record length", static_cast<int>(l.MemberLength()));
    if (l.Delimiter() == 0) {
        n.Add("layout", "fixed length");
    } else {
        const char c = static_cast<char>(l.Delimiter());
        n.Add("layout", (c > 0x20 && c < 0x7F) ? "delimiter '" + std::string(1, c) + "'"
                                               : "delimiter code " + std::to_string(l.Delimiter()));
    }
    Node fields = Node::Array();
    const int count = std::min<int>(l.FieldCount(), kFieldsPerLookup);
    for (int field = 0; field < count; ++field) {
        Node f = Node::Object();
        f.Add("field", field + 1);
        f.Add("offset", static_cast<int>(l.FieldOffset(field)));
        f.Add("length", static_cast<int>(l.FieldLength(field)));
        if (l.KeyField() == field) f.Add("key", true);
        if (l.DateTimeField() == field + 1) f.Add("date and time", true);
        if (l.NonZeroFilter(field) != 0) f.Add("non-zero filter", true);
        if (l.QuantityControl(field) != 0) f.Add("quantity control", true);
        fields.Push(std::move(f));
    }
    n.Add("fields", std::move(fields));
    n.Add("can be uploaded", l.CanBeUploaded() != 0);
    n.Add("read once", l.ReadOnce() != 0);
    n.Add("no match", Pick(kNoMatchActions, l.NoMatchAction()));
    n.Add("wrong format", Pick(kWrongFormatActions, l.WrongFormatAction()));
    n.Add("placement", l.Placement() == 0 ? "terminal memory" : "SD card");
    return n;
}

Node DescribeTerminal(const Definition& d) {
    const ConstTerminalSettingsRecord t = Terminal(d);
    const auto& raw = d.terminalSettings;
    Node n = Node::Object();
    n.Add("start", t.StartTarget() == 0 ? "form 1" : "menu 1");
    n.Add("upload port", Pick(kPorts, t.UploadPort()));
    if (t.UploadPort() == 2) n.Add("upload phone", CellText(t.UploadPhone()));
    n.Add("download port", Pick(kPorts, t.DownloadPort()));
    if (t.DownloadPort() == 2) n.Add("download phone", CellText(t.DownloadPhone()));
    n.Add("baud rate", Pick(kSpeeds, t.TerminalBaudRate()));
    n.Add("modem speed", Pick(kSpeeds, t.ModemSpeed()));
    n.Add("backlight", t.Backlight() == 0 ? "off" : "on");
    n.Add("backlight timeout", std::to_string(t.BacklightTimeout() * 10) + " s");
    n.Add("data deletion", Pick(kDataDeletion, t.DataDeletion()));
    n.Add("entry option", Pick(kEntryOptions, t.EntryOption()));
    n.Add("prompt duration", t.PromptDuration() == 0
                                 ? std::string("until a key is pressed")
                                 : std::to_string(t.PromptDuration() * 100) + " ms");
    n.Add("key click", t.KeyClick() == 0 ? std::string("mute") : Numbered("tone", t.KeyClick()));
    n.Add("good read beep", Pick(kBeeps, t.GoodReadBeep()));
    n.Add("warning beep", Pick(kBeeps, t.WarningBeep()));
    n.Add("vibration",
          t.Vibration() == 0 ? std::string("off") : std::to_string(t.Vibration()) + " s");
    n.Add("volume", Pick(kVolumes, t.Volume()));
    n.Add("data placement", t.DataPlacement() == 0 ? "terminal memory" : "SD card");

    Node delimiters = Node::Array();
    for (Byte code : {t.DelimiterCode1(), t.DelimiterCode2()})
        if (code != 0) delimiters.Push(Node::Number(code));
    n.Add("field delimiters", std::move(delimiters));

    n.Add("password set", t.Password()[0] != 0);
    Node protectedItems = Node::Array();
    for (int i = 0; i < 12; ++i)
        if (t.SecurityFlags(i) != 0) protectedItems.Push(Node::Text(kProtected[i]));
    for (int i = 0; i < 3; ++i)
        if (t.SecurityFlags2(i) != 0) protectedItems.Push(Node::Text(kProtected2[i]));
    n.Add("password protects", std::move(protectedItems));

    Node keys = Node::Object();
    keys.Add("enabled", t.FnKeysEnabled() != 0);
    Node mappings = Node::Array();
    for (int k = 0; k < 7; ++k) {
        Node m = Node::Object();
        m.Add("key", "FN+" + std::to_string(k + 1));
        m.Add("function", Pick(kFnFunctions, t.FnKeyFunction(k)));
        mappings.Push(std::move(m));
    }
    keys.Add("mappings", std::move(mappings));
    n.Add("function keys", std::move(keys));

    Node utility = Node::Array();
    for (int i = 0; i < kUtilityLineCount; ++i)
        utility.Push(Node::Text(CellText(t.UtilityLine(i))));
    n.Add("utility lines", std::move(utility));
    n.Add("settings layout", static_cast<int>(raw[0]));
    return n;
}

Node DescribeNetwork(const Definition& d) {
    const ConstNetworkSettingsRecord net = Network(d);
    Node n = Node::Object();
    n.Add("use", net.UseNetworkSettings() != 0);
    const int port = net.ServerPort()[0] | (net.ServerPort()[1] << 8);
    n.Add("server", Address(net.ServerAddress()) + ":" + std::to_string(port));
    n.Add("dhcp", net.Dhcp() != 0);
    if (net.Dhcp() == 0) {
        n.Add("address", Address(net.TerminalAddress()));
        n.Add("subnet mask", Address(net.SubnetMask()));
        n.Add("gateway", Address(net.Gateway()));
        n.Add("dns server", Address(net.DnsServer()));
    }
    n.Add("ssid", CellText(net.Ssid()));
    n.Add("encryption", Pick(kEncryption, net.Encryption()));
    return n;
}

}  // namespace

std::string TargetName(int code) {
    if (code == 0) return "main menu";
    if (code <= 10) return Numbered("form", code);
    if (code <= 20) return Numbered("menu", code - 10);
    return "invalid (" + std::to_string(code) + ")";
}

std::string LineTypeName(int type) {
    return Pick(kLineTypes, type);
}

Node DescribeDefinition(const Definition& d) {
    Node root = Node::Object();
    Node forms = Node::Array();
    for (int form = 0; form < kFormCount; ++form)
        if (FormUsed(d, form)) forms.Push(DescribeForm(d, form));
    root.Add("forms", std::move(forms));

    Node menus = Node::Array();
    for (int menu = 0; menu < kMenuCount; ++menu)
        if (MenuUsed(d, menu)) menus.Push(DescribeMenu(d, menu));
    root.Add("menus", std::move(menus));

    Node lookups = Node::Array();
    for (int db = 1; db <= kLookupCount; ++db)
        if (Lookup(d, db).InUse()) lookups.Push(DescribeLookup(d, db));
    root.Add("lookups", std::move(lookups));

    root.Add("terminal", DescribeTerminal(d));
    root.Add("network", DescribeNetwork(d));

    Node variables = Node::Array();
    for (int v = 1; v <= kVariableCount; ++v)
        variables.Push(Node::Text(CellText(Variables(d).Name(v))));
    root.Add("variables", std::move(variables));

    Node texts = Node::Array();
    for (int g = 1; g <= kScreenTextGroupCount; ++g) {
        Node group = Node::Object();
        group.Add("group", g);
        group.Add("name", kGroupNames[g - 1]);
        Node lines = Node::Array();
        for (int line = 0; line < kScreenTextGroups[g - 1].lines; ++line)
            lines.Push(Node::Text(CellText(ScreenTextLine(d, g, line))));
        group.Add("lines", std::move(lines));
        texts.Push(std::move(group));
    }
    root.Add("screen texts", std::move(texts));
    return root;
}

}  // namespace fw::cli
