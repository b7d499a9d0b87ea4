#include "editor/barcodeparsing.h"

#include <algorithm>
#include <utility>

#include "editor/fieldlines.h"
#include "reader/gs1list.h"

namespace fw::editor {
namespace {

constexpr char16_t kNoTarget[] = u"Нет поля, в которое можно осуществить перенос";
constexpr char16_t kWholeIntoItself[] =
    u"Нельзя перенести весь штрихкод в то же поле, в которое он был считан!";
constexpr char16_t kNoRows[] = u"Нет строк для удаления";
constexpr char16_t kNoSelection[] = u"Необходимо выделить строку(и) в списке для удаления";
constexpr int kDescriptionId = 1262;
constexpr int kReaderGs1Transfer = 0;  // the GS1 use flag's byte in the reader options

int Line(const EditingSession& session) {
    return std::clamp(session.currentLine, 0, kLinesPerForm - 1);
}

bool WeightFeatureOn(const EditingSession& session) {
    return Rules(session.working).WeightBarcodeEnabled() != 0;
}
bool Gs1TransferOn(const EditingSession& session) {
    return session.working.readerOptions2[kReaderGs1Transfer] != 0;
}

// The line (0..7) that line i of the form sends its weight to, or -1 without a rule.
int WeightTargetOf(const EditingSession& session, int i) {
    const ConstBarcodeRulesRecord rules = Rules(session.working);
    if (i + 1 >= kLinesPerForm || rules.WeightTransferFlag(session.currentForm, i) == 0) return -1;
    const int target = rules.WeightTargetLine(session.currentForm, i) - 1;
    return target > i && target < kLinesPerForm ? target : -1;
}
bool WeightSource(const EditingSession& session, int i) {
    return Rules(session.working).WeightTransferFlag(session.currentForm, i) != 0;
}
bool WeightTarget(const EditingSession& session, int line, int exceptSource = -1) {
    for (int i = 0; i < kLinesPerForm; ++i)
        if (i != exceptSource && WeightTargetOf(session, i) == line) return true;
    return false;
}
// The source line (0..7) whose barcode feeds the line with a GS1 item, or -1.
int Gs1SourceOf(const EditingSession& session, int line) {
    const int source = FieldLink(session.working, session.currentForm).LinkLine(line);
    return source >= 1 && source <= kLinesPerForm ? source - 1 : -1;
}

// A source line that has no barcode of its own to weigh, or no later line to send to.
bool WeightRuleAllowed(const EditingSession& session) {
    const int line = Line(session);
    const int type = session.Form().LineType(line);
    return WeightFeatureOn(session) && line + 1 < kLinesPerForm && type != kLineBoolean &&
           type != kLineFixedData && type != kLineWeight;
}

// The weight rule as the dialog shows it: on only with a target in range that the list offers.
struct WeightState {
    std::vector<int> targets;
    int selected = -1;  // index into targets
    bool on = false;
    bool enabled = false;
};
WeightState Weight(const EditingSession& session) {
    WeightState w;
    const int line = Line(session);
    w.targets = WeightTargetLines(session);
    if (w.targets.empty()) return w;
    const int stored = Rules(session.working).WeightTargetLine(session.currentForm, line) - 1;
    const auto it = std::ranges::find(w.targets, stored);
    w.selected = it == w.targets.end() ? 0 : static_cast<int>(it - w.targets.begin());
    w.on = WeightSource(session, line) && stored >= 1 && stored < kLinesPerForm;
    w.enabled = WeightRuleAllowed(session);
    return w;
}
bool WeightListsEnabled(const EditingSession& session) {
    return WeightFeatureOn(session) && Weight(session).on;
}

// GS1 rules are edited only while the reader passes GS1 identifiers on and the line reads the
// whole barcode.
bool Gs1Editable(const EditingSession& session) {
    return Gs1TransferOn(session) && session.Form().ReadPartialBarcode(Line(session)) == 0;
}
int ChosenGs1Target(const EditingSession& session, const BarcodeParsingDialog& dialog) {
    const std::vector<int> targets = Gs1TargetLines(session);
    if (targets.empty()) return -1;
    const auto it = std::ranges::find(targets, dialog.gs1Target - 1);
    return it == targets.end() ? targets.front() : *it;
}

std::vector<int> RuleTargets(const EditingSession& session) {
    std::vector<int> targets;
    for (int t = 0; t < kLinesPerForm; ++t)
        if (Gs1SourceOf(session, t) == Line(session)) targets.push_back(t);
    return targets;
}

ListView LineList(const std::vector<int>& lines, int selected, bool enabled) {
    ListView view;
    for (int line : lines)
        view.entries.push_back({std::u16string(1, static_cast<char16_t>(u'1' + line)), line + 1});
    view.selected = lines.empty() ? -1 : selected;
    view.enabled = enabled;
    return view;
}

std::u16string ItemText(int index) {
    const std::u16string_view text = reader::Gs1ItemText(index);
    if (!text.empty()) return std::u16string(text);
    // A damaged item is shown by its number, so the row can still be found and removed.
    std::u16string number;
    for (char c : std::to_string(index))
        number += static_cast<char16_t>(c);
    return number;
}

void DropGs1Rule(EditingSession& session, int target) {
    FieldLinkRecord links = FieldLink(session.working, session.currentForm);
    links.LinkLine(target) = 0;
    links.LinkValue(target) = 0;
}

}  // namespace

std::vector<int> WeightTargetLines(const EditingSession& session) {
    const int line = Line(session);
    std::vector<int> lines;
    for (int j = line + 1; j < kLinesPerForm; ++j)
        if (!WeightSource(session, j) && Gs1SourceOf(session, j) < 0 &&
            !WeightTarget(session, j, line))
            lines.push_back(j);
    return lines;
}

std::vector<int> Gs1TargetLines(const EditingSession& session) {
    std::vector<int> lines;
    for (int j = Line(session); j < kLinesPerForm; ++j)
        if (Gs1SourceOf(session, j) < 0 && !WeightTarget(session, j)) lines.push_back(j);
    return lines;
}

BarcodeParsingDialog OpenBarcodeParsingDialog(EditingSession& session) {
    BarcodeParsingDialog dialog;
    dialog.snapshot = TakeSnapshot(session);
    dialog.barcodeRules = session.working.barcodeRules;
    const Byte* links = FieldLink(session.working, session.currentForm).Data();
    std::copy_n(links, kFieldLinkRecordSize, dialog.fieldLinks.begin());
    return dialog;
}

void CancelBarcodeParsingDialog(EditingSession& session, const BarcodeParsingDialog& dialog) {
    RestoreSnapshot(session, dialog.snapshot);
    session.working.barcodeRules = dialog.barcodeRules;
    std::ranges::copy(dialog.fieldLinks, FieldLink(session.working, dialog.snapshot.form).Data());
}

BarcodeParsingView ViewBarcodeParsing(const EditingSession& session,
                                      const BarcodeParsingDialog& dialog) {
    BarcodeParsingView v;
    const int line = Line(session);
    v.formNumber = session.currentForm + 1;
    v.lineNumber = line + 1;

    const WeightState weight = Weight(session);
    const bool feature = WeightFeatureOn(session);
    v.weightRule = weight.on;
    v.weightRuleEnabled = weight.enabled;
    const bool weightLists = feature && weight.on;
    v.weightTarget = LineList(weight.targets, weight.selected, weightLists);
    v.keepInSource =
        CodedListView(session, codes::kWeightSourceKeeps, session.Form().WeightSourceKeep(line));
    v.keepInSource.enabled = weightLists;

    const std::vector<int> targets = Gs1TargetLines(session);
    const bool gs1 = Gs1Editable(session) && !targets.empty();
    for (std::u16string_view text : reader::kGs1Items)
        v.gs1Item.entries.push_back(
            {std::u16string(text), static_cast<int>(v.gs1Item.entries.size())});
    v.gs1Item.selected = std::clamp(dialog.gs1Item, 0, static_cast<int>(reader::kGs1ItemCount) - 1);
    v.gs1Item.enabled = gs1;
    v.gs1Description = UiText(session, kDescriptionId);
    const std::size_t mark = v.gs1Description.find(u"%s");
    if (mark != std::u16string::npos)
        v.gs1Description.replace(mark, 2, reader::Gs1ItemText(v.gs1Item.selected));
    const int chosen = ChosenGs1Target(session, dialog);
    const auto at = std::ranges::find(targets, chosen);
    v.gs1Target = LineList(targets, static_cast<int>(at - targets.begin()), gs1);
    v.addEnabled = gs1;

    const FieldLinkRecordView<const Byte> links = FieldLink(session.working, session.currentForm);
    for (int t : RuleTargets(session))
        v.rules.push_back({t + 1, ItemText(links.LinkValue(t))});
    v.removeAllEnabled = gs1 && !v.rules.empty();
    return v;
}

Outcome SetWeightRule(EditingSession& session, bool on) {
    const WeightState weight = Weight(session);
    if (!weight.enabled) return Outcome::Refuse();
    const int line = Line(session);
    BarcodeRulesRecord rules = Rules(session.working);
    rules.WeightTransferFlag(session.currentForm, line) = on ? 1 : 0;
    rules.WeightTargetLine(session.currentForm, line) =
        static_cast<Byte>(weight.targets[static_cast<std::size_t>(weight.selected)] + 1);
    ApplyBarcodeRules(session);
    return Outcome::Accept();
}

Outcome SelectWeightTarget(EditingSession& session, int index) {
    if (!WeightListsEnabled(session)) return Outcome::Refuse();
    const std::vector<int> targets = WeightTargetLines(session);
    if (index < 0 || index >= static_cast<int>(targets.size())) return Outcome::Refuse();
    Rules(session.working).WeightTargetLine(session.currentForm, Line(session)) =
        static_cast<Byte>(targets[static_cast<std::size_t>(index)] + 1);
    ApplyBarcodeRules(session);
    return Outcome::Accept();
}

Outcome SelectWeightSourceKeep(EditingSession& session, int index) {
    if (!WeightListsEnabled(session) || index < 0 ||
        index >= static_cast<int>(codes::kWeightSourceKeeps.entries.size()))
        return Outcome::Refuse();
    session.Form().WeightSourceKeep(Line(session)) =
        codes::kWeightSourceKeeps.entries[static_cast<std::size_t>(index)].code;
    return Outcome::Accept();
}

Outcome SelectGs1Item(BarcodeParsingDialog& dialog, int index) {
    if (index < 0 || index >= static_cast<int>(reader::kGs1ItemCount)) return Outcome::Refuse();
    dialog.gs1Item = index;
    return Outcome::Accept();
}

Outcome SelectGs1Target(const EditingSession& session, BarcodeParsingDialog& dialog, int index) {
    const std::vector<int> targets = Gs1TargetLines(session);
    if (index < 0 || index >= static_cast<int>(targets.size())) return Outcome::Refuse();
    dialog.gs1Target = targets[static_cast<std::size_t>(index)] + 1;
    return Outcome::Accept();
}

Outcome AddGs1Rule(EditingSession& session, const BarcodeParsingDialog& dialog) {
    if (!Gs1Editable(session)) return Outcome::Refuse();
    const int target = ChosenGs1Target(session, dialog);
    if (target < 0) return Outcome::Refuse(kNoTarget);
    const int line = Line(session);
    const int item = std::clamp(dialog.gs1Item, 0, static_cast<int>(reader::kGs1ItemCount) - 1);
    if (item == reader::kWholeBarcodeItem && target == line)
        return Outcome::Refuse(kWholeIntoItself);
    FieldLinkRecord links = FieldLink(session.working, session.currentForm);
    links.LinkLine(target) = static_cast<Byte>(line + 1);
    links.LinkValue(target) = static_cast<Byte>(item);
    ApplyBarcodeRules(session);
    return Outcome::Accept();
}

Outcome RemoveGs1Rules(EditingSession& session, std::span<const int> rows) {
    const std::vector<int> targets = RuleTargets(session);
    if (targets.empty()) return Outcome::Refuse(kNoRows);
    std::vector<int> chosen;
    for (int row : rows)
        if (row >= 0 && row < static_cast<int>(targets.size()))
            chosen.push_back(targets[static_cast<std::size_t>(row)]);
    if (chosen.empty()) return Outcome::Refuse(kNoSelection);
    for (int target : chosen)
        DropGs1Rule(session, target);
    return Outcome::Accept();
}

Outcome RemoveAllGs1Rules(EditingSession& session) {
    if (!Gs1Editable(session)) return Outcome::Refuse();
    const std::vector<int> targets = RuleTargets(session);
    if (targets.empty()) return Outcome::Refuse(kNoRows);
    for (int target : targets)
        DropGs1Rule(session, target);
    return Outcome::Accept();
}

}  // namespace fw::editor
