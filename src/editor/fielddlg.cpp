#include "editor/fielddlg.h"

#include <algorithm>

#include "model/codepage.h"

namespace fw::editor {
namespace {

constexpr int kMaxByteNumber = 255;
constexpr int kMaxPartialLength = 80;
constexpr std::size_t kInitialChars = 9;
constexpr std::size_t kLeadingCodeChars = 5;

int Line(const EditingSession& session) {
    return std::clamp(session.currentLine, 0, kLinesPerForm - 1);
}
int LineType(const EditingSession& session) {
    return session.Form().LineType(Line(session));
}
bool FixedData(const EditingSession& session) {
    return LineType(session) == kLineFixedData;
}
bool HasDecimals(int type) {
    return type == kLineReal || type == kLineWeight;
}
// A serial-number line of a form that keeps its serial numbers in a database finds them by
// the whole code, prefix and suffix included.
bool SearchFlagsLocked(const EditingSession& session) {
    return LineType(session) == kLineSerial && session.Form().SerialStore() != 0;
}

// Whether the line's barcode is parsed into GS1 identifiers for lines of the form; it is then
// read whole.
bool FeedsGs1Rules(const EditingSession& session) {
    const ConstFieldLinkRecord links = FieldLink(session.working, session.currentForm);
    for (int t = 0; t < kLinesPerForm; ++t)
        if (links.LinkLine(t) == Line(session) + 1) return true;
    return false;
}
bool PartialAllowed(const EditingSession& session) {
    return !FixedData(session) && !FeedsGs1Rules(session);
}

int TypedNumber(std::u16string_view text) {
    if (text.empty()) return 0;
    int n = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return 0;
        n = std::min(n * 10 + (c - u'0'), kMaxByteNumber);
    }
    return n;
}

bool Digit(char16_t c) {
    return c >= u'0' && c <= u'9';
}
bool LetterOrDigit(char16_t c) {
    return Digit(c) || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') ||
           (c >= u'\u0410' && c <= u'\u044F') || c == u'\u0401' || c == u'\u0451';
}

Outcome StoreListIndex(Byte& field, const codes::CodedList& list, int index) {
    if (index < 0 || index >= static_cast<int>(list.entries.size())) return Outcome::Refuse();
    field = list.entries[static_cast<std::size_t>(index)].code;
    return Outcome::Accept();
}

}  // namespace

std::u16string FilterInitialValue(int type, std::u16string_view text) {
    std::u16string kept;
    switch (type) {
        case kLineBoolean:
            if (!text.empty() &&
                std::u16string_view(u"10TFtfYNyn").find(text[0]) != std::u16string_view::npos)
                kept = text.substr(0, 1);
            return kept;
        case kLineInteger:
        case kLineReal:
        case kLineAuto:
        case kLineWeight: {
            bool point = type == kLineInteger;  // an integer takes no point at all
            for (char16_t c : text) {
                if (Digit(c)) {
                    kept += c;
                } else if (c == u'.' && !point) {
                    kept += c;
                    point = true;
                }
            }
            break;
        }
        case kLineAlphameric:
            for (char16_t c : text) {
                if (!LetterOrDigit(c)) break;
                kept += c;
            }
            break;
        default:
            kept = text;
    }
    return kept.substr(0, kInitialChars);
}

FieldDialog OpenFieldDialog(EditingSession& session) {
    FieldDialog dialog;
    dialog.snapshot = TakeSnapshot(session);
    dialog.barcodeRules = session.working.barcodeRules;
    const Byte* links = FieldLink(session.working, session.currentForm).Data();
    std::copy_n(links, kFieldLinkRecordSize, dialog.fieldLinks.begin());
    dialog.inputMarkOn = session.Form().InputMark(Line(session)) != 0;
    return dialog;
}

void CancelFieldDialog(EditingSession& session, const FieldDialog& dialog) {
    RestoreSnapshot(session, dialog.snapshot);
    session.working.barcodeRules = dialog.barcodeRules;
    std::ranges::copy(dialog.fieldLinks, FieldLink(session.working, dialog.snapshot.form).Data());
}

void ConfirmFieldDialog(EditingSession& session, const FieldDialog& dialog) {
    FormRecord f = session.Form();
    const int line = Line(session);
    if (!dialog.inputMarkOn) f.InputMark(line) = 0;
    if (f.PrefixFlag(line) == 0) f.PrefixInSearch(line) = 0;
    if (f.SuffixFlag(line) == 0) f.SuffixInSearch(line) = 0;
    if (f.PartialStart(line) == 0) f.PartialStart(line) = 1;
    if (f.PartialLength(line) == 0 || f.PartialLength(line) > kMaxPartialLength)
        f.PartialLength(line) = kMaxPartialLength;
}

FieldDialogView ViewFieldDialog(const EditingSession& session, const FieldDialog& dialog) {
    const ConstFormRecord f = session.Form();
    const int line = Line(session);
    const int type = f.LineType(line);
    const bool fixedData = type == kLineFixedData;
    FieldDialogView v;
    v.formNumber = session.currentForm + 1;
    v.lineNumber = line + 1;
    v.fixedLength = f.FixedLengthFlag(line) != 0;
    v.fixedLengthValue = f.FixedLength(line);
    v.alignment = CodedListView(session, codes::kAlignments, f.Alignment(line));
    v.alignment.enabled = v.fixedLength;
    v.initialValue = f.InitialValueFlag(line) != 0;
    v.initialText = CellToUtf16(f.InitialValue(line));
    v.initialEnabled = !fixedData;
    v.prefix = f.PrefixFlag(line) != 0;
    v.suffix = f.SuffixFlag(line) != 0;
    std::ranges::copy(f.PrefixCode(line), v.prefixCode.begin());
    std::ranges::copy(f.SuffixCode(line), v.suffixCode.begin());
    v.prefixInSearch = f.PrefixInSearch(line) != 0;
    v.suffixInSearch = f.SuffixInSearch(line) != 0;
    v.prefixInSearchEnabled = v.prefix;
    v.suffixInSearchEnabled = v.suffix;
    v.inputMark = dialog.inputMarkOn || f.InputMark(line) != 0;
    if (f.InputMark(line) != 0)
        v.inputMarkText = std::u16string(1, Cp1251ToUtf16(f.InputMark(line)));
    v.inputMarkEnabled = !fixedData;
    v.decimalPlaces = CodedListView(session, codes::kDecimalPlaces, f.DecimalPlaces(line));
    v.decimalPlaces.enabled = HasDecimals(type);
    v.partialBarcode = f.ReadPartialBarcode(line) != 0;
    v.partialEnabled = PartialAllowed(session);
    v.partialStart = f.PartialStart(line);
    v.partialLength = f.PartialLength(line);
    v.keepWholeBarcode = f.KeepWholeBarcode(line) != 0;
    v.leadingCode = f.CheckLeadingCode(line) != 0;
    v.leadingCodeEnabled = !fixedData;
    v.leadingCodeText = CellToUtf16(f.LeadingCode(line));
    v.checkDigit = f.CheckDigit(line) != 0;
    v.checkDigitEnabled = !fixedData;
    v.checkDigitMethod = CodedListView(session, codes::kCheckDigits, f.CheckDigit(line));
    v.checkDigitMethod.enabled = v.checkDigit && !fixedData;
    v.autoEnter = CodedListView(session, codes::kAutoEnter, f.AutoEnter(line));
    v.autoEnter.enabled = !fixedData;
    return v;
}

Outcome SetFieldFlag(EditingSession& session, FieldDialog& dialog, FieldFlag flag, bool on) {
    FormRecord f = session.Form();
    const int line = Line(session);
    const bool fixedData = FixedData(session);
    const Byte value = on ? 1 : 0;
    switch (flag) {
        case FieldFlag::FixedLength:
            f.FixedLengthFlag(line) = value;
            break;
        case FieldFlag::InitialValue:
            if (fixedData) return Outcome::Refuse();
            f.InitialValueFlag(line) = value;
            break;
        case FieldFlag::Prefix:
            f.PrefixFlag(line) = value;
            break;
        case FieldFlag::Suffix:
            f.SuffixFlag(line) = value;
            break;
        case FieldFlag::PrefixInSearch:
        case FieldFlag::SuffixInSearch: {
            const bool prefix = flag == FieldFlag::PrefixInSearch;
            if ((prefix ? f.PrefixFlag(line) : f.SuffixFlag(line)) == 0) return Outcome::Refuse();
            if (!on && SearchFlagsLocked(session)) return Outcome::Refuse();
            (prefix ? f.PrefixInSearch(line) : f.SuffixInSearch(line)) = value;
            break;
        }
        case FieldFlag::InputMark:
            if (fixedData) return Outcome::Refuse();
            dialog.inputMarkOn = on;
            break;
        case FieldFlag::PartialBarcode:
            if (on && !PartialAllowed(session)) return Outcome::Refuse();
            f.ReadPartialBarcode(line) = value;
            break;
        case FieldFlag::KeepWholeBarcode:
            if (f.ReadPartialBarcode(line) == 0) return Outcome::Refuse();
            f.KeepWholeBarcode(line) = value;
            break;
        case FieldFlag::LeadingCode:
            if (fixedData) return Outcome::Refuse();
            f.CheckLeadingCode(line) = value;
            break;
        case FieldFlag::CheckDigit: {
            if (fixedData) return Outcome::Refuse();
            // Checking takes the method the list shows, the first when it shows none.
            const int index = codes::IndexOfCode(codes::kCheckDigits, f.CheckDigit(line));
            f.CheckDigit(line) = on ? static_cast<Byte>(std::max(index, 0) + 1) : Byte{0};
            break;
        }
    }
    return Outcome::Accept();
}

Outcome EditFixedLength(EditingSession& session, std::u16string_view text) {
    FormRecord f = session.Form();
    if (f.FixedLengthFlag(Line(session)) == 0) return Outcome::Refuse();
    f.FixedLength(Line(session)) = static_cast<Byte>(TypedNumber(text));
    return Outcome::Accept();
}

Outcome EditPartialStart(EditingSession& session, std::u16string_view text) {
    FormRecord f = session.Form();
    if (f.ReadPartialBarcode(Line(session)) == 0) return Outcome::Refuse();
    f.PartialStart(Line(session)) = static_cast<Byte>(TypedNumber(text));
    return Outcome::Accept();
}

Outcome EditPartialLength(EditingSession& session, std::u16string_view text) {
    FormRecord f = session.Form();
    if (f.ReadPartialBarcode(Line(session)) == 0) return Outcome::Refuse();
    f.PartialLength(Line(session)) = static_cast<Byte>(TypedNumber(text));
    return Outcome::Accept();
}

Outcome SelectAlignment(EditingSession& session, int index) {
    FormRecord f = session.Form();
    if (f.FixedLengthFlag(Line(session)) == 0) return Outcome::Refuse();
    return StoreListIndex(f.Alignment(Line(session)), codes::kAlignments, index);
}

Outcome SelectDecimalPlaces(EditingSession& session, int index) {
    if (!HasDecimals(LineType(session))) return Outcome::Refuse();
    return StoreListIndex(session.Form().DecimalPlaces(Line(session)), codes::kDecimalPlaces,
                          index);
}

Outcome SelectCheckDigit(EditingSession& session, int index) {
    FormRecord f = session.Form();
    if (FixedData(session) || f.CheckDigit(Line(session)) == 0) return Outcome::Refuse();
    return StoreListIndex(f.CheckDigit(Line(session)), codes::kCheckDigits, index);
}

Outcome SelectAutoEnter(EditingSession& session, int index) {
    if (FixedData(session)) return Outcome::Refuse();
    return StoreListIndex(session.Form().AutoEnter(Line(session)), codes::kAutoEnter, index);
}

Outcome EditInitialValue(EditingSession& session, std::u16string_view text) {
    if (FixedData(session)) return Outcome::Refuse();
    StoreCellText(session.Form().InitialValue(Line(session)),
                  FilterInitialValue(LineType(session), text));
    return Outcome::Accept();
}

Outcome EditInputMark(EditingSession& session, std::u16string_view text) {
    if (FixedData(session)) return Outcome::Refuse();
    session.Form().InputMark(Line(session)) = text.empty() ? Byte{0} : Utf16ToCp1251(text[0]);
    return Outcome::Accept();
}

Outcome EditLeadingCode(EditingSession& session, std::u16string_view text) {
    FormRecord f = session.Form();
    if (FixedData(session) || f.CheckLeadingCode(Line(session)) == 0) return Outcome::Refuse();
    StoreCellText(f.LeadingCode(Line(session)), text.substr(0, kLeadingCodeChars));
    return Outcome::Accept();
}

Outcome StoreLineCode(EditingSession& session, LineCode which, std::span<const Byte, 10> code,
                      std::span<const Byte, 5> nibbles) {
    FormRecord f = session.Form();
    const int line = Line(session);
    const bool prefix = which == LineCode::Prefix;
    if ((prefix ? f.PrefixFlag(line) : f.SuffixFlag(line)) == 0) return Outcome::Refuse();
    std::ranges::copy(code, (prefix ? f.PrefixCode(line) : f.SuffixCode(line)).begin());
    std::ranges::copy(nibbles,
                      (prefix ? f.PrefixCodeNibbles(line) : f.SuffixCodeNibbles(line)).begin());
    return Outcome::Accept();
}

}  // namespace fw::editor
