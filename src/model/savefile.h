// Files that are rewritten whole (projects, the settings file, received data) are written to a
// temporary file beside them and renamed over the old one, so that a crash leaves the old file
// or the new one, never half of one. The new file keeps what the user set on the old one: its
// permissions, and a symbolic link stays a link to the file that is replaced.
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

// The file a path names once symbolic links are followed (also a link whose file does not exist
// yet); the path itself when it is no link.
std::filesystem::path FollowLinks(const std::filesystem::path& path);

// Temporary files are named "<file name>.<process id>-<random>.saving~" beside the file they
// replace. Removes those of target whose process no longer runs (left by a crash), and the
// fixed name "<file name>.saving~" of older versions. Returns how many were removed.
int RemoveStaleTemporaries(const std::filesystem::path& target);

// Whether a process with this id runs now.
bool ProcessRuns(unsigned long pid);

class FileReplacement {
  public:
    // Opens a temporary file with a name of its own beside the file that target names (links
    // followed). A target that is a folder or that may not be written is refused, so that a
    // read-only file is never replaced behind the user's back.
    FileReplacement(std::filesystem::path target, SyncMode sync);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    // Without a commit the temporary file is removed and the target stays as it was.
    ~FileReplacement();

    bool Opened() const { return file_ != nullptr; }

    // Appends bytes to the temporary file and hands them to the system. A failed write is
    // remembered: Commit then fails.
    bool Write(std::string_view bytes);
    // Renames the temporary file over the target. False, with the target untouched and the
    // temporary file removed, on any failure.
    bool Commit();
    // Write and Commit in one.
    bool Commit(std::string_view bytes);
    // Removes the temporary file; the target stays as it was.
    void Discard();

    // The file that is replaced (links followed) and the temporary file.
    const std::filesystem::path& Target() const { return target_; }
    const std::filesystem::path& TemporaryPath() const { return temp_; }

  private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    SyncMode sync_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// Replaces path with bytes through a FileReplacement.
bool ReplaceFileBytes(const std::filesystem::path& path, std::string_view bytes,
                      SyncMode sync = SyncMode::ToDisk);

}  // namespace fw
