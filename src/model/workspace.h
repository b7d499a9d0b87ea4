// Everything the program keeps for its whole run: settings, language, the one definition and
// the project being edited. The GUI, the command-line tool and tests each own one.
#pragma once

#include <filesystem>
#include <functional>

#include "model/definition.h"
#include "model/language.h"
#include "model/messages.h"
#include "model/settings.h"

namespace fw {

struct Workspace {
    std::filesystem::path programDirectory;
    Settings settings;
    Language language;
    Definition definition;
    std::filesystem::path currentProjectPath;  // empty for a new definition
    // Set by every change to the definition that is not yet in its project file (the editor's
    // commit, an import), cleared by New, a successful Open and a successful Save.
    bool definitionModified = false;
    MessagePresenter* presenter = nullptr;     // null: messages are not shown
    std::function<void()> recentFilesChanged;  // the shell rebuilds its menu
    // Open has read the settings file again; the shell applies what it shows of them (the
    // window's place and whether it stays on top).
    std::function<void()> settingsReread;
};

// The start order: read the settings, scan and load the language, load the default texts,
// write the format tag, reset the reader settings and build a new definition.
void StartWorkspace(Workspace& ws, const std::filesystem::path& programDirectory);

// Records a project that was just loaded or saved as the most recent one, tells the shell
// and writes the settings file.
void UpdateRecentFiles(Workspace& ws, const std::filesystem::path& path);

// ShowMessageById through the workspace's presenter and language; 0 when there is none.
int ShowMessage(Workspace& ws, int captionId, int textId, MessageIcon icon,
                MessageButtons buttons = MessageButtons::Ok, std::u16string_view extra = {});
// A message whose texts are built in code (the caption may be empty); 0 when nothing can
// show it.
int ShowText(Workspace& ws, std::u16string_view caption, std::u16string_view text,
             MessageIcon icon = MessageIcon::None, MessageButtons buttons = MessageButtons::Ok,
             int defaultButton = 0);

}  // namespace fw
