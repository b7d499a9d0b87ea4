#include "comm/links/comport.h"

#include <string>
#include <system_error>

namespace fw {

std::filesystem::path ComPortDevice(int comPort, const std::filesystem::path& programDirectory) {
#ifdef _WIN32
    (void)programDirectory;
    return std::filesystem::path("COM" + std::to_string(comPort));
#else
    std::error_code ec;
    const std::filesystem::path link =
        programDirectory / "dosdevices" / ("com" + std::to_string(comPort));
    if (std::filesystem::is_symlink(link, ec) || std::filesystem::exists(link, ec)) {
        // The real device's name, so that the port's lock and its messages name what is opened.
        const std::filesystem::path target = std::filesystem::canonical(link, ec);
        return ec ? link : target;
    }
    return std::filesystem::path("/dev/ttyS" + std::to_string(comPort - 1));
#endif
}

}  // namespace fw
