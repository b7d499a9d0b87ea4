// The Form page: which form is edited, where the terminal goes from it, its database, what
// becomes of its record, and the buttons for its branches and serial numbers. The eight field
// lines get their own widget in the space left for them.
#pragma once

#include "editor/ui/sheetpage.h"

class QPushButton;
class QGroupBox;

namespace fw::editor::ui {

class FieldLinesBox;
class TerminalScreen;

class FormPage : public SheetPage {
    Q_OBJECT
  public:
    FormPage(SheetContext& context, QWidget* parent);
    QString title() const override;
    void refresh() override;

    // Where the field lines go.
    QGroupBox* fieldLineArea() const { return fieldLines_; }

  private:
    // Connects a list to the operation that stores its choice.
    void connectList(QComboBox* box, std::function<Outcome(EditingSession&, int, Answer)> op);
    void openBranchDialog();
    void openSerialDialog();
    void openStampDialog();

    QComboBox* form_ = nullptr;
    QComboBox* esc_ = nullptr;
    QComboBox* next_ = nullptr;
    QComboBox* error_ = nullptr;
    QComboBox* lookup_ = nullptr;
    QComboBox* record_ = nullptr;
    QComboBox* notFound_ = nullptr;
    QPushButton* branch_ = nullptr;
    QPushButton* timeStamp_ = nullptr;
    QPushButton* serial_ = nullptr;
    QGroupBox* fieldLines_ = nullptr;
    FieldLinesBox* lines_ = nullptr;
    TerminalScreen* preview_ = nullptr;
};

}  // namespace fw::editor::ui
