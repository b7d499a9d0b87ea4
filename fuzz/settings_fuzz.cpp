// Any bytes as a settings file: parsing never fails, and what it gives is written back
// within the file's limit.
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
    return 0;
}
