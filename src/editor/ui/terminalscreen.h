// The terminal's screen drawn as the terminal shows it: 8 lines of 20 characters in a
// monospace font, the input areas shaded, the record's date-and-time stamp beside the grid.
// It only shows a FormScreen; whoever owns it decides when the screen changes.
#pragma once

#include <QWidget>

#include "editor/screenpreview.h"

namespace fw::editor::ui {

class TerminalScreen : public QWidget {
    Q_OBJECT
  public:
    // name: what screen readers call the preview, in the active language.
    TerminalScreen(const QString& name, QWidget* parent);

    void setScreen(const FormScreen& screen);
    const FormScreen& screen() const { return screen_; }
    // The lines as text, one per line, with the stamp when there is one; also the accessible
    // description.
    QString text() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QSize cellSize() const;
    QString stampLine() const;

    FormScreen screen_;
};

}  // namespace fw::editor::ui
