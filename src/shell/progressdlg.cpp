#include "shell/progressdlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace fw {

ProgressDlg::ProgressDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                          Qt::WindowStaysOnTopHint),
      text_(new QLabel(QStringLiteral("Downloading..."), this)),
      bar_(new QProgressBar(this)),
      cancelButton_(nullptr) {
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
    // Qt's own Cancel, so that its text follows the language Qt's texts are shown in.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    cancelButton_ = buttons->button(QDialogButtonBox::Cancel);
    cancelButton_->setObjectName(QStringLiteral("cancel"));
    // Enter must not stop a transfer by accident; Esc and a click do.
    cancelButton_->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &ProgressDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    layout->addWidget(buttons);
}

void ProgressDlg::Open(const QString& title, const QString& text) {
    setWindowTitle(title);
    text_->setText(text);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    cancelButton_->setEnabled(true);
    show();
    raise();
    // Focus, so that Esc reaches the window.
    activateWindow();
}

void ProgressDlg::SetValue(int value) {
    if (value < 0) {
        bar_->setRange(0, 0);
        return;
    }
    bar_->setRange(0, 100);
    bar_->setValue(std::min(value, 100));
}

int ProgressDlg::Value() const {
    return bar_->value();
}

QString ProgressDlg::Text() const {
    return text_->text();
}

void ProgressDlg::reject() {
    // Asked once; the button shows that the request was taken while the transfer winds down.
    if (!cancelButton_->isEnabled()) return;
    cancelButton_->setEnabled(false);
    emit cancelRequested();
}

}  // namespace fw
