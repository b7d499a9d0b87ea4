// The scanner engine of the terminal and where its settings live. The reader type byte of the
// terminal settings holds the engine in bits 0, 2 and 3 and the RFID reader in bit 1; the
// laser/LED engine keeps its symbology settings in `ReaderOptions`, the 2D and the long-range
// engines (the 2D family) in `SymbologyOptions`.
#pragma once

#include <array>

#include "model/definition.h"

namespace fw::reader {

inline constexpr Byte kEngineMask = 0x0D;
inline constexpr Byte kRfidMask = 0x02;
// Engine bits that make the 2D family.
inline constexpr Byte kFamily2DMask = 0x05;

// The engines in the order the engine list shows them, with the value each stores.
enum class Engine : Byte { Laser1D = 0, Imager2D = 1, LongRange = 4 };
inline constexpr std::array<Engine, 3> kEngineList = {Engine::Laser1D, Engine::Imager2D,
                                                      Engine::LongRange};
inline constexpr std::array<int, 3> kEngineTextIds = {1802, 1803, 1805};

// Which rules a stored engine value follows. A value no list entry stores (a file may hold
// one) still belongs to a family by its bits: 1D without the family bits, long range with
// bit 2 alone, the 2D engine otherwise.
enum class EngineKind { Laser1D, Imager2D, LongRange };

enum class SettingsBlock { ReaderOptions, SymbologyOptions };

constexpr Byte EngineBits(Byte readerType) {
    return static_cast<Byte>(readerType & kEngineMask);
}
constexpr bool Is2DFamily(Byte readerType) {
    return (readerType & kFamily2DMask) != 0;
}
constexpr EngineKind KindOf(Byte readerType) {
    const Byte family = static_cast<Byte>(readerType & kFamily2DMask);
    if (family == 0) return EngineKind::Laser1D;
    if (family == static_cast<Byte>(Engine::LongRange)) return EngineKind::LongRange;
    return EngineKind::Imager2D;
}
constexpr SettingsBlock BlockOf(Byte readerType) {
    return Is2DFamily(readerType) ? SettingsBlock::SymbologyOptions : SettingsBlock::ReaderOptions;
}
constexpr bool HasRfid(Byte readerType) {
    return (readerType & kRfidMask) != 0;
}

// The engine list's index for a stored reader type byte; -1 when no entry stores its engine.
int EngineIndex(Byte readerType);
// The reader type byte with the engine of list index 0..2 in place of the old one; the RFID
// bit and bits 4..7 keep what they were.
Byte WithEngine(Byte readerType, int index);

// The bytes of the block that holds an engine's settings.
std::span<Byte> SettingsBytes(Definition& d, SettingsBlock block);
std::span<const Byte> SettingsBytes(const Definition& d, SettingsBlock block);

}  // namespace fw::reader
