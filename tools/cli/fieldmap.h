// Where each named field of the definition lives, so that "check" can say in words which
// values normalisation would change.
#pragma once

#include <string>
#include <vector>

#include "model/definition.h"

namespace fw::cli {

struct FieldChange {
    std::string where;  // "form 2, line 3", "menu 1, item 4", "TerminalSettings"
    std::string field;  // "MaxLength"
    std::string before;
    std::string after;
};

// Every field whose bytes differ between the two definitions, in block and offset order.
std::vector<FieldChange> DiffDefinitions(const Definition& before, const Definition& after);

}  // namespace fw::cli
