// The only file of the core that asks the operating system directly.
#include "model/system.h"

#include <mutex>
#include <optional>
#include <string>
#include <system_error>

#include "model/unicode.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#if defined(__APPLE__)
#include <mach-o/dyld.h>
#endif
#endif

namespace fw {
namespace {

std::mutex directoryMutex;
std::optional<std::filesystem::path> directoryOverride;

std::filesystem::path ExecutablePath() {
    std::error_code ec;
#if defined(_WIN32)
    std::wstring buffer(32768, L'\0');
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n > 0 && n < buffer.size()) return std::filesystem::path(buffer.substr(0, n));
#elif defined(__APPLE__)
    std::uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    std::string buffer(size, '\0');
    if (_NSGetExecutablePath(buffer.data(), &size) == 0)
        return std::filesystem::weakly_canonical(buffer.c_str(), ec);
#else
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return exe;
#endif
    return {};
}

std::filesystem::path DetermineProgramDirectory() {
    std::filesystem::path exe = ExecutablePath();
    if (!exe.empty() && exe.has_parent_path()) return exe.parent_path();
    // Without a way to find the program file, the folder it was started from is the best
    // guess: that is where a user keeps it next to its settings.
    std::error_code ec;
    std::filesystem::path here = std::filesystem::current_path(ec);
    return ec ? std::filesystem::path(".") : here;
}

std::u16string Trimmed(std::u16string text) {
    auto blank = [](char16_t c) { return c == u' ' || c == u'\r' || c == u'\n' || c == u'\t'; };
    std::size_t begin = 0;
    while (begin < text.size() && blank(text[begin]))
        ++begin;
    std::size_t end = text.size();
    while (end > begin && blank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::u16string Decimal(long long value) {
    return Utf8ToUtf16(std::to_string(value));
}

#if !defined(_WIN32)
// strerror_r comes in two shapes; each overload takes the result of one of them.
[[maybe_unused]] const char* MessageFrom(int result, const char* buffer) {
    return result == 0 ? buffer : nullptr;
}
[[maybe_unused]] const char* MessageFrom(const char* result, const char*) {
    return result;
}

// The system's text for an error number, or nothing when it has none.
std::optional<std::string> SystemMessage(int code, int& lookupError) {
    char buffer[512] = {};
    errno = 0;
    const char* message = MessageFrom(strerror_r(code, buffer, sizeof buffer), buffer);
    lookupError = errno != 0 ? errno : EINVAL;
    if (message == nullptr || *message == '\0') return std::nullopt;
    // The GNU variant never fails: it names numbers it does not know this way.
    std::string text(message);
    if (text.rfind("Unknown error", 0) == 0) return std::nullopt;
    return text;
}
#endif

}  // namespace

std::filesystem::path ProgramDirectory() {
    std::lock_guard<std::mutex> lock(directoryMutex);
    if (!directoryOverride) directoryOverride = DetermineProgramDirectory();
    return *directoryOverride;
}

void SetProgramDirectory(const std::filesystem::path& directory) {
    std::lock_guard<std::mutex> lock(directoryMutex);
    directoryOverride = directory;
}

std::u16string SystemErrorText(int code) {
    std::u16string text = Decimal(code) + u":";
#if defined(_WIN32)
    wchar_t* message = nullptr;
    DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(code), 1033, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    if (n > 0 && message != nullptr) {
        text.append(reinterpret_cast<const char16_t*>(message), n);
        LocalFree(message);
    } else {
        text = Decimal(static_cast<long long>(GetLastError())) + u":" +
               u"FormatMessage failed to find message for error code " + Decimal(code);
    }
#else
    int lookupError = 0;
    std::optional<std::string> message = SystemMessage(code, lookupError);
    if (message) {
        text += Utf8ToUtf16(*message);
    } else {
        text = Decimal(lookupError) + u":" +
               u"FormatMessage failed to find message for error code " + Decimal(code);
    }
#endif
    return Trimmed(std::move(text));
}

}  // namespace fw
