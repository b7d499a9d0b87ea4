// formwright-screenshot: pictures of the real main window and its open command menu for the
// README, cut to the terminal's outline with the rest transparent.
//   formwright-screenshot OUTDIR   writes OUTDIR/main-window.png and OUTDIR/menu.png
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

#include "model/settings.h"
#include "shell/clientwindow.h"
#include "shell/mainwindow.h"
#include "shell/terminaloutline.h"

namespace {

void WaitFor(const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The window as the desktop shows it: the picture inside the outline, nothing outside.
QImage WindowImage(QWidget& window) {
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setClipRegion(fw::TerminalOutlineRegion());
    painter.drawPixmap(0, 0, window.grab());
    return image;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: formwright-screenshot OUTDIR\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);

    // A program folder of its own, with a few recent projects so that the menu shows them.
    QTemporaryDir home;
    const std::filesystem::path homePath = home.path().toStdString();
    fw::Settings settings;
    settings.recentFiles = {u"/home/user/Projects/stock-count.FWW",
                            u"/home/user/Projects/goods-receiving.FWW"};
    fw::WriteSettings(settings, homePath);

    fw::MainWindow window(fw::ShellOptions{homePath, {}});
    WaitFor([&] { return window.isVisible(); });
    QApplication::processEvents();

    const QImage main = WindowImage(window);
    if (!main.save(QDir(outDir).filePath(QStringLiteral("main-window.png")))) {
        std::fprintf(stderr, "formwright-screenshot: cannot write main-window.png\n");
        return 1;
    }

    // A right press on the picture, as the user opens the menu.
    const QPoint at(205, 250);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(window.mapToGlobal(at)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(window.client(), &press);
    QMenu* menu = window.popupMenu();
    WaitFor([&] { return menu->isVisible(); });
    QApplication::processEvents();

    const QPoint windowPos = window.geometry().topLeft();
    const QRect menuRect = menu->geometry();
    const QRect all = QRect(windowPos, window.size()).united(menuRect);
    QImage both(all.size(), QImage::Format_ARGB32_Premultiplied);
    both.fill(Qt::transparent);
    QPainter painter(&both);
    painter.drawImage(windowPos - all.topLeft(), main);
    painter.drawPixmap(menuRect.topLeft() - all.topLeft(), menu->grab());
    painter.end();
    menu->close();
    if (!both.save(QDir(outDir).filePath(QStringLiteral("menu.png")))) {
        std::fprintf(stderr, "formwright-screenshot: cannot write menu.png\n");
        return 1;
    }
    return 0;
}
