#include "editor/branchdlg.h"

namespace fw::editor {
namespace {

bool ValidKey(int key) {
    return key >= 0 && key < kFnGroups;
}

// Record actions under which the form writes its record to the data file.
bool FormSaves(int recordAction) {
    return recordAction == 0 || recordAction == 2 || recordAction == 6 || recordAction == 7;
}

struct FilterBytes {
    Byte& field;
    Byte& variable;
    Byte& comparison;
};
FilterBytes Filter(FormRecord f, FilterOf which, int key) {
    if (which == FilterOf::Totals)
        return {f.TotalFilterField(key), f.TotalFilterVariable(key), f.TotalCompare(key)};
    return {f.BalanceFilterField(key), f.BalanceFilterVariable(key), f.BalanceCompare(key)};
}

FilterView MakeFilterView(const EditingSession& session, int field, int variable, int compare) {
    FilterView view;
    const int n = FormFieldCount(session);
    view.field = CodedListView(
        session, codes::CodedList{std::span(codes::kFilterFieldEntries).first(n + 1)}, field);
    view.variable = VariableListView(session, variable);
    view.comparison = CodedListView(session, codes::kComparisons, compare);
    view.variable.enabled = view.comparison.enabled = field != 0;
    return view;
}

}  // namespace

Snapshot OpenBranchDialog(EditingSession& session) {
    const Snapshot snapshot = TakeSnapshot(session);
    FormRecord f = session.Form();
    for (int k = 0; k < kFnGroups; ++k)
        if (f.FnBranch(k) > codes::kBranchBalance) f.FnBranch(k) = 0;
    return snapshot;
}

BranchDialogView ViewBranchDialog(const EditingSession& session) {
    BranchDialogView view;
    const ConstFormRecord f = session.Form();
    const bool hasDatabase = FormDatabase(session) != 0;
    for (int k = 0; k < kFnGroups; ++k) {
        const int stored = f.FnBranch(k);
        const int branch = stored > codes::kBranchBalance ? 0 : stored;
        view.branch[k] = CodedListView(session, codes::kBranches, branch);
        view.propertiesEnabled[k] =
            hasDatabase && (branch == codes::kBranchTotals || branch == codes::kBranchBalance);
    }
    return view;
}

Outcome SelectBranch(EditingSession& session, int key, int index, Answer answer) {
    if (!ValidKey(key) || index < 0 || index >= static_cast<int>(std::size(codes::kBranchEntries)))
        return Outcome::Refuse();
    FormRecord f = session.Form();
    if (index == codes::kBranchDeleteLast && !FormSaves(f.RecordAction())) {
        if (answer == Answer::None)
            return Outcome::Ask(
                u"Для данной формы не задано сохранение в файл. Функция удаления последней "
                u"записи не будет действовать.\t\t\t\t\t\t\t\r\nВы уверены, что хотите выбрать "
                u"такое значение?",
                MessageIcon::Warning, kIdNo);
        if (answer == Answer::No) return Outcome::Refuse();
    }
    f.FnBranch(key) = codes::kBranchEntries[index].code;
    return Outcome::Accept();
}

TotalsDialogView ViewTotalsDialog(const EditingSession& session, int key) {
    if (!ValidKey(key)) return {};
    const ConstFormRecord f = session.Form();
    const int n = FormFieldCount(session);
    TotalsDialogView view;
    view.sumField = NumberListView(n, f.TotalSumField(key));
    for (int i = 0; i <= n; ++i) {
        const codes::Code& c = codes::kMultiplierEntries[i];
        view.multiplier.entries.push_back({codes::EntryText(c, u""), i});
    }
    for (int v = 1; v <= kVariableCount; ++v)
        view.multiplier.entries.push_back(
            {VariableName(session, v), codes::kFirstVariableMultiplier + v - 1});
    const int stored = f.TotalMultiplier(key);
    const bool known = stored <= n || (stored >= codes::kFirstVariableMultiplier &&
                                       stored < codes::kFirstVariableMultiplier + kVariableCount);
    view.multiplier.selected = known ? codes::MultiplierIndex(stored, n) : -1;
    view.filter = MakeFilterView(session, f.TotalFilterField(key), f.TotalFilterVariable(key),
                                 f.TotalCompare(key));
    return view;
}

FilterView ViewBalanceDialog(const EditingSession& session, int key) {
    if (!ValidKey(key)) return {};
    const ConstFormRecord f = session.Form();
    return MakeFilterView(session, f.BalanceFilterField(key), f.BalanceFilterVariable(key),
                          f.BalanceCompare(key));
}

Outcome SelectTotalSumField(EditingSession& session, int key, int index) {
    if (!ValidKey(key) || index < 0 || index >= FormFieldCount(session)) return Outcome::Refuse();
    session.Form().TotalSumField(key) = static_cast<Byte>(index + 1);
    return Outcome::Accept();
}

Outcome SelectTotalMultiplier(EditingSession& session, int key, int index) {
    const int n = FormFieldCount(session);
    if (!ValidKey(key) || index < 0 || index > n + kVariableCount) return Outcome::Refuse();
    session.Form().TotalMultiplier(key) = static_cast<Byte>(codes::MultiplierCode(index, n));
    return Outcome::Accept();
}

Outcome SelectFilterField(EditingSession& session, FilterOf which, int key, int index) {
    if (!ValidKey(key) || index < 0 || index > FormFieldCount(session)) return Outcome::Refuse();
    Filter(session.Form(), which, key).field = static_cast<Byte>(index);
    return Outcome::Accept();
}

Outcome SelectFilterVariable(EditingSession& session, FilterOf which, int key, int index) {
    if (!ValidKey(key) || index < 0 || index >= kVariableCount) return Outcome::Refuse();
    FilterBytes filter = Filter(session.Form(), which, key);
    if (filter.field == 0) return Outcome::Refuse();  // the list is disabled without a field
    filter.variable = static_cast<Byte>(index + 1);
    return Outcome::Accept();
}

Outcome SelectFilterComparison(EditingSession& session, FilterOf which, int key, int index) {
    if (!ValidKey(key) || index < 0 ||
        index >= static_cast<int>(std::size(codes::kComparisonEntries)))
        return Outcome::Refuse();
    FilterBytes filter = Filter(session.Form(), which, key);
    if (filter.field == 0) return Outcome::Refuse();
    filter.comparison = static_cast<Byte>(index);
    return Outcome::Accept();
}

}  // namespace fw::editor
