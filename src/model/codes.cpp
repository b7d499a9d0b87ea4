#include "model/codes.h"

#include "model/definition.h"

namespace fw::codes {

// The line-type names the rest of the model uses are the type list's codes.
static_assert(CodeOf(kFieldTypes, "nil") == kLineNil);
static_assert(CodeOf(kFieldTypes, "lookup") == kLineLookup);
static_assert(CodeOf(kFieldTypes, "extension") == kLineExtension);
static_assert(CodeOf(kFieldTypes, "alphameric") == kLineAlphameric);
static_assert(CodeOf(kFieldTypes, "weight or quantity") == kLineWeight);
static_assert(CodeOf(kFieldTypes, "serial number") == kLineSerial);

std::u16string EntryText(const Code& entry, std::u16string_view idText) {
    std::u16string text(entry.textId != 0 ? idText : entry.literal);
    if (entry.number == 0) return text;
    std::u16string number;
    for (char c : std::to_string(entry.number))
        number += static_cast<char16_t>(c);
    const std::size_t at = text.find(u"%d");
    if (at != std::u16string::npos) return text.replace(at, 2, number);
    return text + number;
}

std::string Word(const CodedList& list, int code) {
    if (const Code* c = FindCode(list, code)) return std::string(c->word);
    return "invalid (" + std::to_string(code) + ")";
}

}  // namespace fw::codes
