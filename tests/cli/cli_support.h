// What the formwright-cli tests share: running the tool with a command line, the sample project,
// and where the blocks stand in an extended-format project file (worked out from the format, so
// that a test pokes the bytes the terminal reads, not what our own code says they are).
#pragma once

#include <cstddef>
#include <iterator>
#include <sstream>
#include <string>

#include "run_tool.h"

namespace fw::test {

namespace file {
inline constexpr std::size_t kBaseSize = 19267;
inline constexpr std::size_t kExtendedSize = 20844;
inline constexpr std::size_t kImageSize = 20900;
inline constexpr std::size_t kMenuTable = 35;  // menu 1; 350 bytes a menu
inline constexpr std::size_t kMenuSize = 350;
inline constexpr std::size_t kFormTable = 3535;  // form 1; 1215 bytes a form
inline constexpr std::size_t kFormSize = 1215;
inline constexpr std::size_t kLookupTable = 15685;  // database 1; 122 bytes a database
inline constexpr std::size_t kLookupSize = 122;
inline constexpr std::size_t kTerminalSettings = 18899;
inline constexpr std::size_t kReaderOptions2 = 19167;
inline constexpr std::size_t kBarcodeRules = 19267;
inline constexpr std::size_t kNetworkSettings = 20437;
inline constexpr std::size_t kFieldLinks = 20684;
}  // namespace file

inline const std::string kSample = std::string(FW_SOURCE_DIR) + "/samples/stock-count.FWW";

// Runs formwright-cli in the folder with the arguments of the command line (split at blanks).
inline ToolResult Cli(const ToolFolder& dir, const std::string& commandLine) {
    std::istringstream words(commandLine);
    return dir.Run(FW_CLI_PATH, {std::istream_iterator<std::string>(words), {}});
}

}  // namespace fw::test
