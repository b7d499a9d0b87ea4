// A workspace in a folder of its own, with a scripted link and UI around one transfer session.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "comm/transfer.h"
#include "fakes.h"
#include "model/workspace.h"

namespace fw::test {

// A fresh folder under the system's temporary folder, removed again at the end.
class TempFolder {
  public:
    explicit TempFolder(const std::string& name)
        : path_(std::filesystem::temp_directory_path() / ("fw_comm_" + name)) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path Write(const std::string& name, const std::string& bytes) const {
        const auto file = path_ / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

  private:
    std::filesystem::path path_;
};

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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
