// The transfers that the main window starts: Download Application, Download Lookup File and
// Receive Data, with their dialogs on Qt.
#pragma once

#include <memory>

class QWidget;

namespace fw {

struct Workspace;
class QtTransferUi;

class TransferCommands {
  public:
    explicit TransferCommands(Workspace& ws);
    ~TransferCommands();

    // Runs the transfer of the command id (kCmdDownloadApplication, kCmdDownloadLookupFile,
    // kCmdReceiveData) with its windows owned by owner; returns the run's result.
    int Run(int commandId, QWidget* owner);

  private:
    Workspace& ws_;
    std::unique_ptr<QtTransferUi> ui_;  // keeps the lookup file choice between runs
};

}  // namespace fw
