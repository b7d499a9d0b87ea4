#include "shell/linklabel.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QVBoxLayout>
#include <algorithm>

namespace fw {

namespace {

// The system's edge size that frames the text of a link label.
constexpr int kEdge = 2;
constexpr int kTipMarginX = 10;
constexpr int kTipMarginY = 8;

LinkLabel::Opener& CurrentOpener() {
    static LinkLabel::Opener opener = [](const QUrl& url) {
        return QDesktopServices::openUrl(url);
    };
    return opener;
}

QSet<QUrl>& VisitedLinks() {
    static QSet<QUrl> visited;
    return visited;
}

}  // namespace

BalloonTip* BalloonTip::Instance() {
    static QPointer<BalloonTip> tip;
    if (!tip) tip = new BalloonTip;
    return tip;
}

BalloonTip::BalloonTip()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput),
      label_(new QLabel(this)) {
    setObjectName(QStringLiteral("BalloonTip"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setWindowOpacity(kTooltipOpacity / 255.0);
    label_->setTextFormat(Qt::PlainText);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kTipMarginX, kTipMarginY, kTipMarginX, kTipMarginY);
    layout->addWidget(label_);
    setMaximumWidth(kTooltipMaxWidth);
}

void BalloonTip::ShowText(const QString& text, const QPoint& globalPos) {
    // A text is wrapped only where it would pass the width limit; a shorter one keeps its
    // line, however the label would otherwise balance its lines.
    const int room = kTooltipMaxWidth - 2 * kTipMarginX;
    const int natural = label_->fontMetrics().size(0, text).width();
    label_->setWordWrap(natural > room);
    label_->setFixedWidth(std::min(natural, room));
    label_->setText(text);
    label_->setFixedHeight(label_->heightForWidth(label_->width()) > 0
                               ? label_->heightForWidth(label_->width())
                               : label_->sizeHint().height());
    adjustSize();
    move(globalPos + QPoint(0, 20));
    show();
}

QString BalloonTip::Text() const {
    return label_->text();
}

void BalloonTip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.setBrush(palette().color(QPalette::ToolTipBase));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
}

LinkLabel::LinkLabel(const QString& text, const QUrl& target, const QString& tooltip,
                     QWidget* parent)
    : QAbstractButton(parent), target_(target), tooltip_(tooltip) {
    setText(text);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(sizeHint());
    connect(this, &QAbstractButton::clicked, this, &LinkLabel::Open);
}

void LinkLabel::SetOpener(Opener opener) {
    CurrentOpener() = std::move(opener);
}

void LinkLabel::ForgetVisitedLinks() {
    VisitedLinks().clear();
}

bool LinkLabel::Visited() const {
    return VisitedLinks().contains(target_);
}

QSize LinkLabel::sizeHint() const {
    const QSize extent = fontMetrics().size(Qt::TextSingleLine, text());
    return extent + QSize(2 * kEdge, 2 * kEdge);
}

void LinkLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setClipRect(rect());
    painter.setPen(TextColour());
    painter.setFont(font());
    painter.drawText(rect().adjusted(kEdge, kEdge, 0, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text());
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

bool LinkLabel::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::ToolTip:
            BalloonTip::Instance()->ShowText(tooltip_,
                                             static_cast<QHelpEvent*>(event)->globalPos());
            return true;
        case QEvent::Leave:
        case QEvent::Hide:
            if (BalloonTip::Instance()->Text() == tooltip_) BalloonTip::Instance()->hide();
            break;
        default:
            break;
    }
    return QAbstractButton::event(event);
}

void LinkLabel::Open() {
    VisitedLinks().insert(target_);
    update();
    if (!CurrentOpener()(target_)) emit openFailed(target_);
}

}  // namespace fw
