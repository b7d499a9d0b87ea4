#include "shell/resources.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QtMath>

#include "shell/terminaloutline.h"

namespace fw {

QSvgRenderer& TerminalRenderer() {
    static QSvgRenderer renderer(QStringLiteral(":/terminal.svg"));
    return renderer;
}

QSvgRenderer& LogoRenderer() {
    static QSvgRenderer renderer(QStringLiteral(":/logo.svg"));
    return renderer;
}

namespace {

QSvgRenderer& IconRenderer() {
    static QSvgRenderer renderer(QStringLiteral(":/icon.svg"));
    return renderer;
}

}  // namespace

QPixmap TerminalPicture(qreal devicePixelRatio) {
    if (!(devicePixelRatio > 0)) devicePixelRatio = 1.0;
    QPixmap picture(
        QSize(qCeil(kPictureWidth * devicePixelRatio), qCeil(kPictureHeight * devicePixelRatio)));
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    TerminalRenderer().render(&painter, QRectF(0, 0, kPictureWidth, kPictureHeight));
    LogoRenderer().render(&painter, QRectF(kLogoX, kLogoY, kLogoWidth, kLogoHeight));
    return picture;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        IconRenderer().render(&painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace fw
