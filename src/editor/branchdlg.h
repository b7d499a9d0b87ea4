// The branch dialog of a form (what FN+1..FN+4 do) and the two dialogs it opens for a key: the
// totals view and the balance view. Keys are 0..3 for FN+1..FN+4.
#pragma once

#include <array>

#include "editor/outcome.h"
#include "editor/session.h"

namespace fw::editor {

struct BranchDialogView {
    std::array<ListView, kFnGroups> branch;
    std::array<bool, kFnGroups> propertiesEnabled{};  // each key's "Свойства"
};
// Opening the dialog takes its snapshot, then turns a stored branch the list does not know into
// "disable", so that OK stores what the dialog showed; Cancel (RestoreSnapshot) gives the byte
// back as the file had it.
Snapshot OpenBranchDialog(EditingSession& session);
// A stored branch the list does not know reads as "disable".
BranchDialogView ViewBranchDialog(const EditingSession& session);
// Choosing to delete the last record on a form that does not save asks first; pass the
// answer back.
Outcome SelectBranch(EditingSession& session, int key, int index, Answer answer = Answer::None);

// The filter shared by the totals and balance views.
struct FilterView {
    ListView field;       // "Фильтровать"
    ListView variable;    // "Фильтр"
    ListView comparison;  // "Сравнивать"
};
struct TotalsDialogView {
    ListView sumField;    // "Суммировать по полю"
    ListView multiplier;  // "Множитель слагаемых"
    FilterView filter;
};
TotalsDialogView ViewTotalsDialog(const EditingSession& session, int key);
FilterView ViewBalanceDialog(const EditingSession& session, int key);

Outcome SelectTotalSumField(EditingSession& session, int key, int index);
Outcome SelectTotalMultiplier(EditingSession& session, int key, int index);

enum class FilterOf { Totals, Balance };
Outcome SelectFilterField(EditingSession& session, FilterOf which, int key, int index);
Outcome SelectFilterVariable(EditingSession& session, FilterOf which, int key, int index);
Outcome SelectFilterComparison(EditingSession& session, FilterOf which, int key, int index);

}  // namespace fw::editor
