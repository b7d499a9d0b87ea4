#include "model/projectcommands.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "model/defaults.h"
#include "model/language.h"
#include "model/settings.h"
#include "model/system.h"
#include "model/unicode.h"

namespace fw {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kStoredPathChars = kPathMax - 1;
constexpr int kSaveQuestionId = 1131;  // "Save current program ?"
constexpr std::u16string_view kProductBanner = u"Formwright M740";
constexpr std::u16string_view kErrorCaption = u"Ошибка";
constexpr std::u16string_view kLineBreak = u"\r\n";

// A stored path: at most 255 units, never ending inside a surrogate pair.
fs::path StoredPath(std::u16string path) {
    if (path.size() > kStoredPathChars) {
        path.resize(kStoredPathChars);
        if (path.back() >= 0xD800 && path.back() <= 0xDBFF) path.pop_back();
    }
    return fs::path(path);
}

std::u16string PathText(const fs::path& path) {
    try {
        return path.u16string();
    } catch (...) {
        // A name that is not valid UTF-8: its readable parts, the rest as replacement marks.
        return Utf8ToUtf16(path.string());
    }
}

// A recent entry whose file has gone goes off the list and the settings file is rewritten,
// so that the menu stops offering it.
void ForgetRecentFile(Workspace& ws, const std::u16string& entry) {
    auto& recent = ws.settings.recentFiles;
    const auto end = std::remove(recent.begin(), recent.end(), entry);
    if (end == recent.end()) return;
    recent.erase(end, recent.end());
    if (ws.recentFilesChanged) ws.recentFilesChanged();
    WriteSettings(ws.settings, ws.programDirectory);
}

// Tells whether the user gave a name, so that a save that wrote nothing is told apart from
// one the user cancelled.
class NameWatch : public ProjectDialogs {
  public:
    explicit NameWatch(ProjectDialogs& inner) : inner_(inner) {}
    std::optional<fs::path> ChooseFile(const FileDialogRequest& request) override {
        std::optional<fs::path> chosen = inner_.ChooseFile(request);
        named = named || chosen.has_value();
        return chosen;
    }
    bool named = false;

  private:
    ProjectDialogs& inner_;
};

// A save finishes with the work on disk or with the user told that it is not.
int FinishSave(Workspace& ws, int saved, bool attempted) {
    if (saved != 0) {
        ws.definitionModified = false;
    } else if (attempted) {
        ShowText(ws, kErrorCaption,
                 u"Ошибка записи файла задачи, проект не сохранён:" + std::u16string(kLineBreak) +
                     PathText(ws.currentProjectPath),
                 MessageIcon::Error);
    }
    return saved;
}

}  // namespace

std::u16string ProjectProblemText(const fs::path& path, ProjectFileProblem problem,
                                  int systemError) {
    std::u16string text;
    switch (problem) {
        case ProjectFileProblem::None:
            return {};
        case ProjectFileProblem::Missing:
            text = u"Файл задачи не найден:";
            break;
        case ProjectFileProblem::Folder:
            text = u"Это папка, а не файл задачи:";
            break;
        case ProjectFileProblem::NotAFile:
            text = u"Это не файл задачи, а устройство или канал:";
            break;
        case ProjectFileProblem::CannotOpen:
            text = u"Ошибка открытия файла задачи: (" + SystemErrorText(systemError) + u")";
            break;
    }
    return text + std::u16string(kLineBreak) + PathText(path);
}

ProjectLoadResult LoadProject(Workspace& ws, const fs::path& path,
                              const ProjectLoadOptions& options) {
    ProjectLoadResult result;
    const ProjectFileBytes file = ReadProjectFileBytes(path);
    result.problem = file.problem;
    result.systemError = file.systemError;
    if (file.problem != ProjectFileProblem::None) {
        if (options.reportProblem)
            ShowText(ws, kErrorCaption, ProjectProblemText(path, file.problem, file.systemError),
                     MessageIcon::Error);
        return result;
    }

    auto scratch = std::make_unique<Definition>(ws.definition);
    if (options.reset) {
        ResetReaderSettings(*scratch);
        NewDefinition(*scratch);
    }
    ProjectReadOptions read;
    read.readError = file.readError;
    read.normalise = options.normalise;
    if (ReadProjectBytesInto(ws, *scratch, file.bytes, IsExtendedName(path), read,
                             options.remember ? &path : nullptr) == 0)
        return result;
    ws.definition = *scratch;
    ws.currentProjectPath = path;
    result.loaded = true;
    return result;
}

int PromptSaveChanges(Workspace& ws, ProjectDialogs& dialogs) {
    const std::u16string question = LoadUiString(ws.language, kSaveQuestionId);
    int answer =
        ShowText(ws, kProductBanner, question, MessageIcon::Question, MessageButtons::YesNoCancel);
    if (answer != kIdYes && answer != kIdNo) answer = kIdCancel;
    // The user wants the work kept: a save that did not happen stops what asked, rather than
    // let it drop the work.
    if (answer == kIdYes && SaveProjectCommand(ws, dialogs) == 0) return kIdCancel;
    return answer;
}

bool NewProjectCommand(Workspace& ws, ProjectDialogs& dialogs) {
    if (ws.definitionModified && PromptSaveChanges(ws, dialogs) == kIdCancel) return false;
    ws.currentProjectPath.clear();
    ws.definitionModified = false;
    ResetReaderSettings(ws.definition);
    NewDefinition(ws.definition);
    return true;
}

OpenOutcome OpenProjectCommand(Workspace& ws, ProjectDialogs& dialogs) {
    if (ws.definitionModified && PromptSaveChanges(ws, dialogs) == kIdCancel)
        return OpenOutcome::Abandoned;
    ReadSettings(ws.settings, ws.programDirectory);
    if (ws.settingsReread) ws.settingsReread();
    const std::optional<fs::path> chosen = ChooseProjectToOpen(ws, dialogs);
    if (!chosen) return OpenOutcome::Cancelled;
    if (!LoadProject(ws, *chosen).loaded) return OpenOutcome::Refused;
    ws.definitionModified = false;
    return OpenOutcome::Opened;
}

bool OpenRecentProject(Workspace& ws, std::size_t index) {
    if (index >= ws.settings.recentFiles.size()) return false;
    const std::u16string entry = ws.settings.recentFiles[index];
    const fs::path path = StoredPath(entry);
    ProjectLoadOptions options;
    options.reset = false;
    options.reportProblem = false;
    const ProjectLoadResult result = LoadProject(ws, path, options);
    if (result.problem == ProjectFileProblem::Missing) {
        ShowText(ws, kErrorCaption,
                 u"Файл задачи не найден, он убран из списка последних файлов:" +
                     std::u16string(kLineBreak) + PathText(path),
                 MessageIcon::Error);
        ForgetRecentFile(ws, entry);
    } else if (result.problem != ProjectFileProblem::None) {
        ShowText(ws, kErrorCaption, ProjectProblemText(path, result.problem, result.systemError),
                 MessageIcon::Error);
    }
    return result.loaded;
}

std::u16string ProjectPathFromCommandLine(std::u16string_view commandLine) {
    std::u16string path;
    for (char16_t c : commandLine) {
        if (c == u'"') continue;
        if (path.size() == kStoredPathChars) break;
        path += c;
    }
    return path;
}

fs::path StartupProjectPath(const Workspace& ws, std::u16string_view commandLine) {
    const std::u16string named = ProjectPathFromCommandLine(commandLine);
    if (!named.empty()) return StoredPath(named);
    if (ws.settings.autoPreloadLast != 0) return StoredPath(ws.settings.lastProjectPath);
    return {};
}

bool OpenStartupProject(Workspace& ws, const fs::path& path) {
    if (path.empty()) {
        ShowText(ws, u"", u"Необходимо задать имя файла");
        return false;
    }
    ProjectLoadOptions options;
    options.reset = false;
    // The two messages below name the file already.
    options.reportProblem = false;
    if (LoadProject(ws, path, options).loaded) return true;
    ShowText(ws, u"", u"Ошибка загрузки из файла задачи");
    ShowText(ws, u"", PathText(path));
    return false;
}

int SaveProjectCommand(Workspace& ws, ProjectDialogs& dialogs) {
    if (ws.currentProjectPath.empty()) return SaveProjectAsCommand(ws, dialogs);
    return FinishSave(ws, SaveProject(ws, dialogs), true);
}

int SaveProjectAsCommand(Workspace& ws, ProjectDialogs& dialogs) {
    NameWatch watch(dialogs);
    const int saved = SaveProjectAs(ws, watch);
    // A name that is not a project name is taken without writing, as Save As always has.
    return FinishSave(ws, saved, watch.named && HasProjectName(ws.currentProjectPath));
}

void ApplyPreferences(Workspace& ws) {
    WriteSettings(ws.settings, ws.programDirectory);
    for (std::u16string& entry : ws.language.table)
        entry.clear();
    ws.language.loaded = ReadLanguageFile(ws.language, ws.settings.languageName);
    LoadDefaultTexts(ws.definition, ws.language);
}

}  // namespace fw
