#include "shell/terminaloutline.h"

#include <QPolygon>
#include <QRegion>

namespace fw {

QRegion TerminalOutlineRegion() {
    QPolygon polygon;
    polygon.reserve(static_cast<int>(TerminalOutline.size()));
    for (const OutlinePoint& p : TerminalOutline)
        polygon << QPoint(p.x, p.y);
    return QRegion(polygon, Qt::WindingFill);
}

}  // namespace fw
