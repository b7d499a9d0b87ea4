#include "describe.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "cli.h"
#include "model/codepage.h"
#include "model/codes.h"
#include "model/layout.h"
#include "model/strings.h"
#include "model/textgroups.h"
#include "model/unicode.h"
#include "reader/enables.h"
#include "reader/gs1list.h"
#include "reader/symbologydlg.h"

namespace fw::cli {
namespace {

using codes::Word;

std::string Numbered(const char* word, int n) {
    return std::string(word) + " " + std::to_string(n);
}

// A flag-like byte: 0 is the list's first entry, anything else its second.
std::string Either(const codes::CodedList& list, int code) {
    return Word(list, code == 0 ? 0 : 1);
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
    n.Add("input source", Word(codes::kInputSources, f.InputSource(line)));
    n.Add("min length", static_cast<int>(f.MinLength(line)));
    n.Add("max length", static_cast<int>(f.MaxLength(line)));
    n.Add("lookup column", Word(codes::kLookupColumns, f.LineLookupField(line)));
    if (f.SaveToVariable(line) != 0)
        n.Add("save to variable", static_cast<int>(f.SaveToVariable(line)));
    if (f.FillFromVariable(line) != 0)
        n.Add("fill from variable", static_cast<int>(f.FillFromVariable(line)));
    return n;
}

// What a scanned barcode of a line passes on: GS1 items into lines of the form, a weight or a
// quantity into a later line. Bytes as stored; an item past the list is named by its number.
Node DescribeBarcodeParsing(const Definition& d, int form) {
    const ConstFieldLinkRecord links = FieldLink(d, form);
    Node gs1 = Node::Array();
    for (int line = 0; line < kLinesPerForm; ++line) {
        if (links.LinkLine(line) == 0) continue;
        Node rule = Node::Object();
        rule.Add("line", line + 1);
        rule.Add("from line", static_cast<int>(links.LinkLine(line)));
        const int item = links.LinkValue(line);
        rule.Add("item", item);
        const std::u16string_view text = reader::Gs1ItemText(item);
        rule.Add("text", text.empty() ? "invalid (" + std::to_string(item) + ")"
                                      : Utf16ToUtf8(std::u16string(text)));
        gs1.Push(std::move(rule));
    }
    const ConstBarcodeRulesRecord rules = Rules(d);
    const ConstFormRecord f = Form(d, form);
    Node weight = Node::Array();
    for (int line = 0; line < kLinesPerForm; ++line) {
        if (rules.WeightTransferFlag(form, line) == 0) continue;
        Node rule = Node::Object();
        rule.Add("line", line + 1);
        rule.Add("to line", static_cast<int>(rules.WeightTargetLine(form, line)));
        rule.Add("source keeps", Word(codes::kWeightSourceKeeps, f.WeightSourceKeep(line)));
        weight.Push(std::move(rule));
    }
    Node n = Node::Object();
    n.Add("gs1 rules", std::move(gs1));
    n.Add("weight rules", std::move(weight));
    return n;
}

Node DescribeWeightBarcodes(const Definition& d) {
    const ConstBarcodeRulesRecord rules = Rules(d);
    Node n = Node::Object();
    n.Add("use", rules.WeightBarcodeEnabled() != 0);
    Node masks = Node::Array();
    // A count past the 20 slots means none, as the mask dialog reads it.
    const int count = rules.WeightMaskCount() <= kWeightMaskSlots ? rules.WeightMaskCount() : 0;
    for (int slot = 0; slot < count; ++slot)
        masks.Push(Node::Text(CellText(rules.WeightMask(slot).first(kWeightMaskSize - 1))));
    n.Add("masks", std::move(masks));
    return n;
}

Node DescribeForm(const Definition& d, int form) {
    const ConstFormRecord f = Form(d, form);
    Node n = Node::Object();
    n.Add("form", form + 1);
    n.Add("esc", TargetName(f.EscTarget()));
    n.Add("next", TargetName(f.NextTarget()));
    n.Add("on error", Word(codes::kErrorTargets, f.ErrorTarget()));
    n.Add("lookup", Word(codes::kFormLookups, f.FormLookup()));
    n.Add("record action", Word(codes::kRecordActions, f.RecordAction()));
    n.Add("not found", Word(codes::kNotFoundActions, f.NotFoundAction()));

    Node keys = Node::Array();
    for (int k = 0; k < kFnGroups; ++k) {
        const int branch = f.FnBranch(k);
        if (branch == 0) continue;
        Node key = Node::Object();
        key.Add("key", "FN+" + std::to_string(k + 1));
        key.Add("branch", Word(codes::kBranches, branch));
        if (branch == codes::kBranchTotals) {
            key.Add("sum field", Numbered("field", f.TotalSumField(k)));
            key.Add("multiplier", Word(codes::kMultipliers, f.TotalMultiplier(k)));
            key.Add("filter field", Word(codes::kFilterFields, f.TotalFilterField(k)));
            if (f.TotalFilterField(k) != 0) {
                key.Add("filter variable", static_cast<int>(f.TotalFilterVariable(k)));
                key.Add("compare", Word(codes::kComparisons, f.TotalCompare(k)));
            }
        } else if (branch == codes::kBranchBalance) {
            key.Add("filter field", Word(codes::kFilterFields, f.BalanceFilterField(k)));
            if (f.BalanceFilterField(k) != 0) {
                key.Add("filter variable", static_cast<int>(f.BalanceFilterVariable(k)));
                key.Add("compare", Word(codes::kComparisons, f.BalanceCompare(k)));
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
        s.Add("stored in", Word(codes::kSerialStores, f.SerialStore()));
        n.Add("serial numbers", std::move(s));
    }

    Node lines = Node::Array();
    for (int line = 0; line < kLinesPerForm; ++line)
        lines.Push(DescribeLine(f, line));
    n.Add("lines", std::move(lines));
    n.Add("barcode parsing", DescribeBarcodeParsing(d, form));
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
    n.Add("name", Utf16ToUtf8(BuiltInString(codes::kFormLookupEntries[db].textId)));
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
    n.Add("no match", Word(codes::kNoMatchActions, l.NoMatchAction()));
    n.Add("wrong format", Word(codes::kWrongFormatActions, l.WrongFormatAction()));
    n.Add("placement", Either(codes::kPlacements, l.Placement()));
    n.Add("several found", Word(codes::kSeveralFound, l.SeveralFound()));
    n.Add("search with filter", l.SearchWithFilter() != 0);
    n.Add("apply filters", Word(codes::kFilterModes, l.FilterMode()));
    if (l.FieldCount() > kFieldsPerLookup)
        n.Add("field count", "invalid (" + std::to_string(l.FieldCount()) + ")");
    if (l.KeyField() >= count) n.Add("key field", "invalid (" + std::to_string(l.KeyField()) + ")");
    if (l.DateTimeField() > count)
        n.Add("date and time field", "invalid (" + std::to_string(l.DateTimeField()) + ")");
    return n;
}

Node DescribeTerminal(const Definition& d) {
    const ConstTerminalSettingsRecord t = Terminal(d);
    Node n = Node::Object();
    n.Add("start", Either(codes::kStartTargets, t.StartTarget()));
    n.Add("upload port", Word(codes::kPorts, t.UploadPort()));
    if (t.UploadPort() == codes::kPortModem) n.Add("upload phone", CellText(t.UploadPhone()));
    n.Add("download port", Word(codes::kPorts, t.DownloadPort()));
    if (t.DownloadPort() == codes::kPortModem) n.Add("download phone", CellText(t.DownloadPhone()));
    n.Add("baud rate", Word(codes::kSpeeds, t.TerminalBaudRate()));
    n.Add("modem speed", Word(codes::kSpeeds, t.ModemSpeed()));
    n.Add("backlight", Either(codes::kBacklight, t.Backlight()));
    n.Add("backlight timeout", std::to_string(t.BacklightTimeout() * 10) + " s");
    n.Add("data deletion", Word(codes::kDataDeletion, t.DataDeletion()));
    n.Add("entry option", Word(codes::kEntryOptions, t.EntryOption()));
    n.Add("prompt duration", t.PromptDuration() == 0
                                 ? std::string("until a key is pressed")
                                 : std::to_string(t.PromptDuration() * 100) + " ms");
    n.Add("key click", Word(codes::kKeyClicks, t.KeyClick()));
    n.Add("good read beep", Word(codes::kBeeps, t.GoodReadBeep()));
    n.Add("warning beep", Word(codes::kBeeps, t.WarningBeep()));
    n.Add("vibration", Word(codes::kVibration, t.Vibration()));
    n.Add("volume", Word(codes::kVolumes, t.Volume()));
    n.Add("data placement", Either(codes::kPlacements, t.DataPlacement()));
    n.Add("separate data files", t.SeparateDataFiles() != 0);

    Node delimiters = Node::Array();
    for (Byte code : {t.DelimiterCode1(), t.DelimiterCode2()})
        if (code != 0) delimiters.Push(Node::Number(code));
    n.Add("field delimiters", std::move(delimiters));

    n.Add("password set", t.Password()[0] != 0);
    Node protectedItems = Node::Array();
    for (const codes::Code& flag : codes::kSecurityFlags.entries)
        if (t.SecurityFlags(flag.code) != 0)
            protectedItems.Push(Node::Text(std::string(flag.word)));
    for (const codes::Code& flag : codes::kSecurityFlags2.entries)
        if (t.SecurityFlags2(flag.code) != 0)
            protectedItems.Push(Node::Text(std::string(flag.word)));
    n.Add("password protects", std::move(protectedItems));

    Node keys = Node::Object();
    keys.Add("enabled", t.FnKeysEnabled() != 0);
    Node mappings = Node::Array();
    constexpr int kFnKeys = layout::Find(layout::kTerminalSettings, "FnKeyFunction").count;
    for (int k = 0; k < kFnKeys; ++k) {
        Node m = Node::Object();
        m.Add("key", "FN+" + std::to_string(k + 1));
        m.Add("function", Word(codes::kFnFunctions, t.FnKeyFunction(k)));
        mappings.Push(std::move(m));
    }
    keys.Add("mappings", std::move(mappings));
    n.Add("function keys", std::move(keys));

    Node utility = Node::Array();
    for (int i = 0; i < kUtilityLineCount; ++i)
        utility.Push(Node::Text(CellText(t.UtilityLine(i))));
    n.Add("utility lines", std::move(utility));
    n.Add("settings layout", static_cast<int>(t.SettingsLayout()));
    return n;
}

Node DescribeNetwork(const Definition& d) {
    const ConstNetworkSettingsRecord net = Network(d);
    Node n = Node::Object();
    n.Add("use", net.UseNetworkSettings() != 0);
    const int port = layout::Word(net.ServerPort());
    n.Add("server", Address(net.ServerAddress()) + ":" + std::to_string(port));
    n.Add("dhcp", net.Dhcp() != 0);
    if (net.Dhcp() == 0) {
        n.Add("address", Address(net.TerminalAddress()));
        n.Add("subnet mask", Address(net.SubnetMask()));
        n.Add("gateway", Address(net.Gateway()));
        n.Add("dns server", Address(net.DnsServer()));
    }
    n.Add("ssid", CellText(net.Ssid()));
    n.Add("encryption", Word(codes::kEncryption, net.Encryption()));
    // Keys and pass phrases are secrets: only whether they are set is shown.
    switch (net.Encryption()) {
        case codes::kEncryptionWep: {
            n.Add("wep authentication", Word(codes::kWepAuthentications, net.WepAuthentication()));
            n.Add("wep key length", Word(codes::kWepKeyLengths, net.WepKeyLength()));
            n.Add("active wep key", Word(codes::kActiveWepKeys, net.ActiveWepKey()));
            Node keys = Node::Array();
            constexpr int kWepKeys = layout::Find(layout::kNetworkSettings, "WepKeys").count;
            for (int k = 0; k < kWepKeys; ++k)
                keys.Push(Node::Bool(net.WepKey(k)[0] != 0));
            n.Add("wep keys set", std::move(keys));
            break;
        }
        case codes::kEncryptionWpa:
        case codes::kEncryptionWpa2:
            n.Add("wpa key set", net.WpaKey()[0] != 0);
            break;
        case codes::kEncryptionEap:
            n.Add("eap login", CellText(net.EapLogin()));
            n.Add("eap password set", net.EapPassword()[0] != 0);
            break;
        default:
            break;
    }
    return n;
}

// A delimiter as the code the terminal stores and the character it stands for.
Node DescribeDelimiter(int code) {
    Node n = Node::Object();
    n.Add("code", code);
    const char16_t ch = Cp1251ToUtf16(static_cast<Byte>(code));
    n.Add("character", ch >= 0x20 && ch != 0x7F ? Utf16ToUtf8(std::u16string(1, ch)) : "");
    return n;
}

// Where the program starts, where data is kept, the delimiters, and the terminal's texts as
// the Startup page lists them.
Node DescribeStartup(const Definition& d) {
    const ConstTerminalSettingsRecord t = Terminal(d);
    Node n = Node::Object();
    n.Add("program start", Word(codes::kStartTargets, t.StartTarget()));
    n.Add("data placement", Word(codes::kPlacements, t.DataPlacement()));
    Node delimiters = Node::Array();
    if (t.DelimiterCode1() != 0 || t.DelimiterCode2() != 0)
        delimiters.Push(DescribeDelimiter(t.DelimiterCode1()));
    if (t.DelimiterCode2() != 0) delimiters.Push(DescribeDelimiter(t.DelimiterCode2()));
    n.Add("field delimiters", std::move(delimiters));

    Node groups = Node::Array();
    for (int i = 0; i < kTextGroupCount; ++i) {
        Node group = Node::Object();
        group.Add("group", std::string(codes::kScreenTextGroupNames.entries[i].word));
        group.Add("size", std::to_string(TextGroupRowCount(i)) + "x20");
        Node lines = Node::Array();
        for (int r = 0; r < TextGroupRowCount(i); ++r)
            lines.Push(Node::Text(CellText(TextRowCell(d, TextGroupRow(i, r)))));
        group.Add("lines", std::move(lines));
        groups.Push(std::move(group));
    }
    n.Add("terminal texts", std::move(groups));
    return n;
}

// The scanner engine, what it reads and how; a value a list does not know is shown as a
// number, so that a damaged file can still be told apart.
std::string ListWord(std::span<const std::string_view> words, unsigned index) {
    if (index < words.size()) return std::string(words[index]);
    return "unknown (" + std::to_string(index) + ")";
}

// A dialog caption as a report key: the trailing colon and blanks of the dialog's label dropped.
std::string CaptionKey(std::u16string_view caption) {
    while (!caption.empty() && (caption.front() == u' '))
        caption.remove_prefix(1);
    while (!caption.empty() && (caption.back() == u':' || caption.back() == u' '))
        caption.remove_suffix(1);
    return Utf16ToUtf8(std::u16string(caption));
}

// Every control of a parameter dialog as "caption: value", read through the dialog's own table
// with the built-in texts, so that what is shown here is what the dialog would show.
Node DescribeParameters(const editor::EditingSession& session,
                        const reader::DialogTemplate& dialog) {
    const reader::DialogView view = reader::ViewDialog(session, dialog);
    Node n = Node::Object();
    std::vector<std::string> keys;
    for (std::size_t i = 0; i < view.controls.size(); ++i) {
        const reader::ControlView& c = view.controls[i];
        const reader::Control& control = dialog.controls[i];
        std::string key = CaptionKey(c.caption);
        if (key.empty()) key = std::string(control.name);
        // Controls may share a caption; later ones are numbered so that none hides another.
        const auto seen = std::ranges::count(keys, key);
        keys.push_back(key);
        if (seen > 0) key += " (" + std::to_string(seen + 1) + ")";
        switch (c.kind) {
            case reader::Kind::Check:
                n.Add(key, c.checked);
                break;
            case reader::Kind::Radio:
            case reader::Kind::List:
                if (c.selected >= 0 && static_cast<std::size_t>(c.selected) < c.choices.size())
                    n.Add(key, Utf16ToUtf8(c.choices[static_cast<std::size_t>(c.selected)]));
                else
                    n.Add(key, "unknown (" + std::to_string(reader::ControlBits(session, control)) +
                                   ")");
                break;
            case reader::Kind::Number:
                n.Add(key, c.number);
                break;
            case reader::Kind::Character:
                n.Add(key, c.text.empty() ? std::string("none") : Utf16ToUtf8(c.text));
                break;
            case reader::Kind::CodeId: {
                std::u16string_view text = c.text;
                if (!text.empty() && text.front() == u' ') text.remove_prefix(1);
                n.Add(key, text.empty() ? std::string("none") : Utf16ToUtf8(std::u16string(text)));
                break;
            }
        }
    }
    return n;
}

Node DescribeTemplate(const editor::EditingSession& session, std::string_view name) {
    const reader::DialogTemplate* dialog = reader::FindTemplate(name);
    return dialog != nullptr ? DescribeParameters(session, *dialog) : Node::Object();
}

Node DescribeReader(const Definition& d) {
    const Byte readerType = Terminal(d).ReaderType();
    const reader::EngineKind kind = reader::KindOf(readerType);
    const bool oneD = kind == reader::EngineKind::Laser1D;
    Node n = Node::Object();
    const int index = reader::EngineIndex(readerType);
    n.Add("engine", index >= 0
                        ? std::string(reader::kEngineWords[index])
                        : "unknown (" + std::to_string(reader::EngineBits(readerType)) + ")");
    n.Add("rfid reader", reader::HasRfid(readerType));
    if (oneD) {
        const auto& ro = d.readerOptions;
        n.Add("scan mode", ListWord(reader::kScanModeWords,
                                    reader::ScanModeBits::Get(ro[reader::kScanModeByte])));
        n.Add("read redundancy",
              ListWord(reader::kRedundancyWords,
                       reader::RedundancyBits::Get(ro[reader::kRedundancyByte])));
        n.Add("time-out", std::to_string(ro[reader::kOneDTimeoutByte]) + " s");
    } else {
        const Byte control = d.symbologyOptions[reader::kReaderControlByte];
        n.Add("illumination",
              ListWord(reader::kIlluminationWords, reader::IlluminationBits::Get(control)));
        n.Add("aiming pattern", reader::AimingPatternBits::Get(control) != 0);
        n.Add("time-out", std::to_string(reader::TwoDTimeoutBits::Get(control)) + " s");
        if (kind == reader::EngineKind::LongRange)
            n.Add("aiming display",
                  std::to_string(d.symbologyOptions[reader::kAimingTimeByte]) + " s");
    }
    const std::span<const Byte> block = reader::SettingsBytes(d, reader::BlockOf(readerType));
    editor::EditingSession session;
    session.working = d;
    Node on = Node::Array();
    Node parameters = Node::Object();
    for (const reader::SymbologyEnable& e : reader::SymbologiesFor(readerType)) {
        if (oneD && e.box == reader::kNegativeBox) continue;
        // The long-range engine reads none of the 2D-only symbologies, whatever their bits say.
        if (kind == reader::EngineKind::LongRange && !e.longRange) continue;
        if (!reader::SymbologyOn(block, e, oneD)) continue;
        on.Push(Node::Text(std::string(e.word)));
        if (const reader::DialogTemplate* dialog = reader::FindTemplate(e.dialog))
            parameters.Add(e.word, DescribeParameters(session, *dialog));
    }
    n.Add("symbologies", std::move(on));
    n.Add("symbology parameters", std::move(parameters));
    n.Add("code identifiers", DescribeTemplate(session, "CODEIDDLG"));
    if (reader::HasRfid(readerType))
        n.Add("rfid parameters", DescribeTemplate(session, "RFID_PARAM_DLG"));
    if (oneD) {
        const reader::SymbologyEnable* negative =
            reader::FindBox(reader::OneDSymbologies(), reader::kNegativeBox);
        n.Add("negative barcodes", reader::SymbologyOn(block, *negative, true));
    }
    n.Add("weight barcodes", Rules(d).WeightBarcodeEnabled() != 0);
    n.Add("gs1 identifiers", d.readerOptions2[0] != 0);
    if (d.readerOptions2[0] != 0)
        n.Add("gs1 display formats", DescribeTemplate(session, "GS1AISETTINGSDLG"));
    return n;
}

}  // namespace

std::vector<Note> StartupNotes(const Definition& d) {
    std::vector<Note> notes;
    const ConstTerminalSettingsRecord t = Terminal(d);
    const Byte codes[] = {t.DelimiterCode1(), t.DelimiterCode2()};
    for (int i = 0; i < 2; ++i)
        if (codes[i] == 13)
            notes.push_back({"startup", "", "",
                             "field delimiter " + std::to_string(i + 1) +
                                 " is 13, the code that ends a record"});
    for (int i = 0; i < kTextGroupCount; ++i)
        for (int r = 0; r < TextGroupRowCount(i); ++r) {
            const auto cell = TextRowCell(d, TextGroupRow(i, r));
            if (CellTextLength(cell) == cell.size())
                notes.push_back({"terminal texts, " +
                                     std::string(codes::kScreenTextGroupNames.entries[i].word) +
                                     ", line " + std::to_string(r + 1),
                                 "", "",
                                 "no end within its cell; the terminal shows 20 characters"});
        }
    return notes;
}

std::string TargetName(int code) {
    return Word(codes::kTargets, code);
}

std::string LineTypeName(int type) {
    return Word(codes::kFieldTypes, type);
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
    root.Add("weight barcodes", DescribeWeightBarcodes(d));
    root.Add("reader", DescribeReader(d));

    Node variables = Node::Array();
    for (int v = 1; v <= kVariableCount; ++v)
        variables.Push(Node::Text(CellText(Variables(d).Name(v))));
    root.Add("variables", std::move(variables));

    Node texts = Node::Array();
    for (int g = 1; g <= kScreenTextGroupCount; ++g) {
        Node group = Node::Object();
        group.Add("group", g);
        group.Add("name", std::string(layout::kScreenTexts.fields[g - 1].name));
        Node lines = Node::Array();
        for (int line = 0; line < kScreenTextGroups[g - 1].lines; ++line)
            lines.Push(Node::Text(CellText(ScreenTextLine(d, g, line))));
        group.Add("lines", std::move(lines));
        texts.Push(std::move(group));
    }
    root.Add("screen texts", std::move(texts));
    root.Add("startup", DescribeStartup(d));
    return root;
}

}  // namespace fw::cli
