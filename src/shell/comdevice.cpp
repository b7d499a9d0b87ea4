#include "shell/comdevice.h"

#include "comm/links/comport.h"
#include "shell/filedialogs.h"

namespace fw {

QString ComPortDeviceText(int comPort, const std::filesystem::path& programDirectory) {
    return QStringLiteral("→ ") + FromPath(ComPortDevice(comPort, programDirectory));
}

}  // namespace fw
