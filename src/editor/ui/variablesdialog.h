// "Переменные" (VARIABLESDLG): the names of the ten variables.
#pragma once

#include <array>

#include "editor/ui/settingspage.h"
#include "editor/variablesdlg.h"

namespace fw::editor::ui {

class VariableNamesDialog : public SettingsDialogBase {
    Q_OBJECT
  public:
    VariableNamesDialog(SheetContext& context, QWidget* parent);
    void refresh() override;
    // Stays open while a name is empty or two are equal.
    void accept() override;

  private:
    editor::VariablesDialog copy_;
    std::array<QLineEdit*, kVariableCount> names_{};
};

}  // namespace fw::editor::ui
