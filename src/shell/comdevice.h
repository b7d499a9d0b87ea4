// What the preferences show beside the COM port number: the device that number opens here.
#pragma once

#include <QString>
#include <filesystem>

namespace fw {

QString ComPortDeviceText(int comPort, const std::filesystem::path& programDirectory);

}  // namespace fw
