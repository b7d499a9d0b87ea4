// Link labels: an underlined text that opens a mail or web address, changes colour once used,
// shows a hand cursor and carries a translucent balloon tooltip.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPointer>
#include <QSet>
#include <QUrl>
#include <functional>

class QLabel;

namespace fw {

inline const QColor kLinkColour{0x00, 0x00, 0xCC};
inline const QColor kVisitedLinkColour{0x66, 0x66, 0x99};
inline constexpr int kTooltipOpacity = 200;  // of 255
inline constexpr int kTooltipMaxWidth = 500;

// The translucent, click-through tooltip window shared by the link labels.
class BalloonTip : public QWidget {
    Q_OBJECT
  public:
    static BalloonTip* Instance();
    void ShowText(const QString& text, const QPoint& globalPos);
    QString Text() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    BalloonTip();
    QLabel* label_;
};

class LinkLabel : public QAbstractButton {
    Q_OBJECT
  public:
    using Opener = std::function<bool(const QUrl&)>;

    LinkLabel(const QString& text, const QUrl& target, const QString& tooltip,
              QWidget* parent = nullptr);

    // A link opened once keeps its visited colour for the rest of the run, in every window
    // that shows it again.
    bool Visited() const;
    QUrl Target() const { return target_; }
    QString Tooltip() const { return tooltip_; }
    QColor TextColour() const { return Visited() ? kVisitedLinkColour : kLinkColour; }
    // Where the labels open their targets; the system's handler unless replaced (tests). The
    // opener returns whether a program took the target.
    static void SetOpener(Opener opener);
    // Forgets which links were opened, as a new run would (tests).
    static void ForgetVisitedLinks();

    QSize sizeHint() const override;

  signals:
    // No program could open the target (no mail program, no browser).
    void openFailed(const QUrl& target);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void Open();

    QUrl target_;
    QString tooltip_;
};

}  // namespace fw
