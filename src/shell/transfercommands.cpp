#include "shell/transfercommands.h"

#include "comm/clock.h"
#include "comm/download.h"
#include "comm/links/linkopener.h"
#include "comm/upload.h"
#include "model/language.h"
#include "model/workspace.h"
#include "shell/commands.h"
#include "shell/connectionwaitingdlg.h"
#include "shell/qttransferui.h"

namespace fw {

namespace {

constexpr int kWaitTitleId = 1794;   // "Ожидание подключения"
constexpr int kWaitTextId = 1795;    // "Ожидание подключения терминала"
constexpr int kWaitCancelId = 1796;  // "Отмена"

// Shows the Wi-Fi waiting step in the language in force: the link names its fixed texts, this
// puts the language's texts in their place (the built-in ones are the same texts).
class TranslatedWaiter final : public ConnectionWaiter {
  public:
    TranslatedWaiter(ConnectionWaiter& shown, const Language& language)
        : shown_(shown), text_(LoadUiString(language, kWaitTextId)) {
        title_ = LoadUiString(language, kWaitTitleId);
        cancel_ = LoadUiString(language, kWaitCancelId);
    }
    void Open(std::u16string_view title, std::u16string_view text, std::u16string_view cancel,
              std::function<void()> onCancel) override {
        shown_.Open(title == kWaitTitle ? title_ : title, Translated(text),
                    cancel == kWaitCancel ? cancel_ : cancel, std::move(onCancel));
    }
    void SetText(std::u16string_view text) override { shown_.SetText(Translated(text)); }
    void Close() override { shown_.Close(); }

  private:
    // The waiting text with its dots after it.
    std::u16string Translated(std::u16string_view text) const {
        const std::u16string_view base = kWaitText;
        if (text.substr(0, base.size()) != base) return std::u16string(text);
        return text_ + std::u16string(text.substr(base.size()));
    }

    ConnectionWaiter& shown_;
    std::u16string title_, text_, cancel_;
};

}  // namespace

TransferCommands::TransferCommands(Workspace& ws) : ws_(ws) {}

TransferCommands::~TransferCommands() = default;

int TransferCommands::Run(int commandId, QWidget* owner) {
    if (!ui_) ui_ = std::make_unique<QtTransferUi>(owner, &ws_.language);
    ui_->Cancel().Clear();
    ConnectionWaitingDlg dialog(owner);
    TranslatedWaiter waiter(dialog, ws_.language);
    LinkOpenerConfig config;
    config.cancel = &ui_->Cancel();
    QtLinkOpener opener(ws_, *ui_, waiter, config);
    switch (commandId) {
        case kCmdDownloadApplication:
            return RunDownload(ws_, opener, *ui_, SystemClock(), kDownloadProgram);
        case kCmdDownloadLookupFile:
            return RunDownload(ws_, opener, *ui_, SystemClock(), kDownloadLookup);
        case kCmdReceiveData:
            return RunUpload(ws_, opener, *ui_, SystemClock());
        default:
            return 0;
    }
}

}  // namespace fw
