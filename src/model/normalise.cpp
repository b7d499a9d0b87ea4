#include "model/normalise.h"

#include <algorithm>

#include "model/codepage.h"
#include "model/defaults.h"

namespace fw {
namespace {

bool IsNilOrExtension(Byte type) {
    return type == kLineNil || type == kLineExtension;
}

// Line types whose data can come from a database field.
bool KeepsLookupField(Byte type) {
    return (type >= kLineText && type <= kLineLookup) || type == kLineAlphameric ||
           type == kLineWeight || type == kLineSerial;
}

// Line types the user types or scans into; they count for LastInputLine.
bool IsInputLine(Byte type) {
    return (type >= kLineText && type <= kLineBoolean) ||
           (type >= kLinePause && type <= kLineSerial);
}

// Line types that can carry data into an extension line.
bool TakesExtension(Byte type) {
    return (type >= kLineText && type <= kLineBoolean) || type == kLineAlphameric ||
           type == kLineWeight || type == kLineSerial;
}

// Line types whose scanned barcode can be parsed into another line.
bool CanBeLinkTarget(Byte type) {
    return (type >= kLineText && type <= kLineBoolean) || type == kLineAlphameric ||
           type == kLineSerial;
}

// Nibble values run 0..10; a damaged nibble becomes 1, its neighbour is kept.
void RepairNibbles(std::span<Byte> bytes) {
    for (Byte& b : bytes) {
        Byte high = static_cast<Byte>(b >> 4);
        Byte low = static_cast<Byte>(b & 0x0F);
        if (high > 10) high = 1;
        if (low > 10) low = 1;
        b = static_cast<Byte>((high << 4) | low);
    }
}

// Pads a cell's text with blanks to the full width of the screen and terminates it at the
// last byte; a text without a terminator is cut to the width.
void PadCell(std::span<Byte, kTextCellSize> cell) {
    std::size_t n = std::min(CellTextLength(cell), kTextCellChars);
    std::fill(cell.begin() + n, cell.begin() + kTextCellChars, Byte{' '});
    cell[kTextCellChars] = 0;
}

// A menu item counts when it shows something other than blanks on the screen.
bool IsUsedItem(std::span<const Byte, kTextCellSize> cell) {
    for (std::size_t i = 0; i < kTextCellChars && cell[i] != 0; ++i)
        if (cell[i] > 0x20) return true;
    return false;
}

// The database a form searches, or none for 0 and for a number no database has.
int FormDatabase(FormRecord f) {
    Byte db = f.FormLookup();
    return db >= 1 && db <= kLookupCount ? db : 0;
}

void NormaliseLine(Definition& d, FormRecord f, int i) {
    Byte type = f.LineType(i);
    RepairNibbles(f.PrefixCodeNibbles(i));
    RepairNibbles(f.SuffixCodeNibbles(i));

    switch (type) {
        case kLineNil:
        case kLinePassDown:
        case kLineExtension:
        case kLinePause:
            f.SaveToVariable(i) = 0;
            f.FillFromVariable(i) = 0;
            break;
        case kLineLookup:
        case kLineCounter:
            f.FillFromVariable(i) = 0;
            break;
        case kLineFixedData:
        case kLinePrompt:
            f.SaveToVariable(i) = 0;
            break;
        default:
            break;
    }

    // A serial number is searched by the key field of the form's database. Without a
    // database there is no key to take, so the line's field is left as it is.
    int db = FormDatabase(f);
    if (type == kLineSerial && db != 0) {
        f.LineLookupField(i) = static_cast<Byte>(Lookup(d, db).KeyField() + 1);
        if (f.SerialStore() != 0) {
            if (f.PrefixFlag(i) != 0) f.PrefixInSearch(i) = 1;
            if (f.SuffixFlag(i) != 0) f.SuffixInSearch(i) = 1;
        }
    }

    if (f.SaveToVariable(i) > 10) f.SaveToVariable(i) = 0;
    if (f.FillFromVariable(i) > 10) f.FillFromVariable(i) = 0;
    if (f.KeepWholeBarcode(i) != 0) f.KeepWholeBarcode(i) = 1;
    if (f.WeightSourceKeep(i) > 2) f.WeightSourceKeep(i) = 0;
    if (f.PrefixInSearch(i) != 0) f.PrefixInSearch(i) = 1;
    if (f.SuffixInSearch(i) != 0) f.SuffixInSearch(i) = 1;
    if (f.PrefixFlag(i) == 0) f.PrefixInSearch(i) = 0;
    if (f.SuffixFlag(i) == 0) f.SuffixInSearch(i) = 0;
}

void NormaliseFormTotals(Definition& d, FormRecord f) {
    int db = FormDatabase(f);
    int n = db != 0 ? Lookup(d, db).FieldCount() : kFieldsPerLookup;

    if (f.SerialPartVariable() == 0 || f.SerialPartVariable() > 10) f.SerialPartVariable() = 1;
    if (f.SerialQuantityField() == 0 || f.SerialQuantityField() > n) f.SerialQuantityField() = 1;
    Byte store = f.SerialStore();
    if (store > kLookupCount || (store != 0 && Lookup(d, store).FieldCount() == 0))
        f.SerialStore() = 0;

    for (int k = 0; k < kFnGroups; ++k) {
        if (f.TotalSumField(k) == 0 || f.TotalSumField(k) > n) f.TotalSumField(k) = 1;
        // 1..8 name a database field, 9..18 a variable; only field numbers depend on the
        // database.
        Byte m = f.TotalMultiplier(k);
        if (m > 18 || (db != 0 && m > n && m < 9)) f.TotalMultiplier(k) = 0;
        if (f.BalanceFilterField(k) > n) f.BalanceFilterField(k) = 0;
        if (f.BalanceFilterVariable(k) == 0 || f.BalanceFilterVariable(k) > 10)
            f.BalanceFilterVariable(k) = 1;
        if (f.BalanceCompare(k) > 2) f.BalanceCompare(k) = 0;
        if (f.TotalFilterField(k) > n) f.TotalFilterField(k) = 0;
        if (f.TotalFilterVariable(k) == 0 || f.TotalFilterVariable(k) > 10)
            f.TotalFilterVariable(k) = 1;
        if (f.TotalCompare(k) > 2) f.TotalCompare(k) = 0;
    }
}

void NormaliseWeightRules(Definition& d) {
    BarcodeRulesRecord r = Rules(d);
    if (r.WeightBarcodeEnabled() != 1) r.WeightBarcodeEnabled() = 0;
    if (r.WeightMaskCount() > kWeightMaskSlots) r.WeightMaskCount() = 0;
    for (int n = 0; n < kFormCount; ++n) {
        for (int i = 0; i < kLinesPerForm; ++i) {
            // The last line has no line below it to pass a weight to.
            Byte& flag = r.WeightTransferFlag(n, i);
            if (flag != 0) flag = i == kLinesPerForm - 1 ? 0 : 1;
            if (i == kLinesPerForm - 1) continue;
            Byte& target = r.WeightTargetLine(n, i);
            if (target < i + 2 || target > kLinesPerForm) target = static_cast<Byte>(i + 2);
        }
    }
}

void NormaliseNetwork(Definition& d) {
    NetworkSettingsRecord net = Network(d);
    if (net.Dhcp() != 0) net.Dhcp() = 1;
    if (net.Encryption() > 4) net.Encryption() = 0;
    if (net.WepAuthentication() <= 1)
        net.WepKeyLength() = net.WepKeyLength() == 1 ? 1 : 0;
    else
        net.WepKeyLength() = 1;
    if (net.ActiveWepKey() > 3) net.ActiveWepKey() = 0;
}

void NormaliseReaderOptions2(Definition& d) {
    auto& r = d.readerOptions2;
    // While GS1 transfer is on the terminal must not apply the setting behind byte 258.
    if (r[0] == 1)
        Terminal(d).SettingsByte258() = 0;
    else
        r[0] = 0;
    if (r[1] != 1) r[1] = 0;
    if (r[2] > 4) r[2] = 0;
    if (r[3] != 1) r[3] = 0;
    if (r[4] > 4) r[4] = 0;
    if (r[5] > 2) r[5] = 0;
}

void NormaliseFieldLinks(Definition& d) {
    for (int n = 0; n < kFormCount; ++n) {
        FormRecord f = Form(d, n);
        FieldLinkRecord links = FieldLink(d, n);
        for (int i = 0; i < kLinesPerForm; ++i) {
            Byte& source = links.LinkLine(i);
            Byte& value = links.LinkValue(i);
            if (source != 0 && !CanBeLinkTarget(f.LineType(i))) source = 0;
            // A line parsing its own whole barcode is no link at all.
            if (value == 0 && source == i + 1) source = 0;
            // Only the line itself or a line above it can be the source.
            if (source > i + 1) source = 0;
            // A parsed barcode is taken whole; a partial read of the source would lose parts.
            if (source != 0) f.ReadPartialBarcode(source - 1) = 0;
            if (value >= 234) value = 0;
        }
    }
}

}  // namespace

void NormaliseLengths(Definition& d) {
    for (int n = 0; n < kFormCount; ++n) {
        FormRecord f = Form(d, n);
        for (int i = 0; i < kLinesPerForm; ++i) {
            if (f.MaxLength(i) > 80) f.MaxLength(i) = 80;
            if (f.MinLength(i) > f.MaxLength(i)) f.MinLength(i) = f.MaxLength(i);
            Byte type = f.LineType(i);
            if (IsNilOrExtension(type)) {
                std::ranges::fill(f.LinePrompt(i), Byte{0});
                f.LineLookupField(i) = 0;
            } else if (!KeepsLookupField(type)) {
                f.LineLookupField(i) = 0;
            }
        }
    }
}

void NormaliseMenusAndLines(Definition& d) {
    for (int j = 0; j < kMenuCount; ++j) {
        MenuRecord m = Menu(d, j);
        if (m.HasCaption() != 0) PadCell(m.Caption());
        int used = 0;
        for (int k = 0; k < kMenuItems; ++k) {
            if (IsUsedItem(m.ItemText(k))) ++used;
            PadCell(m.ItemText(k));
        }
        m.ItemCount() = static_cast<Byte>(used);

        FormRecord f = Form(d, j);
        int last = 0;
        for (int i = 0; i < kLinesPerForm; ++i) {
            Byte type = f.LineType(i);
            if (IsNilOrExtension(type)) {
                f.LinePrompt(i)[0] = 0;
                f.LineLookupField(i) = 0;
            } else if (!KeepsLookupField(type)) {
                f.LineLookupField(i) = 0;
            }
            if (IsInputLine(type)) last = i + 1;
        }
        f.LastInputLine() = static_cast<Byte>(last);
    }
}

void NormaliseSettings(Definition& d) {
    for (int n = 0; n < kFormCount; ++n) {
        FormRecord f = Form(d, n);
        for (int i = 0; i < kLinesPerForm; ++i)
            NormaliseLine(d, f, i);
    }
    VariableNamesRecord vars = Variables(d);
    for (int n = 0; n < kFormCount; ++n) {
        NormaliseFormTotals(d, Form(d, n));
        // Every variable keeps a name the terminal can show.
        auto name = vars.Name(n + 1);
        if (name[0] == 0) StoreCellText(name, DefaultVariableName(n + 1));
    }
    NormaliseWeightRules(d);
    RepairNibbles(vars.VariableNibbles());
    NormaliseNetwork(d);
    NormaliseReaderOptions2(d);
    NormaliseFieldLinks(d);
}

void NormaliseDefinition(Definition& d) {
    NormaliseLengths(d);
    NormaliseMenusAndLines(d);
    NormaliseSettings(d);
}

void FixUpForms(Definition& d) {
    const bool weightOn = Rules(d).WeightBarcodeEnabled() != 0;
    for (int n = 0; n < kFormCount; ++n) {
        FormRecord f = Form(d, n);
        for (int i = 0; i < kLinesPerForm; ++i) {
            if (!weightOn && f.LineType(i) == kLineWeight) f.LineType(i) = kLineReal;

            auto prompt = f.LinePrompt(i);
            if (CellTextLength(prompt) > kTextCellChars) prompt[kTextCellChars] = 0;

            Byte type = f.LineType(i);
            // The input of a line goes on over its extension lines, 20 characters each, after
            // the part of the first screen line that its prompt takes.
            if (TakesExtension(type) && i + 1 < kLinesPerForm &&
                f.LineType(i + 1) == kLineExtension) {
                int p = static_cast<int>(std::min(CellTextLength(prompt), kTextCellChars));
                int length = std::max(f.MaxLength(i) - 20 + p, 0);
                for (int e = i + 1; e <= i + 4 && e < kLinesPerForm; ++e) {
                    if (f.LineType(e) != kLineExtension) break;
                    if (e > i + 1) length = std::max(length - 20, 0);
                    f.MaxLength(e) = static_cast<Byte>(length);
                    f.AutoEnter(e) = f.AutoEnter(i);
                    f.InputMark(e) = f.InputMark(i);
                }
            }

            if (IsNilOrExtension(type)) {
                f.LineLookupField(i) = 0;
                std::ranges::fill(prompt, Byte{0});
                f.MinLength(i) = 0;
                f.FixedLengthFlag(i) = 0;
                f.Alignment(i) = 0;
                f.FixedLength(i) = 0;
                f.InitialValueFlag(i) = 0;
                f.InitialValue(i)[0] = 0;
                f.PrefixFlag(i) = 0;
                std::ranges::fill(f.PrefixCode(i), Byte{0});
                f.SuffixFlag(i) = 0;
                std::ranges::fill(f.SuffixCode(i), Byte{0});
                f.ReadPartialBarcode(i) = 0;
                f.PartialStart(i) = 0;
                f.CheckLeadingCode(i) = 0;
                std::ranges::fill(f.LeadingCode(i), Byte{0});
                f.LineText50(i)[0] = 0;
                f.InputSource(i) = 2;
                f.PartialLength(i) = 20;
                if (type == kLineNil) {
                    f.MaxLength(i) = 80;
                    f.AutoEnter(i) = 1;
                    f.InputMark(i) = 0;
                }
            }
        }
    }
}

}  // namespace fw
