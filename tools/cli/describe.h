// The definition in words, for "show": forms with their targets and lines, menus, lookup
// databases, terminal settings, the reader, variables and screen texts.
#pragma once

#include <string>
#include <vector>

#include "model/definition.h"
#include "report.h"

namespace fw::cli {

// 0 main menu, 1..10 form n, 11..20 menu n.
std::string TargetName(int code);
std::string LineTypeName(int type);

Node DescribeDefinition(const Definition& d);
// What the startup settings and texts hold that the terminal would take badly and that
// normalisation does not repair.
std::vector<std::string> StartupNotes(const Definition& d);

}  // namespace fw::cli
