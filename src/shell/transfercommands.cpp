#include "shell/transfercommands.h"

#include "comm/clock.h"
#include "comm/download.h"
#include "comm/links/linkopener.h"
#include "comm/upload.h"
#include "shell/commands.h"
#include "shell/connectionwaitingdlg.h"
#include "shell/qttransferui.h"

namespace fw {

TransferCommands::TransferCommands(Workspace& ws) : ws_(ws) {}

TransferCommands::~TransferCommands() = default;

int TransferCommands::Run(int commandId, QWidget* owner) {
    if (!ui_) ui_ = std::make_unique<QtTransferUi>(owner);
    ui_->Cancel().Clear();
    ConnectionWaitingDlg waiter(owner);
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
