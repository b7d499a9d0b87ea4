#include "shell/projectdialogs.h"

#include "shell/filedialogs.h"
#include "shell/messagebox.h"

namespace fw {

std::optional<std::filesystem::path> QtProjectDialogs::ChooseFile(
    const FileDialogRequest& request) {
    return fw::ChooseFile(owner_, request);
}

}  // namespace fw
