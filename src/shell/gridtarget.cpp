#include "shell/gridtarget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "shell/griddlg.h"
#include "shell/messagebox.h"

namespace fw {

GridTargetEdit::GridTargetEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

bool GridTargetEdit::runGrid(Workspace& ws, editor::CharGrid& grid) {
    gridOpen_ = true;
    update();
    GridDlg dialog(ws, grid, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    gridOpen_ = false;
    setText(ToQString(accepted ? grid.displayText : grid.savedDisplayText));
    update();
    return accepted;
}

void GridTargetEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    emit openRequested();
}

void GridTargetEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            emit openRequested();
            return;
        default:
            QLineEdit::keyPressEvent(event);
    }
}

void GridTargetEdit::paintEvent(QPaintEvent* event) {
    if (!gridOpen_) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.fillRect(rect(), Qt::blue);
}

}  // namespace fw
