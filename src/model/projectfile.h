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
// A name ending in ".FWW" in any case: the only names Save As writes to.
bool HasProjectName(const std::filesystem::path& path);

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
// ReadProjectBytes into a definition other than the workspace's: a scratch copy that takes
// the workspace's place only when the whole file was read. recentPath, when given, goes into
// the recent files as ReadProjectFile records it.
int ReadProjectBytesInto(Workspace& ws, Definition& target, std::string_view bytes, bool extended,
                         const ProjectReadOptions& options = {},
                         const std::filesystem::path* recentPath = nullptr);

// Why a project file gave no bytes at all.
enum class ProjectFileProblem {
    None,
    Missing,     // nothing by that name
    Folder,      // a folder, not a file
    NotAFile,    // a device, a pipe or a socket: reading could block or never end
    CannotOpen,  // the system refused (permissions, a name too long); systemError says why
};
struct ProjectFileBytes {
    std::string bytes;  // at most kExtendedFileSize
    int readError = 0;  // as ProjectReadOptions::readError
    ProjectFileProblem problem = ProjectFileProblem::None;
    int systemError = 0;  // the system's error code for CannotOpen
};
// The bytes ReadProjectFile reads. Only regular files are opened.
ProjectFileBytes ReadProjectFileBytes(const std::filesystem::path& path);
// The same, false when the file gave no bytes at all.
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
// The open dialog alone: the chosen name (cut to a stored path's length), or nothing when the
// user cancelled. Nothing else changes.
std::optional<std::filesystem::path> ChooseProjectToOpen(Workspace& ws, ProjectDialogs& dialogs);
int ImportScreenTexts(Workspace& ws, ImportedTexts& target);

}  // namespace fw
