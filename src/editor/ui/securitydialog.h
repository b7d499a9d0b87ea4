// "Security Settings" (SECURITYDLG): the menus the password protects, and the password.
#pragma once

#include <array>

#include "editor/securitydlg.h"
#include "editor/ui/settingspage.h"

namespace fw::editor::ui {

class SecuritySettingsDialog : public SettingsDialogBase {
    Q_OBJECT
  public:
    SecuritySettingsDialog(SheetContext& context, QWidget* parent);
    void refresh() override;
    void accept() override;

  private:
    editor::SecurityDialog copy_;
    std::array<QCheckBox*, kSecurityFlagCount> flags_{};
    QLineEdit* password_ = nullptr;
};

}  // namespace fw::editor::ui
