// The coded lists: every list whose selection the definition stores as a one-byte code. The
// order of the entries is part of the project file and the program image, so each list is
// written here once, in that order, and the editor, the command-line tool and the samples read
// it from here.
//
// Each entry carries the code it stores and the text the editor's list shows: a string id of
// the built-in table (which a language file can replace), or, where the text has no id, the
// text itself, which no language file changes. A number after the text ("form  " 3) is part of
// the entry; a "%d" in a literal text takes it instead. The English word is what reports and
// scripts show for the value.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace fw::codes {

struct Code {
    std::uint8_t code = 0;
    int textId = 0;                 // 0: the entry has no id and shows `literal`
    std::u16string_view literal{};  // a fixed text, used only without an id
    int number = 0;                 // shown after the text; 0: none
    std::string_view word{};        // plain English for reports
};

struct CodedList {
    std::span<const Code> entries;        // in the order the list shows them
    bool codeIsIndex = true;              // false: the stored code is not the list index
    std::span<const Code> unlisted = {};  // codes the bytes may hold that the list never offers
};

// The entry for a stored code, listed or not; nullptr for a code the list does not know.
constexpr const Code* FindCode(const CodedList& list, int code) {
    for (const Code& c : list.entries)
        if (c.code == code) return &c;
    for (const Code& c : list.unlisted)
        if (c.code == code) return &c;
    return nullptr;
}
// The list index that shows a stored code; -1 when the list does not offer it.
constexpr int IndexOfCode(const CodedList& list, int code) {
    for (std::size_t i = 0; i < list.entries.size(); ++i)
        if (list.entries[i].code == code) return static_cast<int>(i);
    return -1;
}
// The code of the entry with the given word, for code that sets a value by name; a word the
// list does not have does not compile.
consteval std::uint8_t CodeOf(const CodedList& list, std::string_view word) {
    for (const Code& c : list.entries)
        if (c.word == word) return c.code;
    for (const Code& c : list.unlisted)
        if (c.word == word) return c.code;
    throw "no entry with that word in the list";
}
// The text of an entry, given the text its id stands for in the active language.
std::u16string EntryText(const Code& entry, std::u16string_view idText);

// ---- targets -------------------------------------------------------------------------------
// Where the terminal goes next ("Esc  :", "Next :" and the menu items): 0 main menu,
// 1..10 form 1..10, 11..20 menu 1..10.
inline constexpr int kMainId = 1212;
inline constexpr int kMenuWordId = 1213;  // "menu  "
inline constexpr int kFormWordId = 1214;  // "form  "
inline constexpr Code kTargetEntries[] = {
    {0, kMainId, {}, 0, "main menu"},     {1, kFormWordId, {}, 1, "form 1"},
    {2, kFormWordId, {}, 2, "form 2"},    {3, kFormWordId, {}, 3, "form 3"},
    {4, kFormWordId, {}, 4, "form 4"},    {5, kFormWordId, {}, 5, "form 5"},
    {6, kFormWordId, {}, 6, "form 6"},    {7, kFormWordId, {}, 7, "form 7"},
    {8, kFormWordId, {}, 8, "form 8"},    {9, kFormWordId, {}, 9, "form 9"},
    {10, kFormWordId, {}, 10, "form 10"}, {11, kMenuWordId, {}, 1, "menu 1"},
    {12, kMenuWordId, {}, 2, "menu 2"},   {13, kMenuWordId, {}, 3, "menu 3"},
    {14, kMenuWordId, {}, 4, "menu 4"},   {15, kMenuWordId, {}, 5, "menu 5"},
    {16, kMenuWordId, {}, 6, "menu 6"},   {17, kMenuWordId, {}, 7, "menu 7"},
    {18, kMenuWordId, {}, 8, "menu 8"},   {19, kMenuWordId, {}, 9, "menu 9"},
    {20, kMenuWordId, {}, 10, "menu 10"},
};
inline constexpr CodedList kTargets{kTargetEntries};

// "При ошибке перейти:": "нет", then the targets shifted by one (1 main menu, 2..11 form,
// 12..21 menu).
constexpr std::array<Code, 22> MakeErrorTargets() {
    std::array<Code, 22> list{};
    list[0] = {0, 0, u"нет", 0, "none"};
    for (std::size_t i = 0; i < std::size(kTargetEntries); ++i) {
        list[i + 1] = kTargetEntries[i];
        list[i + 1].code = static_cast<std::uint8_t>(i + 1);
    }
    return list;
}
inline constexpr std::array<Code, 22> kErrorTargetEntries = MakeErrorTargets();
inline constexpr CodedList kErrorTargets{kErrorTargetEntries};
// The target an on-error code leads to; -1 for "нет".
constexpr int ErrorTargetToTarget(int errorTarget) {
    return errorTarget - 1;
}

// ---- the Form page -------------------------------------------------------------------------

// "Lookup :": the form's database.
inline constexpr Code kFormLookupEntries[] = {
    {0, 1211, {}, 0, "none"},
    {1, 1191, {}, 0, "database 1"},
    {2, 1192, {}, 0, "database 2"},
    {3, 1193, {}, 0, "database 3"},
};
inline constexpr CodedList kFormLookups{kFormLookupEntries};

// "Record :": what happens to the finished record.
inline constexpr Code kRecordActionEntries[] = {
    {0, 1311, {}, 0, "save"},
    {1, 1312, {}, 0, "update lookup"},
    {2, 1313, {}, 0, "save & update"},
    {3, 1314, {}, 0, "pass down"},
    {4, 1315, {}, 0, "output record"},
    {5, 1316, {}, 0, "output screen"},
    {6, 1317, {}, 0, "save & output record"},
    {7, 1318, {}, 0, "save & output screen"},
    {8, 0, u"не сохранять", 0, "do not save"},
};
inline constexpr CodedList kRecordActions{kRecordActionEntries};

// "Если запись не найдена:".
inline constexpr Code kNotFoundActionEntries[] = {
    {0, 0, u"Действовать как задано для БД", 0, "as set for the database"},
    {1, 1451, {}, 0, "continue"},
    {2, 1452, {}, 0, "show warning message"},
    {3, 1453, {}, 0, "insert to lookup file"},
    {4, 1454, {}, 0, "show warning message & insert"},
    {5, 1455, {}, 0, "clear the screen"},
    {6, 1456, {}, 0, "show warning & clear screen"},
};
inline constexpr CodedList kNotFoundActions{kNotFoundActionEntries};
// The same list for a form whose database is read only once: only the insert actions remain,
// so from the second entry on the stored code is the list index plus 2.
inline constexpr Code kNotFoundReadOnceEntries[] = {
    kNotFoundActionEntries[0], kNotFoundActionEntries[3], kNotFoundActionEntries[4]};
inline constexpr CodedList kNotFoundActionsReadOnce{kNotFoundReadOnceEntries, false};

// The branch of FN+1..FN+4.
inline constexpr Code kBranchEntries[] = {
    {0, 0, u"disable", 0, "disabled"},
    {1, kFormWordId, {}, 1, "form 1"},
    {2, kFormWordId, {}, 2, "form 2"},
    {3, kFormWordId, {}, 3, "form 3"},
    {4, kFormWordId, {}, 4, "form 4"},
    {5, kFormWordId, {}, 5, "form 5"},
    {6, kFormWordId, {}, 6, "form 6"},
    {7, kFormWordId, {}, 7, "form 7"},
    {8, kFormWordId, {}, 8, "form 8"},
    {9, kFormWordId, {}, 9, "form 9"},
    {10, kFormWordId, {}, 10, "form 10"},
    {11, 0, u"Итого", 0, "totals"},
    {12, 0, u"Удалить последнюю запись из файла", 0, "delete last record"},
    {13, 0, u"Просмотр остатков", 0, "balance view"},
};
inline constexpr CodedList kBranches{kBranchEntries};
inline constexpr std::uint8_t kBranchTotals = 11;
inline constexpr std::uint8_t kBranchDeleteLast = 12;
inline constexpr std::uint8_t kBranchBalance = 13;

// Totals multiplier: none, database field 1..n, variable 1..10. Variables are stored 9..18
// whatever n is, so for a database of fewer than 8 fields the stored code is not the index.
inline constexpr Code kMultiplierEntries[] = {
    {0, 0, u"Без множителя", 0, "none"},
    {1, 0, u"Поле %d", 1, "field 1"},
    {2, 0, u"Поле %d", 2, "field 2"},
    {3, 0, u"Поле %d", 3, "field 3"},
    {4, 0, u"Поле %d", 4, "field 4"},
    {5, 0, u"Поле %d", 5, "field 5"},
    {6, 0, u"Поле %d", 6, "field 6"},
    {7, 0, u"Поле %d", 7, "field 7"},
    {8, 0, u"Поле %d", 8, "field 8"},
    // The variables show their names from the definition's VariableNames.
    {9, 0, {}, 0, "variable 1"},
    {10, 0, {}, 0, "variable 2"},
    {11, 0, {}, 0, "variable 3"},
    {12, 0, {}, 0, "variable 4"},
    {13, 0, {}, 0, "variable 5"},
    {14, 0, {}, 0, "variable 6"},
    {15, 0, {}, 0, "variable 7"},
    {16, 0, {}, 0, "variable 8"},
    {17, 0, {}, 0, "variable 9"},
    {18, 0, {}, 0, "variable 10"},
};
inline constexpr CodedList kMultipliers{kMultiplierEntries, false};
inline constexpr std::uint8_t kFirstVariableMultiplier = 9;
// Index in the list of a database with n fields and the code it stores, both ways; the list
// shows the fields 1..n only.
constexpr int MultiplierCode(int index, int fields) {
    return index <= fields ? index : index - fields + 8;
}
constexpr int MultiplierIndex(int code, int fields) {
    return code < kFirstVariableMultiplier ? code : code - 8 + fields;
}

// Filter field of the totals and balance views: 0 unused, 1..n database field n.
inline constexpr Code kFilterFieldEntries[] = {
    {0, 0, u"не использовать", 0, "none"}, {1, 0, u"по полю %d", 1, "field 1"},
    {2, 0, u"по полю %d", 2, "field 2"},   {3, 0, u"по полю %d", 3, "field 3"},
    {4, 0, u"по полю %d", 4, "field 4"},   {5, 0, u"по полю %d", 5, "field 5"},
    {6, 0, u"по полю %d", 6, "field 6"},   {7, 0, u"по полю %d", 7, "field 7"},
    {8, 0, u"по полю %d", 8, "field 8"},
};
inline constexpr CodedList kFilterFields{kFilterFieldEntries};

// "Сравнивать": how the filter variable is compared with the field.
inline constexpr Code kComparisonEntries[] = {
    {0, 0, u"со всем полем", 0, "whole field"},
    {1, 0, u"с началом поля", 0, "start of field"},
    {2, 0, u"с концом поля", 0, "end of field"},
};
inline constexpr CodedList kComparisons{kComparisonEntries};

// Where a form keeps its serial numbers.
inline constexpr Code kSerialStoreEntries[] = {
    {0, 0, u"Файлe данных", 0, "data file"},
    {1, 0, u"Базе данных %d", 1, "database 1"},
    {2, 0, u"Базе данных %d", 2, "database 2"},
    {3, 0, u"Базе данных %d", 3, "database 3"},
};
inline constexpr CodedList kSerialStores{kSerialStoreEntries};

// ---- field lines ---------------------------------------------------------------------------

// The type list: "nil" and 1331..1345. The weight line (15) is never offered: the weight
// rule sets it and the list shows it as "real"; the serial number (16) sits at index 15.
inline constexpr Code kFieldTypeEntries[] = {
    {0, 1211, {}, 0, "nil"},         {1, 1331, {}, 0, "text"},
    {2, 1332, {}, 0, "integer"},     {3, 1333, {}, 0, "real"},
    {4, 1334, {}, 0, "letter"},      {5, 1335, {}, 0, "auto(+/-)"},
    {6, 1336, {}, 0, "boolean"},     {7, 1337, {}, 0, "lookup"},
    {8, 1338, {}, 0, "fixed data"},  {9, 1339, {}, 0, "prompt"},
    {10, 1340, {}, 0, "counter"},    {11, 1341, {}, 0, "pass down"},
    {12, 1342, {}, 0, "extension"},  {13, 1343, {}, 0, "pause"},
    {14, 1344, {}, 0, "alphameric"}, {16, 1345, {}, 0, "serial number"},
};
inline constexpr Code kWeightFieldType[] = {{15, 1333, {}, 0, "weight or quantity"}};
inline constexpr CodedList kFieldTypes{kFieldTypeEntries, false, kWeightFieldType};

// Input source of a line.
inline constexpr Code kInputSourceEntries[] = {
    {0, 1351, {}, 0, "reader"}, {1, 1352, {}, 0, "keypad"}, {2, 1353, {}, 0, "both"},
    {3, 1354, {}, 0, "RFID"},   {4, 1355, {}, 0, "all"},
};
inline constexpr CodedList kInputSources{kInputSourceEntries};

// Lookup column of a line: 0 none, 1..8 database field n, 9..16 minus field n (the line's value
// is taken off the field), 17..24 plus field n (added to it). Only numeric lines offer the
// minus and plus entries; the others show the first nine.
inline constexpr int kFieldWordId = 1361;       // "field "
inline constexpr int kMinusFieldWordId = 1362;  // "-field "
inline constexpr int kPlusFieldWordId = 1363;   // "+field "
inline constexpr Code kLookupColumnEntries[] = {
    {0, 1211, {}, 0, "none"},
    {1, kFieldWordId, {}, 1, "field 1"},
    {2, kFieldWordId, {}, 2, "field 2"},
    {3, kFieldWordId, {}, 3, "field 3"},
    {4, kFieldWordId, {}, 4, "field 4"},
    {5, kFieldWordId, {}, 5, "field 5"},
    {6, kFieldWordId, {}, 6, "field 6"},
    {7, kFieldWordId, {}, 7, "field 7"},
    {8, kFieldWordId, {}, 8, "field 8"},
    {9, kMinusFieldWordId, {}, 1, "-field 1"},
    {10, kMinusFieldWordId, {}, 2, "-field 2"},
    {11, kMinusFieldWordId, {}, 3, "-field 3"},
    {12, kMinusFieldWordId, {}, 4, "-field 4"},
    {13, kMinusFieldWordId, {}, 5, "-field 5"},
    {14, kMinusFieldWordId, {}, 6, "-field 6"},
    {15, kMinusFieldWordId, {}, 7, "-field 7"},
    {16, kMinusFieldWordId, {}, 8, "-field 8"},
    {17, kPlusFieldWordId, {}, 1, "+field 1"},
    {18, kPlusFieldWordId, {}, 2, "+field 2"},
    {19, kPlusFieldWordId, {}, 3, "+field 3"},
    {20, kPlusFieldWordId, {}, 4, "+field 4"},
    {21, kPlusFieldWordId, {}, 5, "+field 5"},
    {22, kPlusFieldWordId, {}, 6, "+field 6"},
    {23, kPlusFieldWordId, {}, 7, "+field 7"},
    {24, kPlusFieldWordId, {}, 8, "+field 8"},
};
inline constexpr CodedList kLookupColumns{kLookupColumnEntries};
inline constexpr CodedList kPlainLookupColumns{std::span(kLookupColumnEntries).first(9)};
// The plain column of a minus or plus column (the same database field); 0 stays 0.
constexpr int PlainLookupColumn(int code) {
    if (code <= 8) return code;
    const int field = code % 8;
    return field == 0 ? 8 : field;
}

// Alignment of fixed-length data.
inline constexpr Code kAlignmentEntries[] = {
    {0, 1371, {}, 0, "left, blanks"},
    {1, 1372, {}, 0, "right, blanks"},
    {2, 1373, {}, 0, "left, zeros"},
    {3, 1374, {}, 0, "right, zeros"},
};
inline constexpr CodedList kAlignments{kAlignmentEntries};

// Check-digit methods. The list is switched on by a check box, so it stores its index plus 1
// and 0 means no check.
inline constexpr Code kCheckDigitEntries[] = {
    {1, 1381, {}, 0, "MOD 10 double-add-double, next high"},
    {2, 1382, {}, 0, "MOD 10 add-double-add, next high"},
    {3, 1383, {}, 0, "MOD 10 triple-add-triple, next high"},
    {4, 1384, {}, 0, "MOD 11 repeat arithmetic, next high"},
    {5, 1385, {}, 0, "MOD 10 double-add-double, next low"},
    {6, 1386, {}, 0, "MOD 10 add-double-add, next low"},
    {7, 1387, {}, 0, "MOD 10 triple-add-triple, next low"},
    {8, 1388, {}, 0, "MOD 11 repeat arithmetic, next low"},
};
inline constexpr Code kNoCheckDigit[] = {{0, 0, {}, 0, "off"}};
inline constexpr CodedList kCheckDigits{kCheckDigitEntries, false, kNoCheckDigit};

// "Auto ENTER :".
inline constexpr Code kAutoEnterEntries[] = {
    {0, 1401, {}, 0, "no"},
    {1, 1402, {}, 0, "scan + ENTER"},
    {2, 1403, {}, 0, "ENTER + scan"},
    {3, 0, u"Автоматически", 0, "automatic"},
};
inline constexpr CodedList kAutoEnter{kAutoEnterEntries};

// "Decimal places :".
inline constexpr Code kDecimalPlaceEntries[] = {
    {0, 1220, {}, 0, "variable"}, {1, 0, u"1", 0, "1"}, {2, 0, u"2", 0, "2"}, {3, 0, u"3", 0, "3"},
    {4, 0, u"4", 0, "4"},         {5, 0, u"5", 0, "5"}, {6, 0, u"6", 0, "6"},
};
inline constexpr CodedList kDecimalPlaces{kDecimalPlaceEntries};

// ---- the date-and-time stamp ---------------------------------------------------------------

inline constexpr Code kStampPositionEntries[] = {
    {0, 1211, {}, 0, "none"},
    {1, 1411, {}, 0, "top"},
    {2, 1412, {}, 0, "bottom"},
};
inline constexpr CodedList kStampPositions{kStampPositionEntries};

inline constexpr Code kYearDigitEntries[] = {
    {0, 0, u"4 Digits (YYYY)", 0, "four digits"},
    {1, 0, u"2 Digits (YY)", 0, "two digits"},
};
inline constexpr CodedList kYearDigits{kYearDigitEntries};

inline constexpr Code kDateStyleEntries[] = {
    {0, 1431, {}, 0, "year.month.day"},
    {1, 1432, {}, 0, "month.day.year"},
    {2, 1433, {}, 0, "day.month.year"},
};
inline constexpr CodedList kDateStyles{kDateStyleEntries};

// ---- lookup databases ----------------------------------------------------------------------

// What the terminal does when a looked-up record is missing (the database's own setting).
inline constexpr Code kNoMatchActionEntries[] = {
    {0, 1451, {}, 0, "continue"},
    {1, 1452, {}, 0, "show warning message"},
    {2, 1453, {}, 0, "insert to lookup file"},
    {3, 1454, {}, 0, "show warning message & insert"},
    {4, 1455, {}, 0, "clear the screen"},
    {5, 1456, {}, 0, "show warning & clear screen"},
};
inline constexpr CodedList kNoMatchActions{kNoMatchActionEntries};

inline constexpr Code kWrongFormatActionEntries[] = {
    {0, 1441, {}, 0, "stop the download process"},
    {1, 1442, {}, 0, "truncate / reformat the record"},
    {2, 1443, {}, 0, "skip the record"},
};
inline constexpr CodedList kWrongFormatActions{kWrongFormatActionEntries};

// The no-match list of a database read only once: only the insert actions, so the stored code
// is the list index plus 2.
inline constexpr Code kNoMatchReadOnceEntries[] = {kNoMatchActionEntries[2],
                                                   kNoMatchActionEntries[3]};
inline constexpr CodedList kNoMatchActionsReadOnce{kNoMatchReadOnceEntries, false};

// "Number of fields :": 0 leaves the database undefined.
inline constexpr Code kFieldCountEntries[] = {
    {0, 0, u" 0", 0, "0"}, {1, 0, u" 1", 0, "1"}, {2, 0, u" 2", 0, "2"},
    {3, 0, u" 3", 0, "3"}, {4, 0, u" 4", 0, "4"}, {5, 0, u" 5", 0, "5"},
    {6, 0, u" 6", 0, "6"}, {7, 0, u" 7", 0, "7"}, {8, 0, u" 8", 0, "8"},
};
inline constexpr CodedList kFieldCounts{kFieldCountEntries};

// What the terminal does when a search finds several records.
inline constexpr Code kSeveralFoundEntries[] = {
    {0, 1741, {}, 0, "show the first record"},
    {1, 1742, {}, 0, "let the user choose"},
};
inline constexpr CodedList kSeveralFound{kSeveralFoundEntries};

// How the non-zero filters of a database combine.
inline constexpr Code kFilterModeEntries[] = {
    {0, 1744, {}, 0, "jointly"},
    {1, 1745, {}, 0, "separately"},
};
inline constexpr CodedList kFilterModes{kFilterModeEntries};

// Where collected data or a database is kept.
inline constexpr Code kPlacementEntries[] = {
    {0, 0, u"В памяти ТСД", 0, "terminal memory"},
    {1, 0, u"На SD карте", 0, "SD card"},
};
inline constexpr CodedList kPlacements{kPlacementEntries};

// ---- terminal settings ---------------------------------------------------------------------

inline constexpr Code kStartTargetEntries[] = {
    {0, 0, u"form 1", 0, "form 1"},
    {1, 0, u"menu 1", 0, "menu 1"},
};
inline constexpr CodedList kStartTargets{kStartTargetEntries};

inline constexpr Code kPortEntries[] = {
    {0, 0, u"USB VCOM", 0, "USB VCOM"}, {1, 0, u"RS-232", 0, "RS-232"}, {2, 1493, {}, 0, "Modem"},
    {3, 1495, {}, 0, "Bluetooth SPP"},  {4, 0, u"Wi-Fi", 0, "Wi-Fi"},
};
inline constexpr CodedList kPorts{kPortEntries};
inline constexpr std::uint8_t kPortModem = 2;
inline constexpr std::uint8_t kPortBluetooth = 3;
inline constexpr std::uint8_t kPortWifi = 4;

// The terminal's serial speed and the modem speed.
inline constexpr Code kSpeedEntries[] = {
    {0, 1501, {}, 0, "115200 bit/s"}, {1, 1502, {}, 0, "57600 bit/s"},
    {2, 1503, {}, 0, "38400 bit/s"},  {3, 1504, {}, 0, "19200 bit/s"},
    {4, 1505, {}, 0, "9600 bit/s"},
};
inline constexpr CodedList kSpeeds{kSpeedEntries};

inline constexpr Code kBacklightEntries[] = {{0, 1511, {}, 0, "off"}, {1, 1512, {}, 0, "on"}};
inline constexpr CodedList kBacklight{kBacklightEntries};

inline constexpr Code kDataDeletionEntries[] = {
    {0, 1521, {}, 0, "manual"},
    {1, 1522, {}, 0, "automatic"},
    {2, 0, u"Не удалять", 0, "never"},
};
inline constexpr CodedList kDataDeletion{kDataDeletionEntries};

inline constexpr Code kEntryOptionEntries[] = {
    {0, 1531, {}, 0, "no prompt"},
    {1, 1532, {}, 0, "show record count"},
    {2, 1533, {}, 0, "show record"},
};
inline constexpr CodedList kEntryOptions{kEntryOptionEntries};

inline constexpr int kMuteId = 1221;
inline constexpr int kToneId = 1222;
inline constexpr Code kKeyClickEntries[] = {
    {0, kMuteId, {}, 0, "mute"},   {1, kToneId, {}, 1, "tone 1"}, {2, kToneId, {}, 2, "tone 2"},
    {3, kToneId, {}, 3, "tone 3"}, {4, kToneId, {}, 4, "tone 4"}, {5, kToneId, {}, 5, "tone 5"},
};
inline constexpr CodedList kKeyClicks{kKeyClickEntries};

// Good-read and warning beeps.
inline constexpr Code kBeepEntries[] = {
    {0, kMuteId, {}, 0, "mute"},
    {1, 1701, {}, 0, "one beep"},
    {2, 1702, {}, 0, "two beeps"},
    {3, 1703, {}, 0, "three beeps"},
};
inline constexpr CodedList kBeeps{kBeepEntries};

inline constexpr Code kVibrationEntries[] = {
    {0, 0, u"отключено", 0, "off"}, {1, 0, u"1 сек.", 0, "1 s"}, {2, 0, u"2 сек.", 0, "2 s"},
    {3, 0, u"3 сек.", 0, "3 s"},    {4, 0, u"4 сек.", 0, "4 s"}, {5, 0, u"5 сек.", 0, "5 s"},
};
inline constexpr CodedList kVibration{kVibrationEntries};

inline constexpr Code kVolumeEntries[] = {
    {0, 0, u"Низкая", 0, "low"},
    {1, 0, u"Средняя", 0, "middle"},
    {2, 0, u"Высокая", 0, "high"},
};
inline constexpr CodedList kVolumes{kVolumeEntries};

// What FN+1..FN+7 start.
inline constexpr Code kFnFunctionEntries[] = {
    {0, 1621, {}, 0, "nil"},
    {1, 1622, {}, 0, "collect"},
    {2, 1623, {}, 0, "upload"},
    {3, 1624, {}, 0, "utilities"},
    {4, 1625, {}, 0, "settings"},
    {5, 1626, {}, 0, "browse data"},
    {6, 1627, {}, 0, "delete data"},
    {7, 1628, {}, 0, "reader test"},
    {8, 1629, {}, 0, "set date/time"},
    {9, 1630, {}, 0, "load program"},
    {10, 1631, {}, 0, "memory & power"},
    {11, 1632, {}, 0, "load lookup"},
    {12, 1633, {}, 0, "upload port"},
    {13, 1634, {}, 0, "download port"},
    {14, 1635, {}, 0, "baud rate"},
    {15, 1636, {}, 0, "backlight"},
    {16, 1637, {}, 0, "data deletion"},
    {17, 1638, {}, 0, "entry options"},
    {18, 1639, {}, 0, "view settings"},
    {19, 1640, {}, 0, "calculator"},
    {20, 0, u"Текст ТСД", 0, "terminal text"},
};
inline constexpr CodedList kFnFunctions{kFnFunctionEntries};

// What the twelve SecurityFlags and the three SecurityFlags2 protect, in byte order.
inline constexpr Code kSecurityFlagEntries[] = {
    {0, 0, u"Settings", 0, "settings"},
    {1, 0, u"Edit Data", 0, "edit data"},
    {2, 0, u"Delete Data", 0, "delete data"},
    {3, 0, u"Set Date/Time", 0, "set date/time"},
    {4, 0, u"Load Application", 0, "load application"},
    {5, 0, u"Load Lookup File", 0, "load lookup file"},
    {6, 0, u"Upload Port", 0, "upload port"},
    {7, 0, u"Download Port", 0, "download port"},
    {8, 0, u"Baud Rate", 0, "baud rate"},
    {9, 0, u"Backlight", 0, "backlight"},
    {10, 0, u"Data Deletion", 0, "data deletion"},
    {11, 0, u"Entry Options", 0, "entry options"},
};
inline constexpr CodedList kSecurityFlags{kSecurityFlagEntries};
inline constexpr Code kSecurityFlag2Entries[] = {
    {0, 0, u"Key Click", 0, "key click"},
    {1, 0, u"Barcode Good Read", 0, "barcode good read"},
    {2, 0, u"Warning Beep", 0, "warning beep"},
};
inline constexpr CodedList kSecurityFlags2{kSecurityFlag2Entries};

inline constexpr Code kEncryptionEntries[] = {
    {0, 0, u"Нет", 0, "none"},  {1, 0, u"WEP", 0, "WEP"}, {2, 0, u"WPA", 0, "WPA"},
    {3, 0, u"WPA2", 0, "WPA2"}, {4, 0, u"EAP", 0, "EAP"},
};
inline constexpr CodedList kEncryption{kEncryptionEntries};
inline constexpr std::uint8_t kEncryptionWep = 1;
inline constexpr std::uint8_t kEncryptionWpa = 2;
inline constexpr std::uint8_t kEncryptionWpa2 = 3;
inline constexpr std::uint8_t kEncryptionEap = 4;

// WEP authentication: the list shows "open" first although it stores 1.
inline constexpr Code kWepAuthenticationEntries[] = {
    {1, 0, u"Открытая", 0, "open"},
    {0, 0, u"С общим ключом", 0, "shared key"},
};
inline constexpr CodedList kWepAuthentications{kWepAuthenticationEntries, false};

inline constexpr Code kWepKeyLengthEntries[] = {
    {0, 0, u"64 бит (5 байт)", 0, "64-bit"},
    {1, 0, u"128 бит (13 байт)", 0, "128-bit"},
};
inline constexpr CodedList kWepKeyLengths{kWepKeyLengthEntries};

// Which of the four WEP keys is in use.
inline constexpr Code kActiveWepKeyEntries[] = {
    {0, 0, u"1", 0, "key 1"},
    {1, 0, u"2", 0, "key 2"},
    {2, 0, u"3", 0, "key 3"},
    {3, 0, u"4", 0, "key 4"},
};
inline constexpr CodedList kActiveWepKeys{kActiveWepKeyEntries};

// ---- screen texts --------------------------------------------------------------------------

// "Redefine Prompts and Messages :": the 26 text groups the Startup page offers, 1581..1606,
// with the lines each shows.
inline constexpr Code kScreenTextGroupNameEntries[] = {
    {0, 1581, {}, 0, "main menu"},         {1, 1582, {}, 0, "utilities"},
    {2, 1583, {}, 0, "delete data"},       {3, 1584, {}, 0, "confirm"},
    {4, 1585, {}, 0, "memory & power"},    {5, 1586, {}, 0, "load lookup"},
    {6, 1587, {}, 0, "settings"},          {7, 1588, {}, 0, "upload port"},
    {8, 1589, {}, 0, "download port"},     {9, 1590, {}, 0, "baud rate"},
    {10, 1591, {}, 0, "backlight"},        {11, 1592, {}, 0, "data deletion"},
    {12, 1593, {}, 0, "entry options"},    {13, 1594, {}, 0, "view settings"},
    {14, 1595, {}, 0, "system fault"},     {15, 1596, {}, 0, "upload data"},
    {16, 1597, {}, 0, "set phone number"}, {17, 1598, {}, 0, "save record"},
    {18, 1599, {}, 0, "delete record"},    {19, 1600, {}, 0, "auto delete data"},
    {20, 1601, {}, 0, "set password"},     {21, 1602, {}, 0, "connecting"},
    {22, 1603, {}, 0, "modem connection"}, {23, 1604, {}, 0, "error messages"},
    {24, 1605, {}, 0, "miscellaneous"},    {25, 1606, {}, 0, "misc - continuous"},
};
inline constexpr CodedList kScreenTextGroupNames{kScreenTextGroupNameEntries};
inline constexpr std::array<int, 26> kScreenTextGroupListLines{
    3, 8, 4, 4, 4, 7, 8, 5, 6, 5, 4, 4, 6, 8, 3, 5, 4, 5, 5, 3, 2, 4, 3, 6, 8, 7};

// What stays in a weight-barcode source line after the weight went to its target line.
inline constexpr Code kWeightSourceKeepEntries[] = {
    {0, 1258, {}, 0, "prefix and code"},
    {1, 1259, {}, 0, "barcode"},
    {2, 1260, {}, 0, "code"},
};
inline constexpr CodedList kWeightSourceKeeps{kWeightSourceKeepEntries};

// The word for a stored code, or "invalid (code)" for a code the list does not know.
std::string Word(const CodedList& list, int code);

}  // namespace fw::codes
