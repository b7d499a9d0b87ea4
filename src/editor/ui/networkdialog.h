// "Сетевые настройки" (NETWORK_SETTINGS_DLG): the server, the terminal's addresses and the
// Wi-Fi network. The WEP keys and the WPA pass phrase show as read-only display texts; they
// are composed with the character grid editor.
#pragma once

#include <array>

#include "editor/networkdlg.h"
#include "editor/ui/settingspage.h"

class QGroupBox;
class QSpinBox;

namespace fw::editor::ui {

class NetworkSettingsDialog : public SettingsDialogBase {
    Q_OBJECT
  public:
    NetworkSettingsDialog(SheetContext& context, QWidget* parent);
    void refresh() override;
    void accept() override;

    // The display texts the character grid editor opens on: keys 0..3, then the pass phrase.
    QLineEdit* wepKeyDisplay(int key) const { return wepKeys_[static_cast<std::size_t>(key)]; }
    QLineEdit* wpaKeyDisplay() const { return wpaKey_; }
    editor::NetworkDialog& copy() { return copy_; }

  private:
    QComboBox* addList(QFormLayout* form, int captionId, const QString& objectName,
                       std::function<Outcome(int)> op);
    QLineEdit* addText(QFormLayout* form, int captionId, const QString& objectName,
                       std::function<EditResult(const std::u16string&)> op);

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
    std::array<QLineEdit*, kWepKeyCount> wepKeys_{};
    QLineEdit* wpaKey_ = nullptr;
    QLineEdit* eapLogin_ = nullptr;
    QLineEdit* eapPassword_ = nullptr;
};

}  // namespace fw::editor::ui
