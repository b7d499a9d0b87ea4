#include "fieldmap.h"

#include <cstdio>
#include <span>

#include "cli.h"
#include "model/layout.h"

namespace fw::cli {
namespace {

using layout::Field;
using layout::Record;
using layout::Repeat;

// What a record of a table block is called in the report ("form 2"); empty for a block that
// is one record.
std::string_view RecordWord(const Record& record) {
    switch (record.block) {
        case layout::BlockId::MenuTable:
            return "menu";
        case layout::BlockId::FormTable:
        case layout::BlockId::FieldLinks:
            return "form";
        case layout::BlockId::LookupTable:
            return "database";
        default:
            return {};
    }
}

std::string ElementName(const Field& field, int index) {
    const std::string n = std::to_string(index + 1);
    switch (field.repeat) {
        case Repeat::None:
            return {};
        case Repeat::Line:
        case Repeat::ScreenLine:
            return "line " + n;
        case Repeat::FnKey:
            return "FN+" + n;
        case Repeat::Item:
            return "item " + n;
        case Repeat::Field:
            return "field " + n;
        case Repeat::Variable:
            return "variable " + n;
        case Repeat::MaskSlot:
            return "mask " + n;
        case Repeat::WepKey:
            return "key " + n;
        case Repeat::Flag:
            return "flag " + n;
        case Repeat::Byte:
            return "byte " + std::to_string(index);
        case Repeat::RecordByte:
            return "byte " + std::to_string(field.offset + static_cast<std::size_t>(index));
        case Repeat::FormLine:
            return "form " + std::to_string(index / kLinesPerForm + 1) + ", line " +
                   std::to_string(index % kLinesPerForm + 1);
    }
    return {};
}

}  // namespace

std::string ShowFieldValue(std::span<const Byte> bytes, const Field& field) {
    switch (field.value) {
        case layout::Value::Number: {
            unsigned long value = 0;
            for (std::size_t i = bytes.size(); i-- > 0;)
                value = (value << 8) | bytes[i];
            return std::to_string(value);
        }
        case layout::Value::Bits: {
            unsigned packed = 0;
            for (std::size_t i = bytes.size(); i-- > 0;)
                packed = (packed << 8) | bytes[i];
            return std::to_string(layout::GetBits(packed, field.bits));
        }
        case layout::Value::Text: {
            // The whole text up to its terminator, quoted so that blanks can be seen.
            std::string text = "\"";
            for (unsigned char c : CellText(bytes)) {
                if (c == '"' || c == '\\') text += '\\';
                text += static_cast<char>(c);
            }
            return text + "\"";
        }
        case layout::Value::Bytes:
        case layout::Value::Nibbles: {
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

std::string FieldPlace(const Record& record, int number, const Field& field, int element) {
    const std::string_view recordWord = RecordWord(record);
    std::string where = recordWord.empty()
                            ? std::string(layout::BlockName(record.block))
                            : std::string(recordWord) + " " + std::to_string(number + 1);
    const std::string elementName = ElementName(field, element);
    if (!elementName.empty()) where += (recordWord.empty() ? " " : ", ") + elementName;
    return where;
}

namespace {

// The field and element that hold byte `offset` of a record.
const Field* FieldAt(const Record& record, std::size_t offset, int& element) {
    for (const Field& f : record.fields) {
        if (offset >= f.offset && offset < f.offset + f.width * f.count) {
            element = static_cast<int>((offset - f.offset) / f.width);
            return &f;
        }
    }
    return nullptr;
}

void DiffBlock(const Record& record, std::span<const Byte> before, std::span<const Byte> after,
               std::vector<FieldChange>& changes) {
    std::size_t offset = 0;
    while (offset < before.size()) {
        if (before[offset] == after[offset]) {
            ++offset;
            continue;
        }
        const int number = static_cast<int>(offset / record.size);
        const std::size_t inRecord = offset % record.size;
        int element = 0;
        const Field* field = FieldAt(record, inRecord, element);
        if (field == nullptr) {
            const std::string_view recordWord = RecordWord(record);
            const std::string where =
                recordWord.empty() ? std::string(layout::BlockName(record.block))
                                   : std::string(recordWord) + " " + std::to_string(number + 1);
            changes.push_back({where, "byte " + std::to_string(inRecord),
                               std::to_string(before[offset]), std::to_string(after[offset])});
            ++offset;
            continue;
        }
        const std::size_t start = number * record.size + field->offset + field->width * element;
        changes.push_back({FieldPlace(record, number, *field, element), std::string(field->name),
                           ShowFieldValue(before.subspan(start, field->width), *field),
                           ShowFieldValue(after.subspan(start, field->width), *field)});
        offset = start + field->width;
    }
}

}  // namespace

std::vector<FieldChange> DiffDefinitions(const Definition& before, const Definition& after) {
    std::vector<FieldChange> changes;
    for (const Record& record : layout::kBlocks)
        DiffBlock(record, BlockBytes(before, record.block), BlockBytes(after, record.block),
                  changes);
    return changes;
}

}  // namespace fw::cli
