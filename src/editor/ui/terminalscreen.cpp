#include "editor/ui/terminalscreen.h"

#include <QEvent>
#include <QFontDatabase>
#include <QPainter>

namespace fw::editor::ui {
namespace {

constexpr int kMargin = 4;

}  // namespace

TerminalScreen::TerminalScreen(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("terminalScreen"));
    setAccessibleName(name);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleDescription(text());
}

void TerminalScreen::setScreen(const FormScreen& screen) {
    if (screen.rows == screen_.rows && screen.stamp == screen_.stamp &&
        screen.stampPosition == screen_.stampPosition) {
        return;
    }
    screen_ = screen;
    setAccessibleDescription(text());
    update();
}

QString TerminalScreen::stampLine() const {
    if (screen_.stamp.empty()) return QString();
    return QString::fromStdU16String(screen_.stamp);
}

QString TerminalScreen::text() const {
    QStringList lines;
    const QString stamp = stampLine();
    if (screen_.stampPosition == 1 && !stamp.isEmpty()) lines << stamp;
    for (int r = 0; r < kScreenRows; ++r)
        lines << QString::fromStdU16String(screen_.RowText(r));
    if (screen_.stampPosition == 2 && !stamp.isEmpty()) lines << stamp;
    return lines.join(QLatin1Char('\n'));
}

QSize TerminalScreen::cellSize() const {
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(QLatin1Char('W')), metrics.height());
}

// Room for the grid and one stamp line above and below it, so that the page does not jump
// when the stamp is switched on.
QSize TerminalScreen::sizeHint() const {
    const QSize cell = cellSize();
    return QSize(cell.width() * kScreenColumns + 2 * kMargin,
                 cell.height() * (kScreenRows + 2) + 2 * kMargin);
}

void TerminalScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QSize cell = cellSize();
    const QPalette& pal = palette();
    const QRect grid(kMargin, kMargin + cell.height(), cell.width() * kScreenColumns,
                     cell.height() * kScreenRows);
    painter.fillRect(grid, pal.color(QPalette::Base));
    const QColor inputShade = pal.color(QPalette::Mid);

    for (int r = 0; r < kScreenRows; ++r) {
        for (int c = 0; c < kScreenColumns; ++c) {
            const ScreenCell& sc =
                screen_.rows[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            const QRect box(grid.left() + c * cell.width(), grid.top() + r * cell.height(),
                            cell.width(), cell.height());
            if (sc.kind == CellKind::Input) painter.fillRect(box, inputShade);
            if (sc.ch == u' ') continue;
            painter.setPen(pal.color(QPalette::Text));
            painter.drawText(box, Qt::AlignCenter, QString(QChar(sc.ch)));
        }
    }
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawRect(grid.adjusted(0, 0, -1, -1));

    const QString stamp = stampLine();
    if (stamp.isEmpty()) return;
    const int y = screen_.stampPosition == 1 ? kMargin : grid.bottom() + 1;
    painter.setPen(pal.color(QPalette::PlaceholderText));
    painter.drawText(QRect(grid.left(), y, grid.width(), cell.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, stamp);
}

void TerminalScreen::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) updateGeometry();
    QWidget::changeEvent(event);
}

}  // namespace fw::editor::ui
