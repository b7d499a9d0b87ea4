// The picture of the terminal that covers the main window: it paints the artwork and takes
// the mouse (a left press drags the window, a right press opens the command menu).
#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

namespace fw {

class ClientWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ClientWindow(QWidget* mainWindow);

    // The picture as last painted, at the device pixel ratio of the window's screen.
    const QPixmap& Picture() const { return picture_; }

  signals:
    // A right press at this screen point.
    void menuRequested(const QPoint& globalPos);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QPixmap picture_;        // rendered again when the window's screen has another pixel ratio
    bool dragging_ = false;  // moving the window by hand where the system cannot
    QPoint dragOffset_;
};

}  // namespace fw
