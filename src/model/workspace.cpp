#include "model/workspace.h"

#include <algorithm>

#include "model/defaults.h"

namespace fw {

void StartWorkspace(Workspace& ws, const std::filesystem::path& programDirectory) {
    ws.programDirectory = programDirectory;
    ReadSettings(ws.settings, programDirectory);
    if (ScanLanguageFiles(ws.language, programDirectory) > 0)
        ws.language.loaded = ReadLanguageFile(ws.language, ws.settings.languageName);
    else
        ws.language.loaded = false;
    LoadDefaultTexts(ws.definition, ws.language);
    WriteFormatTag(ws.definition);
    ResetReaderSettings(ws.definition);
    NewDefinition(ws.definition);
}

void UpdateRecentFiles(Workspace& ws, const std::filesystem::path& path) {
    const std::u16string entry = path.u16string();
    Settings& s = ws.settings;
    s.lastProjectPath = entry;

    std::vector<std::u16string>& recent = s.recentFiles;
    if (recent.size() > kMaxRecentFiles) recent.resize(kMaxRecentFiles);
    auto found = std::find(recent.begin(), recent.end(), entry);
    if (found != recent.end()) recent.erase(found);
    recent.insert(recent.begin(), entry);
    // A full list that takes a new path lets its oldest entry go.
    if (recent.size() > kMaxRecentFiles) recent.resize(kMaxRecentFiles);

    if (ws.recentFilesChanged) ws.recentFilesChanged();
    WriteSettings(s, ws.programDirectory);
}

int ShowMessage(Workspace& ws, int captionId, int textId, MessageIcon icon, MessageButtons buttons,
                std::u16string_view extra) {
    if (ws.presenter == nullptr) return 0;
    return ShowMessageById(*ws.presenter, ws.language, captionId, textId, icon, buttons, extra);
}

int ShowText(Workspace& ws, std::u16string_view caption, std::u16string_view text, MessageIcon icon,
             MessageButtons buttons, int defaultButton) {
    if (ws.presenter == nullptr) return 0;
    MessageRequest request;
    request.caption = caption;
    request.text = text;
    request.icon = icon;
    request.buttons = buttons;
    request.defaultButton = defaultButton;
    return ws.presenter->Show(request);
}

}  // namespace fw
