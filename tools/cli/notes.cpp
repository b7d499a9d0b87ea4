#include "notes.h"

#include <algorithm>
#include <utility>

#include "fieldmap.h"
#include "model/codes.h"
#include "model/layout.h"
#include "reader/engine.h"

namespace fw::cli {
namespace {

using layout::Field;
using layout::Record;

// What one field of a record may hold: a code of its coded list (listed or kept unlisted), a
// number of a range, or what a test of its own accepts. The list or the range can depend on
// the rest of the definition; a field can also matter only while its record is in use.
struct Rule {
    const Record* record = nullptr;
    std::string_view field;
    const codes::CodedList* list = nullptr;
    int min = 0;
    int max = 0;
    const codes::CodedList* (*listFor)(const Definition& d, int number) = nullptr;
    int (*maxFor)(const Definition& d, int number) = nullptr;
    bool (*accepts)(int value) = nullptr;
    std::string_view problem{};
    bool (*applies)(const Definition& d, int number) = nullptr;
};

constexpr Rule Listed(const Record& record, std::string_view field, const codes::CodedList& list) {
    return {.record = &record, .field = field, .list = &list};
}
constexpr Rule Ranged(const Record& record, std::string_view field, int min, int max) {
    return {.record = &record, .field = field, .min = min, .max = max};
}
constexpr Rule Flag(const Record& record, std::string_view field) {
    return Ranged(record, field, 0, 1);
}

bool DatabaseInUse(const Definition& d, int number) {
    return Lookup(d, number + 1).InUse();
}
int LastKeyField(const Definition& d, int number) {
    return Lookup(d, number + 1).FieldCount() - 1;
}
int FieldCountOf(const Definition& d, int number) {
    return Lookup(d, number + 1).FieldCount();
}
// A database read only once offers only the actions that insert what was not found.
const codes::CodedList* NoMatchList(const Definition& d, int number) {
    return Lookup(d, number + 1).ReadOnce() != 0 ? &codes::kNoMatchActionsReadOnce
                                                 : &codes::kNoMatchActions;
}
const codes::CodedList* NotFoundList(const Definition& d, int number) {
    const int db = Form(d, number).FormLookup();
    const bool readOnce = db >= 1 && db <= kLookupCount && Lookup(d, db).ReadOnce() != 0;
    return readOnce ? &codes::kNotFoundActionsReadOnce : &codes::kNotFoundActions;
}
bool KnownEngine(int readerType) {
    return reader::EngineIndex(static_cast<Byte>(readerType)) >= 0;
}
bool NotRecordEnd(int code) {
    return code != 13;
}

using layout::kFormRecord;
using layout::kLookupRecord;
using layout::kMenuRecord;
using layout::kNetworkSettings;
using layout::kTerminalSettings;

constexpr Rule kRules[] = {
    // Menus.
    Flag(kMenuRecord, "HasCaption"),
    Listed(kMenuRecord, "MenuEscTarget", codes::kTargets),
    Listed(kMenuRecord, "ItemTarget", codes::kTargets),
    Flag(kMenuRecord, "SaveCaption"),
    Flag(kMenuRecord, "SaveSelectedItem"),
    Flag(kMenuRecord, "PassDown"),
    // Forms.
    Listed(kFormRecord, "EscTarget", codes::kTargets),
    Listed(kFormRecord, "NextTarget", codes::kTargets),
    Listed(kFormRecord, "DateTimePosition", codes::kStampPositions),
    Listed(kFormRecord, "YearDigits", codes::kYearDigits),
    Listed(kFormRecord, "DateStyle", codes::kDateStyles),
    Listed(kFormRecord, "RecordAction", codes::kRecordActions),
    Listed(kFormRecord, "FormLookup", codes::kFormLookups),
    Listed(kFormRecord, "LineLookupField", codes::kLookupColumns),
    Listed(kFormRecord, "LineType", codes::kFieldTypes),
    Listed(kFormRecord, "InputSource", codes::kInputSources),
    Ranged(kFormRecord, "MinLength", 0, 80),
    Ranged(kFormRecord, "MaxLength", 0, 80),
    Listed(kFormRecord, "Alignment", codes::kAlignments),
    Ranged(kFormRecord, "FixedLength", 0, 80),
    Listed(kFormRecord, "AutoEnter", codes::kAutoEnter),
    Listed(kFormRecord, "CheckDigit", codes::kCheckDigits),
    Listed(kFormRecord, "FnBranch", codes::kBranches),
    Listed(kFormRecord, "DecimalPlaces", codes::kDecimalPlaces),
    Ranged(kFormRecord, "SaveToVariable", 0, kVariableCount),
    Ranged(kFormRecord, "FillFromVariable", 0, kVariableCount),
    Listed(kFormRecord, "WeightSourceKeep", codes::kWeightSourceKeeps),
    Listed(kFormRecord, "SerialStore", codes::kSerialStores),
    Listed(kFormRecord, "TotalMultiplier", codes::kMultipliers),
    Listed(kFormRecord, "BalanceFilterField", codes::kFilterFields),
    Listed(kFormRecord, "BalanceCompare", codes::kComparisons),
    Listed(kFormRecord, "TotalFilterField", codes::kFilterFields),
    Listed(kFormRecord, "TotalCompare", codes::kComparisons),
    {.record = &kFormRecord, .field = "NotFoundAction", .listFor = NotFoundList},
    Listed(kFormRecord, "ErrorTarget", codes::kErrorTargets),
    // Lookup databases.
    Listed(kLookupRecord, "FieldCount", codes::kFieldCounts),
    {.record = &kLookupRecord,
     .field = "KeyField",
     .maxFor = LastKeyField,
     .applies = DatabaseInUse},
    {.record = &kLookupRecord,
     .field = "Delimiter",
     .accepts = NotRecordEnd,
     .problem = "13, the code that ends a record"},
    Flag(kLookupRecord, "CanBeUploaded"),
    {.record = &kLookupRecord, .field = "NoMatchAction", .listFor = NoMatchList},
    Listed(kLookupRecord, "WrongFormatAction", codes::kWrongFormatActions),
    Flag(kLookupRecord, "ReadOnce"),
    Flag(kLookupRecord, "NonZeroFilter"),
    Flag(kLookupRecord, "QuantityControl"),
    Listed(kLookupRecord, "Placement", codes::kPlacements),
    Listed(kLookupRecord, "SeveralFound", codes::kSeveralFound),
    Flag(kLookupRecord, "SearchWithFilter"),
    Listed(kLookupRecord, "FilterMode", codes::kFilterModes),
    {.record = &kLookupRecord,
     .field = "DateTimeField",
     .maxFor = FieldCountOf,
     .applies = DatabaseInUse},
    // The Settings and Startup pages.
    Listed(kTerminalSettings, "StartTarget", codes::kStartTargets),
    Flag(kTerminalSettings, "SeparateDataFiles"),
    Listed(kTerminalSettings, "UploadPort", codes::kPorts),
    Listed(kTerminalSettings, "DownloadPort", codes::kPorts),
    Listed(kTerminalSettings, "TerminalBaudRate", codes::kSpeeds),
    Listed(kTerminalSettings, "Backlight", codes::kBacklight),
    Ranged(kTerminalSettings, "BacklightTimeout", 1, 9),
    Listed(kTerminalSettings, "DataDeletion", codes::kDataDeletion),
    Listed(kTerminalSettings, "EntryOption", codes::kEntryOptions),
    Ranged(kTerminalSettings, "PromptDuration", 0, 99),
    Flag(kTerminalSettings, "SecurityFlags"),
    Listed(kTerminalSettings, "FnKeyFunction", codes::kFnFunctions),
    Flag(kTerminalSettings, "FnKeysEnabled"),
    Listed(kTerminalSettings, "ModemSpeed", codes::kSpeeds),
    Listed(kTerminalSettings, "KeyClick", codes::kKeyClicks),
    Listed(kTerminalSettings, "GoodReadBeep", codes::kBeeps),
    Listed(kTerminalSettings, "WarningBeep", codes::kBeeps),
    Flag(kTerminalSettings, "SecurityFlags2"),
    {.record = &kTerminalSettings,
     .field = "ReaderType",
     .accepts = KnownEngine,
     .problem = "no engine the reader list offers"},
    Listed(kTerminalSettings, "Vibration", codes::kVibration),
    Listed(kTerminalSettings, "Volume", codes::kVolumes),
    Listed(kTerminalSettings, "DataPlacement", codes::kPlacements),
    // The network settings.
    Flag(kNetworkSettings, "UseNetworkSettings"),
    Flag(kNetworkSettings, "Dhcp"),
    Listed(kNetworkSettings, "Encryption", codes::kEncryption),
    Listed(kNetworkSettings, "WepAuthentication", codes::kWepAuthentications),
    Listed(kNetworkSettings, "WepKeyLength", codes::kWepKeyLengths),
    Listed(kNetworkSettings, "ActiveWepKey", codes::kActiveWepKeys),
};

// A misspelt field name stops the build rather than checking nothing.
consteval bool RulesNameTheirFields() {
    for (const Rule& rule : kRules)
        layout::Find(*rule.record, rule.field);
    return true;
}
static_assert(RulesNameTheirFields());

std::size_t BlockIndex(layout::BlockId id) {
    return static_cast<std::size_t>(id);
}

unsigned ReadNumber(std::span<const Byte> bytes) {
    unsigned value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        value = (value << 8) | bytes[i];
    return value;
}

// A note with where its bytes are, so that all notes come out in file order.
using Placed = std::pair<std::pair<std::size_t, std::size_t>, Note>;

void CheckRule(const Definition& d, const Rule& rule, std::vector<Placed>& out) {
    const Record& record = *rule.record;
    const Field field = layout::Find(record, rule.field);
    const std::span<const Byte> bytes = BlockBytes(d, record.block);
    for (int number = 0; number < record.count; ++number) {
        if (rule.applies != nullptr && !rule.applies(d, number)) continue;
        const codes::CodedList* list = rule.listFor ? rule.listFor(d, number) : rule.list;
        const int max = rule.maxFor ? rule.maxFor(d, number) : rule.max;
        for (int element = 0; element < field.count; ++element) {
            const std::size_t start = number * record.size + field.offset + element * field.width;
            const std::span<const Byte> value = bytes.subspan(start, field.width);
            const int n = static_cast<int>(ReadNumber(value));
            std::string problem;
            if (list != nullptr) {
                if (codes::FindCode(*list, n) == nullptr)
                    problem = "a code its list does not offer";
            } else if (rule.accepts != nullptr) {
                if (!rule.accepts(n)) problem = std::string(rule.problem);
            } else if (n < rule.min || n > max) {
                problem = "outside " + std::to_string(rule.min) + ".." + std::to_string(max);
            }
            if (problem.empty()) continue;
            out.push_back({{BlockIndex(record.block), start},
                           {FieldPlace(record, number, field, element), std::string(field.name),
                            ShowFieldValue(value, field), problem}});
        }
    }
}

// Texts are kept up to their zero byte; one that fills all its bytes runs on into the next
// field on the terminal. The screen texts and utility lines are the Startup page's, which
// StartupNotes names.
void CheckTexts(const Definition& d, const Record& record, std::vector<Placed>& out) {
    if (record.block == layout::BlockId::ScreenTexts) return;
    const std::span<const Byte> bytes = BlockBytes(d, record.block);
    for (const Field& field : record.fields) {
        if (field.value != layout::Value::Text || field.name == "UtilityLines") continue;
        for (int number = 0; number < record.count; ++number)
            for (int element = 0; element < field.count; ++element) {
                const std::size_t start =
                    number * record.size + field.offset + element * field.width;
                const std::span<const Byte> cell = bytes.subspan(start, field.width);
                if (CellTextLength(cell) < cell.size()) continue;
                out.push_back({{BlockIndex(record.block), start},
                               {FieldPlace(record, number, field, element), std::string(field.name),
                                ShowFieldValue(cell, field),
                                "no end within its " + std::to_string(field.width) + " bytes"}});
            }
    }
}

}  // namespace

std::string Note::Text() const {
    std::string text = where + ": ";
    if (!field.empty()) text += field + " " + value + ": ";
    return text + problem;
}

Node Note::ToNode() const {
    Node n = Node::Object();
    n.Add("where", where);
    if (!field.empty()) {
        n.Add("field", field);
        n.Add("value", value);
    }
    n.Add("problem", problem);
    return n;
}

std::vector<Note> FieldNotes(const Definition& d) {
    std::vector<Placed> placed;
    for (const Rule& rule : kRules)
        CheckRule(d, rule, placed);
    for (const Record& record : layout::kBlocks)
        CheckTexts(d, record, placed);
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed& a, const Placed& b) { return a.first < b.first; });
    std::vector<Note> notes;
    notes.reserve(placed.size());
    for (Placed& p : placed)
        notes.push_back(std::move(p.second));
    return notes;
}

}  // namespace fw::cli
