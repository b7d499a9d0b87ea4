// A workspace in a folder of its own, with a scripted link and UI around one transfer session.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "comm/transfer.h"
#include "fakes.h"
#include "model/workspace.h"
#include "support/temp_folder.h"

namespace fw::test {

struct SessionRig {
    explicit SessionRig(bool serial = true) : link(clock, serial) {
        ws = std::make_unique<Workspace>();
        session = std::make_unique<TransferSession>(*ws, ui, clock, link);
    }
    FakeClock clock;
    ScriptedUi ui;
    ScriptedLink link;
    std::unique_ptr<Workspace> ws;
    std::unique_ptr<TransferSession> session;
};

}  // namespace fw::test
