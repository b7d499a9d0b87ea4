// The dialogs of a field line and of the form's date-and-time stamp. Each edits the current
// form and line; Cancel gives back the record as the dialog found it.
#pragma once

#include <array>

#include "editor/fielddlg.h"
#include "editor/stampdlg.h"
#include "editor/ui/editordialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace fw::editor::ui {

// What the field dialogs share: check boxes and edits that each run one operation.
class FieldEditorDialog : public EditorDialog {
    Q_OBJECT
  protected:
    using EditorDialog::EditorDialog;
    QCheckBox* addCheck(const QString& caption, const QString& objectName,
                        std::function<Outcome(bool)> op);
    // A check box not yet placed: addCheckedEdit puts it beside its edit.
    QCheckBox* makeCheck(const QString& caption, const QString& objectName,
                         std::function<Outcome(bool)> op);
    // A check box that enables the control beside it.
    QLineEdit* addCheckedEdit(QCheckBox* check, const QString& objectName,
                              std::function<Outcome(const std::u16string&)> op);
    // A list beside the check box that enables it, named by the check box.
    QComboBox* addCheckedList(QCheckBox* check, const QString& objectName,
                              std::function<Outcome(EditingSession&, int, Answer)> op);
    // The prefix or suffix code of the line beside its check box, composed with the grid.
    QLineEdit* addCodeTarget(QCheckBox* check, const QString& objectName, LineCode which);
    QLineEdit* addEdit(const QString& caption, const QString& objectName,
                       std::function<Outcome(const std::u16string&)> op);
    // The "Form #" and "Line #" row.
    void addPlace(int form, int line, const QString& formCaption, const QString& lineCaption);
    void apply(const std::function<Outcome()>& op);
};

// "Properties" of a line of any type but lookup.
class FieldPropertiesDialog : public FieldEditorDialog {
    Q_OBJECT
  public:
    FieldPropertiesDialog(SheetContext& context, QWidget* parent);
    void accept() override;
    void refresh() override;

  protected:
    void restore() override;

  private:
    void addParsingButton();

    FieldDialog dialog_;
    QCheckBox *fixed_, *initial_, *prefix_, *suffix_, *prefixSearch_, *suffixSearch_, *mark_,
        *partial_, *keepWhole_, *leading_, *checkDigit_;
    QLineEdit *fixedLength_, *initialText_, *prefixCode_, *suffixCode_, *markText_, *partialStart_,
        *partialLength_, *leadingText_;
    QComboBox *alignment_, *decimals_, *checkMethod_, *autoEnter_;
};

// "Properties" of a lookup line.
class LookupFieldDialog : public FieldEditorDialog {
    Q_OBJECT
  public:
    LookupFieldDialog(SheetContext& context, QWidget* parent);
    void accept() override;
    void refresh() override;

  private:
    QCheckBox *save_, *fixed_, *prefix_, *suffix_;
    QLineEdit *fixedLength_, *prefixCode_, *suffixCode_;
    QComboBox* alignment_;
};

// "Операции" of a line: its data into a variable, or the line from one.
class OperationsDialog : public FieldEditorDialog {
    Q_OBJECT
  public:
    OperationsDialog(SheetContext& context, QWidget* parent);
    void refresh() override;

  private:
    QCheckBox *save_, *fill_;
    QComboBox *saveVariable_, *fillVariable_;
};

// "Date & Time Stamp settings" of the current form, with the two previews.
class StampDialog : public FieldEditorDialog {
    Q_OBJECT
  public:
    StampDialog(SheetContext& context, QWidget* parent);
    void refresh() override;

  private:
    QComboBox *position_, *yearDigits_, *dateStyle_;
    std::array<QCheckBox*, 9> flags_{};
    QLineEdit *dateSeparator_, *timeSeparator_;
    QLabel *datePreview_, *timePreview_;
};

}  // namespace fw::editor::ui
