#include "reader/symbologydlg.h"

#include <string>

#include "editor/commit.h"
#include "editor/editor_support.h"
#include "model/codepage.h"

namespace fw::reader::test {
namespace {

using editor::test::EditorTest;

class SymbologyDialogTest : public EditorTest {
  protected:
    const DialogTemplate& Dialog(std::string_view name) {
        const DialogTemplate* d = FindTemplate(name);
        if (!d) ADD_FAILURE() << "no dialog " << name;
        return d ? *d : Templates().front();
    }
    int Index(const DialogTemplate& d, std::string_view control) {
        const int i = FindControl(d, control);
        if (i < 0) ADD_FAILURE() << d.name << " has no control " << control;
        return i;
    }
    editor::Outcome Set(std::string_view dialog, std::string_view control, int value) {
        const DialogTemplate& d = Dialog(dialog);
        return SetControl(s, d, Index(d, control), value);
    }
    ControlView View(std::string_view dialog, std::string_view control) {
        const DialogTemplate& d = Dialog(dialog);
        const int i = Index(d, control);
        return i < 0 ? ControlView{} : ViewDialog(s, d).controls[static_cast<std::size_t>(i)];
    }
    // The reader bytes that a dialog may change, end to end.
    std::vector<Byte> ReaderBytes() const {
        const ReaderSnapshot snap = TakeReaderSnapshot(s);
        std::vector<Byte> all;
        const auto add = [&](std::span<const Byte> b) {
            all.insert(all.end(), b.begin(), b.end());
        };
        add(snap.readerOptions);
        add(snap.symbologyOptions);
        add(snap.readerExtra);
        add(snap.terminalSettings);
        add(snap.readerOptions2);
        add(snap.variableNames);
        return all;
    }
    // Where a block's bytes begin in ReaderBytes().
    static std::size_t Offset(Area area) {
        switch (area) {
            case Area::ReaderOptions:
                return 0;
            case Area::SymbologyOptions:
                return kReaderOptionsSize;
            case Area::ReaderExtra:
                return kReaderOptionsSize + kSymbologyOptionsSize;
            case Area::TerminalSettings:
                return kReaderOptionsSize + kSymbologyOptionsSize + kReaderExtraSize;
            case Area::ReaderOptions2:
                return kReaderOptionsSize + kSymbologyOptionsSize + kReaderExtraSize +
                       kTerminalSettingsSize;
        }
        return 0;
    }
    Block<kReaderOptionsSize>& RO() { return s.working.readerOptions; }
    Block<kSymbologyOptionsSize>& SO() { return s.working.symbologyOptions; }
};

// Every template the Barcode page may name, typed from the list of dialogs.
TEST_F(SymbologyDialogTest, EveryDialogIsFoundByItsTemplateName) {
    const char* names[] = {
        "Code39Dlg",
        "ItalyPharmaDlg",
        "FrenchPharmaDlg",
        "Industrial25Dlg",
        "Interleave25Dlg",
        "Matrix25Dlg",
        "CodabarDlg",
        "MSIDlg",
        "PlesseyDlg",
        "UPCEDlg",
        "EAN8Dlg",
        "EAN13Dlg",
        "TelepenDlg",
        "RSS14Dlg",
        "RSS14LimitedDlg",
        "RSS14ExpandedDlg",
        "EAN128Dlg",
        "UPCA_2D_DLG",
        "UPCE_2D_DLG",
        "UPCE1_2D_DLG",
        "EAN8_2D_DLG",
        "CODE39_2D_DLG",
        "CODE93_2D_DLG",
        "CODE11_2D_DLG",
        "INDUSTRIAL25_2D_DLG",
        "INTERLEAVE25_2D_DLG",
        "CODABAR_2D_DLG",
        "MSI_2D_DLG",
        "POSTAL_2D_DLG",
        "RSS14_2D_DLG",
        "RFID_PARAM_DLG",
        "CODEIDDLG",
        "GS1AISETTINGSDLG",
    };
    for (const char* name : names) {
        const DialogTemplate* d = FindTemplate(name);
        ASSERT_NE(d, nullptr) << name;
        EXPECT_EQ(d->name, name);
        const DialogView view = ViewDialog(s, *d);
        EXPECT_FALSE(view.title.empty()) << name;
        EXPECT_EQ(view.controls.size(), d->controls.size());
        for (const ControlView& c : view.controls)
            if (c.kind != Kind::Character && c.kind != Kind::Radio) {
                EXPECT_FALSE(c.caption.empty()) << name;
            }
    }
    EXPECT_EQ(Templates().size(), std::size(names)) << "a dialog the list does not know";
    EXPECT_EQ(FindTemplate("WEIGHTBCMASKDLG"), nullptr);
    EXPECT_EQ(FindTemplate("code39dlg"), nullptr);
}

// Each box, set and cleared from the defaults, changes exactly its own bit (bit 7 the most
// significant), worked out from the parameter tables.
TEST_F(SymbologyDialogTest, EachBoxOwnsExactlyItsBit) {
    struct Case {
        const char* dialog;
        const char* control;
        Area area;
        int byte;
        int bit;
    };
    const Area ro = Area::ReaderOptions, so = Area::SymbologyOptions, re = Area::ReaderExtra;
    const Case cases[] = {
        {"Code39Dlg", "transmitStartStop", ro, 5, 7},
        {"Code39Dlg", "verifyChecksum", ro, 5, 6},
        {"Code39Dlg", "transmitChecksum", ro, 5, 5},
        {"Code39Dlg", "fullAscii", ro, 5, 4},
        {"ItalyPharmaDlg", "transmitChecksum", ro, 5, 3},
        {"FrenchPharmaDlg", "transmitChecksum", ro, 5, 2},
        {"Interleave25Dlg", "verifyChecksum", ro, 5, 1},
        {"Interleave25Dlg", "transmitChecksum", ro, 5, 0},
        {"Industrial25Dlg", "verifyChecksum", ro, 6, 7},
        {"Industrial25Dlg", "transmitChecksum", ro, 6, 6},
        {"Matrix25Dlg", "verifyChecksum", ro, 6, 5},
        {"Matrix25Dlg", "transmitChecksum", ro, 6, 4},
        {"PlesseyDlg", "transmitChecksum", ro, 9, 3},
        {"PlesseyDlg", "convertToUkPlessey", ro, 9, 2},
        {"UPCEDlg", "convertToUpca", ro, 9, 1},
        {"UPCEDlg", "transmitChecksum", ro, 10, 5},
        {"UPCEDlg", "transmitSystemNumber", ro, 10, 1},
        {"EAN8Dlg", "transmitChecksum", ro, 10, 3},
        {"EAN8Dlg", "convertToEan13", ro, 11, 7},
        {"EAN13Dlg", "convertUpcaToEan13", ro, 9, 0},
        {"EAN13Dlg", "isbn", ro, 10, 7},
        {"EAN13Dlg", "issn", ro, 10, 6},
        {"EAN13Dlg", "transmitUpcaChecksum", ro, 10, 4},
        {"EAN13Dlg", "transmitChecksum", ro, 10, 2},
        {"EAN13Dlg", "transmitUpcaSystemNumber", ro, 10, 0},
        {"RSS14Dlg", "transmitCodeId", ro, 3, 5},
        {"RSS14Dlg", "transmitApplicationId", ro, 3, 4},
        {"RSS14Dlg", "transmitCheckDigit", ro, 3, 3},
        {"RSS14LimitedDlg", "transmitCodeId", ro, 3, 2},
        {"RSS14LimitedDlg", "transmitApplicationId", ro, 3, 1},
        {"RSS14LimitedDlg", "transmitCheckDigit", ro, 3, 0},
        {"RSS14ExpandedDlg", "transmitCodeId", ro, 4, 7},
        {"EAN128Dlg", "transmitCodeId", ro, 22, 5},
        {"UPCA_2D_DLG", "transmitChecksum", so, 1, 1},
        {"UPCE_2D_DLG", "transmitChecksum", so, 1, 0},
        {"UPCE_2D_DLG", "convertToUpca", so, 2, 6},
        {"UPCE1_2D_DLG", "transmitChecksum", so, 2, 7},
        {"UPCE1_2D_DLG", "convertToUpca", so, 2, 5},
        {"EAN8_2D_DLG", "convertToEan13", so, 2, 4},
        {"CODE39_2D_DLG", "verifyChecksum", so, 5, 3},
        {"CODE39_2D_DLG", "transmitChecksum", so, 5, 2},
        {"CODE39_2D_DLG", "fullAscii", so, 6, 7},
        {"INTERLEAVE25_2D_DLG", "transmitChecksum", so, 14, 5},
        {"INTERLEAVE25_2D_DLG", "convertToEan13", so, 14, 4},
        {"CODABAR_2D_DLG", "transmitStartStop", so, 20, 5},
        {"MSI_2D_DLG", "transmitChecksum", so, 23, 5},
        {"POSTAL_2D_DLG", "usPostnet", so, 26, 7},
        {"POSTAL_2D_DLG", "usPlanet", so, 26, 6},
        {"POSTAL_2D_DLG", "usPostalChecksum", so, 26, 5},
        {"POSTAL_2D_DLG", "ukPostal", so, 26, 4},
        {"POSTAL_2D_DLG", "ukPostalChecksum", so, 26, 3},
        {"POSTAL_2D_DLG", "japanPostal", so, 26, 2},
        {"POSTAL_2D_DLG", "australianPostal", so, 26, 1},
        {"POSTAL_2D_DLG", "dutchPostal", so, 26, 0},
        {"RSS14_2D_DLG", "convertToUpcEan", so, 28, 4},
        {"RFID_PARAM_DLG", "readTagId", re, 0, 7},
        {"RFID_PARAM_DLG", "readTagData", re, 0, 6},
        {"RFID_PARAM_DLG", "useSeparator", re, 0, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.dialog) + " " + c.control);
        std::span<Byte> block = c.area == ro   ? std::span<Byte>(RO())
                                : c.area == so ? std::span<Byte>(SO())
                                               : std::span<Byte>(s.working.readerExtra);
        const std::vector<Byte> before = ReaderBytes();
        const bool wasOn = (block[c.byte] >> c.bit) & 1;
        EXPECT_EQ(View(c.dialog, c.control).checked, wasOn);
        ASSERT_TRUE(Set(c.dialog, c.control, wasOn ? 0 : 1).Accepted());
        EXPECT_EQ((block[c.byte] >> c.bit) & 1, wasOn ? 0 : 1);
        EXPECT_EQ(View(c.dialog, c.control).checked, !wasOn);
        block[c.byte] ^= static_cast<Byte>(1 << c.bit);
        EXPECT_EQ(ReaderBytes(), before) << "another bit changed";
        ASSERT_TRUE(Set(c.dialog, c.control, wasOn ? 1 : 0).Accepted());
        EXPECT_EQ(ReaderBytes(), before);
    }
}

// Radio groups and lists store their choice's coding, from the defaults of a new definition.
TEST_F(SymbologyDialogTest, ChoicesStoreTheirCodingAndNothingElse) {
    struct Case {
        const char* dialog;
        const char* control;
        int choice;
        Area area;
        int byte;
        Byte expected;
    };
    const Area ro = Area::ReaderOptions, so = Area::SymbologyOptions;
    const Case cases[] = {
        {"Industrial25Dlg", "startStop", 2, ro, 6, 0x56},    // 54: bits 1..0 = 2
        {"Interleave25Dlg", "startStop", 0, ro, 6, 0x50},    // bits 3..2 from 1 to 0
        {"Matrix25Dlg", "startStop", 1, ro, 7, 0x40},        // 80: bits 7..6 from 2 to 1
        {"Industrial25Dlg", "lengthMode", 0, ro, 12, 0x7F},  // FF: fixed lengths
        {"CodabarDlg", "startStop", 4, ro, 7, 0xB8},         // ABCD / TN*E: 11 and bit 3
        {"CodabarDlg", "startStop", 2, ro, 7, 0x98},         // ABCD / ABCD: 01 and bit 3
        {"CodabarDlg", "startStop", 0, ro, 7, 0x80},         // None clears 5..3
        {"MSIDlg", "verification", 2, ro, 9, 0x99},          // 19: bits 7..6 = 2
        {"MSIDlg", "transmission", 2, ro, 9, 0x29},          // bits 5..4 from 1 to 2
        {"MSIDlg", "lengthMode", 0, ro, 18, 0x7F},
        {"TelepenDlg", "telepenMode", 0, ro, 2, 0x02},  // Original Telepen sets bit 1
        {"TelepenDlg", "telepenMode", 1, ro, 2, 0x00},
        {"UPCA_2D_DLG", "preamble", 0, so, 1, 0x17},               // 57: bits 7..6 from 1 to 0
        {"UPCE_2D_DLG", "preamble", 2, so, 1, 0x67},               // bits 5..4 from 1 to 2
        {"UPCE1_2D_DLG", "preamble", 2, so, 1, 0x5B},              // bits 3..2 from 1 to 2
        {"EAN8_2D_DLG", "addOns", 2, so, 2, 0x84},                 // 80: bits 3..1 = 2
        {"UPCA_2D_DLG", "addOns", 1, so, 2, 0x82},                 // the same add-on bits
        {"INTERLEAVE25_2D_DLG", "verification", 1, so, 14, 0xC0},  // USS: bit 6
        {"INTERLEAVE25_2D_DLG", "verification", 2, so, 14, 0x82},  // OPCC: bit 1
        {"INTERLEAVE25_2D_DLG", "verification", 0, so, 14, 0x80},
        {"MSI_2D_DLG", "checkDigits", 1, so, 23, 0x40},
        {"MSI_2D_DLG", "algorithm", 1, so, 23, 0x10},
        {"CODE93_2D_DLG", "lengthMode", 3, so, 8, 0x60},
        {"CODE11_2D_DLG", "lengthMode", 2, so, 11, 0x10},
        {"INDUSTRIAL25_2D_DLG", "lengthMode", 1, so, 17, 0x20},
        {"CODABAR_2D_DLG", "lengthMode", 3, so, 20, 0x18},
        {"GS1AISETTINGSDLG", "month", 4, Area::ReaderOptions2, 2, 4},
        {"GS1AISETTINGSDLG", "region", 2, Area::ReaderOptions2, 5, 2},
    };
    const ReaderSnapshot fresh = TakeReaderSnapshot(s);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.dialog) + " " + c.control + " " + std::to_string(c.choice));
        RestoreReaderSnapshot(s, fresh);
        std::vector<Byte> expected = ReaderBytes();
        expected[Offset(c.area) + static_cast<std::size_t>(c.byte)] = c.expected;
        ASSERT_TRUE(Set(c.dialog, c.control, c.choice).Accepted());
        EXPECT_EQ(ReaderBytes(), expected);
        EXPECT_EQ(View(c.dialog, c.control).selected, c.choice);
    }
    SO()[14] = 0x82;  // OPCC on: choosing USS turns it off
    Set("INTERLEAVE25_2D_DLG", "verification", 1);
    EXPECT_EQ(SO()[14], 0xC0);
    EXPECT_TRUE(Set("GS1AISETTINGSDLG", "year", 2).Refused()) << "a choice the list lacks";
    EXPECT_EQ(s.working.readerOptions2[1], 0);
}

// Bits that hold no choice a control offers are shown as no choice and survive the dialog.
TEST_F(SymbologyDialogTest, StoredValuesOutOfRangeAreShownAndKept) {
    RO()[6] = 0x57;                   // Industrial 25 start/stop 3
    SO()[1] = 0xFF;                   // every preamble 3
    SO()[2] = 0x8E;                   // add-ons 7
    s.working.readerOptions2[2] = 9;  // month format 9
    SO()[8] = 0x60;                   // Code 93 range ...
    SO()[9] = 200;                    // ... with lengths no edit allows
    SO()[10] = 150;
    RO()[7] = 0xB0;  // Codabar format bits without bit 3: None
    const std::vector<Byte> before = ReaderBytes();

    EXPECT_EQ(View("Industrial25Dlg", "startStop").selected, -1);
    EXPECT_EQ(View("UPCA_2D_DLG", "preamble").selected, -1);
    EXPECT_EQ(View("UPCA_2D_DLG", "addOns").selected, -1);
    EXPECT_EQ(View("GS1AISETTINGSDLG", "month").selected, -1);
    EXPECT_EQ(View("CODE93_2D_DLG", "firstLength").number, 200);
    EXPECT_EQ(View("CodabarDlg", "startStop").selected, 0);
    for (const char* name : {"UPCA_2D_DLG", "GS1AISETTINGSDLG", "CODE93_2D_DLG", "CodabarDlg"}) {
        OpenDialog(s, Dialog(name));
        AcceptDialog(s, Dialog(name));
    }
    EXPECT_EQ(ReaderBytes(), before);

    // Two lengths put in order: a second length of 200 moves into a 7-bit place as 127.
    SO()[5] = 0x02;
    SO()[6] = 0x84;
    SO()[7] = 200;
    AcceptDialog(s, Dialog("CODE39_2D_DLG"));
    EXPECT_EQ(SO()[6], 0x80 | 127);
    EXPECT_EQ(SO()[7], 4);
}

TEST_F(SymbologyDialogTest, TwoDimensionalLengthPattern) {
    const DialogTemplate& d = Dialog("CODE39_2D_DLG");
    const int mode = Index(d, "lengthMode"), first = Index(d, "firstLength"),
              second = Index(d, "secondLength");
    SO()[5] = 0x3C;  // bits 5..4 set: the dialog clears them as it opens
    OpenDialog(s, d);
    EXPECT_EQ(SO()[5], 0x0C);

    // Labels and enabling follow the mode.
    SetControl(s, d, mode, 0);
    DialogView v = ViewDialog(s, d);
    EXPECT_EQ(v.controls[first].caption, u"Длина 1 :");
    EXPECT_EQ(v.controls[second].caption, u"Длина 2 :");
    EXPECT_FALSE(v.controls[first].enabled);
    EXPECT_FALSE(v.controls[second].enabled);
    SetControl(s, d, mode, 1);
    v = ViewDialog(s, d);
    EXPECT_TRUE(v.controls[first].enabled);
    EXPECT_FALSE(v.controls[second].enabled);
    SetControl(s, d, mode, 3);
    v = ViewDialog(s, d);
    EXPECT_EQ(v.controls[first].caption, u"Минимальная длина:");
    EXPECT_EQ(v.controls[second].caption, u"Максимальная длина:");
    EXPECT_TRUE(v.controls[second].enabled);

    // Two lengths: the larger first; full ASCII (bit 7 of byte 6) keeps its bit.
    SO()[6] = 0x80;
    SetControl(s, d, mode, 2);
    SetControl(s, d, first, 4);
    SetControl(s, d, second, 10);
    AcceptDialog(s, d);
    EXPECT_EQ(SO()[5] & 0x03, 2);
    EXPECT_EQ(SO()[6], 0x80 | 10);
    EXPECT_EQ(SO()[7], 4);

    // A range keeps its order.
    SetControl(s, d, mode, 3);
    SetControl(s, d, first, 10);
    SetControl(s, d, second, 4);
    AcceptDialog(s, d);
    EXPECT_EQ(SO()[6], 0x80 | 10);
    EXPECT_EQ(SO()[7], 4);

    // Changing the mode clears the lengths it enables; one length drops the second.
    SetControl(s, d, mode, 2);
    EXPECT_EQ(SO()[6], 0x80);
    EXPECT_EQ(SO()[7], 0);
    SetControl(s, d, first, 7);
    SetControl(s, d, second, 9);
    SetControl(s, d, mode, 1);
    EXPECT_EQ(SO()[6] & 0x7F, 0);
    SetControl(s, d, first, 7);
    AcceptDialog(s, d);
    EXPECT_EQ(SO()[5] & 0x03, 1);
    EXPECT_EQ(SO()[6], 0x80 | 7);
    EXPECT_EQ(SO()[7], 0) << "one length has no second";

    // No length at all is any length.
    SetControl(s, d, mode, 2);
    AcceptDialog(s, d);
    EXPECT_EQ(SO()[5] & 0x03, 0);
    SO()[5] |= 0x30;
    AcceptDialog(s, d);
    EXPECT_EQ(SO()[5] & 0x30, 0) << "OK clears bits 5..4 as well";
}

TEST_F(SymbologyDialogTest, BitsTheDialogsClearOnOk) {
    struct Case {
        const char* dialog;
        int byte;
        Byte before, after;
    };
    const Case cases[] = {
        {"UPCA_2D_DLG", 0, 0xDB, 0xD8},     {"UPCE_2D_DLG", 0, 0xDB, 0xD8},
        {"UPCE1_2D_DLG", 0, 0xDB, 0xD8},    {"EAN8_2D_DLG", 0, 0xDB, 0xDB},
        {"CODE11_2D_DLG", 11, 0x7F, 0x1F},  // bits 6..5; mode 3 with lengths set
        {"CODABAR_2D_DLG", 20, 0x78, 0x38},
    };
    SO()[12] = SO()[13] = SO()[21] = SO()[22] = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dialog);
        SO()[c.byte] = c.before;
        OpenDialog(s, Dialog(c.dialog));
        AcceptDialog(s, Dialog(c.dialog));
        EXPECT_EQ(SO()[c.byte], c.after);
    }
}

TEST_F(SymbologyDialogTest, LaserLengthPattern) {
    struct Case {
        const char* dialog;
        int byte;
    };
    for (const Case& c : {Case{"Industrial25Dlg", 12}, Case{"Interleave25Dlg", 14},
                          Case{"Matrix25Dlg", 16}, Case{"MSIDlg", 18}}) {
        SCOPED_TRACE(c.dialog);
        const DialogTemplate& d = Dialog(c.dialog);
        const int mode = Index(d, "lengthMode"), first = Index(d, "firstLength"),
                  second = Index(d, "secondLength");
        SetControl(s, d, mode, 1);
        EXPECT_EQ(ViewDialog(s, d).controls[first].caption, u"Max Length :");
        EXPECT_EQ(ViewDialog(s, d).controls[second].caption, u"Min Length :");
        SetControl(s, d, first, 10);
        SetControl(s, d, second, 20);
        AcceptDialog(s, d);
        EXPECT_EQ(RO()[c.byte], 0x80 | 10) << "the mode bit stays";
        EXPECT_EQ(RO()[c.byte + 1], 10) << "a minimum above the maximum becomes the maximum";

        SetControl(s, d, mode, 0);
        EXPECT_EQ(ViewDialog(s, d).controls[first].caption, u"Fixed Length 1:");
        EXPECT_EQ(ViewDialog(s, d).controls[second].caption, u"Fixed Length 2:");
        SetControl(s, d, first, 0);
        SetControl(s, d, second, 0);
        AcceptDialog(s, d);
        EXPECT_EQ(RO()[c.byte], 1);
        EXPECT_EQ(RO()[c.byte + 1], 1);
        SetControl(s, d, first, 30);
        SetControl(s, d, second, 12);
        AcceptDialog(s, d);
        EXPECT_EQ(RO()[c.byte], 30);
        EXPECT_EQ(RO()[c.byte + 1], 12);
    }
}

TEST_F(SymbologyDialogTest, TypingIsCorrectedInPlace) {
    struct Case {
        const char* dialog;
        const char* control;
        std::u16string_view typed, shown;
    };
    const Case cases[] = {
        {"CODE39_2D_DLG", "firstLength", u"200", u"127"},
        {"CODE39_2D_DLG", "firstLength", u"05", u"5"},
        {"CODE39_2D_DLG", "secondLength", u"x", u"0"},
        {"CODE39_2D_DLG", "secondLength", u"", u"0"},
        {"CODE39_2D_DLG", "secondLength", u"127", u"127"},
        {"CODE39_2D_DLG", "secondLength", u"128", u"127"},
        {"Industrial25Dlg", "firstLength", u"ab", u"127"},
        {"Industrial25Dlg", "firstLength", u"", u""},
        {"Industrial25Dlg", "firstLength", u"128", u"127"},
        {"Industrial25Dlg", "firstLength", u"42", u"42"},
        {"Industrial25Dlg", "secondLength", u"-", u"1"},
        {"Industrial25Dlg", "secondLength", u"", u""},
        {"RFID_PARAM_DLG", "startPosition", u"256", u"255"},
        {"RFID_PARAM_DLG", "startPosition", u"007", u"7"},
        {"RFID_PARAM_DLG", "maximumLength", u"-1", u"0"},
        {"RFID_PARAM_DLG", "maximumLength", u"255", u"255"},
    };
    for (const Case& c : cases) {
        const DialogTemplate& d = Dialog(c.dialog);
        const Control& control = d.controls[static_cast<std::size_t>(Index(d, c.control))];
        EXPECT_EQ(CorrectTyped(control, c.typed), c.shown)
            << c.dialog << " " << c.control << " " << std::string(c.typed.begin(), c.typed.end());
    }
    EXPECT_EQ(TypedNumber(u"127"), 127);
    EXPECT_EQ(TypedNumber(u""), 0);
    EXPECT_EQ(TypedNumber(u"99999999999999999999"), 1'000'000);
}

TEST_F(SymbologyDialogTest, InterleavedConversionExcludesVerificationAndChecksum) {
    const char* d = "INTERLEAVE25_2D_DLG";
    Set(d, "verification", 1);
    Set(d, "transmitChecksum", 1);
    Set(d, "convertToEan13", 1);
    EXPECT_EQ(View(d, "verification").selected, 0);
    EXPECT_FALSE(View(d, "transmitChecksum").checked);
    EXPECT_EQ(SO()[14] & 0x72, 0x10);
    Set(d, "verification", 2);
    EXPECT_FALSE(View(d, "convertToEan13").checked);
    Set(d, "convertToEan13", 1);
    Set(d, "transmitChecksum", 1);
    EXPECT_FALSE(View(d, "convertToEan13").checked);
    EXPECT_EQ(SO()[14], 0xA0);
    Set(d, "verification", 0);  // choosing none leaves the conversion alone
    Set(d, "convertToEan13", 1);
    Set(d, "verification", 0);
    EXPECT_TRUE(View(d, "convertToEan13").checked);
}

TEST_F(SymbologyDialogTest, RfidControlsFollowTheBoxes) {
    const char* d = "RFID_PARAM_DLG";
    EXPECT_TRUE(View(d, "readTagId").checked);  // 80 2C 00 80
    EXPECT_FALSE(View(d, "readTagData").checked);
    EXPECT_EQ(View(d, "separator").text, u",");
    EXPECT_EQ(View(d, "startPosition").number, 0);
    EXPECT_EQ(View(d, "maximumLength").number, 128);
    EXPECT_FALSE(View(d, "startPosition").enabled);
    EXPECT_FALSE(View(d, "useSeparator").enabled);

    Set(d, "readTagData", 1);
    EXPECT_TRUE(View(d, "startPosition").enabled);
    EXPECT_TRUE(View(d, "maximumLength").enabled);
    EXPECT_TRUE(View(d, "useSeparator").enabled);
    EXPECT_FALSE(View(d, "separator").enabled) << "the separator box is not checked";
    Set(d, "useSeparator", 1);
    EXPECT_TRUE(View(d, "separator").enabled);
    Set(d, "readTagId", 0);
    EXPECT_FALSE(View(d, "useSeparator").enabled);
    EXPECT_FALSE(View(d, "separator").enabled);
    EXPECT_TRUE(View(d, "startPosition").enabled);

    Set(d, "separator", Utf16ToCp1251(u'ж'));
    Set(d, "startPosition", 300);
    EXPECT_EQ(s.working.readerExtra[1], 0xE6);
    EXPECT_EQ(s.working.readerExtra[2], 255);
    EXPECT_EQ(View(d, "separator").text, u"ж");
    Set(d, "separator", 0);
    EXPECT_EQ(View(d, "separator").text, u"");
    EXPECT_EQ(s.working.readerExtra[0], 0x60);
}

TEST_F(SymbologyDialogTest, SeparatorReplacementIsOffWhileGs1IsOn) {
    const char* d = "EAN128Dlg";
    EXPECT_TRUE(View(d, "separatorReplacement").enabled);
    Set(d, "separatorReplacement", '#');
    EXPECT_EQ(s.working.terminalSettings[258], '#');
    s.working.readerOptions2[0] = 1;
    EXPECT_FALSE(View(d, "separatorReplacement").enabled);
    EXPECT_TRUE(View(d, "transmitCodeId").enabled);
}

TEST_F(SymbologyDialogTest, CodeIdentifiers) {
    const DialogTemplate& d = Dialog("CODEIDDLG");
    EXPECT_FALSE(ViewDialog(s, d).codeIdButtonsEnabled);
    EXPECT_FALSE(ViewDialog(s, d).controls[1].enabled);
    SetControl(s, d, 0, 1);
    EXPECT_EQ(s.working.terminalSettings[84], 1);
    EXPECT_TRUE(ViewDialog(s, d).codeIdButtonsEnabled);
    EXPECT_TRUE(ViewDialog(s, d).controls[15].enabled);

    ASSERT_TRUE(FillCodeIds(s, 4).Accepted());
    const auto& t = s.working.terminalSettings;
    const Byte expected[30] = {'M', 0, 'M', 0, 'M', 0,   'H', 0, 'I', 0, 'G', 0, 'N', 0, 'L', 0,
                               'K', 0, 'E', 0, 'F', 'F', 'F', 0, 'A', 0, 'P', 0, 'Q', 0};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), t.begin() + 85));
    EXPECT_EQ(ViewDialog(s, d).controls[11].text, u" F F") << "EAN8";
    EXPECT_EQ(t[84], 1);

    // A variable reference shows the variable's name; other codes their key names.
    ASSERT_TRUE(SetCodeId(s, 2, {{0x1D, 0x0D}, 0x03}).Accepted());
    EXPECT_EQ(Variables(s.working).VariableNibbles()[2], 0x03);
    EXPECT_EQ(ViewDialog(s, d).controls[3].text, u" " + editor::VariableName(s, 3) + u" Enter");
    SetCodeId(s, 0, {{0x80, 0x11}, 0});
    EXPECT_EQ(ViewDialog(s, d).controls[1].text, u" 128 F3");
    EXPECT_TRUE(SetCodeId(s, 15, {}).Refused());

    ASSERT_TRUE(FillCodeIds(s, 0).Accepted());
    EXPECT_TRUE(std::all_of(t.begin() + 85, t.begin() + 115, [](Byte b) { return b == 0; }));
    EXPECT_EQ(Variables(s.working).VariableNibbles()[2], 0);
    EXPECT_TRUE(FillCodeIds(s, 6).Refused());
}

TEST_F(SymbologyDialogTest, CancelGivesBackEveryByteAndTheSheetCommitsOk) {
    const ReaderSnapshot snap = TakeReaderSnapshot(s);
    const std::vector<Byte> before = ReaderBytes();
    for (const DialogTemplate& d : Templates()) {
        OpenDialog(s, d);
        for (std::size_t i = 0; i < d.controls.size(); ++i)
            SetControl(s, d, static_cast<int>(i), 1);
        AcceptDialog(s, d);
    }
    FillCodeIds(s, 2);
    ASSERT_NE(ReaderBytes(), before);
    RestoreReaderSnapshot(s, snap);
    EXPECT_EQ(ReaderBytes(), before);

    Set("Code39Dlg", "fullAscii", 1);
    Set("CODE39_2D_DLG", "fullAscii", 1);
    Set("RFID_PARAM_DLG", "readTagData", 1);
    Set("EAN128Dlg", "separatorReplacement", '!');
    Set("GS1AISETTINGSDLG", "country", 3);
    FillCodeIds(s, 1);
    const Byte committed83 = ws->definition.terminalSettings[83];
    s.working.terminalSettings[83] = static_cast<Byte>(committed83 + 7);  // no dialog's byte
    editor::CommitSheet(s, *ws);
    const Definition& c = ws->definition;
    EXPECT_EQ(c.readerOptions[5], 0x3D);
    EXPECT_EQ(c.symbologyOptions[6], 0x80);
    EXPECT_EQ(c.readerExtra[0], 0xC0);
    EXPECT_EQ(c.terminalSettings[258], '!');
    EXPECT_EQ(c.readerOptions2[4], 3);
    EXPECT_EQ(c.terminalSettings[85], 'A');
    EXPECT_EQ(c.terminalSettings[113], 'W');
    EXPECT_EQ(c.terminalSettings[83], committed83);
}

// Blocks from a file may hold any bits: every dialog shows them and its OK touches only what
// it owns.
TEST_F(SymbologyDialogTest, AnyBitsShowAndOkKeepsWhatNoControlOwns) {
    for (const Byte fill : {Byte{0x00}, Byte{0xFF}, Byte{0xA5}, Byte{0x5A}}) {
        RO().fill(fill);
        SO().fill(fill);
        s.working.readerExtra.fill(fill);
        s.working.terminalSettings.fill(fill);
        s.working.readerOptions2.fill(fill);
        for (const DialogTemplate& d : Templates()) {
            SCOPED_TRACE(d.name);
            const ReaderSnapshot snap = TakeReaderSnapshot(s);
            OpenDialog(s, d);
            (void)ViewDialog(s, d);
            AcceptDialog(s, d);
            // Bytes the dialog names in no control and no clearing rule stay as they were.
            std::vector<std::pair<Area, int>> owned;
            for (const Control& c : d.controls) {
                owned.push_back({c.area, c.byte});
                if (c.kind == Kind::CodeId) owned.push_back({c.area, c.byte + 1});
            }
            for (const ClearBits& c : d.clearOnOk)
                owned.push_back({c.area, c.byte});
            const auto kept = [&](Area area, std::span<const Byte> now, std::span<const Byte> was) {
                for (std::size_t i = 0; i < now.size(); ++i)
                    if (std::ranges::find(owned, std::pair{area, static_cast<int>(i)}) ==
                        owned.end()) {
                        EXPECT_EQ(now[i], was[i]) << "byte " << i;
                    }
            };
            kept(Area::ReaderOptions, RO(), snap.readerOptions);
            kept(Area::SymbologyOptions, SO(), snap.symbologyOptions);
            kept(Area::ReaderExtra, s.working.readerExtra, snap.readerExtra);
            kept(Area::TerminalSettings, s.working.terminalSettings, snap.terminalSettings);
            kept(Area::ReaderOptions2, s.working.readerOptions2, snap.readerOptions2);
            RestoreReaderSnapshot(s, snap);
        }
    }
}

}  // namespace
}  // namespace fw::reader::test
