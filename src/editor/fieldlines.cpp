#include "editor/fieldlines.h"

#include <algorithm>
#include <span>
#include <utility>

#include "model/codepage.h"

namespace fw::editor {
namespace {

constexpr int kMaxLineLength = 80;
constexpr int kMaxWeightLength = 16;
constexpr int kReal = 3;  // the list index that shows a weight line
constexpr Byte kUpdateLookup = 1;
constexpr Byte kSaveAndUpdate = 2;
constexpr std::size_t kGs1TransferByte =
    layout::Find(layout::kReaderOptions2, "Gs1Transfer").offset;

bool ValidLine(int line) {
    return line >= 0 && line < kLinesPerForm;
}
bool Between(int t, int low, int high) {
    return t >= low && t <= high;
}

// What each control of a line offers for a stored type. A type the list does not know offers
// nothing, so a damaged byte is shown but cannot be built on.
bool PromptEnabled(int t) {
    return Between(t, 1, 11) || Between(t, 13, 16);
}
bool MoreEnabled(int t) {
    return Between(t, 1, 8) || Between(t, 14, 16);
}
bool LengthsEnabled(int t) {
    return Between(t, 1, 5) || Between(t, 14, 16);
}
bool InputSourceEnabled(int t) {
    return LengthsEnabled(t) || t == kLineBoolean;
}
bool LookupColumnEnabled(int t) {
    return InputSourceEnabled(t) || t == kLineLookup;
}
bool OperationsEnabled(int t) {
    return Between(t, 1, 16) && !Between(t, 11, 13);
}

const codes::CodedList& LookupColumnsFor(int type) {
    return NumericLineType(type) ? codes::kLookupColumns : codes::kPlainLookupColumns;
}

// A serial-number line on a form with a defined database reads the database's key field.
bool SerialReadsKey(const EditingSession& session, int type) {
    return type == kLineSerial && FormHasDefinedDatabase(session);
}
int SerialKeyColumn(const EditingSession& session) {
    return Lookup(session.working, FormDatabase(session)).KeyField() + 1;
}

// Types between which the data and barcode properties of a line keep their meaning.
bool KeepsDataProperties(int newType, int oldType) {
    if (Between(newType, 1, 7)) return Between(oldType, 0, 6) || Between(oldType, 14, 16);
    if (Between(newType, 8, 16)) return oldType == kLineLookup || Between(oldType, 14, 16);
    return false;
}

void ClearDataProperties(FormRecord f, int line) {
    f.InitialValueFlag(line) = 0;
    std::ranges::fill(f.InitialValue(line), Byte{0});
    f.FixedLengthFlag(line) = f.FixedLength(line) = f.Alignment(line) = 0;
    f.PrefixFlag(line) = f.SuffixFlag(line) = 0;
    std::ranges::fill(f.PrefixCode(line), Byte{0});
    std::ranges::fill(f.SuffixCode(line), Byte{0});
    std::ranges::fill(f.PrefixCodeNibbles(line), Byte{0});
    std::ranges::fill(f.SuffixCodeNibbles(line), Byte{0});
    f.InputMark(line) = 0;
    f.CheckDigit(line) = 0;
}

// A line into which a GS1 identifier of a scanned barcode is transferred holds data, so only
// the types that take data may be chosen for it. The form's GS1 rules transfer nothing while
// the reader settings have GS1 transfer off; they are kept for when it is switched on again.
bool Gs1Target(const EditingSession& session, int line) {
    if (session.working.readerOptions2[kGs1TransferByte] != 1) return false;
    const int source = FieldLink(session.working, session.currentForm).LinkLine(line);
    return source >= 1 && source <= kLinesPerForm;
}
bool TakesGs1Data(int type) {
    return Between(type, kLineText, kLineBoolean) || type == kLineAlphameric || type == kLineSerial;
}

// A line that no longer reads a weight barcode stops sending its weight, and the line that
// received it is an ordinary real line again.
void DropWeightSource(EditingSession& session, int line, int type) {
    if (type != kLineNil && !Between(type, kLineBoolean, kLinePause)) return;
    BarcodeRulesRecord rules = Rules(session.working);
    Byte& flag = rules.WeightTransferFlag(session.currentForm, line);
    if (flag == 0) return;
    flag = 0;
    const int target = rules.WeightTargetLine(session.currentForm, line) - 1;
    FormRecord f = session.Form();
    if (target > line && target < kLinesPerForm && f.LineType(target) == kLineWeight)
        f.LineType(target) = kLineReal;
}

Outcome StoreLength(EditingSession& session, int line, std::u16string_view text, bool max) {
    if (!ValidLine(line)) return Outcome::Refuse();
    FormRecord f = session.Form();
    const int t = f.LineType(line);
    if (!LengthsEnabled(t)) return Outcome::Refuse();
    int n = TypedLength(text);
    if (max && t == kLineWeight) n = std::min(n, kMaxWeightLength);
    (max ? f.MaxLength(line) : f.MinLength(line)) = static_cast<Byte>(n);
    return Outcome::Accept();
}

}  // namespace

bool NumericLineType(int type) {
    return type == kLineInteger || type == kLineReal || type == kLineAuto || type == kLineWeight;
}

int TypedLength(std::u16string_view text) {
    if (text.empty()) return 0;
    int n = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return 0;
        n = std::min(n * 10 + (c - u'0'), kMaxLineLength);
    }
    return n;
}

FieldLinesView ViewFieldLines(const EditingSession& session) {
    FieldLinesView view;
    const ConstFormRecord f = session.Form();
    for (int i = 0; i < kLinesPerForm; ++i) {
        FieldLineView& v = view.lines[static_cast<std::size_t>(i)];
        const int t = f.LineType(i);
        v.type = CodedListView(session, codes::kFieldTypes, t);
        if (t == kLineWeight) {
            v.type.selected = kReal;
            v.type.enabled = false;
        }
        v.prompt = CellToUtf16(f.LinePrompt(i));
        v.promptEnabled = PromptEnabled(t);
        v.moreEnabled = MoreEnabled(t);
        v.operationsEnabled = OperationsEnabled(t);
        v.inputSource = CodedListView(session, codes::kInputSources, f.InputSource(i));
        v.inputSource.enabled = InputSourceEnabled(t);
        const bool serialKey = SerialReadsKey(session, t);
        int column = serialKey ? SerialKeyColumn(session) : f.LineLookupField(i);
        // A non-numeric line reads a minus or plus column as the plain field.
        if (!NumericLineType(t) && column <= 24) column = codes::PlainLookupColumn(column);
        v.lookupColumn = CodedListView(session, LookupColumnsFor(t), column);
        v.lookupColumn.enabled = LookupColumnEnabled(t) && !serialKey;
        v.minLength = f.MinLength(i);
        v.maxLength =
            t == kLineWeight ? std::min<int>(f.MaxLength(i), kMaxWeightLength) : f.MaxLength(i);
        v.lengthsEnabled = LengthsEnabled(t);
    }
    return view;
}

Outcome SelectLineType(EditingSession& session, int line, int index) {
    if (!ValidLine(line) || index < 0 ||
        index >= static_cast<int>(codes::kFieldTypes.entries.size()))
        return Outcome::Refuse();
    FormRecord f = session.Form();
    const int old = f.LineType(line);
    if (old == kLineWeight) return Outcome::Refuse();  // the weight rule owns this line's type
    const int type = codes::kFieldTypes.entries[static_cast<std::size_t>(index)].code;
    if (type == old) return Outcome::Accept();
    if (Gs1Target(session, line) && !TakesGs1Data(type))
        return Outcome::Refuse(
            u"Тип данных не может быть выбран, так как в поле передается GS1 AI");
    if (type == kLineSerial) {
        for (int i = 0; i < kLinesPerForm; ++i)
            if (i != line && f.LineType(i) == kLineSerial)
                return Outcome::Refuse(
                    u"Тип \"Серийный номер\" может быть выбран только для одного поля текущей "
                    u"формы");
    }
    f.LineType(line) = static_cast<Byte>(type);
    if (SerialReadsKey(session, type)) {
        f.RecordAction() = f.SerialStore() != 0 ? kUpdateLookup : kSaveAndUpdate;
        f.LineLookupField(line) = static_cast<Byte>(SerialKeyColumn(session));
    }
    if (!KeepsDataProperties(type, old)) ClearDataProperties(f, line);
    if (type == kLineBoolean) f.MinLength(line) = f.MaxLength(line) = 1;
    if (!NumericLineType(type) && f.LineLookupField(line) <= 24)
        f.LineLookupField(line) =
            static_cast<Byte>(codes::PlainLookupColumn(f.LineLookupField(line)));
    DropWeightSource(session, line, type);
    return Outcome::Accept();
}

void ApplyBarcodeRules(EditingSession& session) {
    const ConstBarcodeRulesRecord rules = Rules(std::as_const(session.working));
    const int form = session.currentForm;
    std::array<bool, kLinesPerForm> weightTarget{};
    if (rules.WeightBarcodeEnabled() != 0)
        for (int i = 0; i + 1 < kLinesPerForm; ++i) {
            const int target = rules.WeightTargetLine(form, i) - 1;
            if (rules.WeightTransferFlag(form, i) != 0 && target > i && target < kLinesPerForm)
                weightTarget[static_cast<std::size_t>(target)] = true;
        }
    FormRecord f = session.Form();
    for (int i = 0; i < kLinesPerForm; ++i) {
        Byte& type = f.LineType(i);
        if (weightTarget[static_cast<std::size_t>(i)]) {
            type = kLineWeight;
            f.MaxLength(i) = std::min<Byte>(f.MaxLength(i), kMaxWeightLength);
        } else if (type == kLineWeight) {
            type = kLineReal;
        }
        if (type == kLineNil && Gs1Target(session, i)) type = kLineText;
    }
}

Outcome SelectInputSource(EditingSession& session, int line, int index) {
    if (!ValidLine(line) || index < 0 ||
        index >= static_cast<int>(codes::kInputSources.entries.size()))
        return Outcome::Refuse();
    FormRecord f = session.Form();
    if (!InputSourceEnabled(f.LineType(line))) return Outcome::Refuse();
    f.InputSource(line) = codes::kInputSources.entries[static_cast<std::size_t>(index)].code;
    return Outcome::Accept();
}

Outcome SelectLookupColumn(EditingSession& session, int line, int index) {
    if (!ValidLine(line)) return Outcome::Refuse();
    FormRecord f = session.Form();
    const int t = f.LineType(line);
    const codes::CodedList& list = LookupColumnsFor(t);
    if (index < 0 || index >= static_cast<int>(list.entries.size()) || !LookupColumnEnabled(t) ||
        SerialReadsKey(session, t))
        return Outcome::Refuse();
    f.LineLookupField(line) = list.entries[static_cast<std::size_t>(index)].code;
    return Outcome::Accept();
}

Outcome EditPrompt(EditingSession& session, int line, std::u16string_view text) {
    if (!ValidLine(line)) return Outcome::Refuse();
    FormRecord f = session.Form();
    if (!PromptEnabled(f.LineType(line))) return Outcome::Refuse();
    StoreCellText(f.LinePrompt(line), text.substr(0, kTextCellChars));
    return Outcome::Accept();
}

Outcome EditMinLength(EditingSession& session, int line, std::u16string_view text) {
    return StoreLength(session, line, text, false);
}
Outcome EditMaxLength(EditingSession& session, int line, std::u16string_view text) {
    return StoreLength(session, line, text, true);
}

}  // namespace fw::editor
