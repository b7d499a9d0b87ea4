// The application definition: fixed-layout byte blocks that the terminal reads at fixed
// offsets, and small views that name the fields inside them. The bytes are the only truth;
// the views never cache anything.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <type_traits>

namespace fw {

using Byte = std::uint8_t;
template <std::size_t N>
using Block = std::array<Byte, N>;

inline constexpr std::size_t kTextCellSize = 21;  // 20 characters and a zero byte
inline constexpr std::size_t kTextCellChars = 20;
inline constexpr int kFormCount = 10;
inline constexpr int kMenuCount = 10;
inline constexpr int kLookupCount = 3;
inline constexpr int kLinesPerForm = 8;
inline constexpr int kMenuItems = 10;
inline constexpr int kFieldsPerLookup = 8;
inline constexpr int kFnGroups = 4;
inline constexpr int kVariableCount = 10;

inline constexpr std::size_t kFormatTagSize = 10;
inline constexpr std::size_t kReservedWordSize = 2;
inline constexpr std::size_t kReaderOptionsSize = 23;
inline constexpr std::size_t kMenuRecordSize = 350;
inline constexpr std::size_t kMenuTableSize = kMenuRecordSize * kMenuCount;
inline constexpr std::size_t kFormRecordSize = 1215;
inline constexpr std::size_t kFormTableSize = kFormRecordSize * kFormCount;
inline constexpr std::size_t kLookupRecordSize = 122;
inline constexpr std::size_t kLookupTableSize = kLookupRecordSize * kLookupCount;
inline constexpr std::size_t kScreenLineCount = 133;
inline constexpr std::size_t kScreenTextsSize = kScreenLineCount * kTextCellSize;
inline constexpr std::size_t kSymbologyOptionsSize = 45;
inline constexpr std::size_t kReaderExtraSize = 10;
inline constexpr std::size_t kTerminalSettingsSize = 268;
inline constexpr std::size_t kReaderOptions2Size = 100;
inline constexpr std::size_t kBarcodeRulesSize = 822;
inline constexpr std::size_t kVariableNamesSize = 348;
inline constexpr std::size_t kNetworkSettingsSize = 247;
inline constexpr std::size_t kFieldLinkRecordSize = 16;
inline constexpr std::size_t kFieldLinksSize = kFieldLinkRecordSize * kFormCount;

static_assert(kMenuTableSize == 3500);
static_assert(kFormTableSize == 12150);
static_assert(kLookupTableSize == 366);
static_assert(kScreenTextsSize == 2793);
static_assert(kFieldLinksSize == 160);

// Screen-text groups 1..27: how many lines each has and which built-in string id its first
// line defaults to (0 = no defaults). Line k of group g defaults to firstId + k, except the
// fourth line of the main menu, which is twenty blanks.
struct ScreenTextGroupInfo {
    int lines;
    int firstStringId;
};
inline constexpr int kScreenTextGroupCount = 27;
inline constexpr std::array<ScreenTextGroupInfo, kScreenTextGroupCount> kScreenTextGroups{{
    {4, 0},   {4, 721}, {8, 761}, {4, 981}, {4, 991},  {4, 1021}, {7, 1031}, {8, 781},  {6, 801},
    {6, 841}, {5, 861}, {4, 881}, {4, 901}, {6, 921},  {8, 941},  {3, 1091}, {5, 741},  {4, 821},
    {5, 731}, {5, 971}, {3, 751}, {2, 961}, {4, 1001}, {3, 1010}, {6, 1071}, {8, 1041}, {3, 1051},
}};
// Index of the first line of group g (1..27) among the 133 screen lines.
constexpr int ScreenTextGroupFirstLine(int group) {
    int line = 0;
    for (int g = 1; g < group; ++g)
        line += kScreenTextGroups[g - 1].lines;
    return line;
}
static_assert(ScreenTextGroupFirstLine(kScreenTextGroupCount + 1) == 133);
inline constexpr int kUtilityLineCount = 5;
inline constexpr int kUtilityFirstStringId = 1711;

// Default texts are UTF-16, at most 20 characters per line; they are filled from the language
// and copied into the blocks by NewDefinition, never saved.
struct DefaultTexts {
    std::array<std::u16string, kScreenLineCount> screenLines;  // in group order
    std::array<std::u16string, kUtilityLineCount> utilityLines;
};

// The whole definition. Member order is the project-file order.
struct Definition {
    Block<kFormatTagSize> formatTag{};
    Block<kReservedWordSize> reservedWord{};
    Block<kReaderOptionsSize> readerOptions{};
    Block<kMenuTableSize> menuTable{};
    Block<kFormTableSize> formTable{};
    Block<kLookupTableSize> lookupTable{};
    Block<kScreenTextsSize> screenTexts{};
    Block<kSymbologyOptionsSize> symbologyOptions{};
    Block<kReaderExtraSize> readerExtra{};
    Block<kTerminalSettingsSize> terminalSettings{};
    Block<kReaderOptions2Size> readerOptions2{};
    Block<kBarcodeRulesSize> barcodeRules{};
    Block<kVariableNamesSize> variableNames{};
    Block<kNetworkSettingsSize> networkSettings{};
    Block<kFieldLinksSize> fieldLinks{};

    DefaultTexts defaults;
};

// ---- views -------------------------------------------------------------------------------
// B is Byte for a writable view and const Byte for a read-only one.

template <class B>
class ByteView {
  public:
    explicit ByteView(B* base) : base_(base) {}
    B* Data() const { return base_; }

  protected:
    B& At(std::size_t offset) const { return base_[offset]; }
    // One byte per form line, line i at offset + i.
    B& PerLine(std::size_t offset, int line) const { return base_[offset + line]; }
    template <std::size_t N>
    std::span<B, N> Span(std::size_t offset) const {
        return std::span<B, N>(base_ + offset, N);
    }

  private:
    B* base_;
};

// One data-entry form, 1215 bytes.
template <class B>
class FormRecordView : public ByteView<B> {
    using V = ByteView<B>;

  public:
    using V::V;
    B& Reserved0() const { return V::At(0); }
    B& EscTarget() const { return V::At(1); }
    B& NextTarget() const { return V::At(2); }
    B& DateTimePosition() const { return V::At(3); }
    B& SeparateDateTime() const { return V::At(4); }
    B& StampYear() const { return V::At(5); }
    B& YearDigits() const { return V::At(6); }
    B& StampMonth() const { return V::At(7); }
    B& StampDay() const { return V::At(8); }
    B& DateSeparatorOn() const { return V::At(9); }
    std::span<B, 2> DateSeparator() const { return V::template Span<2>(10); }
    B& DateStyle() const { return V::At(12); }
    B& StampHour() const { return V::At(13); }
    B& StampMinute() const { return V::At(14); }
    B& StampSecond() const { return V::At(15); }
    B& TimeSeparatorOn() const { return V::At(16); }
    std::span<B, 2> TimeSeparator() const { return V::template Span<2>(17); }
    B& RecordAction() const { return V::At(19); }
    B& FormLookup() const { return V::At(20); }
    B& LineLookupField(int line) const { return V::PerLine(21, line); }
    B& LineType(int line) const { return V::PerLine(29, line); }
    std::span<B, kTextCellSize> LinePrompt(int line) const {
        return V::template Span<kTextCellSize>(37 + kTextCellSize * line);
    }
    B& InputSource(int line) const { return V::PerLine(205, line); }
    B& MinLength(int line) const { return V::PerLine(213, line); }
    B& MaxLength(int line) const { return V::PerLine(221, line); }
    B& FixedLengthFlag(int line) const { return V::PerLine(229, line); }
    B& Alignment(int line) const { return V::PerLine(237, line); }
    B& FixedLength(int line) const { return V::PerLine(245, line); }
    B& InitialValueFlag(int line) const { return V::PerLine(253, line); }
    std::span<B, 10> InitialValue(int line) const { return V::template Span<10>(261 + 10 * line); }
    B& PrefixFlag(int line) const { return V::PerLine(341, line); }
    std::span<B, 10> PrefixCode(int line) const { return V::template Span<10>(349 + 10 * line); }
    B& SuffixFlag(int line) const { return V::PerLine(429, line); }
    std::span<B, 10> SuffixCode(int line) const { return V::template Span<10>(437 + 10 * line); }
    B& ReadPartialBarcode(int line) const { return V::PerLine(517, line); }
    B& PartialStart(int line) const { return V::PerLine(525, line); }
    B& PartialLength(int line) const { return V::PerLine(533, line); }
    B& CheckLeadingCode(int line) const { return V::PerLine(541, line); }
    std::span<B, 6> LeadingCode(int line) const { return V::template Span<6>(549 + 6 * line); }
    B& AutoEnter(int line) const { return V::PerLine(597, line); }
    B& InputMark(int line) const { return V::PerLine(605, line); }
    std::span<B, 50> LineText50(int line) const { return V::template Span<50>(613 + 50 * line); }
    B& LastInputLine() const { return V::At(1013); }
    B& Reserved1014() const { return V::At(1014); }
    B& CheckDigit(int line) const { return V::PerLine(1015, line); }
    B& FnBranch(int key) const { return V::At(1023 + key); }
    B& DecimalPlaces(int line) const { return V::PerLine(1027, line); }
    std::span<B, 5> PrefixCodeNibbles(int line) const {
        return V::template Span<5>(1035 + 5 * line);
    }
    std::span<B, 5> SuffixCodeNibbles(int line) const {
        return V::template Span<5>(1075 + 5 * line);
    }
    B& SaveToVariable(int line) const { return V::PerLine(1115, line); }
    B& FillFromVariable(int line) const { return V::PerLine(1123, line); }
    B& KeepWholeBarcode(int line) const { return V::PerLine(1131, line); }
    B& WeightSourceKeep(int line) const { return V::PerLine(1139, line); }
    B& PrefixInSearch(int line) const { return V::PerLine(1147, line); }
    B& SuffixInSearch(int line) const { return V::PerLine(1155, line); }
    B& SerialPartVariable() const { return V::At(1163); }
    B& SerialQuantityField() const { return V::At(1164); }
    B& SerialStore() const { return V::At(1165); }
    B& TotalSumField(int key) const { return V::At(1166 + key); }
    B& TotalMultiplier(int key) const { return V::At(1170 + key); }
    B& BalanceFilterField(int key) const { return V::At(1174 + key); }
    B& BalanceFilterVariable(int key) const { return V::At(1178 + key); }
    B& BalanceCompare(int key) const { return V::At(1182 + key); }
    B& TotalFilterField(int key) const { return V::At(1186 + key); }
    B& TotalFilterVariable(int key) const { return V::At(1190 + key); }
    B& TotalCompare(int key) const { return V::At(1194 + key); }
    B& NotFoundAction() const { return V::At(1198); }
    B& ErrorTarget() const { return V::At(1199); }
    std::span<B, 15> Reserved1200() const { return V::template Span<15>(1200); }
};
using FormRecord = FormRecordView<Byte>;
using ConstFormRecord = FormRecordView<const Byte>;

// Line types of a form line.
enum LineTypeCode : Byte {
    kLineNil = 0,
    kLineText = 1,
    kLineInteger = 2,
    kLineReal = 3,
    kLineLetter = 4,
    kLineAuto = 5,
    kLineBoolean = 6,
    kLineLookup = 7,
    kLineFixedData = 8,
    kLinePrompt = 9,
    kLineCounter = 10,
    kLinePassDown = 11,
    kLineExtension = 12,
    kLinePause = 13,
    kLineAlphameric = 14,
    kLineWeight = 15,
    kLineSerial = 16,
};

// One menu, 350 bytes.
template <class B>
class MenuRecordView : public ByteView<B> {
    using V = ByteView<B>;

  public:
    using V::V;
    B& MenuReserved0() const { return V::At(0); }
    B& HasCaption() const { return V::At(1); }
    std::span<B, kTextCellSize> Caption() const { return V::template Span<kTextCellSize>(2); }
    std::span<B, kTextCellSize> ItemText(int item) const {
        return V::template Span<kTextCellSize>(23 + kTextCellSize * item);
    }
    B& MenuEscTarget() const { return V::At(233); }
    B& ItemTarget(int item) const { return V::At(234 + item); }
    B& SaveCaption() const { return V::At(244); }
    B& SaveSelectedItem() const { return V::At(245); }
    B& PassDown() const { return V::At(246); }
    B& ItemCount() const { return V::At(247); }
};
using MenuRecord = MenuRecordView<Byte>;
using ConstMenuRecord = MenuRecordView<const Byte>;

// One lookup database, 122 bytes.
template <class B>
class LookupRecordView : public ByteView<B> {
    using V = ByteView<B>;

  public:
    using V::V;
    B& MemberLength() const { return V::At(0); }
    B& FieldCount() const { return V::At(1); }
    B& KeyField() const { return V::At(2); }
    B& FieldOffset(int field) const { return V::At(3 + field); }
    B& FieldLength(int field) const { return V::At(11 + field); }
    B& Delimiter() const { return V::At(19); }
    B& CanBeUploaded() const { return V::At(20); }
    B& NoMatchAction() const { return V::At(21); }
    B& WrongFormatAction() const { return V::At(22); }
    B& ReadOnce() const { return V::At(23); }
    B& NonZeroFilter(int field) const { return V::At(24 + field); }
    B& QuantityControl(int field) const { return V::At(32 + field); }
    B& Placement() const { return V::At(40); }
    B& SeveralFound() const { return V::At(41); }
    B& SearchWithFilter() const { return V::At(42); }
    B& FilterMode() const { return V::At(43); }
    B& DateTimeField() const { return V::At(44); }
    // A database is in use when it has a record length and at least one field.
    bool InUse() const { return MemberLength() != 0 && FieldCount() != 0; }
};
using LookupRecord = LookupRecordView<Byte>;
using ConstLookupRecord = LookupRecordView<const Byte>;

// One form's barcode-to-field links, 16 bytes.
template <class B>
class FieldLinkRecordView : public ByteView<B> {
    using V = ByteView<B>;

  public:
    using V::V;
    B& LinkLine(int line) const { return V::At(line); }
    B& LinkValue(int line) const { return V::At(8 + line); }
};
using FieldLinkRecord = FieldLinkRecordView<Byte>;
using ConstFieldLinkRecord = FieldLinkRecordView<const Byte>;

// The terminal's own settings, 268 bytes.
template <class B>
class TerminalSettingsView : public ByteView<B> {
    using V = ByteView<B>;

  public:
    using V::V;
    B& SettingsLayout() const { return V::At(0); }
    B& StartTarget() const { return V::At(1); }
    B& DelimiterCode1() const { return V::At(2); }
    B& DelimiterCode2() const { return V::At(3); }
    B& UploadPort() const { return V::At(5); }
    std::span<B, kTextCellSize> UploadPhone() const { return V::template Span<kTextCellSize>(6); }
    B& DownloadPort() const { return V::At(27); }
    B& TerminalBaudRate() const { return V::At(28); }
    B& Backlight() const { return V::At(29); }
    B& BacklightTimeout() const { return V::At(30); }
    B& DataDeletion() const { return V::At(31); }
    B& EntryOption() const { return V::At(32); }
    B& PromptDuration() const { return V::At(33); }
    B& SecurityFlags(int i) const { return V::At(34 + i); }  // 12 flags
    std::span<B, 11> Password() const { return V::template Span<11>(46); }
    B& FnKeyFunction(int key) const { return V::At(58 + key); }  // FN+1..FN+7
    B& FnKeysEnabled() const { return V::At(82); }
    B& ModemSpeed() const { return V::At(115); }
    std::span<B, kTextCellSize> DownloadPhone() const {
        return V::template Span<kTextCellSize>(116);
    }
    B& KeyClick() const { return V::At(137); }
    B& GoodReadBeep() const { return V::At(138); }
    B& WarningBeep() const { return V::At(139); }
    B& SecurityFlags2(int i) const { return V::At(140 + i); }  // 3 flags
    std::span<B, kTextCellSize> UtilityLine(int i) const {
        return V::template Span<kTextCellSize>(150 + kTextCellSize * i);
    }
    B& BluetoothPorts() const { return V::At(255); }
    B& ReaderType() const { return V::At(256); }
    B& Vibration() const { return V::At(257); }
    B& SettingsByte258() const { return V::At(258); }
    B& Volume() const { return V::At(259); }
    B& DataPlacement() const { return V::At(260); }
};
using TerminalSettingsRecord = TerminalSettingsView<Byte>;
using ConstTerminalSettingsRecord = TerminalSettingsView<const Byte>;
inline constexpr Byte kCurrentSettingsLayout = 2;

// Weight-barcode masks and per-line weight transfer rules, 822 bytes.
inline constexpr int kWeightMaskSlots = 20;
inline constexpr std::size_t kWeightMaskSize = 33;
template <class B>
class BarcodeRulesView : public ByteView<B> {
    using V = ByteView<B>;

  public:
    using V::V;
    B& WeightBarcodeEnabled() const { return V::At(0); }
    std::span<B, kWeightMaskSize> WeightMask(int slot) const {
        return V::template Span<kWeightMaskSize>(1 + kWeightMaskSize * slot);
    }
    B& WeightMaskCount() const { return V::At(661); }
    B& WeightTransferFlag(int form, int line) const { return V::At(662 + 8 * form + line); }
    B& WeightTargetLine(int form, int line) const { return V::At(742 + 8 * form + line); }
};
using BarcodeRulesRecord = BarcodeRulesView<Byte>;
using ConstBarcodeRulesRecord = BarcodeRulesView<const Byte>;

// Variable names and variable data, 348 bytes.
template <class B>
class VariableNamesView : public ByteView<B> {
    using V = ByteView<B>;

  public:
    using V::V;
    // variable is 1..10
    std::span<B, kTextCellSize> Name(int variable) const {
        return V::template Span<kTextCellSize>(kTextCellSize * (variable - 1));
    }
    std::span<B, 15> VariableNibbles() const { return V::template Span<15>(210); }
};
using VariableNamesRecord = VariableNamesView<Byte>;
using ConstVariableNamesRecord = VariableNamesView<const Byte>;

// Wi-Fi and network settings, 247 bytes. Addresses are stored most significant byte first.
template <class B>
class NetworkSettingsView : public ByteView<B> {
    using V = ByteView<B>;

  public:
    using V::V;
    std::span<B, 4> ServerAddress() const { return V::template Span<4>(0); }
    std::span<B, 2> ServerPort() const { return V::template Span<2>(4); }  // little-endian
    B& UseNetworkSettings() const { return V::At(6); }
    B& Dhcp() const { return V::At(7); }
    std::span<B, 4> TerminalAddress() const { return V::template Span<4>(8); }
    std::span<B, 4> SubnetMask() const { return V::template Span<4>(12); }
    std::span<B, 4> Gateway() const { return V::template Span<4>(16); }
    std::span<B, 4> DnsServer() const { return V::template Span<4>(20); }
    std::span<B, 33> Ssid() const { return V::template Span<33>(24); }
    B& Encryption() const { return V::At(57); }
    B& WepAuthentication() const { return V::At(58); }
    B& WepKeyLength() const { return V::At(59); }
    B& ActiveWepKey() const { return V::At(60); }
    std::span<B, 14> WepKey(int k) const { return V::template Span<14>(61 + 14 * k); }
    std::span<B, 33> EapLogin() const { return V::template Span<33>(117); }
    std::span<B, 33> EapPassword() const { return V::template Span<33>(150); }
    std::span<B, 64> WpaKey() const { return V::template Span<64>(183); }
};
using NetworkSettingsRecord = NetworkSettingsView<Byte>;
using ConstNetworkSettingsRecord = NetworkSettingsView<const Byte>;

// ---- record access --------------------------------------------------------------------

inline FormRecord Form(Definition& d, int n) {
    return FormRecord(d.formTable.data() + kFormRecordSize * n);
}
inline ConstFormRecord Form(const Definition& d, int n) {
    return ConstFormRecord(d.formTable.data() + kFormRecordSize * n);
}
inline MenuRecord Menu(Definition& d, int n) {
    return MenuRecord(d.menuTable.data() + kMenuRecordSize * n);
}
inline ConstMenuRecord Menu(const Definition& d, int n) {
    return ConstMenuRecord(d.menuTable.data() + kMenuRecordSize * n);
}
// Databases are numbered 1..3.
inline LookupRecord Lookup(Definition& d, int db) {
    return LookupRecord(d.lookupTable.data() + kLookupRecordSize * (db - 1));
}
inline ConstLookupRecord Lookup(const Definition& d, int db) {
    return ConstLookupRecord(d.lookupTable.data() + kLookupRecordSize * (db - 1));
}
inline FieldLinkRecord FieldLink(Definition& d, int form) {
    return FieldLinkRecord(d.fieldLinks.data() + kFieldLinkRecordSize * form);
}
inline ConstFieldLinkRecord FieldLink(const Definition& d, int form) {
    return ConstFieldLinkRecord(d.fieldLinks.data() + kFieldLinkRecordSize * form);
}
inline TerminalSettingsRecord Terminal(Definition& d) {
    return TerminalSettingsRecord(d.terminalSettings.data());
}
inline ConstTerminalSettingsRecord Terminal(const Definition& d) {
    return ConstTerminalSettingsRecord(d.terminalSettings.data());
}
inline BarcodeRulesRecord Rules(Definition& d) {
    return BarcodeRulesRecord(d.barcodeRules.data());
}
inline ConstBarcodeRulesRecord Rules(const Definition& d) {
    return ConstBarcodeRulesRecord(d.barcodeRules.data());
}
inline VariableNamesRecord Variables(Definition& d) {
    return VariableNamesRecord(d.variableNames.data());
}
inline ConstVariableNamesRecord Variables(const Definition& d) {
    return ConstVariableNamesRecord(d.variableNames.data());
}
inline NetworkSettingsRecord Network(Definition& d) {
    return NetworkSettingsRecord(d.networkSettings.data());
}
inline ConstNetworkSettingsRecord Network(const Definition& d) {
    return ConstNetworkSettingsRecord(d.networkSettings.data());
}

// Line k (0-based) of screen-text group g (1..27) as a 21-byte cell.
inline std::span<Byte, kTextCellSize> ScreenTextLine(Definition& d, int group, int line) {
    return std::span<Byte, kTextCellSize>(
        d.screenTexts.data() + kTextCellSize * (ScreenTextGroupFirstLine(group) + line),
        kTextCellSize);
}
inline std::span<const Byte, kTextCellSize> ScreenTextLine(const Definition& d, int group,
                                                           int line) {
    return std::span<const Byte, kTextCellSize>(
        d.screenTexts.data() + kTextCellSize * (ScreenTextGroupFirstLine(group) + line),
        kTextCellSize);
}
// All lines of group g, 21 bytes each.
inline std::span<Byte> ScreenTextGroup(Definition& d, int group) {
    return std::span<Byte>(d.screenTexts.data() + kTextCellSize * ScreenTextGroupFirstLine(group),
                           kTextCellSize * kScreenTextGroups[group - 1].lines);
}

// Length of the text in a cell: the bytes before the first zero, at most the cell's size.
template <class B, std::size_t N>
std::size_t CellTextLength(std::span<B, N> cell) {
    std::size_t n = 0;
    while (n < cell.size() && cell[n] != 0)
        ++n;
    return n;
}

// True when a database counts as in use anywhere in the definition.
inline bool AnyLookupInUse(const Definition& d) {
    for (int db = 1; db <= kLookupCount; ++db)
        if (Lookup(d, db).InUse()) return true;
    return false;
}

}  // namespace fw
