#include "shell/resources.h"

#include <QPainter>
#include <QSvgRenderer>

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

QPixmap TerminalPicture() {
    QPixmap picture(kPictureWidth, kPictureHeight);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    TerminalRenderer().render(&painter, QRectF(0, 0, kPictureWidth, kPictureHeight));
    LogoRenderer().render(&painter, QRectF(kLogoX, kLogoY, kLogoWidth, kLogoHeight));
    return picture;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        const double height = size * double(kLogoHeight) / kLogoWidth;
        LogoRenderer().render(&painter, QRectF(0, (size - height) / 2, size, height));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace fw
