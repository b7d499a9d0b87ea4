#include "model/defaults.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "model/codepage.h"
#include "model/language.h"

namespace fw {
namespace {

constexpr std::array<Byte, kReaderOptionsSize> kReaderOptionsDefault = {
    0x9B, 0xC9, 0x00, 0x3F, 0x80, 0x2D, 0x54, 0x80, 0x00, 0x19, 0x3D, 0x00,
    0xFF, 0x01, 0xFE, 0x01, 0xFF, 0x01, 0xFF, 0x01, 0x66, 0x03, 0xC3,
};
// Bytes 32..44 are zero.
constexpr std::array<Byte, kSymbologyOptionsSize> kSymbologyOptionsDefault = {
    0xD8, 0x57, 0x80, 0x06, 0xE0, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x80, 0xE0, 0x9C, 0x39, 0x00,
};
constexpr std::array<Byte, kReaderExtraSize> kReaderExtraDefault = {
    0x80, 0x2C, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
};

// The main menu's fourth line is a spacer, not a translatable text.
constexpr int kMainMenuGroup = 2;
constexpr int kMainMenuBlankLine = 3;

std::u16string CutToCell(std::u16string text) {
    if (text.size() > kTextCellChars) text.resize(kTextCellChars);
    return text;
}

template <class Span>
void Fill(Span s, Byte value) {
    std::fill(s.begin(), s.end(), value);
}

void FillRange(Byte* base, std::size_t from, std::size_t to, Byte value) {
    std::fill(base + from, base + to + 1, value);
}

// A cell that is overwritten as a whole: no stale bytes from a loaded file stay behind its
// terminator, so a new definition has the same bytes whatever was open before.
void WriteWholeCell(std::span<Byte, kTextCellSize> cell, std::u16string_view text) {
    Fill(cell, 0);
    StoreCellText(cell, text);
}

void ResetForm(Definition& d, int n) {
    FormRecord f = Form(d, n);
    Byte* b = f.Data();
    // Everything up to LineText50 and from LastInputLine to ErrorTarget starts at zero;
    // LineText50 keeps its tail and Reserved1200 is left as loaded.
    FillRange(b, 0, 612, 0);
    FillRange(b, 1013, 1199, 0);

    f.NextTarget() = static_cast<Byte>(n + 1);
    f.SeparateDateTime() = 1;
    f.StampYear() = 1;
    f.StampMonth() = 1;
    f.StampDay() = 1;
    f.DateSeparatorOn() = 1;
    f.DateSeparator()[0] = '/';
    f.StampHour() = 1;
    f.StampMinute() = 1;
    f.StampSecond() = 1;
    f.TimeSeparatorOn() = 1;
    f.TimeSeparator()[0] = ':';
    for (int i = 0; i < kLinesPerForm; ++i) {
        f.InputSource(i) = 2;
        f.MaxLength(i) = 80;
        f.PartialLength(i) = 20;
        f.AutoEnter(i) = 1;
        f.LineText50(i)[0] = 0;
    }
    f.SerialPartVariable() = 1;
    f.SerialQuantityField() = 1;
    for (int k = 0; k < kFnGroups; ++k) {
        f.TotalSumField(k) = 1;
        f.BalanceFilterVariable(k) = 1;
        f.TotalFilterVariable(k) = 1;
    }
    std::fill_n(FieldLink(d, n).Data(), kFieldLinkRecordSize, Byte{0});
}

void ResetLookup(Definition& d, int db) {
    LookupRecord l = Lookup(d, db);
    FillRange(l.Data(), 0, 44, 0);
    for (int field = 0; field < kFieldsPerLookup; ++field)
        l.FieldOffset(field) = 1;
    l.CanBeUploaded() = 1;
}

void ResetTerminalSettings(Definition& d) {
    TerminalSettingsRecord t = Terminal(d);
    Byte* b = t.Data();
    // 69..83 are kept as loaded; the utility lines (150..254) are written with the texts.
    FillRange(b, 0, 68, 0);
    FillRange(b, 84, 149, 0);
    t.SettingsLayout() = 0x32;
    t.DelimiterCode1() = 0x2C;
    t.BacklightTimeout() = 2;
    t.EntryOption() = 1;
    t.PromptDuration() = 6;
    t.KeyClick() = 2;
    t.GoodReadBeep() = 1;
    t.WarningBeep() = 2;
}

}  // namespace

void WriteFormatTag(Definition& d) {
    static_assert(sizeof(kFormatTag) == kFormatTagSize);
    std::memcpy(d.formatTag.data(), kFormatTag, kFormatTagSize);
}

void LoadDefaultTexts(Definition& d, const Language& language) {
    DefaultTexts& t = d.defaults;
    int line = 0;
    for (int g = 1; g <= kScreenTextGroupCount; ++g) {
        const ScreenTextGroupInfo& info = kScreenTextGroups[g - 1];
        for (int k = 0; k < info.lines; ++k, ++line) {
            if (info.firstStringId == 0) {
                t.screenLines[line].clear();
            } else if (g == kMainMenuGroup && k == kMainMenuBlankLine) {
                t.screenLines[line] = std::u16string(kTextCellChars, u' ');
            } else {
                t.screenLines[line] = CutToCell(LoadUiString(language, info.firstStringId + k));
            }
        }
    }
    for (int k = 0; k < kUtilityLineCount; ++k)
        t.utilityLines[k] = CutToCell(LoadUiString(language, kUtilityFirstStringId + k));
}

void ResetReaderSettings(Definition& d) {
    d.readerOptions = kReaderOptionsDefault;
    d.symbologyOptions = kSymbologyOptionsDefault;
    d.readerExtra = kReaderExtraDefault;
    d.readerOptions2.fill(0);
}

void NewDefinition(Definition& d) {
    for (int n = 0; n < kFormCount; ++n)
        ResetForm(d, n);
    for (int n = 0; n < kMenuCount; ++n)
        FillRange(Menu(d, n).Data(), 0, 249, 0);
    for (int db = 1; db <= kLookupCount; ++db)
        ResetLookup(d, db);
    ResetTerminalSettings(d);

    d.barcodeRules.fill(0);
    BarcodeRulesRecord rules = Rules(d);
    for (int n = 0; n < kFormCount; ++n)
        for (int i = 0; i < kLinesPerForm - 1; ++i)
            rules.WeightTargetLine(n, i) = static_cast<Byte>(i + 2);

    d.variableNames.fill(0);
    VariableNamesRecord vars = Variables(d);
    for (int v = 1; v <= kVariableCount; ++v)
        StoreCellText(vars.Name(v), DefaultVariableName(v));

    d.networkSettings.fill(0);

    TerminalSettingsRecord t = Terminal(d);
    t.ReaderType() = 0;
    t.Vibration() = 0;
    t.DataPlacement() = 0;

    int line = 0;
    for (int g = 1; g <= kScreenTextGroupCount; ++g)
        for (int k = 0; k < kScreenTextGroups[g - 1].lines; ++k, ++line)
            WriteWholeCell(ScreenTextLine(d, g, k), d.defaults.screenLines[line]);
    for (int k = 0; k < kUtilityLineCount; ++k)
        WriteWholeCell(t.UtilityLine(k), d.defaults.utilityLines[k]);
}

std::u16string DefaultVariableName(int n) {
    std::u16string name = u"Переменная";
    for (char c : std::to_string(n))
        name.push_back(static_cast<char16_t>(c));
    return name;
}

}  // namespace fw
