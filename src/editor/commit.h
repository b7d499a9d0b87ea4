// The sheet's OK: the working copies become the definition.
#pragma once

#include "editor/session.h"
#include "model/workspace.h"

namespace fw::editor {

// Cleans the lines that keep no data properties, copies the forms, field links and databases
// (a delimited database gets its offsets and record length from its field lengths), the
// reader blocks and engine, barcode rules, variables, network settings and menus to the workspace's
// definition, marks it modified and normalises its lengths and forms.
void CommitSheet(const EditingSession& session, Workspace& ws);

}  // namespace fw::editor
