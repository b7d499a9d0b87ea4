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

#include "model/layout.h"

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

// Block and record sizes, as the field table gives them.
inline constexpr std::size_t kFormatTagSize = layout::kFormatTag.Size();
inline constexpr std::size_t kReservedWordSize = layout::kReservedWord.Size();
inline constexpr std::size_t kReaderOptionsSize = layout::kReaderOptions.Size();
inline constexpr std::size_t kMenuRecordSize = layout::kMenuRecord.size;
inline constexpr std::size_t kMenuTableSize = layout::kMenuRecord.Size();
inline constexpr std::size_t kFormRecordSize = layout::kFormRecord.size;
inline constexpr std::size_t kFormTableSize = layout::kFormRecord.Size();
inline constexpr std::size_t kLookupRecordSize = layout::kLookupRecord.size;
inline constexpr std::size_t kLookupTableSize = layout::kLookupRecord.Size();
inline constexpr std::size_t kScreenLineCount = 133;
inline constexpr std::size_t kScreenTextsSize = layout::kScreenTexts.Size();
inline constexpr std::size_t kSymbologyOptionsSize = layout::kSymbologyOptions.Size();
inline constexpr std::size_t kReaderExtraSize = layout::kReaderExtra.Size();
inline constexpr std::size_t kTerminalSettingsSize = layout::kTerminalSettings.Size();
inline constexpr std::size_t kReaderOptions2Size = layout::kReaderOptions2.Size();
inline constexpr std::size_t kBarcodeRulesSize = layout::kBarcodeRules.Size();
inline constexpr std::size_t kVariableNamesSize = layout::kVariableNames.Size();
inline constexpr std::size_t kNetworkSettingsSize = layout::kNetworkSettings.Size();
inline constexpr std::size_t kFieldLinkRecordSize = layout::kFieldLinkRecord.size;
inline constexpr std::size_t kFieldLinksSize = layout::kFieldLinkRecord.Size();

static_assert(kMenuRecordSize * kMenuCount == kMenuTableSize);
static_assert(kFormRecordSize * kFormCount == kFormTableSize);
static_assert(kLookupRecordSize * kLookupCount == kLookupTableSize);
static_assert(kScreenLineCount * kTextCellSize == kScreenTextsSize);
static_assert(kFieldLinkRecordSize * kFormCount == kFieldLinksSize);

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
// The groups' sizes are the field table's.
consteval bool ScreenTextGroupsMatchLayout() {
    if (layout::kScreenTexts.fields.size() != kScreenTextGroups.size()) return false;
    for (std::size_t g = 0; g < kScreenTextGroups.size(); ++g) {
        const layout::Field& f = layout::kScreenTexts.fields[g];
        if (f.count != kScreenTextGroups[g].lines || f.width != kTextCellSize ||
            f.offset != kTextCellSize * ScreenTextGroupFirstLine(static_cast<int>(g) + 1))
            return false;
    }
    return true;
}
static_assert(ScreenTextGroupsMatchLayout());
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
// B is Byte for a writable view and const Byte for a read-only one. R is the record's entry in
// the field table: every accessor names its field there, and its offset, width and shape come
// from the table, checked when it compiles.

template <class B, const layout::Record& R>
class ByteView {
  public:
    explicit ByteView(B* base) : base_(base) {}
    B* Data() const { return base_; }
    static constexpr const layout::Record& kLayout = R;

  protected:
    // A one-byte field.
    template <layout::FieldName N>
    B& One() const {
        constexpr layout::Field f = layout::Find(R, N.View());
        static_assert(f.width == 1 && f.count == 1, "not a single byte");
        return base_[f.offset];
    }
    // Element i of a repeated one-byte field (one byte per line, per key, ...).
    template <layout::FieldName N>
    B& Each(int i) const {
        constexpr layout::Field f = layout::Find(R, N.View());
        static_assert(f.width == 1 && f.count > 1, "not a repeated byte");
        return base_[f.offset + static_cast<std::size_t>(i)];
    }
    // The bytes of element i of a field wider than one byte.
    template <layout::FieldName N>
    auto Bytes(int i = 0) const {
        constexpr layout::Field f = layout::Find(R, N.View());
        static_assert(f.width > 1, "a one-byte field is read with One or Each");
        return std::span<B, f.width>(base_ + f.offset + f.width * static_cast<std::size_t>(i),
                                     f.width);
    }
    // All elements of a field together.
    template <layout::FieldName N>
    auto All() const {
        constexpr layout::Field f = layout::Find(R, N.View());
        constexpr std::size_t n = f.width * static_cast<std::size_t>(f.count);
        return std::span<B, n>(base_ + f.offset, n);
    }

  private:
    B* base_;
};

// One data-entry form, 1215 bytes.
template <class B>
class FormRecordView : public ByteView<B, layout::kFormRecord> {
    using V = ByteView<B, layout::kFormRecord>;

  public:
    using V::V;
    B& Reserved0() const { return V::template One<"Reserved0">(); }
    B& EscTarget() const { return V::template One<"EscTarget">(); }
    B& NextTarget() const { return V::template One<"NextTarget">(); }
    B& DateTimePosition() const { return V::template One<"DateTimePosition">(); }
    B& SeparateDateTime() const { return V::template One<"SeparateDateTime">(); }
    B& StampYear() const { return V::template One<"StampYear">(); }
    B& YearDigits() const { return V::template One<"YearDigits">(); }
    B& StampMonth() const { return V::template One<"StampMonth">(); }
    B& StampDay() const { return V::template One<"StampDay">(); }
    B& DateSeparatorOn() const { return V::template One<"DateSeparatorOn">(); }
    std::span<B, 2> DateSeparator() const { return V::template Bytes<"DateSeparator">(); }
    B& DateStyle() const { return V::template One<"DateStyle">(); }
    B& StampHour() const { return V::template One<"StampHour">(); }
    B& StampMinute() const { return V::template One<"StampMinute">(); }
    B& StampSecond() const { return V::template One<"StampSecond">(); }
    B& TimeSeparatorOn() const { return V::template One<"TimeSeparatorOn">(); }
    std::span<B, 2> TimeSeparator() const { return V::template Bytes<"TimeSeparator">(); }
    B& RecordAction() const { return V::template One<"RecordAction">(); }
    B& FormLookup() const { return V::template One<"FormLookup">(); }
    B& LineLookupField(int line) const { return V::template Each<"LineLookupField">(line); }
    B& LineType(int line) const { return V::template Each<"LineType">(line); }
    std::span<B, kTextCellSize> LinePrompt(int line) const {
        return V::template Bytes<"LinePrompt">(line);
    }
    B& InputSource(int line) const { return V::template Each<"InputSource">(line); }
    B& MinLength(int line) const { return V::template Each<"MinLength">(line); }
    B& MaxLength(int line) const { return V::template Each<"MaxLength">(line); }
    B& FixedLengthFlag(int line) const { return V::template Each<"FixedLengthFlag">(line); }
    B& Alignment(int line) const { return V::template Each<"Alignment">(line); }
    B& FixedLength(int line) const { return V::template Each<"FixedLength">(line); }
    B& InitialValueFlag(int line) const { return V::template Each<"InitialValueFlag">(line); }
    std::span<B, 10> InitialValue(int line) const {
        return V::template Bytes<"InitialValue">(line);
    }
    B& PrefixFlag(int line) const { return V::template Each<"PrefixFlag">(line); }
    std::span<B, 10> PrefixCode(int line) const { return V::template Bytes<"PrefixCode">(line); }
    B& SuffixFlag(int line) const { return V::template Each<"SuffixFlag">(line); }
    std::span<B, 10> SuffixCode(int line) const { return V::template Bytes<"SuffixCode">(line); }
    B& ReadPartialBarcode(int line) const { return V::template Each<"ReadPartialBarcode">(line); }
    B& PartialStart(int line) const { return V::template Each<"PartialStart">(line); }
    B& PartialLength(int line) const { return V::template Each<"PartialLength">(line); }
    B& CheckLeadingCode(int line) const { return V::template Each<"CheckLeadingCode">(line); }
    std::span<B, 6> LeadingCode(int line) const { return V::template Bytes<"LeadingCode">(line); }
    B& AutoEnter(int line) const { return V::template Each<"AutoEnter">(line); }
    B& InputMark(int line) const { return V::template Each<"InputMark">(line); }
    std::span<B, 50> LineText50(int line) const { return V::template Bytes<"LineText50">(line); }
    B& LastInputLine() const { return V::template One<"LastInputLine">(); }
    B& Reserved1014() const { return V::template One<"Reserved1014">(); }
    B& CheckDigit(int line) const { return V::template Each<"CheckDigit">(line); }
    B& FnBranch(int key) const { return V::template Each<"FnBranch">(key); }
    B& DecimalPlaces(int line) const { return V::template Each<"DecimalPlaces">(line); }
    std::span<B, 5> PrefixCodeNibbles(int line) const {
        return V::template Bytes<"PrefixCodeNibbles">(line);
    }
    std::span<B, 5> SuffixCodeNibbles(int line) const {
        return V::template Bytes<"SuffixCodeNibbles">(line);
    }
    B& SaveToVariable(int line) const { return V::template Each<"SaveToVariable">(line); }
    B& FillFromVariable(int line) const { return V::template Each<"FillFromVariable">(line); }
    B& KeepWholeBarcode(int line) const { return V::template Each<"KeepWholeBarcode">(line); }
    B& WeightSourceKeep(int line) const { return V::template Each<"WeightSourceKeep">(line); }
    B& PrefixInSearch(int line) const { return V::template Each<"PrefixInSearch">(line); }
    B& SuffixInSearch(int line) const { return V::template Each<"SuffixInSearch">(line); }
    B& SerialPartVariable() const { return V::template One<"SerialPartVariable">(); }
    B& SerialQuantityField() const { return V::template One<"SerialQuantityField">(); }
    B& SerialStore() const { return V::template One<"SerialStore">(); }
    B& TotalSumField(int key) const { return V::template Each<"TotalSumField">(key); }
    B& TotalMultiplier(int key) const { return V::template Each<"TotalMultiplier">(key); }
    B& BalanceFilterField(int key) const { return V::template Each<"BalanceFilterField">(key); }
    B& BalanceFilterVariable(int key) const {
        return V::template Each<"BalanceFilterVariable">(key);
    }
    B& BalanceCompare(int key) const { return V::template Each<"BalanceCompare">(key); }
    B& TotalFilterField(int key) const { return V::template Each<"TotalFilterField">(key); }
    B& TotalFilterVariable(int key) const { return V::template Each<"TotalFilterVariable">(key); }
    B& TotalCompare(int key) const { return V::template Each<"TotalCompare">(key); }
    B& NotFoundAction() const { return V::template One<"NotFoundAction">(); }
    B& ErrorTarget() const { return V::template One<"ErrorTarget">(); }
    std::span<B, 15> Reserved1200() const { return V::template Bytes<"Reserved1200">(); }
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
class MenuRecordView : public ByteView<B, layout::kMenuRecord> {
    using V = ByteView<B, layout::kMenuRecord>;

  public:
    using V::V;
    B& MenuReserved0() const { return V::template One<"MenuReserved0">(); }
    B& HasCaption() const { return V::template One<"HasCaption">(); }
    std::span<B, kTextCellSize> Caption() const { return V::template Bytes<"Caption">(); }
    std::span<B, kTextCellSize> ItemText(int item) const {
        return V::template Bytes<"ItemText">(item);
    }
    B& MenuEscTarget() const { return V::template One<"MenuEscTarget">(); }
    B& ItemTarget(int item) const { return V::template Each<"ItemTarget">(item); }
    B& SaveCaption() const { return V::template One<"SaveCaption">(); }
    B& SaveSelectedItem() const { return V::template One<"SaveSelectedItem">(); }
    B& PassDown() const { return V::template One<"PassDown">(); }
    B& ItemCount() const { return V::template One<"ItemCount">(); }
};
using MenuRecord = MenuRecordView<Byte>;
using ConstMenuRecord = MenuRecordView<const Byte>;

// One lookup database, 122 bytes.
template <class B>
class LookupRecordView : public ByteView<B, layout::kLookupRecord> {
    using V = ByteView<B, layout::kLookupRecord>;

  public:
    using V::V;
    B& MemberLength() const { return V::template One<"MemberLength">(); }
    B& FieldCount() const { return V::template One<"FieldCount">(); }
    B& KeyField() const { return V::template One<"KeyField">(); }
    B& FieldOffset(int field) const { return V::template Each<"FieldOffset">(field); }
    B& FieldLength(int field) const { return V::template Each<"FieldLength">(field); }
    B& Delimiter() const { return V::template One<"Delimiter">(); }
    B& CanBeUploaded() const { return V::template One<"CanBeUploaded">(); }
    B& NoMatchAction() const { return V::template One<"NoMatchAction">(); }
    B& WrongFormatAction() const { return V::template One<"WrongFormatAction">(); }
    B& ReadOnce() const { return V::template One<"ReadOnce">(); }
    B& NonZeroFilter(int field) const { return V::template Each<"NonZeroFilter">(field); }
    B& QuantityControl(int field) const { return V::template Each<"QuantityControl">(field); }
    B& Placement() const { return V::template One<"Placement">(); }
    B& SeveralFound() const { return V::template One<"SeveralFound">(); }
    B& SearchWithFilter() const { return V::template One<"SearchWithFilter">(); }
    B& FilterMode() const { return V::template One<"FilterMode">(); }
    B& DateTimeField() const { return V::template One<"DateTimeField">(); }
    // A database is in use when it has a record length and at least one field.
    bool InUse() const { return MemberLength() != 0 && FieldCount() != 0; }
};
using LookupRecord = LookupRecordView<Byte>;
using ConstLookupRecord = LookupRecordView<const Byte>;

// One form's barcode-to-field links, 16 bytes.
template <class B>
class FieldLinkRecordView : public ByteView<B, layout::kFieldLinkRecord> {
    using V = ByteView<B, layout::kFieldLinkRecord>;

  public:
    using V::V;
    B& LinkLine(int line) const { return V::template Each<"LinkLine">(line); }
    B& LinkValue(int line) const { return V::template Each<"LinkValue">(line); }
};
using FieldLinkRecord = FieldLinkRecordView<Byte>;
using ConstFieldLinkRecord = FieldLinkRecordView<const Byte>;

// The terminal's own settings, 268 bytes.
template <class B>
class TerminalSettingsView : public ByteView<B, layout::kTerminalSettings> {
    using V = ByteView<B, layout::kTerminalSettings>;

  public:
    using V::V;
    B& SettingsLayout() const { return V::template One<"SettingsLayout">(); }
    B& StartTarget() const { return V::template One<"StartTarget">(); }
    B& DelimiterCode1() const { return V::template One<"DelimiterCode1">(); }
    B& DelimiterCode2() const { return V::template One<"DelimiterCode2">(); }
    B& SeparateDataFiles() const { return V::template One<"SeparateDataFiles">(); }
    B& UploadPort() const { return V::template One<"UploadPort">(); }
    std::span<B, kTextCellSize> UploadPhone() const { return V::template Bytes<"UploadPhone">(); }
    B& DownloadPort() const { return V::template One<"DownloadPort">(); }
    B& TerminalBaudRate() const { return V::template One<"TerminalBaudRate">(); }
    B& Backlight() const { return V::template One<"Backlight">(); }
    B& BacklightTimeout() const { return V::template One<"BacklightTimeout">(); }
    B& DataDeletion() const { return V::template One<"DataDeletion">(); }
    B& EntryOption() const { return V::template One<"EntryOption">(); }
    B& PromptDuration() const { return V::template One<"PromptDuration">(); }
    B& SecurityFlags(int i) const { return V::template Each<"SecurityFlags">(i); }  // 12 flags
    std::span<B, 11> Password() const { return V::template Bytes<"Password">(); }
    B& FnKeyFunction(int key) const {
        return V::template Each<"FnKeyFunction">(key);
    }  // FN+1..FN+7
    B& FnKeysEnabled() const { return V::template One<"FnKeysEnabled">(); }
    B& ModemSpeed() const { return V::template One<"ModemSpeed">(); }
    std::span<B, kTextCellSize> DownloadPhone() const {
        return V::template Bytes<"DownloadPhone">();
    }
    B& KeyClick() const { return V::template One<"KeyClick">(); }
    B& GoodReadBeep() const { return V::template One<"GoodReadBeep">(); }
    B& WarningBeep() const { return V::template One<"WarningBeep">(); }
    B& SecurityFlags2(int i) const { return V::template Each<"SecurityFlags2">(i); }  // 3 flags
    std::span<B, kTextCellSize> UtilityLine(int i) const {
        return V::template Bytes<"UtilityLines">(i);
    }
    B& BluetoothPorts() const { return V::template One<"BluetoothPorts">(); }
    B& ReaderType() const { return V::template One<"ReaderType">(); }
    B& Vibration() const { return V::template One<"Vibration">(); }
    B& SettingsByte258() const { return V::template One<"SettingsByte258">(); }
    B& Volume() const { return V::template One<"Volume">(); }
    B& DataPlacement() const { return V::template One<"DataPlacement">(); }
};
using TerminalSettingsRecord = TerminalSettingsView<Byte>;
using ConstTerminalSettingsRecord = TerminalSettingsView<const Byte>;
inline constexpr Byte kCurrentSettingsLayout = 2;

// Weight-barcode masks and per-line weight transfer rules, 822 bytes.
inline constexpr int kWeightMaskSlots = 20;
inline constexpr std::size_t kWeightMaskSize = 33;
template <class B>
class BarcodeRulesView : public ByteView<B, layout::kBarcodeRules> {
    using V = ByteView<B, layout::kBarcodeRules>;

  public:
    using V::V;
    B& WeightBarcodeEnabled() const { return V::template One<"WeightBarcodeEnabled">(); }
    std::span<B, kWeightMaskSize> WeightMask(int slot) const {
        return V::template Bytes<"WeightMasks">(slot);
    }
    B& WeightMaskCount() const { return V::template One<"WeightMaskCount">(); }
    B& WeightTransferFlag(int form, int line) const {
        return V::template Each<"WeightTransferFlags">(kLinesPerForm * form + line);
    }
    B& WeightTargetLine(int form, int line) const {
        return V::template Each<"WeightTargetLine">(kLinesPerForm * form + line);
    }
};
using BarcodeRulesRecord = BarcodeRulesView<Byte>;
using ConstBarcodeRulesRecord = BarcodeRulesView<const Byte>;

// Variable names and variable data, 348 bytes.
template <class B>
class VariableNamesView : public ByteView<B, layout::kVariableNames> {
    using V = ByteView<B, layout::kVariableNames>;

  public:
    using V::V;
    // variable is 1..10
    std::span<B, kTextCellSize> Name(int variable) const {
        return V::template Bytes<"Name">(variable - 1);
    }
    std::span<B, 15> VariableNibbles() const { return V::template All<"VariableNibbles">(); }
};
using VariableNamesRecord = VariableNamesView<Byte>;
using ConstVariableNamesRecord = VariableNamesView<const Byte>;

// Wi-Fi and network settings, 247 bytes. Addresses are stored most significant byte first.
template <class B>
class NetworkSettingsView : public ByteView<B, layout::kNetworkSettings> {
    using V = ByteView<B, layout::kNetworkSettings>;

  public:
    using V::V;
    std::span<B, 4> ServerAddress() const { return V::template Bytes<"ServerAddress">(); }
    std::span<B, 2> ServerPort() const {
        return V::template Bytes<"ServerPort">();
    }  // little-endian
    B& UseNetworkSettings() const { return V::template One<"UseNetworkSettings">(); }
    B& Dhcp() const { return V::template One<"Dhcp">(); }
    std::span<B, 4> TerminalAddress() const { return V::template Bytes<"TerminalAddress">(); }
    std::span<B, 4> SubnetMask() const { return V::template Bytes<"SubnetMask">(); }
    std::span<B, 4> Gateway() const { return V::template Bytes<"Gateway">(); }
    std::span<B, 4> DnsServer() const { return V::template Bytes<"DnsServer">(); }
    std::span<B, 33> Ssid() const { return V::template Bytes<"Ssid">(); }
    B& Encryption() const { return V::template One<"Encryption">(); }
    B& WepAuthentication() const { return V::template One<"WepAuthentication">(); }
    B& WepKeyLength() const { return V::template One<"WepKeyLength">(); }
    B& ActiveWepKey() const { return V::template One<"ActiveWepKey">(); }
    std::span<B, 14> WepKey(int k) const { return V::template Bytes<"WepKeys">(k); }
    std::span<B, 33> EapLogin() const { return V::template Bytes<"EapLogin">(); }
    std::span<B, 33> EapPassword() const { return V::template Bytes<"EapPassword">(); }
    std::span<B, 64> WpaKey() const { return V::template Bytes<"WpaKey">(); }
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

// The bytes of a block, as the field table names it.
inline std::span<const Byte> BlockBytes(const Definition& d, layout::BlockId id) {
    using enum layout::BlockId;
    switch (id) {
        case FormatTag:
            return d.formatTag;
        case ReservedWord:
            return d.reservedWord;
        case ReaderOptions:
            return d.readerOptions;
        case MenuTable:
            return d.menuTable;
        case FormTable:
            return d.formTable;
        case LookupTable:
            return d.lookupTable;
        case ScreenTexts:
            return d.screenTexts;
        case SymbologyOptions:
            return d.symbologyOptions;
        case ReaderExtra:
            return d.readerExtra;
        case TerminalSettings:
            return d.terminalSettings;
        case ReaderOptions2:
            return d.readerOptions2;
        case BarcodeRules:
            return d.barcodeRules;
        case VariableNames:
            return d.variableNames;
        case NetworkSettings:
            return d.networkSettings;
        case FieldLinks:
            return d.fieldLinks;
    }
    return {};
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
