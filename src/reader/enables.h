// Which bit switches each symbology on, per engine family, with the box that shows it, the
// text it is shown with and the parameter dialog behind its "more..." button. The Barcode
// page, the command-line tool and the tests read these two tables; nothing else knows the bits.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "model/definition.h"
#include "reader/engine.h"

namespace fw::reader {

struct SymbologyEnable {
    int box;                  // control id 101..127; its "more..." button is box + 100
    int textId;               // the box's caption
    std::string_view word;    // plain English for reports
    int byte;                 // in the family's block
    int bit;                  // 7 is the most significant
    std::string_view dialog;  // parameter dialog template; empty: none
    bool longRange = true;    // false: the long-range engine cannot read it
};

// The laser/LED engine's boxes 101..126 in `ReaderOptions`. Boxes 124 (Code 128) and 125
// (EAN128) share one bit and are told apart by the family byte; see Code128Family below.
std::span<const SymbologyEnable> OneDSymbologies();
// The 2D family's boxes 101..127 in `SymbologyOptions`.
std::span<const SymbologyEnable> TwoDSymbologies();
// The table of the family that a reader type byte selects.
std::span<const SymbologyEnable> SymbologiesFor(Byte readerType);
// The entry of a box in a table; nullptr when the table has no such box.
const SymbologyEnable* FindBox(std::span<const SymbologyEnable> table, int box);

inline constexpr int kCode128Box = 124;
inline constexpr int kEan128Box = 125;
inline constexpr int kNegativeBox = 126;
inline constexpr int kEan13Box2D = 105;
inline constexpr int kBooklandBox2D = 106;

// The Code 128 and EAN128 boxes of the 1D engine. Byte 1 bit 7 says that either is on; byte
// 22 bits 7..6 say which (2 × Code 128 + EAN128), with 0 standing for both while bit 7 is set.
struct Code128Family {
    bool code128 = false;
    bool ean128 = false;
};
Code128Family ReadCode128Family(std::span<const Byte> readerOptions);
void WriteCode128Family(std::span<Byte> readerOptions, Code128Family family);

// Whether the box's symbology is on in the block's bytes (the 1D Code 128 pair by its rule).
bool SymbologyOn(std::span<const Byte> block, const SymbologyEnable& entry, bool oneD);
// Switches it on or off, leaving every other bit as it was.
void SetSymbology(std::span<Byte> block, const SymbologyEnable& entry, bool oneD, bool on);

// The settings of the reading-options group, by family.
inline constexpr int kScanModeByte = 20;       // bits 7..4, 0..8
inline constexpr int kRedundancyByte = 11;     // bits 3..2, 0..3
inline constexpr int kOneDTimeoutByte = 21;    // 1..255 s
inline constexpr int kReaderControlByte = 30;  // illumination 7..5, aiming 4, time-out 3..0
inline constexpr int kAimingTimeByte = 31;     // 0..255 s, long range
inline constexpr int kScanModeCount = 9;
inline constexpr int kRedundancyCount = 4;
inline constexpr int kIlluminationCount = 4;
inline constexpr int kAimingPatternCount = 2;
inline constexpr int kScanModeFirstId = 1461;
inline constexpr int kRedundancyFirstId = 1481;
inline constexpr int kIlluminationFirstId = 1471;
inline constexpr int kAimingPatternFirstId = 1515;

using ScanModeBits = layout::Bits<4, 4>;
using RedundancyBits = layout::Bits<2, 2>;
using IlluminationBits = layout::Bits<5, 3>;
using AimingPatternBits = layout::Bits<4, 1>;
using TwoDTimeoutBits = layout::Bits<0, 4>;

}  // namespace fw::reader

namespace fw::reader {

// Plain English for reports, in list order.
inline constexpr std::string_view kEngineWords[] = {"1D laser/LED", "2D imager", "1D long range"};
inline constexpr std::string_view kScanModeWords[] = {"auto off",  "continuous", "auto power off",
                                                      "alternate", "momentary",  "repeat",
                                                      "laser",     "test",       "aiming"};
inline constexpr std::string_view kRedundancyWords[] = {"none", "one time", "two times",
                                                        "three times"};
inline constexpr std::string_view kIlluminationWords[] = {"off", "internal", "external", "both"};

}  // namespace fw::reader
