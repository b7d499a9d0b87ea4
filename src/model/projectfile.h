// Project files: the definition's blocks end to end. A name whose last character is "W" or
// "w" selects the extended format (20844 bytes), any other the base format (19267 bytes).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/filedialog.h"
#include "model/workspace.h"

namespace fw {

inline constexpr std::size_t kBaseFileSize = 19267;
inline constexpr std::size_t kExtendedFileSize = 20844;
inline constexpr int kFormatMismatchId = 1171;  // "Format mismatch !!!"

bool IsExtendedName(const std::filesystem::path& path);

// The definition's bytes as WriteProjectFile writes them (the caller has normalised).
std::string SerialiseProject(const Definition& d, bool extended);

// Both return 1 for success and 0 for failure, as every file command does.
int WriteProjectFile(Workspace& ws);  // to ws.currentProjectPath
int ReadProjectFile(Workspace& ws);   // from ws.currentProjectPath

// What ReadProjectFile does with the bytes a file delivered, without the file and without
// touching the recent files. readError is the system's error code when reading stopped on an
// error (0 when the bytes end where the file ends); normalise off keeps the definition as
// loaded, for tools that show what normalisation would repair.
struct ProjectReadOptions {
    int readError = 0;
    bool normalise = true;
};
int ReadProjectBytes(Workspace& ws, std::string_view bytes, bool extended,
                     const ProjectReadOptions& options = {});
// The bytes ReadProjectFile reads: at most kExtendedFileSize of them. False when the file
// cannot be opened; readError as above.
bool LoadProjectBytes(const std::filesystem::path& path, std::string& bytes, int& readError);

// The open and save dialogs of the project commands; the GUI shows file dialogs, the
// command-line tool and tests answer from their arguments.
class ProjectDialogs {
  public:
    virtual ~ProjectDialogs() = default;
    // The chosen file, or nothing when the user cancelled.
    virtual std::optional<std::filesystem::path> ChooseFile(const FileDialogRequest& request) = 0;
};

int SaveProject(Workspace& ws, ProjectDialogs& dialogs);
int SaveProjectAs(Workspace& ws, ProjectDialogs& dialogs);

// Working screen texts of the startup page that an import fills: groups 2..27 as 21-byte
// cells, and the four utility lines it shows (calculator, key click, barcode read, warning
// beep).
struct ImportedTexts {
    Block<kScreenTextsSize> screenTexts{};
    std::array<Block<kTextCellSize>, 4> utilityLines{};
};
enum class OpenMode { Load = 0, PathOnly = 1, ImportTexts = 2 };
int OpenProjectDialog(Workspace& ws, ProjectDialogs& dialogs, OpenMode mode,
                      ImportedTexts* importTarget = nullptr);
int ImportScreenTexts(Workspace& ws, ImportedTexts& target);

}  // namespace fw
