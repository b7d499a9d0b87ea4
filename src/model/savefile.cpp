#include "model/savefile.h"

#include <cstring>
#include <string>
#include <system_error>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fw {
namespace {

namespace fs = std::filesystem;

bool SyncToDisk(std::FILE* f) {
#if defined(_WIN32)
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
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

FileReplacement::FileReplacement(fs::path target, SyncMode sync)
    : target_(std::move(target)), sync_(sync) {
    temp_ = target_;
    temp_ += ".saving~";
    std::error_code ec;
    if (target_.empty() || fs::is_directory(target_, ec)) return;
    if (fs::exists(target_, ec)) {
        std::FILE* probe = OpenFile(target_, "r+b");
        if (probe == nullptr) return;
        std::fclose(probe);
    }
    file_ = OpenFile(temp_, "wb");
}

FileReplacement::~FileReplacement() {
    if (file_ != nullptr) {
        std::fclose(file_);
        std::error_code ec;
        fs::remove(temp_, ec);
    }
}

bool FileReplacement::Commit(std::string_view bytes) {
    if (file_ == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    ok = std::fflush(file_) == 0 && ok;
    if (sync_ == SyncMode::ToDisk) ok = SyncToDisk(file_) && ok;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    std::error_code ec;
    if (ok) fs::rename(temp_, target_, ec);
    if (!ok || ec) {
        fs::remove(temp_, ec);
        return false;
    }
    return true;
}

bool ReplaceFileBytes(const fs::path& path, std::string_view bytes, SyncMode sync) {
    FileReplacement out(path, sync);
    return out.Opened() && out.Commit(bytes);
}

}  // namespace fw
