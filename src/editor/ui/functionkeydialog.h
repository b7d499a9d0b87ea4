// "Function Key Mapping" (FUNCTIONKEYDLG): what FN+1..FN+7 start on the terminal.
#pragma once

#include <array>

#include "editor/functionkeydlg.h"
#include "editor/ui/settingspage.h"

namespace fw::editor::ui {

class FunctionKeyMappingDialog : public SettingsDialogBase {
    Q_OBJECT
  public:
    FunctionKeyMappingDialog(SheetContext& context, QWidget* parent);
    void refresh() override;
    void accept() override;

  private:
    editor::FunctionKeyDialog copy_;
    QCheckBox* enabled_ = nullptr;
    std::array<QComboBox*, kFnKeyCount> keys_{};
};

}  // namespace fw::editor::ui
