// What a transfer needs from the person at the PC: a file choice, a progress window, messages
// and yes / no questions, and a viewer for the received data. The GUI implements it with
// dialogs, the command-line tool with the terminal and its flags, tests with a script.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "comm/cancel.h"
#include "model/filedialog.h"
#include "model/messages.h"

namespace fw {

// SetProgress: the bar shows that the transfer is alive without a value (an upload, whose
// length nobody knows in advance).
inline constexpr int kProgressBusy = -1;

// Messages go through ShowMessageById with the workspace's language, which calls Show; texts
// built in code (Russian literals and the records-received question) call Show directly.
class TransferUi : public MessagePresenter {
  public:
    // Returns false when the user cancelled; chosen then is untouched.
    virtual bool ChooseFile(const FileDialogRequest& request, std::filesystem::path& chosen) = 0;

    // The progress window: opened once per run before the handshake, value 0..100 or
    // kProgressBusy, closed before any message and at the end of the run. CloseProgress on a
    // closed window does nothing. The window's Cancel calls Cancel().Request().
    virtual void OpenProgress(std::u16string_view title, std::u16string_view text) = 0;
    virtual void SetProgress(int value) = 0;
    virtual void CloseProgress() = 0;

    // Opens the received data file in the system's text viewer without waiting for it.
    virtual void OpenForViewing(const std::filesystem::path& file) = 0;

    // The person's request to stop the transfer. The links' waits watch it (the link opener is
    // given it); the flows end quietly once it is made. Whoever starts a transfer clears it.
    CancelSignal& Cancel() { return cancel_; }

  private:
    CancelSignal cancel_;
};

}  // namespace fw
