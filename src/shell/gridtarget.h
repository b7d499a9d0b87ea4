// A text that the character grid composes: it shows the string by its characters' names and
// cannot be typed into; a click, Enter or Space opens the grid on it. While its grid is open it
// is drawn as a solid blue box, so the user sees which string the grid is building.
#pragma once

#include <QLineEdit>

#include "editor/chargrid.h"
#include "model/workspace.h"

namespace fw {

class GridTargetEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit GridTargetEdit(QWidget* parent);

    // Opens "GridDlg" modally over this control on the grid state; returns whether it was
    // confirmed (the caller then writes the grid back). Cancel shows the text it had again.
    bool runGrid(Workspace& ws, editor::CharGrid& grid);
    bool gridOpen() const { return gridOpen_; }

  signals:
    void openRequested();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    bool gridOpen_ = false;
};

}  // namespace fw
