// What a transfer needs from the person at the PC: a file choice, a progress window, messages
// and yes / no questions, and a viewer for the received data. The GUI implements it with
// dialogs, the command-line tool with the terminal and its flags, tests with a script.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/messages.h"

namespace fw {

// The project file's dialogs have a FileDialogRequest of their own (model/projectfile.h);
// the inline namespace keeps the two apart in programs that link both.
inline namespace transfer {

struct FileFilter {
    std::u16string description;  // "Файлы БД {*.TXT}"
    std::u16string pattern;      // "*.TXT"
};

struct FileDialogRequest {
    bool save = false;                // save dialog (else open dialog)
    std::vector<FileFilter> filters;  // the first one is selected
    std::u16string defaultExtension;  // "TXT", added when the name has none
    bool mustExist = false;           // open: the file must exist; save: its folder must
    bool promptOverwrite = false;     // save: ask before replacing a file
    bool hideReadOnly = true;
    // Start from the previous choice of this kind of dialog (the lookup file) rather than from
    // an empty name (the upload file).
    bool startFromPrevious = false;
};

}  // namespace transfer

// Messages go through ShowMessageById with the workspace's language, which calls Show; texts
// built in code (Russian literals and the records-received question) call Show directly.
class TransferUi : public MessagePresenter {
  public:
    // Returns false when the user cancelled; chosen then is untouched.
    virtual bool ChooseFile(const FileDialogRequest& request, std::filesystem::path& chosen) = 0;

    // The progress window: opened once per run, value 0..100, closed on success and on the
    // failures that end the run. CloseProgress on a closed window does nothing.
    virtual void OpenProgress(std::u16string_view title, std::u16string_view text) = 0;
    virtual void SetProgress(int value) = 0;
    virtual void CloseProgress() = 0;

    // Opens the received data file in the system's text viewer without waiting for it.
    virtual void OpenForViewing(const std::filesystem::path& file) = 0;
};

}  // namespace fw
