// Files that are rewritten whole (projects, the settings file) are written to a temporary file
// beside them and renamed over the old one, so that a crash leaves the old file or the new
// one, never half of one.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace fw {

enum class SyncMode {
    None,    // the system writes the bytes out when it likes
    ToDisk,  // the bytes are on the disk before the new file takes the old one's name
};

// fopen on a path in the platform's own encoding.
std::FILE* OpenFile(const std::filesystem::path& path, const char* mode);

class FileReplacement {
  public:
    // Opens the temporary file. An existing target that may not be written is refused, so
    // that a read-only file is never replaced behind the user's back.
    FileReplacement(std::filesystem::path target, SyncMode sync);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement();

    bool Opened() const { return file_ != nullptr; }
    // Writes the bytes and renames the temporary file over the target. False, with the target
    // untouched and the temporary file removed, on any failure.
    bool Commit(std::string_view bytes);

  private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    SyncMode sync_;
    std::FILE* file_ = nullptr;
};

// Replaces path with bytes through a FileReplacement.
bool ReplaceFileBytes(const std::filesystem::path& path, std::string_view bytes,
                      SyncMode sync = SyncMode::ToDisk);

}  // namespace fw
