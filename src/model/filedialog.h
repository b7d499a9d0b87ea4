// What a command asks of a file dialog: the project commands and the transfers use the same
// request, and the GUI, the command-line tool and tests answer it each in their own way.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace fw {

struct FileFilter {
    std::u16string description;  // "Файлы Formwright (*.FWW)"
    std::u16string pattern;      // "*.FWW"
};

struct FileDialogRequest {
    bool save = false;                // save dialog (else open dialog)
    std::vector<FileFilter> filters;  // the first one is selected
    std::u16string defaultExtension;  // "FWW", added when the name has none; empty for none
    std::filesystem::path initialName;
    bool mustExist = false;        // open: the file must exist; save: its folder must
    bool promptOverwrite = false;  // save: ask before replacing a file
    bool hideReadOnly = true;
    // Start from the previous choice of this kind of dialog (the lookup file) rather than from
    // initialName.
    bool startFromPrevious = false;
};

}  // namespace fw
