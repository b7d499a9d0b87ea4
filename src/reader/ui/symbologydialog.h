// The symbology parameter dialogs on Qt: one dialog class that builds its controls from a
// dialog's table, takes the reader bytes as it opens and gives them back on Cancel. Its object
// name is the template's name.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "editor/ui/sheetpage.h"
#include "reader/symbologydlg.h"

class QAbstractButton;
class QButtonGroup;
class QLabel;

namespace fw::reader::ui {

class SymbologyDialog : public QDialog {
    Q_OBJECT
  public:
    SymbologyDialog(const DialogTemplate& dialog, editor::ui::SheetContext& context,
                    QWidget* owner);
    void accept() override;
    void reject() override;
    // Fills every control from the working bytes, with signals blocked.
    void refresh();

  private:
    // What stands for one control of the table.
    struct Row {
        QLabel* label = nullptr;
        QWidget* widget = nullptr;  // check box, group box, list, or edit
        QButtonGroup* radios = nullptr;
    };
    void set(int control, int value);
    void typed(int control, const QString& text);

    const DialogTemplate& dialog_;
    editor::ui::SheetContext& context_;
    ReaderSnapshot snapshot_;
    std::vector<Row> rows_;
    std::vector<QAbstractButton*> setButtons_;  // "Set 1".."Set 5", "Clear"
};

// Opens the parameter dialog of that template name modally over owner; returns whether it
// was closed with OK. An unknown name opens nothing and returns false.
bool OpenSymbologyDialog(const QString& templateName, editor::ui::SheetContext& context,
                         QWidget* owner);

}  // namespace fw::reader::ui
