#include "shell/clientwindow.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "shell/resources.h"
#include "shell/terminaloutline.h"

namespace fw {

ClientWindow::ClientWindow(QWidget* mainWindow)
    : QWidget(mainWindow), picture_(TerminalPicture(devicePixelRatioF())) {
    setObjectName(QStringLiteral("Client"));
    setGeometry(0, 0, kMainWindowWidth, kMainWindowHeight);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void ClientWindow::paintEvent(QPaintEvent*) {
    if (!qFuzzyCompare(picture_.devicePixelRatio(), devicePixelRatioF()))
        picture_ = TerminalPicture(devicePixelRatioF());
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void ClientWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        // As if the caption had been pressed: the system moves the window where it can.
        QWindow* handle = window()->windowHandle();
        if (handle == nullptr || !handle->startSystemMove()) {
            dragging_ = true;
            dragOffset_ = event->globalPosition().toPoint() - window()->pos();
            grabMouse();
        }
        event->accept();
        return;
    }
    if (event->button() == Qt::RightButton) {
        event->accept();
        emit menuRequested(event->globalPosition().toPoint());
        return;
    }
    QWidget::mousePressEvent(event);
}

void ClientWindow::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        window()->move(event->globalPosition().toPoint() - dragOffset_);
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void ClientWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (dragging_) releaseMouse();
        dragging_ = false;
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

}  // namespace fw
