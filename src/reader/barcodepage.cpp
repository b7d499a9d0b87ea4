#include "reader/barcodepage.h"

#include <algorithm>
#include <string>

#include "model/defaults.h"

namespace fw::reader {
namespace {

using editor::UiText;

constexpr int kMaxBox = 127;
constexpr int kFirstBox = 101;
constexpr int kLongestNumber = 9;  // digits beyond this are far above every range
constexpr int kGs1UseByte = 0;

Byte& ReaderTypeByte(EditingSession& s) {
    return Terminal(s.working).ReaderType();
}
Byte ReaderTypeOf(const EditingSession& s) {
    return Terminal(s.working).ReaderType();
}

std::u16string Number(int n) {
    std::u16string text;
    for (char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

ListView TextList(const EditingSession& s, int firstId, int count, int stored, bool enabled) {
    ListView view;
    for (int i = 0; i < count; ++i)
        view.entries.push_back({UiText(s, firstId + i), i});
    view.selected = stored >= 0 && stored < count ? stored : -1;
    view.enabled = enabled;
    return view;
}

// A box the engine's page greys: EAN128 while Code 128 is off, Bookland EAN while EAN13 is
// off, and what the long-range engine cannot read.
bool BoxEnabled(std::span<const Byte> block, const SymbologyEnable& e, EngineKind kind) {
    if (kind == EngineKind::Laser1D) return e.box != kEan128Box || ReadCode128Family(block).code128;
    if (e.box == kBooklandBox2D) {
        const SymbologyEnable* ean13 = FindBox(TwoDSymbologies(), kEan13Box2D);
        if (!SymbologyOn(block, *ean13, false)) return false;
    }
    return kind != EngineKind::LongRange || e.longRange;
}

// The "more..." button follows its box only where a box enables it: EAN128 after Code 128
// (1D) and what the long-range engine cannot read.
bool MoreEnabled(std::span<const Byte> block, const SymbologyEnable& e, EngineKind kind) {
    if (kind == EngineKind::Laser1D) return e.box != kEan128Box || ReadCode128Family(block).code128;
    return kind != EngineKind::LongRange || e.longRange;
}

struct Parsed {
    bool number = false;
    int value = 0;
};
// Only the digits 0-9 make a number; the value is capped where no range reaches.
Parsed ParseNumber(std::u16string_view text) {
    Parsed p;
    if (text.empty()) return p;
    long long value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return p;
        if (value < 1000000000LL) value = value * 10 + (c - u'0');
    }
    p.number = true;
    p.value = static_cast<int>(std::min<long long>(value, 1000000000LL));
    return p;
}

NumberEditResult Correct(std::u16string_view text, int notNumber, int minimum, int maximum,
                         int& value) {
    const Parsed p = ParseNumber(text);
    value = p.number ? p.value : notNumber;
    if (value < minimum) value = minimum;
    if (value > maximum) value = maximum;
    const bool rewrite =
        !p.number || value != p.value || (text.size() >= 2 && text.front() == u'0');
    NumberEditResult result;
    result.text = rewrite ? Number(value) : std::u16string(text);
    result.changed = result.text != text;
    return result;
}

NumberEditResult Greyed(std::u16string_view text) {
    NumberEditResult result;
    result.text = std::u16string(text);
    result.accepted = false;
    return result;
}

}  // namespace

const SymbologyBoxView* BarcodePageView::Box(int box) const {
    for (const SymbologyBoxView& b : boxes)
        if (b.box == box) return &b;
    return nullptr;
}

BarcodePageView ViewBarcodePage(const EditingSession& s) {
    const Byte readerType = ReaderTypeOf(s);
    const EngineKind kind = KindOf(readerType);
    const bool oneD = kind == EngineKind::Laser1D;
    const std::span<const Byte> block = SettingsBytes(s.working, BlockOf(readerType));
    const std::span<const SymbologyEnable> table = SymbologiesFor(readerType);

    BarcodePageView v;
    v.kind = kind;
    v.engineGroup = UiText(s, 1801);
    v.engineLabel = UiText(s, 1810);
    v.rfidText = UiText(s, 1804);
    v.optionsGroup = UiText(s, 302);
    v.symbologyGroup = UiText(s, 307);
    v.aimingLabel = UiText(s, 1825);
    v.aimingUnit = UiText(s, 1824);
    v.moreText = UiText(s, 334);
    v.codeIdText = UiText(s, 335);
    v.resetText = UiText(s, 1228);
    v.weightGroup = UiText(s, 1223);
    v.useText = UiText(s, 1224);
    v.maskText = UiText(s, 1225);
    v.gs1Group = UiText(s, 1226);
    v.settingsText = UiText(s, 1227);
    const int firstLabel = oneD ? 303 : 1821;
    v.firstListLabel = UiText(s, firstLabel);
    v.secondListLabel = UiText(s, firstLabel + 1);
    v.timeoutLabel = UiText(s, firstLabel + 2);
    v.timeoutUnit = UiText(s, firstLabel + 3);

    for (std::size_t i = 0; i < kEngineList.size(); ++i)
        v.engine.entries.push_back(
            {UiText(s, kEngineTextIds[i]), static_cast<int>(kEngineList[i])});
    v.engine.selected = EngineIndex(readerType);
    v.rfid = HasRfid(readerType);
    v.rfidParametersEnabled = v.rfid;

    const Byte control = s.working.symbologyOptions[kReaderControlByte];
    if (oneD) {
        const auto& ro = s.working.readerOptions;
        v.firstList = TextList(s, kScanModeFirstId, kScanModeCount,
                               ScanModeBits::Get(ro[kScanModeByte]), true);
        v.secondList = TextList(s, kRedundancyFirstId, kRedundancyCount,
                                RedundancyBits::Get(ro[kRedundancyByte]), true);
        v.timeout = {Number(ro[kOneDTimeoutByte]), 3, true};
    } else {
        // The 2D family shows its illumination, aiming pattern and time-out but keeps them.
        v.firstList = TextList(s, kIlluminationFirstId, kIlluminationCount,
                               IlluminationBits::Get(control), false);
        v.secondList = TextList(s, kAimingPatternFirstId, kAimingPatternCount,
                                AimingPatternBits::Get(control), false);
        v.timeout = {Number(TwoDTimeoutBits::Get(control)), 1, false};
    }
    v.optionLabelsEnabled = oneD;
    v.aimingTime = {Number(s.working.symbologyOptions[kAimingTimeByte]), 3,
                    kind == EngineKind::LongRange};

    for (int box = kFirstBox; box <= kMaxBox; ++box) {
        SymbologyBoxView b;
        b.box = box;
        const SymbologyEnable* e = FindBox(table, box);
        if (e == nullptr) {
            b.shown = false;
            b.enabled = false;
            v.boxes.push_back(b);
            continue;
        }
        b.text = UiText(s, e->textId);
        b.checked = SymbologyOn(block, *e, oneD);
        b.enabled = BoxEnabled(block, *e, kind);
        b.dialog = e->dialog;
        b.moreShown = !e->dialog.empty();
        b.moreEnabled = b.moreShown && MoreEnabled(block, *e, kind);
        v.boxes.push_back(b);
    }
    v.weightBarcodes = Rules(s.working).WeightBarcodeEnabled() != 0;
    v.gs1Identifiers = s.working.readerOptions2[kGs1UseByte] != 0;
    return v;
}

Outcome SelectEngine(EditingSession& s, int index) {
    if (index < 0 || index >= static_cast<int>(kEngineList.size())) return Outcome::Refuse();
    Byte& readerType = ReaderTypeByte(s);
    if (index != EngineIndex(readerType)) readerType = WithEngine(readerType, index);
    return Outcome::Accept();
}

Outcome SetRfidReader(EditingSession& s, bool present) {
    Byte& readerType = ReaderTypeByte(s);
    readerType = static_cast<Byte>(present ? readerType | kRfidMask : readerType & ~kRfidMask);
    return Outcome::Accept();
}

Outcome SetSymbologyBox(EditingSession& s, int box, bool checked) {
    const Byte readerType = ReaderTypeOf(s);
    const EngineKind kind = KindOf(readerType);
    const SymbologyEnable* e = FindBox(SymbologiesFor(readerType), box);
    const std::span<Byte> block = SettingsBytes(s.working, BlockOf(readerType));
    if (e == nullptr || !BoxEnabled(block, *e, kind)) return Outcome::Refuse();
    SetSymbology(block, *e, kind == EngineKind::Laser1D, checked);
    return Outcome::Accept();
}

Outcome SelectScanMode(EditingSession& s, int index) {
    if (Is2DFamily(ReaderTypeOf(s)) || index < 0 || index >= kScanModeCount)
        return Outcome::Refuse();
    ScanModeBits::Write(s.working.readerOptions[kScanModeByte], static_cast<Byte>(index));
    return Outcome::Accept();
}

Outcome SelectRedundancy(EditingSession& s, int index) {
    if (Is2DFamily(ReaderTypeOf(s)) || index < 0 || index >= kRedundancyCount)
        return Outcome::Refuse();
    RedundancyBits::Write(s.working.readerOptions[kRedundancyByte], static_cast<Byte>(index));
    return Outcome::Accept();
}

NumberEditResult EditTimeout(EditingSession& s, std::u16string_view text) {
    if (Is2DFamily(ReaderTypeOf(s))) return Greyed(text);
    int value = 0;
    NumberEditResult result = Correct(text, 1, 1, 255, value);
    s.working.readerOptions[kOneDTimeoutByte] = static_cast<Byte>(value);
    return result;
}

NumberEditResult EditAimingTime(EditingSession& s, std::u16string_view text) {
    if (KindOf(ReaderTypeOf(s)) != EngineKind::LongRange) return Greyed(text);
    int value = 0;
    NumberEditResult result = Correct(text, 0, 0, 255, value);
    s.working.symbologyOptions[kAimingTimeByte] = static_cast<Byte>(value);
    return result;
}

void SetWeightBarcodesUsed(EditingSession& s, bool used) {
    Rules(s.working).WeightBarcodeEnabled() = used ? 1 : 0;
}

void SetGs1IdentifiersUsed(EditingSession& s, bool used) {
    s.working.readerOptions2[kGs1UseByte] = used ? 1 : 0;
}

void ResetReaderPage(EditingSession& s) {
    // The reset also clears `ReaderOptions2`, whose working copy holds the GS1 use flag and
    // the display formats; those belong to the sheet's other settings and stay.
    const auto kept = s.working.readerOptions2;
    ResetReaderSettings(s.working);
    s.working.readerOptions2 = kept;
}

void ApplyBarcodePage(EditingSession& s) {
    const Byte readerType = ReaderTypeOf(s);
    switch (KindOf(readerType)) {
        case EngineKind::Laser1D: {
            const std::span<Byte> ro = s.working.readerOptions;
            WriteCode128Family(ro, ReadCode128Family(ro));
            break;
        }
        case EngineKind::LongRange:
            for (const SymbologyEnable& e : TwoDSymbologies())
                if (!e.longRange) SetSymbology(s.working.symbologyOptions, e, false, false);
            break;
        case EngineKind::Imager2D:
            break;
    }
}

}  // namespace fw::reader
