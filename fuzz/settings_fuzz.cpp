// Any bytes as a settings file: parsing never fails, and what it gives is written back
// within the file's limit and reads back with the same paths.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fw::Settings settings;
    fw::ParseSettings(settings, bytes);
    if (settings.recentFiles.size() > fw::kMaxRecentFiles) std::abort();
    std::string written = fw::FormatSettings(settings);
    if (written.size() > fw::kSettingsFileMax) std::abort();
    fw::Settings again;
    fw::ParseSettings(again, written);
    // Paths come back as they were read, whichever code page they were read in; recent files
    // that no longer fit are left out from the oldest on.
    if (again.lastProjectPath != settings.lastProjectPath) std::abort();
    if (again.recentFiles.size() > settings.recentFiles.size()) std::abort();
    for (std::size_t i = 0; i < again.recentFiles.size(); ++i)
        if (again.recentFiles[i] != settings.recentFiles[i]) std::abort();
    return 0;
}
