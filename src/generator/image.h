// The program image: the 20900 bytes the terminal's firmware interprets.
#pragma once

#include <array>
#include <cstdint>

#include "model/definition.h"

namespace fw {

inline constexpr std::size_t kProgramImageSize = 20900;
inline constexpr std::size_t kImagePacketData = 100;
inline constexpr std::size_t kImagePacketCount = kProgramImageSize / kImagePacketData;  // 209
using ProgramImage = std::array<std::uint8_t, kProgramImageSize>;

// Fills image from the committed blocks; the caller has run NormaliseDefinition just before.
// Nothing is allocated.
void GenerateProgramImage(const Definition& d, ProgramImage& image);

}  // namespace fw
