#include "reader/barcodepage.h"

#include <gtest/gtest.h>

#include "editor/commit.h"
#include "editor/editor_support.h"
#include "model/projectfile.h"

namespace fw::reader::test {
namespace {

using editor::test::EditorTest;

class BarcodePageTest : public EditorTest {
  protected:
    Byte& ReaderType() { return Terminal(s.working).ReaderType(); }
    BarcodePageView View() const { return ViewBarcodePage(s); }
    bool Checked(int box) const { return View().Box(box)->checked; }
    void Commit() {
        ApplyBarcodePage(s);
        editor::CommitSheet(s, *ws);
    }
};

TEST_F(BarcodePageTest, EachEngineShowsItsOwnBlocksValues) {
    // Defaults: 1D Code 39 on, French Pharmacode off; 2D UPC-A on, UPC-E1 off.
    ASSERT_TRUE(SetSymbologyBox(s, 101, false).Accepted());  // 1D Code 39 off
    ASSERT_TRUE(SetSymbologyBox(s, 103, true).Accepted());   // 1D French Pharmacode on
    EXPECT_EQ(s.working.readerOptions[0], 0x3B);

    ASSERT_TRUE(SelectEngine(s, 1).Accepted());
    EXPECT_EQ(ReaderType(), 1);
    EXPECT_TRUE(Checked(101)) << "UPC-A keeps its 2D default, not the 1D Code 39";
    EXPECT_FALSE(Checked(103)) << "UPC-E1 keeps its 2D default";
    ASSERT_TRUE(SetSymbologyBox(s, 103, true).Accepted());
    ASSERT_TRUE(SetSymbologyBox(s, 101, false).Accepted());
    EXPECT_EQ(s.working.symbologyOptions[0], 0x78);
    EXPECT_EQ(s.working.readerOptions[0], 0x3B) << "the 1D block is untouched";

    ASSERT_TRUE(SelectEngine(s, 0).Accepted());
    EXPECT_FALSE(Checked(101));
    EXPECT_TRUE(Checked(103));
    ASSERT_TRUE(SetSymbologyBox(s, 103, false).Accepted());
    ASSERT_TRUE(SelectEngine(s, 0).Accepted());  // the same engine again: nothing happens
    EXPECT_EQ(ReaderType(), 0);

    ASSERT_TRUE(SelectEngine(s, 2).Accepted());
    EXPECT_EQ(ReaderType(), 4) << "the third entry stores 4";
    EXPECT_TRUE(Checked(103)) << "the long-range engine shares the 2D block";
    EXPECT_FALSE(SelectEngine(s, 3).Accepted());
    EXPECT_FALSE(SelectEngine(s, -1).Accepted());
    EXPECT_EQ(ReaderType(), 4);
}

TEST_F(BarcodePageTest, ControlsFollowTheEngineFamily) {
    struct Case {
        int engine;
        std::u16string firstLabel;
        int firstEntries, secondEntries, timeoutChars;
        bool optionsEnabled, aimingEnabled, box127Shown, code11Enabled;
        std::vector<int> moreShown;
    };
    const Case cases[] = {
        {0,
         u"Режим сканирования:",
         9,
         4,
         3,
         true,
         false,
         false,
         true,
         {201, 202, 203, 204, 205, 206, 207, 208, 209, 210, 213, 216, 219, 220, 221, 222, 225}},
        {1,
         u"Светодиодная подсветка:",
         4,
         2,
         1,
         false,
         false,
         true,
         true,
         {201, 202, 203, 204, 210, 212, 213, 214, 215, 216, 217, 218, 219}},
        {2,
         u"Светодиодная подсветка:",
         4,
         2,
         1,
         false,
         true,
         true,
         false,
         {201, 202, 203, 204, 210, 212, 213, 214, 215, 216, 217, 218, 219}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.engine);
        ASSERT_TRUE(SelectEngine(s, c.engine).Accepted());
        const BarcodePageView v = View();
        EXPECT_EQ(v.engine.selected, c.engine);
        EXPECT_EQ(v.firstListLabel, c.firstLabel);
        EXPECT_EQ(v.firstList.entries.size(), static_cast<std::size_t>(c.firstEntries));
        EXPECT_EQ(v.secondList.entries.size(), static_cast<std::size_t>(c.secondEntries));
        EXPECT_EQ(v.firstList.enabled, c.optionsEnabled);
        EXPECT_EQ(v.secondList.enabled, c.optionsEnabled);
        EXPECT_EQ(v.timeout.enabled, c.optionsEnabled);
        EXPECT_EQ(v.timeout.maxChars, c.timeoutChars);
        EXPECT_EQ(v.aimingTime.enabled, c.aimingEnabled);
        EXPECT_EQ(v.Box(127)->shown, c.box127Shown);
        EXPECT_EQ(v.Box(113)->enabled, c.code11Enabled);
        std::vector<int> shown;
        for (const SymbologyBoxView& b : v.boxes)
            if (b.moreShown) shown.push_back(b.box + 100);
        EXPECT_EQ(shown, c.moreShown);
    }
    // Long range: Code 11, Postal Codes and the six 2D-only symbologies are greyed, and so are
    // the buttons of the first two.
    const BarcodePageView v = View();
    for (int box : {113, 118, 122, 123, 124, 125, 126, 127})
        EXPECT_FALSE(v.Box(box)->enabled) << box;
    EXPECT_FALSE(v.Box(113)->moreEnabled);
    EXPECT_FALSE(v.Box(118)->moreEnabled);
    EXPECT_TRUE(v.Box(119)->moreEnabled);
    EXPECT_EQ(v.Box(113)->dialog, "CODE11_2D_DLG");
    EXPECT_FALSE(SetSymbologyBox(s, 122, false).Accepted()) << "a greyed box cannot change";
}

TEST_F(BarcodePageTest, GreyedBoxesFollowTheBoxThatEnablesThem) {
    // 1D: EAN128 and its button only while Code 128 is on.
    ASSERT_TRUE(SetSymbologyBox(s, 124, false).Accepted());
    EXPECT_FALSE(View().Box(125)->enabled);
    EXPECT_FALSE(View().Box(125)->moreEnabled);
    EXPECT_TRUE(View().Box(125)->checked) << "EAN128 stays on while greyed";
    EXPECT_FALSE(SetSymbologyBox(s, 125, false).Accepted());
    EXPECT_EQ(s.working.readerOptions[1] & 0x80, 0x80);
    EXPECT_EQ(s.working.readerOptions[22] >> 6, 1);
    ASSERT_TRUE(SetSymbologyBox(s, 124, true).Accepted());
    EXPECT_TRUE(View().Box(125)->enabled);

    // 2D: Bookland EAN only while EAN13 is on.
    ASSERT_TRUE(SelectEngine(s, 1).Accepted());
    ASSERT_TRUE(SetSymbologyBox(s, 106, true).Accepted());
    ASSERT_TRUE(SetSymbologyBox(s, 105, false).Accepted());
    EXPECT_FALSE(View().Box(106)->enabled);
    EXPECT_FALSE(SetSymbologyBox(s, 106, false).Accepted());
    EXPECT_EQ(s.working.symbologyOptions[0], 0xD4);
}

TEST_F(BarcodePageTest, Code128AndEan128StoreTheSharedBitAndFamily) {
    ASSERT_TRUE(SetSymbologyBox(s, 125, false).Accepted());
    Commit();
    EXPECT_EQ(ws->definition.readerOptions[1], 0xC9) << "Code 128 alone keeps bit 7";
    EXPECT_EQ(ws->definition.readerOptions[22], 0x83) << "family 2";

    ASSERT_TRUE(SetSymbologyBox(s, 124, false).Accepted());
    Commit();
    EXPECT_EQ(ws->definition.readerOptions[1], 0x49) << "both off clears bit 7";
    EXPECT_EQ(ws->definition.readerOptions[22], 0x03);
}

TEST_F(BarcodePageTest, ApplyWritesTheFamilyByteAFileLeftAsZero) {
    // A file may hold the shared bit with family 0 (both on): the page shows both boxes and
    // its apply stores them as 3. Without the page's apply the bytes stay as loaded.
    s.working.readerOptions[22] = 0x03;
    EXPECT_TRUE(Checked(124));
    EXPECT_TRUE(Checked(125));
    const auto before = s.working.readerOptions;
    editor::CommitSheet(s, *ws);
    EXPECT_EQ(ws->definition.readerOptions, before);
    Commit();
    EXPECT_EQ(ws->definition.readerOptions[22], 0xC3);
}

TEST_F(BarcodePageTest, LongRangeAppliesTheSymbologiesItCannotReadAsOff) {
    ASSERT_TRUE(SelectEngine(s, 1).Accepted());
    ASSERT_TRUE(SetSymbologyBox(s, 113, true).Accepted());  // Code 11
    s.working.symbologyOptions[27] = 0xFF;
    s.working.symbologyOptions[29] = 0xFF;
    ASSERT_TRUE(SelectEngine(s, 2).Accepted());
    EXPECT_TRUE(Checked(113)) << "shown greyed with its 2D value";
    ASSERT_TRUE(SelectEngine(s, 1).Accepted());
    EXPECT_TRUE(Checked(113)) << "switching engines alone keeps the 2D values";
    ASSERT_TRUE(SelectEngine(s, 2).Accepted());
    Commit();
    const auto& so = ws->definition.symbologyOptions;
    EXPECT_EQ(so[11], 0x00);
    EXPECT_EQ(so[27], 0x7F) << "Postal Codes off, the other bits of its byte kept";
    EXPECT_EQ(so[29], 0x03);
    EXPECT_EQ(so[0], 0xD8) << "what it can read is applied as shown";
    EXPECT_EQ(Terminal(ws->definition).ReaderType(), 4);
}

TEST_F(BarcodePageTest, TwoDGreyedReadingOptionsAreWrittenBackUnchanged) {
    ASSERT_TRUE(SelectEngine(s, 1).Accepted());
    const BarcodePageView v = View();
    EXPECT_EQ(v.firstList.selected, 1) << "internal illumination";
    EXPECT_EQ(v.firstList.entries[1].text, u"Внутренняя");
    EXPECT_EQ(v.secondList.selected, 1) << "aiming on";
    EXPECT_EQ(v.secondList.entries[1].text, u"Включен");
    EXPECT_EQ(v.timeout.text, u"9");
    EXPECT_FALSE(SelectScanMode(s, 2).Accepted());
    EXPECT_FALSE(SelectRedundancy(s, 2).Accepted());
    EXPECT_FALSE(EditTimeout(s, u"5").accepted);
    EXPECT_FALSE(EditAimingTime(s, u"5").accepted) << "the aiming time is long range only";
    Commit();
    EXPECT_EQ(ws->definition.symbologyOptions[30], 0x39);
    EXPECT_EQ(ws->definition.symbologyOptions[31], 0x00);
    EXPECT_EQ(ws->definition.readerOptions[20], 0x66);
}

TEST_F(BarcodePageTest, NumberEditsAreCorrectedWhileTyping) {
    struct Case {
        std::u16string typed, shown;
        int stored;
    };
    const Case timeouts[] = {
        {u"0", u"1", 1},  {u"300", u"255", 255}, {u"255", u"255", 255},
        {u"05", u"5", 5}, {u"", u"1", 1},        {u"x", u"1", 1},
        {u"-3", u"1", 1}, {u"17", u"17", 17},    {u"99999999999", u"255", 255}};
    for (const Case& c : timeouts) {
        SCOPED_TRACE(std::string(c.typed.begin(), c.typed.end()));
        const NumberEditResult r = EditTimeout(s, c.typed);
        EXPECT_EQ(r.text, c.shown);
        EXPECT_EQ(r.changed, c.typed != c.shown);
        EXPECT_EQ(s.working.readerOptions[21], c.stored);
    }
    ASSERT_TRUE(SelectEngine(s, 2).Accepted());
    const Case aiming[] = {{u"0", u"0", 0},       {u"", u"0", 0},    {u"abc", u"0", 0},
                           {u"256", u"255", 255}, {u"007", u"7", 7}, {u"42", u"42", 42}};
    for (const Case& c : aiming) {
        SCOPED_TRACE(std::string(c.typed.begin(), c.typed.end()));
        EXPECT_EQ(EditAimingTime(s, c.typed).text, c.shown);
        EXPECT_EQ(s.working.symbologyOptions[31], c.stored);
    }
}

TEST_F(BarcodePageTest, OneDListsStoreTheirBitsOnly) {
    ASSERT_TRUE(SelectScanMode(s, 8).Accepted());  // Aiming
    EXPECT_EQ(s.working.readerOptions[20], 0x86);
    ASSERT_TRUE(SelectRedundancy(s, 3).Accepted());
    EXPECT_EQ(s.working.readerOptions[11], 0x0C);
    ASSERT_TRUE(SetSymbologyBox(s, 126, true).Accepted());  // negative barcode
    EXPECT_EQ(s.working.readerOptions[11], 0x1C);
    EXPECT_FALSE(SelectScanMode(s, 9).Accepted());
    EXPECT_FALSE(SelectRedundancy(s, 4).Accepted());
    EXPECT_EQ(s.working.readerOptions[20], 0x86);
    EXPECT_EQ(View().firstList.selected, 8);
    EXPECT_EQ(View().secondList.selected, 3);
}

TEST_F(BarcodePageTest, OutOfRangeBytesAreShownWithoutChange) {
    ReaderType() = 0xF8;                 // engine bits 8: no list entry; 1D family
    s.working.readerOptions[20] = 0xF6;  // scan mode 15
    s.working.symbologyOptions[30] = 0xFF;
    const Definition before = s.working;
    BarcodePageView v = View();
    EXPECT_EQ(v.engine.selected, -1);
    EXPECT_EQ(v.kind, EngineKind::Laser1D);
    EXPECT_EQ(v.firstList.selected, -1);
    ReaderType() = 0xFF;  // engine bits 0x0D: 2D family
    v = View();
    EXPECT_EQ(v.kind, EngineKind::Imager2D);
    EXPECT_EQ(v.firstList.selected, -1) << "illumination 7 is no entry";
    EXPECT_EQ(v.timeout.text, u"15");
    EXPECT_TRUE(v.rfid);
    ReaderType() = 0xF8;
    EXPECT_EQ(s.working.readerOptions, before.readerOptions);
    EXPECT_EQ(s.working.symbologyOptions, before.symbologyOptions);
    EXPECT_EQ(s.working.terminalSettings, before.terminalSettings);
}

TEST_F(BarcodePageTest, RfidAndUseFlagsLiveInTheWorkingCopy) {
    ReaderType() = 0xF4;
    ASSERT_TRUE(SetRfidReader(s, true).Accepted());
    EXPECT_EQ(ReaderType(), 0xF6);
    EXPECT_TRUE(View().rfidParametersEnabled);
    ASSERT_TRUE(SetRfidReader(s, false).Accepted());
    EXPECT_EQ(ReaderType(), 0xF4);
    ASSERT_TRUE(SetRfidReader(s, true).Accepted());

    SetWeightBarcodesUsed(s, true);
    SetGs1IdentifiersUsed(s, true);
    EXPECT_TRUE(View().weightBarcodes);
    EXPECT_TRUE(View().gs1Identifiers);
    EXPECT_EQ(Rules(s.working).WeightBarcodeEnabled(), 1);
    EXPECT_EQ(s.working.readerOptions2[0], 1);
    EXPECT_EQ(Rules(ws->definition).WeightBarcodeEnabled(), 0) << "nothing committed yet";
    EXPECT_EQ(Terminal(ws->definition).ReaderType(), 0);
    Commit();
    EXPECT_EQ(Rules(ws->definition).WeightBarcodeEnabled(), 1);
    EXPECT_EQ(ws->definition.readerOptions2[0], 1);
    EXPECT_EQ(Terminal(ws->definition).ReaderType(), 0xF6);
}

TEST_F(BarcodePageTest, ResetRestoresTheReaderDefaultsAndKeepsEngineAndUseFlags) {
    ReaderType() = 0x06;
    s.working.readerOptions.fill(0);
    s.working.symbologyOptions.fill(0xAA);
    s.working.readerExtra.fill(0x11);
    s.working.readerOptions2[0] = 1;
    s.working.readerOptions2[4] = 3;
    SetWeightBarcodesUsed(s, true);
    const Definition committed = ws->definition;
    ResetReaderPage(s);

    const std::array<Byte, kReaderOptionsSize> ro = {0x9B, 0xC9, 0x00, 0x3F, 0x80, 0x2D, 0x54, 0x80,
                                                     0x00, 0x19, 0x3D, 0x00, 0xFF, 0x01, 0xFE, 0x01,
                                                     0xFF, 0x01, 0xFF, 0x01, 0x66, 0x03, 0xC3};
    EXPECT_EQ(s.working.readerOptions, ro);
    EXPECT_EQ(s.working.symbologyOptions[30], 0x39);
    EXPECT_EQ(s.working.symbologyOptions[29], 0x9C);
    EXPECT_EQ(s.working.symbologyOptions[44], 0x00);
    EXPECT_EQ(s.working.readerExtra[0], 0x80);
    EXPECT_EQ(s.working.readerExtra[1], ',');
    EXPECT_EQ(ReaderType(), 0x06);
    EXPECT_EQ(s.working.readerOptions2[0], 1);
    EXPECT_EQ(s.working.readerOptions2[4], 3);
    EXPECT_EQ(Rules(s.working).WeightBarcodeEnabled(), 1);
    // The reset is an edit like any other: until OK the definition keeps its blocks.
    EXPECT_EQ(ws->definition.readerOptions, committed.readerOptions);
    EXPECT_EQ(ws->definition.readerOptions2, committed.readerOptions2);
    const BarcodePageView v = View();
    EXPECT_EQ(v.kind, EngineKind::LongRange);
    EXPECT_EQ(v.timeout.text, u"9");
    EXPECT_TRUE(v.rfid);
}

TEST_F(BarcodePageTest, UnknownBitsSurviveALoadAnEditAndASave) {
    // Every bit of the reader blocks set, as a file may hold them; the page clears one box.
    Definition loaded = ws->definition;
    loaded.readerOptions.fill(0xFF);
    loaded.symbologyOptions.fill(0xFF);
    loaded.readerExtra.fill(0xFF);
    Terminal(loaded).ReaderType() = 0xF1;  // 2D engine, the high bits unknown
    ASSERT_EQ(ReadProjectBytes(*ws, SerialiseProject(loaded, true), true), 1);
    s = editor::OpenSession(ws->definition, ws->language);

    ASSERT_TRUE(SetSymbologyBox(s, 119, false).Accepted());  // RSS-14: byte 28 bit 7
    Commit();
    Workspace again;
    ASSERT_EQ(ReadProjectBytes(again, SerialiseProject(ws->definition, true), true), 1);
    const Definition& d = again.definition;
    EXPECT_EQ(d.readerOptions, loaded.readerOptions);
    auto expected = loaded.symbologyOptions;
    expected[28] = 0x7F;
    EXPECT_EQ(d.symbologyOptions, expected);
    EXPECT_EQ(d.readerExtra, loaded.readerExtra);
    EXPECT_EQ(Terminal(d).ReaderType(), 0xF1);
}

TEST_F(BarcodePageTest, EveryCaptionHasAText) {
    for (int engine = 0; engine < 3; ++engine) {
        ASSERT_TRUE(SelectEngine(s, engine).Accepted());
        const BarcodePageView v = View();
        for (const std::u16string* text :
             {&v.engineGroup, &v.engineLabel, &v.optionsGroup, &v.symbologyGroup, &v.firstListLabel,
              &v.secondListLabel, &v.timeoutLabel, &v.timeoutUnit, &v.aimingLabel, &v.aimingUnit,
              &v.moreText, &v.codeIdText, &v.resetText, &v.rfidText, &v.weightGroup, &v.gs1Group,
              &v.useText, &v.maskText, &v.settingsText})
            EXPECT_FALSE(text->empty());
        for (const SymbologyBoxView& b : v.boxes)
            if (b.shown) {
                EXPECT_FALSE(b.text.empty()) << b.box;
            }
        for (const auto* list : {&v.engine, &v.firstList, &v.secondList})
            for (const auto& entry : list->entries)
                EXPECT_FALSE(entry.text.empty());
    }
    EXPECT_EQ(View().Box(127)->text, u"QR Code");
    ASSERT_TRUE(SelectEngine(s, 0).Accepted());
    EXPECT_EQ(View().Box(126)->text, u"Negative Barcode");
    EXPECT_EQ(View().engine.entries[2].text, u"1D Long Range лазерный");
}

}  // namespace
}  // namespace fw::reader::test
