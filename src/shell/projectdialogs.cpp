#include "shell/projectdialogs.h"

#include "shell/filedialogs.h"
#include "shell/messagebox.h"

namespace fw {

std::optional<std::filesystem::path> QtProjectDialogs::ChooseFile(
    const FileDialogRequest& request) {
    FileChoice choice;
    choice.filters.push_back(
        {ToQString(request.filterDescription), ToQString(request.filterPattern)});
    choice.defaultSuffix = ToQString(request.defaultExtension);
    choice.initialName = FromPath(request.initialName);
    choice.save = request.save;
    return fw::ChooseFile(owner_, choice);
}

}  // namespace fw
