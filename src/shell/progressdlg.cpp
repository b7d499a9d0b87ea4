#include "shell/progressdlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace fw {

ProgressDlg::ProgressDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                          Qt::WindowStaysOnTopHint),
      text_(new QLabel(QStringLiteral("Downloading..."), this)),
      bar_(new QProgressBar(this)) {
    setObjectName(QStringLiteral("ProgressDlg"));
    setWindowTitle(QStringLiteral("Progress"));
    // No second command may start while a transfer runs.
    setWindowModality(Qt::ApplicationModal);
    text_->setObjectName(QStringLiteral("901"));
    text_->setTextFormat(Qt::PlainText);
    bar_->setObjectName(QStringLiteral("870"));
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setMinimumWidth(280);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(bar_);
}

void ProgressDlg::Open(const QString& title, const QString& text) {
    setWindowTitle(title);
    text_->setText(text);
    bar_->setValue(0);
    show();
    raise();
}

void ProgressDlg::SetValue(int value) {
    bar_->setValue(std::clamp(value, 0, 100));
}

int ProgressDlg::Value() const {
    return bar_->value();
}

QString ProgressDlg::Text() const {
    return text_->text();
}

}  // namespace fw
