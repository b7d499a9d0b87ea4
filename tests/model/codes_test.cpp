// The coded lists: their length and order, the codes they store and the texts they show.
#include "model/codes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/strings.h"

namespace fw {
namespace {

using codes::CodedList;

struct NamedList {
    const char* name;
    const CodedList& list;
    std::size_t length;
};

const NamedList kLists[] = {
    {"targets", codes::kTargets, 21},
    {"error targets", codes::kErrorTargets, 22},
    {"form lookups", codes::kFormLookups, 4},
    {"record actions", codes::kRecordActions, 9},
    {"not found", codes::kNotFoundActions, 7},
    {"not found, read once", codes::kNotFoundActionsReadOnce, 3},
    {"branches", codes::kBranches, 14},
    {"multipliers", codes::kMultipliers, 19},
    {"filter fields", codes::kFilterFields, 9},
    {"comparisons", codes::kComparisons, 3},
    {"serial stores", codes::kSerialStores, 4},
    {"field types", codes::kFieldTypes, 16},
    {"input sources", codes::kInputSources, 5},
    {"lookup columns", codes::kLookupColumns, 25},
    {"plain lookup columns", codes::kPlainLookupColumns, 9},
    {"alignments", codes::kAlignments, 4},
    {"check digits", codes::kCheckDigits, 8},
    {"auto ENTER", codes::kAutoEnter, 4},
    {"decimal places", codes::kDecimalPlaces, 7},
    {"stamp positions", codes::kStampPositions, 3},
    {"year digits", codes::kYearDigits, 2},
    {"date styles", codes::kDateStyles, 3},
    {"no match", codes::kNoMatchActions, 6},
    {"wrong format", codes::kWrongFormatActions, 3},
    {"placements", codes::kPlacements, 2},
    {"start targets", codes::kStartTargets, 2},
    {"ports", codes::kPorts, 5},
    {"speeds", codes::kSpeeds, 5},
    {"backlight", codes::kBacklight, 2},
    {"data deletion", codes::kDataDeletion, 3},
    {"entry options", codes::kEntryOptions, 3},
    {"key clicks", codes::kKeyClicks, 6},
    {"beeps", codes::kBeeps, 4},
    {"vibration", codes::kVibration, 6},
    {"volumes", codes::kVolumes, 3},
    {"FN functions", codes::kFnFunctions, 21},
    {"security flags", codes::kSecurityFlags, 12},
    {"security flags 2", codes::kSecurityFlags2, 3},
    {"encryption", codes::kEncryption, 5},
    {"screen-text groups", codes::kScreenTextGroupNames, 26},
};

// Lengths, codes in order where the code is the index, ids that the string table has, and a
// word for every code.
TEST(Codes, EveryListHasItsLengthCodesAndTexts) {
    for (const NamedList& l : kLists) {
        SCOPED_TRACE(l.name);
        ASSERT_EQ(l.list.entries.size(), l.length);
        std::vector<int> seen;
        for (std::size_t i = 0; i < l.list.entries.size(); ++i) {
            const codes::Code& c = l.list.entries[i];
            if (l.list.codeIsIndex) {
                EXPECT_EQ(c.code, i);
            }
            EXPECT_EQ(codes::IndexOfCode(l.list, c.code), static_cast<int>(i));
            EXPECT_FALSE(c.word.empty()) << i;
            if (c.textId != 0) {
                EXPECT_TRUE(HasBuiltInString(c.textId)) << c.textId;
                EXPECT_TRUE(c.literal.empty()) << c.textId;
            }
            for (int s : seen)
                EXPECT_NE(s, c.code) << "code twice: " << int(c.code);
            seen.push_back(c.code);
        }
    }
}

TEST(Codes, EntriesAtKnownPlaces) {
    struct Known {
        const char* what;
        const CodedList& list;
        std::size_t index;
        int code;
        int textId;
        std::u16string literal;
    };
    const Known known[] = {
        {"main", codes::kTargets, 0, 0, 1212, u""},
        {"menu 1", codes::kTargets, 11, 11, 1213, u""},
        {"on error: none", codes::kErrorTargets, 0, 0, 0, u"нет"},
        {"on error: form 1", codes::kErrorTargets, 2, 2, 1214, u""},
        {"on error: menu 10", codes::kErrorTargets, 21, 21, 1213, u""},
        {"3rd lookup file", codes::kFormLookups, 3, 3, 1193, u""},
        {"save & output screen", codes::kRecordActions, 7, 7, 1318, u""},
        {"do not save", codes::kRecordActions, 8, 8, 0, u"не сохранять"},
        {"as set for the database", codes::kNotFoundActions, 0, 0, 0,
         u"Действовать как задано для БД"},
        {"show warning & clear screen", codes::kNotFoundActions, 6, 6, 1456, u""},
        {"read once: insert", codes::kNotFoundActionsReadOnce, 1, 3, 1453, u""},
        {"read once: warn & insert", codes::kNotFoundActionsReadOnce, 2, 4, 1454, u""},
        {"totals", codes::kBranches, 11, 11, 0, u"Итого"},
        {"balance view", codes::kBranches, 13, 13, 0, u"Просмотр остатков"},
        {"serial number", codes::kFieldTypes, 15, 16, 1345, u""},
        {"alphameric", codes::kFieldTypes, 14, 14, 1344, u""},
        {"minus field 3", codes::kLookupColumns, 11, 11, 1362, u""},
        {"plus field 8", codes::kLookupColumns, 24, 24, 1363, u""},
        {"first check digit", codes::kCheckDigits, 0, 1, 1381, u""},
        {"last check digit", codes::kCheckDigits, 7, 8, 1388, u""},
        {"automatic ENTER", codes::kAutoEnter, 3, 3, 0, u"Автоматически"},
        {"Day.Month.Year", codes::kDateStyles, 2, 2, 1433, u""},
        {"Все", codes::kInputSources, 4, 4, 1355, u""},
        {"right, zeros", codes::kAlignments, 3, 3, 1374, u""},
        {"end of field", codes::kComparisons, 2, 2, 0, u"с концом поля"},
        {"terminal text", codes::kFnFunctions, 20, 20, 0, u"Текст ТСД"},
        {"calculator", codes::kFnFunctions, 19, 19, 1640, u""},
        {"Misc - continuous", codes::kScreenTextGroupNames, 25, 25, 1606, u""},
    };
    for (const Known& k : known) {
        SCOPED_TRACE(k.what);
        const codes::Code& c = k.list.entries[k.index];
        EXPECT_EQ(c.code, k.code);
        EXPECT_EQ(c.textId, k.textId);
        EXPECT_EQ(std::u16string(c.literal), k.literal);
    }
}

TEST(Codes, StoredValuesTheListsNeverOffer) {
    // A weight line is stored as 15 but shown as "real"; it is never a list entry.
    EXPECT_EQ(codes::IndexOfCode(codes::kFieldTypes, 15), -1);
    ASSERT_NE(codes::FindCode(codes::kFieldTypes, 15), nullptr);
    EXPECT_EQ(codes::FindCode(codes::kFieldTypes, 15)->textId, 1333);
    EXPECT_EQ(codes::IndexOfCode(codes::kCheckDigits, 0), -1);
    EXPECT_EQ(codes::Word(codes::kCheckDigits, 0), "off");
    EXPECT_EQ(codes::Word(codes::kFieldTypes, 17), "invalid (17)");
    EXPECT_EQ(codes::Word(codes::kBranches, 14), "invalid (14)");
}

// Variables are stored 9..18 whatever the database's field count.
TEST(Codes, MultiplierIndexAndCodeFollowTheFieldCount) {
    EXPECT_EQ(codes::MultiplierCode(4, 3), 9);  // n = 3: "Переменная 1" is index 4
    EXPECT_EQ(codes::MultiplierIndex(9, 3), 4);
    EXPECT_EQ(codes::MultiplierIndex(9, 5), 6);  // n = 5: index 6
    EXPECT_EQ(codes::MultiplierCode(6, 5), 9);
    for (int n = 1; n <= 8; ++n)
        for (int index = 0; index <= n + 10; ++index) {
            const int code = codes::MultiplierCode(index, n);
            EXPECT_EQ(codes::MultiplierIndex(code, n), index) << n << " " << index;
            EXPECT_EQ(code >= 9, index > n);
        }
}

TEST(Codes, MinusAndPlusColumnsReduceToTheirField) {
    const std::pair<int, int> cases[] = {{0, 0},  {3, 3},  {8, 8},  {9, 1},
                                         {11, 3}, {16, 8}, {17, 1}, {24, 8}};
    for (const auto& [code, plain] : cases)
        EXPECT_EQ(codes::PlainLookupColumn(code), plain) << code;
}

TEST(Codes, EntryTextsTakeTheirNumber) {
    EXPECT_EQ(codes::EntryText(codes::kTargetEntries[3], u"form  "), u"form  3");
    EXPECT_EQ(codes::EntryText(codes::kMultiplierEntries[3], u""), u"Поле 3");
    EXPECT_EQ(codes::EntryText(codes::kSerialStoreEntries[2], u""), u"Базе данных 2");
    EXPECT_EQ(codes::EntryText(codes::kRecordActionEntries[8], u"ignored"), u"не сохранять");
    EXPECT_EQ(codes::EntryText(codes::kRecordActionEntries[0], u"save"), u"save");
}

}  // namespace
}  // namespace fw
