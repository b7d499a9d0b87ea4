// The field table and the record views against offsets worked out by hand from the layout
// tables, the table's coverage of every block, and the bit-field helpers.
#include "model/layout.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/definition.h"

namespace fw {
namespace {

// Where a view's accessor lands, as a byte offset within its block.
struct Place {
    const char* what;
    std::size_t (*offset)(Definition& d);  // offset of the accessor's first byte in the block
    std::size_t expected;
    std::size_t width;  // of what the accessor returns
};

template <class T>
std::size_t From(const T& block, const Byte* p) {
    return static_cast<std::size_t>(p - block.data());
}

TEST(Layout, ViewsReachTheBytesTheLayoutTablesGive) {
    auto d = std::make_unique<Definition>();
    // Form n at 1215 n; per-line fields at offset + line, cells at offset + width x line.
    const Place places[] = {
        {"form 3 MaxLength line 5",
         [](Definition& d) { return From(d.formTable, &Form(d, 2).MaxLength(4)); }, 2 * 1215 + 225,
         1},
        {"form 1 LinePrompt line 4",
         [](Definition& d) { return From(d.formTable, Form(d, 0).LinePrompt(3).data()); }, 100, 21},
        {"form 1 InitialValue line 8",
         [](Definition& d) { return From(d.formTable, Form(d, 0).InitialValue(7).data()); }, 331,
         10},
        {"form 1 LeadingCode line 2",
         [](Definition& d) { return From(d.formTable, Form(d, 0).LeadingCode(1).data()); }, 555, 6},
        {"form 1 SuffixCodeNibbles line 3",
         [](Definition& d) { return From(d.formTable, Form(d, 0).SuffixCodeNibbles(2).data()); },
         1085, 5},
        {"form 10 TotalCompare FN+4",
         [](Definition& d) { return From(d.formTable, &Form(d, 9).TotalCompare(3)); },
         9 * 1215 + 1197, 1},
        {"form 1 ErrorTarget",
         [](Definition& d) { return From(d.formTable, &Form(d, 0).ErrorTarget()); }, 1199, 1},
        {"menu 2 ItemTarget item 10",
         [](Definition& d) { return From(d.menuTable, &Menu(d, 1).ItemTarget(9)); }, 350 + 243, 1},
        {"menu 1 ItemText item 3",
         [](Definition& d) { return From(d.menuTable, Menu(d, 0).ItemText(2).data()); }, 65, 21},
        {"database 3 DateTimeField",
         [](Definition& d) { return From(d.lookupTable, &Lookup(d, 3).DateTimeField()); },
         2 * 122 + 44, 1},
        {"database 2 QuantityControl field 8",
         [](Definition& d) { return From(d.lookupTable, &Lookup(d, 2).QuantityControl(7)); },
         122 + 39, 1},
        {"DownloadPhone",
         [](Definition& d) { return From(d.terminalSettings, Terminal(d).DownloadPhone().data()); },
         116, 21},
        {"UtilityLines line 5",
         [](Definition& d) { return From(d.terminalSettings, Terminal(d).UtilityLine(4).data()); },
         234, 21},
        {"FnKeyFunction FN+7",
         [](Definition& d) { return From(d.terminalSettings, &Terminal(d).FnKeyFunction(6)); }, 64,
         1},
        {"WeightTargetLine form 10 line 7",
         [](Definition& d) { return From(d.barcodeRules, &Rules(d).WeightTargetLine(9, 6)); }, 820,
         1},
        {"WeightMasks slot 20",
         [](Definition& d) { return From(d.barcodeRules, Rules(d).WeightMask(19).data()); }, 628,
         33},
        {"variable 10 name",
         [](Definition& d) { return From(d.variableNames, Variables(d).Name(10).data()); }, 189,
         21},
        {"VariableNibbles",
         [](Definition& d) { return From(d.variableNames, Variables(d).VariableNibbles().data()); },
         210, 15},
        {"WepKeys key 4",
         [](Definition& d) { return From(d.networkSettings, Network(d).WepKey(3).data()); }, 103,
         14},
        {"WpaKey",
         [](Definition& d) { return From(d.networkSettings, Network(d).WpaKey().data()); }, 183,
         64},
        {"form 10 LinkValue line 8",
         [](Definition& d) { return From(d.fieldLinks, &FieldLink(d, 9).LinkValue(7)); },
         9 * 16 + 15, 1},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(p.offset(*d), p.expected);
    }
    // Widths of what the accessors return.
    EXPECT_EQ(Form(*d, 0).PrefixCode(0).size(), 10u);
    EXPECT_EQ(Form(*d, 0).LineText50(0).size(), 50u);
    EXPECT_EQ(Form(*d, 0).Reserved1200().size(), 15u);
    EXPECT_EQ(Terminal(*d).Password().size(), 11u);
    EXPECT_EQ(Network(*d).Ssid().size(), 33u);
}

TEST(Layout, BlocksFollowEachOtherAtTheirProjectFileOffsets) {
    // Block name and its offset in an extended project file.
    const std::pair<const char*, std::size_t> fileOffsets[] = {
        {"FormatTag", 0},          {"ReservedWord", 10},
        {"ReaderOptions", 12},     {"MenuTable", 35},
        {"FormTable", 3535},       {"LookupTable", 15685},
        {"ScreenTexts", 16051},    {"SymbologyOptions", 18844},
        {"ReaderExtra", 18889},    {"TerminalSettings", 18899},
        {"ReaderOptions2", 19167}, {"BarcodeRules", 19267},
        {"VariableNames", 20089},  {"NetworkSettings", 20437},
        {"FieldLinks", 20684},
    };
    ASSERT_EQ(layout::kBlocks.size(), std::size(fileOffsets));
    std::size_t offset = 0;
    for (std::size_t i = 0; i < layout::kBlocks.size(); ++i) {
        const layout::Record& r = layout::kBlocks[i];
        EXPECT_EQ(layout::BlockName(r.block), fileOffsets[i].first);
        EXPECT_EQ(offset, fileOffsets[i].second) << fileOffsets[i].first;
        EXPECT_EQ(BlockBytes(Definition{}, r.block).size(), r.Size()) << fileOffsets[i].first;
        offset += r.Size();
    }
    EXPECT_EQ(offset, 20844u);
    // The screen-text groups start where the group table puts them in the file.
    EXPECT_EQ(16051 + layout::Find(layout::kScreenTexts, "ModemUploadText").offset, 17941u);
    EXPECT_EQ(16051 + layout::Find(layout::kScreenTexts, "EditKeysText").offset, 18781u);
}

// Every bit of every record belongs to exactly one field, and field names are unique.
TEST(Layout, FieldsCoverEveryRecordWithoutGapsOrOverlaps) {
    for (const layout::Record& r : layout::kBlocks) {
        SCOPED_TRACE(std::string(r.name));
        std::vector<int> owners(r.size * 8, 0);
        std::set<std::string_view> names;
        for (const layout::Field& f : r.fields) {
            EXPECT_TRUE(names.insert(f.name).second) << "twice: " << f.name;
            ASSERT_LE(f.offset + f.width * f.count, r.size) << f.name;
            const unsigned first = f.bits.count == 0 ? 0 : f.bits.first;
            const unsigned bits = f.bits.count == 0 ? f.width * 8 : f.bits.count;
            ASSERT_LE(first + bits, f.width * 8) << f.name;
            for (int e = 0; e < f.count; ++e)
                for (unsigned b = first; b < first + bits; ++b)
                    ++owners[(f.offset + f.width * e) * 8 + b];
        }
        for (std::size_t bit = 0; bit < owners.size(); ++bit)
            ASSERT_EQ(owners[bit], 1) << "byte " << bit / 8 << " bit " << bit % 8;
    }
}

TEST(Layout, BitRangesReadAndWriteOnlyTheirOwnBits) {
    // Every range of a byte, every value, over backgrounds of all ones and all zeros.
    for (unsigned first = 0; first < 8; ++first)
        for (unsigned count = 1; first + count <= 8; ++count)
            for (unsigned background : {0x00u, 0xFFu})
                for (unsigned value = 0; value < (1u << count); ++value) {
                    const layout::BitRange r{static_cast<std::uint8_t>(first),
                                             static_cast<std::uint8_t>(count)};
                    const unsigned packed = layout::SetBits(background, r, value);
                    const unsigned mask = ((1u << count) - 1) << first;
                    ASSERT_EQ(layout::GetBits(packed, r), value);
                    ASSERT_EQ(packed & ~mask, background & ~mask) << first << "+" << count;
                }

    // A compile-time range, in a byte and across the two bytes of a little-endian word.
    using Engine = layout::Bits<2, 2>;
    EXPECT_EQ(Engine::Set(0xFF, 0), 0xF3);
    EXPECT_EQ(Engine::Set(0x00, 7), 0x0C);  // a value wider than the range is cut to it
    EXPECT_EQ(Engine::Get(0x08), 2);
    using Across = layout::Bits<6, 4, std::uint16_t>;
    Byte word[2] = {0xFF, 0xFF};
    std::uint16_t w = layout::Word(std::span<const Byte, 2>(word));
    Across::Write(w, 0b0110);
    layout::SetWord(std::span<Byte, 2>(word), w);
    EXPECT_EQ(word[0], 0b10111111);  // bits 6, 7: the low two of the value
    EXPECT_EQ(word[1], 0b11111101);  // bits 8, 9: its high two
    EXPECT_EQ(Across::Get(layout::Word(std::span<const Byte, 2>(word))), 0b0110);
}

TEST(Layout, NibbleArraysPutTheFirstValueLowAndKeepTheirNeighbours) {
    Byte bytes[5] = {0x12, 0x34, 0x56, 0x78, 0x9A};
    EXPECT_EQ(layout::GetNibble(bytes, 0), 0x2);
    EXPECT_EQ(layout::GetNibble(bytes, 1), 0x1);
    EXPECT_EQ(layout::GetNibble(bytes, 3), 0x3);
    EXPECT_EQ(layout::GetNibble(bytes, 9), 0x9);

    layout::SetNibble(bytes, 2, 0xA);
    layout::SetNibble(bytes, 7, 0x1F);  // only the low four bits are kept
    EXPECT_EQ(bytes[1], 0x3A);
    EXPECT_EQ(bytes[3], 0xF8);
    layout::SetNibble(bytes, 5, 0x0);
    EXPECT_EQ(bytes[2], 0x06);
    EXPECT_EQ(bytes[0], 0x12);
    EXPECT_EQ(bytes[4], 0x9A);
}

}  // namespace
}  // namespace fw
