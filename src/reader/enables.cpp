#include "reader/enables.h"

#include <array>

namespace fw::reader {
namespace {

constexpr int OneDText(int box) {
    return 207 + box;  // boxes 101..126 take texts 308..333
}
constexpr int TwoDText(int box) {
    return 1750 + box;  // boxes 101..127 take texts 1851..1877
}

// Code 128 and EAN128 have no bit of their own: their entries name the shared bit.
constexpr SymbologyEnable kOneD[] = {
    {101, OneDText(101), "Code 39", 0, 7, "Code39Dlg"},
    {102, OneDText(102), "Italian Pharmacode", 0, 6, "ItalyPharmaDlg"},
    {103, OneDText(103), "French Pharmacode", 0, 5, "FrenchPharmaDlg"},
    {104, OneDText(104), "Industrial 25", 0, 4, "Industrial25Dlg"},
    {105, OneDText(105), "Interleave 25", 0, 3, "Interleave25Dlg"},
    {106, OneDText(106), "Matrix 25", 0, 2, "Matrix25Dlg"},
    {107, OneDText(107), "Codabar", 0, 1, "CodabarDlg"},
    {108, OneDText(108), "MSI", 2, 5, "MSIDlg"},
    {109, OneDText(109), "Plessey", 2, 4, "PlesseyDlg"},
    {110, OneDText(110), "UPCE", 1, 6, "UPCEDlg"},
    {111, OneDText(111), "UPCE Addon 2", 1, 5, {}},
    {112, OneDText(112), "UPCE Addon 5", 1, 4, {}},
    {113, OneDText(113), "EAN8", 1, 3, "EAN8Dlg"},
    {114, OneDText(114), "EAN8 Addon 2", 1, 2, {}},
    {115, OneDText(115), "EAN8 Addon 5", 1, 1, {}},
    {116, OneDText(116), "EAN13 and UPCA", 1, 0, "EAN13Dlg"},
    {117, OneDText(117), "EAN13 Addon 2", 2, 7, {}},
    {118, OneDText(118), "EAN13 Addon 5", 2, 6, {}},
    {119, OneDText(119), "Telepen", 2, 2, "TelepenDlg"},
    {120, OneDText(120), "RSS14", 3, 6, "RSS14Dlg"},
    {121, OneDText(121), "RSS14 Limited", 2, 0, "RSS14LimitedDlg"},
    {122, OneDText(122), "RSS14 Expanded", 3, 7, "RSS14ExpandedDlg"},
    {123, OneDText(123), "Code 93", 0, 0, {}},
    {kCode128Box, OneDText(kCode128Box), "Code 128", 1, 7, {}},
    {kEan128Box, OneDText(kEan128Box), "EAN128", 1, 7, "EAN128Dlg"},
    {kNegativeBox, OneDText(kNegativeBox), "Negative Barcode", 11, 4, {}},
};

constexpr SymbologyEnable kTwoD[] = {
    {101, TwoDText(101), "UPC-A", 0, 7, "UPCA_2D_DLG"},
    {102, TwoDText(102), "UPC-E0", 0, 6, "UPCE_2D_DLG"},
    {103, TwoDText(103), "UPC-E1", 0, 5, "UPCE1_2D_DLG"},
    {104, TwoDText(104), "EAN8", 0, 4, "EAN8_2D_DLG"},
    {kEan13Box2D, TwoDText(kEan13Box2D), "EAN13", 0, 3, {}},
    {kBooklandBox2D, TwoDText(kBooklandBox2D), "Bookland EAN", 0, 2, {}},
    {107, TwoDText(107), "Code 128", 4, 7, {}},
    {108, TwoDText(108), "EAN 128", 4, 6, {}},
    {109, TwoDText(109), "ISBT 128", 4, 5, {}},
    {110, TwoDText(110), "Code 39", 5, 7, "CODE39_2D_DLG"},
    {111, TwoDText(111), "Trioptic 39", 5, 6, {}},
    {112, TwoDText(112), "Code 93", 8, 7, "CODE93_2D_DLG"},
    {113, TwoDText(113), "Code 11", 11, 7, "CODE11_2D_DLG", false},
    {114, TwoDText(114), "Discrete 25", 17, 7, "INDUSTRIAL25_2D_DLG"},
    {115, TwoDText(115), "Interleaved 25", 14, 7, "INTERLEAVE25_2D_DLG"},
    {116, TwoDText(116), "Codabar", 20, 7, "CODABAR_2D_DLG"},
    {117, TwoDText(117), "MSI", 23, 7, "MSI_2D_DLG"},
    {118, TwoDText(118), "Postal Codes", 27, 7, "POSTAL_2D_DLG", false},
    {119, TwoDText(119), "RSS-14", 28, 7, "RSS14_2D_DLG"},
    {120, TwoDText(120), "RSS Limited", 28, 6, {}},
    {121, TwoDText(121), "RSS Expanded", 28, 5, {}},
    {122, TwoDText(122), "PDF417", 29, 7, {}, false},
    {123, TwoDText(123), "MicroPDF417", 29, 6, {}, false},
    {124, TwoDText(124), "Code 128 Emulation", 29, 5, {}, false},
    {125, TwoDText(125), "Data Matrix", 29, 4, {}, false},
    {126, TwoDText(126), "Maxicode", 29, 3, {}, false},
    {127, TwoDText(127), "QR Code", 29, 2, {}, false},
};

constexpr int kEitherCode128Byte = 1;
constexpr Byte kEitherCode128Bit = 0x80;
constexpr int kCode128FamilyByte = 22;
using FamilyBits = layout::Bits<6, 2>;

constexpr Byte Mask(int bit) {
    return static_cast<Byte>(1u << bit);
}

bool ByteIn(std::span<const Byte> block, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < block.size();
}

}  // namespace

std::span<const SymbologyEnable> OneDSymbologies() {
    return kOneD;
}
std::span<const SymbologyEnable> TwoDSymbologies() {
    return kTwoD;
}
std::span<const SymbologyEnable> SymbologiesFor(Byte readerType) {
    return Is2DFamily(readerType) ? TwoDSymbologies() : OneDSymbologies();
}

const SymbologyEnable* FindBox(std::span<const SymbologyEnable> table, int box) {
    for (const SymbologyEnable& e : table)
        if (e.box == box) return &e;
    return nullptr;
}

Code128Family ReadCode128Family(std::span<const Byte> ro) {
    if ((ro[kEitherCode128Byte] & kEitherCode128Bit) == 0) return {};
    const unsigned family = FamilyBits::Get(ro[kCode128FamilyByte]);
    if (family == 0) return {true, true};
    return {(family & 2u) != 0, (family & 1u) != 0};
}

void WriteCode128Family(std::span<Byte> ro, Code128Family family) {
    Byte& either = ro[kEitherCode128Byte];
    either = static_cast<Byte>(family.code128 || family.ean128 ? either | kEitherCode128Bit
                                                               : either & ~kEitherCode128Bit);
    FamilyBits::Write(ro[kCode128FamilyByte],
                      static_cast<Byte>((family.code128 ? 2 : 0) + (family.ean128 ? 1 : 0)));
}

bool SymbologyOn(std::span<const Byte> block, const SymbologyEnable& e, bool oneD) {
    if (oneD && e.box == kCode128Box) return ReadCode128Family(block).code128;
    if (oneD && e.box == kEan128Box) return ReadCode128Family(block).ean128;
    return ByteIn(block, e.byte) && (block[static_cast<std::size_t>(e.byte)] & Mask(e.bit)) != 0;
}

void SetSymbology(std::span<Byte> block, const SymbologyEnable& e, bool oneD, bool on) {
    if (oneD && (e.box == kCode128Box || e.box == kEan128Box)) {
        Code128Family family = ReadCode128Family(block);
        (e.box == kCode128Box ? family.code128 : family.ean128) = on;
        WriteCode128Family(block, family);
        return;
    }
    if (!ByteIn(block, e.byte)) return;
    Byte& b = block[static_cast<std::size_t>(e.byte)];
    b = static_cast<Byte>(on ? b | Mask(e.bit) : b & ~Mask(e.bit));
}

}  // namespace fw::reader
