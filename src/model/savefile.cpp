#include "model/savefile.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>

#include <csignal>
#endif

namespace fw {
namespace {

namespace fs = std::filesystem;

constexpr std::u8string_view kTempSuffix = u8".saving~";
constexpr int kMaxLinkDepth = 40;  // a loop of links ends here instead of forever

bool SyncToDisk(std::FILE* f) {
#if defined(_WIN32)
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

unsigned long CurrentProcessId() {
#if defined(_WIN32)
    return static_cast<unsigned long>(_getpid());
#else
    return static_cast<unsigned long>(getpid());
#endif
}

bool IsDigit(char8_t c) {
    return c >= u8'0' && c <= u8'9';
}
bool IsHexDigit(char8_t c) {
    return IsDigit(c) || (c >= u8'a' && c <= u8'f');
}

// The process id in "<pid>-<hex>" of one of our temporary names; 0 when it is not one.
unsigned long TemporaryOwner(std::u8string_view middle) {
    const std::size_t dash = middle.find(u8'-');
    if (dash == 0 || dash == std::u8string_view::npos || dash > 10 || dash + 1 == middle.size())
        return 0;
    unsigned long pid = 0;
    for (char8_t c : middle.substr(0, dash)) {
        if (!IsDigit(c)) return 0;
        pid = pid * 10 + static_cast<unsigned long>(c - u8'0');
    }
    for (char8_t c : middle.substr(dash + 1))
        if (!IsHexDigit(c)) return 0;
    return pid;
}

}  // namespace

std::FILE* OpenFile(const fs::path& path, const char* mode) {
#if defined(_WIN32)
    const std::wstring wmode(mode, mode + std::strlen(mode));
    return _wfopen(path.c_str(), wmode.c_str());
#else
    return std::fopen(path.c_str(), mode);
#endif
}

fs::path FollowLinks(const fs::path& path) {
    fs::path p = path;
    std::error_code ec;
    for (int depth = 0; depth < kMaxLinkDepth && fs::is_symlink(p, ec); ++depth) {
        const fs::path to = fs::read_symlink(p, ec);
        if (ec) break;
        // Not normalised: ".." after a folder that is itself a link means what the system says.
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return p;
}

bool ProcessRuns(unsigned long pid) {
    if (pid == 0) return false;
#if defined(_WIN32)
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
#else
    if (pid > static_cast<unsigned long>(INT32_MAX)) return false;
    // Someone else's process answers "not permitted", which still means it runs.
    return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#endif
}

int RemoveStaleTemporaries(const fs::path& target) {
    // Compared as UTF-8, so that any name survives on any system.
    const std::u8string name = target.filename().u8string();
    if (name.empty()) return 0;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::u8string entry = it->path().filename().u8string();
        if (entry.size() < name.size() + kTempSuffix.size() ||
            entry.compare(0, name.size(), name) != 0 || !entry.ends_with(kTempSuffix))
            continue;
        std::u8string_view middle(entry);
        middle = middle.substr(name.size(), middle.size() - name.size() - kTempSuffix.size());
        bool stale = middle.empty();  // the fixed name of older versions
        if (!stale && middle.front() == u8'.') {
            const unsigned long owner = TemporaryOwner(middle.substr(1));
            stale = owner != 0 && owner != CurrentProcessId() && !ProcessRuns(owner);
        }
        std::error_code removeError;
        if (stale && fs::is_regular_file(it->symlink_status(removeError)) &&
            fs::remove(it->path(), removeError))
            ++removed;
    }
    return removed;
}

FileReplacement::FileReplacement(fs::path target, SyncMode sync) : sync_(sync) {
    if (target.empty()) return;
    target_ = FollowLinks(target);
    std::error_code ec;
    const fs::file_status status = fs::status(target_, ec);
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status)) return;
        std::FILE* probe = OpenFile(target_, "r+b");
        if (probe == nullptr) return;
        std::fclose(probe);
    }
    RemoveStaleTemporaries(target_);

    std::random_device random;
    for (int attempt = 0; attempt < 16 && file_ == nullptr; ++attempt) {
        char tag[9];
        std::snprintf(tag, sizeof tag, "%08x", static_cast<unsigned>(random()));
        temp_ = target_;
        temp_ += "." + std::to_string(CurrentProcessId()) + "-" + tag;
        temp_ += kTempSuffix;
        // "x": a name that exists already is never taken over.
        file_ = OpenFile(temp_, "wbx");
        if (file_ == nullptr && errno != EEXIST) break;
    }
    if (file_ == nullptr) temp_.clear();
}

FileReplacement::~FileReplacement() {
    Discard();
}

void FileReplacement::Discard() {
    if (file_ == nullptr) return;
    std::fclose(file_);
    file_ = nullptr;
    std::error_code ec;
    fs::remove(temp_, ec);
}

bool FileReplacement::Write(std::string_view bytes) {
    if (file_ == nullptr) return false;
    // Handed to the system at once: what was received so far survives a crash of this process.
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size() ||
        std::fflush(file_) != 0)
        failed_ = true;
    return !failed_;
}

bool FileReplacement::Commit() {
    if (file_ == nullptr) return false;
    bool ok = !failed_ && std::fflush(file_) == 0;
    if (sync_ == SyncMode::ToDisk) ok = ok && SyncToDisk(file_);
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    std::error_code ec;
    // The new file takes the old one's permissions; a new target keeps the default ones.
    const fs::file_status old = fs::status(target_, ec);
    if (ok && fs::is_regular_file(old))
        fs::permissions(temp_, old.permissions(), fs::perm_options::replace, ec);
    ec.clear();
    if (ok) fs::rename(temp_, target_, ec);
    if (!ok || ec) {
        fs::remove(temp_, ec);
        return false;
    }
    return true;
}

bool FileReplacement::Commit(std::string_view bytes) {
    Write(bytes);
    return Commit();
}

bool ReplaceFileBytes(const fs::path& path, std::string_view bytes, SyncMode sync) {
    FileReplacement out(path, sync);
    return out.Opened() && out.Commit(bytes);
}

}  // namespace fw
