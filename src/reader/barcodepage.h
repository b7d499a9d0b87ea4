// The Barcode page: the scanner engine, its reading options, a box for every symbology of the
// engine's family, and the use flags of weight barcodes and GS1 application identifiers.
// Everything the page changes goes into the session's working copy at once, so the sheet's
// Cancel drops it all and its OK commits it all; the page's apply finishes what the terminal
// expects of the stored bytes before the commit.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/outcome.h"
#include "editor/session.h"
#include "reader/enables.h"

namespace fw::reader {

using editor::EditingSession;
using editor::ListView;
using editor::Outcome;

inline constexpr int kBarcodePageTitleId = 1644;

// A symbology box and its "more..." button as the page shows them.
struct SymbologyBoxView {
    int box = 0;
    std::u16string text;
    bool shown = true;
    bool checked = false;
    bool enabled = true;
    std::string_view dialog;  // the template the "more..." button opens; empty: no button
    bool moreShown = false;
    bool moreEnabled = true;
};

// A number edit: its text, how many characters it takes, whether the user may type in it.
struct NumberEditView {
    std::u16string text;
    int maxChars = 3;
    bool enabled = true;
};

struct BarcodePageView {
    EngineKind kind = EngineKind::Laser1D;
    // Captions that follow the engine's family.
    std::u16string engineGroup;      // 907
    std::u16string engineLabel;      // 908
    std::u16string optionsGroup;     // 901
    std::u16string symbologyGroup;   // 906
    std::u16string firstListLabel;   // 902: scan mode / illumination
    std::u16string secondListLabel;  // 903: redundancy / aiming pattern
    std::u16string timeoutLabel;     // 904
    std::u16string timeoutUnit;      // 905
    std::u16string aimingLabel;      // 909
    std::u16string aimingUnit;       // 910
    std::u16string moreText;         // every "more..." button and the RFID parameters button
    std::u16string codeIdText;       // 229
    std::u16string resetText;        // 230
    std::u16string rfidText;         // 128
    std::u16string weightGroup, gs1Group, useText, maskText, settingsText;

    ListView engine;  // 403
    bool rfid = false;
    bool rfidParametersEnabled = false;   // 228
    ListView firstList;                   // 401
    ListView secondList;                  // 402
    bool optionLabelsEnabled = true;      // 902..905
    NumberEditView timeout;               // 301
    NumberEditView aimingTime;            // 302, with 909 and 910
    std::vector<SymbologyBoxView> boxes;  // 101..127 in order
    bool weightBarcodes = false;          // 1011; enables 1012
    bool gs1Identifiers = false;          // 1013; enables 1014

    const SymbologyBoxView* Box(int box) const;
};
BarcodePageView ViewBarcodePage(const EditingSession& session);

// The engine list's choice (0..2). The engine is changed in the working copy at once; the
// symbology settings are not carried from one block to the other.
Outcome SelectEngine(EditingSession& session, int index);
Outcome SetRfidReader(EditingSession& session, bool present);
// A symbology box of the engine's family checked or unchecked; a box the page does not offer
// or has greyed is refused.
Outcome SetSymbologyBox(EditingSession& session, int box, bool checked);
// The two lists and the time-out of the 1D engine; the 2D family shows its values greyed.
Outcome SelectScanMode(EditingSession& session, int index);
Outcome SelectRedundancy(EditingSession& session, int index);

// What a number edit shows after the user changed it; `changed` when that differs from what
// was typed (the edit must be rewritten). `accepted` is false when the edit is greyed.
struct NumberEditResult {
    std::u16string text;
    bool changed = false;
    bool accepted = true;
};
// The time-out: text that is not a number and values below 1 become 1, values above 255 become
// 255, a number typed with leading zeros loses them.
NumberEditResult EditTimeout(EditingSession& session, std::u16string_view text);
// The long-range engine's aiming display time: the same, but not-a-number becomes 0.
NumberEditResult EditAimingTime(EditingSession& session, std::u16string_view text);

// The use flags of weight barcodes and of GS1 application identifiers. The Form page shows
// choices that depend on them and must be refreshed after either changes.
void SetWeightBarcodesUsed(EditingSession& session, bool used);
void SetGs1IdentifiersUsed(EditingSession& session, bool used);

// "Сброс": the reader blocks of the working copy go back to their defaults; the engine, the
// RFID bit and the two use flags stay as they are.
void ResetReaderPage(EditingSession& session);

// The page's part of the sheet's OK, run before the commit when the page has been shown: the
// 1D engine writes its Code 128 family byte from the two boxes; the long-range engine writes
// the symbologies it cannot read as off.
void ApplyBarcodePage(EditingSession& session);

}  // namespace fw::reader
