// The Barcode page: the scanner engine, its reading options, a box and a "more..." button for
// every symbology of the engine's family, and the weight-barcode and GS1 use flags. It shows
// what the reader rules compute and runs one rule per user action.
#pragma once

#include <array>

#include "editor/ui/sheetpage.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace fw::reader::ui {

using editor::ui::SheetContext;
using editor::ui::SheetPage;

class BarcodePage : public SheetPage {
    Q_OBJECT
  public:
    BarcodePage(SheetContext& context, QWidget* parent);
    QString title() const override;
    void refresh() override;
    // Before the sheet commits: the page's rules for what the terminal expects of the stored
    // bytes, once the user has seen the page.
    void apply() override;

    static constexpr int kFirstBox = 101;
    static constexpr int kBoxCount = 27;

  signals:
    // A button asks for the modal dialog of this template name ("Code39Dlg", "CODEIDDLG",
    // "RFID_PARAM_DLG", "WEIGHTBCMASKDLG", "GS1AISETTINGSDLG", ...) over the page. Whoever
    // opens it connects here; the page re-reads the working copies when it returns.
    void dialogRequested(const QString& templateName);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void requestDialog(const QString& templateName);
    void editNumber(QLineEdit* edit, bool timeout);

    bool shown_ = false;
    QGroupBox* engineGroup_ = nullptr;
    QLabel* engineLabel_ = nullptr;
    QComboBox* engine_ = nullptr;
    QCheckBox* rfid_ = nullptr;
    QPushButton* rfidParameters_ = nullptr;
    QGroupBox* optionsGroup_ = nullptr;
    QLabel* firstLabel_ = nullptr;
    QComboBox* firstList_ = nullptr;
    QLabel* secondLabel_ = nullptr;
    QComboBox* secondList_ = nullptr;
    QLabel* timeoutLabel_ = nullptr;
    QLineEdit* timeout_ = nullptr;
    QLabel* timeoutUnit_ = nullptr;
    QLabel* aimingLabel_ = nullptr;
    QLineEdit* aimingTime_ = nullptr;
    QLabel* aimingUnit_ = nullptr;
    QGroupBox* symbologyGroup_ = nullptr;
    std::array<QCheckBox*, kBoxCount> boxes_{};
    std::array<QPushButton*, kBoxCount> more_{};
    QPushButton* codeId_ = nullptr;
    QPushButton* reset_ = nullptr;
    QGroupBox* weightGroup_ = nullptr;
    QCheckBox* weightUse_ = nullptr;
    QPushButton* weightMask_ = nullptr;
    QGroupBox* gs1Group_ = nullptr;
    QCheckBox* gs1Use_ = nullptr;
    QPushButton* gs1Settings_ = nullptr;
};

}  // namespace fw::reader::ui
