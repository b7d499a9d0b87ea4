// Where each named field of the definition lives, so that "check" can say in words which
// values normalisation would change.
#pragma once

#include <string>
#include <vector>

#include "model/definition.h"
#include "model/layout.h"

namespace fw::cli {

struct FieldChange {
    std::string where;  // "form 2, line 3", "menu 1, item 4", "TerminalSettings"
    std::string field;  // "MaxLength"
    std::string before;
    std::string after;
};

// Where element `element` of a field of record `number` (from 0) lives, in the words check
// uses: "form 2, line 3", "menu 1", "TerminalSettings, FN+2".
std::string FieldPlace(const layout::Record& record, int number, const layout::Field& field,
                       int element);
// The bytes of one element as check shows them: a number, a quoted text, or hex bytes.
std::string ShowFieldValue(std::span<const Byte> bytes, const layout::Field& field);

// Every field whose bytes differ between the two definitions, in block and offset order.
std::vector<FieldChange> DiffDefinitions(const Definition& before, const Definition& after);

}  // namespace fw::cli
