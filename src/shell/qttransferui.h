// The transfers' dialogs on Qt: file choices, the progress window, messages, questions and the
// viewer of the received data.
#pragma once

#include <QPointer>
#include <filesystem>
#include <functional>

#include "comm/transferui.h"
#include "shell/messagebox.h"

class QWidget;

namespace fw {

class ProgressDlg;
struct Language;

class QtTransferUi : public TransferUi {
  public:
    // Returns whether a program took the file.
    using Viewer = std::function<bool(const std::filesystem::path&)>;

    // A file that no program can show is reported in the language given.
    explicit QtTransferUi(QWidget* owner, const Language* language = nullptr);
    ~QtTransferUi() override;

    int Show(const MessageRequest& request) override;
    bool ChooseFile(const FileDialogRequest& request, std::filesystem::path& chosen) override;
    void OpenProgress(std::u16string_view title, std::u16string_view text) override;
    void SetProgress(int value) override;
    void CloseProgress() override;
    void OpenForViewing(const std::filesystem::path& file) override;

    // The progress window while it is open; null otherwise.
    ProgressDlg* Progress() const;
    // Where received files are opened; the system's text viewer unless replaced (tests).
    static void SetViewer(Viewer viewer);

  private:
    QWidget* owner_;
    const Language* language_;
    QtMessagePresenter presenter_;
    QPointer<ProgressDlg> progress_;
    std::filesystem::path previousChoice_;  // the lookup file dialog starts from it
};

}  // namespace fw
