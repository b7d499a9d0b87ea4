// The Settings page of the definition sheet (SETTINGSDLG) and what its dialogs share: each
// control runs one operation of the core page and shows what comes back.
#pragma once

#include <QDialog>
#include <array>

#include "editor/settingspage.h"
#include "editor/ui/sheetpage.h"

class QCheckBox;
class QVBoxLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace fw::editor::ui {

// A caption from the string table or the active language file.
QString Caption(const EditingSession& session, int id);
// Shows what an edit operation left: the edit's text (written back only when it differs, so
// typing keeps the cursor) and its warning, if any.
void ShowEditResult(Workspace& ws, QLineEdit* edit, const EditResult& result);
// An edit with its caption as buddy and accessible name.
QLineEdit* AddLabelledEdit(QWidget* parent, QFormLayout* layout, const QString& caption,
                           const QString& objectName);
// Puts text into an edit without telling anyone.
void FillEdit(QLineEdit* edit, const QString& text, bool enabled);
QPushButton* MakeButton(QWidget* parent, const QString& caption, const QString& objectName);

// A dialog of the Settings page: its controls over a private copy, OK and Cancel. Cancel
// drops the copy; a subclass hands it over in accept().
class SettingsDialogBase : public QDialog {
    Q_OBJECT
  public:
    SettingsDialogBase(SheetContext& context, QWidget* parent, const QString& objectName,
                       int titleId);
    virtual void refresh() = 0;

  protected:
    EditingSession& session() { return context_.session; }
    // Runs an operation on the copy and shows the result.
    void apply(const std::function<Outcome()>& op);
    QCheckBox* makeCheck(const QString& caption, const QString& objectName,
                         std::function<Outcome(bool)> op);

    SheetContext& context_;
    QVBoxLayout* content_ = nullptr;
};

class SettingsPage : public SheetPage {
    Q_OBJECT
  public:
    SettingsPage(SheetContext& context, QWidget* parent);
    QString title() const override;
    void refresh() override;

  private:
    void edited(QLineEdit* edit, const EditResult& result);
    void openSecurity();
    void openFunctionKeys();
    void openVariables();
    void openNetwork();
    void reset();

    SettingsPageState state_;
    std::array<QComboBox*, kSettingsListCount> lists_{};
    QLineEdit* uploadPhone_ = nullptr;
    QLineEdit* downloadPhone_ = nullptr;
    QLineEdit* backlightTimeout_ = nullptr;
    QRadioButton* pressAnyKey_ = nullptr;
    QRadioButton* stayOnLcd_ = nullptr;
    QLineEdit* promptDuration_ = nullptr;
    QPushButton* network_ = nullptr;
};

}  // namespace fw::editor::ui
