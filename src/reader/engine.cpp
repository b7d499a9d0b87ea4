#include "reader/engine.h"

namespace fw::reader {

int EngineIndex(Byte readerType) {
    const Byte engine = EngineBits(readerType);
    for (std::size_t i = 0; i < kEngineList.size(); ++i)
        if (static_cast<Byte>(kEngineList[i]) == engine) return static_cast<int>(i);
    return -1;
}

Byte WithEngine(Byte readerType, int index) {
    const Byte engine = static_cast<Byte>(kEngineList.at(static_cast<std::size_t>(index)));
    return static_cast<Byte>((readerType & ~kEngineMask) | engine);
}

std::span<Byte> SettingsBytes(Definition& d, SettingsBlock block) {
    if (block == SettingsBlock::ReaderOptions) return d.readerOptions;
    return d.symbologyOptions;
}

std::span<const Byte> SettingsBytes(const Definition& d, SettingsBlock block) {
    if (block == SettingsBlock::ReaderOptions) return d.readerOptions;
    return d.symbologyOptions;
}

}  // namespace fw::reader
