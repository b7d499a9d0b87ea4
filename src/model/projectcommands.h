// The project commands: New, Open (the dialog, a recent entry, the project named at start),
// Save, Save As and the language switch, each written once. The GUI, the command-line tool
// and tests only call them; file dialogs come through ProjectDialogs, every question and
// message through the workspace's presenter.
//
// A project is always read into a scratch copy of the definition. Only a file read whole
// replaces the definition and becomes the path that Save writes to; a cancelled or refused
// open leaves the definition, its unsaved-changes mark and its path as they were.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "model/projectfile.h"
#include "model/workspace.h"

namespace fw {

struct ProjectLoadOptions {
    // Reader defaults and a new definition under the file, so that blocks the file lacks
    // have their reset values (Open); otherwise the file is read over the current definition
    // (a recent entry, the project named at start).
    bool reset = true;
    // The program records what it opens in the recent files; a tool that only looks at a
    // file leaves the settings file alone.
    bool remember = true;
    bool normalise = true;
    // Say why a file gave no bytes at all (missing, a folder, a device, refused).
    bool reportProblem = true;
};

struct ProjectLoadResult {
    bool loaded = false;
    ProjectFileProblem problem = ProjectFileProblem::None;
    int systemError = 0;
};

// Reads path as the project; on success it is the definition and the save target.
ProjectLoadResult LoadProject(Workspace& ws, const std::filesystem::path& path,
                              const ProjectLoadOptions& options = {});

// The message that says why a file gave no bytes, naming it; empty for None.
std::u16string ProjectProblemText(const std::filesystem::path& path, ProjectFileProblem problem,
                                  int systemError);

// "Save current program ?" with Yes, No and Cancel; Yes saves. Returns kIdYes, kIdNo or
// kIdCancel; Cancel also when nothing can ask or when Yes did not save, so that unsaved work
// is never dropped unasked.
int PromptSaveChanges(Workspace& ws, ProjectDialogs& dialogs);

// New: after the save question, a new definition without a path. False when the user
// cancelled at the question.
bool NewProjectCommand(Workspace& ws, ProjectDialogs& dialogs);

enum class OpenOutcome {
    Abandoned,  // Cancel at the save question: nothing happened
    Cancelled,  // the file dialog was cancelled
    Refused,    // the chosen file could not be read
    Opened,
};
// Open: the save question, the settings read again, the open dialog, the file.
OpenOutcome OpenProjectCommand(Workspace& ws, ProjectDialogs& dialogs);

// Entry index of the recent files, read over the current definition without a question. An
// entry whose file has gone is reported and taken off the list.
bool OpenRecentProject(Workspace& ws, std::size_t index);

// The project path that the command line names: every double quote dropped, at most 255
// characters.
std::u16string ProjectPathFromCommandLine(std::u16string_view commandLine);
// The project that the command line names, else the last one when auto-preload is on; empty
// when none is to be opened.
std::filesystem::path StartupProjectPath(const Workspace& ws, std::u16string_view commandLine);
// Opens the start's project over the new definition; a failure is reported with the path.
bool OpenStartupProject(Workspace& ws, const std::filesystem::path& path);

// Save and Save As; a successful one clears the unsaved-changes mark, one that wrote nothing
// to the name it had says so (a cancelled dialog says nothing).
int SaveProjectCommand(Workspace& ws, ProjectDialogs& dialogs);
int SaveProjectAsCommand(Workspace& ws, ProjectDialogs& dialogs);

// After the preferences were confirmed: writes the settings file and puts the chosen
// language in force (its texts alone, never those of the language before it), with the
// default terminal texts it gives.
void ApplyPreferences(Workspace& ws);

}  // namespace fw
