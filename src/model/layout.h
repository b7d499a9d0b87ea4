// The field table: every block and record of the definition as data. Each field has the name
// the layout tables give it, its offset and width, how many elements repeat one after the
// other, and for bit-packed values the bits it takes. The record views of definition.h read
// their offsets from here, so the file writer, the image, the editor and the command-line tool
// all see one layout.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>

namespace fw::layout {

// The blocks in project-file order.
enum class BlockId : std::uint8_t {
    FormatTag,
    ReservedWord,
    ReaderOptions,
    MenuTable,
    FormTable,
    LookupTable,
    ScreenTexts,
    SymbologyOptions,
    ReaderExtra,
    TerminalSettings,
    ReaderOptions2,
    BarcodeRules,
    VariableNames,
    NetworkSettings,
    FieldLinks,
};

// What one element of a repeated field stands for.
enum class Repeat : std::uint8_t {
    None,
    Line,        // a form line, 1..8
    FnKey,       // FN+1..
    Item,        // a menu item, 1..10
    Field,       // a database field, 1..8
    Variable,    // variable 1..10
    MaskSlot,    // a weight-barcode mask, 1..20
    FormLine,    // form 1..10 x line 1..8
    WepKey,      // 1..4
    ScreenLine,  // a line of a screen-text group, 1..
    Flag,        // one of a row of flags, 1..
    Byte,        // byte k of the field, counted from 0
    RecordByte,  // byte k of the record, counted from 0
};

// How the bytes of one element hold their value.
enum class Value : std::uint8_t {
    Number,   // unsigned, little-endian over the width
    Text,     // 8-bit text up to a zero byte
    Bytes,    // raw bytes: key codes, addresses, bit-packed settings
    Nibbles,  // two 4-bit values a byte
    Bits,     // the bit range of the byte or word
};

struct BitRange {
    std::uint8_t first = 0;  // lowest bit
    std::uint8_t count = 0;  // 0: the whole element
};

struct Field {
    std::string_view name;
    std::size_t offset = 0;  // of the first element, within the record
    std::size_t width = 1;   // bytes of one element
    int count = 1;           // elements, one after the other
    Repeat repeat = Repeat::None;
    Value value = Value::Number;
    BitRange bits{};
};

struct Record {
    std::string_view name;  // the record's name, or the block's for a block that is one record
    BlockId block;
    std::size_t size;  // of one record
    int count;         // records in the block
    std::span<const Field> fields;
    constexpr std::size_t Size() const { return size * static_cast<std::size_t>(count); }
};

// Field lookup by name. Evaluated in a constant expression (as the views do), an unknown name
// does not compile.
constexpr Field Find(const Record& record, std::string_view name) {
    for (const Field& f : record.fields)
        if (f.name == name) return f;
    throw "no field of that name in the record";
}

// A field name as a template argument, so that a view's accessor names its field once.
template <std::size_t N>
struct FieldName {
    char text[N]{};
    consteval FieldName(const char (&s)[N]) {
        for (std::size_t i = 0; i < N; ++i)
            text[i] = s[i];
    }
    constexpr std::string_view View() const { return {text, N - 1}; }
};

using R = Repeat;
using V = Value;

inline constexpr std::size_t kCell = 21;  // a text cell: 20 characters and a zero byte

inline constexpr Field kFormatTagFields[] = {{"FormatTag", 0, 10, 1, R::None, V::Text}};
inline constexpr Field kReservedWordFields[] = {{"ReservedWord", 0, 2, 1, R::None, V::Bytes}};
// The reader blocks are bit-packed; their bits are named where the reader pages edit them.
inline constexpr Field kReaderOptionsFields[] = {
    {"ReaderOptions", 0, 1, 23, R::RecordByte, V::Bytes}};
inline constexpr Field kSymbologyOptionsFields[] = {
    {"SymbologyOptions", 0, 1, 45, R::RecordByte, V::Bytes}};
inline constexpr Field kReaderExtraFields[] = {{"ReaderExtra", 0, 1, 10, R::RecordByte, V::Bytes}};
inline constexpr Field kReaderOptions2Fields[] = {
    {"Gs1Transfer", 0},
    {"Byte", 1, 1, 99, R::RecordByte},
};

inline constexpr Field kMenuRecordFields[] = {
    {"MenuReserved0", 0},
    {"HasCaption", 1},
    {"Caption", 2, kCell, 1, R::None, V::Text},
    {"ItemText", 23, kCell, 10, R::Item, V::Text},
    {"MenuEscTarget", 233},
    {"ItemTarget", 234, 1, 10, R::Item},
    {"SaveCaption", 244},
    {"SaveSelectedItem", 245},
    {"PassDown", 246},
    {"ItemCount", 247},
    {"MenuReserved248", 248, 2, 1, R::None, V::Bytes},
    {"MenuReserved250", 250, 100, 1, R::None, V::Bytes},
};

inline constexpr Field kFormRecordFields[] = {
    {"Reserved0", 0},
    {"EscTarget", 1},
    {"NextTarget", 2},
    {"DateTimePosition", 3},
    {"SeparateDateTime", 4},
    {"StampYear", 5},
    {"YearDigits", 6},
    {"StampMonth", 7},
    {"StampDay", 8},
    {"DateSeparatorOn", 9},
    {"DateSeparator", 10, 2, 1, R::None, V::Text},
    {"DateStyle", 12},
    {"StampHour", 13},
    {"StampMinute", 14},
    {"StampSecond", 15},
    {"TimeSeparatorOn", 16},
    {"TimeSeparator", 17, 2, 1, R::None, V::Text},
    {"RecordAction", 19},
    {"FormLookup", 20},
    {"LineLookupField", 21, 1, 8, R::Line},
    {"LineType", 29, 1, 8, R::Line},
    {"LinePrompt", 37, kCell, 8, R::Line, V::Text},
    {"InputSource", 205, 1, 8, R::Line},
    {"MinLength", 213, 1, 8, R::Line},
    {"MaxLength", 221, 1, 8, R::Line},
    {"FixedLengthFlag", 229, 1, 8, R::Line},
    {"Alignment", 237, 1, 8, R::Line},
    {"FixedLength", 245, 1, 8, R::Line},
    {"InitialValueFlag", 253, 1, 8, R::Line},
    {"InitialValue", 261, 10, 8, R::Line, V::Text},
    {"PrefixFlag", 341, 1, 8, R::Line},
    {"PrefixCode", 349, 10, 8, R::Line, V::Bytes},
    {"SuffixFlag", 429, 1, 8, R::Line},
    {"SuffixCode", 437, 10, 8, R::Line, V::Bytes},
    {"ReadPartialBarcode", 517, 1, 8, R::Line},
    {"PartialStart", 525, 1, 8, R::Line},
    {"PartialLength", 533, 1, 8, R::Line},
    {"CheckLeadingCode", 541, 1, 8, R::Line},
    {"LeadingCode", 549, 6, 8, R::Line, V::Text},
    {"AutoEnter", 597, 1, 8, R::Line},
    {"InputMark", 605, 1, 8, R::Line},
    {"LineText50", 613, 50, 8, R::Line, V::Text},
    {"LastInputLine", 1013},
    {"Reserved1014", 1014},
    {"CheckDigit", 1015, 1, 8, R::Line},
    {"FnBranch", 1023, 1, 4, R::FnKey},
    {"DecimalPlaces", 1027, 1, 8, R::Line},
    {"PrefixCodeNibbles", 1035, 5, 8, R::Line, V::Nibbles},
    {"SuffixCodeNibbles", 1075, 5, 8, R::Line, V::Nibbles},
    {"SaveToVariable", 1115, 1, 8, R::Line},
    {"FillFromVariable", 1123, 1, 8, R::Line},
    {"KeepWholeBarcode", 1131, 1, 8, R::Line},
    {"WeightSourceKeep", 1139, 1, 8, R::Line},
    {"PrefixInSearch", 1147, 1, 8, R::Line},
    {"SuffixInSearch", 1155, 1, 8, R::Line},
    {"SerialPartVariable", 1163},
    {"SerialQuantityField", 1164},
    {"SerialStore", 1165},
    {"TotalSumField", 1166, 1, 4, R::FnKey},
    {"TotalMultiplier", 1170, 1, 4, R::FnKey},
    {"BalanceFilterField", 1174, 1, 4, R::FnKey},
    {"BalanceFilterVariable", 1178, 1, 4, R::FnKey},
    {"BalanceCompare", 1182, 1, 4, R::FnKey},
    {"TotalFilterField", 1186, 1, 4, R::FnKey},
    {"TotalFilterVariable", 1190, 1, 4, R::FnKey},
    {"TotalCompare", 1194, 1, 4, R::FnKey},
    {"NotFoundAction", 1198},
    {"ErrorTarget", 1199},
    {"Reserved1200", 1200, 15, 1, R::None, V::Bytes},
};

inline constexpr Field kLookupRecordFields[] = {
    {"MemberLength", 0},
    {"FieldCount", 1},
    {"KeyField", 2},
    {"FieldOffset", 3, 1, 8, R::Field},
    {"FieldLength", 11, 1, 8, R::Field},
    {"Delimiter", 19},
    {"CanBeUploaded", 20},
    {"NoMatchAction", 21},
    {"WrongFormatAction", 22},
    {"ReadOnce", 23},
    {"NonZeroFilter", 24, 1, 8, R::Field},
    {"QuantityControl", 32, 1, 8, R::Field},
    {"Placement", 40},
    {"SeveralFound", 41},
    {"SearchWithFilter", 42},
    {"FilterMode", 43},
    {"DateTimeField", 44},
    {"LookupReserved45", 45, 77, 1, R::None, V::Bytes},
};

// The 27 screen-text groups in file order, each a run of 21-byte screen lines.
inline constexpr Field kScreenTextsFields[] = {
    {"ReservedLines", 0, kCell, 4, R::ScreenLine, V::Text},
    {"MainMenuText", 84, kCell, 4, R::ScreenLine, V::Text},
    {"UtilitiesMenuText", 168, kCell, 8, R::ScreenLine, V::Text},
    {"DeleteDataText", 336, kCell, 4, R::ScreenLine, V::Text},
    {"ConfirmText", 420, kCell, 4, R::ScreenLine, V::Text},
    {"MemoryPowerText", 504, kCell, 4, R::ScreenLine, V::Text},
    {"LookupDownloadText", 588, kCell, 7, R::ScreenLine, V::Text},
    {"ProgramSettingsText", 735, kCell, 8, R::ScreenLine, V::Text},
    {"UploadViaText", 903, kCell, 6, R::ScreenLine, V::Text},
    {"DownloadViaText", 1029, kCell, 6, R::ScreenLine, V::Text},
    {"BaudRateText", 1155, kCell, 5, R::ScreenLine, V::Text},
    {"BacklightText", 1260, kCell, 4, R::ScreenLine, V::Text},
    {"EraseAfterUploadText", 1344, kCell, 4, R::ScreenLine, V::Text},
    {"EntryOptionText", 1428, kCell, 6, R::ScreenLine, V::Text},
    {"ViewSettingsText", 1554, kCell, 8, R::ScreenLine, V::Text},
    {"SystemFaultText", 1722, kCell, 3, R::ScreenLine, V::Text},
    {"UploadFilesText", 1785, kCell, 5, R::ScreenLine, V::Text},
    {"ModemUploadText", 1890, kCell, 4, R::ScreenLine, V::Text},
    {"RecordResultText", 1974, kCell, 5, R::ScreenLine, V::Text},
    {"DeleteRecordText", 2079, kCell, 5, R::ScreenLine, V::Text},
    {"TransferStatusText", 2184, kCell, 3, R::ScreenLine, V::Text},
    {"PasswordText", 2247, kCell, 2, R::ScreenLine, V::Text},
    {"ConnectText", 2289, kCell, 4, R::ScreenLine, V::Text},
    {"ModemStatusText", 2373, kCell, 3, R::ScreenLine, V::Text},
    {"InputErrorText", 2436, kCell, 6, R::ScreenLine, V::Text},
    {"DownloadStatusText", 2562, kCell, 8, R::ScreenLine, V::Text},
    {"EditKeysText", 2730, kCell, 3, R::ScreenLine, V::Text},
};

inline constexpr Field kTerminalSettingsFields[] = {
    {"SettingsLayout", 0},
    {"StartTarget", 1},
    {"DelimiterCode1", 2},
    {"DelimiterCode2", 3},
    {"SeparateDataFiles", 4},  // boolean: each form collects into a data file of its own
    {"UploadPort", 5},
    {"UploadPhone", 6, kCell, 1, R::None, V::Text},
    {"DownloadPort", 27},
    {"TerminalBaudRate", 28},
    {"Backlight", 29},
    {"BacklightTimeout", 30},
    {"DataDeletion", 31},
    {"EntryOption", 32},
    {"PromptDuration", 33},
    {"SecurityFlags", 34, 1, 12, R::Flag},
    {"Password", 46, 11, 1, R::None, V::Text},
    {"SettingsByte57", 57},
    {"FnKeyFunction", 58, 1, 7, R::FnKey},
    {"SettingsBytes65", 65, 4, 1, R::None, V::Bytes},
    {"SettingsBytes69", 69, 13, 1, R::None, V::Bytes},
    {"FnKeysEnabled", 82},
    {"SettingsByte83", 83},
    {"SettingsBytes84", 84, 31, 1, R::None, V::Bytes},
    {"ModemSpeed", 115},
    {"DownloadPhone", 116, kCell, 1, R::None, V::Text},
    {"KeyClick", 137},
    {"GoodReadBeep", 138},
    {"WarningBeep", 139},
    {"SecurityFlags2", 140, 1, 3, R::Flag},
    {"SettingsBytes143", 143, 7, 1, R::None, V::Bytes},
    {"UtilityLines", 150, kCell, 5, R::ScreenLine, V::Text},
    {"BluetoothPorts", 255},
    {"ReaderType", 256},
    {"Vibration", 257},
    {"SettingsByte258", 258},
    {"Volume", 259},
    {"DataPlacement", 260},
    {"SettingsTail", 261, 7, 1, R::None, V::Bytes},
};

inline constexpr Field kBarcodeRulesFields[] = {
    {"WeightBarcodeEnabled", 0},
    {"WeightMasks", 1, 33, 20, R::MaskSlot, V::Text},
    {"WeightMaskCount", 661},
    {"WeightTransferFlags", 662, 1, 80, R::FormLine},
    {"WeightTargetLine", 742, 1, 80, R::FormLine},
};

inline constexpr Field kVariableNamesFields[] = {
    {"Name", 0, kCell, 10, R::Variable, V::Text},
    {"VariableNibbles", 210, 1, 15, R::Byte, V::Nibbles},
    {"VariableData", 225, 123, 1, R::None, V::Bytes},
};

inline constexpr Field kNetworkSettingsFields[] = {
    {"ServerAddress", 0, 4, 1, R::None, V::Bytes},
    {"ServerPort", 4, 2},
    {"UseNetworkSettings", 6},
    {"Dhcp", 7},
    {"TerminalAddress", 8, 4, 1, R::None, V::Bytes},
    {"SubnetMask", 12, 4, 1, R::None, V::Bytes},
    {"Gateway", 16, 4, 1, R::None, V::Bytes},
    {"DnsServer", 20, 4, 1, R::None, V::Bytes},
    {"Ssid", 24, 33, 1, R::None, V::Text},
    {"Encryption", 57},
    {"WepAuthentication", 58},
    {"WepKeyLength", 59},
    {"ActiveWepKey", 60},
    {"WepKeys", 61, 14, 4, R::WepKey, V::Text},
    {"EapLogin", 117, 33, 1, R::None, V::Text},
    {"EapPassword", 150, 33, 1, R::None, V::Text},
    {"WpaKey", 183, 64, 1, R::None, V::Text},
};

inline constexpr Field kFieldLinkRecordFields[] = {
    {"LinkLine", 0, 1, 8, R::Line},
    {"LinkValue", 8, 1, 8, R::Line},
};

inline constexpr Record kFormatTag{"FormatTag", BlockId::FormatTag, 10, 1, kFormatTagFields};
inline constexpr Record kReservedWord{"ReservedWord", BlockId::ReservedWord, 2, 1,
                                      kReservedWordFields};
inline constexpr Record kReaderOptions{"ReaderOptions", BlockId::ReaderOptions, 23, 1,
                                       kReaderOptionsFields};
inline constexpr Record kMenuRecord{"MenuRecord", BlockId::MenuTable, 350, 10, kMenuRecordFields};
inline constexpr Record kFormRecord{"FormRecord", BlockId::FormTable, 1215, 10, kFormRecordFields};
inline constexpr Record kLookupRecord{"LookupRecord", BlockId::LookupTable, 122, 3,
                                      kLookupRecordFields};
inline constexpr Record kScreenTexts{"ScreenTexts", BlockId::ScreenTexts, 2793, 1,
                                     kScreenTextsFields};
inline constexpr Record kSymbologyOptions{"SymbologyOptions", BlockId::SymbologyOptions, 45, 1,
                                          kSymbologyOptionsFields};
inline constexpr Record kReaderExtra{"ReaderExtra", BlockId::ReaderExtra, 10, 1,
                                     kReaderExtraFields};
inline constexpr Record kTerminalSettings{"TerminalSettings", BlockId::TerminalSettings, 268, 1,
                                          kTerminalSettingsFields};
inline constexpr Record kReaderOptions2{"ReaderOptions2", BlockId::ReaderOptions2, 100, 1,
                                        kReaderOptions2Fields};
inline constexpr Record kBarcodeRules{"BarcodeRules", BlockId::BarcodeRules, 822, 1,
                                      kBarcodeRulesFields};
inline constexpr Record kVariableNames{"VariableNames", BlockId::VariableNames, 348, 1,
                                       kVariableNamesFields};
inline constexpr Record kNetworkSettings{"NetworkSettings", BlockId::NetworkSettings, 247, 1,
                                         kNetworkSettingsFields};
inline constexpr Record kFieldLinkRecord{"FieldLinkRecord", BlockId::FieldLinks, 16, 10,
                                         kFieldLinkRecordFields};

// Every block in project-file order; a table block is its records end to end.
inline constexpr std::array<Record, 15> kBlocks{
    kFormatTag,      kReservedWord, kReaderOptions,    kMenuRecord,      kFormRecord,
    kLookupRecord,   kScreenTexts,  kSymbologyOptions, kReaderExtra,     kTerminalSettings,
    kReaderOptions2, kBarcodeRules, kVariableNames,    kNetworkSettings, kFieldLinkRecord,
};

// The name the project-file and image tables give a block.
constexpr std::string_view BlockName(BlockId id) {
    constexpr std::string_view kNames[] = {
        "FormatTag",      "ReservedWord", "ReaderOptions",    "MenuTable",       "FormTable",
        "LookupTable",    "ScreenTexts",  "SymbologyOptions", "ReaderExtra",     "TerminalSettings",
        "ReaderOptions2", "BarcodeRules", "VariableNames",    "NetworkSettings", "FieldLinks",
    };
    return kNames[static_cast<std::size_t>(id)];
}

// ---- bit fields ----------------------------------------------------------------------------
// The reader settings pack several values into one byte or one little-endian word. A bit range
// known at compile time is checked there: it must lie inside the value it is read from.

template <unsigned First, unsigned Count, class T = std::uint8_t>
struct Bits {
    static_assert(std::is_unsigned_v<T>);
    static_assert(Count >= 1 && First + Count <= sizeof(T) * 8,
                  "the bit range must lie inside the value");
    static constexpr T kValueMask = static_cast<T>((std::uintmax_t{1} << Count) - 1);
    static constexpr T kMask = static_cast<T>(kValueMask << First);

    static constexpr T Get(T packed) { return static_cast<T>((packed >> First) & kValueMask); }
    // Writes the low Count bits of value; the bits outside the range keep what they were.
    static constexpr T Set(T packed, T value) {
        return static_cast<T>((packed & ~kMask) | ((value & kValueMask) << First));
    }
    static constexpr void Write(T& packed, T value) { packed = Set(packed, value); }
};

// The same for a range only known at run time (read from the field table).
constexpr unsigned GetBits(unsigned packed, BitRange r) {
    const unsigned mask = r.count >= 32 ? ~0u : (1u << r.count) - 1;
    return (packed >> r.first) & mask;
}
constexpr unsigned SetBits(unsigned packed, BitRange r, unsigned value) {
    const unsigned mask = (r.count >= 32 ? ~0u : (1u << r.count) - 1) << r.first;
    return (packed & ~mask) | ((value << r.first) & mask);
}

// A little-endian word of two bytes.
constexpr std::uint16_t Word(std::span<const std::uint8_t, 2> bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}
constexpr void SetWord(std::span<std::uint8_t, 2> bytes, std::uint16_t value) {
    bytes[0] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

// Nibble arrays hold two 4-bit values a byte, the first value in the low nibble. The character
// grid editor writes its working nibbles into the definition as they are, so this is the order
// that project files and the terminal see; every reader of a nibble array goes through here.
constexpr std::uint8_t GetNibble(std::span<const std::uint8_t> bytes, std::size_t index) {
    const std::uint8_t b = bytes[index / 2];
    return index % 2 == 0 ? static_cast<std::uint8_t>(b & 0x0F) : static_cast<std::uint8_t>(b >> 4);
}
constexpr void SetNibble(std::span<std::uint8_t> bytes, std::size_t index, std::uint8_t value) {
    std::uint8_t& b = bytes[index / 2];
    value &= 0x0F;
    b = index % 2 == 0 ? static_cast<std::uint8_t>((b & 0xF0) | value)
                       : static_cast<std::uint8_t>((b & 0x0F) | (value << 4));
}

}  // namespace fw::layout
