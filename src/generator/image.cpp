#include "generator/image.h"

#include <cstring>

namespace fw {
namespace {

// Image offsets of the blocks; every screen line takes exactly one 21-byte cell.
constexpr std::size_t kImgReaderOptions = 0;
constexpr std::size_t kImgMenuTable = kImgReaderOptions + kReaderOptionsSize;
constexpr std::size_t kImgFormTable = kImgMenuTable + kMenuTableSize;
constexpr std::size_t kImgLookupTable = kImgFormTable + kFormTableSize;
constexpr std::size_t kImgScreenTexts = kImgLookupTable + kLookupTableSize;
constexpr std::size_t kImgSymbologyOptions = kImgScreenTexts + kScreenTextsSize;
constexpr std::size_t kImgReaderExtra = kImgSymbologyOptions + kSymbologyOptionsSize;
constexpr std::size_t kImgTerminalSettings = kImgReaderExtra + kReaderExtraSize;
constexpr std::size_t kImgBarcodeRules = kImgTerminalSettings + kTerminalSettingsSize;
constexpr std::size_t kImgVariableNames = kImgBarcodeRules + kBarcodeRulesSize;
constexpr std::size_t kImgNetworkSettings = kImgVariableNames + kVariableNamesSize;
constexpr std::size_t kImgReaderOptions2 = kImgNetworkSettings + kNetworkSettingsSize;
constexpr std::size_t kImgFieldLinks = kImgReaderOptions2 + kReaderOptions2Size;
constexpr std::size_t kImgEnd = kImgFieldLinks + kFieldLinksSize;
static_assert(kImgScreenTexts == 16039);
static_assert(kImgTerminalSettings == 18887);
static_assert(kImgReaderOptions2 == 20572);
static_assert(kImgEnd == 20832);

template <std::size_t N>
void Put(ProgramImage& image, std::size_t offset, const Block<N>& block) {
    std::memcpy(image.data() + offset, block.data(), N);
}

// The terminal shows every line over the full 20 columns, so short texts are padded with
// blanks. A damaged cell without a terminator is cut to the screen width to keep every
// later block at its offset.
void PutScreenLine(Byte* out, const Byte* cell) {
    std::size_t n = 0;
    while (n < kTextCellChars && cell[n] != 0)
        ++n;
    std::memcpy(out, cell, n);
    std::memset(out + n, ' ', kTextCellChars - n);
    out[kTextCellChars] = 0;
}

// The firmware counts several settings from 1 where the editor stores list indexes from 0.
void TranslateTerminalSettings(const Definition& d, Byte* out) {
    auto plusOne = [out](std::size_t offset) { out[offset] = static_cast<Byte>(out[offset] + 1); };
    out[1] = out[1] == 0 ? 1 : 11;
    plusOne(5);
    plusOne(27);
    plusOne(28);
    plusOne(29);
    out[30] = static_cast<Byte>(out[30] + '0');
    plusOne(31);
    plusOne(32);
    plusOne(115);
    plusOne(137);
    plusOne(138);
    plusOne(139);
    // The calculator moves down one place in the utilities menu when "Load Lookup File"
    // is listed before it.
    Byte& calculator = out[150];
    if (calculator >= '0' && calculator <= '9') calculator = AnyLookupInUse(d) ? '9' : '8';
}

}  // namespace

void GenerateProgramImage(const Definition& d, ProgramImage& image) {
    image.fill(0);
    Put(image, kImgReaderOptions, d.readerOptions);
    Put(image, kImgMenuTable, d.menuTable);
    Put(image, kImgFormTable, d.formTable);
    Put(image, kImgLookupTable, d.lookupTable);
    for (std::size_t line = 0; line < kScreenLineCount; ++line)
        PutScreenLine(image.data() + kImgScreenTexts + kTextCellSize * line,
                      d.screenTexts.data() + kTextCellSize * line);
    Put(image, kImgSymbologyOptions, d.symbologyOptions);
    Put(image, kImgReaderExtra, d.readerExtra);
    Put(image, kImgTerminalSettings, d.terminalSettings);
    TranslateTerminalSettings(d, image.data() + kImgTerminalSettings);
    Put(image, kImgBarcodeRules, d.barcodeRules);
    Put(image, kImgVariableNames, d.variableNames);
    Put(image, kImgNetworkSettings, d.networkSettings);
    Put(image, kImgReaderOptions2, d.readerOptions2);
    Put(image, kImgFieldLinks, d.fieldLinks);
}

}  // namespace fw
