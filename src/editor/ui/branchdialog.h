// The branch dialog (what FN+1..FN+4 do on the form) and the totals and balance views it opens
// for a key.
#pragma once

#include <array>

#include "editor/branchdlg.h"
#include "editor/ui/editordialog.h"

class QPushButton;

namespace fw::editor::ui {

class BranchDialog : public EditorDialog {
    Q_OBJECT
  public:
    BranchDialog(SheetContext& context, QWidget* parent);
    void refresh() override;

  private:
    void openProperties(int key);

    std::array<QComboBox*, kFnGroups> branch_{};
    std::array<QPushButton*, kFnGroups> properties_{};
};

// The filter group shared by the totals and balance views.
class FilterDialog : public EditorDialog {
    Q_OBJECT
  public:
    // Totals: the sum field and the multiplier come first.
    FilterDialog(SheetContext& context, QWidget* parent, FilterOf which, int key);
    void refresh() override;

  private:
    FilterOf which_;
    int key_;
    QComboBox* sumField_ = nullptr;
    QComboBox* multiplier_ = nullptr;
    QComboBox* filterField_ = nullptr;
    QComboBox* filterVariable_ = nullptr;
    QComboBox* comparison_ = nullptr;
};

}  // namespace fw::editor::ui
