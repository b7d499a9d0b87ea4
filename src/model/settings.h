// The program settings and their file "Formwright.ini" in the program's folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

inline constexpr char kSettingsFileName[] = "Formwright.ini";
inline constexpr std::size_t kSettingsFileMax = 1299;
inline constexpr std::size_t kMaxRecentFiles = 4;
inline constexpr std::size_t kPathMax = 256;  // UTF-16 units of a stored path

// Paths in the settings file follow the system's own code page: UTF-8 everywhere but on
// Windows, which keeps Windows-1251. Where paths are UTF-8, each path is read as UTF-8 when
// it is valid UTF-8 and as Windows-1251 otherwise, so files written with Windows-1251 paths
// still read.
#if defined(_WIN32)
inline constexpr bool kSettingsPathsInUtf8 = false;
#else
inline constexpr bool kSettingsPathsInUtf8 = true;
#endif

enum LinkType : std::uint8_t { kLinkSerial = 0, kLinkSerialSpp = 1, kLinkWifi = 2 };

struct Settings {
    std::u16string lastProjectPath = u"Unknow";
    std::uint8_t downloadLinkType = kLinkSerial;
    std::uint8_t uploadLinkType = kLinkSerial;
    std::int32_t comPort = 1;
    std::uint8_t baudRateIndex = 0;
    std::int32_t extraTimeout = 0;
    std::int32_t networkPort = 65535;
    std::uint8_t autoPreloadLast = 0;
    std::uint8_t alwaysOnTop = 0;
    std::u16string languageName;              // empty or "0": the built-in language
    std::vector<std::u16string> recentFiles;  // most recent first, at most 4
};

// Reads the settings file; a missing or empty file gives the defaults (the language name
// stays). Returns whether a file with content was read.
bool ReadSettings(Settings& settings, const std::filesystem::path& programDirectory);
// The field rules of ReadSettings on the file's bytes (at most 1299 are used).
void ParseSettings(Settings& settings, std::string_view bytes);
// The file's bytes as WriteSettings writes them.
std::string FormatSettings(const Settings& settings);
// Replaces the file; when it cannot be created nothing happens. Returns whether it was written.
bool WriteSettings(const Settings& settings, const std::filesystem::path& programDirectory);

// Baud rates by baudRateIndex.
inline constexpr std::int32_t kBaudRates[] = {115200, 57600, 38400, 19200, 9600};

}  // namespace fw
