// "PreferencesDlg": the links for downloading and receiving, the COM port, the baud rate, the
// network port, the extra time-out, start-up loading, always-on-top and the language.
#pragma once

#include <QDialog>
#include <functional>

#include "model/workspace.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;

namespace fw {

class NumberEdit;

class PreferencesDlg : public QDialog {
    Q_OBJECT
  public:
    PreferencesDlg(Workspace& ws, QWidget* parent = nullptr);

    // Confirms: writes the settings file and loads the chosen language and its default texts.
    void accept() override;

    QComboBox* downloadLink() const { return downloadLink_; }
    QComboBox* uploadLink() const { return uploadLink_; }
    NumberEdit* comPort() const { return comPort_; }
    QLabel* comDevice() const { return comDevice_; }
    QComboBox* baudRate() const { return baudRate_; }
    NumberEdit* networkPort() const { return networkPort_; }
    NumberEdit* extraTimeout() const { return extraTimeout_; }
    QCheckBox* autoPreload() const { return autoPreload_; }
    QCheckBox* alwaysOnTop() const { return alwaysOnTop_; }
    QComboBox* language() const { return language_; }

  private:
    void UpdateEnabling();
    void UpdateComDevice();

    Workspace& ws_;
    QComboBox* downloadLink_;
    QComboBox* uploadLink_;
    NumberEdit* comPort_;
    QLabel* comDevice_;
    QComboBox* baudRate_;
    NumberEdit* networkPort_;
    NumberEdit* extraTimeout_;
    QCheckBox* autoPreload_;
    QCheckBox* alwaysOnTop_;
    QComboBox* language_;
    QLabel* comPortLabel_;
    QLabel* baudRateLabel_;
    QLabel* networkPortLabel_;
    QLabel* languageLabel_;
    QDialogButtonBox* buttons_;
};

}  // namespace fw
