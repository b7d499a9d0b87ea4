// The properties dialog of a field line of any type but lookup: fixed length, initial value,
// prefix and suffix codes, input mark, decimal places, partial barcode reading, leading code,
// check digit and auto ENTER of the current line.
#pragma once

#include <array>
#include <span>
#include <string>

#include "editor/outcome.h"
#include "editor/session.h"

namespace fw::editor {

// What the dialog keeps while open: the form record, the weight-barcode rules and the form's
// barcode-parsing links as it found them (the parsing dialog it opens changes those), and
// whether "Show input mark" is checked, which the bytes only know once a mark is stored.
struct FieldDialog {
    Snapshot snapshot;
    Block<kBarcodeRulesSize> barcodeRules{};
    std::array<Byte, kFieldLinkRecordSize> fieldLinks{};
    bool inputMarkOn = false;
};
FieldDialog OpenFieldDialog(EditingSession& session);
// Cancel: the record, the rules and the links as the dialog found them.
void CancelFieldDialog(EditingSession& session, const FieldDialog& dialog);
// OK: an unchecked input mark is stored as 0, a prefix or suffix that is off stops counting in
// the database search, and the partial-reading start and length are put in range.
void ConfirmFieldDialog(EditingSession& session, const FieldDialog& dialog);

enum class FieldFlag {
    FixedLength,
    InitialValue,
    Prefix,
    Suffix,
    PrefixInSearch,
    SuffixInSearch,
    InputMark,
    PartialBarcode,
    KeepWholeBarcode,
    LeadingCode,
    CheckDigit,
};

struct FieldDialogView {
    int formNumber = 0;  // "Form #", 1..10
    int lineNumber = 0;  // "Line #", 1..8
    bool fixedLength = false;
    int fixedLengthValue = 0;
    ListView alignment;  // enabled with "Fixed data length"
    bool initialValue = false;
    std::u16string initialText;
    bool initialEnabled = false;
    bool prefix = false, suffix = false;
    std::array<Byte, 10> prefixCode{}, suffixCode{};
    bool prefixInSearch = false, suffixInSearch = false;
    bool prefixInSearchEnabled = false, suffixInSearchEnabled = false;
    bool inputMark = false;
    std::u16string inputMarkText;
    bool inputMarkEnabled = false;
    ListView decimalPlaces;
    bool partialBarcode = false;
    bool partialEnabled =
        false;  // not for fixed data, nor for a line whose barcode feeds GS1 rules
    int partialStart = 0, partialLength = 0;
    bool keepWholeBarcode = false;
    bool leadingCode = false;
    bool leadingCodeEnabled = false;
    std::u16string leadingCodeText;
    bool checkDigit = false;
    bool checkDigitEnabled = false;
    ListView checkDigitMethod;
    ListView autoEnter;
};
FieldDialogView ViewFieldDialog(const EditingSession& session, const FieldDialog& dialog);

Outcome SetFieldFlag(EditingSession& session, FieldDialog& dialog, FieldFlag flag, bool on);
// The typed numbers: non-numeric text stores 0, larger numbers the cap (255).
Outcome EditFixedLength(EditingSession& session, std::u16string_view text);
Outcome EditPartialStart(EditingSession& session, std::u16string_view text);
Outcome EditPartialLength(EditingSession& session, std::u16string_view text);
Outcome SelectAlignment(EditingSession& session, int index);
Outcome SelectDecimalPlaces(EditingSession& session, int index);
Outcome SelectCheckDigit(EditingSession& session, int index);
Outcome SelectAutoEnter(EditingSession& session, int index);
// Filtered by the line type as typed (see FilterInitialValue); the view shows what was kept.
Outcome EditInitialValue(EditingSession& session, std::u16string_view text);
// One character; longer input is cut.
Outcome EditInputMark(EditingSession& session, std::u16string_view text);
// At most 5 characters.
Outcome EditLeadingCode(EditingSession& session, std::u16string_view text);
// A prefix or suffix code as the character grid editor composed it, with its variable nibbles.
enum class LineCode { Prefix, Suffix };
Outcome StoreLineCode(EditingSession& session, LineCode which, std::span<const Byte, 10> code,
                      std::span<const Byte, 5> nibbles);

// What an initial value of a line of the given type keeps of the typed text: at most 9
// characters (1 for boolean); digits only for the numeric types, with the first decimal point
// for real, auto(+/-) and weight; the leading letters and digits for alphameric; for boolean
// one of 1 0 T F t f Y N y n, else nothing.
std::u16string FilterInitialValue(int type, std::u16string_view text);

}  // namespace fw::editor
