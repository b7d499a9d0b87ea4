// "Сетевые настройки" (NETWORK_SETTINGS_DLG): the server, the terminal's addresses and the
// Wi-Fi network. The WEP keys and the WPA pass phrase are composed with the character grid
// editor: a click on one opens the grid on the dialog's copy of the block.
#pragma once

#include <array>

#include "editor/networkdlg.h"
#include "editor/ui/settingspage.h"

class QGroupBox;
class QSpinBox;

namespace fw {
class GridTargetEdit;
}

namespace fw::editor::ui {

class NetworkSettingsDialog : public SettingsDialogBase {
    Q_OBJECT
  public:
    NetworkSettingsDialog(SheetContext& context, QWidget* parent);
    void refresh() override;
    void accept() override;

    editor::NetworkDialog& copy() { return copy_; }

  private:
    QComboBox* addList(QFormLayout* form, int captionId, const QString& objectName,
                       std::function<Outcome(int)> op);
    QLineEdit* addText(QFormLayout* form, int captionId, const QString& objectName,
                       std::function<EditResult(const std::u16string&)> op);
    // The grid target of WEP key 0..3 or of the pass phrase (kPassPhraseKey).
    GridTargetEdit* addKeyTarget(QWidget* parent, QFormLayout* form, const QString& caption,
                                 const QString& objectName, int key);

    editor::NetworkDialog copy_;
    QCheckBox* use_ = nullptr;
    QCheckBox* dhcp_ = nullptr;
    std::array<std::array<QSpinBox*, 4>, kNetAddressCount> addresses_{};
    QLineEdit* port_ = nullptr;
    QLineEdit* ssid_ = nullptr;
    QComboBox* encryption_ = nullptr;
    QGroupBox* wep_ = nullptr;
    QComboBox* authentication_ = nullptr;
    QComboBox* keyLength_ = nullptr;
    QComboBox* activeKey_ = nullptr;
    std::array<GridTargetEdit*, kWepKeyCount> wepKeys_{};
    GridTargetEdit* wpaKey_ = nullptr;
    QLineEdit* eapLogin_ = nullptr;
    QLineEdit* eapPassword_ = nullptr;
};

}  // namespace fw::editor::ui
