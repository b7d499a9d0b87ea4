#include "fieldmap.h"

#include <cstdio>
#include <span>

#include "cli.h"

namespace fw::cli {
namespace {

enum class Shown { Number, Text, Hex };
// What the repeated elements of a field are called in the report.
enum class Element { None, Line, Key, Item, Variable, Slot, Byte, FormLine };

struct FieldPlace {
    const char* name;
    std::size_t offset;
    std::size_t width;  // bytes of one element
    int count;          // elements, one after the other
    Element element;
    Shown shown;
};

struct BlockPlace {
    const char* name;
    const char* recordName;  // null for a block that is one record
    std::size_t recordSize;
    int recordCount;
    int firstRecordNumber;
    std::span<const FieldPlace> fields;
};

constexpr std::size_t kCell = kTextCellSize;
constexpr int kLines = kLinesPerForm;

constexpr FieldPlace kFormFields[] = {
    {"Reserved0", 0, 1, 1, Element::None, Shown::Number},
    {"EscTarget", 1, 1, 1, Element::None, Shown::Number},
    {"NextTarget", 2, 1, 1, Element::None, Shown::Number},
    {"DateTimePosition", 3, 1, 1, Element::None, Shown::Number},
    {"SeparateDateTime", 4, 1, 1, Element::None, Shown::Number},
    {"StampYear", 5, 1, 1, Element::None, Shown::Number},
    {"YearDigits", 6, 1, 1, Element::None, Shown::Number},
    {"StampMonth", 7, 1, 1, Element::None, Shown::Number},
    {"StampDay", 8, 1, 1, Element::None, Shown::Number},
    {"DateSeparatorOn", 9, 1, 1, Element::None, Shown::Number},
    {"DateSeparator", 10, 2, 1, Element::None, Shown::Text},
    {"DateStyle", 12, 1, 1, Element::None, Shown::Number},
    {"StampHour", 13, 1, 1, Element::None, Shown::Number},
    {"StampMinute", 14, 1, 1, Element::None, Shown::Number},
    {"StampSecond", 15, 1, 1, Element::None, Shown::Number},
    {"TimeSeparatorOn", 16, 1, 1, Element::None, Shown::Number},
    {"TimeSeparator", 17, 2, 1, Element::None, Shown::Text},
    {"RecordAction", 19, 1, 1, Element::None, Shown::Number},
    {"FormLookup", 20, 1, 1, Element::None, Shown::Number},
    {"LineLookupField", 21, 1, kLines, Element::Line, Shown::Number},
    {"LineType", 29, 1, kLines, Element::Line, Shown::Number},
    {"LinePrompt", 37, kCell, kLines, Element::Line, Shown::Text},
    {"InputSource", 205, 1, kLines, Element::Line, Shown::Number},
    {"MinLength", 213, 1, kLines, Element::Line, Shown::Number},
    {"MaxLength", 221, 1, kLines, Element::Line, Shown::Number},
    {"FixedLengthFlag", 229, 1, kLines, Element::Line, Shown::Number},
    {"Alignment", 237, 1, kLines, Element::Line, Shown::Number},
    {"FixedLength", 245, 1, kLines, Element::Line, Shown::Number},
    {"InitialValueFlag", 253, 1, kLines, Element::Line, Shown::Number},
    {"InitialValue", 261, 10, kLines, Element::Line, Shown::Text},
    {"PrefixFlag", 341, 1, kLines, Element::Line, Shown::Number},
    {"PrefixCode", 349, 10, kLines, Element::Line, Shown::Hex},
    {"SuffixFlag", 429, 1, kLines, Element::Line, Shown::Number},
    {"SuffixCode", 437, 10, kLines, Element::Line, Shown::Hex},
    {"ReadPartialBarcode", 517, 1, kLines, Element::Line, Shown::Number},
    {"PartialStart", 525, 1, kLines, Element::Line, Shown::Number},
    {"PartialLength", 533, 1, kLines, Element::Line, Shown::Number},
    {"CheckLeadingCode", 541, 1, kLines, Element::Line, Shown::Number},
    {"LeadingCode", 549, 6, kLines, Element::Line, Shown::Text},
    {"AutoEnter", 597, 1, kLines, Element::Line, Shown::Number},
    {"InputMark", 605, 1, kLines, Element::Line, Shown::Number},
    {"LineText50", 613, 50, kLines, Element::Line, Shown::Text},
    {"LastInputLine", 1013, 1, 1, Element::None, Shown::Number},
    {"Reserved1014", 1014, 1, 1, Element::None, Shown::Number},
    {"CheckDigit", 1015, 1, kLines, Element::Line, Shown::Number},
    {"FnBranch", 1023, 1, kFnGroups, Element::Key, Shown::Number},
    {"DecimalPlaces", 1027, 1, kLines, Element::Line, Shown::Number},
    {"PrefixCodeNibbles", 1035, 5, kLines, Element::Line, Shown::Hex},
    {"SuffixCodeNibbles", 1075, 5, kLines, Element::Line, Shown::Hex},
    {"SaveToVariable", 1115, 1, kLines, Element::Line, Shown::Number},
    {"FillFromVariable", 1123, 1, kLines, Element::Line, Shown::Number},
    {"KeepWholeBarcode", 1131, 1, kLines, Element::Line, Shown::Number},
    {"WeightSourceKeep", 1139, 1, kLines, Element::Line, Shown::Number},
    {"PrefixInSearch", 1147, 1, kLines, Element::Line, Shown::Number},
    {"SuffixInSearch", 1155, 1, kLines, Element::Line, Shown::Number},
    {"SerialPartVariable", 1163, 1, 1, Element::None, Shown::Number},
    {"SerialQuantityField", 1164, 1, 1, Element::None, Shown::Number},
    {"SerialStore", 1165, 1, 1, Element::None, Shown::Number},
    {"TotalSumField", 1166, 1, kFnGroups, Element::Key, Shown::Number},
    {"TotalMultiplier", 1170, 1, kFnGroups, Element::Key, Shown::Number},
    {"BalanceFilterField", 1174, 1, kFnGroups, Element::Key, Shown::Number},
    {"BalanceFilterVariable", 1178, 1, kFnGroups, Element::Key, Shown::Number},
    {"BalanceCompare", 1182, 1, kFnGroups, Element::Key, Shown::Number},
    {"TotalFilterField", 1186, 1, kFnGroups, Element::Key, Shown::Number},
    {"TotalFilterVariable", 1190, 1, kFnGroups, Element::Key, Shown::Number},
    {"TotalCompare", 1194, 1, kFnGroups, Element::Key, Shown::Number},
    {"NotFoundAction", 1198, 1, 1, Element::None, Shown::Number},
    {"ErrorTarget", 1199, 1, 1, Element::None, Shown::Number},
    {"Reserved1200", 1200, 15, 1, Element::None, Shown::Hex},
};

constexpr FieldPlace kMenuFields[] = {
    {"MenuReserved0", 0, 1, 1, Element::None, Shown::Number},
    {"HasCaption", 1, 1, 1, Element::None, Shown::Number},
    {"Caption", 2, kCell, 1, Element::None, Shown::Text},
    {"ItemText", 23, kCell, kMenuItems, Element::Item, Shown::Text},
    {"MenuEscTarget", 233, 1, 1, Element::None, Shown::Number},
    {"ItemTarget", 234, 1, kMenuItems, Element::Item, Shown::Number},
    {"SaveCaption", 244, 1, 1, Element::None, Shown::Number},
    {"SaveSelectedItem", 245, 1, 1, Element::None, Shown::Number},
    {"PassDown", 246, 1, 1, Element::None, Shown::Number},
    {"ItemCount", 247, 1, 1, Element::None, Shown::Number},
};

constexpr FieldPlace kTerminalFields[] = {
    {"SettingsLayout", 0, 1, 1, Element::None, Shown::Number},
    {"StartTarget", 1, 1, 1, Element::None, Shown::Number},
    {"UploadPort", 5, 1, 1, Element::None, Shown::Number},
    {"DownloadPort", 27, 1, 1, Element::None, Shown::Number},
    {"TerminalBaudRate", 28, 1, 1, Element::None, Shown::Number},
    {"SettingsByte258", 258, 1, 1, Element::None, Shown::Number},
    {"DataPlacement", 260, 1, 1, Element::None, Shown::Number},
};

constexpr FieldPlace kBarcodeRuleFields[] = {
    {"WeightBarcodeEnabled", 0, 1, 1, Element::None, Shown::Number},
    {"WeightMask", 1, kWeightMaskSize, kWeightMaskSlots, Element::Slot, Shown::Text},
    {"WeightMaskCount", 661, 1, 1, Element::None, Shown::Number},
    {"WeightTransferFlags", 662, 1, kFormCount* kLines, Element::FormLine, Shown::Number},
    {"WeightTargetLine", 742, 1, kFormCount* kLines, Element::FormLine, Shown::Number},
};

constexpr FieldPlace kVariableFields[] = {
    {"Name", 0, kCell, kVariableCount, Element::Variable, Shown::Text},
    {"VariableNibbles", 210, 1, 15, Element::Byte, Shown::Hex},
};

constexpr FieldPlace kNetworkFields[] = {
    {"UseNetworkSettings", 6, 1, 1, Element::None, Shown::Number},
    {"Dhcp", 7, 1, 1, Element::None, Shown::Number},
    {"Encryption", 57, 1, 1, Element::None, Shown::Number},
    {"WepAuthentication", 58, 1, 1, Element::None, Shown::Number},
    {"WepKeyLength", 59, 1, 1, Element::None, Shown::Number},
    {"ActiveWepKey", 60, 1, 1, Element::None, Shown::Number},
};

constexpr FieldPlace kReaderOptions2Fields[] = {
    {"Gs1Transfer", 0, 1, 1, Element::None, Shown::Number},
    {"Byte", 1, 1, 99, Element::Byte, Shown::Number},
};

constexpr FieldPlace kFieldLinkFields[] = {
    {"LinkLine", 0, 1, kLines, Element::Line, Shown::Number},
    {"LinkValue", 8, 1, kLines, Element::Line, Shown::Number},
};

std::string ElementName(Element element, int index) {
    switch (element) {
        case Element::None:
            return {};
        case Element::Line:
            return "line " + std::to_string(index + 1);
        case Element::Key:
            return "FN+" + std::to_string(index + 1);
        case Element::Item:
            return "item " + std::to_string(index + 1);
        case Element::Variable:
            return "variable " + std::to_string(index + 1);
        case Element::Slot:
            return "mask " + std::to_string(index + 1);
        case Element::Byte:
            return "byte " + std::to_string(index);
        case Element::FormLine:
            return "form " + std::to_string(index / kLines + 1) + ", line " +
                   std::to_string(index % kLines + 1);
    }
    return {};
}

std::string ShowValue(std::span<const Byte> bytes, Shown shown) {
    switch (shown) {
        case Shown::Number:
            return std::to_string(bytes[0]);
        case Shown::Text: {
            // The whole text up to its terminator, quoted so that blanks can be seen.
            std::string text = "\"";
            for (unsigned char c : CellText(bytes)) {
                if (c == '"' || c == '\\') text += '\\';
                text += static_cast<char>(c);
            }
            return text + "\"";
        }
        case Shown::Hex: {
            std::string hex;
            for (Byte b : bytes) {
                char buf[4];
                std::snprintf(buf, sizeof buf, "%02X", b);
                if (!hex.empty()) hex += ' ';
                hex += buf;
            }
            return hex;
        }
    }
    return {};
}

template <std::size_t N>
void DiffBlock(const BlockPlace& place, const Block<N>& before, const Block<N>& after,
               std::vector<FieldChange>& changes) {
    const std::size_t recordSize = place.recordSize == 0 ? N : place.recordSize;
    std::size_t offset = 0;
    while (offset < N) {
        if (before[offset] == after[offset]) {
            ++offset;
            continue;
        }
        const int record = static_cast<int>(offset / recordSize);
        const std::size_t inRecord = offset % recordSize;
        std::string where = place.recordName == nullptr
                                ? std::string(place.name)
                                : std::string(place.recordName) + " " +
                                      std::to_string(record + place.firstRecordNumber);
        const FieldPlace* field = nullptr;
        int element = 0;
        for (const FieldPlace& f : place.fields) {
            if (inRecord >= f.offset && inRecord < f.offset + f.width * f.count) {
                field = &f;
                element = static_cast<int>((inRecord - f.offset) / f.width);
                break;
            }
        }
        if (field == nullptr) {
            changes.push_back({where, "byte " + std::to_string(inRecord),
                               std::to_string(before[offset]), std::to_string(after[offset])});
            ++offset;
            continue;
        }
        const std::size_t start = record * recordSize + field->offset + field->width * element;
        const std::string elementName = ElementName(field->element, element);
        if (!elementName.empty()) where += (place.recordName == nullptr ? " " : ", ") + elementName;
        changes.push_back(
            {where, field->name,
             ShowValue(std::span<const Byte>(before.data() + start, field->width), field->shown),
             ShowValue(std::span<const Byte>(after.data() + start, field->width), field->shown)});
        offset = start + field->width;
    }
}

}  // namespace

std::vector<FieldChange> DiffDefinitions(const Definition& before, const Definition& after) {
    std::vector<FieldChange> changes;
    const auto diff = [&](const BlockPlace& place, const auto& a, const auto& b) {
        DiffBlock(place, a, b, changes);
    };
    diff({"ReservedWord", nullptr, 0, 1, 0, {}}, before.reservedWord, after.reservedWord);
    diff({"ReaderOptions", nullptr, 0, 1, 0, {}}, before.readerOptions, after.readerOptions);
    diff({"MenuTable", "menu", kMenuRecordSize, kMenuCount, 1, kMenuFields}, before.menuTable,
         after.menuTable);
    diff({"FormTable", "form", kFormRecordSize, kFormCount, 1, kFormFields}, before.formTable,
         after.formTable);
    diff({"LookupTable", "database", kLookupRecordSize, kLookupCount, 1, {}}, before.lookupTable,
         after.lookupTable);
    diff({"ScreenTexts", "screen line", kTextCellSize, static_cast<int>(kScreenLineCount), 1, {}},
         before.screenTexts, after.screenTexts);
    diff({"SymbologyOptions", nullptr, 0, 1, 0, {}}, before.symbologyOptions,
         after.symbologyOptions);
    diff({"ReaderExtra", nullptr, 0, 1, 0, {}}, before.readerExtra, after.readerExtra);
    diff({"TerminalSettings", nullptr, 0, 1, 0, kTerminalFields}, before.terminalSettings,
         after.terminalSettings);
    diff({"ReaderOptions2", nullptr, 0, 1, 0, kReaderOptions2Fields}, before.readerOptions2,
         after.readerOptions2);
    diff({"BarcodeRules", nullptr, 0, 1, 0, kBarcodeRuleFields}, before.barcodeRules,
         after.barcodeRules);
    diff({"VariableNames", nullptr, 0, 1, 0, kVariableFields}, before.variableNames,
         after.variableNames);
    diff({"NetworkSettings", nullptr, 0, 1, 0, kNetworkFields}, before.networkSettings,
         after.networkSettings);
    diff({"FieldLinks", "form", kFieldLinkRecordSize, kFormCount, 1, kFieldLinkFields},
         before.fieldLinks, after.fieldLinks);
    return changes;
}

}  // namespace fw::cli
