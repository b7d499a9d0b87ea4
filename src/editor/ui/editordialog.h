// A dialog of the Form page: its lists, OK and Cancel, and the snapshot of the form record that
// Cancel gives back.
#pragma once

#include <QDialog>

#include "editor/ui/sheetpage.h"

class QDialogButtonBox;
class QFormLayout;
class QVBoxLayout;

namespace fw::editor::ui {

// OK and Cancel in the session's language.
void NameButtons(QDialogButtonBox* buttons, const EditingSession& session);

class EditorDialog : public QDialog {
    Q_OBJECT
  public:
    // Takes the snapshot as the dialog is made.
    EditorDialog(SheetContext& context, QWidget* parent, const QString& objectName,
                 const QString& title);
    void reject() override;
    void setVisible(bool visible) override;
    virtual void refresh() = 0;

  protected:
    // A list whose choice runs the operation; the dialog refreshes after every choice.
    QComboBox* addList(const QString& caption, const QString& objectName,
                       std::function<Outcome(EditingSession&, int, Answer)> op);
    void connectList(QComboBox* box, std::function<Outcome(EditingSession&, int, Answer)> op);
    // What Cancel does; by default the snapshot comes back.
    virtual void restore();

    EditingSession& session() { return context_.session; }
    SheetContext& context_;
    Snapshot snapshot_;
    QFormLayout* lists_ = nullptr;

  private:
    QVBoxLayout* column_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace fw::editor::ui
