// "GridDlg", the character grid: all 256 byte values as named cells, from which a string with
// terminal key codes, control characters and variable references is built cell by cell. The
// dialog edits a grid state loaded from its target; whoever opened it writes the result back
// when it is accepted.
#pragma once

#include <QDialog>
#include <QTableWidget>

#include "editor/chargrid.h"
#include "model/workspace.h"

class QLineEdit;

namespace fw {

// The 17 x 17 cells: labels in the first row and column, then the codes, column = high nibble.
class CharGridTable : public QTableWidget {
    Q_OBJECT
  public:
    CharGridTable(editor::CharGrid& grid, QWidget* parent);
    // Repaints the cells after the selection moved.
    void showSelection();

  signals:
    // A cell was clicked, or Enter or Space pressed on the selected one.
    void cellChosen(int column, int row);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    QSize sizeHint() const override;

  private:
    void paintCell(Byte code, bool selected);
    editor::CharGrid& grid_;
};

class GridDlg : public QDialog {
    Q_OBJECT
  public:
    GridDlg(Workspace& ws, editor::CharGrid& grid, QWidget* parent);
    // OK: stays open, with a message, while the string is shorter than its target allows.
    void accept() override;

    CharGridTable* table() const { return table_; }
    QLineEdit* resultLine() const { return result_; }

  private:
    void choose(int column, int row);
    void showResult();

    Workspace& ws_;
    editor::CharGrid& grid_;
    CharGridTable* table_;
    QLineEdit* result_;
};

// "ADDVARDLG": which of the ten variables a reference names. Returns 1..10, or 0 when the
// user cancelled.
int ChooseVariable(Workspace& ws, const editor::CharGrid& grid, QWidget* parent);

}  // namespace fw
