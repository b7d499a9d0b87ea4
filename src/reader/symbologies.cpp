#include "reader/symbologies.h"

#include <algorithm>

namespace fw::reader {
namespace {

using A = Area;
using K = Kind;
using T = Typing;

constexpr layout::BitRange Bit(int bit) {
    return {static_cast<std::uint8_t>(bit), 1};
}
// Bits high..low of a byte, bit 7 the most significant.
constexpr layout::BitRange Span(int high, int low) {
    return {static_cast<std::uint8_t>(low), static_cast<std::uint8_t>(high - low + 1)};
}
constexpr layout::BitRange kWhole{};

constexpr Caption Id(int id) {
    return {id, {}};
}
constexpr Caption Text(std::u16string_view text) {
    return {0, text};
}

constexpr Control Box(Area area, int byte, int bit, Caption caption, std::string_view name) {
    return {K::Check, area, static_cast<std::uint16_t>(byte), Bit(bit), caption, {}, 1,
            T::Plain, name};
}
constexpr Control Group(Kind kind, Area area, int byte, layout::BitRange bits, Caption caption,
                        std::span<const Choice> choices, std::string_view name) {
    return {kind,     area, static_cast<std::uint16_t>(byte), bits, caption, choices, 255,
            T::Plain, name};
}
constexpr Control Number(Area area, int byte, layout::BitRange bits, Caption caption, int maximum,
                         Typing typing, std::string_view name) {
    return {K::Number, area, static_cast<std::uint16_t>(byte), bits, caption, {}, maximum,
            typing,    name};
}

// ---- the laser / LED engine: ReaderOptions, captions from consecutive language entries -------

// Entries that relabel the length edits of the fixed / max-min pattern.
constexpr int kMaxLengthId = 405, kMinLengthId = 406, kFixedLength1Id = 407, kFixedLength2Id = 408;

constexpr Control kCode39[] = {
    Box(A::ReaderOptions, 5, 7, Id(362), "transmitStartStop"),
    Box(A::ReaderOptions, 5, 6, Id(363), "verifyChecksum"),
    Box(A::ReaderOptions, 5, 5, Id(364), "transmitChecksum"),
    Box(A::ReaderOptions, 5, 4, Id(365), "fullAscii"),
};
constexpr Control kItalyPharma[] = {Box(A::ReaderOptions, 5, 3, Id(372), "transmitChecksum")};
constexpr Control kFrenchPharma[] = {Box(A::ReaderOptions, 5, 2, Id(382), "transmitChecksum")};

// The start/stop selection, the two boxes and the lengths, on the entries from `first` on.
template <int First>
struct TwoOfFive {
    static constexpr Choice kStartStop[] = {
        {Id(First + 1), 0}, {Id(First + 2), 1}, {Id(First + 3), 2}};
    static constexpr Choice kLengthMode[] = {{Id(First + 6), 0}, {Id(First + 7), 1}};
};
constexpr Control LengthMode(std::span<const Choice> choices, int byte) {
    return Group(K::Radio, A::ReaderOptions, byte, Bit(7), Text(u"Length"), choices, "lengthMode");
}
constexpr Control FirstLength(int byte, int entry) {
    return Number(A::ReaderOptions, byte, Span(6, 0), Id(entry), 127, T::FirstLength1D,
                  "firstLength");
}
constexpr Control SecondLength(int byte, int entry) {
    return Number(A::ReaderOptions, byte, kWhole, Id(entry), 255, T::SecondLength1D,
                  "secondLength");
}

using Industrial = TwoOfFive<391>;
constexpr Control kIndustrial25[] = {
    Group(K::Radio, A::ReaderOptions, 6, Span(1, 0), Text(u"Start / Stop"), Industrial::kStartStop,
          "startStop"),
    Box(A::ReaderOptions, 6, 7, Id(395), "verifyChecksum"),
    Box(A::ReaderOptions, 6, 6, Id(396), "transmitChecksum"),
    LengthMode(Industrial::kLengthMode, 12),
    FirstLength(12, 399),
    SecondLength(13, 400),
};
using Interleave = TwoOfFive<411>;
constexpr Control kInterleave25[] = {
    Group(K::Radio, A::ReaderOptions, 6, Span(3, 2), Text(u"Start / Stop"), Interleave::kStartStop,
          "startStop"),
    Box(A::ReaderOptions, 5, 1, Id(415), "verifyChecksum"),
    Box(A::ReaderOptions, 5, 0, Id(416), "transmitChecksum"),
    LengthMode(Interleave::kLengthMode, 14),
    FirstLength(14, 419),
    SecondLength(15, 420),
};
using Matrix = TwoOfFive<431>;
constexpr Control kMatrix25[] = {
    Group(K::Radio, A::ReaderOptions, 7, Span(7, 6), Text(u"Start / Stop"), Matrix::kStartStop,
          "startStop"),
    Box(A::ReaderOptions, 6, 5, Id(435), "verifyChecksum"),
    Box(A::ReaderOptions, 6, 4, Id(436), "transmitChecksum"),
    LengthMode(Matrix::kLengthMode, 16),
    FirstLength(16, 439),
    SecondLength(17, 440),
};

// Bits 5..3 of byte 7: bit 3 says whether start/stop characters are sent, bits 5..4 their format.
// "None" is recognised by bit 3 alone and clears all three.
constexpr Choice kCodabarFormats[] = {
    {Id(453), 0b000, 0b001, 0b111},
    {Id(454), 0b001},
    {Id(455), 0b011},
    {Id(456), 0b101},
    {Id(457), 0b111},
};
constexpr Control kCodabar[] = {
    Group(K::Radio, A::ReaderOptions, 7, Span(5, 3), Id(452), kCodabarFormats, "startStop")};

constexpr Choice kMsiVerification[] = {{Id(473), 0}, {Id(474), 1}, {Id(475), 2}};
constexpr Choice kMsiTransmission[] = {{Id(476), 0}, {Id(477), 1}, {Id(478), 2}};
constexpr Choice kMsiLengthMode[] = {{Id(479), 0}, {Id(480), 1}};
constexpr Control kMsi[] = {
    Group(K::Radio, A::ReaderOptions, 9, Span(7, 6), Id(472), kMsiVerification, "verification"),
    Group(K::Radio, A::ReaderOptions, 9, Span(5, 4), Text(u"Check Digit Transmission"),
          kMsiTransmission, "transmission"),
    LengthMode(kMsiLengthMode, 18),
    FirstLength(18, 481),
    SecondLength(19, 482),
};

constexpr Control kPlessey[] = {
    Box(A::ReaderOptions, 9, 3, Id(492), "transmitChecksum"),
    Box(A::ReaderOptions, 9, 2, Id(493), "convertToUkPlessey"),
};
constexpr Control kUpce[] = {
    Box(A::ReaderOptions, 9, 1, Id(502), "convertToUpca"),
    Box(A::ReaderOptions, 10, 5, Id(503), "transmitChecksum"),
    Box(A::ReaderOptions, 10, 1, Id(504), "transmitSystemNumber"),
};
constexpr Control kEan8[] = {
    Box(A::ReaderOptions, 10, 3, Id(512), "transmitChecksum"),
    Box(A::ReaderOptions, 11, 7, Id(513), "convertToEan13"),
};
constexpr Control kEan13[] = {
    Box(A::ReaderOptions, 9, 0, Id(522), "convertUpcaToEan13"),
    Box(A::ReaderOptions, 10, 7, Id(523), "isbn"),
    Box(A::ReaderOptions, 10, 6, Id(524), "issn"),
    Box(A::ReaderOptions, 10, 4, Id(525), "transmitUpcaChecksum"),
    Box(A::ReaderOptions, 10, 2, Id(526), "transmitChecksum"),
    Box(A::ReaderOptions, 10, 0, Id(527), "transmitUpcaSystemNumber"),
};
constexpr Choice kTelepenModes[] = {{Id(542), 1}, {Id(543), 0}};
constexpr Control kTelepen[] = {
    Group(K::Radio, A::ReaderOptions, 2, Bit(1), {}, kTelepenModes, "telepenMode")};
constexpr Control kRss14[] = {
    Box(A::ReaderOptions, 3, 5, Id(552), "transmitCodeId"),
    Box(A::ReaderOptions, 3, 4, Id(553), "transmitApplicationId"),
    Box(A::ReaderOptions, 3, 3, Id(554), "transmitCheckDigit"),
};
constexpr Control kRss14Limited[] = {
    Box(A::ReaderOptions, 3, 2, Id(562), "transmitCodeId"),
    Box(A::ReaderOptions, 3, 1, Id(563), "transmitApplicationId"),
    Box(A::ReaderOptions, 3, 0, Id(564), "transmitCheckDigit"),
};
constexpr Control kRss14Expanded[] = {Box(A::ReaderOptions, 4, 7, Id(572), "transmitCodeId")};
constexpr Control kEan128[] = {
    Box(A::ReaderOptions, 22, 5, Id(582), "transmitCodeId"),
    {K::Character,
     A::TerminalSettings,
     kSeparatorReplacementByte,
     kWhole,
     Id(1303),
     {},
     255,
     T::Plain,
     "separatorReplacement"},
};
constexpr EnableRule kEan128Enables[] = {{1, {-1, -1, -1}, true}};

// ---- the 2D family: SymbologyOptions ----------------------------------------------------------

constexpr Choice kPreambles[] = {{Id(2070), 0}, {Id(2071), 1}, {Id(2072), 2}};
constexpr Choice kAddOns[] = {{Id(2075), 0}, {Id(2076), 1}, {Id(2077), 2}};
constexpr Choice kLengthModes[] = {{Id(2081), 0}, {Id(2082), 1}, {Id(2083), 2}, {Id(2084), 3}};
constexpr int kPreambleLabel = 1308, kAddOnLabel = 1309, kLengthModeLabel = 1310;
// Labels of the 2D length edits: "Длина 1 :" / "Длина 2 :", or minimum / maximum for a range.
constexpr int kLength1Id = 2063, kLength2Id = 2064, kMinimumId = 2061, kMaximumId = 2062;

constexpr Control Preamble(int high) {
    return Group(K::List, A::SymbologyOptions, 1, Span(high, high - 1), Id(kPreambleLabel),
                 kPreambles, "preamble");
}
constexpr Control kAddOnList =
    Group(K::List, A::SymbologyOptions, 2, Span(3, 1), Id(kAddOnLabel), kAddOns, "addOns");
constexpr Control Mode2D(int byte, int high) {
    return Group(K::List, A::SymbologyOptions, byte, Span(high, high - 1), Id(kLengthModeLabel),
                 kLengthModes, "lengthMode");
}
constexpr Control Length2D(int byte, layout::BitRange bits, int label, std::string_view name) {
    return Number(A::SymbologyOptions, byte, bits, Id(label), 127, T::Length, name);
}
constexpr Control Box2D(int byte, int bit, std::u16string_view text, std::string_view name) {
    return Box(A::SymbologyOptions, byte, bit, Text(text), name);
}

constexpr ClearBits kUpcByte0[] = {{A::SymbologyOptions, 0, Span(1, 0)}};

constexpr Control kUpca2D[] = {
    Preamble(7),
    kAddOnList,
    Box2D(1, 1, u"Передавать контрольную сумму", "transmitChecksum"),
};
constexpr Control kUpce2D[] = {
    Preamble(5),
    kAddOnList,
    Box2D(1, 0, u"Передавать контрольную сумму", "transmitChecksum"),
    Box2D(2, 6, u"Преобразовать UPC-E0 в UPC-A", "convertToUpca"),
};
constexpr Control kUpce12D[] = {
    Preamble(3),
    kAddOnList,
    Box2D(2, 7, u"Передавать контрольную сумму", "transmitChecksum"),
    Box2D(2, 5, u"Преобразовать UPC-E1 в UPC-A", "convertToUpca"),
};
constexpr Control kEan82D[] = {
    kAddOnList,
    Box2D(2, 4, u"Преобразовать EAN8 в EAN13", "convertToEan13"),
};

constexpr Control kCode392D[] = {
    Box2D(5, 3, u"Проверять контрольную сумму", "verifyChecksum"),
    Box2D(5, 2, u"Передавать контрольную сумму", "transmitChecksum"),
    Box2D(6, 7, u"Code 39 в формате ASCII", "fullAscii"),
    Mode2D(5, 1),
    Length2D(6, Span(6, 0), kLength1Id, "firstLength"),
    Length2D(7, kWhole, kLength2Id, "secondLength"),
};
constexpr ClearBits kCode39Unused[] = {{A::SymbologyOptions, 5, Span(5, 4)}};

// A dialog that is only the length pattern: mode in byte `byte` bits high..high-1, lengths in the
// two bytes after it.
template <int Byte, int High>
struct LengthOnly {
    static constexpr Control kControls[] = {
        Mode2D(Byte, High),
        Length2D(Byte + 1, kWhole, kLength1Id, "firstLength"),
        Length2D(Byte + 2, kWhole, kLength2Id, "secondLength"),
    };
};
constexpr ClearBits kCode11Unused[] = {{A::SymbologyOptions, 11, Span(6, 5)}};

// Check-digit verification of Interleaved 25 lives in bits 6 (USS) and 1 (OPCC) of byte 14.
constexpr Choice kInterleaveVerification[] = {
    {Id(2101), 0b000000, 0b100001, 0b100001},
    {Id(2102), 0b100000, 0b100000, 0b100001},
    {Id(2103), 0b000001, 0b100001, 0b100001},
};
constexpr Control kInterleave252D[] = {
    Group(K::List, A::SymbologyOptions, 14, Span(6, 1), Text(u"Проверка контрольной суммы:"),
          kInterleaveVerification, "verification"),
    Box2D(14, 5, u"Передавать контрольную сумму", "transmitChecksum"),
    Box2D(14, 4, u"Преобразовать Interleaved 25 в EAN13", "convertToEan13"),
    Mode2D(14, 3),
    Length2D(15, kWhole, kLength1Id, "firstLength"),
    Length2D(16, kWhole, kLength2Id, "secondLength"),
};
constexpr Exclusion kInterleaveExclusions[] = {
    {2, 1, 0, 0},   // the conversion takes no verification
    {2, 1, 1, 0},   // nor the checksum
    {0, -1, 2, 0},  // USS or OPCC: no conversion
    {1, 1, 2, 0},   // the checksum: no conversion
};

constexpr Control kCodabar2D[] = {
    Box2D(20, 5, u"Передавать старт/стоп символы", "transmitStartStop"),
    Mode2D(20, 4),
    Length2D(21, kWhole, kLength1Id, "firstLength"),
    Length2D(22, kWhole, kLength2Id, "secondLength"),
};
constexpr ClearBits kCodabarUnused[] = {{A::SymbologyOptions, 20, Bit(6)}};

constexpr Choice kMsiCheckDigits[] = {{Id(1304), 0}, {Id(1305), 1}};
constexpr Choice kMsiAlgorithms[] = {{Id(1306), 0}, {Id(1307), 1}};
constexpr Control kMsi2D[] = {
    Group(K::List, A::SymbologyOptions, 23, Bit(6), Text(u"Контрольные разряды:"), kMsiCheckDigits,
          "checkDigits"),
    Box2D(23, 5, u"Передавать контрольную сумму", "transmitChecksum"),
    Group(K::List, A::SymbologyOptions, 23, Bit(4), Text(u"Алгоритм проверки:"), kMsiAlgorithms,
          "algorithm"),
    Mode2D(23, 3),
    Length2D(24, kWhole, kLength1Id, "firstLength"),
    Length2D(25, kWhole, kLength2Id, "secondLength"),
};

constexpr Control kPostal2D[] = {
    Box2D(26, 7, u"US Postnet", "usPostnet"),
    Box2D(26, 6, u"US Planet", "usPlanet"),
    Box2D(26, 5, u"Передавать контрольную сумму US Postal", "usPostalChecksum"),
    Box2D(26, 4, u"UK Postal", "ukPostal"),
    Box2D(26, 3, u"Передавать контрольную сумму UK Postal", "ukPostalChecksum"),
    Box2D(26, 2, u"Japan Postal", "japanPostal"),
    Box2D(26, 1, u"Australian Postal", "australianPostal"),
    Box2D(26, 0, u"Dutch Postal", "dutchPostal"),
};
constexpr Control kRss142D[] = {Box2D(28, 4, u"Преобразовать RSS в UPC/EAN", "convertToUpcEan")};

// ---- RFID, code identifiers, GS1 display formats -------------------------------------------

constexpr Control kRfid[] = {
    Box(A::ReaderExtra, 0, 7, Id(1299), "readTagId"),
    Box(A::ReaderExtra, 0, 6, Id(1300), "readTagData"),
    Box(A::ReaderExtra, 0, 5, Id(1301), "useSeparator"),
    {K::Character, A::ReaderExtra, 1, kWhole, {}, {}, 255, T::Plain, "separator"},
    Number(A::ReaderExtra, 2, kWhole, Id(1302), 255, T::Position, "startPosition"),
    Number(A::ReaderExtra, 3, kWhole, Id(kMaximumId), 255, T::Position, "maximumLength"),
};
constexpr EnableRule kRfidEnables[] = {
    {4, {1, -1, -1}},
    {5, {1, -1, -1}},
    {2, {0, 1, -1}},
    {3, {0, 1, 2}},
};

// The code identifier dialog's captions are its own: no string table entry is free for them.
constexpr std::u16string_view kCodeIdLabels[kCodeIdCount] = {
    u"Code 39 :",
    u"Italian Pharmacode :",
    u"French Pharmacode :",
    u"Industrial 25 :",
    u"Interleave 25 :",
    u"Matrix 25 :",
    u"Codabar :",
    u"Code 93 :",
    u"Code 128 :",
    u"UPCE :",
    u"EAN8 :",
    u"EAN13 :",
    u"UPCA :",
    u"MSI :",
    u"Plessey :",
};
constexpr Control CodeId(int i, std::string_view name) {
    return {K::CodeId,
            A::TerminalSettings,
            static_cast<std::uint16_t>(kFirstCodeIdByte + 2 * i),
            kWhole,
            Text(kCodeIdLabels[i]),
            {},
            255,
            T::Plain,
            name};
}
constexpr Control kCodeIds[] = {
    {K::Check,
     A::TerminalSettings,
     kCodeIdSwitchByte,
     kWhole,
     Text(u"Enable code ID"),
     {},
     1,
     T::Plain,
     "enableCodeId"},
    CodeId(0, "code39"),
    CodeId(1, "italianPharmacode"),
    CodeId(2, "frenchPharmacode"),
    CodeId(3, "industrial25"),
    CodeId(4, "interleave25"),
    CodeId(5, "matrix25"),
    CodeId(6, "codabar"),
    CodeId(7, "code93"),
    CodeId(8, "code128"),
    CodeId(9, "upce"),
    CodeId(10, "ean8"),
    CodeId(11, "ean13"),
    CodeId(12, "upca"),
    CodeId(13, "msi"),
    CodeId(14, "plessey"),
};
constexpr EnableRule kCodeIdEnables[] = {
    {1, {0, -1, -1}},  {2, {0, -1, -1}},  {3, {0, -1, -1}},  {4, {0, -1, -1}},  {5, {0, -1, -1}},
    {6, {0, -1, -1}},  {7, {0, -1, -1}},  {8, {0, -1, -1}},  {9, {0, -1, -1}},  {10, {0, -1, -1}},
    {11, {0, -1, -1}}, {12, {0, -1, -1}}, {13, {0, -1, -1}}, {14, {0, -1, -1}}, {15, {0, -1, -1}},
};

constexpr Choice kYearFormats[] = {{Id(1287), 0}, {Id(1288), 1}};
constexpr Choice kMonthFormats[] = {
    {Id(1289), 0}, {Id(1290), 1}, {Id(1291), 2}, {Id(1292), 3}, {Id(1293), 4}};
constexpr Choice kCurrencyFormats[] = {{Id(1294), 0}, {Id(1295), 1}};
constexpr Choice kCountryFormats[] = {
    {Id(1294), 0}, {Id(1296), 1}, {Id(1297), 2}, {Id(1292), 3}, {Id(1293), 4}};
constexpr Choice kRegionFormats[] = {{Id(1294), 0}, {Id(1292), 1}, {Id(1293), 2}};
constexpr Control kGs1Formats[] = {
    Group(K::List, A::ReaderOptions2, 1, kWhole, Id(1282), kYearFormats, "year"),
    Group(K::List, A::ReaderOptions2, 2, kWhole, Id(1283), kMonthFormats, "month"),
    Group(K::List, A::ReaderOptions2, 3, kWhole, Id(1284), kCurrencyFormats, "currency"),
    Group(K::List, A::ReaderOptions2, 4, kWhole, Id(1285), kCountryFormats, "country"),
    Group(K::List, A::ReaderOptions2, 5, kWhole, Id(1286), kRegionFormats, "region"),
};

constexpr LengthRule OneD(int mode) {
    return {mode, mode + 1, mode + 2, true};
}
constexpr LengthRule TwoD(int mode) {
    return {mode, mode + 1, mode + 2, false};
}

const DialogTemplate kTemplates[] = {
    {"Code39Dlg", Id(361), kCode39},
    {"ItalyPharmaDlg", Id(371), kItalyPharma},
    {"FrenchPharmaDlg", Id(381), kFrenchPharma},
    {"Industrial25Dlg", Id(391), kIndustrial25, OneD(3)},
    {"Interleave25Dlg", Id(411), kInterleave25, OneD(3)},
    {"Matrix25Dlg", Id(431), kMatrix25, OneD(3)},
    {"CodabarDlg", Id(451), kCodabar},
    {"MSIDlg", Id(471), kMsi, OneD(2)},
    {"PlesseyDlg", Id(491), kPlessey},
    {"UPCEDlg", Id(501), kUpce},
    {"EAN8Dlg", Id(511), kEan8},
    {"EAN13Dlg", Id(521), kEan13},
    {"TelepenDlg", Id(541), kTelepen},
    {"RSS14Dlg", Id(551), kRss14},
    {"RSS14LimitedDlg", Id(561), kRss14Limited},
    {"RSS14ExpandedDlg", Id(571), kRss14Expanded},
    {"EAN128Dlg", Id(581), kEan128, {}, {}, kEan128Enables},
    {"UPCA_2D_DLG", Text(u"UPC-A"), kUpca2D, {}, {}, {}, {}, kUpcByte0},
    {"UPCE_2D_DLG", Text(u"UPC-E0"), kUpce2D, {}, {}, {}, {}, kUpcByte0},
    {"UPCE1_2D_DLG", Text(u"UPC-E1"), kUpce12D, {}, {}, {}, {}, kUpcByte0},
    {"EAN8_2D_DLG", Text(u"EAN-8"), kEan82D},
    {"CODE39_2D_DLG", Text(u"Code 39"), kCode392D, TwoD(3), {}, {}, kCode39Unused, kCode39Unused},
    {"CODE93_2D_DLG", Text(u"Code 93"), LengthOnly<8, 6>::kControls, TwoD(0)},
    {"CODE11_2D_DLG",
     Text(u"Code 11"),
     LengthOnly<11, 4>::kControls,
     TwoD(0),
     {},
     {},
     {},
     kCode11Unused},
    {"INDUSTRIAL25_2D_DLG", Text(u"Discrete 25"), LengthOnly<17, 6>::kControls, TwoD(0)},
    {"INTERLEAVE25_2D_DLG", Text(u"Interleaved 25"), kInterleave252D, TwoD(3),
     kInterleaveExclusions},
    {"CODABAR_2D_DLG", Text(u"Codabar"), kCodabar2D, TwoD(1), {}, {}, {}, kCodabarUnused},
    {"MSI_2D_DLG", Text(u"MSI"), kMsi2D, TwoD(3)},
    {"POSTAL_2D_DLG", Text(u"Postal Codes"), kPostal2D},
    {"RSS14_2D_DLG", Text(u"RSS-14"), kRss142D},
    {"RFID_PARAM_DLG", Id(1298), kRfid, {}, {}, kRfidEnables},
    {"CODEIDDLG", Text(u"Code ID"), kCodeIds, {}, {}, kCodeIdEnables, {}, {}, true},
    {"GS1AISETTINGSDLG", Id(1281), kGs1Formats},
};

constexpr std::array<std::array<std::string_view, kCodeIdCount>, kCodeIdSetCount> kCodeIdSets{{
    {"A", "A", "A", "C", "D", "E", "F", "I", "H", "S", "P", "M", "J", "V", "W"},
    {"C", "C", "C", "H", "I", "G", "N", "L", "K", "E", "B", "A", "A", "V", "W"},
    {"Y", "Y", "Y", "H", "Z", "G", "X", "L", "K", "C", "B", "A", "A", "D", "E"},
    {"M", "M", "M", "H", "I", "G", "N", "L", "K", "E", "FF", "F", "A", "P", "Q"},
    {"A", "A", "A", "S", "S", "S", "F", "G", "C", "E", "E", "E", "E", "M", "P"},
}};

}  // namespace

std::span<const DialogTemplate> Templates() {
    return kTemplates;
}

const DialogTemplate* FindTemplate(std::string_view name) {
    const auto* found = std::ranges::find(kTemplates, name, &DialogTemplate::name);
    return found == std::end(kTemplates) ? nullptr : found;
}

int FindControl(const DialogTemplate& dialog, std::string_view name) {
    const auto found = std::ranges::find(dialog.controls, name, &Control::name);
    return found == dialog.controls.end() ? -1 : static_cast<int>(found - dialog.controls.begin());
}

std::array<std::string_view, kCodeIdCount> CodeIdSet(int set) {
    if (set < 1 || set > kCodeIdSetCount) return {};
    return kCodeIdSets[static_cast<std::size_t>(set - 1)];
}

}  // namespace fw::reader
