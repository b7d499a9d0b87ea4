// Which device a COM port number means on this machine.
#pragma once

#include <filesystem>

namespace fw {

// On Windows "COMn" itself. Elsewhere the link dosdevices/comN in the program's folder when it
// exists (the convention Wine uses), followed to the device it names, else /dev/ttyS<n-1>.
std::filesystem::path ComPortDevice(int comPort, const std::filesystem::path& programDirectory);

}  // namespace fw
